#!/usr/bin/env python3
"""Check the generated HovraLaunch images.

Usage: python3 tests/check_artwork.py [imagedir]

Parses every bitmap, icon and cursor and asserts the file layout the
resource script relies on (sizes, bit depths, header sizes, palettes,
directory entries, hotspot).  It also regenerates the artwork twice into
temporary directories and confirms the output is byte-identical to the
files being checked.
"""

import filecmp
import os
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
REPO_ROOT = os.path.dirname(HERE)

VGA16 = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00),
    (0x80, 0x80, 0x00), (0x00, 0x00, 0x80), (0x80, 0x00, 0x80),
    (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0), (0x80, 0x80, 0x80),
    (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF),
    (0xFF, 0xFF, 0xFF)]

FILES = ["banner.bmp", "led.bmp", "led_red.bmp", "led_green.bmp",
         "app.ico", "warning.ico", "expand.ico", "collapse.ico",
         "info.ico", "hand.cur"]


class CheckError(Exception):
    pass


def expect(condition, message):
    if not condition:
        raise CheckError(message)


def stride(width, bpp):
    return ((width * bpp + 31) // 32) * 4


def parse_info_header(data, offset):
    fields = struct.unpack_from("<IiiHHIIiiII", data, offset)
    names = ("size", "width", "height", "planes", "bpp", "compression",
             "image_size", "xppm", "yppm", "clr_used", "clr_important")
    return dict(zip(names, fields))


def read_palette(data, offset, count):
    return [(data[offset + 4 * i + 2], data[offset + 4 * i + 1],
             data[offset + 4 * i]) for i in range(count)]


def read_pixels(data, offset, width, height, bpp):
    """Top-down rows of pixel values from a bottom-up DIB pixel array."""
    line = stride(width, bpp)
    rows = []
    for y in range(height):
        start = offset + (height - 1 - y) * line
        raw = data[start:start + line]
        row = []
        for x in range(width):
            if bpp == 24:
                b, g, r = raw[3 * x:3 * x + 3]
                row.append((r, g, b))
            elif bpp == 32:
                b, g, r, a = raw[4 * x:4 * x + 4]
                row.append((r, g, b, a))
            elif bpp == 8:
                row.append(raw[x])
            else:
                bit = x * bpp
                byte = raw[bit // 8]
                shift = 8 - bpp - bit % 8
                row.append((byte >> shift) & ((1 << bpp) - 1))
        rows.append(row)
    return rows


# ---------------------------------------------------------------------------

def check_bmp(path, width, height, bpp):
    data = open(path, "rb").read()
    magic, file_size, _, _, offset = struct.unpack_from("<2sIHHI", data, 0)
    expect(magic == b"BM", "not a BMP file")
    expect(file_size == len(data), "file size field %d != %d"
           % (file_size, len(data)))
    info = parse_info_header(data, 14)
    expect(info["size"] == 40, "header size %d" % info["size"])
    expect((info["width"], info["height"]) == (width, height),
           "size %dx%d" % (info["width"], info["height"]))
    expect(info["planes"] == 1, "planes %d" % info["planes"])
    expect(info["bpp"] == bpp, "bit depth %d" % info["bpp"])
    expect(info["compression"] == 0, "compressed")
    colours = 0
    if bpp <= 8:
        colours = info["clr_used"] or (1 << bpp)
        expect(colours == 1 << bpp, "palette of %d entries" % colours)
    expect(offset == 14 + 40 + 4 * colours, "pixel offset %d" % offset)
    expect(len(data) == offset + stride(width, bpp) * height,
           "pixel array size")
    palette = read_palette(data, 54, colours) if colours else None
    return palette, read_pixels(data, offset, width, height, bpp)


def check_white_keyed_light(rows):
    """White (FFFFFF) must only occur as background connected to the
    border; the light itself uses FEFEFE for its brightest pixels."""
    h, w = len(rows), len(rows[0])
    white = (255, 255, 255)
    seen = set()
    todo = [(x, y) for y in range(h) for x in range(w)
            if (x in (0, w - 1) or y in (0, h - 1)) and rows[y][x] == white]
    expect(len(todo) == 2 * (w + h) - 4, "border is not all white")
    while todo:
        x, y = todo.pop()
        if (x, y) in seen:
            continue
        seen.add((x, y))
        for nx, ny in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
            if 0 <= nx < w and 0 <= ny < h and rows[ny][nx] == white:
                todo.append((nx, ny))
    all_white = sum(row.count(white) for row in rows)
    expect(all_white == len(seen), "isolated FFFFFF pixels inside the light")
    expect(rows[h // 2][w // 2] != white, "no light in the centre")
    lit = w * h - all_white
    expect(lit >= 80, "light too small (%d pixels)" % lit)


def check_icon_file(path, resource_type, expected):
    """expected: list of (width, height, bpp[, hotspot]) per image."""
    data = open(path, "rb").read()
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    expect(reserved == 0, "reserved field %d" % reserved)
    expect(kind == resource_type, "type %d, expected %d"
           % (kind, resource_type))
    expect(count == len(expected), "%d images, expected %d"
           % (count, len(expected)))
    next_offset = 6 + 16 * count
    images = []
    for i, want in enumerate(expected):
        width, height, bpp = want[:3]
        (e_w, e_h, e_colours, e_reserved, field1, field2, e_bytes,
         e_offset) = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        where = "image %d: " % i
        expect((e_w or 256, e_h or 256) == (width, height),
               where + "entry size %dx%d" % (e_w, e_h))
        expect(e_reserved == 0, where + "entry reserved field")
        if resource_type == 1:
            expect(e_colours == (16 if bpp == 4 else 0),
                   where + "colour count %d" % e_colours)
            expect((field1, field2) == (1, bpp),
                   where + "planes/bitcount %d/%d" % (field1, field2))
        else:
            expect((field1, field2) == want[3],
                   where + "hotspot %d,%d" % (field1, field2))
        expect(e_offset == next_offset, where + "offset %d, expected %d"
               % (e_offset, next_offset))
        info = parse_info_header(data, e_offset)
        expect(info["size"] == 40, where + "header size %d" % info["size"])
        expect((info["width"], info["height"]) == (width, 2 * height),
               where + "header size %dx%d" % (info["width"], info["height"]))
        expect(info["planes"] == 1, where + "planes %d" % info["planes"])
        expect(info["bpp"] == bpp, where + "bit depth %d" % info["bpp"])
        expect(info["compression"] == 0, where + "compressed")
        colours = 0
        if bpp <= 8:
            colours = info["clr_used"] or (1 << bpp)
            expect(colours == 1 << bpp, where + "palette %d" % colours)
        xor_offset = e_offset + 40 + 4 * colours
        and_offset = xor_offset + stride(width, bpp) * height
        end = and_offset + stride(width, 1) * height
        expect(e_bytes == end - e_offset, where + "byte count %d, expected %d"
               % (e_bytes, end - e_offset))
        palette = read_palette(data, e_offset + 40, colours)
        xor = read_pixels(data, xor_offset, width, height, bpp)
        and_mask = read_pixels(data, and_offset, width, height, 1)
        images.append((palette, xor, and_mask))
        next_offset = end
    expect(next_offset == len(data), "trailing or missing data")
    return images


def check_transparency(palette, xor, and_mask, bpp):
    """Masked pixels must leave the screen untouched (XOR value black), and
    an icon must have both opaque and transparent pixels."""
    opaque = sum(row.count(0) for row in and_mask)
    total = len(and_mask) * len(and_mask[0])
    expect(0 < opaque < total, "mask is all or nothing")
    for row, mrow in zip(xor, and_mask):
        for value, m in zip(row, mrow):
            if bpp == 32:
                expect((m == 1) == (value[3] == 0),
                       "AND mask disagrees with alpha")
                if m:
                    expect(value == (0, 0, 0, 0), "masked pixel not zero")
            elif m:
                expect(palette[value] == (0, 0, 0), "masked pixel not black")


# ---------------------------------------------------------------------------

def check_all(imagedir):
    def path(name):
        return os.path.join(imagedir, name)

    check_bmp(path("banner.bmp"), 736, 72, 24)

    palette, _ = check_bmp(path("led.bmp"), 48, 128, 4)
    expect(palette == VGA16, "led.bmp palette is not the VGA palette")

    for name in ("led_red.bmp", "led_green.bmp"):
        _, rows = check_bmp(path(name), 18, 14, 24)
        check_white_keyed_light(rows)

    app = check_icon_file(path("app.ico"), 1, [
        (48, 48, 8), (32, 32, 8), (16, 16, 8),
        (64, 64, 32), (48, 48, 32), (32, 32, 32), (16, 16, 32)])
    for (palette, xor, mask), bpp in zip(app, (8, 8, 8, 32, 32, 32, 32)):
        check_transparency(palette, xor, mask, bpp)

    for name, size, bpp in (("warning.ico", 32, 8), ("expand.ico", 16, 8),
                            ("collapse.ico", 16, 8), ("info.ico", 32, 4)):
        (palette, xor, mask), = check_icon_file(path(name), 1,
                                                [(size, size, bpp)])
        check_transparency(palette, xor, mask, bpp)
        if bpp == 4:
            expect(palette == VGA16, name + ": palette is not VGA")
    expand = check_icon_file(path("expand.ico"), 1, [(16, 16, 8)])
    collapse = check_icon_file(path("collapse.ico"), 1, [(16, 16, 8)])
    expect(expand != collapse, "expand and collapse icons are identical")

    (palette, xor, mask), = check_icon_file(path("hand.cur"), 2,
                                            [(32, 32, 1, (5, 1))])
    expect(palette == [(0, 0, 0), (255, 255, 255)],
           "cursor palette %r" % palette)
    expect(mask[1][5] == 0, "hotspot is not on the hand")
    expect(mask[0][0] == 1 and mask[31][31] == 1, "corners not transparent")
    for row, mrow in zip(xor, mask):
        for value, m in zip(row, mrow):
            expect(not (m == 1 and value == 1), "inverted pixels in cursor")


def check_reproducible(imagedir):
    script = os.path.join(REPO_ROOT, "tools", "artwork", "make_artwork.py")
    with tempfile.TemporaryDirectory() as tmp:
        runs = [os.path.join(tmp, "a"), os.path.join(tmp, "b")]
        for outdir in runs:
            subprocess.run([sys.executable, script, outdir], check=True)
        for name in FILES:
            for outdir in runs:
                expect(filecmp.cmp(os.path.join(imagedir, name),
                                   os.path.join(outdir, name), shallow=False),
                       "%s differs from a fresh build" % name)


def main():
    imagedir = (sys.argv[1] if len(sys.argv) > 1
                else os.path.join(REPO_ROOT, "resources", "images"))
    try:
        check_all(imagedir)
        check_reproducible(imagedir)
    except CheckError as e:
        print("FAILED: %s" % e)
        return 1
    for name in FILES:
        print("ok  %-14s %7d bytes"
              % (name, os.path.getsize(os.path.join(imagedir, name))))
    print("all artwork checks passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
