#!/usr/bin/env bash
# Builds the presets and runs every test under Wine and a private Xvfb (the 64-bit build's tests,
# then the 32-bit build's), then fuzzes the pure logic natively under the sanitizers
# (tools/fuzz.sh) and runs the static analysis (tools/static-analysis.sh).
#   bash tools/test.sh
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/lib/common.sh

build_all tests
trap stop_all EXIT
start_display
# The Wine prefixes are made before the tests, outside their time limits: where the 32-bit Wine is
# installed, making one takes minutes (its 32-bit half is set up by emulated programs).
# Both are made the same way, so the unit tests' prefix starts as a copy of the end-to-end template.
HOVRA_WORK_DIR="$PWD/build/x64/e2e" python3 -c 'import sys; sys.path.insert(0, "tests/e2e"); import harness; harness.template_prefix()'
unit_prefix="${HOVRA_WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/hovralaunch/wine-x64}"
if [ ! -f "$unit_prefix/.hovra-ready" ]; then
    rm -rf "$unit_prefix"
    mkdir -p "$(dirname "$unit_prefix")"
    cp -a build/x64/e2e/prefix-template "$unit_prefix"
fi
tools/wine-run.sh --prepare # makes it again only if the copy is not complete
# The 32-bit build's end-to-end tests start from the same template.
if [ ! -f build/x86-tests/e2e/prefix-template/.hovra-ready ]; then
    rm -rf build/x86-tests/e2e/prefix-template
    mkdir -p build/x86-tests/e2e
    cp -a build/x64/e2e/prefix-template build/x86-tests/e2e/prefix-template
fi
status=0
ctest --preset x64 || status=1
# The 32-bit build (label x86), in the pointer size users get: its unit tests, and the launchpad
# itself end to end on 64-bit Windows.
ctest --preset x86-tests || status=1
[ "$status" -eq 0 ]
bash tools/fuzz.sh build/native
bash tools/static-analysis.sh
