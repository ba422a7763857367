#!/usr/bin/env python3
"""A real locale setting of the machine reaches the choice of the interface language.

Each case runs the unit-test program's RealLocale test under Wine with LC_ALL set to a locale
compiled here (LOCPATH), and states the language code that must come out.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
import harness  # noqa: E402
from harness import check  # noqa: E402

CASES = [
    # locale, expected code, the string table whose title the launchpad must show
    ("en_US", "A", 1033),
    ("de_DE", "G", 1031),
    ("de_CH", "G", 1031),  # no exact row: primary language German
    ("es_ES", "S", 3082),  # 3082: row 1034, table 3082
    ("fr_FR", "F", 1036),
    ("ja_JP", "J", 1041),
    ("zh_HK", "Z", 2052),  # Chinese primary language: Simplified first
    ("zh_TW", "T", 1028),
    ("nl_NL", "A", 1033),  # not a launchpad language
]


def test_locales_choose_the_interface_language():
    locales = harness.compile_locales([name for name, _, _ in CASES])
    failures = []
    with harness.Display() as display, harness.Wine("locale", display) as wine:
        for name, code, table in CASES:
            env = {"LC_ALL": name + ".UTF-8", "LOCPATH": locales, "HOVRA_EXPECT_LANGUAGE": code,
                   "HOVRA_EXPECT_TITLE": harness.string_table(table)[103]}
            result = wine.run(harness.UNIT_TESTS, ["--gtest_filter=RealLocale.*"], **env)
            out = result.stdout.decode("utf-8", "replace")
            if result.returncode != 0 or "[  PASSED  ] 1 test" not in out:
                failures.append("%s: %s" % (name, out[-600:]))
    check(not failures, "\n".join(failures))


if __name__ == "__main__":
    sys.exit(harness.run_tests([("real locales choose the interface language",
                                 test_locales_choose_the_interface_language)]))
