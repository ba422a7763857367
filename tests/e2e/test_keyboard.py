#!/usr/bin/env python3
"""The launchpad driven as administrators drive it: with the keyboard (mnemonics, Tab, Enter,
Escape, the arrow keys in the closed language list), with another program's window on the screen,
and with programmatic clicks as screen readers and automation tools send them (BM_CLICK). Every key
and mouse click goes through the X server."""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
import harness  # noqa: E402
from harness import MAIN_TITLE, check, wait_until  # noqa: E402

BYSTANDER = "Another program"
PANEL_MARKERS = {1000: 1020, 1001: 1040, 1002: 1100, 1004: 1070}


def keys(wine, *names):
    harness.subprocess.run(["xdotool", "key", "--delay", "120"] + list(names), env=wine.env(), check=True)


def shown_panel(wine):
    shown = [nav for nav, marker in PANEL_MARKERS.items() if wine.ui("is-visible", MAIN_TITLE, marker) == "1"]
    return shown[0] if len(shown) == 1 else shown


def selected_language(wine):
    return int(wine.ui("combo-items", MAIN_TITLE, 1076).splitlines()[-1].split("=")[1])


def tab_to(wine, control, what):
    """Presses Tab until the control has the keyboard focus (a few presses at most)."""
    for _ in range(8):
        if wine.ui("focus", MAIN_TITLE) == str(control):
            return
        keys(wine, "Tab")
    check(wine.ui("focus", MAIN_TITLE) == str(control), "Tab reaches " + what)


def plain_statics(wine):
    """The software panel's statics without an identifier of their own (0xFFFF): the row's name
    and status word and the like; an expanded row adds its detail text."""
    return int(wine.ui("count-controls", MAIN_TITLE, 0xFFFF))


def wait_front(wine, expected, what):
    wait_until(lambda: wine.ui("foreground") == expected, 15, what + " (in front: %r)" % wine.ui("foreground"))


def start(wine, media, bystander=True, **env):
    """The launchpad on the media, with another program's window open behind it."""
    if bystander:
        wine.start(harness.UIDRIVER, ["bystander", BYSTANDER, "600000"])
        wine.ui("wait-window", BYSTANDER, 20000)
    process = wine.start(os.path.join(media, "HovraLaunch.exe"), cwd=media, **env)
    wine.ui("wait-window", MAIN_TITLE, 20000)
    wait_front(wine, MAIN_TITLE, "the launchpad in front at start")
    wine.park_mouse()
    return process


def answer_with(wine, key, prompts_before=1):
    """Answers the only question box on screen with a key; the launchpad is in front again."""
    wait_until(lambda: wine.ui("count-questions") == str(prompts_before), 15, "%d question box" % prompts_before)
    wait_front(wine, "(question box)", "the question box in front")
    keys(wine, key)
    wait_until(lambda: wine.ui("count-questions") == "0", 15, "the question box closed")
    wait_front(wine, MAIN_TITLE, "the launchpad in front after the question box")


