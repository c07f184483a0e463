#!/usr/bin/env bash
# Builds the .deb, installs it with apt-get (which must resolve every dependency), starts
# the installed program on a virtual display, waits for the window "风速计算" and closes it;
# checks that a .ductsys file has the program's type and opens with the program.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/setup.sh
# xdg-mime reads the shared MIME database through mimetype; without it, it asks file(1),
# which sees only JSON.
ensure_packages xvfb xauth xdotool xdg-utils shared-mime-info desktop-file-utils \
    libfile-mimeinfo-perl

deb=$(./scripts/package.sh | tail -n 1)
apt_get install -y "./$deb" >/dev/null

status=0
xvfb-run -a scripts/open-window.sh 10 - /usr/bin/ductcalc || status=1

# The desktop's view of a system file, through the database the package's triggers updated.
example=$(mktemp -d)/example.ductsys
cp docs/system-example.ductsys "$example"
type=$(XDG_CURRENT_DESKTOP=X-Generic xdg-mime query filetype "$example")
default=$(XDG_CURRENT_DESKTOP=X-Generic xdg-mime query default application/x-ductcalc-system)
echo "$example: $type, opened with $default"
[ "$type" = application/x-ductcalc-system ] || status=1
[ "$default" = org.ductcalc.DuctCalc.desktop ] || status=1
rm -rf "$(dirname "$example")"

apt_get remove -y ductcalc >/dev/null
exit $status
