#!/usr/bin/env bash
# Builds both Windows programs into dist/ (and the Windows test programs into
# build-win/). Usage: scripts/build.sh [target...]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build-win" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
      -DCMAKE_BUILD_TYPE=MinSizeRel -DCMAKE_INSTALL_PREFIX="$root/dist" >/dev/null
targets=()
[ $# -gt 0 ] && targets=(--target "$@")
cmake --build "$root/build-win" -j"$(nproc)" "${targets[@]}"
cmake --install "$root/build-win" >/dev/null
