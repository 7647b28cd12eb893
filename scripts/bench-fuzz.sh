#!/usr/bin/env bash
# The settings fuzzer's rate against the last build before the checked writes:
# both fuzzers are built (this tree's into build-fuzz/, the baseline's in a
# clone) and run side by side, one on each core, for the same seconds on
# copies of the seed corpus, so that both meet the same machine. Prints the
# inputs each ran and their ratio, one line per round.
# Usage: scripts/bench-fuzz.sh [seconds] [rounds]   (20 s, 3 rounds)
#        TIKKANO_FUZZ_BASELINE names another commit (804b18a).
set -euo pipefail
seconds=${1:-20}
rounds=${2:-3}
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

build() {  # tree, build folder
    cmake -S "$1" -B "$2" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
          -DTIKKANO_FUZZ=ON -DTIKKANO_TESTS=OFF >/dev/null
    cmake --build "$2" -j2 --target settings_fuzz >/dev/null
}
git clone -q "$repo" "$work/baseline"
git -C "$work/baseline" checkout -q "${TIKKANO_FUZZ_BASELINE:-804b18a}"
build "$work/baseline" "$work/baseline/build-fuzz"
build "$repo" "$repo/build-fuzz"

inputs() {  # fuzzer, name: the inputs it runs in the given seconds
    rm -rf "$work/corpus-$2"
    cp -r "$repo/fuzz/corpus/settings" "$work/corpus-$2"
    "$1" -max_total_time="$seconds" -print_final_stats=1 "$work/corpus-$2" 2>&1 |
        sed -n 's/^stat::number_of_executed_units: *//p'
}
for _ in $(seq "$rounds"); do
    inputs "$work/baseline/build-fuzz/fuzz/settings_fuzz" baseline >"$work/baseline.count" &
    now=$(inputs "$repo/build-fuzz/fuzz/settings_fuzz" now)
    wait
    before=$(cat "$work/baseline.count")
    awk -v n="$now" -v b="$before" -v s="$seconds" \
        'BEGIN { printf "settings fuzzer, %d s: this build %d inputs, baseline %d, ratio %.2f\n", s, n, b, n / b }'
done
