#!/usr/bin/env bash
# Read and Program Radio through tarvex-cli against the paced simulated repeater on a
# pseudo-terminal. Prints, for each, the measured wall time, the protocol floor (every character
# on the 1200-baud line in both directions, plus the fixed pauses of the routines) and their ratio.
# Usage: bench/link_bench.sh [runs]   (default 3; the best run of each counts)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-3}

./scripts/setup-deps.sh >&2
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVEX_BUILD_TESTS=OFF >/dev/null
cmake --build build/release -j "$(nproc)" --target tarvex-cli zpt410-sim >&2

work=$(mktemp -d)
trap 'kill "$sim" 2>/dev/null || true; rm -rf "$work"' EXIT
cp samples/mk-tone-repeater.kvd "$work/repeater.kvd"
build/release/sim/zpt410-sim --image "$work/repeater.kvd" >"$work/sim.out" &
sim=$!
for _ in $(seq 50); do [ -s "$work/sim.out" ] && break; sleep 0.1; done
device=$(head -n 1 "$work/sim.out")
export XDG_DATA_HOME="$work/data"

# One character at 1200 baud, 8 data bits, no parity, 1 stop bit (and the start bit): 10 bits.
char_ms=$(awk 'BEGIN { printf "%.6f", 10 * 1000 / 1200 }')
# Every exchange writes one character and waits for its answer; the simulator starts answering one
# character time after the line falls idle, as a repeater does once the character has arrived.
#   Read: 3 pings (1 + 2), "V" (1 + 6), "G" (1 + 260); pauses: 3 x (15 + 50) after the good pings,
#         15 after "V" and after "G", 101 progress steps of 15.
#   Program: identification = 3 pings + "G" with the same pauses; then 7 "S" + two-digit address
#         commands (3 x (1 + 2) each, 3 x 15 pauses), 154 digits (1 + 2, 15 pause each) and
#         7 carriage returns (1 + 4, 15 pause each).
read_chars=$((3 * 3 + 7 + 261))
read_pause_ms=$((3 * 65 + 15 + 15 + 101 * 15))
program_chars=$((3 * 3 + 261 + 7 * 9 + 154 * 3 + 7 * 5))
program_pause_ms=$((3 * 65 + 15 + 7 * 45 + 154 * 15 + 7 * 15))

best() {  # best wall time in ms of a command, over $runs runs
    local best_ms=""
    for _ in $(seq "$runs"); do
        local start end ms
        start=$(date +%s%N)
        "$@" >/dev/null 2>"$work/err" || { cat "$work/err" >&2; exit 1; }
        end=$(date +%s%N)
        ms=$(((end - start) / 1000000))
        if [ -z "$best_ms" ] || [ "$ms" -lt "$best_ms" ]; then best_ms=$ms; fi
    done
    echo "$best_ms"
}

report() {  # name measured_ms chars pause_ms
    awk -v name="$1" -v measured="$2" -v chars="$3" -v pause="$4" -v char_ms="$char_ms" 'BEGIN {
        floor = chars * char_ms + pause
        printf "%-14s measured %7.0f ms   floor %7.0f ms (%d characters, %d ms of pauses)   ratio %.3f\n",
               name, measured, floor, chars, pause, measured / floor
    }'
}

read_ms=$(best build/release/cli/tarvex-cli read --port "$device")
program_ms=$(best build/release/cli/tarvex-cli program --port "$device" samples/dmk-pair.kvd)
report "Read" "$read_ms" "$read_chars" "$read_pause_ms"
report "Program Radio" "$program_ms" "$program_chars" "$program_pause_ms"
