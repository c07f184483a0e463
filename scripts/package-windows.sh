#!/usr/bin/env bash
# Cross-builds the program for Windows x86-64 with MinGW-w64 and packs it with the Qt and
# MinGW runtime DLLs, the Qt plugins it loads and Qt's own Chinese texts (translations/,
# Debian's qtbase_zh_CN.qm): prints
# build/windows/ductcalc-<version>-windows-x86_64.zip (绿色版: unzipped anywhere, ductcalc.exe
# runs) and build/windows/ductcalc-<version>-windows-x86_64-setup.exe (安装版, made with NSIS
# from cmake/ductcalc-setup.nsi), the setup program last.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/setup.sh
source scripts/lib/setup-windows.sh
source scripts/lib/run-quietly.sh

configure_windows_build nsis
run_quietly "$windows_build/build.log" cmake --build "$windows_build" -j2 --target ductcalc

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$windows_build/CMakeCache.txt")
name=ductcalc-$version-windows-x86_64
staging=$windows_build/zip
rm -rf "$staging" "$windows_build/$name.zip"
cmake --install "$windows_build" --prefix "$staging/$name" --strip >/dev/null
(cd "$staging" && cmake -E tar cf "../$name.zip" --format=zip "$name")
echo "$windows_build/$name.zip"
run_quietly "$windows_build/setup.log" makensis -V2 -DVERSION="$version" \
    -DSOURCE="$PWD/$staging/$name" -DOUTFILE="$PWD/$windows_build/$name-setup.exe" \
    cmake/ductcalc-setup.nsi
echo "$windows_build/$name-setup.exe"
