#!/usr/bin/env python3
"""The string-table checker catches each kind of fault a translation can have.

Starts from a clean translation (the English table with every translatable text marked as
translated) and breaks it one way per case; each case must yield exactly its problem. The same for
the texts' names: the real header and the real sources' uses against the English and a clean
translated table, broken one way per case.
"""
import os
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_strings  # noqa: E402

_, ENGLISH, _ = check_strings.read_table(os.path.join(check_strings.STRINGS, "1033.rc"))


def translated():
    """A table that passes: every translatable text changed in a harmless way."""
    texts = {}
    for ident, text in ENGLISH.items():
        if ident in check_strings.LANGUAGE_INDEPENDENT or ident in check_strings.KEPT_EVERYWHERE \
                or text == check_strings.EMPTY_MARK:
            texts[ident] = text
        else:
            texts[ident] = "Ü" + text
    return texts


def changed(**edits):
    texts = translated()
    for key, value in edits.items():
        ident = int(key[1:])
        if value is None:
            del texts[ident]
        else:
            texts[ident] = value
    return texts


CASES = [
    # name, table, expected fragment of the one problem
    ("missing identifier", changed(i365=None), "missing identifiers [365]"),
    ("language-independent text changed", changed(i401="Velto_Installation_"), "401: must stay"),
    ("placeholder dropped", changed(i378="Softwareanforderungen für %s"), "378: placeholders"),
    ("line feed dropped", changed(i480="Ünable to open Installation Guide PDF. No viewer."), "480: line feeds"),
    ("trailing blank dropped", changed(i407="Softwareanforderungen"), "407: trailing blank"),
    ("mnemonic dropped", changed(i430="Aktualisieren"), "430: mnemonic count"),
    ("mnemonic repeated in a window", changed(i430="&Welt"), "mnemonic 'w' of 430 repeats that of 444"),
    ("text left in English", changed(i366="Using this Launchpad"), "366: identical to English"),
    ("empty-value mark translated", changed(i223="«»"), "223: must stay"),
    ("file pattern changed", changed(i466="Programme (*.exe)|*.com"), "466: file pattern"),
    ("address lost", changed(i484=ENGLISH[484].replace("https://www.microsoft.com/", "Microsoft")), "484: address"),
    ("product name translated", changed(i404="Willkommen beim Launchpad"), "404: product name"),
]


NAMES = check_strings.read_names(check_strings.NAMES)
USED = check_strings.used_names(check_strings.SOURCE_DIRS)
UNUSED_NAME = "IDS_TIP_LICENSING"  # a text the program does not show


def names_with(**edits):
    names = dict(NAMES)
    for name, ident in edits.items():
        if ident is None:
            del names[name]
        else:
            names[name] = ident
    return names


NAME_CASES = [
    # name, names, tables, uses, expected fragment of the one problem
    ("name whose number has no text", names_with(IDS_NO_SUCH_TEXT=999),
     {1033: ENGLISH, 1031: translated()}, USED, "IDS_NO_SUCH_TEXT (999) has no text in [1031, 1033]"),
    ("name whose text one table lacks", NAMES, {1033: ENGLISH, 1031: changed(i365=None)}, USED,
     "IDS_TIP_NETWORK_CONFIGURATION (365) has no text in [1031]"),
    ("English text without a name", names_with(**{UNUSED_NAME: None}), {1033: ENGLISH, 1031: translated()},
     USED, "English text 369 has no name"),
    ("text with two names", names_with(IDS_STATUS_FINE=311), {1033: ENGLISH, 1031: translated()}, USED,
     "text 311 has several names ['IDS_STATUS_FINE', 'IDS_STATUS_OK']"),
    ("source uses an undefined name", NAMES, {1033: ENGLISH, 1031: translated()},
     dict(USED, IDS_NOT_A_TEXT="cmd/HovraLaunch/Example.cpp:7"),
     "cmd/HovraLaunch/Example.cpp:7: IDS_NOT_A_TEXT is not a name of a text"),
]


def main():
    failures = []
    clean = check_strings.check_table(1031, translated(), set(), ENGLISH)
    if clean:
        failures.append("a clean table has problems: %s" % clean[:3])
    for name, texts, expected in CASES:
        problems = check_strings.check_table(1031, texts, set(), ENGLISH)
        if len(problems) != 1 or expected not in problems[0]:
            failures.append("%s: expected one problem with %r, got %s" % (name, expected, problems))
    # The names: the real ones pass, each broken setup yields its one problem.
    if UNUSED_NAME not in NAMES or UNUSED_NAME in USED or "IDS_STATUS_OK" not in USED:
        failures.append("the names' cases do not start from the expected names and uses")
    clean = check_strings.check_names(NAMES, ENGLISH, {1033: ENGLISH, 1031: translated()}, USED)
    if clean:
        failures.append("the clean names have problems: %s" % clean[:3])
    for name, names, tables, used, expected in NAME_CASES:
        problems = check_strings.check_names(names, ENGLISH, tables, used)
        if len(problems) != 1 or expected not in problems[0]:
            failures.append("%s: expected one problem with %r, got %s" % (name, expected, problems))

    # A reviewed exception lets a text stay English.
    if check_strings.check_table(1031, changed(i366=ENGLISH[366]), {366}, ENGLISH):
        failures.append("a listed exception is still reported")

    # The reader refuses malformed files.
    for name, content in [("entry with trailing text", '101, "x" x'),
                          ("identifier twice", '101, "a"\n    101, "b"'),
                          ("unknown escape", '101, "a\\tb"')]:
        with tempfile.TemporaryDirectory() as d:
            path = os.path.join(d, "1031.rc")
            with open(path, "w", encoding="utf-8") as f:
                f.write("#pragma code_page(65001)\nLANGUAGE LANG_GERMAN, SUBLANG_GERMAN\nSTRINGTABLE\nBEGIN\n    %s\nEND\n"
                        % content)
            try:
                check_strings.read_table(path)
                failures.append("%s: accepted" % name)
            except ValueError:
                pass

    # The names' reader refuses a name that is not a plain number or is defined twice.
    for name, content in [("name not a number", "#define IDS_A (100 + 1)\n"),
                          ("name twice", "#define IDS_A 101\n#define IDS_A 102\n")]:
        with tempfile.TemporaryDirectory() as d:
            path = os.path.join(d, "text_ids.h")
            with open(path, "w", encoding="utf-8") as f:
                f.write(content)
            try:
                check_strings.read_names(path)
                failures.append("%s: accepted" % name)
            except ValueError:
                pass

    for failure in failures:
        print(failure)
    print("%d cases, %d failures" % (len(CASES) + 4 + len(NAME_CASES) + 2, len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
