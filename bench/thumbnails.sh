#!/usr/bin/env bash
# Times Make Thumbnails over real photographs from Debian's wallpaper packages (fetched and
# unpacked into build/bench at run time, never committed), over a like-for-like pair made of
# them (the same photos re-encoded alike by jpegtran -optimize, once plain and once with a
# restart marker at every row, as phones write them, so the markers are the only difference),
# and over the 29 largest, against other tools on two processes, alternating the commands over
# several rounds after a warm-up, and prints the medians of wall time, processor cores kept
# busy and page faults, the ratios; then, in one process on one thread, the processor time of
# the pair's thumbnails alone and the least the marked ones can take; and the peak memory for
# very large images.
# Usage: bash bench/thumbnails.sh [ROUNDS]
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
work=$root/build/bench
corpus=$work/corpus-wallpapers
rounds=${1:-5}

tools=(libvips-tools imagemagick libjpeg-turbo-progs bc)
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
    --target pixmosa-cli pixmosa-bench-thumbnails pixmosa-bench-memory \
    pixmosa-bench-restart-rows pixmosa-bench-timed >/dev/null
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

# The like-for-like pair: the same photographs written alike (baseline, optimised tables,
# whatever the original was), without and with a restart marker at the end of every row of
# MCUs; and the 29 largest.
plain=$work/corpus-plain
marked=$work/corpus-marked-alike
for copy in plain marked; do
    folder=$work/corpus-$copy
    [ "$copy" = marked ] && folder=$marked
    [ -d "$folder" ] && continue
    rm -rf "$folder.partial"
    mkdir -p "$folder.partial"
    for file in "$corpus"/*.jpg; do
        options=(-copy all -optimize)
        [ "$copy" = marked ] && options+=(-restart 1)
        jpegtran "${options[@]}" -outfile "$folder.partial/$(basename "$file")" "$file"
    done
    mv "$folder.partial" "$folder"
done
largest=$work/corpus-largest
if [ ! -d "$largest" ]; then
    rm -rf "$largest.partial"
    mkdir -p "$largest.partial"
    for f in "$corpus"/*.jpg; do
        echo "$(( $(vipsheader -f width "$f") * $(vipsheader -f height "$f") )) $f"
    done | sort -rn | head -n 29 | while read -r _ file; do cp "$file" "$largest.partial/"; done
    mv "$largest.partial" "$largest"
fi
# One photo of 6000 x 4000 with chroma halved both ways, without and with markers: four of the
# largest side by side, with a sensor's grain, so it holds as much detail as a phone's photo.
single=$work/single
if [ ! -d "$single" ]; then
    rm -rf "$single.partial"
    mkdir -p "$single.partial/unmarked" "$single.partial/marked"
    vips arrayjoin "$(find "$largest" -name '*.jpg' | sort | head -n 4 | tr '\n' ' ')" \
        "$single.partial/joined.v" --across 2
    vips extract_area "$single.partial/joined.v" "$single.partial/area.v" 0 0 6000 4000
    vips gaussnoise "$single.partial/grain.v" 6000 4000 --sigma 10 --mean 0
    vips add "$single.partial/area.v" "$single.partial/grain.v" "$single.partial/sum.v"
    vips cast "$single.partial/sum.v" "$single.partial/big.v" uchar
    vips jpegsave "$single.partial/big.v" "$single.partial/unmarked/big.jpg" --Q 90 \
        --subsample-mode on
    rm "$single.partial"/*.v
    jpegtran -copy all -restart 1 -outfile "$single.partial/marked/big.jpg" \
        "$single.partial/unmarked/big.jpg"
    mv "$single.partial" "$single"
fi

count=$(find "$corpus" -maxdepth 1 -name '*.jpg' | wc -l)
megapixels=$(for f in "$corpus"/*.jpg; do echo $(( $(vipsheader -f width "$f") * $(vipsheader -f height "$f") )); done |
    awk '{ s += $1 } END { printf "%.0f", s / 1e6 }')
echo "corpus: $count photographs, $megapixels megapixels, thumbnails of size 100"

export PIXMOSA_REGISTRY=$work/registry.reg PIXMOSA_TEXT_STORE=$work/Pixmosa.dat
"$cli" set ThumbSize 100
"$cli" set ThumbsDir bench-thumbs
out=$work/out
measured=$work/measured
# Each run records its wall time, its processor time (user and system, children included) and
# its page faults in $measured.
timed() { "$root/build/release/bench/pixmosa-bench-timed" "$measured" "$@"; }
run_pixmosa() { timed "$cli" --image-dir "$corpus" thumbnails 2>/dev/null; }
run_plain() { timed "$cli" --image-dir "$plain" thumbnails 2>/dev/null; }
run_marked() { timed "$cli" --image-dir "$marked" thumbnails 2>/dev/null; }
run_plain1() { timed "$cli" --jobs 1 --image-dir "$plain" thumbnails 2>/dev/null; }
run_marked1() { timed "$cli" --jobs 1 --image-dir "$marked" thumbnails 2>/dev/null; }
run_largest() { timed "$cli" --image-dir "$largest" thumbnails 2>/dev/null; }
vips_over() { find "$1" -maxdepth 1 -name '*.jpg' -print0 |
    timed xargs -0 -P2 -n4 vipsthumbnail -s 100 -o "$out/vips-%s.jpg"; }
run_vips() { vips_over "$corpus"; }
run_vipsplain() { vips_over "$plain"; }
run_vipsmarked() { vips_over "$marked"; }
run_vipslargest() { vips_over "$largest"; }
run_convert() { find "$corpus" -maxdepth 1 -name '*.jpg' -print0 |
    timed xargs -0 -P2 -I{} sh -c 'convert "$1" -thumbnail 100x100 "$2/im-$(basename "$1")"' _ {} "$out"; }
run_djpeg() { find "$corpus" -maxdepth 1 -name '*.jpg' -print0 |
    timed xargs -0 -P2 -I{} djpeg -outfile /dev/null {}; }
run_single() { timed "$cli" --image-dir "$single/unmarked" thumbnails 2>/dev/null; }
run_singlemarked() { timed "$cli" --image-dir "$single/marked" thumbnails 2>/dev/null; }

names=(pixmosa plain marked plain1 marked1 largest vips vipsplain vipsmarked vipslargest convert
    djpeg single singlemarked)
# The photos each command reads. Some machines (virtual ones under memory reclaim) drop files
# that have not been read for a few seconds from the cache, so each command's photos are read
# once more just before it is timed: every command starts with its photos in memory.
declare -A photos=([pixmosa]=$corpus [plain]=$plain [marked]=$marked [plain1]=$plain
    [marked1]=$marked [largest]=$largest [vips]=$corpus [vipsplain]=$plain [vipsmarked]=$marked
    [vipslargest]=$largest [convert]=$corpus [djpeg]=$corpus [single]=$single/unmarked
    [singlemarked]=$single/marked)
declare -A times cores faults
for round in $(seq 0 "$rounds"); do
    for name in "${names[@]}"; do
        rm -rf "$out" "$corpus/bench-thumbs" "$plain/bench-thumbs" "$marked/bench-thumbs" \
            "$largest/bench-thumbs" "$single"/*/bench-thumbs
        mkdir -p "$out"
        cat "${photos[$name]}"/*.jpg >/dev/null
        "run_$name"
        if [ "$round" -gt 0 ]; then # round 0 warms the caches
            times[$name]+="$(awk '{ print $1 }' "$measured") "
            cores[$name]+="$(awk '{ printf "%.3f", ($2 + $3) / $1 }' "$measured") "
            faults[$name]+="$(awk '{ print $4 }' "$measured") "
        fi
    done
done
median() { tr ' ' '\n' | grep . | sort -g | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }
row() { # name, label
    printf "%-46s %8.3f s  %4.2f cores  %7d page faults\n" "$2" "$(echo "${times[$1]}" | median)" \
        "$(echo "${cores[$1]}" | median)" "$(echo "${faults[$1]}" | median)"
}
ratio() { # label, name, than
    printf "%-46s %5.2f\n" "$1" \
        "$(echo "$(echo "${times[$2]}" | median) / $(echo "${times[$3]}" | median)" | bc -l)"
}
echo "medians of $rounds rounds, each round running every command once in turn"
row pixmosa "pixmosa-cli thumbnails, photos as shipped"
row plain "pixmosa-cli, re-encoded plain"
row marked "pixmosa-cli, re-encoded alike with markers"
row plain1 "pixmosa-cli --jobs 1, plain"
row marked1 "pixmosa-cli --jobs 1, with markers"
row largest "pixmosa-cli thumbnails, the 29 largest"
row vips "vipsthumbnail -s 100, 2 processes"
row vipsplain "vipsthumbnail, plain"
row vipsmarked "vipsthumbnail, with markers"
row vipslargest "vipsthumbnail, the 29 largest"
row convert "convert -thumbnail 100x100, 2 processes"
row djpeg "djpeg full decode, 2 processes"
row single "pixmosa-cli, one 6000 x 4000 photo (4:2:0)"
row singlemarked "pixmosa-cli, the same photo with markers"
ratio "with markers / plain (pixmosa, wall)" marked plain
ratio "with markers pixmosa / vipsthumbnail" marked vipsmarked
ratio "plain pixmosa / vipsthumbnail" plain vipsplain
ratio "pixmosa / vipsthumbnail, as shipped" pixmosa vips
printf "%-46s %5.2f\n" "page faults with markers / plain, one job" \
    "$(echo "$(echo "${faults[marked1]}" | median) / $(echo "${faults[plain1]}" | median)" | bc -l)"
ratio "29 largest: pixmosa / vipsthumbnail" largest vipslargest
ratio "pixmosa / convert" pixmosa convert
ratio "pixmosa / djpeg" pixmosa djpeg
ratio "6000 x 4000: marked / unmarked" singlemarked single
echo
echo "the thumbnails of the like-for-like pair alone, without starting, listing and writing:"
"$root/build/release/bench/pixmosa-bench-restart-rows" "$plain" "$marked" "$rounds"
echo
"$root/build/release/bench/pixmosa-bench-memory" "$work/memory"
