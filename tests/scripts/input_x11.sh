#!/bin/sh
# Runs the X11 input tests against a private Xvfb server with the US keyboard layout (the tests switch
# to others themselves). Exit 77 (skipped) when Xvfb, xdotool or setxkbmap is not installed.
test_binary=$1
for tool in Xvfb xdotool setxkbmap; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "skipped: $tool is not installed"
        exit 77
    fi
done

work=$(mktemp -d)
Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp >"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT INT TERM
tries=0
while [ ! -s "$work/display" ] && [ "$tries" -lt 100 ]; do
    sleep 0.1
    tries=$((tries + 1))
done
if [ ! -s "$work/display" ]; then
    cat "$work/xvfb.log"
    echo "Xvfb did not start"
    exit 1
fi

DISPLAY=:$(cat "$work/display")
SDL_VIDEODRIVER=x11
SDL_AUDIODRIVER=dummy
LSAN_OPTIONS="suppressions=$(dirname "$0")/input_x11.lsan${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export DISPLAY SDL_VIDEODRIVER SDL_AUDIODRIVER LSAN_OPTIONS

setxkbmap us || exit 1
TALONREACH_XVFB=1 "$test_binary"
