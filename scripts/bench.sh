#!/usr/bin/env bash
# Every benchmark, one line per figure, each against a baseline measured in the
# same run (see tests/e2e/bench_clock.py, which runs bench_growth.py and
# bench_settings_file.py too, and bench_seconds.py).
# Usage: scripts/bench.sh          full figures (about 20 minutes)
#        scripts/bench.sh quick    short runs of each, for a first look
set -euo pipefail
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$repo/scripts/build.sh" --with-64 >/dev/null
if [ "${1:-}" = quick ]; then
    idle=30 runs=3 refreshes=10000 openings=50 seconds=20 closes=3
else
    idle=300 runs=5 refreshes=100000 openings=1000 seconds=60 closes=15
fi
/usr/bin/python3 "$repo/tests/e2e/bench_clock.py" idle "$idle"
/usr/bin/python3 "$repo/tests/e2e/bench_clock.py" startup "$runs"
/usr/bin/python3 "$repo/tests/e2e/bench_clock.py" bigfile "$runs"
/usr/bin/python3 "$repo/tests/e2e/bench_clock.py" growth "$refreshes" "$openings"
/usr/bin/python3 "$repo/tests/e2e/bench_seconds.py" "$seconds"

# The close against the last build that wrote the settings file in place,
# key by key (TIKKANO_BENCH_BASELINE names another commit).
baseline="$(mktemp -d)"
trap 'rm -rf "$baseline"' EXIT
git clone -q "$repo" "$baseline/tree"
git -C "$baseline/tree" checkout -q "${TIKKANO_BENCH_BASELINE:-3b48927}"
"$baseline/tree/scripts/build.sh" --with-64 >/dev/null
if (source "$repo/scripts/wine-env.sh" && [ "$TIKKANO_WINE_BITS" = 32 ]); then
    baseline_dist="$baseline/tree/dist"
else
    baseline_dist="$baseline/tree/build-win64/dist"
fi
/usr/bin/python3 "$repo/tests/e2e/bench_clock.py" closesave "$closes" "$baseline_dist"

# The settings fuzzer against the last build before the checked writes.
"$repo/scripts/bench-fuzz.sh" "$seconds"
