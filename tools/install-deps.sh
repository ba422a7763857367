#!/usr/bin/env bash
# Puts every tool the build, the tests and the demo need on a Debian machine.
# Idempotent: when everything is present already it changes nothing and asks no registry.
set -euo pipefail

packages=(
    cmake make
    g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64
    googletest
    clang-14 libclang-rt-14-dev clang-tidy cppcheck
    wine wine64
    xvfb xdotool x11-utils imagemagick fonts-dejavu-core fonts-wqy-microhei
    locales python3 file
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "install-deps: installing ${missing[*]}"
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
