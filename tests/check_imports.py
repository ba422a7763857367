#!/usr/bin/env python3
"""Fails when a launchpad program imports a DLL that Windows would not take from its own folder.

    check_imports.py PROGRAM.exe [PROGRAM.exe ...]

Each program is read with the matching objdump; a program path that does not exist is reported
and skipped only when it is not the first (the 32-bit build is made by another preset).
"""
import os
import re
import subprocess
import sys

# Known DLLs: always loaded from the system folder, never from beside the program.
ALLOWED = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll", "comdlg32.dll", "ole32.dll",
           "msvcrt.dll"}


def machine(path):
    with open(path, "rb") as f:
        data = f.read(4096)
    pe = int.from_bytes(data[0x3C:0x40], "little")
    check = data[pe:pe + 4] == b"PE\0\0"
    kind = int.from_bytes(data[pe + 4:pe + 6], "little")
    if not check or kind not in (0x14C, 0x8664):
        raise SystemExit("%s: not a PE32 or PE32+ program" % path)
    return kind


def imports(path):
    objdump = "i686-w64-mingw32-objdump" if machine(path) == 0x14C else "x86_64-w64-mingw32-objdump"
    out = subprocess.run([objdump, "-p", path], check=True, capture_output=True, text=True).stdout
    return sorted({m.lower() for m in re.findall(r"DLL Name: (\S+)", out)})


def main(paths):
    failed = 0
    checked = 0
    for index, path in enumerate(paths):
        if not os.path.exists(path):
            if index == 0:
                print("FAIL %s: missing" % path)
                failed += 1
            else:
                print("skip %s: not built" % path)
            continue
        checked += 1
        dlls = imports(path)
        extra = [d for d in dlls if d not in ALLOWED]
        if extra:
            failed += 1
            print("FAIL %s imports %s" % (path, ", ".join(extra)))
        else:
            print("PASS %s imports only %s" % (path, ", ".join(dlls)))
    print("%d passed, %d failed" % (checked - failed if checked >= failed else 0, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
