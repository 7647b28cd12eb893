#!/usr/bin/env bash
# How late the indicator shows each new second, under Wine (see
# tests/e2e/bench_seconds.py). Usage: scripts/bench-seconds.sh [seconds]
set -euo pipefail
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$repo"
if [ -z "${TIKKANO_E2E_BIN:-}" ]; then
    build="${TIKKANO_BUILD_WIN:-$repo/build-win}"
    if [ ! -f "$build/CMakeCache.txt" ]; then
        cmake -S "$repo" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-i686.cmake" \
            -DCMAKE_BUILD_TYPE=Release >/dev/null
    fi
    cmake --build "$build" --target tikkano_driver tikkano_menuspy -j2 >/dev/null
    export TIKKANO_E2E_BIN="$build/tests/e2e"
fi
exec /usr/bin/python3 "$repo/tests/e2e/bench_seconds.py" "${1:-60}"
