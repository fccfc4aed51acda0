#!/bin/sh
# Runs every benchmark program of a release build, headless.
BUILD_DIR=${1:-build-bench}
cd "$BUILD_DIR" || exit 1
status=0
for b in bench/bench_*; do
    [ -x "$b" ] || continue
    echo "== $b"
    SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy SDL_RENDER_DRIVER=software "./$b" || status=1
done
exit $status
