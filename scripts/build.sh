#!/usr/bin/env bash
# Builds both Windows programs into dist/ (and the Windows test programs into
# build-win/). With --with-64, where only Wine's 64-bit side runs natively
# (scripts/wine-env.sh), the same sources are also built for 64-bit Windows
# into build-win64/ (programs in build-win64/dist/): the benchmarks measure
# native code, and emulated timings say nothing.
# Usage: scripts/build.sh [--with-64] [target...]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh"
source "$root/scripts/wine-env.sh"
with64=0
if [ "${1:-}" = --with-64 ]; then with64=1; shift; fi
targets=()
[ $# -gt 0 ] && targets=(--target "$@")

build() {  # toolchain, build folder, install folder
    cmake -S "$root" -B "$2" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$1" \
          -DCMAKE_BUILD_TYPE=MinSizeRel -DCMAKE_INSTALL_PREFIX="$3" >/dev/null
    cmake --build "$2" -j"$(nproc)" "${targets[@]}"
    cmake --install "$2" >/dev/null
}

build mingw-i686.cmake "$root/build-win" "$root/dist"
if [ "$with64" = 1 ] && [ "$TIKKANO_WINE_BITS" = 64 ]; then
    build mingw-x86_64.cmake "$root/build-win64" "$root/build-win64/dist"
fi
[ $# -eq 0 ] && /usr/bin/python3 "$root/scripts/make-zips.py" "$root" >/dev/null
exit 0
