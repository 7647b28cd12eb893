#!/usr/bin/env bash
# How late the indicator shows each new second, under Wine (see
# tests/e2e/bench_seconds.py). Usage: scripts/bench-seconds.sh [seconds]
set -euo pipefail
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$repo/scripts/build.sh" >/dev/null
exec /usr/bin/python3 "$repo/tests/e2e/bench_seconds.py" "${1:-60}"
