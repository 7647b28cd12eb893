#!/usr/bin/env bash
# Builds both Windows programs into dist/ (and the Windows test programs into
# build-win/). With --with-64, where only Wine's 64-bit side runs natively
# (scripts/wine-env.sh), the same sources are also built for 64-bit Windows
# into build-win64/ (programs in build-win64/dist/): the benchmarks measure
# native code, and emulated timings say nothing.
# A full build also makes the zips and dist/SHA256SUMS. Two builds of one
# commit give the same bytes in dist/ (tests/check_reproducible.sh).
# Usage: scripts/build.sh [--with-64] [target...]
#        scripts/build.sh --release   only what a user downloads: the programs,
#                                     the zips and SHA256SUMS in dist/
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh"
source "$root/scripts/wine-env.sh"
with64=0 release_only=0 tests=ON targets=()
if [ "${1:-}" = --with-64 ]; then with64=1; shift; fi
if [ "${1:-}" = --release ]; then
    release_only=1 tests=OFF targets=(--target tikkano tikkano262)
    shift
fi
[ $# -gt 0 ] && targets=(--target "$@")

build() {  # toolchain, build folder, install folder
    cmake -S "$root" -B "$2" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$1" \
          -DCMAKE_BUILD_TYPE=MinSizeRel -DCMAKE_INSTALL_PREFIX="$3" -DTIKKANO_TESTS="$tests" >/dev/null
    cmake --build "$2" -j"$(nproc)" "${targets[@]}"
    cmake --install "$2" >/dev/null
}

build mingw-i686.cmake "$root/build-win" "$root/dist"
if [ "$with64" = 1 ] && [ "$TIKKANO_WINE_BITS" = 64 ] && [ "$release_only" = 0 ]; then
    build mingw-x86_64.cmake "$root/build-win64" "$root/build-win64/dist"
fi
if [ $# -eq 0 ]; then
    rm -f "$root"/dist/*.zip "$root/dist/SHA256SUMS"
    /usr/bin/python3 "$root/scripts/make-zips.py" "$root" >/dev/null
    # The names in the byte order of C, whatever the locale sorts by.
    (cd "$root/dist" && export LC_ALL=C && sha256sum -- *.exe *.zip >SHA256SUMS)
fi
exit 0
