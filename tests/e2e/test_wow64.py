#!/usr/bin/env python3
"""The 32-bit launchpad, the program users get, on 64-bit Windows (WoW64) under Wine.

Wine's 64-bit prefix made with the 32-bit Wine installed is a WoW64 Windows: the 32-bit program
asks IsWow64Process for real, sees the 32-bit registry view and loads its libraries through the
32-bit loader. Where the kernel runs no 32-bit code, every start of the program is emulated
(tools/install-deps.sh): a start can take a minute or more, so the time limits are generous and
each start serves several checks.

    test_wow64.py road        Windows 10: the software panel, a second start refused, libraries
                              from the system folder and never a planted copy (the file dialog
                              too where 32-bit programs run natively), the installer
                              started with its exact command line
    test_wow64.py releases    more releases, each with the heading's short name, the status word
                              and the light; one of them under a Japanese locale

Each part runs on an X display of its own, so the two can run at the same time.
"""
import datetime
import os
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.dirname(__file__))
import harness  # noqa: E402
import test_installation  # noqa: E402
import test_planting  # noqa: E402
import test_windows_releases  # noqa: E402
from harness import MAIN_TITLE, check, wait_until  # noqa: E402

# An emulated start of the 32-bit program: measured at up to four minutes on a busy machine.
START_MS = 600000
UI_TIMEOUT = START_MS // 1000 + 60

SOFTWARE_HEADING = 1040
STATIC = 0xFFFF
ENGLISH = 1033


def keys(wine, *names):
    subprocess.run(["xdotool", "key", "--delay", "80"] + list(names), env=wine.env(), check=True)


def wait_window(wine):
    wine.ui("wait-window", MAIN_TITLE, START_MS, timeout=UI_TIMEOUT)


def light(wine, rect):
    """"green" or "red": the colour of the middle of a row's light on the screen."""
    left, top, right, bottom = rect
    shot = wine.screenshot("wow64-light")
    size = 4
    columns = harness.pixel_columns(shot, (left + right) // 2 - size // 2, (top + bottom) // 2 - size // 2, size,
                                    size)
    pixels = [p for column in columns for p in column]
    red = sum(p[0] for p in pixels) // len(pixels)
    green = sum(p[1] for p in pixels) // len(pixels)
    if green > red + 60:
        return "green"
    if red > green + 60:
        return "red"
    return "unclear (red %d, green %d)" % (red, green)


def software_panel(wine, title=MAIN_TITLE, language=ENGLISH):
    """The heading and the one row of the software panel: heading, row name, status word, light."""
    wine.click(title, 1001)
    wait_until(lambda: wine.ui("is-visible", title, SOFTWARE_HEADING) == "1", 30, "the software panel")
    wine.park_mouse()
    unevaluated = harness.string_table(language)[314]

    row = []

    def evaluated():
        # The row's name, its light (no text) and its status word, in the order they were made.
        lines = [line.split(" ", 4) for line in wine.ui("controls", title, STATIC).splitlines()]
        row[:] = [line + [""] * (5 - len(line)) for line in lines[-3:]]
        return len(row) == 3 and row[2][4] != unevaluated

    wait_until(evaluated, 30, "the row evaluated")
    name, led, status = row
    return {"heading": wine.ui("get-text", title, SOFTWARE_HEADING), "name": name[4], "status": status[4],
            "light": light(wine, [int(v) for v in led[:4]])}


def heading(language, short_name_id):
    table = harness.string_table(language)
    return table[378].replace("%s", table[465], 1).replace("%s", table[short_name_id], 1)


