#!/usr/bin/env bash
# pixmosa.exe under Wine on a virtual X server with openbox: the window appears under its
# caption, keeps its size when the window manager is asked to maximise it (the fixed dialog
# frame offers no maximising), a picture of it is taken, and closing it through the window
# manager (Alt+F4) ends the program and stores the window's place in the registry, Wine's
# real one.
# Usage: window_smoke_test.sh PIXMOSA_EXE SCREENSHOT_PNG
set -euo pipefail

program=$1
screenshot=$2
wine=${PIXMOSA_WINE:-/usr/lib/wine/wine64}
key='HKCU\Software\Brevant Software\Pixmosa'
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 1 200); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(head -n 1 "$work/display")
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
sleep 1

"$wine" reg delete "$key" /f >/dev/null 2>&1 || true
# The page texts go to a file of the test's, not beside the program.
PIXMOSA_TEXT_STORE=$(printf 'Z:%s' "${work//\//\\}\\Pixmosa.dat") \
    env -u PIXMOSA_REGISTRY "$wine" "$program" >"$work/program.log" 2>&1 &
program_pid=$!
pids+=("$program_pid")

window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Pixmosa v' | head -n 1)
[ -n "$window" ] || { echo "no window with the caption 'Pixmosa v...' appeared" >&2; exit 1; }
echo "window: $(xdotool getwindowname "$window")"
sleep 2  # drawn
before=$(xdotool getwindowgeometry "$window" | grep Geometry)
wmctrl -i -r "$window" -b add,maximized_vert,maximized_horz 2>/dev/null ||
    xdotool windowactivate --sync "$window" key --clearmodifiers super+Up
sleep 1
after=$(xdotool getwindowgeometry "$window" | grep Geometry)
import -window root "$screenshot"
if [ "$before" != "$after" ]; then
    echo "asked to maximise, the window changed its size: $before, then $after" >&2
    exit 1
fi
echo "asked to maximise, the window kept its size ($after)"

xdotool windowactivate --sync "$window" key --clearmodifiers alt+F4
for _ in $(seq 1 100); do
    kill -0 "$program_pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$program_pid" 2>/dev/null; then
    echo "the program still runs 10 s after Alt+F4" >&2
    exit 1
fi

stored=$("$wine" reg query "$key" 2>/dev/null | tr -d '\r')
for value in Top Left; do
    grep -Eq "^ +$value +REG_DWORD" <<<"$stored" || {
        printf 'no %s in the registry after closing; the key holds:\n%s\n' "$value" "$stored" >&2
        exit 1
    }
done
echo "closed through the window manager; the registry holds the window's place:"
grep -E "^ +(Top|Left) " <<<"$stored"
