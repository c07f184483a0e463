#!/usr/bin/env bash
# Usage (on a display, e.g. under xvfb-run): scripts/open-window.sh <seconds> <screenshot.png|-> <program> [arguments]
# Starts the program, waits up to the given time for its window "风速计算", takes a
# screenshot of the screen unless given "-", and closes the program. Fails when no window
# opens in time.
set -uo pipefail
seconds=$1 screenshot=$2
shift 2
name=$(basename "${@: -1}") # the program, also when started through Wine
"$@" & app=$!
for _ in $(seq $((seconds * 5))); do
    if window=$(xdotool search --name "^风速计算$" 2>/dev/null); then
        echo "$name opened its window \"风速计算\" ($window)"
        if [ "$screenshot" != - ]; then
            sleep 1
            import -window root "$screenshot"
        fi
        kill $app; wait $app 2>/dev/null
        exit 0
    fi
    sleep 0.2
done
echo "$name did not open its window within $seconds s" >&2
kill $app 2>/dev/null
exit 1
