#!/usr/bin/env python3
"""Generate the bitmaps, icons and cursor used by HovraLaunch.

Usage: python3 tools/artwork/make_artwork.py [outdir]

The default output directory is resources/images below the repository root.
Every image is drawn from vector shapes with a small supersampling
rasteriser and written with hand-rolled BMP/ICO/CUR writers, so the output
is identical byte for byte on every run.  The only external tool used is
ImageMagick (/usr/bin/convert), and only to rasterise the banner text with
the DejaVu fonts.
"""

import math
import os
import struct
import subprocess
import sys

CONVERT = "/usr/bin/convert"
FONT_DIR = "/usr/share/fonts/truetype/dejavu"
FONT_BOLD = os.path.join(FONT_DIR, "DejaVuSans-Bold.ttf")
FONT_REGULAR = os.path.join(FONT_DIR, "DejaVuSans.ttf")


# ---------------------------------------------------------------------------
# Colours
# ---------------------------------------------------------------------------

def hex_colour(text):
    """'#RRGGBB' -> (r, g, b) with components 0..255."""
    text = text.lstrip("#")
    return tuple(int(text[i:i + 2], 16) for i in (0, 2, 4))


def mix(c0, c1, t):
    """Linear interpolation between two colours (3 or 4 components)."""
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


# The standard 16-colour VGA palette, in the usual DIB order.
VGA16 = [hex_colour(c) for c in (
    "000000", "800000", "008000", "808000", "000080", "800080", "008080",
    "C0C0C0", "808080", "FF0000", "00FF00", "FFFF00", "0000FF", "FF00FF",
    "00FFFF", "FFFFFF")]

# House colours shared by the banner and the application icon.
NAVY = hex_colour("#0A2350")
DEEP_BLUE = hex_colour("#0F3F86")
MID_BLUE = hex_colour("#1760B0")
TEAL = hex_colour("#0E8C96")
LIGHT_TEAL = hex_colour("#5FD3D0")
PALE_TEAL = hex_colour("#BDECEC")
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)


# ---------------------------------------------------------------------------
# Shapes
#
# Every shape exposes sdf(x, y), a signed distance (negative inside) that is
# 1-Lipschitz, and bounds() -> (x0, y0, x1, y1).  The rasteriser only relies
# on the sign for the supersampled inside test and on the Lipschitz property
# to skip sampling far away from an edge.
# ---------------------------------------------------------------------------

class Shape:
    def sdf(self, x, y):
        raise NotImplementedError

    def bounds(self):
        raise NotImplementedError


class Circle(Shape):
    def __init__(self, cx, cy, r):
        self.cx, self.cy, self.r = cx, cy, r

    def sdf(self, x, y):
        return math.hypot(x - self.cx, y - self.cy) - self.r

    def bounds(self):
        return (self.cx - self.r, self.cy - self.r,
                self.cx + self.r, self.cy + self.r)


class Ellipse(Shape):
    def __init__(self, cx, cy, rx, ry):
        self.cx, self.cy, self.rx, self.ry = cx, cy, rx, ry

    def sdf(self, x, y):
        # Scaled implicit form; its gradient never exceeds 1.
        k = math.hypot((x - self.cx) / self.rx, (y - self.cy) / self.ry)
        return (k - 1.0) * min(self.rx, self.ry)

    def bounds(self):
        return (self.cx - self.rx, self.cy - self.ry,
                self.cx + self.rx, self.cy + self.ry)


class RoundRect(Shape):
    def __init__(self, x0, y0, x1, y1, radius=0.0):
        self.x0, self.y0, self.x1, self.y1 = x0, y0, x1, y1
        self.r = radius

    def sdf(self, x, y):
        cx = (self.x0 + self.x1) / 2.0
        cy = (self.y0 + self.y1) / 2.0
        hx = (self.x1 - self.x0) / 2.0 - self.r
        hy = (self.y1 - self.y0) / 2.0 - self.r
        qx = abs(x - cx) - hx
        qy = abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        inside = min(max(qx, qy), 0.0)
        return outside + inside - self.r

    def bounds(self):
        return (self.x0, self.y0, self.x1, self.y1)


def _segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else ((px - ax) * dx + (py - ay) * dy) / length2
    t = min(1.0, max(0.0, t))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


class Polygon(Shape):
    """Closed polygon, even-odd fill."""

    def __init__(self, points):
        self.pts = [(float(x), float(y)) for x, y in points]

    def sdf(self, x, y):
        pts = self.pts
        n = len(pts)
        dist = float("inf")
        inside = False
        j = n - 1
        for i in range(n):
            xi, yi = pts[i]
            xj, yj = pts[j]
            dist = min(dist, _segment_distance(x, y, xj, yj, xi, yi))
            if (yi > y) != (yj > y):
                if x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                    inside = not inside
            j = i
        return -dist if inside else dist

    def bounds(self):
        xs = [p[0] for p in self.pts]
        ys = [p[1] for p in self.pts]
        return (min(xs), min(ys), max(xs), max(ys))


