#!/usr/bin/env bash
# Usage: scripts/build-qt-windows.sh <install folder>
# Builds Qt for Windows x86-64 with MinGW-w64 from Debian's source package of qtbase, the
# version of the host Qt whose tools (moc, rcc, uic) the cross build uses, and installs Qt
# Core, Gui, Widgets and Test with their plugins into <install folder>. About 40 minutes on
# 2 cores; scripts/lib/setup-windows.sh calls it when no prebuilt copy is at hand.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/setup.sh
source scripts/lib/run-quietly.sh
source scripts/lib/debian-source.sh
ensure_packages g++-mingw-w64-x86-64-posix qt6-base-dev-tools dpkg-dev xz-utils

[ $# -eq 1 ] || { echo "usage: $0 <install folder>" >&2; exit 2; }
prefix=$(realpath -m "$1")
toolchain=$PWD/cmake/mingw-w64-x86_64.cmake
version=$(dpkg-query -W -f='${Version}' qt6-base-dev)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
download_debian_source "qt6-base=$version"
tar -xJf qt6-base_*.orig.tar.xz
# No OpenGL and no modules the program does not use. Debian's source leaves out the
# tablet header wintab.h, hence no tablet events.
run_quietly configure.log cmake -S qtbase-everywhere-src-* -B build -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DINPUT_opengl=no \
    -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_concurrent=OFF -DFEATURE_network=OFF \
    -DFEATURE_printsupport=OFF -DFEATURE_xml=OFF -DFEATURE_vulkan=OFF \
    -DFEATURE_tabletevent=OFF
run_quietly build.log cmake --build build --parallel 2
cmake --install build >/dev/null
echo "Qt for Windows installed in $prefix"
