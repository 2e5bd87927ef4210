#!/usr/bin/env bash
# Planted-fault score of the suite. For each seed, the planted-fault tool plants one fault at a time
# (flipped comparison or boolean, off-by-one constant) in a seeded sample of program lines of a
# throw-away clone of HEAD, rebuilds a Debug tree, runs ctest and prints KILLED or SURVIVED per
# fault and the score. The clone keeps the working tree untouched while it runs.
#
# usage: tools/mutation_score.sh [SEED ...]       (default: seeds 1 and 2, 40 faults each)
#   MUTANTS_N     faults per seed (default 40)
#   MUTANTS_TOOL  the tool (default: ../shared/tools/mutants.py beside the checkout)
#   MUTANTS_DIR   where the clone, build and reports go (default /tmp/tarvex-mut; reused so that
#                 the compiler cache hits on a second run)
set -euo pipefail

top=$(git rev-parse --show-toplevel)
tool=${MUTANTS_TOOL:-$top/../shared/tools/mutants.py}
dir=${MUTANTS_DIR:-/tmp/tarvex-mut}
count=${MUTANTS_N:-40}
[ $# -gt 0 ] || set -- 1 2

if [ ! -f "$tool" ]; then
    echo "mutation_score.sh: no planted-fault tool at $tool (set MUTANTS_TOOL)" >&2
    exit 2
fi

rm -rf "$dir/src"
mkdir -p "$dir"
git clone -q "$top" "$dir/src"
git -C "$dir/src" checkout -q "$(git -C "$top" rev-parse HEAD)"

for seed in "$@"; do
    python3 "$tool" --src "$dir/src" --build "$dir/build" -n "$count" --seed "$seed" \
        --out "$dir/seed-$seed.txt"
done
for seed in "$@"; do
    tail -n 1 "$dir/seed-$seed.txt"
done
