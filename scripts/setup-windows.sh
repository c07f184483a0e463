# Sourced by the Windows scripts, after scripts/setup.sh: the MinGW-w64 cross compiler, Qt
# for Windows, Wine, and the build folder build/windows.
#
# Qt for Windows is unpacked once into ${XDG_CACHE_HOME:-~/.cache}/ductcalc/ from the
# tarball $DUCTCALC_QT_WINDOWS_CACHE (by default the one in ../shared/windows/ beside the
# clone) or, where that is absent, built from Debian's source by scripts/build-qt-windows.sh.

ductcalc_cache=${XDG_CACHE_HOME:-$HOME/.cache}/ductcalc
qt_windows=$ductcalc_cache/qt-6.4.2-mingw/qt-win
qt_windows_cache=${DUCTCALC_QT_WINDOWS_CACHE:-$PWD/../shared/windows/qt-6.4.2-mingw-w64-x86_64.tgz}
windows_build=build/windows
wine=$PWD/scripts/wine-run.sh
# Wine keeps its C: drive and registry in a prefix: this checkout's own, so that stopping
# its Wine server touches no other.
export WINEPREFIX=$PWD/$windows_build/wine

ensure_qt_windows() {
    [ -f "$qt_windows/.complete" ] && return 0
    rm -rf "$qt_windows"
    if [ -f "$qt_windows_cache" ]; then
        echo "Unpacking Qt for Windows from $qt_windows_cache"
        local unpacked="$qt_windows.unpacking"
        rm -rf "$unpacked"
        mkdir -p "$unpacked"
        tar -xzf "$qt_windows_cache" -C "$unpacked"
        mv "$unpacked/qt-win" "$qt_windows"
        rmdir "$unpacked"
    else
        echo "No Qt for Windows at $qt_windows_cache: building it from Debian's source (long)"
        ./scripts/build-qt-windows.sh "$qt_windows"
    fi
    touch "$qt_windows/.complete"
}

# Installs what is missing (the arguments too) and configures build/windows: Release, warnings
# as errors, the program and its DLLs at the top of the install folder, and every program the
# build runs, the tests included, through Wine.
configure_windows_build() {
    ensure_packages g++-mingw-w64-x86-64-posix wine64 "$@"
    ensure_qt_windows
    cmake -S . -B "$windows_build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
        -DQT_WIN_PREFIX="$qt_windows" -DCMAKE_PREFIX_PATH="$qt_windows" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DCMAKE_CROSSCOMPILING_EMULATOR="$wine" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_BINDIR=. \
        -DDUCTCALC_WARNINGS_AS_ERRORS=ON >/dev/null
}
