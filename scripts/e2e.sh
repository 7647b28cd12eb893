#!/usr/bin/env bash
# Builds the programs and the test helpers, then runs only the end-to-end tests
# (tests/e2e) under Wine on a private Xvfb display. Extra arguments go to
# pytest, e.g. scripts/e2e.sh -k tray -x
set -euo pipefail
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$repo/scripts/build.sh" >/dev/null
exec /usr/bin/python3 -m pytest -p no:cacheprovider -rs "$repo/tests/e2e" "$@"
