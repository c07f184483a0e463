#!/usr/bin/env bash
# Installs what is missing, builds, and opens the calculator window.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/setup.sh
ensure_packages

cmake --preset default >/dev/null
cmake --build --preset default

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display: set DISPLAY or WAYLAND_DISPLAY to open the window (built: build/default/src/ductcalc)." >&2
    exit 1
fi
exec build/default/src/ductcalc
