#!/usr/bin/env bash
# Installs the Debian packages the build needs when they are missing, builds, and then
#   run            starts the window, or, where no display is available, says so and makes a
#                  demo gallery from the photographs of Debian's mate-backgrounds package
#                  (fetched at run time) with pixmosa-cli, and prints its index page's path;
#   run cli ARGS   runs pixmosa-cli with ARGS instead;
#   test           checks the formatting, builds the core and pixmosa-cli alone without the
#                  window, builds with warnings as errors and runs every test (the browser and
#                  kill tests included), runs them all again built with AddressSanitizer and
#                  UndefinedBehaviorSanitizer, runs each fuzz target for 30 seconds, and then
#                  does what windows does;
#   windows        cross-builds pixmosa.exe and pixmosa-cli.exe for 64-bit Windows from Debian's
#                  sources, runs their tests under Wine and makes the installer and the portable
#                  zip in build/windows (tools/windows/build.sh tells the steps).
set -euo pipefail

mode=${1:-}
shift || true
case "$mode" in
run | test | windows) ;;
*)
    echo "usage: $0 run [ARGS...] | test | windows" >&2
    exit 2
    ;;
esac

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=$(nproc)

packages=(cmake make g++ pkg-config libgtest-dev libjpeg-dev libexif-dev liblcms2-dev qt6-base-dev)
if [ "$mode" = test ]; then
    # The browser test drives Debian's Chromium through Selenium; the fuzz targets are clang's;
    # the window's real-display tests run on a virtual X server with openbox and xdotool; the
    # browser test tags a photo with Ghostscript's Adobe RGB profile; a FAT file system mounted
    # through FUSE stands in for a camera card.
    packages+=(clang-format chromium chromium-driver python3-selenium clang libclang-rt-14-dev
        dpkg-dev desktop-file-utils appstream man-db xvfb openbox xdotool libgs-common fusefat
        dosfstools)
fi
if [ "$mode" = test ] || [ "$mode" = windows ]; then
    # The cross-compiler and what builds the dependencies from Debian's sources; Wine runs the
    # tests, a virtual display the window; NSIS makes the installer; the icon is drawn from
    # the scalable one.
    packages+=(g++-mingw-w64-x86-64-posix mingw-w64-tools nasm ninja-build dpkg-dev autoconf
        automake libtool autopoint gettext wine wine64 xvfb openbox xdotool wmctrl imagemagick nsis
        zip librsvg2-bin icoutils)
fi
missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
sudo=()
if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
fi
if [ ${#missing[@]} -gt 0 ]; then
    "${sudo[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi

build() { # directory, then CMake options
    local directory=$1
    shift
    cmake -S "$root" -B "$root/build/$directory" "$@"
    cmake --build "$root/build/$directory" --parallel "$jobs"
}

if [ "$mode" = run ]; then
    build release -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPIXMOSA_BUILD_TESTS=OFF -DPIXMOSA_BUILD_WINDOW=ON
    if [ "${1:-}" = cli ]; then
        shift
        exec "$root/build/release/src/cli/pixmosa-cli" "$@"
    fi
    if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
        exec "$root/build/release/src/window/pixmosa" "$@"
    fi
    echo "No display is available, so the window cannot start here."
    echo "Making a demo gallery with pixmosa-cli instead."
    demo=$root/build/demo
    if [ ! -d "$demo/photos" ]; then
        # Gathered aside and moved into place whole, so a failed download is tried again.
        rm -rf "$demo"
        mkdir -p "$demo/debs" "$demo/unpacked" "$demo/photos.partial"
        (cd "$demo/debs" && { apt-get download mate-backgrounds ||
            { "${sudo[@]}" apt-get update && apt-get download mate-backgrounds; }; })
        dpkg-deb -x "$demo"/debs/*.deb "$demo/unpacked"
        find "$demo/unpacked" -type f -iname '*.jpg' -exec cp -n {} "$demo/photos.partial/" \;
        mv "$demo/photos.partial" "$demo/photos"
    fi
    export PIXMOSA_REGISTRY=$demo/registry.reg PIXMOSA_TEXT_STORE=$demo/Pixmosa.dat
    "$root/build/release/src/cli/pixmosa-cli" set GalleryTitle "Pixmosa demo" >/dev/null
    "$root/build/release/src/cli/pixmosa-cli" --image-dir "$demo/photos" gallery
    echo "The demo gallery's index page: $demo/photos/index.html"
    exit 0
fi

linux_cli() { # the command line without the window, which the Windows build is compared with
    build core-only -DCMAKE_BUILD_TYPE=Release -DPIXMOSA_BUILD_WINDOW=OFF -DPIXMOSA_BUILD_TESTS=OFF \
        -DPIXMOSA_WARNINGS_AS_ERRORS=ON
}

if [ "$mode" = windows ]; then
    linux_cli
    exec bash "$root/tools/windows/build.sh" "$root/build/core-only/src/cli/pixmosa-cli"
fi

echo "== formatting"
find "$root/src" "$root/tests" "$root/bench" "$root/fuzz" -name '*.h' -o -name '*.cpp' | sort |
    xargs clang-format --dry-run --Werror

echo "== core and pixmosa-cli without the window"
linux_cli

echo "== everything, with the tests"
build test -DCMAKE_BUILD_TYPE=Debug -DPIXMOSA_WARNINGS_AS_ERRORS=ON
(cd "$root/build/test" && ctest --output-on-failure --parallel "$jobs")

echo "== everything again, under AddressSanitizer and UndefinedBehaviorSanitizer"
build sanitize -DCMAKE_BUILD_TYPE=Debug -DPIXMOSA_SANITIZE=ON -DPIXMOSA_WARNINGS_AS_ERRORS=ON
(cd "$root/build/sanitize" && ctest --output-on-failure --parallel "$jobs")

echo "== fuzzing"
bash "$root/fuzz/run.sh" 30

echo "== Windows"
bash "$root/tools/windows/build.sh" "$root/build/core-only/src/cli/pixmosa-cli"
