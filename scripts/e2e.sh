#!/usr/bin/env bash
# Runs the end-to-end tests (tests/e2e) under Wine on a private Xvfb display.
# Needs dist/tikkano.exe and dist/tikkano262.exe (or TIKKANO_DIST); builds the
# test driver and the menu spy first. Extra arguments go to pytest, e.g.
#   scripts/e2e.sh -k smoke -x
set -euo pipefail
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$repo"

if [ -z "${TIKKANO_E2E_BIN:-}" ]; then
    build="${TIKKANO_BUILD_WIN:-$repo/build-win}"
    if [ ! -f "$build/CMakeCache.txt" ]; then
        cmake -S "$repo" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-i686.cmake" \
            -DCMAKE_BUILD_TYPE=Release >/dev/null
    fi
    cmake --build "$build" --target tikkano_driver tikkano_menuspy tikkano_cbtblock -j2 >/dev/null
    export TIKKANO_E2E_BIN="$build/tests/e2e"
fi

exec /usr/bin/python3 -m pytest -p no:cacheprovider -rs "$repo/tests/e2e" "$@"