class Line(Shape):
    """Thick line segment with round caps."""

    def __init__(self, x0, y0, x1, y1, width):
        self.a = (x0, y0)
        self.b = (x1, y1)
        self.hw = width / 2.0

    def sdf(self, x, y):
        return _segment_distance(x, y, *self.a, *self.b) - self.hw

    def bounds(self):
        return (min(self.a[0], self.b[0]) - self.hw,
                min(self.a[1], self.b[1]) - self.hw,
                max(self.a[0], self.b[0]) + self.hw,
                max(self.a[1], self.b[1]) + self.hw)


class Arc(Shape):
    """Thick circular arc with round caps.  Angles in degrees, measured
    clockwise from the positive x axis (y points down)."""

    def __init__(self, cx, cy, r, start, end, width):
        self.cx, self.cy, self.r = cx, cy, r
        self.a0 = math.radians(start)
        self.a1 = math.radians(end)
        self.hw = width / 2.0
        self.p0 = (cx + r * math.cos(self.a0), cy + r * math.sin(self.a0))
        self.p1 = (cx + r * math.cos(self.a1), cy + r * math.sin(self.a1))

    def sdf(self, x, y):
        dx, dy = x - self.cx, y - self.cy
        angle = math.atan2(dy, dx)
        while angle < self.a0:
            angle += 2 * math.pi
        if angle <= self.a1:
            d = abs(math.hypot(dx, dy) - self.r)
        else:
            d = min(math.hypot(x - self.p0[0], y - self.p0[1]),
                    math.hypot(x - self.p1[0], y - self.p1[1]))
        return d - self.hw

    def bounds(self):
        e = self.r + self.hw
        return (self.cx - e, self.cy - e, self.cx + e, self.cy + e)


class Offset(Shape):
    """Grow (positive amount) or shrink (negative amount) a shape."""

    def __init__(self, shape, amount):
        self.shape, self.amount = shape, amount

    def sdf(self, x, y):
        return self.shape.sdf(x, y) - self.amount

    def bounds(self):
        x0, y0, x1, y1 = self.shape.bounds()
        a = max(self.amount, 0.0)
        return (x0 - a, y0 - a, x1 + a, y1 + a)


class Union(Shape):
    def __init__(self, *shapes):
        self.shapes = shapes

    def sdf(self, x, y):
        return min(s.sdf(x, y) for s in self.shapes)

    def bounds(self):
        bs = [s.bounds() for s in self.shapes]
        return (min(b[0] for b in bs), min(b[1] for b in bs),
                max(b[2] for b in bs), max(b[3] for b in bs))


class Intersect(Shape):
    def __init__(self, a, b):
        self.a, self.b = a, b

    def sdf(self, x, y):
        return max(self.a.sdf(x, y), self.b.sdf(x, y))

    def bounds(self):
        a, b = self.a.bounds(), self.b.bounds()
        return (max(a[0], b[0]), max(a[1], b[1]),
                min(a[2], b[2]), min(a[3], b[3]))


class Subtract(Shape):
    def __init__(self, a, b):
        self.a, self.b = a, b

    def sdf(self, x, y):
        return max(self.a.sdf(x, y), -self.b.sdf(x, y))

    def bounds(self):
        return self.a.bounds()


# ---------------------------------------------------------------------------
# Paints: a paint maps a point to (r, g, b, alpha)
# ---------------------------------------------------------------------------

def _with_alpha(colour):
    return tuple(colour) if len(colour) == 4 else tuple(colour) + (1.0,)


def _ramp(stops, t):
    t = min(1.0, max(0.0, t))
    for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
        if t <= t1:
            u = 0.0 if t1 == t0 else (t - t0) / (t1 - t0)
            return mix(c0, c1, u)
    return stops[-1][1]


def linear_gradient(x0, y0, x1, y1, stops):
    """Gradient along the vector (x0, y0) -> (x1, y1).  stops is a list of
    (position 0..1, colour) pairs; colours may carry an alpha component."""
    stops = [(t, _with_alpha(c)) for t, c in stops]
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy

    def paint(x, y):
        return _ramp(stops, ((x - x0) * dx + (y - y0) * dy) / length2)
    return paint


def radial_gradient(cx, cy, r, stops):
    stops = [(t, _with_alpha(c)) for t, c in stops]

    def paint(x, y):
        return _ramp(stops, math.hypot(x - cx, y - cy) / r)
    return paint


def _as_paint(paint):
    if callable(paint):
        return paint
    colour = _with_alpha(paint)
    return lambda x, y: colour


# ---------------------------------------------------------------------------
# Canvas
# ---------------------------------------------------------------------------

SUPERSAMPLE = 8
_SAMPLE_OFFSETS = [(i + 0.5) / SUPERSAMPLE for i in range(SUPERSAMPLE)]


