"""What the end-to-end tests share: a display, a Wine prefix of their own, the launchpad on a
sample media, the UI driver and screenshots.

The environment comes from ctest (tests/CMakeLists.txt): HOVRA_PROGRAM, HOVRA_UIDRIVER,
HOVRA_UNIT_TESTS, HOVRA_SOURCE_DIR and HOVRA_WORK_DIR.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

PROGRAM = os.environ.get("HOVRA_PROGRAM", "")
UIDRIVER = os.environ.get("HOVRA_UIDRIVER", "")
UNIT_TESTS = os.environ.get("HOVRA_UNIT_TESTS", "")
SAMPLE_SETUP = os.environ.get("HOVRA_SAMPLE_SETUP", "")
SOURCE_DIR = os.environ.get("HOVRA_SOURCE_DIR", os.path.abspath(os.path.join(os.path.dirname(__file__), "../..")))
WORK_DIR = os.environ.get("HOVRA_WORK_DIR", "/tmp/hovra-e2e")
ARTIFACTS = os.path.join(WORK_DIR, "artifacts")

MAIN_TITLE = "Corvane Velto Version 9.3"

# What Wine says when it could not create a program's process at all.
NOT_STARTED = b"Application could not be started"
NOT_STARTED_ATTEMPTS = 3

sys.path.insert(0, os.path.join(SOURCE_DIR, "tools", "media"))
sys.path.insert(0, os.path.join(SOURCE_DIR, "tools", "lib"))
sys.path.insert(0, os.path.join(SOURCE_DIR, "tests"))
import check_strings  # noqa: E402
import make_sample_media  # noqa: E402
# The display, the loaders and Windows paths, shared with the benchmark.
from winenv import WINESERVER, Display, is_32bit, loader, windows_path  # noqa: E402,F401
import winenv  # noqa: E402


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def wait_until(predicate, timeout, what):
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure("timed out after %.1f s waiting for %s" % (timeout, what))
        time.sleep(0.05)


def template_prefix():
    """A Wine prefix made once per build tree, copied for every scenario."""
    os.makedirs(WORK_DIR, exist_ok=True)
    return winenv.make_prefix(os.path.join(WORK_DIR, "prefix-template"))


class Wine:
    """A private copy of the template prefix on a display; everything it started ends on exit."""

    def __init__(self, name, display, extra_env=None):
        self.prefix = os.path.join(WORK_DIR, "prefix-" + name)
        self.display = display
        self.extra_env = extra_env or {}

    def __enter__(self):
        shutil.rmtree(self.prefix, ignore_errors=True)
        subprocess.run(["cp", "-a", template_prefix(), self.prefix], check=True)
        # Start the prefix's server and desktop with one harmless program first: a GUI program and
        # the UI driver started together into a cold prefix can leave the driver waiting forever.
        self.ui("count-windows", "")
        return self

    def __exit__(self, *exc):
        subprocess.run([WINESERVER, "-k"], env=self.env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run([WINESERVER, "-w"], env=self.env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        shutil.rmtree(self.prefix, ignore_errors=True)

    def env(self, **more):
        env = dict(os.environ, WINEPREFIX=self.prefix, WINEDEBUG="-all", DISPLAY=self.display.name)
        env.update(self.extra_env)
        env.update(more)
        return env

    def start(self, program, args=(), cwd=None, **env):
        return subprocess.Popen([loader(program), program] + list(args), cwd=cwd, env=self.env(**env),
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def run(self, program, args=(), cwd=None, timeout=60, **env):
        # Output goes through a file, not a pipe: Wine may start its own helper processes (the
        # desktop, services) from whichever program comes first, and they would keep a pipe open
        # long after the program itself has ended.
        for attempt in range(NOT_STARTED_ATTEMPTS):
            with tempfile.TemporaryFile() as out:
                result = subprocess.run([loader(program), program] + list(args), cwd=cwd, env=self.env(**env),
                                        timeout=timeout, stdin=subprocess.DEVNULL, stdout=out,
                                        stderr=subprocess.STDOUT)
                out.seek(0)
                result.stdout = out.read()
            # On a loaded machine Wine's loader now and then fails to create the process at all
            # and falls back to the shell, which reports it in these words. The program never
            # ran, so starting it again is safe; anything else is the program's own answer.
            if result.returncode == 0 or NOT_STARTED not in result.stdout:
                break
            time.sleep(0.5 * (attempt + 1))
        return result

    def ui(self, *args, timeout=60):
        """Runs the UI driver; returns its answer, or raises with what it said."""
        for attempt in range(NOT_STARTED_ATTEMPTS):
            result = self.run(UIDRIVER, [str(a) for a in args], timeout=timeout)
            # The console turns each line feed into CR LF.
            out = result.stdout.decode("utf-8", "replace").replace("\r\n", "\n").strip()
            # The driver answers every command, failures included; a failure without a word is
            # Wine's own, before the driver ran (seen on a loaded machine), and it runs again.
            if result.returncode == 0 or out:
                break
            time.sleep(0.5 * (attempt + 1))
        if result.returncode != 0:
            raise Failure("uidriver %s (exit code %d): %s" % (" ".join(str(a) for a in args), result.returncode, out))
        return out

    def click(self, title, control_id):
        """A real mouse click in the middle of a control, through the X server."""
        left, top, right, bottom = (int(v) for v in self.ui("rect", title, control_id).split())
        subprocess.run(["xdotool", "mousemove", str((left + right) // 2), str((top + bottom) // 2), "click", "1"],
                       env=self.env(), check=True)

    def park_mouse(self):
        """Moves the pointer to the screen's corner, away from every window, so no tooltip shows."""
        subprocess.run(["xdotool", "mousemove", "0", "0"], env=self.env(), check=True)

    def reg(self, *args):
        result = self.run("reg", list(args))
        if result.returncode != 0:
            raise Failure("reg %s: %s" % (" ".join(args), result.stdout.decode("utf-8", "replace").strip()))

    def import_reg(self, text):
        """Writes several registry values with one program start (a .reg file's text, without its header)."""
        path = os.path.join(self.prefix, "drive_c", "hovra-import.reg")
        with open(path, "w", encoding="utf-16") as f:
            f.write("Windows Registry Editor Version 5.00\r\n\r\n" + text.replace("\n", "\r\n"))
        result = self.run("regedit", ["/S", r"C:\hovra-import.reg"])
        if result.returncode != 0:
            raise Failure("regedit: %s" % result.stdout.decode("utf-8", "replace").strip())

    def associate(self, extension, program):
        """Opens files of this type with program (given its Windows path) for every user."""
        progid = "HovraTest" + extension
        self.reg("add", r"HKLM\Software\Classes\%s" % extension, "/ve", "/d", progid, "/f")
        self.reg("add", r"HKLM\Software\Classes\%s\shell\open\command" % progid, "/ve", "/d",
                 '"%s" "%%1"' % program, "/f")

    def screenshot(self, name):
        os.makedirs(ARTIFACTS, exist_ok=True)
        path = os.path.join(ARTIFACTS, name + ".png")
        subprocess.run(["import", "-display", self.display.name, "-window", "root", path], check=True)
        return path


