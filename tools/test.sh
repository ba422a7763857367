#!/usr/bin/env bash
# Builds both presets and runs every test under Wine and a private Xvfb.
#   bash tools/test.sh
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh

cmake --preset x86 >/dev/null
cmake --build --preset x86
cmake --preset x64 >/dev/null
cmake --build --preset x64

# One display for the whole run, stopped at the end with every Wine process of the run.
xvfb_pid=""
cleanup() {
    HOVRA_WINEPREFIX="" WINEPREFIX="${XDG_CACHE_HOME:-$HOME/.cache}/hovralaunch/wine-x64" \
        /usr/lib/wine/wineserver -k 2>/dev/null || true
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
    for n in $(seq 90 119); do
        [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
    done
    Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY="$display"
    for _ in $(seq 1 100); do
        xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && break
        sleep 0.05
    done
fi

ctest --preset x64
