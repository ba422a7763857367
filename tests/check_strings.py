#!/usr/bin/env python3
"""Checks the string tables of every language against the English one.

  check_strings.py [RC_FILE ...]   (default: every table in resources/strings)

Each table must define exactly the identifiers of the English table; the values that are the same
in every language (file names, addresses, log-name parts) must equal the English ones; every
translated text keeps the English text's "%s" placeholders, line feeds, trailing blank, empty-value
mark, addresses, file patterns and product names, has a keyboard mnemonic exactly where the English
has one, unique among the controls of its window; and a text may stay identical to the English only
where a reviewed exception allows it: the names below for every language, and the identifiers a
table lists itself in comment lines of the form "// Kept in English: 103 360 (why)".

The names of the texts (resources/strings/text_ids.h) are held to the tables: every English text
has exactly one name, every name's number has a text in every table checked, and every IDS_ name
the program's sources (cmd/, framework/) use is defined there.
"""
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
STRINGS = os.path.join(ROOT, "resources", "strings")
NAMES = os.path.join(STRINGS, "text_ids.h")
SOURCE_DIRS = [os.path.join(ROOT, "cmd"), os.path.join(ROOT, "framework")]

LANGUAGES = {
    1028: ("LANG_CHINESE", "SUBLANG_CHINESE_TRADITIONAL"),
    1029: ("LANG_CZECH", "SUBLANG_DEFAULT"),
    1031: ("LANG_GERMAN", "SUBLANG_GERMAN"),
    1033: ("LANG_ENGLISH", "SUBLANG_ENGLISH_US"),
    1036: ("LANG_FRENCH", "SUBLANG_FRENCH"),
    1038: ("LANG_HUNGARIAN", "SUBLANG_DEFAULT"),
    1040: ("LANG_ITALIAN", "SUBLANG_ITALIAN"),
    1041: ("LANG_JAPANESE", "SUBLANG_DEFAULT"),
    1042: ("LANG_KOREAN", "SUBLANG_KOREAN"),
    1045: ("LANG_POLISH", "SUBLANG_DEFAULT"),
    1046: ("LANG_PORTUGUESE", "SUBLANG_PORTUGUESE_BRAZILIAN"),
    1049: ("LANG_RUSSIAN", "SUBLANG_DEFAULT"),
    2052: ("LANG_CHINESE", "SUBLANG_CHINESE_SIMPLIFIED"),
    3082: ("LANG_SPANISH", "SUBLANG_SPANISH_MODERN"),
}


def _ranges(*parts):
    ids = set()
    for part in parts:
        if isinstance(part, tuple):
            ids.update(range(part[0], part[1] + 1))
        else:
            ids.add(part)
    return ids


# Values rather than wording: the same text in every table.
LANGUAGE_INDEPENDENT = _ranges(
    (120, 129), 223, 224, (230, 249), (353, 356), 376, 377, 379, (401, 403), 465, 485, 489, 493,
    (497, 499), (504, 509), (516, 518), 520, 524, 525, 528, (538, 542), (547, 554), 557, 560, 562,
    563, 565, (567, 573), (576, 578), (581, 583), (586, 588), (591, 593), (596, 598), (601, 603),
    (606, 608), (611, 613), 616)

# The captions that share one window's keyboard mnemonics. The panels are nested in the main
# window's keyboard navigation, so each panel shares the main window's navigation buttons.
MAIN_BUTTONS = [444, 445, 446, 464, 449, 450, 448]
MNEMONIC_WINDOWS = {
    "main window": MAIN_BUTTONS,
    "main window with the software requirements panel": MAIN_BUTTONS + [430, 300, 301, 302],
    "main window with the network configuration panel": MAIN_BUTTONS + [435, 436, 437, 438],
    "main window with the installation panel": MAIN_BUTTONS + [426],
    "main window of the Explorer variant": [444, 445, 446, 475, 449, 450, 448, 477],
    "question box": [442, 443],
    "context menu": [101],
}

# Texts that are names and may stay as they are in every language: the single-instance object
# name, the prerequisites' product names, "OK" and the full names of the Windows releases.
KEPT_EVERYWHERE = _ranges(
    104, (210, 219), 311, 359, 473, 482, 486, 490, 494, 510, 512, 519, 521, (529, 533), 558, 573,
    578, 583, 588, 593, 598, 603, 608, 613)

