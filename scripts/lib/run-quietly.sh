# shellcheck shell=bash
# Sourced: run_quietly, which keeps a long build's output out of sight unless it fails.

# Usage: run_quietly <log file> <command> [arguments]
# Runs the command with its output in the log file. When it fails, prints the end of the
# log (all of a short one) to stderr and exits: a failing build shows why, a passing one
# shows nothing.
run_quietly() {
    local log=$1
    shift
    mkdir -p "$(dirname "$log")"
    "$@" >"$log" 2>&1 && return 0
    echo "Failed: $* (output in $log; its last 200 lines follow)" >&2
    tail -n 200 "$log" >&2
    exit 1
}
