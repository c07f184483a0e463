#!/usr/bin/env bash
# Builds the whole test suite with AddressSanitizer and UndefinedBehaviorSanitizer (clang)
# and runs it. Any sanitizer report aborts its test and so fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
ensure_packages clang libclang-rt-14-dev

log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! { cmake --preset sanitize && cmake --build --preset sanitize; } >"$log" 2>&1; then
    cat "$log" >&2
    exit 1
fi
ctest --preset sanitize
