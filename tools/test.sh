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
ctest --preset x64
bash tools/fuzz.sh build/native
bash tools/static-analysis.sh
