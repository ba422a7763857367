#!/usr/bin/env python3
"""A real locale setting of the machine reaches the choice of the interface language.

Each case runs the unit-test program's RealLocale test under Wine with LC_ALL set to a locale
compiled here (LOCPATH), and states the language code that must come out.
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(__file__))
import harness  # noqa: E402
from harness import check  # noqa: E402

CASES = [
    # locale, expected code, main title in that language (the unit tests carry German and Spanish)
    ("en_US", "A", "Corvane Velto Version 9.3"),
    ("de_DE", "G", "Corvane Velto Version 9.3 (Deutsch)"),
    ("de_CH", "G", "Corvane Velto Version 9.3 (Deutsch)"),  # no exact row: primary language German
    ("es_ES", "S", "Corvane Velto versión 9.3"),            # 3082: row 1034, table 3082
    ("fr_FR", "F", None),
    ("ja_JP", "J", None),
    ("zh_HK", "Z", None),                                   # Chinese primary language: Simplified first
    ("zh_TW", "T", None),
    ("nl_NL", "A", None),                                   # not a launchpad language
]


def compile_locales(directory):
    os.makedirs(directory, exist_ok=True)
    for name, _, _ in CASES:
        target = os.path.join(directory, name + ".UTF-8")
        if not os.path.isdir(target):
            subprocess.run(["localedef", "-i", name, "-f", "UTF-8", target], check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def test_locales_choose_the_interface_language():
    locales = os.path.join(harness.WORK_DIR, "locales")
    compile_locales(locales)
    failures = []
    with harness.Display() as display, harness.Wine("locale", display) as wine:
        for name, code, title in CASES:
            env = {"LC_ALL": name + ".UTF-8", "LOCPATH": locales, "HOVRA_EXPECT_LANGUAGE": code}
            if title:
                env["HOVRA_EXPECT_TITLE"] = title
            result = wine.run(harness.UNIT_TESTS, ["--gtest_filter=RealLocale.*"], **env)
            out = result.stdout.decode("utf-8", "replace")
            if result.returncode != 0 or "[  PASSED  ] 1 test" not in out:
                failures.append("%s: %s" % (name, out[-600:]))
    check(not failures, "\n".join(failures))


if __name__ == "__main__":
    sys.exit(harness.run_tests([("real locales choose the interface language",
                                 test_locales_choose_the_interface_language)]))
