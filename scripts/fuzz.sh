#!/bin/sh
# Builds the libFuzzer targets from the project's own source list (CMake option
# TIKKANO_FUZZ, clang) into build-fuzz/ and runs them, each for the given number
# of seconds (default 600) on a copy of its seed corpus under fuzz/corpus/.
# Usage: scripts/fuzz.sh [seconds] [group|settings|all]
#   group     the reminder group parser and text escaping
#   settings  numbers, colour lists, LastTime, position keys, loading and saving
# Exits with the first failing fuzzer's status (a crash found, or a build error).
set -eu
seconds=${1:-600}
which=${2:-all}
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/build-fuzz"
case "$which" in
    group) targets="group" ;;
    settings) targets="settings" ;;
    all) targets="group settings" ;;
    *) echo "usage: $0 [seconds] [group|settings|all]" >&2; exit 2 ;;
esac
executable() { [ "$1" = group ] && echo group_parser_fuzz || echo settings_fuzz; }

cmake -S "$root" -B "$out" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
      -DTIKKANO_FUZZ=ON -DTIKKANO_TESTS=OFF >/dev/null
for target in $targets; do
    cmake --build "$out" -j2 --target "$(executable "$target")" >/dev/null
done
for target in $targets; do
    echo "-- fuzzing $target for $seconds s"
    rm -rf "$out/corpus-$target"
    cp -r "$root/fuzz/corpus/$target" "$out/corpus-$target"
    (cd "$out" && "./fuzz/$(executable "$target")" -max_total_time="$seconds" -print_final_stats=1 \
        "corpus-$target")
done
