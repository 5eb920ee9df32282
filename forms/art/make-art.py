#!/usr/bin/env python3
"""Draws the monitor's artwork: the About window's background and button faces, the notice's
panel and icons, and the tray icon's muted variant.

    python3 forms/art/make-art.py            writes into forms/art/ and app/win32/
    python3 forms/art/make-art.py --out DIR  writes every picture into DIR

Standard library only, and deterministic (no clock, no randomness, fixed zlib level), so
the committed pictures can be checked against what this script makes. Shapes are signed
distance functions, filled with analytic anti-aliasing; the canvas holds premultiplied
float channels.
"""

import argparse
import math
import os
import struct
import sys
import zlib
from array import array

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))


# --- colours and paints ---------------------------------------------------------------------


def colour(hex_rgb, alpha=1.0):
    """'#RRGGBB' and an opacity to a premultiplied (r, g, b, a) of floats."""
    v = int(hex_rgb.lstrip("#"), 16)
    return tuple(c / 255 * alpha for c in ((v >> 16) & 255, (v >> 8) & 255, v & 255)) + (alpha,)


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


class Solid:
    varies_along_x = False

    def __init__(self, c):
        self.c = c

    def at(self, x, y):
        return self.c


class Gradient:
    """Colour stops [(t, colour), ...] along the line from p0 to p1 (linear), or by the
    distance from p0 with p1 on the circle where t = 1 (radial)."""

    def __init__(self, p0, p1, colours, radial=False):
        self.x0, self.y0 = p0
        self.dx, self.dy = p1[0] - p0[0], p1[1] - p0[1]
        self.colours = colours
        self.radial = radial
        self.length2 = self.dx * self.dx + self.dy * self.dy
        self.varies_along_x = radial or self.dx != 0

    def at(self, x, y):
        px, py = x - self.x0, y - self.y0
        if self.radial:
            t = math.sqrt((px * px + py * py) / self.length2)
        else:
            t = (px * self.dx + py * self.dy) / self.length2
        colours = self.colours
        if t <= colours[0][0]:
            return colours[0][1]
        for (t0, c0), (t1, c1) in zip(colours, colours[1:]):
            if t <= t1:
                return mix(c0, c1, (t - t0) / (t1 - t0))
        return colours[-1][1]


def stops(entries):
    """Gradient stops written as (t, '#RRGGBB') or (t, '#RRGGBB', opacity)."""
    return [(t, colour(*rest)) for t, *rest in entries]


def vertical(y0, y1, entries):
    return Gradient((0, y0), (0, y1), stops(entries))


def horizontal(x0, x1, entries):
    return Gradient((x0, 0), (x1, 0), stops(entries))


# --- shapes: signed distance in pixels, negative inside --------------------------------------
# Every distance here is exact or an under-estimate, so a fill may skip whole runs of pixels
# that are certainly inside or outside.


EVERYWHERE = (-math.inf, -math.inf, math.inf, math.inf)


def length(dx, dy):
    # Plain products and a square root: correctly rounded everywhere, so the pictures do not
    # depend on the maths library.
    return math.sqrt(dx * dx + dy * dy)


class Shape:
    def __and__(self, other):
        return Combined(self, other, max)

    def __or__(self, other):
        return Combined(self, other, min)

    def __sub__(self, other):
        return Combined(self, Inverse(other), max)


class RoundRect(Shape):
    """A rectangle with round corners: radius `top` for the upper two, `bottom` for the lower."""

    def __init__(self, x0, y0, x1, y1, top, bottom=None):
        self.bounds = (x0, y0, x1, y1)
        self.cx, self.cy = (x0 + x1) / 2, (y0 + y1) / 2
        self.hx, self.hy = (x1 - x0) / 2, (y1 - y0) / 2
        self.top, self.bottom = top, top if bottom is None else bottom

    def distance(self, x, y):
        r = self.top if y < self.cy else self.bottom
        qx = abs(x - self.cx) - self.hx + r
        qy = abs(y - self.cy) - self.hy + r
        return length(max(qx, 0.0), max(qy, 0.0)) + min(max(qx, qy), 0.0) - r


