# shellcheck shell=bash
# Sourced after scripts/lib/setup.sh and scripts/lib/run-quietly.sh: download_debian_source.

# Usage: download_debian_source <package>=<version>
# Downloads a Debian source package into the current folder. apt-get source needs source
# entries: for the download, those of the Debian archive the system installs from are added
# for the while (Debian 12 lists it in debian.sources, older systems in sources.list).
download_debian_source() {
    local added=() status=0
    if ! apt-get source --print-uris "$1" >/dev/null 2>&1; then
        if [ -f /etc/apt/sources.list.d/debian.sources ]; then
            added+=(/etc/apt/sources.list.d/ductcalc-debian-src.sources)
            sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
                as_root tee "${added[-1]}" >/dev/null
        fi
        if [ -f /etc/apt/sources.list ]; then
            added+=(/etc/apt/sources.list.d/ductcalc-debian-src.list)
            sed -n 's/^deb /deb-src /p' /etc/apt/sources.list | as_root tee "${added[-1]}" >/dev/null
        fi
        apt_get update
    fi
    run_quietly download.log apt-get source --download-only "$1" || status=$?
    [ ${#added[@]} -eq 0 ] || as_root rm -f "${added[@]}"
    return $status
}
