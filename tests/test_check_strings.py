#!/usr/bin/env python3
"""The string-table checker catches each kind of fault a translation can have.

Starts from a clean translation (the English table with every translatable text marked as
translated) and breaks it one way per case; each case must yield exactly its problem.
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


def main():
    failures = []
    clean = check_strings.check_table(1031, translated(), set(), ENGLISH)
    if clean:
        failures.append("a clean table has problems: %s" % clean[:3])
    for name, texts, expected in CASES:
        problems = check_strings.check_table(1031, texts, set(), ENGLISH)
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

    for failure in failures:
        print(failure)
    print("%d cases, %d failures" % (len(CASES) + 4, len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
