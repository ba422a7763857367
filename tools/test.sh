#!/usr/bin/env bash
# Builds both presets and runs every test under Wine and a private Xvfb, then fuzzes the pure
# logic natively under the sanitizers (tools/fuzz.sh) and runs the static analysis
# (tools/static-analysis.sh).
#   bash tools/test.sh
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/common.sh

build_all
trap stop_all EXIT
start_display
# The Wine prefixes are made before the tests, outside their time limits: where the 32-bit Wine is
# installed, making one takes minutes (its 32-bit half is set up by emulated programs).
tools/wine-run.sh cmd /c exit 0 >/dev/null 2>&1
HOVRA_WORK_DIR="$PWD/build/x64/e2e" python3 -c 'import sys; sys.path.insert(0, "tests/e2e"); import harness; harness.template_prefix()'
ctest --preset x64
bash tools/fuzz.sh build/native
bash tools/static-analysis.sh
