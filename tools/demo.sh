#!/usr/bin/env bash
# Builds the launchpad and runs it under Wine on a sample installation media.
#   bash tools/demo.sh
# With a display, the launchpad opens there and the script waits until it is closed. Without one,
# it runs under a private Xvfb, a screenshot is saved to build/demo/launchpad.png, the launchpad
# is closed again with Escape, as a user would, and the script ends; it fails, after killing the
# launchpad, when the launchpad does not show or does not close within its time-out.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
source tools/lib/common.sh

# Time-outs in seconds: the window's first appearance (a Wine prefix is made before it, once) and
# the launchpad's end after Escape.
show_timeout="${HOVRA_DEMO_SHOW_TIMEOUT:-300}"
close_timeout="${HOVRA_DEMO_CLOSE_TIMEOUT:-60}"
title="Corvane Velto Version 9.3"

build_demo
media="$root/build/demo/media"
rm -rf "$media"
python3 tools/media/make_sample_media.py "$media" --launchpad build/x64/HovraLaunch.exe \
    --setup build/x64/tools/sample_setup.exe --languages en_us,fr_fr,de_de,ja_jp
echo "Launchpad: $media/HovraLaunch.exe (the product is the 32-bit build/x86/HovraLaunch.exe;"
echo "this 64-bit build of the same sources is what runs under Wine here)"
cd "$media"

if [ -n "${DISPLAY:-}" ]; then
    "$root/tools/wine-run.sh" HovraLaunch.exe
    exit 0
fi

trap stop_all EXIT
start_display
"$root/tools/wine-run.sh" HovraLaunch.exe &
launchpad=$!

# True while the launchpad's process runs.
running() { kill -0 "$launchpad" 2>/dev/null; }

# Waits up to $1 seconds for the launchpad to end; true when it has.
ended_within() {
    local deadline=$((SECONDS + $1))
    while running; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.2
    done
}

give_up() {
    echo "demo: $1; killing it" >&2
    kill "$launchpad" 2>/dev/null || true
    exit 1
}

if ! window=$(timeout "$show_timeout" xdotool search --sync --onlyvisible --name "$title" | head -n 1) ||
    [ -z "$window" ]; then
    running || { echo "demo: the launchpad ended before its window showed" >&2; exit 1; }
    give_up "the launchpad's window did not show within $show_timeout s"
fi
sleep 1 # the first paint of every control
shot="$root/build/demo/launchpad.png"
import -window root "$shot"
echo "Screenshot: $shot"

# Without a window manager nothing gives the window the keyboard: give it the focus, then press
# Escape through the X server, as a user's key press arrives. Until the launchpad is ready for
# input a key can be lost, so the key is pressed again now and then until the time-out.
deadline=$((SECONDS + close_timeout))
while running && [ "$SECONDS" -lt "$deadline" ]; do
    timeout 5 xdotool windowfocus --sync "$window" 2>/dev/null && xdotool key Escape 2>/dev/null || true
    ended_within 5 && break
done
running && give_up "the launchpad did not close within $close_timeout s after Escape"
wait "$launchpad" || { echo "demo: the launchpad ended with status $?" >&2; exit 1; }
echo "The launchpad closed."
