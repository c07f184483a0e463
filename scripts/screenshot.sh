#!/usr/bin/env bash
# Screenshots of the real windows under a virtual display, for the docs:
#   scripts/screenshot.sh [scale ...]   (default: 1 2)
#   -> docs/screenshot.png, docs/sizing.png, docs/system.png, and the same @2x;
#      docs/system-sheet.png, the first page of docs/system-example.ductsys's calculation sheet
# The sizing window is shot for a flow of 3600 m3/h in the default circular duct; the duct
# system window with docs/system-example.tsv pasted into its table.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/setup.sh
source scripts/lib/run-quietly.sh
ensure_packages xvfb xauth imagemagick xdotool xclip poppler-utils
cmake --preset default >/dev/null
run_quietly build/default/build.log cmake --build --preset default

sheet=$(mktemp --suffix=.pdf)
build/default/src/ductcalc --export "$sheet" docs/system-example.ductsys
pdftoppm -r 110 -png -singlefile -f 1 -l 1 "$sheet" docs/system-sheet
rm -f "$sheet"
echo docs/system-sheet.png

scales=("$@")
[ ${#scales[@]} -gt 0 ] || scales=(1 2)
for scale in "${scales[@]}"; do
    suffix=.png
    [ "$scale" = 1 ] || suffix="@${scale}x.png"
    QT_SCALE_FACTOR=$scale xvfb-run -a -s "-screen 0 3200x2000x24" bash -c '
        set -e
        source scripts/lib/window.sh
        build/default/src/ductcalc & app=$!
        trap "kill $app" EXIT
        main=$(wait_for_window 10 风速计算)
        shoot_window root "docs/screenshot$0.full.png"
        xdotool windowfocus --sync "$main" 2>/dev/null || true
        xdotool key ctrl+a && xdotool type 3600 && xdotool key ctrl+shift+s
        sizing=$(wait_for_window 10 风管选型)
        shoot_window "$sizing" "docs/sizing$0"
        xdotool windowfocus --sync "$main" 2>/dev/null || true
        xdotool key ctrl+shift+n
        system=$(wait_for_window 10 "管网水力计算 - 未命名")
        xclip -selection clipboard < docs/system-example.tsv
        xdotool windowfocus --sync "$system" 2>/dev/null || true
        xdotool key alt+e && xdotool key p
        shoot_window "$system" "docs/system$0"' "$suffix"
    convert "docs/screenshot$suffix.full.png" -trim +repage "docs/screenshot$suffix"
    rm -f "docs/screenshot$suffix.full.png"
    echo "docs/screenshot$suffix docs/sizing$suffix docs/system$suffix"
done
