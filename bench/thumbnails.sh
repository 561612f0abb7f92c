#!/usr/bin/env bash
# Times Make Thumbnails over real photographs from Debian's wallpaper packages (fetched and
# unpacked into build/bench at run time, never committed) against other tools on two
# processes, alternating the commands over several rounds after a warm-up, and prints the
# medians, the ratios, and the peak memory for very large images.
# Usage: bash bench/thumbnails.sh [ROUNDS]
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
work=$root/build/bench
corpus=$work/corpus-wallpapers
rounds=${1:-5}

tools=(libvips-tools imagemagick libjpeg-turbo-progs)
missing=()
for package in "${tools[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    apt-get update
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

cmake -S "$root" -B "$root/build/release" -DCMAKE_BUILD_TYPE=Release -DPIXMOSA_BUILD_TESTS=OFF >/dev/null
cmake --build "$root/build/release" --parallel "$(nproc)" \
    --target pixmosa-cli pixmosa-bench-thumbnails pixmosa-bench-memory >/dev/null
cli=$root/build/release/src/cli/pixmosa-cli

if [ ! -d "$corpus" ]; then
    rm -rf "$work/debs" "$work/unpacked" "$corpus.partial"
    mkdir -p "$work/debs" "$work/unpacked" "$corpus.partial"
    (cd "$work/debs" && apt-get download plasma-workspace-wallpapers mate-backgrounds)
    for deb in "$work"/debs/*.deb; do
        dpkg-deb -x "$deb" "$work/unpacked"
    done
    # Distinct regular files of at least one megapixel: the packages link some pictures under
    # several names and ship small previews.
    find "$work/unpacked" -type f -iname '*.jpg' -print0 | sort -z |
        while IFS= read -r -d '' file; do
            pixels=$(( $(vipsheader -f width "$file" 2>/dev/null || echo 0) *
                $(vipsheader -f height "$file" 2>/dev/null || echo 0) ))
            [ "$pixels" -ge 1000000 ] || continue
            cp -n "$file" "$corpus.partial/$(sha1sum "$file" | cut -c1-16).jpg"
        done
    mv "$corpus.partial" "$corpus"
fi

count=$(find "$corpus" -maxdepth 1 -name '*.jpg' | wc -l)
megapixels=$(for f in "$corpus"/*.jpg; do echo $(( $(vipsheader -f width "$f") * $(vipsheader -f height "$f") )); done |
    awk '{ s += $1 } END { printf "%.0f", s / 1e6 }')
echo "corpus: $count photographs, $megapixels megapixels, thumbnails of size 100"

export PIXMOSA_REGISTRY=$work/registry.reg PIXMOSA_TEXT_STORE=$work/Pixmosa.dat
"$cli" set ThumbSize 100
"$cli" set ThumbsDir bench-thumbs
out=$work/out
run_pixmosa() { "$cli" --image-dir "$corpus" thumbnails 2>/dev/null; }
run_vips() { find "$corpus" -maxdepth 1 -name '*.jpg' -print0 |
    xargs -0 -P2 -n4 vipsthumbnail -s 100 -o "$out/vips-%s.jpg"; }
run_convert() { find "$corpus" -maxdepth 1 -name '*.jpg' -print0 |
    xargs -0 -P2 -I{} sh -c 'convert "$1" -thumbnail 100x100 "$2/im-$(basename "$1")"' _ {} "$out"; }
run_djpeg() { find "$corpus" -maxdepth 1 -name '*.jpg' -print0 |
    xargs -0 -P2 -I{} djpeg -outfile /dev/null {}; }

names=(pixmosa vips convert djpeg)
declare -A times
for round in $(seq 0 "$rounds"); do
    for name in "${names[@]}"; do
        rm -rf "$out" "$corpus/bench-thumbs"
        mkdir -p "$out"
        start=$(date +%s.%N)
        "run_$name"
        end=$(date +%s.%N)
        if [ "$round" -gt 0 ]; then # round 0 warms the caches
            times[$name]+="$(echo "$end - $start" | bc) "
        fi
    done
done
median() { tr ' ' '\n' | grep . | sort -g | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }
ours=$(echo "${times[pixmosa]}" | median)
printf "%-44s %7.3f s\n" "pixmosa-cli thumbnails" "$ours"
for name in vips convert djpeg; do
    theirs=$(echo "${times[$name]}" | median)
    case $name in
    vips) label="vipsthumbnail -s 100, 2 processes" ;;
    convert) label="convert -thumbnail 100x100, 2 processes" ;;
    djpeg) label="djpeg full decode, 2 processes" ;;
    esac
    printf "%-44s %7.3f s   ours / theirs = %.2f\n" "$label" "$theirs" "$(echo "$ours / $theirs" | bc -l)"
done
"$root/build/release/bench/pixmosa-bench-memory" "$work/memory"
