# shellcheck shell=bash
# Sourced by the other scripts: makes sure the Debian packages the build needs are here.
# Quiet when nothing is missing; installs through apt-get as root or through sudo;
# otherwise stops with the exact command to run. Brings as_root (scripts/lib/as-root.sh).

source scripts/lib/as-root.sh

ductcalc_packages=(
    cmake ninja-build g++         # the build
    qt6-base-dev                  # Qt 6 Widgets and Qt Test
    qt6-translations-l10n         # Qt's own dialogs in Chinese (also copied into the Windows zip)
    libxlsxwriter-dev             # the Excel workbook
    fonts-wqy-microhei            # a CJK font, so the Chinese captions render
    desktop-file-utils appstream  # validators of the desktop entry and metainfo
    poppler-utils                 # pdftotext and pdfinfo, which read the sheets back in tests
    unzip                         # which reads the workbook back in a test
)

# apt-get as root, asking nothing and saying little. Through env, since sudo drops the
# caller's environment.
apt_get() {
    as_root env DEBIAN_FRONTEND=noninteractive apt-get -qq "$@"
}

ensure_packages() {
    local missing=()
    local package
    for package in "${ductcalc_packages[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    # One message with both commands, where as_root would stop at the first.
    if ! can_run_as_root; then
        echo "Missing packages: ${missing[*]}. Install them as root with:" >&2
        echo "  apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing: ${missing[*]}"
    apt_get update
    apt_get install -y --no-install-recommends "${missing[@]}" >/dev/null
}

# clang with its sanitizer and fuzzer runtimes, which Debian packages apart, named after
# clang's major version (libclang-rt-14-dev for Debian 12's clang 14).
ensure_clang_runtimes() {
    ensure_packages clang
    ensure_packages "libclang-rt-$(clang++ -dumpversion | cut -d. -f1)-dev"
}
