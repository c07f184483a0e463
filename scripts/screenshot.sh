#!/usr/bin/env bash
# Screenshots of the real window under a virtual display, for the docs:
#   scripts/screenshot.sh [scale ...]   (default: 1 2) -> docs/screenshot.png, docs/screenshot@2x.png
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
ensure_packages xvfb xauth imagemagick
cmake --preset default >/dev/null
cmake --build --preset default >/dev/null

scales=("$@")
[ ${#scales[@]} -gt 0 ] || scales=(1 2)
for scale in "${scales[@]}"; do
    name=docs/screenshot.png
    [ "$scale" = 1 ] || name="docs/screenshot@${scale}x.png"
    QT_SCALE_FACTOR=$scale xvfb-run -a -s "-screen 0 1600x1000x24" bash -c '
        build/default/src/ductcalc & app=$!
        sleep 2
        import -window root "$0.full.png"
        kill $app' "$name"
    convert "$name.full.png" -trim +repage "$name"
    rm -f "$name.full.png"
    echo "$name"
done