def test_installation_by_keyboard():
    # German and Italian have no transform on this media: choosing either asks for the media.
    media = harness.sample_media("keyboard-road")
    for transform in ("1031", "1040"):
        os.remove(os.path.join(media, "MSI", transform + ".mst"))
    record = os.path.join(harness.WORK_DIR, "keyboard-road-record.txt")
    if os.path.exists(record):
        os.remove(record)
    with harness.Display() as display, harness.Wine("keyboard-road", display) as wine:
        process = start(wine, media, HOVRA_SETUP_RECORD=harness.windows_path(record))
        keys(wine, "alt+i")  # Corvane Velto &Installation
        wait_until(lambda: shown_panel(wine) == 1004, 10, "the installation panel by its mnemonic")
        wait_until(lambda: wine.ui("focus", MAIN_TITLE) == "1076", 10, "the focus in the language list")
        check(selected_language(wine) == 0, "English chosen at first")

        # Escape inside a panel does nothing; the arrow key after it still reaches the list.
        keys(wine, "Escape", "Down")
        wait_until(lambda: selected_language(wine) == 1, 10, "French selected in the closed list")
        check(process.poll() is None and wine.ui("count-windows", MAIN_TITLE) == "1", "Escape kept the launchpad")
        check(wine.ui("count-questions") == "0", "French is on the media: no prompt")

        # German in the closed list: chosen at once, its missing transform asked for once.
        keys(wine, "Down")
        wait_until(lambda: selected_language(wine) == 2, 10, "German selected")
        answer_with(wine, "Escape")
        check(wine.ui("focus", MAIN_TITLE) == "1076", "the focus back in the list")

        # Inside the open list the arrows choose nothing; closing it chooses Italian, once.
        keys(wine, "alt+Down", "Down")
        wait_until(lambda: selected_language(wine) == 3, 10, "Italian selected in the open list")
        check(wine.ui("count-questions") == "0", "no prompt while the list is open")
        keys(wine, "Return")
        answer_with(wine, "Escape")

        # Back to German with the arrow key, then Tab to the launch button and Enter.
        keys(wine, "Up")
        answer_with(wine, "Escape")
        check(selected_language(wine) == 2, "German selected again")
        tab_to(wine, 1072, "the launch button")
        keys(wine, "Return")
        # The launch checks the transform too: OK there opens the file dialog; Escape leaves it and
        # the launch goes on with the language chosen.
        wait_until(lambda: wine.ui("count-questions") == "1", 15, "the launch's media prompt")
        keys(wine, "Return")
        wine.ui("wait-file-dialog", 20000)
        keys(wine, "Escape")
        command = harness.read_record(record, timeout=30)
        check(" /L1031 " in command, "German launched: %s" % command)
        process.wait(30)


def test_panel_buttons_by_tab_and_enter():
    media = harness.sample_media("panel-keys")
    record = os.path.join(harness.WORK_DIR, "panel-keys-record.txt")
    if os.path.exists(record):
        os.remove(record)
    with harness.Display() as display, harness.Wine("panel-keys", display) as wine:
        wine.associate(".htm", harness.windows_path(os.path.join(media, "MSI", "setup.exe")))
        process = start(wine, media, HOVRA_SETUP_RECORD=harness.windows_path(record))
        keys(wine, "alt+s")  # &Software Requirements
        wait_until(lambda: shown_panel(wine) == 1001, 10, "the software panel")
        wait_until(lambda: wine.ui("focus", MAIN_TITLE) == "1043", 10, "the focus on Refresh")
        keys(wine, "Escape", "Return")  # nothing, then Refresh
        collapsed = plain_statics(wine)
        keys(wine, "Tab")  # the row's expand button follows Refresh
        wait_until(lambda: wine.ui("focus", MAIN_TITLE) == "1048", 10, "Tab reaches the expand button")
        keys(wine, "Return")
        wait_until(lambda: plain_statics(wine) == collapsed + 1, 10, "the row expanded by Enter")
        wine.screenshot("keyboard-expanded")
        keys(wine, "Return")
        wait_until(lambda: plain_statics(wine) == collapsed, 10, "the row collapsed by Enter")
        check(process.poll() is None, "the launchpad runs on")

        keys(wine, "alt+c")  # Network &Configuration
        wait_until(lambda: shown_panel(wine) == 1002, 10, "the network panel")
        tab_to(wine, 1106, "More information")
        keys(wine, "Return")
        opened = harness.read_record(record)
        check(opened.rstrip().endswith('q008810_.htm"'), "More information opened the help page: %s" % opened)

        # On the main window's own controls Escape closes the launchpad.
        wait_front(wine, MAIN_TITLE, "the launchpad in front after the help page")
        wine.click(MAIN_TITLE, 1000)
        wait_until(lambda: wine.ui("focus", MAIN_TITLE) == "1000", 10, "the focus on the welcome button")
        keys(wine, "Escape")
        process.wait(20)


