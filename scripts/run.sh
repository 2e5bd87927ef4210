#!/usr/bin/env bash
# Sets up, builds and runs the program: for now the command-line front end, showing a shipped
# sample data file as the main window would show it.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup-deps.sh

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVEX_BUILD_TESTS=OFF >/dev/null
cmake --build build/release -j "$(nproc)" --target tarvex-cli >&2  # keep standard output for the program

if [ $# -eq 0 ]; then
    set -- show samples/mk-tone-repeater.kvd
fi
exec build/release/cli/tarvex-cli "$@"
