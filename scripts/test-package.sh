#!/usr/bin/env bash
# Builds the .deb, installs it with apt-get (which must resolve every dependency), starts
# the installed program on a virtual display, waits for the window "风速计算" and closes it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/setup.sh
ensure_packages xvfb xauth xdotool

deb=$(./scripts/package.sh | tail -n 1)
apt_get install -y "./$deb" >/dev/null

status=0
xvfb-run -a scripts/open-window.sh 10 - /usr/bin/ductcalc || status=1

apt_get remove -y ductcalc >/dev/null
exit $status
