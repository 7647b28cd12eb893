#!/bin/sh
# Builds the reminder group fuzzer into build-fuzz/ and runs it for the given
# number of seconds (default 600) on a copy of the seed corpus.
set -eu
seconds=${1:-600}
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/build-fuzz"
mkdir -p "$out"
clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I "$root/src" "$root/fuzz/group_parser_fuzz.cpp" "$root/src/scheduler/reminder_store.cpp" \
    "$root/src/app/profile.cpp" -o "$out/group_parser_fuzz"
rm -rf "$out/corpus-group"
cp -r "$root/fuzz/corpus/group" "$out/corpus-group"
cd "$out"
exec ./group_parser_fuzz -max_total_time="$seconds" -print_final_stats=1 corpus-group
