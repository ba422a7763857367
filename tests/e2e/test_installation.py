#!/usr/bin/env python3
"""The road of one installation under Wine and Xvfb: a user visits each panel, answers the
network question, picks a language in the list and launches; the sample setup program records
the command line it receives, and the launchpad has ended."""
import contextlib
import datetime
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.dirname(__file__))
import harness  # noqa: E402
from harness import MAIN_TITLE, check  # noqa: E402

LANGUAGES = ["English", "French", "German", "Italian", "Japanese", "Korean", "Portuguese (Brazilian)",
             "Traditional Chinese", "Spanish", "Simplified Chinese", "Hungarian", "Russian", "Polish", "Czech"]
TIMESTAMP = r"(\d{4}-\d\d-\d\dT\d\d-\d\d-\d\d)"


def key(wine, *keys):
    subprocess.run(["xdotool", "key", "--delay", "60"] + list(keys), env=wine.env(), check=True)


def launch_and_record(name, arguments=(), expect_tail=""):
    media = harness.sample_media(name, languages="en_us,de_de")
    record = os.path.join(harness.WORK_DIR, name + "-record.txt")
    if os.path.exists(record):
        os.remove(record)
    with harness.Display() as display, harness.Wine(name, display) as wine:
        process = wine.start(os.path.join(media, "HovraLaunch.exe"), list(arguments), cwd=media,
                             HOVRA_SETUP_RECORD=harness.windows_path(record))
        wine.ui("wait-window", MAIN_TITLE, 20000)

        # Each panel in turn, with real clicks.
        for nav, marker in ((1001, 1040), (1002, 1100), (1004, 1070)):
            wine.click(MAIN_TITLE, nav)
            harness.wait_until(lambda: wine.ui("is-visible", MAIN_TITLE, marker) == "1", 10, "panel %d" % nav)
            if nav == 1002:
                wine.click(MAIN_TITLE, 1102)  # No
        items = wine.ui("combo-items", MAIN_TITLE, 1076).split("\n")
        check(items[:-1] == LANGUAGES, "the language list in table order: %r" % items)
        check(items[-1] == "selected=0", "English, the documentation language, pre-selected: %s" % items[-1])

        # Pick German in the list: open it, type, close it.
        wine.click(MAIN_TITLE, 1076)
        key(wine, "G", "Return")
        harness.wait_until(lambda: wine.ui("combo-items", MAIN_TITLE, 1076).endswith("selected=2"), 10,
                           "German chosen")
        wine.screenshot(name + "-installation-panel")

        begun = datetime.datetime.now().replace(microsecond=0)
        wine.click(MAIN_TITLE, 1072)
        command = harness.read_record(record)
        ended = datetime.datetime.now()
        process.wait(20)  # the launchpad closes once the setup program has started

    check_launch_command(command, media, 1031, begun, ended, expect_tail)


def check_launch_command(command, media, language, begun, ended, expect_tail=""):
    """The command line the sample setup program recorded is the installer's, exact to the
    character: the launchpad's setup.exe, the log in the launchpad's TEMP with a timestamp between
    begun and ended, the language and the property list."""
    root = harness.windows_path(media)
    match = re.fullmatch(
        r'"?%s\\MSI\\setup\.exe"? /i /debuglog"([A-Za-z]:\\[^"]*)\\Veltov93_Install_IS%s\.log" /L%d /v"(.*)"'
        % (re.escape(root), TIMESTAMP, language), command)
    check(match, "the recorded command line: %s" % command)
    # Wine sets TEMP from its own settings; both logs go to the directory the launchpad saw.
    temp = match.group(1)
    stamp = datetime.datetime.strptime(match.group(2), "%Y-%m-%dT%H-%M-%S")
    check(begun - datetime.timedelta(seconds=1) <= stamp <= ended, "the launch's timestamp %s" % stamp)
    expected = (expect_tail + r'/lmicrowaveup \"%s\Veltov93_Install_%s.log\" ZUTCHECKPRODUCTPREREQS=\"\" '
                r'ZUTNCSEC=1 ZUTSHOWWELCOME=0 ') % (temp, match.group(2))
    check(match.group(3) == expected, "property list %r, expected %r" % (match.group(3), expected))


def test_launch_without_arguments():
    launch_and_record("install-plain")


