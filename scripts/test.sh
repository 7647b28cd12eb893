#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test:
#   1. unit tests natively under AddressSanitizer and UBSan,
#   2. the same unit tests cross-built with mingw and run under Wine,
#      plus the import-table check of both programs,
#   3. both fuzzers (reminder groups, settings) for 20 s each,
#   4. the end-to-end tests: the shipped programs dist/tikkano.exe and
#      dist/tikkano262.exe under Wine and Xvfb.
# Everything Windows runs on the 32-bit builds, as shipped. Where the kernel
# cannot run 32-bit programs (or TIKKANO_FORCE_EMULATION=1 says to act so),
# Wine's 32-bit side runs under qemu-i386 in private namespaces
# (scripts/emu32.sh); the harness then waits longer for each event.
# Usage: scripts/test.sh [pytest arguments for the end-to-end tests]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
"$root/scripts/install-deps.sh"
jobs="$(nproc)"

# The closing line counts tests as their runners do (a ctest entry, a pytest
# test, a fuzzer run) and is printed however the run ends.
passed=0
failed=0
log="$(mktemp)"
closing() {
    local status=$?
    rm -f "$log"
    echo "== closing: $passed passed, $failed failed$([ "$status" -ne 0 ] && echo ", stopped with exit status $status")"
}
trap closing EXIT
count_ctest() {  # reads "..% tests passed, F tests failed out of N" from ctest's output
    local line
    line="$(grep -E '[0-9]+ tests failed out of [0-9]+' "$log" | tail -1)"
    [ -n "$line" ] || return 0
    local f n
    f="$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$line")"
    n="$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\2/' <<<"$line")"
    passed=$((passed + n - f))
    failed=$((failed + f))
}
run_ctest_emulated() {  # folder: its tests with Wine's 32-bit side, under qemu-i386 where needed
    local status=0
    "$root/scripts/emu32.sh" bash -c 'cd "$1" && ctest --output-on-failure' _ "$1" 2>&1 | tee "$log" || status=$?
    count_ctest
    return "$status"
}
run_ctest() {  # folder, ctest arguments...
    local folder="$1" status=0
    shift
    (cd "$folder" && ctest --output-on-failure "$@") 2>&1 | tee "$log" || status=$?
    count_ctest
    return "$status"
}

echo "== unit tests, native, with sanitizers"
cmake -S . -B build-native -DCMAKE_BUILD_TYPE=Debug \
      -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer" >/dev/null
cmake --build build-native -j"$jobs" >/dev/null
run_ctest build-native

echo "== programs and unit tests, mingw, under Wine"
"$root/scripts/build.sh" >/dev/null
if (source "$root/scripts/wine-env.sh" && kernel_runs_32bit); then
    echo "(the kernel runs 32-bit programs: Wine's 32-bit side runs natively)"
else
    echo "(Wine's 32-bit side runs under qemu-i386: the kernel cannot run 32-bit programs, or TIKKANO_FORCE_EMULATION=1)"
fi
run_ctest_emulated build-win

echo "== fuzzing the reminder group parser and the settings scanners (short runs; scripts/fuzz.sh runs longer)"
# The fuzzers' own exit status decides; the filter only shortens what is shown.
set +e
"$root/scripts/fuzz.sh" "${TIKKANO_FUZZ_SECONDS:-20}" all 2>&1 |
    grep -E '^(-- fuzzing|stat::number_of_executed_units|#[0-9]+ +DONE|==[0-9]+==ERROR|SUMMARY|artifact_prefix|Test unit written)|error'
fuzz_status=${PIPESTATUS[0]}
set -e
if [ "$fuzz_status" -ne 0 ]; then
    failed=$((failed + 1))
    echo "== fuzzing failed (exit status $fuzz_status)" >&2
    exit 1
fi
passed=$((passed + 2))

count_pytest() {  # reads pytest's last line
    local summary kind n
    summary="$(tail -1 "$log")"
    for kind in passed failed error errors; do
        n="$(grep -oE "[0-9]+ $kind\b" <<<"$summary" | grep -oE '^[0-9]+' || true)"
        [ -n "$n" ] || continue
        if [ "$kind" = passed ]; then passed=$((passed + n)); else failed=$((failed + n)); fi
    done
}

e2e_status=0
echo "== end-to-end tests under Wine, on dist/tikkano.exe and dist/tikkano262.exe"
"$root/scripts/emu32.sh" /usr/bin/python3 -m pytest -q -p no:cacheprovider tests/e2e "$@" 2>&1 |
    tee "$log" || e2e_status=$?
count_pytest
exit "$e2e_status"
