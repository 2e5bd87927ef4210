#!/usr/bin/env bash
# Builds the fuzz targets with clang into build/fuzz and runs one of them, or each in turn, for a
# while; prints every target's executions, executions per second and coverage, and exits non-zero
# when a target found a failure (the input is kept in build/fuzz/artifacts/TARGET/).
#
#   tools/fuzz.sh [TARGET|all] [SECONDS]          default: all targets, 20 seconds each
#
# New inputs that reach new code go to build/fuzz/corpus/TARGET; the committed seeds in
# fuzz/corpus/TARGET are only read. Extra libFuzzer flags can be given in FUZZ_FLAGS.
set -euo pipefail
cd "$(dirname "$0")/.."

which=${1:-all}
seconds=${2:-20}
targets=()
for source in fuzz/*.cpp; do
    name=$(basename "$source" .cpp)
    [ "$name" = replay_main ] || targets+=("$name")
done
if [ "$which" != all ]; then
    if [[ " ${targets[*]} " != *" $which "* ]]; then
        echo "fuzz.sh: no target $which; the targets are: ${targets[*]}" >&2
        exit 2
    fi
    targets=("$which")
fi

cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
      -DTARVEX_FUZZ=ON -DTARVEX_BUILD_TESTS=OFF >/dev/null
cmake --build build/fuzz -j "$(nproc)" --target "${targets[@]/#/fuzz_}"

dictionary() {
    case $1 in
        *json) echo fuzz/json.dict ;;
        data_file | roundtrip_file) echo fuzz/data_file.dict ;;
        link_reply) echo fuzz/link_reply.dict ;;
    esac
}

failed=()
printf '\n%-18s %12s %8s %6s %7s  %s\n' target executions exec/s cov ft result
for target in "${targets[@]}"; do
    corpus=build/fuzz/corpus/$target
    artifacts=build/fuzz/artifacts/$target
    log=build/fuzz/logs/$target.log
    mkdir -p "$corpus" "$artifacts" "$(dirname "$log")"
    dict=$(dictionary "$target")
    result=ok
    # shellcheck disable=SC2086
    if ! "build/fuzz/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
            -artifact_prefix="$artifacts/" ${dict:+-dict=$dict} ${FUZZ_FLAGS:-} \
            "$corpus" "fuzz/corpus/$target" >"$log" 2>&1; then
        result="FAILED, see $log"
        failed+=("$target")
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
    ft=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
    printf '%-18s %12s %8s %6s %7s  %s\n' "$target" "${runs:--}" "${speed:--}" "${cov:--}" \
           "${ft:--}" "$result"
done

if [ ${#failed[@]} -gt 0 ]; then
    for target in "${failed[@]}"; do
        echo
        echo "== $target"
        grep -m1 -A6 -E 'round trip broken|ERROR: (AddressSanitizer|libFuzzer|LeakSanitizer)|runtime error' \
            "build/fuzz/logs/$target.log" || tail -20 "build/fuzz/logs/$target.log"
    done
    exit 1
fi
