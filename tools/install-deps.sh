#!/usr/bin/env bash
# Puts every tool the build, the tests and the demo need on a Debian machine, and makes 32-bit
# programs runnable (the product is a 32-bit program, and so is the Wine that runs it).
# Idempotent: when everything is present already it changes nothing and asks no registry.
set -euo pipefail

packages=(
    cmake make
    g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64
    googletest
    clang-14 libclang-rt-14-dev clang-tidy cppcheck
    wine wine64 wine32:i386
    xvfb xdotool x11-utils imagemagick fonts-dejavu-core fonts-wqy-microhei
    locales python3 file
)

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

# A 32-bit Linux program of ten instructions' worth: exit(42) through int 0x80. Whether it runs
# tells whether this kernel runs 32-bit programs, natively or through a registered emulator.
probe32="$(mktemp /tmp/hovra-probe32.XXXXXX)"
trap 'rm -f "$probe32"' EXIT
{
    # ELF header: 32-bit, little-endian, executable, i386, entry 0x08048054, one program header.
    printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'
    printf '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00'
    printf '\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00'
    # One loadable, readable and executable segment: the whole file at 0x08048000.
    printf '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08'
    printf '\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00'
    # mov eax, 1 (exit); mov ebx, 42; int 0x80
    printf '\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80'
} >"$probe32"
chmod +x "$probe32"
runs_32bit() {
    local rc=0
    "$probe32" 2>/dev/null || rc=$?
    [ "$rc" -eq 42 ]
}

# Some kernels are built without 32-bit support ("32-bit emulation disabled"): there qemu's
# user-mode emulator runs them instead.
needs_emulator=0
runs_32bit || { needs_emulator=1; packages+=(qemu-user-static); }

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "install-deps: installing ${missing[*]}"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        $SUDO dpkg --add-architecture i386
    fi
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if [ "$needs_emulator" -eq 1 ] && ! runs_32bit; then
    # Debian's package registers every architecture but the host's own family; i386 is registered
    # here, with the F flag so that it works in every mount namespace and chroot.
    binfmt=/proc/sys/fs/binfmt_misc
    echo "install-deps: this kernel does not run 32-bit programs; registering qemu-i386 with binfmt_misc"
    [ -e "$binfmt/register" ] || $SUDO mount -t binfmt_misc binfmt_misc "$binfmt"
    if [ -e "$binfmt/qemu-i386" ]; then
        echo 1 | $SUDO tee "$binfmt/qemu-i386" >/dev/null
    else
        printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' |
            $SUDO tee "$binfmt/register" >/dev/null
    fi
fi

if ! runs_32bit; then
    echo "install-deps: 32-bit programs still cannot run here, so the 32-bit Wine cannot either." >&2
    echo "  This kernel refuses them and no emulator could be registered: binfmt_misc needs root and" >&2
    echo "  a kernel with CONFIG_BINFMT_MISC. Run this script as root (or with sudo), or on a machine" >&2
    echo "  whose kernel has 32-bit support (CONFIG_IA32_EMULATION)." >&2
    exit 1
fi
