#!/usr/bin/env bash
# Installs the built programs the way a user or a distribution would, and checks that the
# installed ones work: into a prefix (cmake --install --prefix), into a staging root (DESTDIR),
# or as the Debian package that cpack makes, unpacked with dpkg -x. Each installed
# pixmosa-cli prints its version and makes a gallery; the desktop entry, the AppStream
# metadata and both man pages validate; the help page lies where the installed window looks
# for it (share/pixmosa/help beside its bin).
# Usage: install_test.sh BUILD_DIR prefix|destdir|package MAKE_TEST_PHOTOS
set -euo pipefail

build=$1
mode=$2
photos=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

case $mode in
prefix)
    cmake --install "$build" --prefix "$work/root/opt/pixmosa" >/dev/null
    installed=$work/root/opt/pixmosa
    ;;
destdir)
    DESTDIR=$work/root cmake --install "$build" --prefix /usr >/dev/null
    installed=$work/root/usr
    ;;
package)
    (cd "$work" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/package" >/dev/null)
    deb=$(ls "$work"/package/*.deb)
    dpkg-deb --field "$deb" Package Version Depends | sed 's/^/  /'
    dpkg-deb --field "$deb" Depends | grep -q "libjpeg62-turbo"
    dpkg -x "$deb" "$work/root"
    installed=$work/root/usr
    ;;
*)
    echo "unknown mode $mode" >&2
    exit 2
    ;;
esac

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cli=$installed/bin/pixmosa-cli
test -x "$cli" || fail "no pixmosa-cli in $installed/bin"
test -x "$installed/bin/pixmosa" || fail "no pixmosa in $installed/bin"
version=$("$cli" --version)
[[ $version =~ ^pixmosa-cli\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "pixmosa-cli --version gave '$version'"
[[ $("$installed/bin/pixmosa" --version) == "pixmosa ${version#pixmosa-cli }" ]] ||
    fail "pixmosa --version differs"

export PIXMOSA_REGISTRY=$work/registry.reg PIXMOSA_TEXT_STORE=$work/Pixmosa.dat
mkdir "$work/pics"
"$photos" "$work/pics" 400x300 a.jpg 300x400@6 b.jpg
"$cli" --image-dir "$work/pics" gallery 2>"$work/gallery.txt" || { cat "$work/gallery.txt"; fail "gallery"; }
grep -q "Total Images: 2<BR>" "$work/pics/index.html" || fail "no gallery made"
tail -c 9 "$work/pics/Gallery1.html" | grep -q "</HTML>" || fail "gallery page not whole"

desktop-file-validate "$installed/share/applications/org.pixmosa.Pixmosa.desktop" ||
    fail "desktop entry"
appstreamcli validate --no-net "$installed/share/metainfo/org.pixmosa.Pixmosa.metainfo.xml" \
    >"$work/appstream.txt" || { cat "$work/appstream.txt"; fail "AppStream metadata"; }
test -f "$installed/share/icons/hicolor/scalable/apps/org.pixmosa.Pixmosa.svg" || fail "icon"
test -f "$installed/share/pixmosa/help/pixmosa.html" || fail "help page"
test -f "$installed/share/bash-completion/completions/pixmosa-cli" || fail "completion"
test -f "$installed/share/doc/pixmosa/copyright" || fail "licence"
for page in pixmosa pixmosa-cli; do
    warnings=$(MANWIDTH=80 man --warnings -l "$installed/share/man/man1/$page.1" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man $page: $warnings"
done
echo "installed by $mode: $version works"
echo "1 passed, 0 failed"
