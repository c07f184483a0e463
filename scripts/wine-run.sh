#!/bin/sh
# Usage: scripts/wine-run.sh <program.exe> [arguments]
# Runs a program built for Windows under Wine: the build's CMAKE_CROSSCOMPILING_EMULATOR.
# Unless WINEPREFIX says otherwise, Wine keeps its C: drive and registry in a prefix of the
# project's own, made on first use; Wine's .NET and browser engines are not needed.
set -eu
: "${WINEPREFIX:=${XDG_CACHE_HOME:-$HOME/.cache}/ductcalc/wine}"
: "${WINEDEBUG:=-all}"
export WINEPREFIX WINEDEBUG WINEARCH=win64
wine=/usr/lib/wine/wine64
# A mark of its own: a running Wine server writes the registry files only when it stops.
if [ ! -f "$WINEPREFIX/.made" ]; then
    mkdir -p "$WINEPREFIX"
    flock "$WINEPREFIX" sh -c '
        [ -f "$WINEPREFIX/.made" ] && exit 0
        echo "Creating the Wine prefix $WINEPREFIX" >&2
        WINEDLLOVERRIDES="mscoree,mshtml=" "$0" wineboot --init >"$WINEPREFIX.log" 2>&1 ||
            { cat "$WINEPREFIX.log" >&2; exit 1; }
        touch "$WINEPREFIX/.made"' "$wine"
fi
# Wine hands a program the variables QT_* of the environment only under the names WINEQT_*,
# and Qt writes its messages and test logs to a debugger unless told to use the standard
# streams when they are no console.
for variable in $(env | sed -n 's/^\(QT_[A-Za-z0-9_]*\)=.*/\1/p'); do
    export "WINE$variable=$(printenv "$variable")"
done
export WINEQT_FORCE_STDERR_LOGGING=1
exec "$wine" "$@"
