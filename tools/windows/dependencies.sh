#!/usr/bin/env bash
# Cross-builds what Pixmosa links on Windows from Debian's own source packages: libjpeg-turbo,
# libexif, Little CMS and GoogleTest (static), and Qt 6's base (shared, with the Windows platform
# plugin).
# Each lands in a folder of the cache named by a key made of the source versions, the build
# options (this script and the toolchain file) and the patches, so a second run reuses it and
# a changed key builds anew. Prints the two prefixes, libraries first, then Qt.
# Usage: bash tools/windows/dependencies.sh CACHE_DIR
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
cache=${1:?usage: dependencies.sh CACHE_DIR}
jobs=$(nproc)
toolchain=$here/mingw-toolchain.cmake
mkdir -p "$cache"

# Debian's sources through a list of the build's own, so the system's apt set-up is untouched.
apt_dir=$cache/apt
mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial"
for list in /etc/apt/sources.list.d/*.sources; do
    sed 's/^Types: deb$/Types: deb-src/' "$list" >"$apt_dir/sources.list.d/$(basename "$list")"
done
apt_options=(-o "Dir::Etc::SourceList=/dev/null" -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
    -o "Dir::State::Lists=$apt_dir/lists")
if [ -z "$(find "$apt_dir/lists" -name '*Sources*' -mmin -1440 2>/dev/null | head -n 1)" ]; then
    apt-get "${apt_options[@]}" update -qq >&2
fi
version_of() { apt-cache "${apt_options[@]}" showsrc "$1" | awk '/^Version:/ { print $2; exit }'; }

key_of() { # the packages, then the files that decide how they are built
    {
        for package in $1; do echo "$package $(version_of "$package")"; done
        shift
        cat "$@"
    } | sha256sum | cut -c1-16
}

# Unpacks a source package into $2 and prints its folder.
unpack() {
    local package=$1 into=$2
    mkdir -p "$into"
    (cd "$into" && apt-get "${apt_options[@]}" source --download-only "$package" >/dev/null 2>&1 &&
        dpkg-source --no-check -x ./*.dsc source >/dev/null)
    echo "$into/source"
}

libraries_key=$(key_of "libjpeg-turbo libexif lcms2 googletest" "$0" "$toolchain")
libraries=$cache/libraries-$libraries_key
# Installed where they stay (their .pc and CMake files name the prefix), and marked complete
# only at the end, so an interrupted build is started again.
if [ ! -f "$libraries/complete" ]; then
    work=$cache/work-libraries
    rm -rf "$work" "$libraries"
    mkdir -p "$work" "$libraries"
    export PIXMOSA_WINDOWS_PREFIX=$libraries

    source=$(unpack libjpeg-turbo "$work/jpeg")
    cmake -S "$source" -B "$work/jpeg/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$libraries" \
        -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF >&2
    cmake --build "$work/jpeg/build" --parallel "$jobs" --target install >&2

    source=$(unpack libexif "$work/exif")
    (cd "$source" && autoreconf -fi >&2 &&
        ./configure --host=x86_64-w64-mingw32 --prefix="$libraries" --disable-shared \
            --enable-static --disable-nls --disable-docs >&2 &&
        make -j"$jobs" -C libexif >&2 && make -C libexif install >&2 &&
        mkdir -p "$libraries/lib/pkgconfig" &&
        cp libexif.pc "$libraries/lib/pkgconfig/")

    source=$(unpack lcms2 "$work/lcms2")
    (cd "$source" && ./configure --host=x86_64-w64-mingw32 --prefix="$libraries" \
        --disable-shared --enable-static --without-jpeg --without-tiff >&2 &&
        make -j"$jobs" -C src >&2 && make -C src install >&2 && make install-pkgconfigDATA >&2 &&
        make -C include install >&2)

    source=$(unpack googletest "$work/gtest")
    cmake -S "$source" -B "$work/gtest/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$libraries" \
        -DBUILD_SHARED_LIBS=OFF -DBUILD_GMOCK=OFF >&2
    cmake --build "$work/gtest/build" --parallel "$jobs" --target install >&2

    touch "$libraries/complete"
    rm -rf "$work"
fi
echo "$libraries"

# Qt's base, shared, with the Windows platform plugin and the Vista style: only the modules the
# window uses. Debian's tarball leaves out the tablet headers, so tablet events are off, and
# the patch mends the Windows plugin of a build without Direct2D and OpenGL.
qt_patch=$here/qt-windows-plugin.patch
qt_key=$(key_of "qt6-base" "$0" "$toolchain" "$qt_patch")
qt=$cache/qt-$qt_key
if [ ! -f "$qt/complete" ]; then
    work=$cache/work-qt
    rm -rf "$work" "$qt"
    mkdir -p "$work" "$qt"
    source=$(unpack qt6-base "$work")
    patch -d "$source" -p1 <"$qt_patch" >&2
    features=()
    for feature in tabletevent opengl vulkan sql network dbus xml concurrent printsupport \
        testlib direct2d; do
        features+=("-DFEATURE_$feature=OFF")
    done
    cmake -G Ninja -S "$source" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$qt" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DQT_QMAKE_TARGET_MKSPEC=win32-g++ -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
        "${features[@]}" >&2
    cmake --build "$work/build" --parallel "$jobs" >&2
    cmake --install "$work/build" >&2
    touch "$qt/complete"
    rm -rf "$work"
fi
echo "$qt"