# Names that stay as they are in every language.
PRODUCT_NAMES = ["Corvane Velto", "Corvane Brenvik Tarquil brokers", "Corvane Pelmor Norrin",
                 "Corvane Kerrix", "Corvane Brenvik Velto", "Oskelt", "Pelmor", "MDAC", "JMS"]

EMPTY_MARK = '""'
ENTRY = re.compile(r'^\s*(\d+)\s*,\s*"((?:[^"\\]|""|\\.)*)"\s*$')


def unescape(raw, where):
    out = []
    i = 0
    while i < len(raw):
        c = raw[i]
        if c == '"':  # only as the doubled quote
            out.append('"')
            i += 2
        elif c == "\\":
            nxt = raw[i + 1]
            if nxt == "n":
                out.append("\n")
            elif nxt == "\\":
                out.append("\\")
            else:
                raise ValueError("%s: unsupported escape \\%s" % (where, nxt))
            i += 2
        else:
            out.append(c)
            i += 1
    return "".join(out)


def read_table(path):
    """The table's language identifier and texts; raises ValueError on a malformed file."""
    name = os.path.basename(path)
    lang = int(os.path.splitext(name)[0])
    with open(path, encoding="utf-8") as f:
        lines = f.read().splitlines()
    if "#pragma code_page(65001)" not in lines:
        raise ValueError("%s: no '#pragma code_page(65001)'" % name)
    expected = "LANGUAGE %s, %s" % LANGUAGES.get(lang, ("?", "?"))
    if expected not in [line.strip() for line in lines]:
        raise ValueError("%s: no '%s' line" % (name, expected))
    texts = {}
    kept = set()
    inside = False
    for number, line in enumerate(lines, 1):
        stripped = line.strip()
        where = "%s:%d" % (name, number)
        if stripped.startswith("// Kept in English:"):
            listed = stripped.split(":", 1)[1].split("(", 1)[0].split()
            try:
                kept.update(int(x) for x in listed)
            except ValueError:
                raise ValueError("%s: a kept-in-English line lists identifiers only" % where)
        elif stripped == "BEGIN":
            inside = True
        elif stripped == "END":
            inside = False
        elif inside and stripped and not stripped.startswith("//"):
            m = ENTRY.match(line)
            if not m:
                raise ValueError("%s: not an entry of the form 123, \"text\"" % where)
            ident = int(m.group(1))
            if ident in texts:
                raise ValueError("%s: identifier %d defined twice" % (where, ident))
            texts[ident] = unescape(m.group(2), where)
    return lang, texts, kept


NAME_DEFINE = re.compile(r"^\s*#\s*define\s+(IDS_\w+)(.*)$")
NAME_USE = re.compile(r"\bIDS_\w+")


def read_names(path):
    """The texts' names and their numbers; raises ValueError on a malformed or repeated name."""
    name = os.path.basename(path)
    names = {}
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            m = NAME_DEFINE.match(line)
            if not m:
                continue
            where = "%s:%d" % (name, number)
            value = m.group(2).split("//", 1)[0].strip()
            if not re.fullmatch(r"\d+", value):
                raise ValueError("%s: %s is not a plain number" % (where, m.group(1)))
            if m.group(1) in names:
                raise ValueError("%s: %s defined twice" % (where, m.group(1)))
            names[m.group(1)] = int(value)
    return names


def used_names(dirs):
    """Each IDS_ name the C++ sources under dirs use, with the first place that uses it."""
    used = {}
    for top in dirs:
        for folder, _, files in sorted(os.walk(top)):
            for file in sorted(files):
                if not file.endswith((".cpp", ".h")):
                    continue
                path = os.path.join(folder, file)
                with open(path, encoding="utf-8") as f:
                    for number, line in enumerate(f, 1):
                        for token in NAME_USE.findall(line):
                            used.setdefault(token, "%s:%d" % (os.path.relpath(path, ROOT), number))
    return used


def check_names(names, english, tables, used):
    """The names against the English texts, every table (language: texts) and the sources' uses."""
    problems = []
    by_number = {}
    for name, ident in sorted(names.items(), key=lambda item: (item[1], item[0])):
        by_number.setdefault(ident, []).append(name)
    for ident in sorted(english):
        if ident not in by_number:
            problems.append("names: English text %d has no name" % ident)
        elif len(by_number[ident]) > 1:
            problems.append("names: text %d has several names %s" % (ident, by_number[ident]))
    for name, ident in sorted(names.items()):
        lacking = sorted(lang for lang, texts in tables.items() if ident not in texts)
        if lacking:
            problems.append("names: %s (%d) has no text in %s" % (name, ident, lacking))
    for name, where in sorted(used.items()):
        if name not in names:
            problems.append("%s: %s is not a name of a text" % (where, name))
    return problems


