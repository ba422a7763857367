#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's private prefix: a 64-bit one under 64-bit
# Wine, a 32-bit one under 32-bit Wine.
#
#   tools/wine-run.sh PROGRAM.exe [ARGS...]
#   tools/wine-run.sh --prepare          only makes the prefix (ctest does this before the tests)
#
# The prefix is made once (HOVRA_WINEPREFIX, default ~/.cache/hovralaunch/wine-x64) and reused.
# Where the 32-bit Wine is installed it is a 64-bit Windows with WoW64, which runs both builds;
# a prefix made before the 32-bit Wine came is made again. Making one then takes minutes where
# 32-bit programs run emulated (its 32-bit half is set up by 32-bit programs).
# Without a DISPLAY, a shared Xvfb is started on display :73 (start_xvfb, tools/lib/common.sh) and left
# running for later calls; tools/test.sh stops it at the end of a run.
set -euo pipefail

WINE64=/usr/lib/wine/wine64
prefix="${HOVRA_WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/hovralaunch/wine-x64}"

# shellcheck source=tools/lib/common.sh
source "$(dirname "$0")/lib/common.sh"

ensure_display() {
    [ -n "${DISPLAY:-}" ] && return 0
    export DISPLAY=:73
    # Started from a subshell, the Xvfb is no child of the program run here and outlives it.
    xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 || (start_xvfb "$DISPLAY")
}

WINE32=/usr/lib/wine/wine
prefix_ready() {
    [ -f "$prefix/.hovra-ready" ] && { [ ! -x "$WINE32" ] || [ -d "$prefix/drive_c/windows/syswow64" ]; }
}

ensure_prefix() {
    prefix_ready && return 0
    mkdir -p "$(dirname "$prefix")"
    exec 9>"$prefix.lock"
    flock 9
    if ! prefix_ready; then
        rm -rf "$prefix"
        # No Mono or Gecko: nothing here needs them, and their installers would ask.
        WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml=" \
            "$WINE64" wineboot -i >/dev/null 2>&1
        WINEPREFIX="$prefix" WINEDEBUG=-all "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' \
            /v Managed /d N /f >/dev/null 2>&1
        WINEPREFIX="$prefix" WINEDEBUG=-all /usr/lib/wine/wineserver -w
        touch "$prefix/.hovra-ready"
    fi
    flock -u 9
}

if [ "${1:-}" = "--prepare" ]; then
    ensure_prefix
    exit 0
fi
ensure_display
ensure_prefix
export WINEPREFIX="$prefix" WINEDEBUG="${WINEDEBUG:--all}"
# A 32-bit program runs in the 32-bit loader's own process, which ends with the program's exit
# code; started from the 64-bit loader it would be handed on, and its end not waited for.
if file -b "$1" 2>/dev/null | grep -q '^PE32 executable'; then
    exec "$WINE32" "$@"
fi
exec "$WINE64" "$@"
