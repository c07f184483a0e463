#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors, and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
ensure_packages

cmake --preset default -DDUCTCALC_WARNINGS_AS_ERRORS=ON >/dev/null
cmake --build --preset default
ctest --preset default
