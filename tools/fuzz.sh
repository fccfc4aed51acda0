#!/bin/sh
# Runs every libFuzzer target of a fuzz build for a fixed time on its seed corpus. New inputs go to
# a working corpus inside the build folder, so the committed seeds stay as they are.
BUILD_DIR=${1:-build-fuzz}
SECONDS_EACH=${2:-30}
SOURCE_DIR=$(cd "$(dirname "$0")/.." && pwd)
status=0
for f in "$BUILD_DIR"/tests/fuzz/fuzz_*; do
    [ -x "$f" ] || continue
    name=$(basename "$f")
    seeds="$SOURCE_DIR/tests/fuzz/corpus/${name#fuzz_}"
    work="$BUILD_DIR/fuzz-corpus/${name#fuzz_}"
    mkdir -p "$work" "$BUILD_DIR/fuzz-artifacts"
    echo "== $name for ${SECONDS_EACH}s"
    # 64 MB is far above anything a few kilobytes of input may make the game allocate.
    "$f" -max_total_time="$SECONDS_EACH" -max_len=4096 -malloc_limit_mb=64 -timeout=10 \
        -print_final_stats=1 -artifact_prefix="$BUILD_DIR/fuzz-artifacts/$name-" "$work" "$seeds" || status=1
done
exit $status
