# Helpers for the tests that start the shell as a user would, under a virtual X server.
# Sourced; needs DISPLAY.

# Waits up to 30 s for a window whose title is $1; prints its id.
wait_for_window() {
    for _ in $(seq 1 150); do
        if id=$(xdotool search --name "$1" 2>/dev/null | head -n 1) && [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.2
    done
    echo "no window '$1' appeared" >&2
    return 1
}

# The tabs lie along the bottom of the maximised main window (1280x800 screen, openbox).
click_tab() {
    case $1 in
        Programs) x=55 ;;
        Internet) x=150 ;;
        Manual) x=240 ;;
    esac
    xdotool mousemove "$x" 785 click 1
}

# The reader warning, shown before the first document: OK.
dismiss_reader_warning() {
    local id
    id=$(wait_for_window "^Warning$") || return 1
    xdotool windowactivate --sync "$id" key Return
}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