def test_launch_with_arguments():
    # Wine quotes arguments of its own command line as it sees fit; plain words pass unchanged.
    # Quotes in the arguments are covered by the unit tests of the command line.
    launch_and_record("install-args", ["ADDLOCAL=Server", "REBOOT=ReallySuppress"],
                      expect_tail="ADDLOCAL=Server REBOOT=ReallySuppress ")


def start_exact(wine, media, tail, name):
    """Starts the launchpad with exactly this command line, through CreateProcess."""
    line_file = os.path.join(harness.WORK_DIR, name + "-commandline.txt")
    with open(line_file, "w", encoding="utf-8") as f:
        f.write('"%s" %s' % (harness.windows_path(os.path.join(media, "HovraLaunch.exe")), tail))
    wine.ui("start-exact", harness.windows_path(line_file), harness.windows_path(media))
    wine.ui("wait-window", MAIN_TITLE, 20000)


def hostile_tail(length):
    """Quotes, backslashes before quotes and at the end, non-ASCII text, padded to length."""
    head = 'ADDLOCAL="Server,Client" INSTALLDIR="C:\\Program Files\\Velto\\" NOTE=\\"x\\" ' \
           'NAME=Ünïcødé_日本語_Привет_😀 '
    return head + "P" * (length - len(head) - 1) + "\\"


def escaped(properties):
    """The property list as the launchpad writes it behind /v: each run of backslashes right before
    a quote doubled, each quote escaped."""
    return re.sub(r'(\\*)"', lambda m: m.group(1) * 2 + '\\"', properties)


def read_arguments(record):
    """The arguments the sample setup program's C runtime read from its command line."""
    with open(record + ".argv", encoding="utf-8") as f:
        return f.read().split("\0")[:-1]


SESSION_ENVIRONMENT = r"HKLM\System\CurrentControlSet\Control\Session Manager\Environment"


def set_variables(wine, variables):
    """Gives the programs started from now on these TEMP and TMP values (None: not set at all).
    Wine takes them from the registry, whatever the environment of its own process says."""
    for name, value in variables.items():
        if value is None:
            for key in (r"HKCU\Environment", SESSION_ENVIRONMENT):
                wine.run("reg", ["delete", key, "/v", name, "/f"])
        else:
            wine.reg("add", r"HKCU\Environment", "/v", name, "/d", value, "/f")


@contextlib.contextmanager
def installation_panel_with_tail(name, tail, variables=None):
    """The launchpad started with exactly this tail (and these TEMP and TMP values, if given), on
    its installation panel; yields the prefix and the file the setup program records its command
    line in."""
    media = harness.sample_media(name)
    record = os.path.join(harness.WORK_DIR, name + "-record.txt")
    for path in (record, record + ".argv"):
        if os.path.exists(path):
            os.remove(path)
    with harness.Display() as display, harness.Wine(name, display, {"LC_ALL": "C.UTF-8"}) as wine:
        wine.extra_env["HOVRA_SETUP_RECORD"] = harness.windows_path(record)
        set_variables(wine, variables or {})
        start_exact(wine, media, tail, name)
        wine.click(MAIN_TITLE, 1004)
        harness.wait_until(lambda: wine.ui("is-visible", MAIN_TITLE, 1070) == "1", 10, "installation panel")
        yield wine, record


def test_launch_carries_a_long_hostile_tail_exactly():
    tail = hostile_tail(20000)
    with installation_panel_with_tail("install-hostile", tail) as (wine, record):
        wine.click(MAIN_TITLE, 1072)
        command = harness.read_record(record)
        wine.ui("wait-gone", MAIN_TITLE, 20000)
    # Inside the quoted property list each quote of the tail is escaped (with the backslashes right
    # before it doubled), and nothing else changes; the setup program reads the tail back whole.
    check('/v"%s /lmicrowaveup' % escaped(tail) in command,
          "the tail of %d characters carried exactly: %s..." % (len(tail), command[:300]))
    arguments = read_arguments(record)
    check(len(arguments) == 5 and arguments[4].startswith("/v" + tail + " /lmicrowaveup "),
          "the setup program's arguments: %d, the last one %r..." % (len(arguments), arguments[-1][:300]))


