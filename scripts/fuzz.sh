#!/usr/bin/env bash
# Usage: scripts/fuzz.sh [seconds-per-target, default 60]
# Builds the libFuzzer targets and runs each for a bounded time, starting from a scratch
# copy of its committed seed corpus (which never grows). A broken property, a crash, a
# sanitizer report or a hang is a finding: the run fails and names the saved input.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
ensure_packages clang libclang-rt-14-dev

seconds=${1:-60}
build=build/fuzz
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! { cmake --preset fuzz && cmake --build --preset fuzz; } >"$log" 2>&1; then
    cat "$log" >&2
    exit 1
fi

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
