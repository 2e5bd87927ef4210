#!/usr/bin/env bash
# Share of test code in all C++ code: non-blank, non-comment lines of the tracked .cpp and .h
# files, tests being tests/ and fuzz/.
set -euo pipefail
cd "$(git rev-parse --show-toplevel)"
lines() { git ls-files -z -- "$@" | xargs -0 -r cat | grep -c -v -E '^\s*(//.*)?$' || true; }
all=$(lines '*.cpp' '*.h')
tests=$(lines 'tests/*.cpp' 'tests/*.h' 'fuzz/*.cpp' 'fuzz/*.h')
echo "tests: $tests of $all lines = $((100 * tests / all)) % (program code: $((all - tests)) lines)"
