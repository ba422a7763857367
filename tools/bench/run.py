#!/usr/bin/env python3
"""The launchpad's performance benchmark under Wine and Xvfb: start-up against a bare dialog (the
floor), the second start, memory, the 32-bit program's size, and start-up as the Readmes folder grows.

    python3 tools/bench/run.py [--build-dir DIR] [--runs N] [--no-build] [--symbols]

It builds what it needs (the x64 launchpad, the timer and the floor program in DIR/x64, the x86
launchpad in DIR/x86), makes sample media, runs every measurement in one plan through the timer
(tools/bench/timer.cpp), interleaved, and prints a Markdown report, also written to
DIR/bench/results.md (the raw result lines go to DIR/bench/results.txt, the settled screen image of
each program to DIR/bench/captures/). DIR defaults to build/bench.

Without a DISPLAY it starts a private Xvfb. The Wine prefix is HOVRA_WINEPREFIX, or DIR/prefix.
--symbols also builds an unstripped copy of the 32-bit program with the release flags and lists
its largest symbols and what each library contributes.
See docs/performance.md for the method and the figures.
"""
import argparse
import os
import platform
import re
import shutil
import statistics
import struct
import subprocess
import sys

SOURCE_DIR = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
sys.path.insert(0, os.path.join(SOURCE_DIR, "tools", "media"))
sys.path.insert(0, os.path.join(SOURCE_DIR, "tools", "lib"))
import make_sample_media  # noqa: E402
# The display, the loaders and Windows paths, shared with the end-to-end tests.
from winenv import WINE64, WINESERVER, Display, windows_path  # noqa: E402
MAIN_TITLE = "Corvane Velto Version 9.3"
FLOOR_TITLE = "Hovra bench floor"
README_SIZES = (1, 100, 10000)

# Goals.
MAX_START_RATIO = 1.15
MAX_CODE = 256 * 1024
MAX_PROGRAM = 1.2 * 1024 * 1024
MAX_MEMORY_RATIO = 1.3
MAX_README_SHARE = 0.10


def run(cmd, **kwargs):
    return subprocess.run(cmd, check=True, **kwargs)


def output(cmd):
    return subprocess.run(cmd, check=True, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                          universal_newlines=True).stdout


# ---------------------------------------------------------------------------------------------
# Building


def configure(preset, binary_dir):
    if not os.path.exists(os.path.join(binary_dir, "CMakeCache.txt")):
        run(["cmake", "--preset", preset, "-B", binary_dir], cwd=SOURCE_DIR, stdout=subprocess.DEVNULL)


def build(build_dir):
    x64, x86 = os.path.join(build_dir, "x64"), os.path.join(build_dir, "x86")
    configure("x64", x64)
    run(["cmake", "--build", x64, "-j2", "--target", "HovraLaunch", "benchtimer", "bench_floor"])
    configure("x86", x86)
    run(["cmake", "--build", x86, "-j2", "--target", "HovraLaunch"])


def build_symbols(build_dir):
    """The 32-bit program with the release flags, not stripped, with a link map."""
    directory = os.path.join(build_dir, "x86-symbols")
    link_map = os.path.join(directory, "HovraLaunch.map")
    flags = output(["cmake", "-LA", "-N", os.path.join(build_dir, "x86")])
    release = re.search(r"^CMAKE_CXX_FLAGS_RELEASE:STRING=(.*)$", flags, re.M).group(1)
    # A build type of its own has the release flags but not the release link's -s.
    run(["cmake", "-S", SOURCE_DIR, "-B", directory, "--toolchain",
         os.path.join(SOURCE_DIR, "cmake", "toolchain-i686.cmake"), "-DCMAKE_BUILD_TYPE=BenchSymbols",
         "-DCMAKE_CXX_FLAGS_BENCHSYMBOLS=" + release, "-DCMAKE_C_FLAGS_BENCHSYMBOLS=" + release,
         "-DHOVRA_BUILD_TESTS=OFF", "-DCMAKE_EXE_LINKER_FLAGS=-Wl,-Map=" + link_map], stdout=subprocess.DEVNULL)
    run(["cmake", "--build", directory, "-j2", "--target", "HovraLaunch"])
    return os.path.join(directory, "HovraLaunch.exe"), link_map


