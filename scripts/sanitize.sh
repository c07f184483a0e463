#!/usr/bin/env bash
# Builds the whole test suite with AddressSanitizer and UndefinedBehaviorSanitizer (clang)
# and runs it. Any sanitizer report aborts its test and so fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/setup.sh
source scripts/lib/run-quietly.sh
ensure_clang_runtimes

run_quietly build/sanitize/configure.log cmake --preset sanitize
run_quietly build/sanitize/build.log cmake --build --preset sanitize
ctest --preset sanitize
