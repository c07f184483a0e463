# shellcheck shell=bash
# Sourced: as_root, which runs a command as root.

# Whether commands can run as root here: this is root, or sudo is at hand.
can_run_as_root() {
    [ "$(id -u)" -eq 0 ] || command -v sudo >/dev/null 2>&1
}

# Runs a command as root: directly when this is root, otherwise through sudo. Where neither
# can be, stops with the exact command for the user to run as root.
as_root() {
    if ! can_run_as_root; then
        echo "This needs root, and there is no sudo. Run as root:" >&2
        echo "  $*" >&2
        exit 1
    fi
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    else
        sudo "$@"
    fi
}