# ---------------------------------------------------------------------------------------------
# Footprint of the 32-bit program

RESOURCE_TYPES = {1: "CURSOR", 2: "BITMAP", 3: "ICON", 4: "MENU", 5: "DIALOG", 6: "STRING", 9: "ACCELERATOR",
                  10: "RCDATA", 12: "GROUP_CURSOR", 14: "GROUP_ICON", 16: "VERSION", 24: "MANIFEST"}


def sections(exe):
    """(name, size) of each section, as objdump names them."""
    found = []
    for line in output(["i686-w64-mingw32-objdump", "-h", exe]).splitlines():
        m = re.match(r"\s*\d+\s+(\S+)\s+([0-9a-f]+)\s", line)
        if m:
            found.append((m.group(1), int(m.group(2), 16)))
    return found


def resources(exe):
    """(type, name, language, size) of every resource in the PE file."""
    with open(exe, "rb") as f:
        data = f.read()
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    n_sections, optional_size = struct.unpack_from("<H", data, pe + 6)[0], struct.unpack_from("<H", data, pe + 20)[0]
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    directories = optional + (96 if magic == 0x10B else 112)
    rsrc_rva = struct.unpack_from("<I", data, directories + 2 * 8)[0]
    table = optional + optional_size
    section_map = []
    for i in range(n_sections):
        virtual_size, rva, raw_size, raw = struct.unpack_from("<IIII", data, table + 40 * i + 8)
        section_map.append((rva, max(virtual_size, raw_size), raw))

    def offset(rva):
        for start, size, raw in section_map:
            if start <= rva < start + size:
                return raw + rva - start
        raise ValueError("RVA outside the sections")

    base = offset(rsrc_rva)

    def entries(directory):
        named, ids = struct.unpack_from("<HH", data, base + directory + 12)
        for i in range(named + ids):
            name, target = struct.unpack_from("<II", data, base + directory + 16 + 8 * i)
            if name & 0x80000000:
                length = struct.unpack_from("<H", data, base + (name & 0x7FFFFFFF))[0]
                start = base + (name & 0x7FFFFFFF) + 2
                name = data[start:start + 2 * length].decode("utf-16-le")
            yield name, target

    found = []
    for rtype, level2 in entries(0):
        for name, level3 in entries(level2 & 0x7FFFFFFF):
            for language, leaf in entries(level3 & 0x7FFFFFFF):
                size = struct.unpack_from("<I", data, base + leaf + 4)[0]
                found.append((RESOURCE_TYPES.get(rtype, str(rtype)), name, language, size))
    return found


def footprint(exe):
    sizes = dict(sections(exe))
    return {
        "file": os.path.getsize(exe),
        "sections": sections(exe),
        "code": sizes.get(".text", 0),
        "data": sum(sizes.get(name, 0) for name in (".data", ".rdata", ".bss")),
        "eh_frame": sizes.get(".eh_fram", 0) + sizes.get(".eh_frame", 0),
        "rsrc": sizes.get(".rsrc", 0),
        "resources": resources(exe),
    }


def link_map_sizes(link_map):
    """Bytes per (output section, library, member) from a GNU ld map, input sections as placed."""
    sizes = {}
    started, section, pending = False, None, None
    with open(link_map, errors="replace") as f:
        for line in f:
            line = line.rstrip("\n")
            if not started:  # the list of discarded sections comes first
                started = line.startswith("Linker script and memory map")
                continue
            m = re.match(r"^(\.\S+)(\s+0x[0-9a-f]+\s+0x[0-9a-f]+)?\s*$", line)
            if m:
                section, pending = m.group(1), None
                continue
            m = re.match(r"^ (\.\S+|COMMON)\s*$", line)
            if m:  # a long input section name; its address, size and origin follow on the next line
                pending = m.group(1)
                continue
            m = re.match(r"^ (?:\.\S+|COMMON)\s+0x[0-9a-f]+\s+(0x[0-9a-f]+)\s+(\S.*)$", line)
            if not m and pending:
                m = re.match(r"^\s+0x[0-9a-f]+\s+(0x[0-9a-f]+)\s+(\S.*)$", line)
            pending = None
            if m and section:
                origin = re.match(r"^(.*?)(?:\((.*)\))?$", m.group(2).strip())
                key = (section, os.path.basename(origin.group(1)), origin.group(2) or "")
                sizes[key] = sizes.get(key, 0) + int(m.group(1), 16)
    return sizes