def coverage(shape, x, y):
    """Fraction of pixel (x, y) covered by shape, from an 8x8 sample grid.
    Pixels whose centre is more than a pixel away from the edge are
    classified directly."""
    d = shape.sdf(x + 0.5, y + 0.5)
    if d <= -1.0:
        return 1.0
    if d >= 1.0:
        return 0.0
    hits = 0
    for oy in _SAMPLE_OFFSETS:
        for ox in _SAMPLE_OFFSETS:
            if shape.sdf(x + ox, y + oy) < 0.0:
                hits += 1
    return hits / float(SUPERSAMPLE * SUPERSAMPLE)


class Mask:
    """Greyscale coverage map (values 0..1) positioned at (x, y)."""

    def __init__(self, w, h, values, x=0, y=0):
        self.w, self.h, self.values = w, h, values
        self.x, self.y = x, y

    def at(self, i, j):
        return self.values[j * self.w + i]


class Canvas:
    """RGBA image with premultiplied colour (0..255) and alpha (0..1)."""

    def __init__(self, w, h, background=None):
        self.w, self.h = w, h
        if background is None:
            self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(w * h)]
        else:
            r, g, b = background
            self.px = [[float(r), float(g), float(b), 1.0]
                       for _ in range(w * h)]

    def blend(self, x, y, colour, alpha):
        if alpha <= 0.0:
            return
        p = self.px[y * self.w + x]
        k = 1.0 - alpha
        p[0] = colour[0] * alpha + p[0] * k
        p[1] = colour[1] * alpha + p[1] * k
        p[2] = colour[2] * alpha + p[2] * k
        p[3] = alpha + p[3] * k

    def _pixel_range(self, bounds):
        x0, y0, x1, y1 = bounds
        return (max(0, int(math.floor(x0)) - 1),
                max(0, int(math.floor(y0)) - 1),
                min(self.w, int(math.ceil(x1)) + 1),
                min(self.h, int(math.ceil(y1)) + 1))

    def fill(self, shape, paint, opacity=1.0):
        paint = _as_paint(paint)
        px0, py0, px1, py1 = self._pixel_range(shape.bounds())
        for y in range(py0, py1):
            for x in range(px0, px1):
                cov = coverage(shape, x, y)
                if cov > 0.0:
                    r, g, b, a = paint(x + 0.5, y + 0.5)
                    self.blend(x, y, (r, g, b), cov * a * opacity)

    def fill_mask(self, mask, paint, opacity=1.0):
        paint = _as_paint(paint)
        for j in range(mask.h):
            y = mask.y + j
            if not 0 <= y < self.h:
                continue
            for i in range(mask.w):
                x = mask.x + i
                cov = mask.at(i, j)
                if cov > 0.0 and 0 <= x < self.w:
                    r, g, b, a = paint(x + 0.5, y + 0.5)
                    self.blend(x, y, (r, g, b), cov * a * opacity)

    def rgba(self, x, y):
        """Straight (non-premultiplied) colour and alpha of one pixel."""
        r, g, b, a = self.px[y * self.w + x]
        if a <= 0.0:
            return (0.0, 0.0, 0.0, 0.0)
        return (r / a, g / a, b / a, a)

    def flattened(self, background):
        """Rows of (r, g, b) byte triples composited over background."""
        rows = []
        for y in range(self.h):
            row = []
            for x in range(self.w):
                r, g, b, a = self.px[y * self.w + x]
                k = 1.0 - a
                row.append(tuple(to_byte(c + bg * k)
                                 for c, bg in zip((r, g, b), background)))
            rows.append(row)
        return rows


def to_byte(value):
    return max(0, min(255, int(math.floor(value + 0.5))))


# ---------------------------------------------------------------------------
# Text (rasterised by ImageMagick, composited by us)
# ---------------------------------------------------------------------------

def text_mask(text, font, size):
    """Anti-aliased coverage mask of text.  The mask is positioned relative
    to the pen origin: x = 0 at the pen start, y = 0 on the baseline."""
    pad = int(size)
    width = int(size * len(text)) + 2 * pad
    height = 3 * pad
    baseline = 2 * pad
    cmd = [CONVERT, "-size", "%dx%d" % (width, height), "xc:black",
           "-font", font, "-pointsize", str(size), "-fill", "white",
           "-annotate", "+%d+%d" % (pad, baseline), text,
           "-depth", "8", "pgm:-"]
    data = subprocess.run(cmd, check=True, stdout=subprocess.PIPE).stdout
    # Binary PGM: "P5\n<w> <h>\n<max>\n" followed by the samples.
    fields = data.split(maxsplit=4)
    assert fields[0] == b"P5"
    w, h, maxval = int(fields[1]), int(fields[2]), int(fields[3])
    samples = data[len(data) - w * h:]
    assert (w, h) == (width, height) and maxval == 255
    cols = [x for x in range(w) if any(samples[y * w + x] for y in range(h))]
    rows = [y for y in range(h) if any(samples[y * w:(y + 1) * w])]
    x0, x1, y0, y1 = cols[0], cols[-1] + 1, rows[0], rows[-1] + 1
    values = [samples[y * w + x] / 255.0
              for y in range(y0, y1) for x in range(x0, x1)]
    return Mask(x1 - x0, y1 - y0, values, x0 - pad, y0 - baseline)


