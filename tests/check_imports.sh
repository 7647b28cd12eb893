#!/usr/bin/env bash
# Fails when a program imports a DLL that is not part of Windows itself, or one
# the indicator does not need to start (the shell, common dialog and sound DLLs
# are loaded on first use, see src/app/late_bound.h).
set -euo pipefail
shopt -s nocasematch
allowed='^(KERNEL32|USER32|GDI32|msvcrt|ADVAPI32)\.dll$'
status=0
for exe in "$@"; do
    dlls=$(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p')
    [ -n "$dlls" ] || { echo "$exe: no imports found"; status=1; }
    while read -r dll; do
        [ -z "$dll" ] && continue
        if ! [[ "$dll" =~ $allowed ]]; then
            echo "$exe imports $dll"
            status=1
        fi
    done <<<"$dlls"
    file "$exe" | grep -q 'PE32 executable (GUI) Intel 80386' || { echo "$exe is not a 32-bit GUI program"; status=1; }
done
exit $status
