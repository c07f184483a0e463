#!/usr/bin/env bash
# Builds the Debian package: prints the path of the .deb.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/setup.sh
source scripts/lib/run-quietly.sh
ensure_packages dpkg-dev file # dpkg-shlibdeps computes the library dependencies

cmake --preset default >/dev/null
run_quietly build/default/build.log cmake --build --preset default
(cd build/default && run_quietly cpack.log cpack -G DEB)
ls build/default/ductcalc_*.deb