def place(mask, x, y):
    """Copy of a text mask with its pen origin moved to (x, y)."""
    return Mask(mask.w, mask.h, mask.values, mask.x + x, mask.y + y)


def blurred(mask, radius):
    """Soft copy of a mask (two box-blur passes), enlarged to hold the
    blur."""
    grow = 2 * radius
    w, h = mask.w + 2 * grow, mask.h + 2 * grow
    values = [0.0] * (w * h)
    for j in range(mask.h):
        for i in range(mask.w):
            values[(j + grow) * w + i + grow] = mask.at(i, j)

    def box(get, length):
        return [sum(get(k) for k in range(max(0, i - radius),
                                          min(length, i + radius + 1)))
                / (2 * radius + 1) for i in range(length)]

    for _ in range(2):
        for y in range(h):
            row = box(lambda k: values[y * w + k], w)
            values[y * w:(y + 1) * w] = row
        for x in range(w):
            col = box(lambda k: values[k * w + x], h)
            for y in range(h):
                values[y * w + x] = col[y]
    return Mask(w, h, values, mask.x - grow, mask.y - grow)


# ---------------------------------------------------------------------------
# Palettes and quantisation
# ---------------------------------------------------------------------------

def build_icon_palette():
    """Fixed 256-colour palette for the 8-bpp icon images: the 16 VGA
    colours, a 4x4x4 colour cube and a grey ramp as general fallback, and
    ramps through the colours the icons are actually drawn with (house
    blues and teals, warning ambers, tree-box greys) including the blends
    that appear along their anti-aliased edges."""
    palette = list(VGA16)
    levels = (0, 85, 170, 255)
    for r in levels:
        for g in levels:
            for b in levels:
                palette.append((r, g, b))
    for i in range(1, 16):
        v = round(i * 255 / 16)
        palette.append((v, v, v))

    def ramp(anchors, count):
        anchors = [hex_colour(a) for a in anchors]
        segments = len(anchors) - 1
        for i in range(count):
            t = i * segments / float(count - 1)
            k = min(int(t), segments - 1)
            c = mix(anchors[k], anchors[k + 1], t - k)
            palette.append(tuple(to_byte(v) for v in c))

    # Application icon.
    ramp(["#061833", "#08224A", "#0F3F86", "#1760B0", "#4A8BD0"], 20)
    ramp(["#08224A", "#0C5F7E", "#0E8C96", "#34B8BC", "#5FD3D0"], 14)
    ramp(["#0F3F86", "#0E6496", "#0E8C96"], 7)
    ramp(["#1760B0", "#7DAAD9", "#D8EEF4", "#FFFFFF"], 12)
    ramp(["#0E8C96", "#86CFD3", "#D8EEF4"], 7)
    ramp(["#0F3F86", "#3F6FA8", "#7AA3CC"], 6)
    # Warning triangle.
    ramp(["#5A3500", "#9A6200", "#D98F00", "#F5B400", "#FFD54A",
          "#FFEB99", "#FFF8D8"], 22)
    ramp(["#000000", "#3A3010", "#7A6420", "#BFA040", "#FFE080"], 12)
    ramp(["#000000", "#5A4000", "#A87800", "#F5B400"], 8)
    # Tree expand/collapse box.
    ramp(["#1A2F4D", "#50698C", "#7588A3", "#A9B7CA"], 10)
    ramp(["#FFFFFF", "#EAEFF5", "#D3DCE8"], 10)
    ramp(["#1A2F4D", "#7886A0", "#D3DCE8"], 6)
    assert len(palette) <= 256, len(palette)
    while len(palette) < 256:
        palette.append((0, 0, 0))
    return palette


ICON_PALETTE = build_icon_palette()


def nearest_index(colour, palette, allowed=None):
    best, best_d = 0, float("inf")
    indices = allowed if allowed is not None else range(len(palette))
    for i in indices:
        p = palette[i]
        # Weighted distance, roughly matching perceived brightness.
        d = (2 * (colour[0] - p[0]) ** 2 + 4 * (colour[1] - p[1]) ** 2 +
             3 * (colour[2] - p[2]) ** 2)
        if d < best_d:
            best, best_d = i, d
    return best