class Circle(Shape):
    def __init__(self, cx, cy, r):
        self.cx, self.cy, self.r = cx, cy, r
        self.bounds = (cx - r, cy - r, cx + r, cy + r)

    def distance(self, x, y):
        return length(x - self.cx, y - self.cy) - self.r


class Segment(Shape):
    """A line from (x0, y0) to (x1, y1) of the given width with round caps."""

    def __init__(self, x0, y0, x1, y1, width):
        self.x0, self.y0, self.dx, self.dy = x0, y0, x1 - x0, y1 - y0
        self.h = width / 2
        self.bounds = (min(x0, x1) - self.h, min(y0, y1) - self.h, max(x0, x1) + self.h, max(y0, y1) + self.h)

    def distance(self, x, y):
        px, py = x - self.x0, y - self.y0
        t = min(max((px * self.dx + py * self.dy) / (self.dx * self.dx + self.dy * self.dy), 0.0), 1.0)
        return length(px - self.dx * t, py - self.dy * t) - self.h


class HalfPlane(Shape):
    """The side of the line through (x0, y0) and (x1, y1) on the right-hand when going from the
    first point to the second, as seen on screen: so points listed clockwise around a convex
    polygon give the half-planes whose intersection it is."""

    def __init__(self, x0, y0, x1, y1):
        n = length(x1 - x0, y1 - y0)
        self.x0, self.y0 = x0, y0
        self.nx, self.ny = (y1 - y0) / n, -(x1 - x0) / n
        self.bounds = EVERYWHERE

    def distance(self, x, y):
        return (x - self.x0) * self.nx + (y - self.y0) * self.ny


class Ring(Shape):
    """The outline of another shape, `width` wide, centred on its edge."""

    def __init__(self, shape, width):
        self.shape, self.h = shape, width / 2
        x0, y0, x1, y1 = shape.bounds
        self.bounds = (x0 - self.h, y0 - self.h, x1 + self.h, y1 + self.h)

    def distance(self, x, y):
        return abs(self.shape.distance(x, y)) - self.h


class Grown(Shape):
    """Another shape moved by (dx, dy) and grown by `by` pixels on every side."""

    def __init__(self, shape, by, dx=0.0, dy=0.0):
        self.shape, self.by, self.dx, self.dy = shape, by, dx, dy
        x0, y0, x1, y1 = shape.bounds
        self.bounds = (x0 - by + dx, y0 - by + dy, x1 + by + dx, y1 + by + dy)

    def distance(self, x, y):
        return self.shape.distance(x - self.dx, y - self.dy) - self.by


class Inverse(Shape):
    def __init__(self, shape):
        self.shape = shape
        self.bounds = EVERYWHERE

    def distance(self, x, y):
        return -self.shape.distance(x, y)


class Combined(Shape):
    def __init__(self, a, b, pick):
        self.a, self.b, self.pick = a, b, pick
        (ax0, ay0, ax1, ay1), (bx0, by0, bx1, by1) = a.bounds, b.bounds
        if pick is max:  # intersection
            self.bounds = (max(ax0, bx0), max(ay0, by0), min(ax1, bx1), min(ay1, by1))
        else:
            self.bounds = (min(ax0, bx0), min(ay0, by0), max(ax1, bx1), max(ay1, by1))

    def distance(self, x, y):
        return self.pick(self.a.distance(x, y), self.b.distance(x, y))


# --- canvas ----------------------------------------------------------------------------------


def smoothstep(t):
    t = min(max(t, 0.0), 1.0)
    return t * t * (3 - 2 * t)


