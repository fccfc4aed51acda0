#!/bin/sh
# Runs every benchmark program of a release build, headless, and times the resource generator.
BUILD_DIR=${1:-build-bench}
cd "$BUILD_DIR" || exit 1
status=0
for b in bench/bench_*; do
    [ -x "$b" ] || continue
    echo "== $b"
    SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy SDL_RENDER_DRIVER=software "./$b" || status=1
done
echo "== resource generator"
out=$(mktemp -d)
start=$(date +%s.%N)
./tools/assetgen "$out" >/dev/null || status=1
end=$(date +%s.%N)
rm -rf "$out"
awk -v s="$start" -v e="$end" 'BEGIN { printf "assetgen: %.2f s wall\n", e - s }'
exit $status
