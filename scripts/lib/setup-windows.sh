# shellcheck shell=bash
# Sourced by the Windows scripts, after scripts/lib/setup.sh: the MinGW-w64 cross compiler,
# Qt for Windows, Wine, and the build folder build/windows.
#
# Qt for Windows is unpacked once into ${XDG_CACHE_HOME:-~/.cache}/ductcalc/ from the
# tarball $DUCTCALC_QT_WINDOWS_CACHE (by default the one in ../shared/windows/ beside the
# clone) or, where that is absent, built from Debian's source by scripts/build-qt-windows.sh.
# libxlsxwriter for Windows is built there too, once, by scripts/build-xlsxwriter-windows.sh.

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

# Sets xlsxwriter_windows, once the package of the Linux build is installed.
ensure_xlsxwriter_windows() {
    xlsxwriter_windows=$ductcalc_cache/xlsxwriter-$(dpkg-query -W -f='${source:Version}' \
        libxlsxwriter-dev)-mingw
    [ -f "$xlsxwriter_windows/.complete" ] && return 0
    rm -rf "$xlsxwriter_windows"
    ./scripts/build-xlsxwriter-windows.sh "$xlsxwriter_windows"
    touch "$xlsxwriter_windows/.complete"
}

# Installs what is missing (the arguments too) and configures build/windows with the preset
# windows, which reads the folders of Qt and libxlsxwriter from DUCTCALC_QT_WINDOWS and
# DUCTCALC_XLSXWRITER_WINDOWS.
configure_windows_build() {
    ensure_packages g++-mingw-w64-x86-64-posix wine64 "$@"
    ensure_qt_windows
    ensure_xlsxwriter_windows
    DUCTCALC_QT_WINDOWS=$qt_windows DUCTCALC_XLSXWRITER_WINDOWS=$xlsxwriter_windows \
        cmake --preset windows >/dev/null
}
