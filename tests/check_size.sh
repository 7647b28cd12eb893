#!/usr/bin/env bash
# Fails when a program is larger than the bound (bytes) that a download keeps to.
# Usage: check_size.sh BOUND PROGRAM...
set -euo pipefail
bound="$1"
shift
status=0
for exe in "$@"; do
    size=$(stat -c %s "$exe")
    echo "$exe: $size bytes (at most $bound)"
    [ "$size" -le "$bound" ] || { echo "$exe is $((size - bound)) bytes over"; status=1; }
done
exit $status
