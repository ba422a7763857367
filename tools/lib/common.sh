# Shared by tools/demo.sh, tools/test.sh and tools/wine-run.sh: sourced, not run.

# Installs the tools and builds both presets; with "tests", also the 32-bit build of the tests.
build_all() {
    bash tools/install-deps.sh
    cmake --preset x86 >/dev/null
    cmake --build --preset x86
    cmake --preset x64 >/dev/null
    cmake --build --preset x64
    if [ "${1:-}" = "tests" ]; then
        cmake --preset x86-tests >/dev/null
        cmake --build --preset x86-tests --target hovra_unit_tests sample_setup HovraLaunch plant_marker imports_only
    fi
}

# Installs the tools and builds what the demo runs: the launchpad and the sample setup program of
# the x64 preset, and the 32-bit product.
build_demo() {
    bash tools/install-deps.sh
    cmake --preset x64 >/dev/null
    cmake --build --preset x64 --target HovraLaunch sample_setup
    cmake --preset x86 >/dev/null
    cmake --build --preset x86 --target HovraLaunch
}

# Starts an Xvfb on display $1 (":N") and waits until it answers; XVFB_PID names it. The one
# place the shell scripts start one (the Python scripts have tools/lib/winenv.py).
XVFB_PID=""
start_xvfb() {
    Xvfb "$1" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 1 100); do
        xdpyinfo -display "$1" >/dev/null 2>&1 && return 0
        sleep 0.05
    done
    echo "Xvfb did not start on $1" >&2
    return 1
}

# Without a display, starts a private Xvfb on a free display and exports DISPLAY; XVFB_PID names
# it (empty if none).
start_display() {
    [ -z "${DISPLAY:-}" ] || return 0
    local display=""
    for n in $(seq 90 119); do
        [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
    done
    export DISPLAY="$display"
    start_xvfb "$DISPLAY"
}

# Ends every Wine program of the project's prefix and the private display.
stop_all() {
    WINEPREFIX="${HOVRA_WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/hovralaunch/wine-x64}" \
        /usr/lib/wine/wineserver -k 2>/dev/null || true
    [ -z "$XVFB_PID" ] || kill "$XVFB_PID" 2>/dev/null || true
}