def quantise_canvas(canvas, palette, matte=None, allowed=None,
                    threshold=0.5):
    """Map an RGBA canvas to palette indices plus a 1-bit transparency mask.
    Pixels below the alpha threshold become transparent (index 0, mask 1).
    Partially covered pixels that stay opaque keep their own colour, or are
    flattened onto matte if one is given."""
    cache = {}
    indices, mask = [], []
    for y in range(canvas.h):
        irow, mrow = [], []
        for x in range(canvas.w):
            r, g, b, a = canvas.rgba(x, y)
            if a < threshold:
                irow.append(0)
                mrow.append(1)
                continue
            if matte is None:
                colour = (to_byte(r), to_byte(g), to_byte(b))
            else:
                colour = tuple(to_byte(c * a + m * (1.0 - a))
                               for c, m in zip((r, g, b), matte))
            if colour not in cache:
                cache[colour] = nearest_index(colour, palette, allowed)
            irow.append(cache[colour])
            mrow.append(0)
        indices.append(irow)
        mask.append(mrow)
    return indices, mask


# ---------------------------------------------------------------------------
# DIB, BMP, ICO and CUR writers
# ---------------------------------------------------------------------------

def row_stride(width, bpp):
    return ((width * bpp + 31) // 32) * 4


def pack_rows(rows, bpp):
    """Pack top-down rows into a bottom-up DIB pixel array.  Rows hold
    palette indices (1/4/8 bpp), (r, g, b) tuples (24 bpp) or (r, g, b, a)
    tuples (32 bpp)."""
    out = bytearray()
    for row in reversed(rows):
        line = bytearray()
        if bpp == 32:
            for r, g, b, a in row:
                line += bytes((b, g, r, a))
        elif bpp == 24:
            for r, g, b in row:
                line += bytes((b, g, r))
        elif bpp == 8:
            line += bytes(row)
        elif bpp in (4, 1):
            per_byte = 8 // bpp
            for i in range(0, len(row), per_byte):
                byte = 0
                for k in range(per_byte):
                    v = row[i + k] if i + k < len(row) else 0
                    byte |= v << (8 - bpp * (k + 1))
                line.append(byte)
        else:
            raise ValueError("unsupported depth %d" % bpp)
        line += bytes(row_stride(len(row), bpp) - len(line))
        out += line
    return bytes(out)


def info_header(width, height, bpp, image_size, colours_used=0):
    """40-byte BITMAPINFOHEADER, uncompressed (BI_RGB)."""
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bpp, 0,
                       image_size, 2835, 2835, colours_used, 0)


def palette_bytes(palette):
    return b"".join(bytes((b, g, r, 0)) for r, g, b in palette)


def write_bmp(path, rows, bpp, palette=None):
    height, width = len(rows), len(rows[0])
    pixels = pack_rows(rows, bpp)
    colours = palette_bytes(palette) if palette else b""
    dib = info_header(width, height, bpp, len(pixels),
                      len(palette) if palette else 0)
    offset = 14 + len(dib) + len(colours)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixels),
                              0, 0, offset)
    with open(path, "wb") as f:
        f.write(file_header + dib + colours + pixels)


class IconImage:
    """One image of an icon or cursor file: an XOR bitmap and an AND mask."""

    def __init__(self, rows, mask, bpp, palette=None, hotspot=None):
        self.rows, self.mask, self.bpp = rows, mask, bpp
        self.palette = palette
        self.hotspot = hotspot
        self.width, self.height = len(rows[0]), len(rows)

    def encode(self):
        xor = pack_rows(self.rows, self.bpp)
        and_mask = pack_rows(self.mask, 1)
        header = info_header(self.width, 2 * self.height, self.bpp,
                             len(xor) + len(and_mask))
        colours = palette_bytes(self.palette) if self.bpp <= 8 else b""
        return header + colours + xor + and_mask


def write_icon_file(path, images, resource_type=1):
    """Write an ICO (resource_type 1) or CUR (resource_type 2) file."""
    blobs = [img.encode() for img in images]
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, resource_type, len(images))
    for img, blob in zip(images, blobs):
        if resource_type == 2:
            colour_count = 1 << img.bpp if img.bpp < 8 else 0
            field1, field2 = img.hotspot
        else:
            colour_count = 16 if img.bpp == 4 else 0
            field1, field2 = 1, img.bpp
        directory += struct.pack("<BBBBHHII",
                                 img.width % 256, img.height % 256,
                                 colour_count, 0, field1, field2,
                                 len(blob), offset)
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(directory + b"".join(blobs))


def icon_8bpp(canvas):
    indices, mask = quantise_canvas(canvas, ICON_PALETTE)
    return IconImage(indices, mask, 8, ICON_PALETTE)


def icon_32bpp(canvas):
    rows, mask = [], []
    for y in range(canvas.h):
        row, mrow = [], []
        for x in range(canvas.w):
            r, g, b, a = canvas.rgba(x, y)
            alpha = to_byte(a * 255)
            if alpha == 0:
                row.append((0, 0, 0, 0))
                mrow.append(1)
            else:
                row.append((to_byte(r), to_byte(g), to_byte(b), alpha))
                mrow.append(0)
        rows.append(row)
        mask.append(mrow)
    return IconImage(rows, mask, 32)


