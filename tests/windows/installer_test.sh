#!/usr/bin/env bash
# The installer under Wine, silently and for the current user: the programs land in the
# folder asked for with a Start-menu entry and an entry in the list of programs, pixmosa-cli.exe
# runs from there, and the uninstaller takes away what was installed but not the page texts
# the program kept beside itself.
# Usage: installer_test.sh SETUP_EXE
set -euo pipefail

setup=$1
wine=${PIXMOSA_WINE:-/usr/lib/wine/wine64}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
target=$work/Pixmosa
windows_target=$(printf 'Z:%s' "${target//\//\\}")
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Pixmosa'

fail() {
    echo "$*" >&2
    exit 1
}

"$wine" "$setup" /S /CurrentUser "/D=$windows_target"
for file in pixmosa.exe pixmosa-cli.exe Qt6Widgets.dll platforms/qwindows.dll \
    styles/qwindowsvistastyle.dll help/pixmosa.html LICENSE.txt Uninstall.exe; do
    [ -f "$target/$file" ] || fail "the installer did not install $file"
done
start_menu=$("$wine" cmd /c echo %APPDATA% | tr -d '\r')
shortcut=$("$wine" winepath -u "$start_menu\\Microsoft\\Windows\\Start Menu\\Programs\\Pixmosa.lnk")
[ -f "$shortcut" ] || fail "no Start-menu entry at $shortcut"
"$wine" reg query "$uninstall_key" /v UninstallString >/dev/null 2>&1 ||
    fail "no entry in the list of programs"
version=$(PIXMOSA_REGISTRY="Z:${work//\//\\}\\registry.reg" "$wine" "$target/pixmosa-cli.exe" --version |
    tr -d '\r')
echo "installed: $version"

printf '[Gallery Header]\r\nmine\r\n' >"$target/Pixmosa.dat"
"$wine" "$target/Uninstall.exe" /S /CurrentUser
# The uninstaller works from a copy of itself, which the call does not wait for.
for _ in $(seq 1 300); do
    [ -f "$target/pixmosa.exe" ] || [ -f "$target/Uninstall.exe" ] || break
    sleep 0.1
done
left=$(cd "$target" && find . -mindepth 1 | sort | tr '\n' ' ')
[ "$left" = "./Pixmosa.dat " ] || fail "after uninstalling, the folder holds: $left"
[ ! -f "$shortcut" ] || fail "the Start-menu entry stayed"
if "$wine" reg query "$uninstall_key" >/dev/null 2>&1; then
    fail "the entry in the list of programs stayed"
fi
echo "installed and uninstalled for the current user; the page texts stayed"
