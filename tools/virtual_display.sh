# Shared by the tools that run the window without a screen: a private X display on Xvfb.
# Source it; it sets DISPLAY and stops the display when the script exits.

start_virtual_display() {
    local n=99
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do
        n=$((n + 1))
    done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    virtual_display_pid=$!
    export DISPLAY=":$n"
    for _ in $(seq 100); do
        [ -e "/tmp/.X11-unix/X$n" ] && return 0
        sleep 0.05
    done
    echo "The virtual display did not start." >&2
    return 1
}

# Waits until a window whose title starts with the given text is mapped; prints its id.
wait_for_window() {
    local title=$1
    for _ in $(seq 400); do
        if id=$(xdotool search --onlyvisible --name "^$title" 2>/dev/null | head -1) &&
            [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.01
    done
    echo "The window \"$title\" did not appear." >&2
    return 1
}
