# Shared by the tools that run the window without a screen: a private X display on Xvfb.
# Source it; it sets DISPLAY and stops the display when the script exits.

start_virtual_display() {
    # Xvfb picks a free display itself and writes its number once it takes connections; its socket
    # file alone appears before that, and a client that comes too early is refused.
    local ready
    ready=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$ready" >/dev/null 2>&1 &
    virtual_display_pid=$!
    for _ in $(seq 600); do
        if [ "$(wc -l <"$ready")" -ge 1 ]; then
            export DISPLAY=":$(head -n 1 "$ready")"
            rm -f "$ready"
            return 0
        fi
        kill -0 "$virtual_display_pid" 2>/dev/null || break
        sleep 0.05
    done
    rm -f "$ready"
    echo "The virtual display did not start." >&2
    return 1
}

# Waits until a window whose title starts with the given text is mapped; prints its id. The wait
# is long because a loaded machine (a parallel build) can take several seconds to start Qt.
wait_for_window() {
    local title=$1
    local deadline=$((SECONDS + 30))
    while [ "$SECONDS" -lt "$deadline" ]; do
        if id=$(xdotool search --onlyvisible --name "^$title" 2>/dev/null | head -1) &&
            [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.02
    done
    echo "The window \"$title\" did not appear within 30 s." >&2
    return 1
}
