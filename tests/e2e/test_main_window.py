#!/usr/bin/env python3
"""The launchpad window under Wine and Xvfb, used as a person would: navigation with real clicks,
the Installation Guide and the Release Notes, the media prompt and its file dialog, the missing
PDF viewer, and the start-up warning."""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
import harness  # noqa: E402
from harness import MAIN_TITLE, check  # noqa: E402

# A control that only each panel has: welcome, software, network, installation.
PANEL_MARKERS = {1000: 1020, 1001: 1040, 1002: 1100, 1004: 1070}
PROMPT = "Please ensure that the correct media is inserted for 'Corvane Velto (R), 9.3'."


WHITE = (255, 255, 255)


def shown_panels(wine):
    return [nav for nav, marker in PANEL_MARKERS.items() if wine.ui("is-visible", MAIN_TITLE, marker) == "1"]


def start(wine, media, **env):
    process = wine.start(os.path.join(media, "HovraLaunch.exe"), cwd=media, **env)
    wine.ui("wait-window", MAIN_TITLE, 20000)
    return process


def test_navigation():
    media = harness.sample_media("navigation")
    with harness.Display() as display, harness.Wine("navigation", display) as wine:
        process = start(wine, media)
        check(shown_panels(wine) == [1000], "the welcome panel first, alone")
        check(wine.ui("get-text", MAIN_TITLE, 1020) == "Welcome to the Corvane Velto Launchpad", "welcome heading")
        shot = wine.screenshot("panel-901")
        # The welcome list's frame is whole along its right edge, where the descriptions end.
        left, top, right, bottom = (int(v) for v in wine.ui("group-rect", MAIN_TITLE).split())
        columns = harness.pixel_columns(shot, right - 3, top + 10, 3, bottom - top - 14)
        check(any(all(p != WHITE for p in column) for column in columns),
              "the frame's right edge is whole: %s" % [sum(p == WHITE for p in c) for c in columns])
        # Resting the mouse on a button shows its tooltip.
        left, top, right, bottom = (int(v) for v in wine.ui("rect", MAIN_TITLE, 1001).split())
        harness.subprocess.run(["xdotool", "mousemove", str((left + right) // 2), str((top + bottom) // 2)],
                               env=wine.env(), check=True)
        tip = harness.string_table(1033)[367]
        harness.wait_until(lambda: wine.ui("tooltip", MAIN_TITLE) == tip, 10, "the tooltip %r" % tip)
        wine.screenshot("tooltip-1001")
        wine.park_mouse()
        for nav in (1001, 1002, 1004, 1000, 1000):
            wine.click(MAIN_TITLE, nav)
            harness.wait_until(lambda: shown_panels(wine) == [nav], 10, "panel of button %d" % nav)
            wine.screenshot("panel-%d" % (nav - 99))
        # Escape closes the launchpad.
        harness.subprocess.run(["xdotool", "key", "Escape"], env=wine.env(), check=True)
        process.wait(20)


def test_documents_open_from_the_media():
    media = harness.sample_media("documents", languages="en_us,fr_fr")
    record = os.path.join(harness.WORK_DIR, "documents-record.txt")
    with harness.Display() as display, harness.Wine("documents", display) as wine:
        viewer = harness.windows_path(os.path.join(media, "MSI", "setup.exe"))
        wine.associate(".pdf", viewer)
        wine.associate(".txt", viewer)
        process = start(wine, media, HOVRA_SETUP_RECORD=harness.windows_path(record))
        for button, expected in ((1006, r"\docs\help\en_us\pdf\velto_qsg.pdf"), (1007, r"\Readmes\Readme_en_us.TXT")):
            if os.path.exists(record):
                os.remove(record)
            wine.click(MAIN_TITLE, button)
            opened = harness.read_record(record)
            check(opened.endswith('"%s%s"' % (harness.windows_path(media), expected)), "opened %s" % opened)
        wine.ui("click", MAIN_TITLE, 1009)
        process.wait(20)


def test_missing_guide_prompts_and_a_picked_file_opens():
    media = harness.sample_media("missing-guide")
    os.remove(os.path.join(media, "docs", "help", "en_us", "pdf", "velto_qsg.pdf"))
    elsewhere = os.path.join(harness.WORK_DIR, "elsewhere guide.pdf")
    with open(elsewhere, "wb") as f:
        f.write(b"%PDF-1.4\n%%EOF\n")
    record = os.path.join(harness.WORK_DIR, "missing-guide-record.txt")
    if os.path.exists(record):  # left by an earlier run
        os.remove(record)
    with harness.Display() as display, harness.Wine("missing-guide", display) as wine:
        wine.associate(".pdf", harness.windows_path(os.path.join(media, "MSI", "setup.exe")))
        process = start(wine, media, HOVRA_SETUP_RECORD=harness.windows_path(record))

        # Cancel on the prompt: nothing happens.
        wine.click(MAIN_TITLE, 1006)
        check(wine.ui("wait-question", 10000) == PROMPT, "the media prompt")
        check(wine.ui("question-buttons") == "OK CANCEL", "OK and Cancel")
        wine.screenshot("media-prompt")
        wine.ui("answer-question", "CANCEL")
        harness.wait_until(lambda: wine.ui("count-windows", MAIN_TITLE) == "1", 10, "the prompt closed")
        check(not os.path.exists(record), "nothing opened after Cancel")

        # OK: the file dialog, then the picked file opens.
        wine.click(MAIN_TITLE, 1006)
        wine.ui("wait-question", 10000)
        wine.ui("answer-question", "OK")
        wine.ui("choose-file", harness.windows_path(elsewhere), 20000)
        opened = harness.read_record(record)
        check(opened.endswith('"%s"' % harness.windows_path(elsewhere)), "the picked guide opened: %s" % opened)
        check(process.poll() is None, "the launchpad still runs")
        wine.ui("click", MAIN_TITLE, 1009)
        process.wait(20)


def test_no_pdf_viewer_says_so():
    media = harness.sample_media("no-viewer")
    with harness.Display() as display, harness.Wine("no-viewer", display) as wine:
        wine.reg("delete", r"HKLM\Software\Classes\.pdf", "/f")
        process = start(wine, media)
        wine.click(MAIN_TITLE, 1006)
        message = wine.ui("wait-question", 10000)
        check(message == "Unable to open Installation Guide PDF.\nThere is no associated viewer.",
              "message 480: %r" % message)
        check(wine.ui("question-buttons") == "OK", "OK alone")
        wine.screenshot("no-pdf-viewer")
        wine.ui("answer-question", "OK")
        harness.wait_until(lambda: wine.ui("count-windows", MAIN_TITLE) == "1", 10, "the box closed")
        check(process.poll() is None, "the launchpad stays")
        wine.ui("click", MAIN_TITLE, 1009)
        process.wait(20)


def test_unsupported_system_warning():
    media = harness.sample_media("warning")
    program = os.path.join(media, "HovraLaunch.exe")
    with harness.Display() as display, harness.Wine("warning", display) as wine:
        wine.reg("add", r"HKCU\Software\Wine", "/v", "Version", "/d", "win2k", "/f")
        process = wine.start(program, cwd=media)
        check(wine.ui("wait-question", 20000).startswith("Your operating system is currently unsupported."),
              "warning 340")
        wine.screenshot("unsupported-warning")
        check(wine.ui("count-windows", MAIN_TITLE) == "0", "no main window behind the warning")
        wine.ui("answer-question", "CANCEL")
        process.wait(20)
        check(wine.ui("count-windows", MAIN_TITLE) == "0", "no main window after Cancel")

        # The guard is gone with the process: the next start runs, and OK goes on to the window.
        again = wine.start(program, cwd=media)
        wine.ui("wait-question", 20000)
        wine.ui("answer-question", "OK")
        wine.ui("wait-window", MAIN_TITLE, 20000)
        wine.ui("click", MAIN_TITLE, 1009)
        again.wait(20)


if __name__ == "__main__":
    sys.exit(harness.run_tests([
        ("navigation", test_navigation),
        ("documents open from the media", test_documents_open_from_the_media),
        ("a missing guide prompts, a picked file opens", test_missing_guide_prompts_and_a_picked_file_opens),
        ("no PDF viewer", test_no_pdf_viewer_says_so),
        ("unsupported system warning", test_unsupported_system_warning),
    ]))
