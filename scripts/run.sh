#!/usr/bin/env bash
# Builds the clock and runs it. On Windows it just starts dist/tikkano.exe; on
# Linux it runs under Wine, and with no display it starts Xvfb, lets the clock
# run for a few seconds, saves a screenshot and prints its path.
# Usage: scripts/run.sh [--earlier] [seconds]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
args=("$@")
program=tikkano.exe
if [ "${1:-}" = "--earlier" ]; then program=tikkano262.exe; shift; fi
seconds="${1:-5}"

"$root/scripts/build.sh" tikkano tikkano262
case "$(uname -s)" in
MINGW* | MSYS* | CYGWIN*) exec "$root/dist/$program" ;;
esac

# The shipped program, under qemu-i386 where the kernel cannot run 32-bit
# programs (scripts/emu32.sh).
if [ "${TIKKANO_EMULATED:-}" != 1 ] && ! (source "$root/scripts/wine-env.sh" && kernel_runs_32bit); then
    exec "$root/scripts/emu32.sh" "$0" "${args[@]}"
fi
source "$root/scripts/wine-env.sh"
ensure_wine_prefix
dist="$root/dist"
workdir="$root/out/run"
mkdir -p "$workdir"
cd "$workdir"

if [ -n "${DISPLAY:-}" ]; then
    exec wine "$dist/$program"
fi

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
trap 'wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
sleep 1
wine "$dist/$program" >/dev/null 2>&1 &
sleep "$seconds"
shots="$root/out/screenshots"
mkdir -p "$shots"
import -window root "$shots/run.png"
echo "Screenshot: $shots/run.png"
