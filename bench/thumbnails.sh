#!/usr/bin/env bash
# Times Make Thumbnails over real photographs from Debian's wallpaper packages, fetched and
# unpacked into build/bench (never committed). Usage: bash bench/thumbnails.sh [ROUNDS]
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
work=$root/build/bench
corpus=$work/corpus
rounds=${1:-5}

cmake -S "$root" -B "$root/build/release" -DCMAKE_BUILD_TYPE=Release -DPIXMOSA_BUILD_TESTS=OFF >/dev/null
cmake --build "$root/build/release" --parallel "$(nproc)" --target pixmosa-bench-thumbnails >/dev/null

if [ ! -d "$corpus" ]; then
    mkdir -p "$work/debs" "$work/unpacked" "$corpus.partial"
    (cd "$work/debs" && apt-get download mate-backgrounds)
    for deb in "$work"/debs/*.deb; do
        dpkg-deb -x "$deb" "$work/unpacked"
    done
    # Distinct regular files only: the packages link some pictures under several names.
    find "$work/unpacked" -type f -iname '*.jpg' -print0 | sort -z |
        while IFS= read -r -d '' file; do
            sum=$(sha1sum "$file" | cut -c1-16)
            cp -n "$file" "$corpus.partial/$sum.jpg"
        done
    mv "$corpus.partial" "$corpus"
fi

"$root/build/release/bench/pixmosa-bench-thumbnails" "$corpus" "$work/scratch" "$rounds"