def pixel_columns(png, x, y, width, height):
    """The pixels of a screenshot's columns x .. x+width-1 from y, height pixels down."""
    out = subprocess.run(["convert", png, "-crop", "%dx%d+%d+%d" % (width, height, x, y), "txt:-"],
                                 check=True, stdout=subprocess.PIPE).stdout.decode()
    columns = [[] for _ in range(width)]
    for line in out.splitlines()[1:]:
        place, colour = line.split(":", 1)
        cx = int(place.split(",")[0])
        rgb = colour.strip().split(")")[0].strip("(").split(",")[:3]
        columns[cx].append(tuple(int(float(v)) for v in rgb))
    return columns


def sample_media(name, languages="en_us", package=True):
    media = os.path.join(WORK_DIR, "media-" + name)
    shutil.rmtree(media, ignore_errors=True)
    make_sample_media.build(media, PROGRAM, SAMPLE_SETUP or None, [l for l in languages.split(",") if l], package)
    return media


def compile_locales(names):
    """A folder with the given Linux locales (UTF-8) compiled, for LOCPATH; made once per run."""
    directory = os.path.join(WORK_DIR, "locales")
    os.makedirs(directory, exist_ok=True)
    for name in names:
        target = os.path.join(directory, name + ".UTF-8")
        if not os.path.isdir(target):
            subprocess.run(["localedef", "-i", name, "-f", "UTF-8", target], check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return directory


def string_table(language):
    """The texts of the launchpad's string table for a language identifier, by identifier."""
    return check_strings.read_table(os.path.join(SOURCE_DIR, "resources", "strings", "%d.rc" % language))[1]


def read_record(path, timeout=20):
    """The command line the sample setup program recorded, once it has."""
    wait_until(lambda: os.path.exists(path) and os.path.getsize(path) > 0, timeout, "the record " + path)
    with open(path, encoding="utf-8") as f:
        return f.read()


def run_tests(tests):
    """Runs each (name, function) pair and prints one line per test and the closing count."""
    failed = 0
    for name, test in tests:
        start = time.monotonic()
        try:
            test()
            print("PASS %s (%.1f s)" % (name, time.monotonic() - start), flush=True)
        except Exception as e:  # a failure or an error, both reported the same way
            failed += 1
            print("FAIL %s: %s" % (name, e), flush=True)
    print("%d passed, %d failed" % (len(tests) - failed, failed))
    return 1 if failed else 0
