#!/usr/bin/env bash
# Static analysis of the program, its framework and the test tools: cppcheck, then clang-tidy
# with the mingw-w64 headers. Fails on any finding.
#   bash tools/static-analysis.sh
set -euo pipefail
cd "$(dirname "$0")/.."

sources=(framework/*.cpp cmd/HovraLaunch/*.cpp tools/helpers/*/*.cpp tools/bench/*.cpp)
defines=(-DUNICODE -D_UNICODE -DWIN32_LEAN_AND_MEAN -DNOMINMAX -D_WIN32_WINNT=0x0601 -DWINVER=0x0601)
includes=(-Iframework -Icmd/HovraLaunch -Iresources)

echo "static-analysis: cppcheck"
# useStlAlgorithm only suggests rewriting plain loops; it finds no faults.
cppcheck --enable=warning,style,performance,portability --std=c++20 --quiet --inline-suppr \
    --error-exitcode=1 --suppress=missingIncludeSystem --suppress=useStlAlgorithm \
    -D_WIN32 -D_WIN64 "${defines[@]}" "${includes[@]}" "${sources[@]}"

echo "static-analysis: clang-tidy"
gcc_version=$(ls /usr/lib/gcc/x86_64-w64-mingw32 | grep posix | sort -V | tail -1)
cxx_include=/usr/lib/gcc/x86_64-w64-mingw32/$gcc_version/include/c++
checks='-*,bugprone-*,-bugprone-easily-swappable-parameters,clang-analyzer-*,-clang-analyzer-security.insecureAPI.*,performance-*,-performance-no-int-to-ptr'
tidy_one() {
    local out
    out=$(clang-tidy --quiet -checks="$checks" --warnings-as-errors='*' "$1" -- \
        --target=x86_64-w64-mingw32 -std=c++20 "${defines[@]}" "${includes[@]}" \
        -isystem "$cxx_include" -isystem "$cxx_include/x86_64-w64-mingw32" \
        -isystem /usr/x86_64-w64-mingw32/include 2>&1) || { echo "$out" | grep -v '^[0-9]* warnings generated'; return 1; }
}
export -f tidy_one
export checks cxx_include
export defines_list="${defines[*]}" includes_list="${includes[*]}"
if printf '%s\0' "${sources[@]}" | xargs -0 -n 1 -P "$(nproc)" bash -c \
    'defines=($defines_list); includes=($includes_list); tidy_one "$0"'; then
    echo "static-analysis: clean"
else
    echo "static-analysis: findings above"
    exit 1
fi