def test_boxes_give_the_launchpad_back():
    media = harness.sample_media("activation")
    os.remove(os.path.join(media, "docs", "help", "en_us", "pdf", "velto_qsg.pdf"))
    with harness.Display() as display, harness.Wine("activation", display) as wine:
        process = start(wine, media)
        wine.click(MAIN_TITLE, 1006)  # the media prompt, left with Cancel
        answer_with(wine, "Escape")
        # The buttons light under the mouse again, which they do only while the launchpad is active.
        left, top, right, bottom = (int(v) for v in wine.ui("rect", MAIN_TITLE, 1001).split())
        harness.subprocess.run(["xdotool", "mousemove", str((left + right) // 2), str((top + bottom) // 2)],
                               env=wine.env(), check=True)
        tip = harness.string_table(1033)[367]
        wait_until(lambda: wine.ui("tooltip", MAIN_TITLE) == tip, 10, "the tooltip of the hovered button")
        wine.screenshot("activation-hover-after-box")
        wine.park_mouse()

        keys(wine, "alt+g")  # Installation &Guide: the prompt, OK, then the file dialog, cancelled
        wait_until(lambda: wine.ui("count-questions") == "1", 15, "the media prompt")
        keys(wine, "Return")
        wine.ui("wait-file-dialog", 20000)
        keys(wine, "Escape")
        wait_front(wine, MAIN_TITLE, "the launchpad in front after the file dialog")

        wine.reg("delete", r"HKLM\Software\Classes\.pdf", "/f")
        with open(os.path.join(media, "docs", "help", "en_us", "pdf", "velto_qsg.pdf"), "wb") as f:
            f.write(b"%PDF-1.4\n%%EOF\n")
        keys(wine, "alt+g")  # message 480, OK alone
        answer_with(wine, "Return")
        keys(wine, "alt+x")  # E&xit Launchpad
        process.wait(20)

    warned = harness.sample_media("activation-warning")
    with harness.Display() as display, harness.Wine("activation-warning", display) as wine:
        wine.reg("add", r"HKCU\Software\Wine", "/v", "Version", "/d", "win2k", "/f")
        wine.start(harness.UIDRIVER, ["bystander", BYSTANDER, "600000"])
        wine.ui("wait-window", BYSTANDER, 20000)
        process = wine.start(os.path.join(warned, "HovraLaunch.exe"), cwd=warned)
        wine.ui("wait-question", 20000)
        answer_with_front = wine.ui("foreground")
        check(answer_with_front == "(question box)", "the warning in front: %r" % answer_with_front)
        keys(wine, "Return")
        wine.ui("wait-window", MAIN_TITLE, 20000)
        wait_front(wine, MAIN_TITLE, "the launchpad in front after the start-up warning")
        wine.ui("click", MAIN_TITLE, 1009)
        process.wait(20)


def test_one_programmatic_click_is_one_action():
    media = harness.sample_media("bm-click")
    os.remove(os.path.join(media, "docs", "help", "en_us", "pdf", "velto_qsg.pdf"))
    with harness.Display() as display, harness.Wine("bm-click", display) as wine:
        process = start(wine, media, bystander=False)
        wine.ui("click", MAIN_TITLE, 1006)
        wait_until(lambda: wine.ui("count-questions") == "1", 15, "the media prompt")
        # A tool that clicks again meanwhile, on the same button and on a navigation button.
        wine.ui("click", MAIN_TITLE, 1006)
        wine.ui("click", MAIN_TITLE, 1001)
        wine.ui("click", MAIN_TITLE, 1006)
        check(wine.ui("count-questions") == "1", "one prompt")
        # Cancel, itself clicked programmatically: handled after the clicks above.
        wine.ui("press-question", "CANCEL")
        wait_until(lambda: wine.ui("count-questions") == "0", 15, "the prompt closed, no other behind it")
        check(shown_panel(wine) == 1000, "no navigation while the prompt was up")

        wine.ui("click", MAIN_TITLE, 1001)
        wait_until(lambda: shown_panel(wine) == 1001, 10, "the software panel")
        collapsed = plain_statics(wine)
        wine.ui("click", MAIN_TITLE, 1048)
        wait_until(lambda: plain_statics(wine) == collapsed + 1, 10, "expanded by one click")
        wine.ui("click", MAIN_TITLE, 1048)
        wait_until(lambda: plain_statics(wine) == collapsed, 10, "collapsed by the next")
        wine.ui("click", MAIN_TITLE, 1009)
        process.wait(20)


if __name__ == "__main__":
    sys.exit(harness.run_tests([
        ("installation by keyboard", test_installation_by_keyboard),
        ("panel buttons by Tab and Enter", test_panel_buttons_by_tab_and_enter),
        ("boxes give the launchpad back", test_boxes_give_the_launchpad_back),
        ("one programmatic click is one action", test_one_programmatic_click_is_one_action),
    ]))
