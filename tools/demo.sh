#!/usr/bin/env bash
# Builds the launchpad and runs it under Wine on a sample installation media.
#   bash tools/demo.sh
# With a display, the launchpad opens there and the script waits until it is closed. Without one,
# it runs under a private Xvfb, a screenshot is saved to build/demo/launchpad.png, and the
# launchpad is closed again.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash tools/install-deps.sh
cmake --preset x86 >/dev/null
cmake --build --preset x86
cmake --preset x64 >/dev/null
cmake --build --preset x64

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

display=""
for n in $(seq 90 119); do
    [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
done
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY="$display"
trap 'WINEPREFIX="${XDG_CACHE_HOME:-$HOME/.cache}/hovralaunch/wine-x64" /usr/lib/wine/wineserver -k 2>/dev/null; kill $xvfb_pid 2>/dev/null' EXIT
for _ in $(seq 1 100); do
    xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && break
    sleep 0.05
done

"$root/tools/wine-run.sh" HovraLaunch.exe &
xdotool search --sync --onlyvisible --name "Corvane Velto Version 9.3" >/dev/null
sleep 1 # let the first paint settle before the picture is taken
shot="$root/build/demo/launchpad.png"
import -window root "$shot"
echo "Screenshot: $shot"
xdotool search --onlyvisible --name "Corvane Velto Version 9.3" key --window %1 Escape || true
wait
