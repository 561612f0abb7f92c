#!/usr/bin/env bash
# Cross-builds Pixmosa for 64-bit Windows into build/windows, from the dependencies that
# dependencies.sh builds from Debian's sources into a cache outside the checkout
# (PIXMOSA_WINDOWS_CACHE, else ~/.cache/pixmosa-windows); runs the Windows tests under Wine,
# the window's smoke test on a virtual display, and packs build/windows/pixmosa-VERSION-setup.exe
# and pixmosa-VERSION-portable.zip, trying the installer under Wine.
# Usage: bash tools/windows/build.sh LINUX_PIXMOSA_CLI
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
linux_cli=${1:?usage: build.sh LINUX_PIXMOSA_CLI}
jobs=$(nproc)
build=$root/build/windows
cache=${PIXMOSA_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/pixmosa-windows}

started=$SECONDS
mapfile -t prefixes < <(bash "$here/dependencies.sh" "$cache")
[ ${#prefixes[@]} -eq 2 ] || { echo "the Windows dependencies were not built" >&2; exit 1; }
libraries=${prefixes[0]}
qt=${prefixes[1]}
echo "dependencies ready in $((SECONDS - started)) s: $libraries, $qt"

# A Wine of the build's own, kept running while the build needs it (test discovery runs the
# tests at build time); Mono and Gecko are not needed.
export WINEPREFIX=$build/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
wineserver -k 2>/dev/null || true
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT
/usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1

export PIXMOSA_WINDOWS_PREFIX="$libraries;$qt"
export PKG_CONFIG_LIBDIR=$libraries/lib/pkgconfig PKG_CONFIG_SYSROOT_DIR=/
cmake -S "$root" -B "$build/cmake" -DCMAKE_TOOLCHAIN_FILE="$here/mingw-toolchain.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DPIXMOSA_BUILD_WINDOW=ON -DPIXMOSA_BUILD_TESTS=ON \
    -DPIXMOSA_WARNINGS_AS_ERRORS=ON -DCMAKE_PREFIX_PATH="$qt" -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake -DPIXMOSA_LINUX_CLI="$linux_cli"
cmake --build "$build/cmake" --parallel "$jobs"

started=$SECONDS
(cd "$build/cmake" && ctest --output-on-failure --parallel "$jobs")
echo "Windows tests passed under Wine in $((SECONDS - started)) s"

bash "$root/tests/windows/store_lock_test.sh" "$build/cmake/src/cli/pixmosa-cli.exe"

stage=$build/stage
rm -rf "$stage"
cmake --install "$build/cmake" --prefix "$stage"
bash "$root/tests/windows/window_smoke_test.sh" "$stage/pixmosa.exe" "$build/window.png"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/cmake/CMakeCache.txt")
# The uninstaller removes what was installed, file by file.
(cd "$stage" && find . -type f | sort | sed 's|^\./||; s|/|\\|g; s|.*|    Delete "$INSTDIR\\&"|' &&
    find . -mindepth 1 -type d | sort -r | sed 's|^\./||; s|/|\\|g; s|.*|    RMDir "$INSTDIR\\&"|') \
    >"$build/installed-files.nsh"
setup=$build/pixmosa-$version-setup.exe
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DICON="$build/cmake/data/pixmosa.ico" \
    -DFILES="$build/installed-files.nsh" -DOUTFILE="$setup" "$here/installer.nsi"
portable=$build/pixmosa-$version-portable.zip
rm -rf "$build/Pixmosa-$version" "$portable"
cp -r "$stage" "$build/Pixmosa-$version"
(cd "$build" && zip -qr "$portable" "Pixmosa-$version")
rm -rf "$build/Pixmosa-$version"
bash "$root/tests/windows/installer_test.sh" "$setup"
echo "The installer: $setup ($(stat -c %s "$setup") bytes)"
echo "The portable copy: $portable ($(stat -c %s "$portable") bytes)"
