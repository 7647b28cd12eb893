#!/usr/bin/env bash
# Runs a command in which 32-bit Linux programs (Wine's 32-bit side) run under
# qemu-i386, on a kernel that cannot run them itself.
#
# qemu is registered as the handler of 32-bit ELF programs only inside private
# user, mount and PID namespaces, never system-wide: everything else on the
# machine is untouched. Everything started inside (a wineserver too) ends when
# the command ends. Inside, everything is as on a kernel that runs 32-bit
# programs (TIKKANO_WINE_BITS=32, a win32 prefix, the 32-bit builds), only
# slower; TIKKANO_EMULATED=1 tells the end-to-end harness to wait longer.
# Where the kernel runs 32-bit programs, the command simply runs (unless
# TIKKANO_FORCE_EMULATION=1, which takes this road anyway).
# Usage: scripts/emu32.sh command [arguments...]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
[ $# -gt 0 ] || { echo "usage: $0 command [arguments...]" >&2; exit 2; }

if [ "${TIKKANO_EMULATED:-}" != 1 ]; then
    if (source "$here/wine-env.sh" && kernel_runs_32bit); then
        exec "$@"   # the kernel runs 32-bit programs itself: nothing to emulate
    fi
    qemu="${TIKKANO_QEMU_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/tikkano-qemu}/qemu-i386"
    [ -x "$qemu" ] || { echo "$qemu is missing: run scripts/install-qemu.sh" >&2; exit 1; }
    # The PID namespace's first process is this script again; when it ends,
    # the kernel ends whatever is left inside (a persistent wineserver).
    exec env TIKKANO_EMULATED=1 TIKKANO_QEMU="$qemu" \
        unshare --user --map-root-user --mount --pid --fork --mount-proc --kill-child \
        "$here/emu32.sh" "$@"
fi

if [ ! -e /proc/sys/fs/binfmt_misc/register ]; then
    mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
    # i386 ELF executables and shared objects; flag F opens qemu now, so it
    # need not be reachable from what the program sees later.
    printf ':tikkano-i386:M::%s:%s:%s:F\n' \
        '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00' \
        '\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff' \
        "$TIKKANO_QEMU" >/proc/sys/fs/binfmt_misc/register
fi

# What the scripts outside set up for Wine's 64-bit side stays outside.
unset WINEPREFIX WINEARCH WINELOADER
PATH="$(tr ':' '\n' <<<"$PATH" | grep -vxF "$here/wine64" | paste -sd:)"
export PATH TIKKANO_WINE_BITS=32

status=0
"$@" || status=$?
# Let a wineserver of the shared prefix write its registry before the
# namespace ends it.
(source "$here/wine-env.sh" && wineserver -k) >/dev/null 2>&1 || true
exit "$status"