def symbol_report(exe, link_map, top=25):
    sizes = link_map_sizes(link_map)
    lines = ["", "### What makes up the 32-bit program's sections (link map of an unstripped build, release flags)", "",
             "| section | library or object | bytes |", "|---|---|---:|"]
    per_library = {}
    for (section, library, _), size in sizes.items():
        per_library[(section, library)] = per_library.get((section, library), 0) + size
    for section in (".text", ".rdata", ".data", ".eh_frame"):
        rows = sorted(((lib, size) for (sec, lib), size in per_library.items() if sec == section), key=lambda r: -r[1])
        for library, size in rows[:6]:
            lines.append("| %s | %s | %d |" % (section, library, size))
    lines += ["", "Largest members in .text:", "", "| bytes | member |", "|---:|---|"]
    members = sorted(((size, library, member) for (section, library, member), size in sizes.items()
                      if section == ".text"), reverse=True)
    for size, library, member in members[:top]:
        lines.append("| %d | %s%s |" % (size, library, "(%s)" % member if member else ""))
    lines += ["", "Largest functions and data (nm --size-sort; PE symbols have no size, so each is the distance to "
              "the next symbol):", "", "| bytes | type | symbol |", "|---:|---|---|"]
    count = 0
    for line in output(["i686-w64-mingw32-nm", "--size-sort", "-S", "-C", "--reverse-sort", exe]).splitlines():
        parts = line.split(None, 3)
        if len(parts) == 4 and parts[2] in "TtDdRrBbW" and not parts[3].startswith("."):
            lines.append("| %d | %s | `%s` |" % (int(parts[1], 16), parts[2], parts[3].replace("|", "\\|")))
            count += 1
            if count == top:
                break
    return lines


# ---------------------------------------------------------------------------------------------
# Media


def make_media(root, launchpad, floor):
    """The sample media (English), and one copy per Readmes size with exactly that many entries."""
    shutil.rmtree(root, ignore_errors=True)
    media = {}
    standard = os.path.join(root, "standard")
    make_sample_media.build(standard, launchpad, None, ["en_us"])
    shutil.copyfile(floor, os.path.join(standard, "bench_floor.exe"))
    media["standard"] = standard
    for count in README_SIZES:
        directory = os.path.join(root, "readmes-%d" % count)
        make_sample_media.build(directory, launchpad, None, ["en_us"])
        readmes = os.path.join(directory, "Readmes")
        present = os.listdir(readmes)  # the language folder and its release notes
        if count < len(present):
            os.remove(os.path.join(readmes, "Readme_en_us.TXT"))
            present = os.listdir(readmes)
        for i in range(count - len(present)):
            with open(os.path.join(readmes, "Notes_%05d.TXT" % i), "wb") as f:
                f.write(b"notes\r\n")
        assert len(os.listdir(readmes)) == count
        media["readmes-%d" % count] = directory
    return media


# ---------------------------------------------------------------------------------------------
# The plan and its results


def plan_lines(media, runs):
    """Rounds of floor, launchpad (then its second start), and the launchpad on each Readmes media.

    Every comparison is made within a round, so that the load of the shared machine, which changes
    over minutes, weighs on both sides of each ratio alike.
    """
    def start(kind, label, title, directory, program, args=""):
        line = '"%s\\%s"' % (windows_path(directory), program) + (" " + args if args else "")
        return "\t".join([kind, label, title, windows_path(directory), line])

    standard = media["standard"]
    floor = start("start", "floor", FLOOR_TITLE, standard, "bench_floor.exe", FLOOR_TITLE)
    # The launchpad's start-up, then a second start while it runs.
    launch = start("second", "launchpad", MAIN_TITLE, standard, "HovraLaunch.exe")
    lines = ["set\tsettle_ms\t500", "set\tpoll_ms\t2", "set\tgap_ms\t300", "set\ttimeout_ms\t30000"]
    # Warming up: the files are in the page cache and Wine's helpers are up before anything counts.
    lines += [floor.replace("\tfloor\t", "\twarm-floor\t"), launch.replace("\tlaunchpad\t", "\twarm-launchpad\t")] * 2
    for _ in range(runs):
        lines += [floor, launch]
        for count in README_SIZES:
            lines.append(start("start", "readmes-%d" % count, MAIN_TITLE, media["readmes-%d" % count],
                               "HovraLaunch.exe"))
    return lines