def test_road():
    """Windows 10 x64: what the panel says, the roads that load libraries, a second start, the
    installer."""
    media = harness.sample_media("wow64-road", languages="en_us,de_de")
    check(harness.is_32bit(os.path.join(media, "HovraLaunch.exe")), "the media holds the 32-bit launchpad")
    markers = test_planting.fresh(os.path.join(harness.WORK_DIR, "wow64-markers"))
    marker_env = {"HOVRA_MARKER_DIR": harness.windows_path(markers)}
    record = os.path.join(harness.WORK_DIR, "wow64-record.txt")
    if os.path.exists(record):
        os.remove(record)
    os.remove(os.path.join(media, "docs", "help", "en_us", "pdf", "velto_qsg.pdf"))
    guide = os.path.join(harness.WORK_DIR, "wow64 guide.pdf")
    with open(guide, "wb") as f:
        f.write(b"%PDF-1.4\n%%EOF\n")
    with harness.Display(private=True) as display, harness.Wine("wow64-road", display) as wine:
        test_windows_releases.set_release(wine, "win10")
        setup = harness.windows_path(os.path.join(media, "MSI", "setup.exe"))
        wine.associate(".pdf", setup)
        wine.associate(".txt", setup)
        planted = plant_beside(wine, media, markers, marker_env)

        process = wine.start(os.path.join(media, "HovraLaunch.exe"), cwd=media,
                             HOVRA_SETUP_RECORD=harness.windows_path(record), **marker_env)
        wait_window(wine)
        wait_until(lambda: wine.ui("foreground") == MAIN_TITLE, 30, "the launchpad in front")
        panel = software_panel(wine)
        table = harness.string_table(ENGLISH)
        expected = {"heading": heading(ENGLISH, 592), "name": table[593], "status": table[311], "light": "green"}
        check(panel == expected, "Windows 10 x64: %r, expected %r" % (panel, expected))
        wine.screenshot("wow64-software-panel")

        # The roads that load libraries on demand: the row's details with their tooltips, the
        # release notes opened through the shell, the missing guide's prompt and file dialog.
        wine.click(MAIN_TITLE, 1048)
        wait_until(lambda: wine.ui("count-controls", MAIN_TITLE, STATIC) != "3", 30, "the row's details")
        wine.click(MAIN_TITLE, 1007)
        notes = harness.read_record(record, timeout=UI_TIMEOUT)
        check(notes.rstrip().endswith('Readme_en_us.TXT"'), "the release notes opened: %s" % notes)
        os.remove(record)
        # Under qemu the file dialog of a 32-bit Wine program has once hung before it showed (every
        # thread idle, the dialog never drawn); there the guide's road is left to the 64-bit tier.
        emulated = "qemu" in os.path.basename(os.readlink("/proc/%d/exe" % process.pid))
        if emulated:
            print("32-bit programs run emulated here: the file dialog's road is not taken")
        else:
            wine.click(MAIN_TITLE, 1006)
            wine.ui("wait-question", START_MS, timeout=UI_TIMEOUT)
            wine.ui("answer-question", "OK")
            wine.ui("choose-file", harness.windows_path(guide), START_MS, timeout=UI_TIMEOUT)
            opened = harness.read_record(record, timeout=UI_TIMEOUT)
            check(opened.rstrip().endswith('wow64 guide.pdf"'), "the chosen guide opened: %s" % opened)
            os.remove(record)

        # Every library it has mapped now, the file dialog's and the shell's included, is one of
        # the 32-bit system libraries: Wine's 32-bit builtins (what SysWOW64 holds on Windows) or a
        # file of the prefix's Windows folder. The process's own map is read: an emulated process
        # cannot be asked through Windows for its modules.
        mapped = mapped_images(process.pid)
        check(emulated or any(os.path.basename(m).lower() == "comdlg32.dll" and "i386" in m for m in mapped),
              "the 32-bit file dialog's library: %r" % mapped)
        windows = os.path.join(wine.prefix, "drive_c", "windows") + os.sep
        elsewhere = [m for m in mapped if os.path.dirname(m).split(os.sep)[-1] != "i386-windows"
                     and not m.startswith(windows) and os.path.basename(m) != "HovraLaunch.exe"]
        check(not elsewhere, "libraries from outside the system folder: %r" % elsewhere)

        # A second start is refused and brings the first to the front.
        wine.start(harness.UIDRIVER, ["bystander", "Another program", "600000"])
        wine.ui("wait-window", "Another program", 30000)
        wait_until(lambda: wine.ui("foreground") == "Another program", 30, "another program in front")
        second = wine.start(os.path.join(media, "HovraLaunch.exe"), cwd=media, **marker_env)
        second.wait(UI_TIMEOUT)
        check(process.poll() is None, "the first launchpad still runs")
        check(wine.ui("count-windows", MAIN_TITLE) == "1", "one main window")
        wait_until(lambda: wine.ui("foreground") == MAIN_TITLE, 30, "the running launchpad in front")

        # The road to the installer: the network question answered, German chosen in the list,
        # Launch. Wine makes the launchpad the foreground window but leaves X's keyboard focus
        # with the other program (the 64-bit build the same), so the first step is a click, as a
        # user's would be; the keys after it go to the launchpad.
        wine.click(MAIN_TITLE, 1002)
        wait_until(lambda: wine.ui("is-visible", MAIN_TITLE, 1100) == "1", 30, "the network panel")
        wine.click(MAIN_TITLE, 1102)  # No
        keys(wine, "alt+i")
        wait_until(lambda: wine.ui("is-visible", MAIN_TITLE, 1070) == "1", 30, "the installation panel")
        wine.click(MAIN_TITLE, 1076)
        keys(wine, "G", "Return")
        wait_until(lambda: wine.ui("combo-items", MAIN_TITLE, 1076).endswith("selected=2"), 30, "German chosen")
        wine.screenshot("wow64-installation-panel")
        begun = datetime.datetime.now().replace(microsecond=0)
        wine.click(MAIN_TITLE, 1072)
        command = harness.read_record(record, timeout=UI_TIMEOUT)
        ended = datetime.datetime.now()
        process.wait(UI_TIMEOUT)
        check(process.returncode == 0, "the launchpad ended (exit code %s)" % process.returncode)

    test_installation.check_launch_command(command, media, 1031, begun, ended)
    check(not test_planting.loaded(markers), "planted DLLs loaded: %s (planted: %s)" %
          (test_planting.loaders(markers), planted))
    print("planted beside the 32-bit launchpad and never loaded: %s" % ", ".join(planted))


