#!/usr/bin/env bash
# Builds the programs and runs every end-to-end test on the shipped 32-bit
# programs (dist/tikkano.exe, dist/tikkano262.exe) and the 32-bit test helpers.
# Where the kernel cannot run 32-bit programs, Wine's 32-bit side runs under
# qemu-i386 in private namespaces (scripts/emu32.sh); elsewhere this is the
# same as scripts/e2e.sh. Extra arguments go to pytest, e.g. scripts/e2e32.sh -k tray
set -euo pipefail
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$repo/scripts/build.sh" >/dev/null
exec "$repo/scripts/emu32.sh" /usr/bin/python3 -m pytest -p no:cacheprovider -rs "$repo/tests/e2e" "$@"
