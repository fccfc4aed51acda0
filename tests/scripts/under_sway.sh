#!/bin/bash
# Runs a test program on a private headless sway (e2e/sway.sh: a 1920 x 1080 output, no GPU) with
# SDL's Wayland driver: the renderer's cases on Wayland. Exit 77 (skipped) when sway or its tools
# are missing.
#   under_sway.sh <test program>
test_binary=$1
scripts=$(cd "$(dirname "$0")" && pwd)
for tool in sway swaymsg jq setpriv xhost; do
    command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is not installed"; exit 77; }
done

# What sway.sh needs of the end-to-end tests' set-up.
E2E_WORK=$(mktemp -d "${TMPDIR:-/tmp}/talonreach-sway-test.XXXXXX") || exit 1
E2E_ART=$E2E_WORK/log
E2E_HELPER_PIDS=""
mkdir -p "$E2E_ART"
e2e_fail() {
    echo "FAILED: $*" >&2
    exit 1
}
e2e_log() { echo "$*"; }
cleanup() {
    local status=$? pid
    for pid in $E2E_HELPER_PIDS; do
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    [ "$status" -eq 0 ] || cat "$E2E_ART/sway.log" >&2 2>/dev/null
    rm -rf "$E2E_WORK"
    exit "$status"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
. "$scripts/e2e/sway.sh"
sway_start

# SDL's and Mesa's own memory is told apart from the game's with whole stacks (wayland.lsan).
SDL_VIDEODRIVER=wayland SDL_AUDIODRIVER=dummy TALONREACH_SWAY=1 \
    ASAN_OPTIONS=detect_leaks=1:fast_unwind_on_malloc=0 LSAN_OPTIONS="suppressions=$scripts/wayland.lsan" \
    "$test_binary"
