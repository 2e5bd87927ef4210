#!/usr/bin/env bash
# Sets up, builds and starts the window. With no arguments it runs in demo mode, on a simulated
# repeater holding a sample's settings; any arguments go to the program instead, for example
# --port /dev/ttyUSB0 for a real repeater on a USB serial adapter.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup-deps.sh

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVEX_BUILD_TESTS=OFF >/dev/null
cmake --build build/release -j "$(nproc)" --target tarvex-programmer >&2

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display is available here (neither DISPLAY nor WAYLAND_DISPLAY is set), so the" \
         "window cannot open; run it under a virtual display with 'xvfb-run -a ./scripts/run.sh'," \
         "or save a picture of it with ./tools/screenshot.sh." >&2
    exit 1
fi

if [ $# -eq 0 ]; then
    set -- --simulator
fi
# The program keeps config.txt and finds its help page beside itself.
cd build/release/ui
exec ./tarvex-programmer "$@"
