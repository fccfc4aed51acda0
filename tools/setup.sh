#!/bin/sh
# Installs the Debian packages the build, the game and the tests need, when any is missing. With
# arguments it installs those packages instead (bench/setup.sh names the benchmark's own).
set -e
PACKAGES="cmake make g++ pkg-config libsdl2-dev libsdl2-image-dev libx11-dev libxtst-dev libtinyxml-dev libgtest-dev libgmock-dev
libbenchmark-dev libcairo2-dev fonts-dejavu-core xvfb xauth xdotool imagemagick openbox x11-utils x11-xkb-utils clang
libclang-rt-14-dev dpkg-dev lintian desktop-file-utils appstream libebur128-dev libwayland-dev libxkbcommon-dev
libegl-dev sway grim xwayland x11-xserver-utils jq"
[ "$#" -gt 0 ] && PACKAGES="$*"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
SUDO=""
if [ "$(id -u)" != "0" ]; then
    if command -v sudo >/dev/null 2>&1; then SUDO="sudo"; else
        echo "Packages are missing ($missing) and this user cannot run apt-get; run $0 as root." >&2
        exit 1
    fi
fi
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -q
# shellcheck disable=SC2086
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
