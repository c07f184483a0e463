# shellcheck shell=bash
# Sourced: wait_for_window and shoot_window, for the scripts that drive the program's windows
# on a display.

# Usage: wait_for_window <seconds> <name>
# Waits up to the given time for a shown window of exactly that name and prints its id;
# fails, saying so, when none shows in time.
wait_for_window() {
    local seconds=$1 name=$2 windows
    for _ in $(seq $((seconds * 5))); do
        if windows=$(xdotool search --onlyvisible --name "^$name\$" 2>/dev/null); then
            echo "${windows%%$'\n'*}"
            return 0
        fi
        sleep 0.2
    done
    echo "No window \"$name\" shown within $seconds s" >&2
    return 1
}

# Usage: shoot_window <window id|root> <file.png>
# Saves a screenshot of the window a second after it showed, since its first paint follows.
shoot_window() {
    sleep 1
    import -window "$1" "$2"
}
