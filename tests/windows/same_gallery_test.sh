#!/usr/bin/env bash
# The same photos and settings through the Linux pixmosa-cli and through pixmosa-cli.exe under
# Wine: every page and every thumbnail must come out the same, byte for byte. One picture per
# gallery page, so the index page's pick of a thumbnail is not left to chance.
# Usage: same_gallery_test.sh LINUX_CLI WINDOWS_CLI MAKE_TEST_PHOTOS_EXE
set -euo pipefail

linux_cli=$1
windows_cli=$2
make_photos=$3
wine=${PIXMOSA_WINE:-/usr/lib/wine/wine64}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

windows_path() { # Wine's drive Z: is the root of the Linux file system
    local path=${1//\//\\}
    printf 'Z:%s' "$path"
}

mkdir "$work/photos"
"$wine" "$make_photos" "$(windows_path "$work/photos")" \
    64x48 1.jpg 48x64@6 2.jpg 64x48@3 3.jpg 40x40@8 4.jpg 30x50 5.jpg 50x30@5 6.jpg
# Odd names given here, since a Windows program's arguments pass through its code page.
names=("plain.jpg" "Turned right.jpg" "Café 50%.jpg" "Photo #1&2.JPG" "日本の写真.jpeg"
    "[brackets] it's.jpg")
for i in "${!names[@]}"; do
    mv "$work/photos/$((i + 1)).jpg" "$work/photos/${names[$i]}"
done
printf 'not a photo' >"$work/photos/notes.txt"

make_gallery() { # side, then the program and its way of naming a path
    local side=$1 dir=$work/$1
    shift
    cp -r "$work/photos" "$dir"
    export PIXMOSA_REGISTRY PIXMOSA_TEXT_STORE
    PIXMOSA_REGISTRY=$("$path_of" "$work/$side.reg")
    PIXMOSA_TEXT_STORE=$("$path_of" "$work/$side.dat")
    local setting
    for setting in "Rows 1" "Columns 1" "ThumbSize 40" "GalleryTitle Ünïcode & <Photos>" \
        "ThumbsDir small thumbs" "ThumbPrefix t_" "Sorted 1"; do
        # shellcheck disable=SC2086 # name, then the value with its blanks
        "$@" set ${setting%% *} "${setting#* }" >/dev/null
    done
    printf 'Welcome to <b>%s</b>\n' "Ünïcode" | "$@" text set "Gallery Header"
    "$@" banks add "Bank one" >/dev/null
    "$@" --image-dir "$("$path_of" "$dir")" gallery >"$work/$side.out"
}

linux_name() { printf '%s' "$1"; }
path_of=linux_name
make_gallery linux "$linux_cli"
path_of=windows_path
make_gallery windows "$wine" "$windows_cli"

diff -r "$work/linux" "$work/windows"
count=$(find "$work/linux" -type f | wc -l)
pages=$(find "$work/linux" -name '*.html' | wc -l)
thumbnails=$(find "$work/linux/small thumbs" -type f | wc -l)
# The .jpeg is not listed, as on every platform.
[ "$pages" -eq 11 ] && [ "$thumbnails" -eq 5 ] || {
    echo "expected 11 pages and 5 thumbnails, found $pages and $thumbnails" >&2
    exit 1
}
echo "$count files the same from both builds: $pages pages, $thumbnails thumbnails"
