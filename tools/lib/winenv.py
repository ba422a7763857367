"""Where the project's Windows programs run, for the Python scripts (the end-to-end tests'
tests/e2e/harness.py and the benchmark tools/bench/run.py): the Wine loaders, an X display, the
making of a Wine prefix and the Windows path of a Unix path.

The shell scripts have the same for themselves: tools/lib/common.sh starts an Xvfb, tools/wine-run.sh
makes the unit tests' prefix the same way as make_prefix here.
"""
import fcntl
import os
import shutil
import subprocess
import time

WINE64 = "/usr/lib/wine/wine64"
WINE32 = "/usr/lib/wine/wine"
WINESERVER = "/usr/lib/wine/wineserver"

# The file a complete prefix holds; a prefix without it is made again.
READY_MARKER = ".hovra-ready"


class Display:
    """The X display: the caller's, or a private Xvfb started and stopped here (always when
    private: a test that runs beside others on the machine keeps its windows and keys apart)."""

    def __init__(self, private=False):
        self.process = None
        self.name = None if private else os.environ.get("DISPLAY")

    def __enter__(self):
        if not self.name:
            # Xvfb picks a free display number itself and writes it to the pipe: two programs
            # starting at once never share one.
            read_end, write_end = os.pipe()
            self.process = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
                                             "-nolisten", "tcp"], pass_fds=(write_end,),
                                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            os.close(write_end)
            with os.fdopen(read_end) as answer:
                number = answer.readline().strip()
            if not number:
                raise RuntimeError("Xvfb did not start")
            self.name = ":" + number
            deadline = time.monotonic() + 10
            while subprocess.run(["xdpyinfo", "-display", self.name], stdout=subprocess.DEVNULL,
                                 stderr=subprocess.DEVNULL).returncode != 0:
                if time.monotonic() > deadline:
                    raise RuntimeError("Xvfb did not answer on " + self.name)
                time.sleep(0.05)
        return self

    def __exit__(self, *exc):
        if self.process:
            self.process.terminate()
            self.process.wait(10)


def make_prefix(prefix):
    """Makes a Wine prefix once (a 64-bit Windows, WoW64 where the 32-bit Wine is installed), under
    a lock so that programs starting at once make it only once; returns its path."""
    os.makedirs(os.path.dirname(prefix) or ".", exist_ok=True)
    with open(prefix + ".lock", "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        if not os.path.exists(os.path.join(prefix, READY_MARKER)):
            shutil.rmtree(prefix, ignore_errors=True)
            # No Mono or Gecko: nothing here needs them, and their installers would ask.
            env = dict(os.environ, WINEPREFIX=prefix, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree=;mshtml=")
            env.pop("DISPLAY", None)
            subprocess.run([WINE64, "wineboot", "-i"], env=env, check=True, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL)
            # Windows not managed by a window manager: Wine frames and places them itself.
            subprocess.run([WINE64, "reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v", "Managed", "/d", "N",
                            "/f"], env=env, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            subprocess.run([WINESERVER, "-w"], env=env, check=True)
            open(os.path.join(prefix, READY_MARKER), "w").close()
    return prefix


def is_32bit(program):
    """Whether a program file is a 32-bit x86 Windows program (False for names like "reg")."""
    try:
        with open(program, "rb") as f:
            header = f.read(4096)
    except OSError:
        return False
    if header[:2] != b"MZ" or len(header) < 0x40:
        return False
    offset = int.from_bytes(header[0x3C:0x40], "little")
    return header[offset:offset + 4] == b"PE\0\0" and header[offset + 4:offset + 6] == b"\x4c\x01"


def loader(program):
    """The Wine loader for a program. A 32-bit program runs in the 32-bit loader's own process,
    which ends with the program; the 64-bit loader would hand it on and end at once."""
    return WINE32 if is_32bit(program) else WINE64


def windows_path(path):
    """The path a Wine program sees for a Unix path."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")
