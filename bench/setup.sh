#!/bin/sh
# Installs what the frame-pacing benchmark needs beyond tools/setup.sh: Chromium B.S.U., the game it
# is measured against. Only `make bench` and frame_pacing.sh run this; `make test` never does.
set -e
PACKAGES="chromium-bsu"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0

echo "Installing for the benchmark:$missing"
SUDO=""
if [ "$(id -u)" != "0" ]; then
    if command -v sudo >/dev/null 2>&1; then SUDO="sudo"; else
        echo "Packages are missing ($missing) and this user cannot run apt-get; run bench/setup.sh as root." >&2
        exit 1
    fi
fi
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -q
# shellcheck disable=SC2086
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