# ---------------------------------------------------------------------------
# Artwork
# ---------------------------------------------------------------------------

def draw_banner():
    """736 x 72 header banner: blue-to-teal band, a faint network motif on
    the right and the product name on the left."""
    w, h = 736, 72
    c = Canvas(w, h, NAVY)
    band = RoundRect(0, 0, w, h)
    c.fill(band, linear_gradient(0, 0, w, 0, [
        (0.0, NAVY), (0.45, DEEP_BLUE), (0.78, hex_colour("#0E6496")),
        (1.0, TEAL)]))
    # Soft light from the top, slight darkening towards the bottom edge.
    c.fill(band, linear_gradient(0, 0, 0, h, [
        (0.0, WHITE + (0.10,)), (0.5, WHITE + (0.0,)),
        (0.5, BLACK + (0.0,)), (1.0, BLACK + (0.18,))]))

    # Concentric arcs emanating from beyond the right edge.
    for i, r in enumerate((46, 82, 118, 154, 190)):
        c.fill(Arc(748, 86, r, 180, 290, 1.4), WHITE,
               opacity=0.16 - 0.022 * i)

    # A small network of nodes.
    nodes = [(464, 44), (500, 24), (540, 46), (578, 26), (610, 54),
             (640, 30), (676, 48), (706, 20), (722, 52)]
    links = [(0, 1), (1, 2), (2, 3), (2, 4), (3, 5), (4, 5), (4, 6),
             (5, 6), (6, 7), (6, 8), (7, 8)]
    for a, b in links:
        (x0, y0), (x1, y1) = nodes[a], nodes[b]
        fade = 0.10 + 0.14 * ((x0 + x1) / 2.0 - 460) / 260.0
        c.fill(Line(x0, y0, x1, y1, 1.1), PALE_TEAL, opacity=fade)
    for i, (x, y) in enumerate(nodes):
        strength = 0.45 + 0.55 * (x - 460) / 260.0
        r = 2.2 if i % 3 else 3.0
        c.fill(Circle(x, y, r + 3.5), radial_gradient(x, y, r + 3.5, [
            (0.0, LIGHT_TEAL + (0.35,)), (1.0, LIGHT_TEAL + (0.0,))]),
            opacity=strength)
        c.fill(Circle(x, y, r), mix(PALE_TEAL, WHITE, 0.5),
               opacity=0.55 * strength + 0.25)

    # Accent line along the bottom edge.
    c.fill(RoundRect(0, h - 2, w, h), linear_gradient(0, 0, w, 0, [
        (0.0, LIGHT_TEAL + (0.9,)), (0.6, LIGHT_TEAL + (0.5,)),
        (1.0, LIGHT_TEAL + (0.2,))]))

    # Product name and version.
    left, baseline = 24, 46
    title = place(text_mask("Corvane Velto", FONT_BOLD, 30), left, baseline)
    c.fill_mask(place(blurred(title, 2), 1, 2), BLACK, opacity=0.45)
    c.fill_mask(title, WHITE)

    sep_x = title.x + title.w + 14
    c.fill(RoundRect(sep_x, baseline - 21, sep_x + 1, baseline + 1),
           PALE_TEAL, opacity=0.55)
    version = place(text_mask("Version 9.3", FONT_REGULAR, 15),
                    sep_x + 14, baseline)
    c.fill_mask(place(blurred(version, 1), 1, 1), BLACK, opacity=0.35)
    c.fill_mask(version, PALE_TEAL)
    return c.flattened(NAVY)


def draw_led_light(w, h, base, dark, light):
    """A single glossy indicator light centred in a w x h cell."""
    cx, cy, r = w / 2.0, h / 2.0, min(w, h) / 2.0 - 1.0
    c = Canvas(w, h)
    c.fill(Circle(cx, cy, r), dark)
    c.fill(Circle(cx, cy, r - 1.0), radial_gradient(
        cx - r * 0.2, cy - r * 0.25, r * 1.2,
        [(0.0, light), (0.5, base), (1.0, mix(base, dark, 0.6))]))
    # Bright highlight near the top.
    c.fill(Ellipse(cx - r * 0.1, cy - r * 0.45, r * 0.45, r * 0.28),
           linear_gradient(0, cy - r * 0.8, 0, cy - r * 0.2, [
               (0.0, (254, 254, 254, 1.0)), (1.0, (254, 254, 254, 0.45))]))
    return c


def white_keyed(canvas):
    """Flatten onto white, keeping pure white for the background only:
    any visible pixel of the drawing that rounds to FFFFFF becomes FEFEFE."""
    rows = canvas.flattened(WHITE)
    for y in range(canvas.h):
        for x in range(canvas.w):
            if rows[y][x] == WHITE and canvas.rgba(x, y)[3] >= 0.5:
                rows[y][x] = (254, 254, 254)
    return rows


