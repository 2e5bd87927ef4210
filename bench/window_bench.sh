#!/usr/bin/env bash
# Prints what the window costs: the time from launch to the window shown, its resident memory,
# and the CPU time the idle window spends over 30 s of keep-alive against the simulated repeater
# (zpt410-sim on a pseudo-terminal, reached through the real serial port adapter). Goals: under
# 0.5 s, under 80 MB, under 0.3 s. A benchmark, not a test: it prints figures and never fails on
# them.
set -euo pipefail
cd "$(dirname "$0")/.."
idle_seconds=${IDLE_SECONDS:-30}

./scripts/setup-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVEX_BUILD_TESTS=OFF >/dev/null
cmake --build build/release --target tarvex-programmer zpt410-sim >&2

source tools/virtual_display.sh
work=$(mktemp -d)
program_pid=
sim_pid=
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
    [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null || true
    kill "$virtual_display_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
start_virtual_display

# A copy of the program directory, so that its config.txt starts afresh.
cp -r build/release/ui "$work/program"
build/release/sim/zpt410-sim samples/mk-tone-repeater.kvd --log "$work/wire.log" \
    >"$work/sim.out" &
sim_pid=$!
for _ in $(seq 200); do
    [ -s "$work/sim.out" ] && break
    sleep 0.01
done
device=$(head -1 "$work/sim.out")

clock_ticks=$(getconf CLK_TCK)
cpu_seconds() {  # user + system time of a process, from /proc
    awk -v hz="$clock_ticks" '{ printf "%.2f", ($14 + $15) / hz }' "/proc/$1/stat"
}
resident_mb() {
    awk '/^VmRSS:/ { printf "%.1f", $2 / 1024 }' "/proc/$1/status"
}

start=$(date +%s.%N)
(cd "$work/program" && exec ./tarvex-programmer --port "$device") &
program_pid=$!
wait_for_window "Tarvex Repeater Programmer V" >/dev/null
shown=$(date +%s.%N)

sleep 1  # let the first paint settle before counting the idle time
cpu_before=$(cpu_seconds "$program_pid")
sleep "$idle_seconds"
cpu_after=$(cpu_seconds "$program_pid")
# The log shows each chunk received; the bursts are eight "?" each.
bursts=$(grep ' recv ' "$work/wire.log" | tr -cd '?' | wc -c | awk '{ print int($1 / 8) }')

printf 'start-up to window shown: %.3f s (goal < 0.5 s)\n' "$(awk -v a="$shown" -v b="$start" 'BEGIN { print a - b }')"
printf 'resident memory:          %s MB (goal < 80 MB)\n' "$(resident_mb "$program_pid")"
printf 'CPU time idle for %s s:   %.2f s (goal < 0.3 s), %s keep-alive bursts\n' \
    "$idle_seconds" "$(awk -v a="$cpu_after" -v b="$cpu_before" 'BEGIN { print a - b }')" "$bursts"
