#!/usr/bin/env bash
# Usage (on a display, e.g. under xvfb-run): scripts/open-window.sh <seconds> <screenshot.png|-> <program> [arguments]
# Starts the program, waits up to the given time for its window "风速计算", takes a
# screenshot of the screen unless given "-", and closes the program. Fails when no window
# opens in time.
set -uo pipefail
# shellcheck source=scripts/lib/window.sh
source "$(dirname "$0")/lib/window.sh"
seconds=$1 screenshot=$2
shift 2
name=$(basename "${@: -1}") # the program, also when started through Wine
"$@" & app=$!
if ! window=$(wait_for_window "$seconds" 风速计算); then
    kill $app 2>/dev/null
    exit 1
fi
echo "$name opened its window \"风速计算\" ($window)"
status=0
if [ "$screenshot" != - ]; then
    shoot_window root "$screenshot" || status=1
fi
kill $app; wait $app 2>/dev/null
exit $status