def launch_with_tail(name, tail, variables=None):
    """Launches the installer from a launchpad started with this tail; the setup program's command
    line and its arguments."""
    with installation_panel_with_tail(name, tail, variables) as (wine, record):
        wine.click(MAIN_TITLE, 1072)
        command = harness.read_record(record)
        wine.ui("wait-gone", MAIN_TITLE, 20000)
    return command, read_arguments(record)


def test_a_value_ending_in_a_backslash_stays_one_property():
    tail = r'INSTALLDIR="C:\Program Files\Velto\" ADDLOCAL=Server'
    command, arguments = launch_with_tail("install-backslash", tail)
    check(r'/v"INSTALLDIR=\"C:\Program Files\Velto\\\" ADDLOCAL=Server /lmicrowaveup \"' in command,
          "the recorded line: %s" % command)
    # The setup program's own parser: its switches, then one /v argument with the properties as meant.
    check(len(arguments) == 5 and arguments[1:4] == ["/i", arguments[2], "/L1033"] and
          arguments[2].startswith("/debuglog"), "the setup program's arguments: %r" % arguments)
    temp = arguments[2][len("/debuglog"):arguments[2].rindex("\\")]
    stamp = re.search(TIMESTAMP, arguments[2]).group(1)
    expected = ('/v%s /lmicrowaveup "%s\\Veltov93_Install_%s.log" ZUTCHECKPRODUCTPREREQS="" ZUTNCSEC=0 '
                'ZUTSHOWWELCOME=0 ' % (tail, temp, stamp))
    check(arguments[4] == expected, "the /v argument %r, expected %r" % (arguments[4], expected))


def log_directories(command):
    """The directories of the setup program's log and the installer's log on a command line."""
    setup = re.search(r'/debuglog"([^"]*)\\Veltov93_Install_IS', command)
    installer = re.search(r'/lmicrowaveup \\"([^"]*)\\Veltov93_Install_\d', command)
    check(setup and installer, "both logs on the line: %s" % command)
    return setup.group(1), installer.group(1)


def test_logs_go_to_tmp_or_the_windows_temp_when_temp_is_unusable():
    long_temp = "C:\\" + "a" * 300
    for name, variables, directory in (
            ("temp-relative", {"TEMP": "logs\\velto", "TMP": "C:\\velto-tmp"}, "C:\\velto-tmp"),
            ("temp-long", {"TEMP": long_temp, "TMP": "tmp"}, "C:\\windows\\Temp"),
            ("temp-unset", {"TEMP": None, "TMP": None}, "C:\\windows\\Temp")):
        command, _ = launch_with_tail("install-" + name, "", variables)
        check(log_directories(command) == (directory, directory),
              "%s: logs in %r, expected %s" % (name, log_directories(command), directory))


def test_a_command_line_too_long_to_start_starts_nothing():
    # The launchpad's own command line fits Windows' limit of 32767 characters; the setup
    # program's, which adds the switches and log names, would not.
    with installation_panel_with_tail("install-too-long", hostile_tail(32600)) as (wine, record):
        wine.ui("click", MAIN_TITLE, 1072)
        wine.ui("click", MAIN_TITLE, 1000)  # posted after the launch: handled once it has been
        harness.wait_until(lambda: wine.ui("is-visible", MAIN_TITLE, 1020) == "1", 10, "welcome panel")
        check(wine.ui("count-windows", MAIN_TITLE) == "1", "the launchpad stays open")
        check(not os.path.exists(record), "no setup program started: %s" % (
            harness.read_record(record)[:200] if os.path.exists(record) else ""))
        wine.ui("click", MAIN_TITLE, 1009)
        wine.ui("wait-gone", MAIN_TITLE, 20000)

if __name__ == "__main__":
    sys.exit(harness.run_tests([("launch without arguments", test_launch_without_arguments),
                                ("launch with arguments", test_launch_with_arguments),
                                ("a long tail with quotes, backslashes and non-ASCII text is carried exactly",
                                 test_launch_carries_a_long_hostile_tail_exactly),
                                ("a value ending in a backslash stays one property",
                                 test_a_value_ending_in_a_backslash_stays_one_property),
                                ("logs go to TMP or the Windows Temp when TEMP is unusable",
                                 test_logs_go_to_tmp_or_the_windows_temp_when_temp_is_unusable),
                                ("a command line too long to start starts nothing",
                                 test_a_command_line_too_long_to_start_starts_nothing)]))
