#!/usr/bin/env bash
# Runs the README's test command in a freshly bootstrapped minimal Debian 12 root, so an
# install step that only this machine happens not to need fails here rather than for a
# user. The bootstrapped root is kept as a tarball between runs, and the downloaded
# packages in an archive folder beside it; the root itself is made anew every time.
#   scripts/test-fresh-root.sh            (as root, or through sudo)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/setup.sh
source scripts/lib/run-quietly.sh
ensure_packages debootstrap

if [ "$(id -u)" -ne 0 ]; then
    exec sudo --preserve-env=XDG_CACHE_HOME,DUCTCALC_MIRROR "$0" "$@"
fi

cache=${XDG_CACHE_HOME:-$HOME/.cache}/ductcalc/fresh-root
mirror=${DUCTCALC_MIRROR:-http://deb.debian.org/debian}
tarball=$cache/bookworm-minbase.tar
mkdir -p "$cache/apt-archives/partial"

root=$(mktemp -d /tmp/ductcalc-fresh-root.XXXXXX)
cleanup() {
    for mounted in dev/pts dev sys proc var/cache/apt/archives; do
        mountpoint -q "$root/$mounted" && umount -l "$root/$mounted"
    done
    rm -rf --one-file-system "$root"
}
trap cleanup EXIT

if [ ! -f "$tarball" ]; then
    echo "Bootstrapping a minimal Debian 12 root (kept as $tarball)"
    run_quietly "$cache/debootstrap.log" debootstrap --variant=minbase bookworm "$root" "$mirror"
    tar -C "$root" -cf "$tarball.part" . && mv "$tarball.part" "$tarball"
else
    tar -C "$root" -xf "$tarball"
fi

cp /etc/resolv.conf "$root/etc/resolv.conf"
mount -t proc proc "$root/proc"
mount -t sysfs sys "$root/sys"
mount --bind /dev "$root/dev"
mount --bind /dev/pts "$root/dev/pts"
mount --bind "$cache/apt-archives" "$root/var/cache/apt/archives"

# Committed work only, as a user's clone has it.
git clone --quiet --no-local . "$root/root/ductcalc"
echo "Running ./scripts/test.sh in a fresh Debian 12 root ($root)"
chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    bash -c 'cd /root/ductcalc && ./scripts/test.sh'
