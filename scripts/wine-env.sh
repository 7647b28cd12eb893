#!/usr/bin/env bash
# Wine settings shared by every script that starts a Windows program.
#
# The shipped programs are 32-bit. Where the kernel cannot run 32-bit Linux
# programs (some virtual machines), Wine's 32-bit side runs under qemu-i386
# inside scripts/emu32.sh (TIKKANO_EMULATED=1), and everything there is as on
# a kernel that runs 32-bit programs, only slower. TIKKANO_FORCE_EMULATION=1
# makes a kernel that runs them act as one that does not (to try that road).
# Outside emu32.sh on such a kernel only Wine's 64-bit side runs
# (TIKKANO_WINE_BITS=64): the benchmarks use it with the 64-bit builds.
_wine_env_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# True where Wine's 32-bit side starts without emulation.
kernel_runs_32bit() {
    [ "${TIKKANO_FORCE_EMULATION:-}" != 1 ] && { [ ! -x /usr/lib/wine/wine ] || /usr/lib/wine/wine --version >/dev/null 2>&1; }
}
if [ -z "${TIKKANO_WINE_BITS:-}" ]; then
    if [ "${TIKKANO_EMULATED:-}" = 1 ] || kernel_runs_32bit; then
        TIKKANO_WINE_BITS=32
    else
        TIKKANO_WINE_BITS=64
    fi
fi
export TIKKANO_WINE_BITS
if [ "$TIKKANO_WINE_BITS" = 64 ]; then
    export WINEARCH=win64
    case ":$PATH:" in *":$_wine_env_dir/wine64:"*) ;; *) export PATH="$_wine_env_dir/wine64:$PATH" ;; esac
else
    export WINEARCH=win32
fi
: "${TIKKANO_WINE_ROOT:=${XDG_CACHE_HOME:-$HOME/.cache}/tikkano-wine}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml="
export WINEPREFIX="${WINEPREFIX:-$TIKKANO_WINE_ROOT/prefix-$WINEARCH}"

# A prefix with window management off (closing a captioned window otherwise
# stalls for seconds without a window manager).
ensure_wine_prefix() {
    [ -f "$WINEPREFIX/.tikkano-ready" ] && return 0
    mkdir -p "$(dirname "$WINEPREFIX")"
    rm -rf "$WINEPREFIX"
    DISPLAY= wine wineboot -i >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.tikkano-ready"
}
