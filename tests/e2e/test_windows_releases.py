#!/usr/bin/env python3
"""The real probes under Wine's emulation of Windows releases and a real registry.

Wine emulates a release with `winecfg /v`; Windows 11 and the 10.0 servers are Windows 10 with the
product type and the version key's values written with `reg add`. The probe program runs the
launchpad's identification and prints the entry, the warning, the test result and the text.
This is the 64-bit build: it always runs on 64-bit Windows, so the x64 entries are the answers.
"""
import os
import re
import sys

sys.path.insert(0, os.path.dirname(__file__))
import harness  # noqa: E402
from harness import check  # noqa: E402

TOOLS = os.path.dirname(harness.UIDRIVER)
OSPROBE = os.path.join(TOOLS, "osprobe.exe")
OSPROBE_LEGACY = os.path.join(TOOLS, "osprobe_legacy.exe")

VERSION_KEY = r"HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion"
PRODUCT_KEY = r"HKLM\System\CurrentControlSet\Control\ProductOptions"

# release, expected entry, warning due
RELEASES = [
    ("win10", 24, False),
    ("win81", 20, False),
    ("win8", 16, False),
    ("win7", 12, False),
    ("win2008r2", 14, False),
    ("vista", 9, False),
    ("win2008", 10, False),
    ("win2003", 6, False),
    ("winxp64", 5, False),
    # Older than XP x64: winecfg refuses them in a 64-bit prefix; the per-user version setting works.
    ("winxp", 2, False),
    ("win2k", 3, True),
    ("nt40", 4, True),
]
WINECFG_REFUSES = {"winxp", "win2k", "nt40"}

# On Windows 10: name, product type, values of the version key (name: (type, data)), entry
SERVER = "ServerNT"
WORKSTATION = "WinNT"
REGISTRY_CASES = [
    ("Windows 11", WORKSTATION, {"CurrentBuild": ("REG_SZ", "22000"), "InstallationType": ("REG_SZ", "Client")}, 27),
    ("Server 2022", SERVER, {"CurrentBuild": ("REG_SZ", "20348"), "InstallationType": ("REG_SZ", "Server"),
                             "ReleaseId": ("REG_SZ", "2009")}, 26),
    ("later server build", SERVER, {"CurrentBuild": ("REG_SZ", "26100"),
                                    "InstallationType": ("REG_SZ", "Server Core")}, 26),
    ("Server 2019", SERVER, {"CurrentBuild": ("REG_SZ", "17763"), "InstallationType": ("REG_SZ", "Server"),
                             "ReleaseId": ("REG_SZ", "1809")}, 25),
    ("Server 2016", SERVER, {"CurrentBuild": ("REG_SZ", "14393"), "InstallationType": ("REG_SZ", "Server"),
                             "ReleaseId": ("REG_SZ", "1607")}, 23),
    ("server, ReleaseId missing", SERVER, {"CurrentBuild": ("REG_SZ", "17763")}, 23),
    ("server, ReleaseId without digits", SERVER, {"ReleaseId": ("REG_SZ", "H2")}, 23),
    ("server, ReleaseId of 300 digits", SERVER, {"ReleaseId": ("REG_SZ", "9" * 300)}, 23),
    ("2022 build, InstallationType missing", SERVER, {"CurrentBuild": ("REG_SZ", "20348")}, 23),
    ("22000, installation type in lower case", WORKSTATION,
     {"CurrentBuild": ("REG_SZ", "22000"), "InstallationType": ("REG_SZ", "client")}, 26),
    ("CurrentBuild as REG_DWORD", WORKSTATION,
     {"CurrentBuild": ("REG_DWORD", "22000"), "InstallationType": ("REG_SZ", "Client")}, 24),
    ("CurrentBuild of 300 digits", WORKSTATION,
     {"CurrentBuild": ("REG_SZ", "9" * 300), "InstallationType": ("REG_SZ", "Client")}, 24),
]


def probe(wine, program=OSPROBE):
    out = wine.run(program).stdout.decode("utf-8", "replace").strip()
    match = re.match(r"entry=(\d+) warning=(\d) status=(\d+) version=(\d+)\.(\d+) text=(.*)", out)
    check(match, "probe answered: %r" % out)
    return {"entry": int(match.group(1)), "warning": match.group(2) == "1", "status": int(match.group(3)),
            "version": (int(match.group(4)), int(match.group(5))), "text": match.group(6), "raw": out}


def reg(wine, *args):
    result = wine.run("reg", list(args))
    if result.returncode != 0:
        print("reg %s: %s" % (" ".join(args)[:120], result.stdout.decode("utf-8", "replace").strip()))
    return result.returncode == 0


def reg_quiet(wine, *args):
    """For deleting what may not be there."""
    wine.run("reg", list(args))


def set_release(wine, release):
    if release in WINECFG_REFUSES:
        check(reg(wine, "add", r"HKCU\Software\Wine", "/v", "Version", "/d", release, "/f"), "version " + release)
        return
    reg_quiet(wine, "delete", r"HKCU\Software\Wine", "/v", "Version", "/f")
    result = wine.run("winecfg", ["/v", release])
    check(result.returncode == 0, "winecfg /v %s" % release)


def test_releases():
    failures = []
    with harness.Display() as display, harness.Wine("releases", display) as wine:
        for release, entry, warning in RELEASES:
            set_release(wine, release)
            answer = probe(wine)
            if answer["entry"] != entry or answer["warning"] != warning or answer["status"] != 1:
                failures.append("%s: %s (expected entry %d, warning %s)" % (release, answer["raw"], entry, warning))
    check(not failures, "\n".join(failures))


def test_registry_and_product_type():
    failures = []
    with harness.Display() as display, harness.Wine("registry", display) as wine:
        set_release(wine, "win10")
        for name, product, values, entry in REGISTRY_CASES:
            for value in ("CurrentBuild", "InstallationType", "ReleaseId"):
                reg_quiet(wine, "delete", VERSION_KEY, "/v", value, "/f")
            check(reg(wine, "add", PRODUCT_KEY, "/v", "ProductType", "/d", product, "/f"), "product type")
            for value, (kind, data) in values.items():
                check(reg(wine, "add", VERSION_KEY, "/v", value, "/t", kind, "/d", data, "/f"), "reg add " + value)
            answer = probe(wine)
            if answer["entry"] != entry or answer["version"] != (10, 0):
                failures.append("%s: %s (expected entry %d)" % (name, answer["raw"], entry))
    check(not failures, "\n".join(failures))


def test_manifest_decides_the_version():
    with harness.Display() as display, harness.Wine("manifest", display) as wine:
        for release, version, legacy_entry in (("win10", (10, 0), 16), ("win81", (6, 3), 16)):
            set_release(wine, release)
            full = probe(wine)
            check(full["version"] == version, "%s with the launchpad's manifest: %s" % (release, full["raw"]))
            legacy = probe(wine, OSPROBE_LEGACY)
            check(legacy["version"] == (6, 2) and legacy["entry"] == legacy_entry,
                  "%s without the 8.1 and 10 identifiers drops to 6.2: %s" % (release, legacy["raw"]))


if __name__ == "__main__":
    sys.exit(harness.run_tests([("releases", test_releases),
                                ("registry values and product type", test_registry_and_product_type),
                                ("the manifest decides the version", test_manifest_decides_the_version)]))