def draw_led_red():
    return white_keyed(draw_led_light(18, 14, hex_colour("#E02A20"),
                                      hex_colour("#7A0C08"),
                                      hex_colour("#FF9A88")))


def draw_led_green():
    return white_keyed(draw_led_light(18, 14, hex_colour("#22B83A"),
                                      hex_colour("#0A5A16"),
                                      hex_colour("#A8F0A8")))


def draw_led_strip():
    """48 x 128 strip of four 48 x 32 LED states (off, red, green, yellow),
    drawn in VGA colours on white; the soft edges are mapped to the
    nearest VGA colour."""
    w, cell = 48, 32
    states = [  # body, shadow, rim
        (VGA16[7], VGA16[8], VGA16[0]),
        (VGA16[9], VGA16[1], VGA16[0]),
        (VGA16[10], VGA16[2], VGA16[0]),
        (VGA16[11], VGA16[3], VGA16[0]),
    ]
    rows = []
    for body, shadow, rim in states:
        c = Canvas(w, cell, WHITE)
        cx, cy, r = 24.0, 16.0, 11.0
        c.fill(Circle(cx, cy, r), VGA16[8])
        c.fill(Circle(cx, cy, r - 1.0), rim)
        c.fill(Circle(cx, cy, r - 2.0), shadow)
        c.fill(Circle(cx - 1.0, cy - 1.0, r - 3.5), body)
        c.fill(Ellipse(cx - 3.0, cy - 4.0, 3.0, 2.0), WHITE)
        indices, _ = quantise_canvas(c, VGA16, threshold=0.0)
        rows += indices
    return rows


def app_icon_canvas(size):
    """Application icon at one size: a blue/teal disc carrying a white
    launch arrow.  Key coordinates are snapped to whole pixels."""
    s = float(size)
    c = Canvas(size, size)
    cx = cy = s / 2.0
    # Whole-pixel radius: the disc then starts with a flat run of pixels at
    # the top, bottom and sides instead of single-pixel bumps.
    r = s / 2.0 - size // 32
    rim = 1.0 if size <= 32 else s / 32.0

    disc = Circle(cx, cy, r)
    c.fill(disc, hex_colour("#08224A"))
    c.fill(Circle(cx, cy, r - rim), linear_gradient(
        s * 0.2, s * 0.1, s * 0.8, s * 0.9,
        [(0.0, MID_BLUE), (0.55, DEEP_BLUE), (1.0, TEAL)]))
    if size >= 32:
        # Faint rings echoing the banner motif.
        for k, f in enumerate((0.74, 0.52)):
            c.fill(Subtract(Circle(cx, cy, r * f + 0.5),
                            Circle(cx, cy, r * f - 0.5)),
                   LIGHT_TEAL, opacity=0.22 - 0.06 * k)
    # Gloss over the upper half.
    c.fill(Intersect(Circle(cx, cy, r - rim),
                     Ellipse(cx, cy - r * 0.45, r * 0.85, r * 0.6)),
           linear_gradient(0, cy - r, 0, cy, [
               (0.0, WHITE + (0.35,)), (1.0, WHITE + (0.0,))]))

    # Arrow: shaft and head, symmetric about the horizontal centre line.
    half_shaft = max(1.0, round(s * 0.09))
    half_head = round(s * 0.24)
    x_tail = round(s * 0.25)
    x_neck = round(s * 0.52)
    x_tip = round(s * 0.78)
    arrow = Polygon([
        (x_tail, cy - half_shaft), (x_neck, cy - half_shaft),
        (x_neck, cy - half_head), (x_tip, cy),
        (x_neck, cy + half_head), (x_neck, cy + half_shaft),
        (x_tail, cy + half_shaft)])
    if size >= 32:
        shadow_dy = s / 32.0
        c.fill(Offset(Polygon([(x, y + shadow_dy) for x, y in arrow.pts]),
                      0.5), hex_colour("#041530"), opacity=0.35)
    c.fill(arrow, linear_gradient(0, cy - half_head, 0, cy + half_head, [
        (0.0, WHITE), (1.0, hex_colour("#D8EEF4"))]))
    return c


def draw_app_icon():
    images = [icon_8bpp(app_icon_canvas(s)) for s in (48, 32, 16)]
    images += [icon_32bpp(app_icon_canvas(s)) for s in (64, 48, 32, 16)]
    return images


