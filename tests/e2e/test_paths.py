#!/usr/bin/env python3
"""The launchpad on media whose root is awkward: a folder with spaces, folders named in Cyrillic
and Japanese, the root of a drive, and a folder so deep that the media's documents and package lie
beyond 260 characters.

On each, the launchpad is started from the media root as Explorer would start it, and every road
that builds a media path is taken: the release notes, the Installation Guide, the help page of the
network panel, the transform check of a chosen language and the installer. Each document and the
setup program must be opened under exactly the path built from the media root (a drive root keeps
its two backslashes in a row), never under a shortened or different one.
"""
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.dirname(__file__))
import harness  # noqa: E402
from harness import MAIN_TITLE, check  # noqa: E402

# Windows cannot run a program whose current directory is longer than 260 characters (Wine starts
# it in the Windows folder instead), so the deepest media root is one of 240 characters: then the
# guide, the release notes, the help page and the package all lie beyond 260.
DEEP_ROOT_LENGTH = 240


def deep_folder(parent):
    """A path below parent whose Windows form is DEEP_ROOT_LENGTH characters long. Every folder
    takes its name's length plus one separator; the last folder takes exactly what is left, so
    the length comes out exact whatever the parent's is."""
    missing = DEEP_ROOT_LENGTH - len(harness.windows_path(parent))
    assert missing >= 2, "the parent folder is already too deep: %s" % parent
    parts = []
    while missing > 0:
        size = missing - 1 if missing <= 61 else (59 if missing == 62 else 60)
        label = "level %d" % (len(parts) + 1)
        parts.append(label.ljust(size, "x") if size > len(label) else "x" * size)
        missing -= size + 1
    return "/".join(parts)


def key(wine, *keys):
    subprocess.run(["xdotool", "key", "--delay", "60"] + list(keys), env=wine.env(), check=True)


def shell_form(path):
    """A media path as a started program sees it: the shell resolves the path first, which turns a
    drive root's two backslashes into one and changes nothing else."""
    return re.sub(r"^([A-Za-z]:)\\\\", r"\1\\", path)


def run_roads(wine, unix_root, root, name, documents_open=True):
    """Takes every road on the media at unix_root, which the launchpad sees as root."""
    record = os.path.join(harness.WORK_DIR, "paths-%s-record.txt" % name)
    for ext in (".pdf", ".txt", ".html", ".htm"):
        wine.associate(ext, harness.windows_path(os.path.join(unix_root, "MSI", "setup.exe")))

    def opened():
        text = harness.read_record(record)
        os.remove(record)
        return text

    if os.path.exists(record):
        os.remove(record)
    process = wine.start(os.path.join(unix_root, "HovraLaunch.exe"), cwd=unix_root,
                         HOVRA_SETUP_RECORD=harness.windows_path(record))
    wine.ui("wait-window", MAIN_TITLE, 20000)
    if documents_open:
        wine.ui("click", MAIN_TITLE, 1007)
        notes = opened()
        check(notes.endswith('"%s"' % shell_form(root + "\\Readmes\\Readme_en_us.TXT")),
              "%s: release notes opened as %s" % (name, notes))
        wine.ui("click", MAIN_TITLE, 1006)
        guide = opened()
        check(guide.endswith('"%s"' % shell_form(root + "\\docs\\help\\en_us\\pdf\\velto_qsg.pdf")),
              "%s: guide opened as %s" % (name, guide))
    else:
        # The documents are on the media (no question asks for it), but the shell cannot open a
        # document by a path beyond 260 characters: the release notes stay closed, the guide is
        # reported as an error viewing it, and nothing is opened under another path.
        wine.ui("click", MAIN_TITLE, 1007)
        wine.ui("click", MAIN_TITLE, 1006)
        message = wine.ui("wait-question", 10000)
        check(message == "Error viewing Installation Guide.", "%s: the guide's failure: %r" % (name, message))
        wine.ui("answer-question", "OK")
        check(not os.path.exists(record), "%s: nothing opened" % name)
    wine.click(MAIN_TITLE, 1002)
    harness.wait_until(lambda: wine.ui("is-visible", MAIN_TITLE, 1106) == "1", 10, "network panel")
    wine.click(MAIN_TITLE, 1106)
    if documents_open:
        help_page = opened()
        check(('"%s' % shell_form(root + "\\docs\\help\\en_us\\")) in help_page,
              "%s: help page opened as %s" % (name, help_page))
    wine.click(MAIN_TITLE, 1004)
    harness.wait_until(lambda: wine.ui("is-visible", MAIN_TITLE, 1070) == "1", 10, "installation panel")
    wine.click(MAIN_TITLE, 1076)
    key(wine, "G", "Return")  # German: its transform is on the media, so no question
    harness.wait_until(lambda: wine.ui("combo-items", MAIN_TITLE, 1076).endswith("selected=2"), 10, "German")
    check(wine.ui("count-windows", MAIN_TITLE) == "1", "%s: no question about the transform" % name)
    check(not os.path.exists(record), "%s: nothing opened" % name)
    wine.click(MAIN_TITLE, 1072)
    command = opened()
    process.wait(20)
    setup = root + "\\MSI\\setup.exe"  # started by the launchpad itself: exactly as built
    check(re.match(r'"?%s"? /i /debuglog' % re.escape(setup), command), "%s: setup started as %s" % (name, command))
    check(" /L1031 " in command, "%s: German passed on: %s" % (name, command))


def test_media_folders():
    cases = [
        ("spaces", "media with spaces/Corvane Velto 9.3"),
        ("non-ascii", "Установка/ドライブ 9.3"),
        ("deep", None),
    ]
    with harness.Display() as display, harness.Wine("paths", display, {"LC_ALL": "C.UTF-8"}) as wine:
        for name, relative in cases:
            parent = harness.sample_media("paths-" + name)
            unix_root = os.path.join(parent, relative or deep_folder(parent))
            os.makedirs(os.path.dirname(unix_root), exist_ok=True)
            tmp = parent + ".tmp"
            os.rename(parent, tmp)
            os.makedirs(unix_root)
            for entry in os.listdir(tmp):
                os.rename(os.path.join(tmp, entry), os.path.join(unix_root, entry))
            os.rmdir(tmp)
            root = harness.windows_path(unix_root)
            if name == "deep":
                check(len(root) == DEEP_ROOT_LENGTH and len(root + "\\Readmes\\Readme_en_us.TXT") > 260,
                      "the deep media's paths exceed 260: %d" % len(root))
            run_roads(wine, unix_root, root, name, documents_open=name != "deep")


def test_drive_root():
    media = harness.sample_media("paths-drive")
    with harness.Display() as display, harness.Wine("paths-drive", display) as wine:
        drive = os.path.join(wine.prefix, "dosdevices", "m:")
        if os.path.lexists(drive):
            os.remove(drive)
        os.symlink(media, drive)
        # Started from M:\ as Explorer would: the current directory is the drive's root, "M:\".
        run_roads(wine, media, "M:\\", "drive root")


if __name__ == "__main__":
    sys.exit(harness.run_tests([
        ("media folders with spaces, Cyrillic and Japanese names, and paths beyond 260", test_media_folders),
        ("media at a drive root", test_drive_root),
    ]))
