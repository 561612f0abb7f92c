#!/usr/bin/env bash
# Times the pages of a gallery of 5,000 small images whose thumbnails already exist: a first
# run, a run that changes every page and one that changes none, against a plain loop that
# writes the same files.
# Usage: bash bench/gallery.sh [IMAGES] [ROUNDS]
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cmake -S "$root" -B "$root/build/release" -DCMAKE_BUILD_TYPE=Release -DPIXMOSA_BUILD_TESTS=OFF >/dev/null
cmake --build "$root/build/release" --parallel "$(nproc)" --target pixmosa-bench-gallery >/dev/null
"$root/build/release/bench/pixmosa-bench-gallery" "$root/build/bench/gallery" "${1:-5000}" "${2:-9}"
