#!/usr/bin/env bash
# Builds the launchpad and runs it under Wine on a sample installation media.
#   bash tools/demo.sh
# With a display, the launchpad opens there and the script waits until it is closed. Without one,
# it runs under a private Xvfb, a screenshot is saved to build/demo/launchpad.png, and the
# launchpad is closed again.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
source tools/common.sh

build_all
media="$root/build/demo/media"
rm -rf "$media"
python3 tools/media/make_sample_media.py "$media" --launchpad build/x64/HovraLaunch.exe \
    --setup build/x64/tools/setup.exe --languages en_us,fr_fr,de_de,ja_jp
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
xdotool search --sync --onlyvisible --name "Corvane Velto Version 9.3" >/dev/null
sleep 1 # the first paint of every control
shot="$root/build/demo/launchpad.png"
import -window root "$shot"
echo "Screenshot: $shot"
xdotool search --onlyvisible --name "Corvane Velto Version 9.3" key --window %1 Escape || true
wait
