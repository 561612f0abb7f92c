#!/usr/bin/env bash
# Times what selecting a 20-megapixel photo in the image list costs: the header read on the
# window's thread and the reduced decode on the preview thread, against a full decode.
# Usage: bash bench/preview.sh [ROUNDS]
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cmake -S "$root" -B "$root/build/release" -DCMAKE_BUILD_TYPE=Release -DPIXMOSA_BUILD_TESTS=OFF >/dev/null
cmake --build "$root/build/release" --parallel "$(nproc)" --target pixmosa-bench-preview >/dev/null
"$root/build/release/bench/pixmosa-bench-preview" "$root/build/bench/preview" "${1:-9}"
