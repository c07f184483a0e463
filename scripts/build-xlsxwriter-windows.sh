#!/usr/bin/env bash
# Usage: scripts/build-xlsxwriter-windows.sh <install folder>
# Builds libxlsxwriter for Windows x86-64 with MinGW-w64 from Debian's source package, the
# version the Linux build uses, as a static library that links Debian's zlib for MinGW-w64
# statically too, so that the program needs no further DLL; installs it into
# <install folder>. Under a minute; scripts/lib/setup-windows.sh calls it when no copy is
# cached.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/setup.sh
source scripts/lib/run-quietly.sh
source scripts/lib/debian-source.sh
ensure_packages g++-mingw-w64-x86-64-posix libz-mingw-w64-dev libxlsxwriter-dev dpkg-dev

[ $# -eq 1 ] || { echo "usage: $0 <install folder>" >&2; exit 2; }
prefix=$(realpath -m "$1")
toolchain=$PWD/cmake/mingw-w64-x86_64.cmake
version=$(dpkg-query -W -f='${source:Version}' libxlsxwriter-dev)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
download_debian_source "libxlsxwriter=$version"
tar -xf libxlsxwriter_*.orig.tar.*
run_quietly configure.log cmake -S libxlsxwriter-* -B build -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF -DZLIB_USE_STATIC_LIBS=ON \
    -DBUILD_TESTS=OFF -DBUILD_EXAMPLES=OFF
run_quietly build.log cmake --build build --parallel 2
cmake --install build >/dev/null
echo "libxlsxwriter for Windows installed in $prefix"
