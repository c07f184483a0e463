#!/usr/bin/env bash
# Builds the Debian package: prints the path of the .deb.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
ensure_packages dpkg-dev file # dpkg-shlibdeps computes the library dependencies

cmake --preset default >/dev/null
cmake --build --preset default >/dev/null
log=build/default/cpack.log
(cd build/default && cpack -G DEB) >"$log" 2>&1 || { cat "$log" >&2; exit 1; }
ls build/default/ductcalc_*.deb