def parse_results(path):
    results = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            fields = dict(item.split("=", 1) for item in line.split())
            results.append(fields)
    return results


def values(results, label, key):
    return [float(r[key]) for r in results if r["label"] == label and r["ok"] == "1"]


def paired(results, label_a, key_a, label_b, key_b):
    """(a, b) for each round in which both runs succeeded; runs are matched by their number."""
    by_run = {}
    for r in results:
        if r["ok"] == "1":
            by_run[(r["label"], r["run"])] = r
    pairs = []
    for (label, run), r in sorted(by_run.items()):
        if label == label_a and (label_b, run) in by_run:
            pairs.append((float(r[key_a]), float(by_run[(label_b, run)][key_b])))
    return pairs


def quartiles(data):
    if len(data) < 2:
        return data[0], data[0]
    q = statistics.quantiles(data, n=4, method="inclusive")
    return q[0], q[2]


def summary_row(name, data):
    p25, p75 = quartiles(data)
    return "| %s | %d | %.0f | %.0f–%.0f | %.0f | %.0f |" % (name, len(data), statistics.median(data), p25, p75,
                                                          min(data), max(data))


def verdict(ok):
    return "met" if ok else "**not met**"


def kib(n):
    return "%.1f KiB" % (n / 1024.0)


def machine():
    model = ""
    for line in output(["lscpu"]).splitlines():
        if line.startswith("Model name:"):
            model = line.split(":", 1)[1].strip()
    wine = output([WINE64, "--version"]).strip()
    return "%s cores (%s), %s, Linux %s, load average at start %s" % (
        os.cpu_count(), model, wine, platform.release(), " ".join("%.2f" % v for v in os.getloadavg()))


