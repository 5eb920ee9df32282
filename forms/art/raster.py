"""The artwork's rasterizer: colours and paints, shapes as signed distance functions filled
with analytic anti-aliasing, and a canvas of premultiplied float channels. Standard library
only, and deterministic."""

import math
from array import array


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
