#!/usr/bin/env bash
# Usage: scripts/fuzz.sh [seconds-per-target, default 60]
# Builds the libFuzzer targets and runs each for a bounded time, starting from a scratch
# copy of its committed seed corpus (which never grows). A broken property, a crash, a
# sanitizer report or a hang is a finding: the run fails and names the saved input.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/setup.sh
source scripts/lib/run-quietly.sh
ensure_clang_runtimes

seconds=${1:-60}
build=build/fuzz
run_quietly "$build/configure.log" cmake --preset fuzz
run_quietly "$build/build.log" cmake --build --preset fuzz

log=$(mktemp)
trap 'rm -f "$log"' EXIT

failed=0
for seeds in fuzz/corpus/*/; do
    target=$(basename "$seeds")
    work=$build/corpus-work/$target
    findings=$build/findings/$target
    rm -rf "$work"
    mkdir -p "$work" "$findings"
    cp "$seeds"* "$work"/
    if "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 \
        -artifact_prefix="$findings/" "$work" >"$log" 2>&1; then
        echo "$target: $(grep -o 'Done [0-9]* runs in [0-9]* second' "$log" | tail -1)s, no finding"
    else
        tail -40 "$log" >&2
        echo "$target: FINDING, input saved in $findings/" >&2
        failed=1
    fi
done
exit "$failed"
