#!/usr/bin/env python3
"""Draws the monitor's artwork: the About window's background and button faces, the notice's
panel and icons, the tray icons (at every size the shell asks for, for dark and light task bars
and high contrast, live and muted), and the mute button's sound cues.

    python3 forms/art/make-art.py            writes into forms/art/ and app/win32/
    python3 forms/art/make-art.py --out DIR  writes every file into DIR

Standard library only, and deterministic (no clock, no randomness), so the committed pictures
can be checked against what this script makes. The rasterizer is in raster.py, the file
formats in writers.py; this script holds the pictures.
"""

import argparse
import math
import os
import sys

from raster import Canvas, Circle, Gradient, Grown, HalfPlane, Ring, RoundRect, Segment, Solid, colour, horizontal, stops, vertical
from writers import ico_bytes, png_bytes, wav_bytes

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))


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


# --- the tray icons --------------------------------------------------------------------------
# The notification area shows the tray icon at the shell's small-icon size: 16 pixels at 100 %
# scale; 20, 24, 32, 40 and 48 at 125, 150, 200, 250 and 300 %. Each size is drawn on its own,
# laid out on a 16-pixel grid scaled to it, with strokes and small parts on whole pixels so that
# it stays crisp. Each picture comes in three looks: light glyphs for a dark task bar (Windows'
# default, and the program's icon), dark glyphs for a light task bar, and for high contrast a
# plain white glyph outlined in black, which reads on black and on white alike. The muted
# picture is a microphone struck through: in red where there is colour, by its shape (a gap
# cut along a bold stroke) in high contrast.

TRAY_SIZES = (16, 20, 24, 32, 40, 48)
TRAY_LOOKS = {
    # glyph, accent (the mouse's wheel), the strike of the muted microphone, and a faint rim
    # that keeps the glyph apart from a background like its own (the program's icon in a
    # white folder window).
    "dark": ("#F3F3F3", ACCENT, "#FF4A4F", ("#000000", 0.4)),
    "light": ("#1F1F1F", "#0A6CC2", "#D7262C", ("#FFFFFF", 0.6)),
}


class TrayGrid:
    """The 16-pixel grid at one size: units to pixels, and widths of whole pixels."""

    def __init__(self, size):
        self.size, self.s = size, size / 16

    def u(self, v):
        return v * self.s

    def stroke(self, units=1.0):
        return max(1, round(units * self.s))

    def block(self, cx, cy, w, h):
        """A rectangle w x h units centred at (cx, cy), its edges on whole pixels."""
        pw, ph = self.stroke(w), self.stroke(h)
        left, top = round(self.u(cx) - pw / 2), round(self.u(cy) - ph / 2)
        return left, top, left + pw, top + ph


def tray_mouse(g):
    """The mouse, seen from above: a rounded body parted below its buttons, with its wheel."""
    body = RoundRect(g.u(3.25), g.u(0.5), g.u(12.75), g.u(15.5), g.u(4.75), g.u(4))
    groove_y = round(g.u(6.5)) + (0.5 if g.stroke() % 2 else 0)
    groove = Segment(-g.size, groove_y, 2 * g.size, groove_y, g.stroke())
    wheel = RoundRect(*g.block(8, 3.75, 2, 3.5), g.stroke(1) / 2)
    return body - groove, wheel


def tray_microphone(g):
    """A microphone on its stand, and the strike that mutes it."""
    w = g.stroke()
    capsule = RoundRect(g.u(5.5), g.u(0.5), g.u(10.5), g.u(9.5), g.u(2.5))
    # The stand's holder: a half ring below the capsule's middle, one stroke away from it.
    holder = Ring(Circle(g.u(8), g.u(7), g.u(3.5) + w / 2), w)
    holder = holder & RoundRect(0, g.u(7), g.size, g.size, 0)
    stem = RoundRect(*g.block(8, 12.5, 1, 2), 0)
    base = RoundRect(*g.block(8, 14.25, 6, 1.5), 0)
    strike = Segment(g.u(2.5), g.u(1.5), g.u(13.5), g.u(14.5), g.stroke(1.5))
    return capsule | holder | stem | base, strike


def tray_icon(size, look, muted):
    g = TrayGrid(size)
    c = Canvas(size, size)
    if muted:
        glyph, strike = tray_microphone(g)
        # The strike runs in a gap of its own through the microphone.
        glyph = glyph - Grown(strike, g.stroke())
        shape, mark = glyph | strike, strike
    else:
        glyph, wheel = tray_mouse(g)
        shape, mark = glyph, wheel
    if look == "contrast":
        outline = g.stroke()
        c.fill(Grown(shape, outline), Solid(colour("#000000")))
        c.fill(glyph, Solid(colour("#FFFFFF")))
        if muted:
            c.fill(strike, Solid(colour("#FFFFFF")))
        else:
            c.fill(mark, Solid(colour("#000000")))
        return c
    colour_of_glyph, accent, red, (rim, rim_alpha) = TRAY_LOOKS[look]
    c.fill(Ring(Grown(shape, g.stroke() / 2), g.stroke()), Solid(colour(rim, rim_alpha)))
    c.fill(glyph, Solid(colour(colour_of_glyph)))
    c.fill(mark, Solid(colour(red if muted else accent)))
    return c


def tray_icon_file(look, muted):
    return ico_bytes([tray_icon(size, look, muted) for size in TRAY_SIZES])


# --- the mute button's sound cues -----------------------------------------------------------
# Two short tones, falling when the microphone is muted and rising when it comes back: about
# 150 ms in all, quiet, and softened at both ends of each tone so that nothing clicks.

CUE_RATE = 22050
CUE_LOW, CUE_HIGH = 587.33, 880.0  # D5 and A5
CUE_TONE, CUE_GAP, CUE_EDGE = 0.065, 0.02, 0.008  # seconds
CUE_LEVEL = 0.22


def tone(frequency):
    count = round(CUE_TONE * CUE_RATE)
    edge = CUE_EDGE * CUE_RATE
    return [
        CUE_LEVEL * min(1.0, i / edge, (count - 1 - i) / edge) * math.sin(2 * math.pi * frequency * i / CUE_RATE)
        for i in range(count)
    ]


def cue(first, second):
    return wav_bytes(tone(first) + [0.0] * round(CUE_GAP * CUE_RATE) + tone(second), CUE_RATE)


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
    ("app/win32/VDMon.ico", lambda: tray_icon_file("dark", False)),
    ("app/win32/VDMonLight.ico", lambda: tray_icon_file("light", False)),
    ("app/win32/VDMonHighContrast.ico", lambda: tray_icon_file("contrast", False)),
    ("app/win32/VDMonMuted.ico", lambda: tray_icon_file("dark", True)),
    ("app/win32/VDMonMutedLight.ico", lambda: tray_icon_file("light", True)),
    ("app/win32/VDMonMutedHighContrast.ico", lambda: tray_icon_file("contrast", True)),
    ("app/win32/CueMuted.wav", lambda: cue(CUE_HIGH, CUE_LOW)),
    ("app/win32/CueUnmuted.wav", lambda: cue(CUE_LOW, CUE_HIGH)),
]


def main():
    parser = argparse.ArgumentParser(description="Draws the monitor's artwork.")
    parser.add_argument("--out", help="write every file into this folder instead of its place in the tree")
    args = parser.parse_args()
    for path, make in PICTURES:
        target = os.path.join(args.out, os.path.basename(path)) if args.out else os.path.join(ROOT, path)
        with open(target, "wb") as file:
            file.write(make())
        print(target)
    return 0


if __name__ == "__main__":
    sys.exit(main())
