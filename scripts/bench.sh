#!/usr/bin/env bash
# Every benchmark, one line per figure, each against a baseline measured in the
# same run (see tests/e2e/bench_clock.py and bench_seconds.py).
# Usage: scripts/bench.sh          full figures (about 20 minutes)
#        scripts/bench.sh quick    short runs of each, for a first look
set -euo pipefail
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$repo/scripts/build.sh" --with-64 >/dev/null
if [ "${1:-}" = quick ]; then
    idle=30 runs=3 refreshes=10000 openings=50 seconds=20
else
    idle=300 runs=5 refreshes=100000 openings=1000 seconds=60
fi
/usr/bin/python3 "$repo/tests/e2e/bench_clock.py" idle "$idle"
/usr/bin/python3 "$repo/tests/e2e/bench_clock.py" startup "$runs"
/usr/bin/python3 "$repo/tests/e2e/bench_clock.py" bigfile "$runs"
/usr/bin/python3 "$repo/tests/e2e/bench_clock.py" growth "$refreshes" "$openings"
/usr/bin/python3 "$repo/tests/e2e/bench_seconds.py" "$seconds"
