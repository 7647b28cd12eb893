#!/usr/bin/env bash
# Wine settings shared by every script that starts a Windows program.
: "${TIKKANO_WINE_ROOT:=${XDG_CACHE_HOME:-$HOME/.cache}/tikkano-wine}"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml="
export WINEPREFIX="${WINEPREFIX:-$TIKKANO_WINE_ROOT/prefix}"

# A win32 prefix with window management off (closing a captioned window otherwise
# stalls for seconds without a window manager) and a 1024x768 virtual desktop
# ready to be switched on for tests that change the screen size.
ensure_wine_prefix() {
    [ -f "$WINEPREFIX/.tikkano-ready" ] && return 0
    mkdir -p "$(dirname "$WINEPREFIX")"
    rm -rf "$WINEPREFIX"
    DISPLAY= wineboot -i >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.tikkano-ready"
}
