#!/usr/bin/env bash
# Sets up, builds and runs every test: once with warnings as errors, once under
# AddressSanitizer and UndefinedBehaviorSanitizer; then, where clang is installed, every fuzz
# target for 20 seconds.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup-deps.sh

jobs=$(nproc)
run_suite() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTARVEX_WERROR=ON "$@"
    cmake --build "$dir" -j "$jobs"
    ctest --test-dir "$dir" --output-on-failure -j "$jobs"
}

echo "== Tests, warnings as errors =="
run_suite build/test

echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer =="
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
run_suite build/sanitize -DTARVEX_SANITIZE=ON

if command -v clang++ >/dev/null; then
    echo "== Fuzz targets, 20 seconds each =="
    ./tools/fuzz.sh all 20
fi
