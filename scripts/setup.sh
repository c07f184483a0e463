# Sourced by the other scripts: makes sure the Debian packages the build needs are here.
# Quiet when nothing is missing; installs through apt-get as root or through sudo;
# otherwise stops with the exact command to run.

ductcalc_packages=(
    cmake ninja-build g++         # the build
    qt6-base-dev                  # Qt 6 Widgets and Qt Test
    fonts-wqy-microhei            # a CJK font, so the Chinese captions render
    desktop-file-utils appstream  # validators of the desktop entry and metainfo
    poppler-utils                 # pdftotext, which reads the calculation sheet back in a test
)

ensure_packages() {
    local missing=()
    local package
    for package in "${ductcalc_packages[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    local install=(apt-get install -y --no-install-recommends "${missing[@]}")
    local as_root=()
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1; then
            as_root=(sudo)
        else
            echo "Missing packages: ${missing[*]}. Install them as root with:" >&2
            echo "  apt-get update && ${install[*]}" >&2
            exit 1
        fi
    fi
    echo "Installing: ${missing[*]}"
    "${as_root[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${as_root[@]}" "${install[@]}" -qq >/dev/null
}
