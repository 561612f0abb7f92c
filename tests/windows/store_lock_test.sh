#!/usr/bin/env bash
# Two pixmosa-cli.exe processes under Wine add banner banks to one text store at once, each
# reaching it by another path (C:\... and the same folder through Z:, Wine's drive of the Unix
# root): the store's lock belongs to the file, so every bank of both is kept.
# Usage: store_lock_test.sh PIXMOSA_CLI_EXE
set -euo pipefail

program=$1
wine=${PIXMOSA_WINE:-/usr/lib/wine/wine64}
folder=$WINEPREFIX/drive_c/store-lock-test
rm -rf "$folder"
mkdir -p "$folder"
plain='C:\store-lock-test\Pixmosa.dat'
other="Z:${folder//\//\\}\\Pixmosa.dat"
export PIXMOSA_REGISTRY='C:\store-lock-test\registry.reg'
each=15

for spelling in "$plain" "$other"; do
    (
        for n in $(seq 1 "$each"); do
            PIXMOSA_TEXT_STORE=$spelling "$wine" "$program" banks add "${spelling:0:1}-$n" \
                >/dev/null
        done
    ) &
done
wait
kept=$(PIXMOSA_TEXT_STORE=$plain "$wine" "$program" banks list | tr -d '\r' | grep -c . || true)
if [ "$kept" -ne $((2 * each)) ]; then
    echo "the store holds $kept banks of $((2 * each)) added through two paths at once" >&2
    exit 1
fi
if compgen -G "$folder/*.lock" >/dev/null || compgen -G "$folder/.*tmp-*" >/dev/null; then
    echo "a lock or temporary file was left beside the store: $(ls -a "$folder")" >&2
    exit 1
fi
echo "$kept banks kept, added through $plain and $other at once"
rm -rf "$folder"
