#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless.
#   DUCTCALC_PRESET=ci scripts/test.sh   the same in build/ci, with compiler warnings as errors
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/setup.sh
ensure_packages

preset=${DUCTCALC_PRESET:-default}
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
ctest --preset "$preset"
