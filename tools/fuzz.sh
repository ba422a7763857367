#!/usr/bin/env bash
# Builds the launchpad's pure logic natively with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer (fuzz/), and runs each libFuzzer target for a bounded time. Fails on
# any finding: a sanitizer report, a property that does not hold, a crash or a hang.
#   bash tools/fuzz.sh [build dir]        (default build/native)
# HOVRA_FUZZ_SECONDS sets each target's time (default 30). The corpus each run grows is kept in
# <build dir>/corpus and seeds the next run; findings are saved in <build dir>/findings, and a
# finding is replayed with: <build dir>/fuzz_<target> <build dir>/findings/<file>
set -euo pipefail
cd "$(dirname "$0")/.."

build="${1:-build/native}"
seconds="${HOVRA_FUZZ_SECONDS:-30}"

cmake -S fuzz -B "$build" -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
cmake --build "$build" -j2 >/dev/null

export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
status=0
for target in string_table leading_number installer_command language_choice; do
    corpus="$build/corpus/$target"
    log="$build/logs/$target.log"
    mkdir -p "$corpus" "$build/findings" "$build/logs"
    seeds=()
    [ ! -d "fuzz/corpus/$target" ] || seeds=("fuzz/corpus/$target")
    if "$build/fuzz_$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$build/findings/$target-" "$corpus" "${seeds[@]}" >"$log" 2>&1; then
        # libFuzzer's closing line: inputs run, coverage, corpus size, speed.
        echo "fuzz $target: $(grep -m1 -E '\sDONE\s' "$log" | tr -s '\t ' ' ')"
    else
        echo "fuzz $target: FAILED (full log: $log)"
        # The report from its first line, else the end of the log.
        report=$(sed -n '/does not hold\|runtime error\|ERROR:/,$p' "$log" | head -n 40)
        echo "${report:-$(tail -n 40 "$log")}"
        status=1
    fi
done
exit "$status"
