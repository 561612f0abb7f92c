#!/usr/bin/env bash
# Builds the fuzz targets with clang (AddressSanitizer and UndefinedBehaviorSanitizer on) and
# runs each for SECONDS seconds from the seeds it generates; a crash, a sanitizer report or a
# broken promise fails the run and leaves the input in build/fuzz/findings.
# Usage: bash fuzz/run.sh [SECONDS]
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-30}
build=$root/build/fuzz

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DPIXMOSA_BUILD_FUZZERS=ON -DPIXMOSA_BUILD_WINDOW=OFF -DPIXMOSA_BUILD_TESTS=OFF \
    -DPIXMOSA_WARNINGS_AS_ERRORS=ON >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target fuzz_registry_file fuzz_text_store \
    fuzz_text_sections fuzz_jpeg_header fuzz_thumbnail_maker pixmosa_fuzz_seeds >/dev/null

rm -rf "$build/seeds" "$build/corpus"
mkdir -p "$build/findings" "$build/scratch"
"$build/fuzz/pixmosa_fuzz_seeds" "$build/seeds"
export TMPDIR=$build/scratch
for target in registry_file text_store text_sections jpeg_header thumbnail_maker; do
    mkdir -p "$build/corpus/$target"
    echo "== fuzz_$target for $seconds s"
    status=0
    "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$build/findings/$target-" \
        "$build/corpus/$target" "$build/seeds/$target" >"$build/$target.log" 2>&1 || status=$?
    grep -E "^(stat::number_of_executed_units|stat::peak_rss_mb)" "$build/$target.log" || true
    if [ "$status" -ne 0 ]; then
        tail -n 40 "$build/$target.log"
        echo "fuzz_$target failed; the input is in $build/findings"
        exit 1
    fi
done
echo "fuzzing found nothing"