class Canvas:
    def __init__(self, width, height):
        self.width, self.height = width, height
        blank = array("d", bytes(8 * width))
        self.rows = [[array("d", blank) for _ in range(4)] for _ in range(height)]

    def fill(self, shape, paint, opacity=1.0, feather=1.0):
        """Paints `shape` over the canvas. The edge is a ramp `feather` pixels wide: one pixel
        gives anti-aliased edges, more gives soft ones (glows, shadows)."""
        h = feather / 2
        x0, y0, x1, y1 = shape.bounds
        xlo, xhi = max(int(math.floor(x0 - h)), 0), min(int(math.ceil(x1 + h)), self.width)
        for y in range(max(int(math.floor(y0 - h)), 0), min(int(math.ceil(y1 + h)), self.height)):
            row, py = self.rows[y], y + 0.5
            x = xlo
            while x < xhi:
                d = shape.distance(x + 0.5, py)
                if d <= -h:  # the following pixels are at least as deep inside
                    n = min(int(-h - d) + 1, xhi - x)
                    self._span(row, x, n, py, paint, opacity)
                    x += n
                elif d >= h:
                    x += int(d - h) + 1
                else:
                    cover = 0.5 - d if feather == 1.0 else smoothstep(0.5 - d / feather)
                    self._blend(row, x, paint.at(x + 0.5, py), cover * opacity)
                    x += 1

    def _span(self, row, x, n, py, paint, opacity):
        if paint.varies_along_x:
            for i in range(x, x + n):
                self._blend(row, i, paint.at(i + 0.5, py), opacity)
            return
        c = paint.at(x + 0.5, py)
        if c[3] == 1.0 and opacity == 1.0:
            for channel, v in zip(row, c):
                channel[x : x + n] = array("d", [v]) * n
            return
        keep = 1 - c[3] * opacity
        for channel, v in zip(row, c):
            v *= opacity
            channel[x : x + n] = array("d", [v + old * keep for old in channel[x : x + n]])

    @staticmethod
    def _blend(row, x, c, k):
        keep = 1 - c[3] * k
        for channel, v in zip(row, c):
            channel[x] = v * k + channel[x] * keep

    def rgba_rows(self):
        """The picture as rows of 8-bit straight (not premultiplied) RGBA."""
        for r, g, b, a in self.rows:
            out = bytearray(4 * self.width)
            for x in range(self.width):
                alpha = a[x]
                if alpha <= 0.0:
                    continue
                k = 255 / alpha
                out[4 * x : 4 * x + 4] = bytes(
                    (to_byte(r[x] * k), to_byte(g[x] * k), to_byte(b[x] * k), to_byte(alpha * 255))
                )
            yield bytes(out)


def to_byte(v):
    return min(max(int(v + 0.5), 0), 255)


# --- file writers ----------------------------------------------------------------------------


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def filtered_row(row, prior):
    """The row with the PNG filter whose output has the smallest sum of absolute values: the
    usual heuristic, good for gradients and flat areas."""
    left = bytes(4) + row[:-4]
    upper_left = bytes(4) + prior[:-4]
    candidates = [
        bytes(row),
        bytes((x - a) & 255 for x, a in zip(row, left)),
        bytes((x - b) & 255 for x, b in zip(row, prior)),
        bytes((x - ((a + b) >> 1)) & 255 for x, a, b in zip(row, left, prior)),
        bytes((x - paeth(a, b, c)) & 255 for x, a, b, c in zip(row, left, prior, upper_left)),
    ]
    costs = [sum(v if v < 128 else 256 - v for v in f) for f in candidates]
    best = costs.index(min(costs))
    return bytes([best]) + candidates[best]


