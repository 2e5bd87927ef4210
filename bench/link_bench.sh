#!/usr/bin/env bash
# Read and Program Radio through tarvex-cli against the paced simulated repeater on a
# pseudo-terminal. Prints, for each, the measured wall time, the protocol floor (every character
# on the 1200-baud line in both directions, plus the fixed pauses and waits of the routines) and
# their ratio; then how a verified one-setting change with changed blocks only compares with
# today's unverified full write.
# Usage: bench/link_bench.sh [runs]   (default 3; the best run of each counts)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-3}

./scripts/setup-deps.sh >&2
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVEX_BUILD_TESTS=OFF >/dev/null
cmake --build build/release -j "$(nproc)" --target tarvex-cli zpt410-sim >&2
cli=build/release/cli/tarvex-cli

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
#   Identification: 3 pings (1 + 2 characters, 15 + 50 ms after each), "G" (1 + 260, then a
#         17 ms look for a 261st character and 15 ms).
#   Read: identification plus "V" (1 + 6, 15) and 101 progress steps of 15.
#   A block: "S" and two address digits (3 x (1 + 2), 3 x 15), each byte as two digits (1 + 2 and
#         15 each), a carriage return (1 + 4, 15); the full write is 7 blocks of 77 bytes.
#   Verify: one more "G" like identification's. Every command ends with "X" (1, 15).
ident_chars=$((3 * 3 + 261))
ident_pause=$((3 * 65 + 15 + 17))
exit_chars=1
exit_pause=15
block_chars() { echo $((3 * 3 + $1 * 2 * 3 + 5)); }   # bytes of the block
block_pause() { echo $((3 * 15 + $1 * 2 * 15 + 15)); }
read_chars=$((ident_chars + 7 + exit_chars))
read_pause_ms=$((ident_pause + 15 + 101 * 15 + exit_pause))
full_chars=$((7 * 9 + 77 * 2 * 3 + 7 * 5))
full_pause=$((7 * 45 + 77 * 2 * 15 + 7 * 15))
program_chars=$((ident_chars + full_chars + exit_chars))
program_pause_ms=$((ident_pause + full_pause + exit_pause))
verified_chars=$((program_chars + 261))
verified_pause_ms=$((program_pause_ms + 15 + 17))
# The transmit frequency lies in the first block, addresses 0 to 5.
changed_chars=$((ident_chars + $(block_chars 6) + 261 + exit_chars))
changed_pause_ms=$((ident_pause + $(block_pause 6) + 15 + 17 + exit_pause))

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
        printf "%-36s measured %7.0f ms   floor %7.0f ms (%d characters, %d ms of pauses)   ratio %.3f\n",
               name, measured, floor, chars, pause, measured / floor
    }'
}

# Two files that differ from each other only in the transmit frequency; each run of the
# one-setting change programs the other one, so every run changes exactly that setting.
printf '{"TXFreq": "452.0125"}' >"$work/tx.json"
"$cli" build "$work/tx.json" -o "$work/changed.kvd" --template samples/mk-tone-repeater.kvd
cp samples/mk-tone-repeater.kvd "$work/base.kvd"
echo changed >"$work/next"  # the repeater holds base.kvd first
one_setting_change() {
    local file
    file=$(cat "$work/next")
    [ "$file" = base ] && echo changed >"$work/next" || echo base >"$work/next"
    "$cli" program --port "$device" --changed-only "$work/$file.kvd" 2>"$work/changed.err"
    grep -q "^Programmed and verified" "$work/changed.err" || { cat "$work/changed.err" >&2; exit 1; }
}

read_ms=$(best "$cli" read --port "$device")
program_ms=$(best "$cli" program --port "$device" --no-verify samples/dmk-pair.kvd)
verified_ms=$(best "$cli" program --port "$device" samples/dmk-pair.kvd)
"$cli" program --port "$device" --no-verify "$work/base.kvd" >/dev/null 2>&1
changed_ms=$(best one_setting_change)
report "Read" "$read_ms" "$read_chars" "$read_pause_ms"
report "Program Radio, not verified" "$program_ms" "$program_chars" "$program_pause_ms"
report "Program Radio, verified" "$verified_ms" "$verified_chars" "$verified_pause_ms"
report "One setting, changed only, verified" "$changed_ms" "$changed_chars" "$changed_pause_ms"
awk -v changed="$changed_ms" -v full="$program_ms" 'BEGIN {
    printf "One setting, changed only, verified / Program Radio, not verified: %.3f\n", changed / full
}'
