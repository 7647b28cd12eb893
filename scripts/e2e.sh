#!/usr/bin/env bash
# Builds the programs and the test helpers, then runs only the end-to-end tests
# (tests/e2e) on the shipped programs in dist/ under Wine on a private Xvfb
# display; where the kernel cannot run 32-bit programs, Wine's 32-bit side runs
# under qemu-i386 (scripts/emu32.sh). Extra arguments go to pytest, e.g.
# scripts/e2e.sh -k tray -x
set -euo pipefail
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$repo/scripts/build.sh" >/dev/null
exec "$repo/scripts/emu32.sh" /usr/bin/python3 -m pytest -p no:cacheprovider -rs "$repo/tests/e2e" "$@"