def mapped_images(pid):
    """The Windows programs and libraries a Wine process has mapped, by their Unix paths."""
    with open("/proc/%d/maps" % pid) as maps:
        paths = {line.split(None, 5)[5].strip() for line in maps if len(line.split(None, 5)) == 6}
    return sorted(p for p in paths if p.lower().endswith((".dll", ".drv", ".exe")))


def plant_beside(wine, media, markers, marker_env):
    """Plants the 32-bit marker DLLs beside the launchpad, preferred to Wine's own copies; first
    shows that a careless load in a 32-bit program takes one, and leaves out the names Wine's
    loader takes from a program's folder for its import table (nothing a program can prevent)."""
    wine.import_reg("[HKEY_CURRENT_USER\\Software\\Wine\\DllOverrides]\n" +
                    "".join('"%s"="native,builtin"\n' % name.split(".")[0] for name in test_planting.PLANTED))
    probe = test_planting.fresh(os.path.join(harness.WORK_DIR, "wow64-probe"))
    program = os.path.join(probe, os.path.basename(test_planting.IMPORTS_ONLY))
    shutil.copy(test_planting.IMPORTS_ONLY, program)
    check(harness.is_32bit(program), "the probe is a 32-bit program")
    test_planting.plant(probe, ["comctl32"])
    wine.run(program, ["comctl32.dll"], timeout=UI_TIMEOUT, **marker_env)
    check(test_planting.loaded(markers) == ["comctl32.dll"],
          "a careless 32-bit load finds the planted copy: %s" % test_planting.loaded(markers))

    # All names at once, and again without those taken, until the loader takes none: a taken
    # marker lacks the real library's exports, so the program stops before the next import.
    taken = []
    while True:
        test_planting.fresh(markers)
        folder = test_planting.fresh(os.path.join(harness.WORK_DIR, "wow64-imports"))
        shutil.copy(test_planting.IMPORTS_ONLY, folder)
        test_planting.plant(folder, [n for n in test_planting.PLANTED if n not in taken])
        wine.run(os.path.join(folder, os.path.basename(test_planting.IMPORTS_ONLY)), timeout=UI_TIMEOUT,
                 **marker_env)
        now = [n for n in test_planting.PLANTED if test_planting.dll_name(n) in test_planting.loaded(markers)]
        if not now:
            break
        taken += now
    print("loaded by Wine while resolving the 32-bit import table: %s" % (taken or "none"))
    test_planting.fresh(markers)
    planted = [n for n in test_planting.PLANTED if n not in taken]
    test_planting.plant(media, planted)
    return [test_planting.dll_name(n) for n in planted]


