#!/bin/sh
# Starts the built game in its build folder, where the generated Resource/ folder lives.
BUILD_DIR=${1:-build}
if [ -z "$DISPLAY" ] && [ -z "$WAYLAND_DISPLAY" ]; then
    echo "talonreach: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); run it from a desktop session." >&2
    exit 1
fi
cd "$BUILD_DIR" && exec ./talonreach
