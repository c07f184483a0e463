#!/usr/bin/env bash
# The Windows program under Wine: builds the zip and the setup program
# (scripts/package-windows.sh), runs every
# test cross-built for Windows, then unzips the zip into a scratch folder, starts
# ductcalc.exe from there on a virtual display, waits for its window "风速计算", takes a
# screenshot (build/windows/screenshot.png) and closes it; then opens a system file with it
# and exports the file in every format.
set -euo pipefail
cd "$(dirname "$0")/.."
{ read -r zip; read -r setup; } < <(./scripts/package-windows.sh | tail -n 2)
source scripts/lib/setup.sh
source scripts/lib/setup-windows.sh
source scripts/lib/run-quietly.sh
configure_windows_build xvfb xauth xdotool imagemagick unzip poppler-utils nsis

# Each check stops the script with what failed; set -e alone would pass over a failed test
# inside a list or a negation.
check() { "$@" || { echo "Check failed: $*" >&2; exit 1; }; }
absent() { ! "$@" >/dev/null 2>&1; }
run_quietly "$windows_build/build.log" cmake --build "$windows_build" -j2

# One Wine server with its system processes, kept running across the tests, spares each
# test Wine's start-up; tests starting it together would stall one another. The system
# processes are started here, away from the output of any test, which they would hold open.
mkdir -p "$WINEPREFIX"
/usr/lib/wine/wineserver --wait # for a server still stopping after the build
/usr/lib/wine/wineserver -p
scratch=$(mktemp -d)
trap '/usr/lib/wine/wineserver --kill; rm -rf "$scratch"' EXIT
"$wine" cmd /c exit </dev/null >/dev/null 2>&1
ctest --test-dir "$windows_build" --output-on-failure --no-tests=error -j2
# Wine's desktop started without a display: the window needs one started on the virtual one.
/usr/lib/wine/wineserver --kill
/usr/lib/wine/wineserver --wait

# Qt's own Chinese texts travel in the zip, where the program looks for them.
check grep -q "/translations/qtbase_zh_CN.qm$" <(unzip -Z1 "$zip")
unzip -q "$zip" -d "$scratch"
program=$(echo "$scratch"/*/ductcalc.exe)
# Only the DLLs beside the program: no search path into the build machine's folders.
env -u WINEPATH xvfb-run -a -s "-screen 0 1280x800x24" \
    scripts/open-window.sh 30 "$windows_build/screenshot.png" "$wine" "$program"
convert "$windows_build/screenshot.png" -trim +repage "$windows_build/screenshot.png"

# The zip's program opens a system file given to it, as the file association does, and
# exports one to CSV without a window.
example="$scratch/system-example.ductsys"
cp docs/system-example.ductsys "$example"
env -u WINEPATH xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
    source scripts/lib/window.sh
    "$@" & app=$!
    wait_for_window 30 "管网水力计算 - system-example.ductsys"; status=$?
    kill $app; exit $status' opens "$wine" "$program" "$example"
for format in csv xlsx pdf; do
    env -u WINEPATH "$wine" "$program" --export "$scratch/example.$format" "$example"
done
check grep -q "^最不利环路,1,2,3,11,12" "$scratch/example.csv"
# Read through process substitution: in a pipeline, grep -q ending early would fail the
# writer with SIGPIPE, and the pipeline with it.
check grep -q "xl/worksheets/sheet4.xml" <(unzip -l "$scratch/example.xlsx")
check grep -q "管网水力计算书" <(pdftotext "$scratch/example.pdf" -)
echo "The zip's program opened docs/system-example.ductsys and exported it to CSV, Excel and PDF"

# The setup program, silently into a fresh prefix: its files, shortcut and registry keys, the
# installed program's window, a system file opened through the association; then the silent
# uninstall. What is checked is what it left, not its exit status.
export WINEPREFIX=$scratch/installed
installed="$WINEPREFIX/drive_c/Program Files/ductcalc"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/风速计算.lnk"
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\ductcalc'
association='HKLM\Software\Classes\ductcalc.system\shell\open\command'
"$wine" "$setup" /S >/dev/null 2>&1 || true
/usr/lib/wine/wineserver --wait
check test -f "$installed/ductcalc.exe"
check test -f "$installed/platforms/qwindows.dll"
check test -f "$installed/translations/qtbase_zh_CN.qm"
check test -f "$shortcut"
check grep -q "$(basename "$zip" | cut -d- -f2)" <("$wine" reg query "$uninstall" /v DisplayVersion)
check grep -q ductcalc.system <("$wine" reg query 'HKLM\Software\Classes\.ductsys')
check grep -q 'ductcalc.exe" "%1"' <("$wine" reg query "$association")
cp docs/system-example.ductsys "$WINEPREFIX/drive_c/system-example.ductsys"
# The desktop the silent install started has no display; the windows need one on the virtual one.
/usr/lib/wine/wineserver --kill
/usr/lib/wine/wineserver --wait
check env -u WINEPATH xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
    source scripts/lib/window.sh
    "$1" "$2" & app=$!
    wait_for_window 30 风速计算 >/dev/null || { kill $app; exit 1; }
    kill $app
    "$1" start "C:\system-example.ductsys"
    wait_for_window 30 "管网水力计算 - system-example.ductsys" >/dev/null; status=$?
    /usr/lib/wine/wineserver --kill; exit $status' opens "$wine" "$installed/ductcalc.exe"
/usr/lib/wine/wineserver --wait
"$wine" "$installed/uninstall.exe" /S >/dev/null 2>&1 || true
/usr/lib/wine/wineserver --wait
check test ! -e "$installed/ductcalc.exe"
check test ! -e "$shortcut"
check absent "$wine" reg query "$uninstall"
check absent "$wine" reg query 'HKLM\Software\Classes\.ductsys'
echo "The setup program installed, opened a system file through its association and uninstalled"
echo "$windows_build/screenshot.png"