def png_bytes(canvas):
    rows, prior = [], bytes(4 * canvas.width)
    for row in canvas.rgba_rows():
        rows.append(filtered_row(row, prior))
        prior = row
    header = struct.pack(">IIBBBBB", canvas.width, canvas.height, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (
        b"\x89PNG\r\n\x1a\n"
        + png_chunk(b"IHDR", header)
        + png_chunk(b"IDAT", zlib.compress(b"".join(rows), 9))
        + png_chunk(b"IEND", b"")
    )


def read_ico(path):
    """The 32-bit images of an icon file, each as (BITMAPINFOHEADER bytes, canvas)."""
    with open(path, "rb") as file:
        data = file.read()
    reserved, kind, count = struct.unpack_from("<HHH", data)
    if reserved != 0 or kind != 1:
        raise ValueError(f"{path}: not an icon file")
    images = []
    for i in range(count):
        width, height, _, _, _, bits, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        header = data[offset : offset + 40]
        if bits != 32 or width != height or struct.unpack_from("<I", header)[0] != 40:
            raise ValueError(f"{path}: image {i} is not a 32-bit square bitmap")
        canvas = Canvas(width, height)
        pixels = data[offset + 40 : offset + 40 + 4 * width * height]
        for y in range(height):
            row = canvas.rows[height - 1 - y]  # bottom-up
            for x in range(width):
                b, g, r, a = pixels[4 * (y * width + x) : 4 * (y * width + x) + 4]
                for channel, v in zip(row, (r, g, b)):
                    channel[x] = v * a / (255 * 255)
                row[3][x] = a / 255
        images.append((header, canvas))
    return images


def ico_bytes(images):
    """An icon file of 32-bit images with alpha; the AND masks stay empty, as alpha decides."""
    directory, bodies = b"", b""
    offset = 6 + 16 * len(images)
    for header, canvas in images:
        w = canvas.width
        rows = list(canvas.rgba_rows())
        pixels = b"".join(bytes(row[i + k] for i in range(0, len(row), 4) for k in (2, 1, 0, 3)) for row in rows[::-1])
        mask = bytes(((w + 31) // 32) * 4 * canvas.height)
        body = header + pixels + mask
        directory += struct.pack("<BBBBHHII", w % 256, canvas.height % 256, 0, 0, 1, 32, len(body), offset)
        bodies += body
        offset += len(body)
    return struct.pack("<HHH", 0, 1, len(images)) + directory + bodies


# --- the About window ------------------------------------------------------------------------
# The window is 504 x 400 and shows the background scaled by 400/1327, one pixel in from the
# left; the drawing below is laid out in window pixels and scaled to the picture.

SCALE = 1327 / 400
ACCENT = "#38B6FF"


def px(v):
    return v * SCALE


def window_rect(x0, y0, x1, y1):
    return px(x0 - 1), px(y0), px(x1 - 1), px(y1)


def union(shapes):
    shapes = list(shapes)
    shape = shapes[0]
    for other in shapes[1:]:
        shape = shape | other
    return shape


def polygon(*points):
    """A convex polygon from its corners listed clockwise on screen."""
    shape = None
    for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
        side = HalfPlane(x0, y0, x1, y1)
        shape = side if shape is None else shape & side
    xs, ys = [p[0] for p in points], [p[1] for p in points]
    shape.bounds = (min(xs), min(ys), max(xs), max(ys))
    return shape


def about_background():
    c = Canvas(1667, 1327)
    panel = RoundRect(*window_rect(10, 6, 494, 384), px(18))
    left, top, right, bottom = panel.bounds

    # A soft shadow, darkest just below the panel, and the panel's body: charcoal with a
    # shade of blue towards the top.
    c.fill(Grown(panel, px(1), dy=px(5)), Solid(colour("#000000", 0.62)), feather=px(16))
    c.fill(Grown(panel, px(0.5), dy=px(1.5)), Solid(colour("#000000", 0.5)), feather=px(4))
    c.fill(panel, vertical(top, bottom, [(0, "#1F2733"), (0.45, "#161B23"), (1, "#0E1116")]))

    # The header band, deeper on the left where the emblem sits, with an angled step down to
    # the right; an accent line with a glow runs along its lower edge.
    (x0, y0), (x1, y1) = (px(150 - 1), px(72)), (px(162 - 1), px(60))
    header = panel & (
        polygon((left, top), (right, top), (right, y1), (left, y1))
        | polygon((left, top), (x1, top), (x1, y1), (x0, y0), (left, y0))
    )
    c.fill(header, vertical(top, y0, [(0, "#28313F"), (1, "#1A202A")]))
    draw_header_stripes(c, header)
    corners = [(left, y0), (x0, y0), (x1, y1), (right, y1)]
    edge = panel & union(Segment(*a, *b, px(1.4)) for a, b in zip(corners, corners[1:]))
    fade = horizontal(left, right, [(0, ACCENT, 0), (0.12, ACCENT), (0.45, ACCENT), (1, ACCENT, 0.1)])
    c.fill(Grown(edge, px(2)), fade, opacity=0.35, feather=px(6))
    c.fill(edge, fade)

    # Light catching the panel's top edge.
    rim = Ring(Grown(panel, -px(0.6)), px(1.2))
    c.fill(rim, vertical(top, top + px(60), [(0, "#FFFFFF", 0.16), (1, "#FFFFFF", 0)]))

    draw_mouse_emblem(c, px(118 - 1), px(39))

    # The well that holds the texts and the web button: calm and dark, slightly sunken.
    well = RoundRect(*window_rect(28, 88, 476, 312), px(10))
    _, well_top, _, well_bottom = well.bounds
    c.fill(well, Solid(colour("#07090D", 0.5)))
    c.fill(well, vertical(well_top, well_top + px(10), [(0, "#000000", 0.35), (1, "#000000", 0)]))
    rim = Ring(Grown(well, px(0.5)), px(1))
    c.fill(rim, vertical(well_top, well_bottom, [(0, "#000000", 0.5), (1, "#FFFFFF", 0.07)]))

    # A faint underglow along the bottom edge.
    glow = horizontal(left, right, [(0.1, ACCENT, 0), (0.5, ACCENT, 0.45), (0.9, ACCENT, 0)])
    c.fill(Segment(left + px(40), bottom - px(1.2), right - px(40), bottom - px(1.2), px(1)) & panel, glow)
    return c


def draw_header_stripes(c, header):
    """Slanted stripes, fading out towards the right end of the header."""
    top, rise = header.bounds[1], px(54)
    for i in range(6):
        x, w = px(370 + 18 * i), px(9)
        stripe = polygon((x, top), (x + w, top), (x + w - rise, top + rise), (x - rise, top + rise))
        c.fill(stripe & header, Solid(colour("#FFFFFF", 0.07 - 0.01 * i)))


def draw_mouse_emblem(c, cx, cy):
    """A stylised mouse with a lit wheel, and speed lines trailing behind it."""
    w, h = px(24), px(40)
    body = RoundRect(cx - w / 2, cy - h / 2, cx + w / 2, cy + h / 2, w / 2, px(9))
    halo = Gradient((cx, cy), (cx + px(40), cy), stops([(0, ACCENT, 0.1), (1, ACCENT, 0)]), radial=True)
    c.fill(Circle(cx, cy, px(40)), halo)
    c.fill(body, vertical(cy - h / 2, cy + h / 2, [(0, "#46515F"), (1, "#1B2029")]))
    split = cy - px(4)  # where the buttons end
    groove = Solid(colour("#0B0E12"))
    c.fill(body & Segment(cx - w, split, cx + w, split, px(1.3)), groove)
    c.fill(Segment(cx, cy - h / 2, cx, split, px(1.3)), groove)
    wheel = RoundRect(cx - px(2), cy - px(14), cx + px(2), cy - px(7), px(2))
    c.fill(Grown(wheel, px(1.5)), Solid(colour(ACCENT, 0.5)), feather=px(4))
    c.fill(wheel, Solid(colour(ACCENT)))
    c.fill(Ring(Grown(body, px(0.2)), px(1.2)), vertical(cy - h / 2, cy + h / 2, [(0, ACCENT, 0.9), (1, ACCENT, 0.25)]))
    tail = cx - px(20)
    for dy, reach in [(-9, 50), (0, 76), (9, 38)]:
        y = cy + px(dy)
        fade = horizontal(tail - px(reach), tail, [(0, ACCENT, 0), (1, ACCENT, 0.6)])
        c.fill(Segment(tail - px(reach), y, tail, y, px(1.8)), fade)


# --- buttons ---------------------------------------------------------------------------------


def button_face(width, height, radius, fill, border, glow=None, inset=False):
    """A rounded button face: a vertical gradient `fill` (top, bottom), a border of the accent
    colour at opacity `border`, an optional inner glow and, pressed, a shadow at the top."""
    c = Canvas(width, height)
    face = RoundRect(0.5, 0.5, width - 0.5, height - 0.5, radius)
    c.fill(face, vertical(0.5, height - 0.5, [(0, fill[0]), (1, fill[1])]))
    if glow:
        c.fill(Ring(face, 2.0), Solid(colour(ACCENT, glow)), feather=6.0)
    if inset:
        c.fill(face, vertical(0.5, 6, [(0, "#000000", 0.45), (1, "#000000", 0)]))
    else:
        highlight = Ring(Grown(face, -1.5), 1.0) & RoundRect(0, 0, width, height / 2, 0)
        c.fill(highlight, vertical(1, height / 2, [(0, "#FFFFFF", 0.16), (1, "#FFFFFF", 0)]))
    c.fill(Ring(Grown(face, -0.5), 1.0), Solid(colour(ACCENT, border)))
    return c


def button_ok():
    return button_face(94, 27, 5, ("#2E3847", "#1A2029"), 0.45)


def button_ok_hot():
    return button_face(94, 27, 5, ("#2F4A66", "#1B2A3A"), 0.95, glow=0.35)


def button_ok_down():
    return button_face(94, 27, 5, ("#131820", "#1E2631"), 0.6, inset=True)


def button_go_web():
    """The web button: a globe and an arrow on a face like the OK button's."""
    c = button_face(70, 30, 6, ("#2E3847", "#1A2029"), 0.45)
    cx, cy, r, line = 22.0, 15.0, 9.0, 1.3
    globe = Circle(cx, cy, r)
    accent = Solid(colour(ACCENT))
    c.fill(Grown(globe, 1.5), Solid(colour(ACCENT, 0.18)), feather=4.0)
    c.fill(Ring(globe, line), accent)
    # A meridian seen at an angle: the lens between two circle arcs through the poles.
    bulge = 4.0
    offset = (r * r - bulge * bulge) / (2 * bulge)
    lens = Circle(cx - offset, cy, offset + bulge) & Circle(cx + offset, cy, offset + bulge)
    c.fill(Ring(lens, line), accent)
    inner = Grown(globe, -line / 2)
    for dy in (-4.5, 0.0, 4.5):
        c.fill(Segment(cx - r, cy + dy, cx + r, cy + dy, line) & inner, accent)
    arrow = Solid(colour("#E0E0E0"))
    c.fill(Segment(39.0, cy, 55.0, cy, 1.8), arrow)
    c.fill(Segment(50.0, cy - 5, 55.0, cy, 1.8) | Segment(50.0, cy + 5, 55.0, cy, 1.8), arrow)
    return c


# --- the notice ------------------------------------------------------------------------------
# A short notice near the bottom of the screen: a dark rounded plate on a soft shadow, with an
# icon of 32 x 32 pixels at its left. The plate is 320 x 64 in a picture with room for the
# shadow on every side.

NOTICE_WIDTH, NOTICE_HEIGHT, NOTICE_SHADOW = 320, 64, 10


def notice_panel():
    s = NOTICE_SHADOW
    c = Canvas(NOTICE_WIDTH + 2 * s, NOTICE_HEIGHT + 2 * s)
    plate = RoundRect(s, s, s + NOTICE_WIDTH, s + NOTICE_HEIGHT, 14)
    c.fill(Grown(plate, 1.0, dy=2.0), Solid(colour("#000000", 0.45)), feather=s)
    c.fill(plate, vertical(s, s + NOTICE_HEIGHT, [(0, "#28313E", 0.95), (1, "#141920", 0.95)]))
    c.fill(Ring(Grown(plate, -0.5), 1.0), Solid(colour(ACCENT, 0.5)))
    return c


def notice_profile():
    """Three stacked cards, the front one lit: a profile among others."""
    c = Canvas(32, 32)
    for i, alpha in enumerate((0.35, 0.6)):
        c.fill(Ring(RoundRect(10 - 3 * i, 4 + 4 * i, 28 - 3 * i, 18 + 4 * i, 3), 1.6), Solid(colour(ACCENT, alpha)))
    front = RoundRect(4, 12, 22, 28, 3)
    c.fill(front, Solid(colour(ACCENT)))
    for y in (17.5, 22.5):
        c.fill(Segment(8, y, 18, y, 1.6), Solid(colour("#141920")))
    return c


def notice_microphone(muted):
    """A microphone: lit while it is on, grey and struck through in red while it is muted."""
    c = Canvas(32, 32)
    capsule = RoundRect(12, 3, 20, 19, 4)
    holder = Ring(Circle(16, 15, 8), 2.0) & RoundRect(0, 15, 32, 32, 0)
    stem = RoundRect(15, 23, 17, 27, 0)
    base = RoundRect(10, 27, 22, 29, 1)
    microphone = capsule | holder | stem | base
    if not muted:
        c.fill(microphone, Solid(colour(ACCENT)))
        return c
    strike = Segment(6, 5, 26, 27, 2.4)
    c.fill(microphone - Grown(strike, 1.6), Solid(colour("#C8C8C8")))
    c.fill(strike, Solid(colour("#E8262B")))
    return c


# --- the tray icon, muted --------------------------------------------------------------------


def mute_icon(canvas):
    """Marks a tray icon image as muted: a dark microphone struck through in red, on a white
    halo so it stands out on the mouse and on dark and light task bars. Laid out on a 16-pixel
    grid, strokes on whole pixels, so the smallest size stays crisp."""
    s = canvas.width / 16
    capsule = RoundRect(9 * s, 4 * s, 13 * s, 11 * s, 2 * s)
    holder = Ring(Circle(11 * s, 9 * s, 3.5 * s), s) & RoundRect(0, 9 * s, 16 * s, 16 * s, 0)
    stem = RoundRect(10 * s, 12.5 * s, 12 * s, 14 * s, 0)
    base = RoundRect(8 * s, 14 * s, 14 * s, 15 * s, 0.5 * s)
    microphone = capsule | holder | stem | base
    strike = Segment(6.6 * s, 4.4 * s, 14.8 * s, 14.6 * s, 1.5 * s)
    canvas.fill(Grown(microphone | strike, 0.8 * s), Solid(colour("#FFFFFF")))
    canvas.fill(microphone, Solid(colour("#1E1E1E")))
    canvas.fill(strike, Solid(colour("#E8262B")))
    return canvas


def muted_tray_icon():
    images = read_ico(os.path.join(ROOT, "app", "win32", "VDMon.ico"))
    return [(header, mute_icon(canvas)) for header, canvas in images]


# --- what is made, and where -----------------------------------------------------------------

PICTURES = [
    ("forms/art/AboutBackground.png", lambda: png_bytes(about_background())),
    ("forms/art/BtnOK.png", lambda: png_bytes(button_ok())),
    ("forms/art/BtnOKHot.png", lambda: png_bytes(button_ok_hot())),
    ("forms/art/BtnOKDown.png", lambda: png_bytes(button_ok_down())),
    ("forms/art/BtnGoWeb.png", lambda: png_bytes(button_go_web())),
    ("forms/art/NoticePanel.png", lambda: png_bytes(notice_panel())),
    ("forms/art/NoticeProfile.png", lambda: png_bytes(notice_profile())),
    ("forms/art/NoticeMicrophoneMuted.png", lambda: png_bytes(notice_microphone(True))),
    ("forms/art/NoticeMicrophoneOn.png", lambda: png_bytes(notice_microphone(False))),
    ("app/win32/VDMonMuted.ico", lambda: ico_bytes(muted_tray_icon())),
]


def main():
    parser = argparse.ArgumentParser(description="Draws the monitor's artwork.")
    parser.add_argument("--out", help="write every picture into this folder instead of its place in the tree")
    args = parser.parse_args()
    for path, make in PICTURES:
        target = os.path.join(args.out, os.path.basename(path)) if args.out else os.path.join(ROOT, path)
        with open(target, "wb") as file:
            file.write(make())
        print(target)
    return 0


if __name__ == "__main__":
    sys.exit(main())