# name, how the release is set, its heading's short name, the row's name, status word, light
RELEASES = [
    ("Windows 11", ("registry", test_windows_releases.REGISTRY_CASES[0]), 612, 613, 311, "green"),
    ("Server 2022", ("registry", test_windows_releases.REGISTRY_CASES[1]), 607, 608, 311, "green"),
    ("Server 2019", ("registry", test_windows_releases.REGISTRY_CASES[3]), 602, 603, 311, "green"),
    ("Windows 8.1 x64", ("release", "win81"), 582, 583, 313, "red"),
    ("Windows 7 x64", ("release", "win7"), 499, 486, 313, "red"),
]
# The last release is also read under this locale, through its own string table.
JAPANESE = ("ja_JP", 1041)


def set_up(wine, how):
    kind, what = how
    if kind == "release":
        test_windows_releases.set_release(wine, what)
        return
    test_windows_releases.set_release(wine, "win10")
    _, product, values, _ = what
    lines = ['[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\ProductOptions]',
             '"ProductType"="%s"' % product, "",
             "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion]"]
    for value, (kind, data) in values.items():
        check(kind == "REG_SZ", "string values only here")
        lines.append('"%s"="%s"' % (value, data))
    wine.import_reg("\n".join(lines) + "\n")


def test_releases():
    media = harness.sample_media("wow64-releases", languages="en_us,ja_jp")
    locales = harness.compile_locales([JAPANESE[0]])
    failures = []
    with harness.Display(private=True) as display, harness.Wine("wow64-releases", display) as wine:
        for index, (name, how, short_id, name_id, status_id, colour) in enumerate(RELEASES):
            set_up(wine, how)
            language = JAPANESE[1] if index == len(RELEASES) - 1 else ENGLISH
            env = {"LC_ALL": JAPANESE[0] + ".UTF-8", "LOCPATH": locales} if language != ENGLISH else {}
            title = harness.string_table(language)[103]
            process = wine.start(os.path.join(media, "HovraLaunch.exe"), cwd=media, **env)
            wine.ui("wait-window", title, START_MS, timeout=UI_TIMEOUT)
            table = harness.string_table(language)
            panel = software_panel(wine, title, language)
            expected = {"heading": heading(language, short_id), "name": table[name_id], "status": table[status_id],
                        "light": colour}
            if panel != expected:
                failures.append("%s: %r, expected %r" % (name, panel, expected))
            wine.screenshot("wow64-%s" % name.replace(" ", "-").replace(".", ""))
            wine.ui("close", title)
            process.wait(UI_TIMEOUT)
    check(not failures, "\n".join(failures))


if __name__ == "__main__":
    parts = {"road": ("Windows 10 x64, a second start, the libraries, the installer", test_road),
             "releases": ("more releases and a Japanese locale", test_releases)}
    chosen = sys.argv[1:] or list(parts)
    sys.exit(harness.run_tests([parts[name] for name in chosen]))
