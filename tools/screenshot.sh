#!/usr/bin/env bash
# Starts the window in demo mode on a virtual display, reads the simulated repeater through the
# Radio menu and saves a picture of the window (docs/screenshot.png unless a path is given).
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-docs/screenshot.png}")

./scripts/setup-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVEX_BUILD_TESTS=OFF >/dev/null
cmake --build build/release --target tarvex-programmer >&2

source tools/virtual_display.sh
program_pid=
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
    kill "$virtual_display_pid" 2>/dev/null || true
}
trap cleanup EXIT
start_virtual_display

(cd build/release/ui && exec ./tarvex-programmer --simulator) &
program_pid=$!
window=$(wait_for_window "Tarvex Repeater Programmer V")

# Radio > Read: the menu title sits at the left of the menu bar; then its access key.
xdotool mousemove --window "$window" 60 8 click 1
sleep 0.5
xdotool key r
sleep 6  # the read runs at the line's real speed

eval "$(xdotool getwindowgeometry --shell "$window")"
mkdir -p "$(dirname "$out")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out"
echo "Saved $out"
