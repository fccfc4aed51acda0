#!/bin/bash
# Input latency in a real window: a private X server (Xvfb) with openbox and the release build of
# Talonreach on its main menu. latency_probe sends Down and Up through XTEST, at random moments, and
# polls one pixel of the second item's highlight until the picture changes. Taps of 0 ms (press and
# release together, as remote desktops and `xdotool key --delay 0` send them), 5 ms and 40 ms; for
# each the minimum, median, 90th percentile and maximum delay and the number of taps the game lost.
#
#   bench/input_latency.sh [build folder, default build-bench]
#
# ROUNDS changes the number of taps of each kind (default 40); BENCH_SCREEN the size of the X screen.
set -u

SCRIPT_DIR=$(cd "$(dirname "$0")" && pwd)
BUILD_DIR=$(realpath "${1:-build-bench}")
ROUNDS=${ROUNDS:-40}
SCREEN=${BENCH_SCREEN:-1920x1080}

# One running copy per user: a network namespace of its own keeps this run apart from others.
if [ "$(id -u)" = 0 ] && [ -z "${INPUT_LATENCY_UNSHARED:-}" ] && command -v unshare >/dev/null; then
    exec env INPUT_LATENCY_UNSHARED=1 unshare -n -- bash "$0" "$@"
fi

GAME=$BUILD_DIR/talonreach
PROBE=$BUILD_DIR/bench/latency_probe
for tool in Xvfb openbox xdotool xwininfo; do
    command -v "$tool" >/dev/null || { echo "input_latency: $tool is missing (tools/setup.sh installs it)" >&2; exit 1; }
done
[ -x "$GAME" ] && [ -x "$PROBE" ] || { echo "input_latency: build the game and latency_probe first" >&2; exit 1; }

# The X session, the game's folder and the keys of the end-to-end tests.
. "$SCRIPT_DIR/../tests/scripts/e2e/common.sh"
bench_begin input_latency "$BUILD_DIR/input-latency" "$SCREEN"

e2e_game_folder "$WORK/game" "$BUILD_DIR/Resource"
(cd "$WORK/game" && exec env SDL_AUDIODRIVER=dummy "$GAME") >"$OUT/talonreach.log" 2>&1 &
game_pid=$!
PIDS="$game_pid $PIDS"
xsession_wait_window "$game_pid" 30 --name '^Talonreach$'
window=$E2E_WINDOW
sleep 1
press space
sleep 2

# The second menu item's left end (230, 262 of the 640 x 480 picture), in screen pixels.
read -r left top width < <(xwininfo -id "$window" |
    awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 } /Width:/ { w = $2 }
         END { print x, y, w }')
scale=$((width / 640))
[ "$scale" -ge 1 ] || { echo "input_latency: the window is $width pixels wide" >&2; exit 1; }
x=$((left + 230 * scale + scale / 2))
y=$((top + 262 * scale + scale / 2))

# statistics <file>: min, median, p90, max of the numbers in it, and the lines that say "lost".
statistics() {
    local lost
    lost=$(grep -c lost "$1")
    grep -v lost "$1" | sort -n | awk -v lost="$lost" '{ v[NR] = $1 }
        END {
            if (NR == 0) { printf "| - | - | - | - | %d of %d |", lost, lost; exit }
            p90 = int(NR * 0.9 + 0.5); if (p90 < 1) p90 = 1
            med = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
            printf "| %.1f | %.1f | %.1f | %.1f | %d of %d |", v[1], med, v[p90], v[NR], lost, NR + lost
        }'
}

echo "Input latency, $SCREEN screen, window ${width} pixels wide, $ROUNDS taps each (ms from the key to the picture)"
echo "| Tap | min | median | p90 | max | lost |"
echo "|---|---|---|---|---|---|"
status=0
for hold in 0 5 40; do
    "$PROBE" "$x" "$y" "$hold" "$ROUNDS" "$hold" >"$OUT/taps-$hold.txt" || status=1
    echo "| $hold ms $(statistics "$OUT/taps-$hold.txt")"
done
kill -0 "$game_pid" 2>/dev/null || { echo "input_latency: the game ended" >&2; status=1; }
exit $status
