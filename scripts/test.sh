#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test:
#   1. unit tests natively under AddressSanitizer and UBSan,
#   2. the same unit tests cross-built with mingw and run under Wine,
#      plus the import-table check of both programs,
#   3. both fuzzers (reminder groups, settings) for 20 s each,
#   4. the end-to-end tests: the real programs under Wine and Xvfb.
# Usage: scripts/test.sh [pytest arguments for the end-to-end tests]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
"$root/scripts/install-deps.sh"
jobs="$(nproc)"

echo "== unit tests, native, with sanitizers"
cmake -S . -B build-native -DCMAKE_BUILD_TYPE=Debug \
      -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer" >/dev/null
cmake --build build-native -j"$jobs" >/dev/null
(cd build-native && ctest --output-on-failure)

echo "== programs and unit tests, mingw, under Wine"
"$root/scripts/build.sh" >/dev/null
source "$root/scripts/wine-env.sh"
if [ "$TIKKANO_WINE_BITS" = 32 ]; then
    (cd build-win && ctest --output-on-failure)
else
    echo "(this kernel cannot run 32-bit programs: the tests run the 64-bit builds under Wine)"
    (cd build-win && ctest --output-on-failure -R imports)
    (cd build-win64 && ctest --output-on-failure)
fi

echo "== fuzzing the reminder group parser and the settings scanners (short runs; scripts/fuzz.sh runs longer)"
# The fuzzers' own exit status decides; the filter only shortens what is shown.
set +e
"$root/scripts/fuzz.sh" "${TIKKANO_FUZZ_SECONDS:-20}" all 2>&1 |
    grep -E '^(-- fuzzing|stat::number_of_executed_units|#[0-9]+ +DONE|==[0-9]+==ERROR|SUMMARY|artifact_prefix|Test unit written)|error'
fuzz_status=${PIPESTATUS[0]}
set -e
if [ "$fuzz_status" -ne 0 ]; then
    echo "== fuzzing failed (exit status $fuzz_status)" >&2
    exit 1
fi

echo "== end-to-end tests under Wine"
/usr/bin/python3 -m pytest -q -p no:cacheprovider tests/e2e "$@"
