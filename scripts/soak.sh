#!/usr/bin/env bash
# A long run of the clock with reminders in every minute while dialogs, the
# tray and piled-up reminder boxes are driven at random times (see
# tests/e2e/soak.py). Not part of CI.
# Usage: scripts/soak.sh [minutes]   (default 60)
set -euo pipefail
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$repo/scripts/build.sh" >/dev/null
exec /usr/bin/python3 "$repo/tests/e2e/soak.py" "${1:-60}"