def report(results, fp, media_note, machine_line):
    out = ["# Benchmark results", "", "Machine: " + machine_line + ".",
           "Load average when the report was written: %s." % " ".join("%.2f" % v for v in os.getloadavg()), ""]
    failed = [r for r in results if r["ok"] != "1"]
    if failed:
        out += ["**%d run(s) failed:** %s" % (len(failed), "; ".join(
            "%s run %s: %s" % (r["label"], r["run"], r.get("reason", "?")) for r in failed)), ""]

    floor, launch = values(results, "floor", "painted_ms"), values(results, "launchpad", "painted_ms")
    ratios = [l / f for l, f in paired(results, "launchpad", "painted_ms", "floor", "painted_ms")]
    out += ["## Start-up: process creation to the main window visible and painted (ms)", "",
            "%d rounds after two warm-up runs of each program; each round starts the floor, then the launchpad, "
            "then the launchpad on each Readmes media." % len([r for r in results if r["label"] == "floor"]), "",
            "| program | runs | median | interquartile | min | max |", "|---|---:|---:|---:|---:|---:|",
            summary_row("floor: bare dialog", floor), summary_row("HovraLaunch (x64)", launch),
            summary_row("floor: window found visible", values(results, "floor", "found_ms")),
            summary_row("HovraLaunch: window found visible", values(results, "launchpad", "found_ms")), ""]
    if ratios:
        p25, p75 = quartiles(ratios)
        ratio = statistics.median(ratios)
        out += ["Median of the %d ratios HovraLaunch / floor within a round: **%.2f** (interquartile %.2f–%.2f); "
                "goal at most %.2f: %s." % (len(ratios), ratio, p25, p75, MAX_START_RATIO,
                                            verdict(ratio <= MAX_START_RATIO)), ""]

    second = values(results, "launchpad", "second_ms")
    if second:
        checks = [r for r in results if r["label"] == "launchpad" and r["ok"] == "1"]
        brought = sum(1 for r in checks if r["foreground"] == "1" and r["windows_after"] == "1"
                      and r["first_runs"] == "1")
        second_ratios = [a / b for a, b in paired(results, "launchpad", "second_ms", "floor", "painted_ms")]
        ratio = statistics.median(second_ratios)
        out += ["## Second start: creation of a second launchpad to its exit, the first running (ms)", "",
                "| | runs | median | interquartile | min | max |", "|---|---:|---:|---:|---:|---:|",
                summary_row("second start", second), "",
                "In %d of %d runs the first launchpad was in front afterwards, still running, with one main window. "
                "Median of the ratios second start / floor start-up within a round: **%.2f**; goal at most 1.00: %s."
                % (brought, len(checks), ratio, verdict(ratio <= 1.0)), ""]

    out += ["## Footprint", "", "### Memory after start-up (K32GetProcessMemoryInfo from the timer, KiB, median)", "",
            "| program | working set | private (PagefileUsage) |", "|---|---:|---:|"]
    memory = {}
    for name, label in (("floor", "floor"), ("HovraLaunch (x64)", "launchpad")):
        ws, private = values(results, label, "ws_kb"), values(results, label, "pagefile_kb")
        if ws and private:
            memory[label] = (statistics.median(ws), statistics.median(private))
            out.append("| %s | %.0f | %.0f |" % (name, memory[label][0], memory[label][1]))
    if len(memory) == 2:
        ws_ratio = memory["launchpad"][0] / memory["floor"][0]
        private_ratio = memory["launchpad"][1] / memory["floor"][1]
        out += ["", "HovraLaunch / floor: working set **%.2f**, private **%.2f**; goal at most %.2f: working set %s, "
                "private %s. Wine answers for another process with VmRSS as the working set and RssAnon + VmSwap as "
                "PagefileUsage (PrivateUsage stays 0); see docs/performance.md for what they include." % (
                    ws_ratio, private_ratio, MAX_MEMORY_RATIO, verdict(ws_ratio <= MAX_MEMORY_RATIO),
                    verdict(private_ratio <= MAX_MEMORY_RATIO))]

    out += ["", "### The 32-bit program, build/x86/HovraLaunch.exe (preset x86)", "",
            "| part | bytes | | goal |", "|---|---:|---:|---|",
            "| whole file | %d | %s | at most 1.2 MiB (%d): %s |" % (fp["file"], kib(fp["file"]), MAX_PROGRAM,
                                                                     verdict(fp["file"] <= MAX_PROGRAM)),
            "| code (.text) | %d | %s | at most 256 KiB: %s |" % (fp["code"], kib(fp["code"]),
                                                                 verdict(fp["code"] <= MAX_CODE)),
            "| data (.data + .rdata + .bss) | %d | %s | |" % (fp["data"], kib(fp["data"])),
            "| unwind tables (.eh_frame) | %d | %s | |" % (fp["eh_frame"], kib(fp["eh_frame"])),
            "| resources (.rsrc) | %d | %s | |" % (fp["rsrc"], kib(fp["rsrc"])), "",
            "Every section: " + ", ".join("%s %d" % (name, size) for name, size in fp["sections"]) + ".", "",
            "| resource type | count | bytes |", "|---|---:|---:|"]
    per_type = {}
    for rtype, _, _, size in fp["resources"]:
        count, total = per_type.get(rtype, (0, 0))
        per_type[rtype] = (count + 1, total + size)
    for rtype, (count, total) in sorted(per_type.items(), key=lambda item: -item[1][1]):
        out.append("| %s | %d | %d |" % (rtype, count, total))
    out += ["", "Largest resources: " + ", ".join(
        "%s %s/%s %d" % (t, n, l, s) for t, n, l, s in sorted(fp["resources"], key=lambda r: -r[3])[:8]) + ".", ""]

    out += ["## Work that grows: start-up with N entries in Readmes\\ (ms)", "", media_note, "",
            "| entries | runs | median | interquartile | min | max |", "|---|---:|---:|---:|---:|---:|"]
    for count in README_SIZES:
        data = values(results, "readmes-%d" % count, "painted_ms")
        if data:
            out.append(summary_row(str(count), data))
    base = "readmes-%d" % README_SIZES[0]
    out.append("")
    share_at_most = None
    for count in README_SIZES[1:]:
        pairs = paired(results, "readmes-%d" % count, "painted_ms", base, "painted_ms")
        if not pairs:
            continue
        cost = statistics.median([n - one for n, one in pairs])
        share = statistics.median([(n - one) / one for n, one in pairs])
        share_at_most = share
        out.append("- %d entries: median cost over 1 entry within a round %+.0f ms, %.1f %% of start-up, %.1f µs per "
                   "added entry." % (count, cost, 100 * share, 1000 * cost / (count - 1)))
    if share_at_most is not None:
        out += ["", "Goal: below %d %% at %d entries: %s." % (100 * MAX_README_SHARE, README_SIZES[-1],
                                                               verdict(share_at_most < MAX_README_SHARE))]
    return out


