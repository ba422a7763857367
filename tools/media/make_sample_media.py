#!/usr/bin/env python3
"""Builds a sample installation media for the launchpad: the folders and files it looks for.

    make_sample_media.py OUTDIR --launchpad HovraLaunch.exe [--setup setup.exe]
                         [--languages en_us,fr_fr,...] [--no-package]

Every language named gets Readmes\\<folder>\\, Readmes\\Readme_<folder>.TXT,
docs\\help\\<folder>\\pdf\\velto_qsg.pdf and docs\\help\\<folder>\\q008810_.htm. MSI\\ holds the
package, the transform of each of the 14 languages and the setup program.
"""
import argparse
import os
import shutil
import sys

ALL_FOLDERS = ["en_us", "fr_fr", "de_de", "it_it", "ja_jp", "ko_kr", "pt_br", "zh_tw", "es_es", "zh_cn",
               "hu_hu", "ru_ru", "pl_pl", "cs_cz"]
TRANSFORMS = ["1033", "1036", "1031", "1040", "1041", "1042", "1046", "1028", "1034", "2052", "1038", "1049",
              "1045", "1029"]

MINIMAL_PDF = b"""%PDF-1.4
1 0 obj << /Type /Catalog /Pages 2 0 R >> endobj
2 0 obj << /Type /Pages /Kids [3 0 R] /Count 1 >> endobj
3 0 obj << /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] >> endobj
trailer << /Root 1 0 R >>
%%EOF
"""


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def build(outdir, launchpad, setup, folders, package=True):
    os.makedirs(outdir, exist_ok=True)
    for folder in folders:
        os.makedirs(os.path.join(outdir, "Readmes", folder), exist_ok=True)
        write(os.path.join(outdir, "Readmes", "Readme_%s.TXT" % folder),
              ("Corvane Velto 9.3 release notes (%s)\r\n" % folder).encode("ascii"))
        write(os.path.join(outdir, "docs", "help", folder, "pdf", "velto_qsg.pdf"), MINIMAL_PDF)
        write(os.path.join(outdir, "docs", "help", folder, "q008810_.htm"),
              b"<html><body><h1>Configuring Corvane Velto for Windows domain users</h1></body></html>\r\n")
    msi = os.path.join(outdir, "MSI")
    os.makedirs(msi, exist_ok=True)
    if package:
        write(os.path.join(msi, "Corvane Velto.msi"), b"sample package\r\n")
        for transform in TRANSFORMS:
            write(os.path.join(msi, transform + ".mst"), b"sample transform\r\n")
    if setup:
        shutil.copyfile(setup, os.path.join(msi, "setup.exe"))
    if launchpad:
        shutil.copyfile(launchpad, os.path.join(outdir, "HovraLaunch.exe"))


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("outdir")
    parser.add_argument("--launchpad")
    parser.add_argument("--setup")
    parser.add_argument("--languages", default="en_us")
    parser.add_argument("--no-package", action="store_true")
    args = parser.parse_args(argv)
    folders = [f for f in args.languages.split(",") if f]
    unknown = [f for f in folders if f not in ALL_FOLDERS]
    if unknown:
        parser.error("unknown language folders: " + ", ".join(unknown))
    build(args.outdir, args.launchpad, args.setup, folders, not args.no_package)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
