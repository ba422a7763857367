#!/usr/bin/env bash
# Runs a Windows program under 64-bit Wine in the project's private prefix.
#
#   tools/wine-run.sh PROGRAM.exe [ARGS...]
#
# The prefix is made once (HOVRA_WINEPREFIX, default ~/.cache/hovralaunch/wine-x64) and reused.
# Without a DISPLAY, a shared Xvfb is started on display :73 and left running for later calls;
# tools/test.sh stops it at the end of a run.
set -euo pipefail

WINE64=/usr/lib/wine/wine64
prefix="${HOVRA_WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/hovralaunch/wine-x64}"

ensure_display() {
    [ -n "${DISPLAY:-}" ] && return 0
    export DISPLAY=:73
    if ! xdpyinfo -display "$DISPLAY" >/dev/null 2>&1; then
        (Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &)
        for _ in $(seq 1 100); do
            xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && return 0
            sleep 0.05
        done
        echo "wine-run: Xvfb did not start on $DISPLAY" >&2
        return 1
    fi
}

ensure_prefix() {
    [ -f "$prefix/.hovra-ready" ] && return 0
    mkdir -p "$(dirname "$prefix")"
    exec 9>"$prefix.lock"
    flock 9
    if [ ! -f "$prefix/.hovra-ready" ]; then
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

ensure_display
ensure_prefix
export WINEPREFIX="$prefix" WINEDEBUG="${WINEDEBUG:--all}"
exec "$WINE64" "$@"