def measure(work, build_dir, launchpad, x64_tools, runs, results_path):
    media = make_media(os.path.join(work, "media"), launchpad, os.path.join(x64_tools, "bench_floor.exe"))
    plan = os.path.join(work, "plan.txt")
    lines = plan_lines(media, runs)
    with open(plan, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(lines) + "\n")
    captures = os.path.join(work, "captures")
    shutil.rmtree(captures, ignore_errors=True)
    os.makedirs(captures)

    env = dict(os.environ, WINEDEBUG="-all")
    env.setdefault("HOVRA_WINEPREFIX", os.path.join(build_dir, "prefix"))
    with Display() as display:
        env["DISPLAY"] = display.name
        timer = [os.path.join(SOURCE_DIR, "tools", "wine-run.sh"), os.path.join(x64_tools, "benchtimer.exe"),
                 windows_path(plan), windows_path(results_path), windows_path(captures)]
        print("benchmark: %d runs of each measurement; results in %s" % (runs, results_path), flush=True)
        try:
            with open(os.path.join(work, "timer.log"), "wb") as log:
                subprocess.run(timer, env=env, stdout=log, stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL,
                               timeout=120 + 15 * len(lines))
        finally:
            subprocess.run([WINESERVER, "-k"], env=dict(env, WINEPREFIX=env["HOVRA_WINEPREFIX"]),
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build-dir", default=os.path.join(SOURCE_DIR, "build", "bench"))
    parser.add_argument("--runs", type=int, default=20)
    parser.add_argument("--no-build", action="store_true", help="use what DIR already holds")
    parser.add_argument("--symbols", action="store_true", help="also list the 32-bit program's largest symbols")
    parser.add_argument("--report-only", action="store_true", help="write the report from the last results again")
    args = parser.parse_args(argv)
    build_dir = os.path.abspath(args.build_dir)
    work = os.path.join(build_dir, "bench")
    os.makedirs(work, exist_ok=True)

    if not args.no_build and not args.report_only:
        build(build_dir)
    x64_tools = os.path.join(build_dir, "x64", "tools")
    launchpad = os.path.join(build_dir, "x64", "HovraLaunch.exe")
    fp = footprint(os.path.join(build_dir, "x86", "HovraLaunch.exe"))
    machine_path = os.path.join(work, "machine.txt")
    if not args.report_only:
        with open(machine_path, "w") as f:
            f.write(machine())
    with open(machine_path) as f:
        machine_line = f.read().strip()

    media_note = ("The sample media's Readmes\\ holds the English folder; the 1-entry media holds only it, the "
                  "others the folder, its release notes and small files up to the count.")
    results_path = os.path.join(work, "results.txt")
    if not args.report_only:
        measure(work, build_dir, launchpad, x64_tools, args.runs, results_path)

    lines = report(parse_results(results_path), fp, media_note, machine_line)
    if args.symbols:
        lines += symbol_report(*build_symbols(build_dir))
    text = "\n".join(lines) + "\n"
    with open(os.path.join(work, "results.md"), "w", encoding="utf-8") as f:
        f.write(text)
    sys.stdout.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