def mnemonics(text):
    """The characters marked with a single '&' ('&&' is a literal ampersand)."""
    found = []
    i = 0
    while i < len(text):
        if text[i] == "&":
            if i + 1 < len(text) and text[i + 1] == "&":
                i += 2
                continue
            if i + 1 < len(text):
                found.append(text[i + 1].lower())
        i += 1
    return found


def check_table(lang, texts, kept, english):
    problems = []

    def fail(ident, message):
        problems.append("%d: %d: %s" % (lang, ident, message))

    missing = sorted(set(english) - set(texts))
    extra = sorted(set(texts) - set(english))
    if missing:
        problems.append("%d: missing identifiers %s" % (lang, missing))
    if extra:
        problems.append("%d: identifiers not in English %s" % (lang, extra))

    same_ok = KEPT_EVERYWHERE | kept
    for ident, en in sorted(english.items()):
        if ident not in texts:
            continue
        text = texts[ident]
        if ident in LANGUAGE_INDEPENDENT:
            if text != en:
                fail(ident, "must stay %r, is %r" % (en, text))
            continue
        if lang != 1033 and text == en and ident not in same_ok:
            fail(ident, "identical to English and not a reviewed exception: %r" % text)
        if not text:
            fail(ident, "empty")
        if (text == EMPTY_MARK) != (en == EMPTY_MARK):
            fail(ident, "empty-value mark differs from English")
        if text.count("%s") != en.count("%s") or text.count("%") != en.count("%"):
            fail(ident, "placeholders differ from English: %r" % text)
        if text.count("\n") != en.count("\n"):
            fail(ident, "line feeds differ from English")
        if "\n\n" in en and "\n\n" not in text:
            fail(ident, "the blank line of the English is missing")
        if text.endswith(" ") != en.endswith(" "):
            fail(ident, "trailing blank differs from English")
        if text.startswith((" ", "\t")) or text.rstrip(" ") != text.rstrip():
            fail(ident, "stray white space")
        if "  " in text.replace("\n", ""):
            fail(ident, "double blank")
        if len(mnemonics(text)) != len(mnemonics(en)):
            fail(ident, "mnemonic count differs from English: %r" % text)
        for address in re.findall(r"https?://\S+?(?=[,\s]|$)", en):
            if address not in text:
                fail(ident, "address %s missing" % address)
        if "|" in en and text.split("|", 1)[-1] != en.split("|", 1)[1]:
            fail(ident, "file pattern after '|' must stay %r" % en.split("|", 1)[1])
        for name in PRODUCT_NAMES:
            if name in en and name not in text:
                fail(ident, "product name %r missing" % name)

    for window, ids in MNEMONIC_WINDOWS.items():
        seen = {}
        for ident in ids:
            for key in mnemonics(texts.get(ident, "")):
                if key in seen:
                    problems.append("%d: mnemonic '%s' of %d repeats that of %d in the %s"
                                    % (lang, key, ident, seen[key], window))
                seen[key] = ident
    return problems


def main(argv):
    paths = argv[1:] or sorted(os.path.join(STRINGS, f) for f in os.listdir(STRINGS)
                               if re.fullmatch(r"\d+\.rc", f))
    problems = []
    try:
        _, english, _ = read_table(os.path.join(STRINGS, "1033.rc"))
    except ValueError as e:
        print(e)
        return 1
    if len(english) != 322:
        problems.append("1033: %d identifiers, 322 expected" % len(english))
    languages = set()
    tables = {}
    for path in paths:
        try:
            lang, texts, kept = read_table(path)
        except ValueError as e:
            problems.append(str(e))
            continue
        if lang not in LANGUAGES:
            problems.append("%s: not a launchpad language" % path)
            continue
        languages.add(lang)
        tables[lang] = texts
        problems += check_table(lang, texts, kept, english)
    if not argv[1:] and languages != set(LANGUAGES):
        problems.append("tables missing for %s" % sorted(set(LANGUAGES) - languages))
    try:
        problems += check_names(read_names(NAMES), english, tables, used_names(SOURCE_DIRS))
    except ValueError as e:
        problems.append(str(e))
    for p in problems:
        print(p)
    print("%d tables checked, %d problems" % (len(paths), len(problems)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
