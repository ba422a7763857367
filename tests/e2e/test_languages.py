#!/usr/bin/env python3
"""The launchpad speaks each of its fourteen languages on a machine set to that language.

For every language the real program starts under Wine with the matching Linux locale (LC_ALL,
compiled here with LOCPATH) on a media that documents every language. The window must carry the
title of that language's string table, its navigation buttons and each panel's heading must read
as that table says, and a screenshot of every panel goes to artifacts/gallery. Spanish comes in
as 3082 from the locale, is selected as 1034, and must read the table stored as 3082.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
import harness  # noqa: E402
from harness import check  # noqa: E402

LANGUAGES = [
    # table, Linux locale, documentation folder
    (1033, "en_US", "en_us"),
    (1036, "fr_FR", "fr_fr"),
    (1031, "de_DE", "de_de"),
    (1040, "it_IT", "it_it"),
    (1041, "ja_JP", "ja_jp"),
    (1042, "ko_KR", "ko_kr"),
    (1046, "pt_BR", "pt_br"),
    (1028, "zh_TW", "zh_tw"),
    (3082, "es_ES", "es_es"),
    (2052, "zh_CN", "zh_cn"),
    (1038, "hu_HU", "hu_hu"),
    (1049, "ru_RU", "ru_ru"),
    (1045, "pl_PL", "pl_pl"),
    (1029, "cs_CZ", "cs_cz"),
]

# Navigation and command buttons of the main window and their texts.
BUTTONS = {1000: 444, 1001: 445, 1002: 446, 1004: 464, 1006: 449, 1007: 450, 1009: 448}
# Each panel: its button, its name in the gallery, and a control with the text it must show.
PANELS = [
    (1000, "1-welcome", 1020, 404),
    (1001, "2-software", 1041, 427),
    (1002, "3-network", 1100, 385),
    (1004, "4-installation", 1070, 421),
]


def test_every_language():
    locales = harness.compile_locales([locale for _, locale, _ in LANGUAGES])
    media = harness.sample_media("languages", languages=",".join(folder for _, _, folder in LANGUAGES))
    gallery = os.path.join(harness.ARTIFACTS, "gallery")
    os.makedirs(gallery, exist_ok=True)
    failures = []
    with harness.Display() as display, harness.Wine("languages", display) as wine:
        for table, locale, _ in LANGUAGES:
            texts = harness.string_table(table)
            env = {"LC_ALL": locale + ".UTF-8", "LOCPATH": locales}
            wine.extra_env = env  # the UI driver reads and writes texts in the same locale
            title = texts[103]
            process = wine.start(os.path.join(media, "HovraLaunch.exe"), cwd=media, **env)
            try:
                wine.ui("wait-window", title, 20000)
                for control, text_id in BUTTONS.items():
                    shown = wine.ui("get-text", title, control)
                    if shown != texts[text_id]:
                        failures.append("%d: button %d shows %r, not %r" % (table, control, shown, texts[text_id]))
                for nav, name, marker, text_id in PANELS:
                    if nav != 1000:
                        wine.click(title, nav)
                    wine.park_mouse()
                    harness.wait_until(lambda: wine.ui("is-visible", title, marker) == "1", 10,
                                       "%d: panel of button %d" % (table, nav))
                    shown = wine.ui("get-text", title, marker)
                    if shown != texts[text_id]:
                        failures.append("%d: panel %s shows %r, not %r" % (table, name, shown, texts[text_id]))
                    path = wine.screenshot("gallery/%d-%s" % (table, name))
                    check(os.path.getsize(path) > 0, "screenshot " + path)
                wine.ui("click", title, 1009)
                process.wait(20)
            finally:
                if process.poll() is None:
                    process.kill()
                wine.extra_env = {}
    check(not failures, "\n".join(failures))


if __name__ == "__main__":
    sys.exit(harness.run_tests([("every language: title, buttons, panels and gallery", test_every_language)]))
