#!/usr/bin/env bash
# The installer under Wine, silently, for the current user and for every user: the programs land
# in the folder asked for with a Start-menu entry and an entry in the list of programs,
# pixmosa-cli.exe runs from there, and the uninstaller takes away what was installed but not the
# page texts the program kept beside itself.
# Usage: installer_test.sh SETUP_EXE
set -euo pipefail

setup=$1
wine=${PIXMOSA_WINE:-/usr/lib/wine/wine64}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "$*" >&2
    exit 1
}

# mode (CurrentUser or AllUsers), the registry root of its entry, the variable of its Start menu
try_mode() {
    local mode=$1 root=$2 menu_variable=$3
    local target=$work/$mode/Pixmosa
    local uninstall_key="$root\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Pixmosa"
    mkdir -p "$work/$mode"
    "$wine" "$setup" /S "/$mode" "/D=$(printf 'Z:%s' "${target//\//\\}")"
    local file
    for file in pixmosa.exe pixmosa-cli.exe Qt6Widgets.dll platforms/qwindows.dll \
        styles/qwindowsvistastyle.dll help/pixmosa.html LICENSE.txt Uninstall.exe; do
        [ -f "$target/$file" ] || fail "$mode: the installer did not install $file"
    done
    local menu shortcut
    menu=$("$wine" cmd /c echo "%$menu_variable%" | tr -d '\r')
    shortcut=$("$wine" winepath -u "$menu\\Microsoft\\Windows\\Start Menu\\Programs\\Pixmosa.lnk")
    [ -f "$shortcut" ] || fail "$mode: no Start-menu entry at $shortcut"
    "$wine" reg query "$uninstall_key" /v UninstallString >/dev/null 2>&1 ||
        fail "$mode: no entry in the list of programs"
    local version
    version=$(PIXMOSA_REGISTRY="Z:${work//\//\\}\\registry.reg" "$wine" "$target/pixmosa-cli.exe" \
        --version | tr -d '\r')
    echo "$mode: installed $version"

    printf '[Gallery Header]\r\nmine\r\n' >"$target/Pixmosa.dat"
    "$wine" "$target/Uninstall.exe" /S "/$mode"
    # The uninstaller works from a copy of itself, which the call does not wait for.
    for _ in $(seq 1 300); do
        [ -f "$target/pixmosa.exe" ] || [ -f "$target/Uninstall.exe" ] || break
        sleep 0.1
    done
    local left
    left=$(cd "$target" && find . -mindepth 1 | sort | tr '\n' ' ')
    [ "$left" = "./Pixmosa.dat " ] || fail "$mode: after uninstalling, the folder holds: $left"
    [ ! -f "$shortcut" ] || fail "$mode: the Start-menu entry stayed"
    if "$wine" reg query "$uninstall_key" >/dev/null 2>&1; then
        fail "$mode: the entry in the list of programs stayed"
    fi
    echo "$mode: uninstalled; the page texts stayed"
}

try_mode CurrentUser HKCU APPDATA
try_mode AllUsers HKLM ProgramData
