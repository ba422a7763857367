#!/usr/bin/env python3
"""Start-up under Wine and Xvfb: the main window shows with its title, one launchpad at a time."""
import os
import sys
import time

sys.path.insert(0, os.path.dirname(__file__))
import harness  # noqa: E402
from harness import MAIN_TITLE, check  # noqa: E402


def test_one_launchpad_at_a_time():
    media = harness.sample_media("startup")
    program = os.path.join(media, "HovraLaunch.exe")
    with harness.Display() as display, harness.Wine("startup", display) as wine:
        first = wine.start(program, cwd=media)
        wine.ui("wait-window", MAIN_TITLE, 20000)
        check(wine.ui("count-windows", MAIN_TITLE) == "1", "one main window")
        check(wine.ui("get-text", MAIN_TITLE, 1009) == "E&xit Launchpad", "exit caption from the catalogue")
        wine.screenshot("startup-main-window")

        # A second start ends quickly and shows nothing; the first comes to the front.
        begun = time.monotonic()
        second = wine.start(program, cwd=media)
        second.wait(20)
        check(time.monotonic() - begun < 10, "second start ended within 10 s")
        check(first.poll() is None, "the first launchpad still runs")
        check(wine.ui("count-windows", MAIN_TITLE) == "1", "still one main window")
        check(wine.ui("foreground") == MAIN_TITLE, "the running launchpad is in front")

        # Minimised, it is restored by a second start.
        wine.ui("minimize", MAIN_TITLE)
        harness.wait_until(lambda: wine.ui("is-iconic", MAIN_TITLE) == "1", 10, "minimised")
        third = wine.start(program, cwd=media)
        third.wait(20)
        harness.wait_until(lambda: wine.ui("is-iconic", MAIN_TITLE) == "0", 10, "restored by the second start")

        # After the first has ended, a new start runs.
        wine.ui("close", MAIN_TITLE)
        first.wait(20)
        again = wine.start(program, cwd=media)
        wine.ui("wait-window", MAIN_TITLE, 20000)
        check(again.poll() is None, "the new launchpad runs")
        wine.ui("click", MAIN_TITLE, 1009)
        again.wait(20)


if __name__ == "__main__":
    sys.exit(harness.run_tests([("one launchpad at a time", test_one_launchpad_at_a_time)]))
