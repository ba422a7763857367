#!/usr/bin/env python3
"""DLLs planted beside the launchpad are never loaded.

Marker DLLs carrying the names of libraries commonly planted next to setup programs are put in
the media's root, beside the launchpad, and the prefix is told to prefer such "native" copies
(DllOverrides native,builtin), which makes Wine search for them the way Windows searches for any
library outside its known DLLs. A marker that is loaded leaves a file behind.

First the test shows that the arrangement catches a load: a program that loads one of the names
by its bare name finds the planted copy. Then it finds which names Wine's own loader takes from a
program's folder while it resolves the launchpad's import table, before the program's first line
runs (nothing the program can prevent); those are reported and not planted for the last part.
Last, the launchpad runs every road that loads libraries (all panels, the tooltips, the file
dialog, documents opened through the shell, the installer started) with the other names planted
beside it, and no marker may appear.
"""
import os
import re
import shutil
import sys

sys.path.insert(0, os.path.dirname(__file__))
import harness  # noqa: E402
from harness import MAIN_TITLE, check  # noqa: E402

PLANTED = ["version", "uxtheme", "dwmapi", "comctl32", "cryptbase", "propsys", "userenv", "winmm",
           "msimg32", "secur32", "wtsapi32", "profapi", "dbghelp", "riched20", "oleacc", "winspool.drv"]

MARKER = os.environ.get("HOVRA_PLANT_MARKER", "")
IMPORTS_ONLY = os.environ.get("HOVRA_IMPORTS_ONLY", "")


def dll_name(name):
    return name if "." in name else name + ".dll"


def plant(folder, names):
    for name in names:
        shutil.copyfile(MARKER, os.path.join(folder, dll_name(name)))


def loaded(markers):
    return sorted(f[:-len(".loaded")] for f in os.listdir(markers) if f.endswith(".loaded"))


def loaders(markers):
    """Each loaded marker with the program that loaded it."""
    found = []
    for name in loaded(markers):
        with open(os.path.join(markers, name + ".loaded"), "rb") as f:
            found.append("%s by %s" % (name, f.read().decode("utf-16-le", "replace") or "?"))
    return found


def fresh(path):
    shutil.rmtree(path, ignore_errors=True)
    os.makedirs(path)
    return path


def test_planted_dlls_are_never_loaded():
    markers = fresh(os.path.join(harness.WORK_DIR, "planting-markers"))
    marker_env = {"HOVRA_MARKER_DIR": harness.windows_path(markers)}
    with harness.Display() as display, harness.Wine("planting", display) as wine:
        # All at once, so that no program of the arrangement runs with only some of them in force.
        wine.import_reg("[HKEY_CURRENT_USER\\Software\\Wine\\DllOverrides]\n" +
                        "".join('"%s"="native,builtin"\n' % name.split(".")[0] for name in PLANTED))
        overrides = wine.run("reg", ["query", r"HKCU\Software\Wine\DllOverrides"]).stdout.decode("utf-8", "replace")
        missing = [name for name in PLANTED if not re.search(r"\b%s\s+REG_SZ\s+native,builtin" % re.escape(
            name.split(".")[0]), overrides, re.IGNORECASE)]
        check(not missing, "overrides not in force: %s" % missing)

        # The arrangement catches a load: a bare-name load takes the planted copy.
        probe = fresh(os.path.join(harness.WORK_DIR, "planting-probe"))
        shutil.copy(IMPORTS_ONLY, probe)
        plant(probe, ["comctl32"])
        wine.run(os.path.join(probe, os.path.basename(IMPORTS_ONLY)), ["comctl32.dll"], **marker_env)
        check(loaded(markers) == ["comctl32.dll"], "a careless load finds the planted copy: %s" % loaded(markers))

        # What Wine's loader takes from the folder for the import table alone, name by name.
        before_first_line = []
        for name in PLANTED:
            fresh(markers)
            folder = fresh(os.path.join(harness.WORK_DIR, "planting-imports"))
            shutil.copy(IMPORTS_ONLY, folder)
            plant(folder, [name])
            wine.run(os.path.join(folder, os.path.basename(IMPORTS_ONLY)), **marker_env)
            if loaded(markers):
                before_first_line.append(name)
        print("loaded by Wine while resolving the import table: %s" % (before_first_line or "none"))

        # The launchpad's roads with every other name planted beside it.
        fresh(markers)
        media = harness.sample_media("planting")
        os.remove(os.path.join(media, "docs", "help", "en_us", "pdf", "velto_qsg.pdf"))
        planted = [n for n in PLANTED if n not in before_first_line]
        plant(media, planted)
        elsewhere = os.path.join(harness.WORK_DIR, "planting guide.pdf")
        with open(elsewhere, "wb") as f:
            f.write(b"%PDF-1.4\n%%EOF\n")
        record = os.path.join(harness.WORK_DIR, "planting-record.txt")
        if os.path.exists(record):
            os.remove(record)
        setup = harness.windows_path(os.path.join(media, "MSI", "setup.exe"))
        wine.associate(".pdf", setup)
        wine.associate(".txt", setup)

        process = wine.start(os.path.join(media, "HovraLaunch.exe"), cwd=media,
                             HOVRA_SETUP_RECORD=harness.windows_path(record), **marker_env)
        wine.ui("wait-window", MAIN_TITLE, 20000)
        for nav, marker in ((1001, 1040), (1002, 1100), (1004, 1070)):
            wine.click(MAIN_TITLE, nav)
            harness.wait_until(lambda: wine.ui("is-visible", MAIN_TITLE, marker) == "1", 10, "panel %d" % nav)
        wine.click(MAIN_TITLE, 1001)
        wine.click(MAIN_TITLE, 1048)  # the row's details, with their tooltips
        wine.click(MAIN_TITLE, 1007)  # release notes, opened through the shell
        harness.read_record(record)
        os.remove(record)
        wine.click(MAIN_TITLE, 1006)  # the guide is missing: prompt, then the file dialog
        wine.ui("wait-question", 10000)
        wine.ui("answer-question", "OK")
        wine.ui("choose-file", harness.windows_path(elsewhere), 20000)
        harness.read_record(record)
        os.remove(record)
        wine.click(MAIN_TITLE, 1004)
        wine.click(MAIN_TITLE, 1072)  # the installer
        check("/i" in harness.read_record(record), "the installer started")
        process.wait(20)

    check(not loaded(markers), "planted DLLs loaded: %s (planted: %s)" % (loaders(markers), planted))
    print("planted beside the launchpad and never loaded: %s" % ", ".join(dll_name(n) for n in planted))


if __name__ == "__main__":
    sys.exit(harness.run_tests([("planted DLLs are never loaded", test_planted_dlls_are_never_loaded)]))