def draw_warning_icon():
    """32 x 32: amber triangle with rounded corners and a black
    exclamation mark, symmetric about x = 16."""
    c = Canvas(32, 32)
    corner = 2.0
    top, bottom = 2.0, 30.0
    outer = Offset(Polygon([
        (16.0, top + corner * 2.2),
        (1.0 + corner * 1.8, bottom - corner),
        (31.0 - corner * 1.8, bottom - corner)]), corner)
    c.fill(outer, hex_colour("#9A6200"))
    c.fill(Offset(outer, -1.0), linear_gradient(0, 4, 0, 29, [
        (0.0, hex_colour("#FFEB99")), (0.45, hex_colour("#FFD54A")),
        (1.0, hex_colour("#F5B400"))]))
    c.fill(RoundRect(14.0, 10.0, 18.0, 21.0, 1.0), BLACK)
    c.fill(RoundRect(14.0, 23.0, 18.0, 27.0, 1.2), BLACK)
    return [icon_8bpp(c)]


def tree_box_canvas(with_vertical_bar):
    c = Canvas(16, 16)
    x0, y0, x1, y1 = 2.0, 2.0, 13.0, 13.0
    c.fill(RoundRect(x0, y0, x1, y1, 1.5), hex_colour("#7588A3"))
    c.fill(RoundRect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, 0.5),
           linear_gradient(0, y0 + 1, 0, y1 - 1, [
               (0.0, WHITE), (1.0, hex_colour("#D3DCE8"))]))
    ink = hex_colour("#1A2F4D")
    c.fill(RoundRect(5, 7, 10, 8), ink)
    if with_vertical_bar:
        c.fill(RoundRect(7, 5, 8, 10), ink)
    return c


def draw_expand_icon():
    return [icon_8bpp(tree_box_canvas(True))]


def draw_collapse_icon():
    return [icon_8bpp(tree_box_canvas(False))]


def draw_info_icon():
    """32 x 32, 16 colours: blue disc with a white lower-case i."""
    c = Canvas(32, 32)
    c.fill(Circle(16, 16, 15), VGA16[4])
    c.fill(Circle(16, 16, 14), VGA16[12])
    c.fill(Circle(16, 8.5, 2.2), WHITE)
    stem = Union(RoundRect(14.0, 13.0, 18.0, 24.0),
                 RoundRect(12.0, 13.0, 18.0, 15.0),
                 RoundRect(12.0, 22.0, 20.0, 24.0))
    c.fill(stem, WHITE)
    allowed = [0, 4, 12, 15]  # black, navy, blue, white: crisp edges
    indices, mask = quantise_canvas(c, VGA16, allowed=allowed)
    return [IconImage(indices, mask, 4, VGA16)]


# Pointing hand, fingertip at (5, 1).  X = black, o = white, . = transparent.
HAND = """
.....XX...........
....XooX..........
....XooX..........
....XooX..........
....XooX..........
....XooX..........
....XooXXX........
....XooXooXXX.....
....XooXooXooXXX..
....XooXooXooXooX.
....XooXooXooXooX.
.XX.XooXooXooXooX.
XooXXooXooXooXooX.
XoooXoooooooooooX.
.XooooooooooooooX.
.XooooooooooooooX.
..XoooooooooooooX.
..XooooooooooooX..
...XoooooooooooX..
...XoooooooooooX..
....XoooooooooX...
....XoooooooooX...
....XXXXXXXXXXX...
"""


def draw_hand_cursor():
    art = [line for line in HAND.strip().splitlines()]
    size = 32
    xor, and_mask = [], []
    for y in range(size):
        line = art[y] if y < len(art) else ""
        xrow, arow = [], []
        for x in range(size):
            ch = line[x] if x < len(line) else "."
            xrow.append(1 if ch == "o" else 0)
            arow.append(1 if ch == "." else 0)
        xor.append(xrow)
        and_mask.append(arow)
    return [IconImage(xor, and_mask, 1, [BLACK, WHITE], hotspot=(5, 1))]


# ---------------------------------------------------------------------------

def main():
    here = os.path.dirname(os.path.abspath(__file__))
    repo_root = os.path.dirname(os.path.dirname(here))
    outdir = (sys.argv[1] if len(sys.argv) > 1
              else os.path.join(repo_root, "resources", "images"))
    os.makedirs(outdir, exist_ok=True)

    def out(name):
        return os.path.join(outdir, name)

    write_bmp(out("banner.bmp"), draw_banner(), 24)
    write_bmp(out("led.bmp"), draw_led_strip(), 4, VGA16)
    write_bmp(out("led_red.bmp"), draw_led_red(), 24)
    write_bmp(out("led_green.bmp"), draw_led_green(), 24)
    write_icon_file(out("app.ico"), draw_app_icon())
    write_icon_file(out("warning.ico"), draw_warning_icon())
    write_icon_file(out("expand.ico"), draw_expand_icon())
    write_icon_file(out("collapse.ico"), draw_collapse_icon())
    write_icon_file(out("info.ico"), draw_info_icon())
    write_icon_file(out("hand.cur"), draw_hand_cursor(), resource_type=2)


if __name__ == "__main__":
    main()
