#!/usr/bin/env python3
"""Draws the built-in skin images into this directory, and with --sheet a
contact sheet of all of them into docs/skin-contact-sheet.png.

Everything is drawn with ImageMagick at four times the final size and
box-filtered down, so edges on the pixel grid stay crisp and slanted ones
are smoothly anti-aliased. Coordinates below are final pixels, (0, 0) being
the top-left corner of the first pixel. Output is deterministic (no dates).

    python3 assets/skin/draw_skin.py [--sheet]

Each image is drawn at 1x and again for the larger display scales, under
names with the scale's suffix ("close_normal@1.5x.png").
"""
import math
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from drawing import VARIANTS, GLYPH, MUTED, RED, RED_DARK, WINDOW, Canvas as SharedCanvas  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))

# The rest of the palette; the theme colours come from drawing.py.
RED_LIGHT = "#E0566D"
GLYPH_BRIGHT = "#FFFFFF"
FRAME = "#5E5E5E"
FIELD = "#262626"
HOVER = "rgba(255,255,255,0.14)"
PRESS = "rgba(179,25,53,0.62)"
GREEN = "#2FB563"
AMBER = "#EFA21A"
BLUE = "#2F7FD3"


# The scale and file-name suffix of the pictures being drawn.
variant = (1, "")


class Canvas(SharedCanvas):
    def __init__(self, width, height):
        super().__init__(width, height, HERE, *variant)


# ---- caption buttons: one size, three states ------------------------------

BUTTON_W, BUTTON_H = 28, 24
CX, CY = 14, 12  # glyph centre


def glyph_minimise(c, color):
    c.rect(9, 12, 19, 13, color)


def glyph_maximise(c, color):
    c.frame(9, 7, 19, 17, color)


def glyph_restore(c, color):
    c.frame(9, 9, 17, 17, color)
    c.rect(11, 7, 19, 8, color)    # back window: top edge
    c.rect(18, 7, 19, 15, color)   # right edge
    c.rect(11, 7, 12, 9, color)    # left edge down to the front window
    c.rect(17, 14, 19, 15, color)  # bottom edge out of the front window


def glyph_close(c, color):
    c.polyline([(9.2, 7.2), (18.8, 16.8)], color, 1.25)
    c.polyline([(18.8, 7.2), (9.2, 16.8)], color, 1.25)


def glyph_menu(c, color):
    for y in (8, 12, 16):
        c.rect(9, y, 19, y + 1, color)


def glyph_skin(c, color):
    # A shirt: the skin changes the window's clothes.
    shirt = [("M", (12.2, 7.5)), ("L", (8.5, 9.2), (9.6, 12.2), (11.5, 11.3), (11.5, 16.5), (16.5, 16.5),
                                      (16.5, 11.3), (18.4, 12.2), (19.5, 9.2), (15.8, 7.5)),
             ("Q", (14, 9.8), (12.2, 7.5)), ("Z",)]
    c.path(shirt, stroke=color, width=1.0)


def glyph_settings(c, color):
    teeth, outer, root, hole = 8, 5.6, 4.1, 1.7
    points = []
    for k in range(teeth):
        a = 2 * math.pi * k / teeth
        for da, r in ((-0.26, root), (-0.17, outer), (0.17, outer), (0.26, root)):
            points.append((CX + r * math.cos(a + da), CY + r * math.sin(a + da)))
    d = [("M", points[0]), ("L", *points[1:]), ("Z",),
         ("M", (CX + hole, CY)), ("A", hole, hole, 0, 1, 0, (CX - hole, CY)),
         ("A", hole, hole, 0, 1, 0, (CX + hole, CY)), ("Z",)]
    c.path(d, fill=color, evenodd=True)


def caption_button(name, glyph, danger=False):
    looks = {
        "normal": (None, GLYPH),
        "hot": (RED if danger else HOVER, GLYPH_BRIGHT),
        "pressed": (RED_DARK if danger else PRESS, GLYPH_BRIGHT),
    }
    for state, (background, color) in looks.items():
        c = Canvas(BUTTON_W, BUTTON_H)
        if background:
            c.rect(1, 1, BUTTON_W - 1, BUTTON_H - 1, background, radius=3)
        glyph(c, color)
        c.save("%s_%s.png" % (name, state))


# ---- small glyphs ---------------------------------------------------------

def chevron(name, direction, size=16, color=MUTED):
    c = Canvas(size, size)
    m, a = size / 2, 3.2
    shapes = {
        "up": [(m - a, m + a / 2), (m, m - a / 2), (m + a, m + a / 2)],
        "down": [(m - a, m - a / 2), (m, m + a / 2), (m + a, m - a / 2)],
        "left": [(m + a / 2, m - a), (m - a / 2, m), (m + a / 2, m + a)],
        "right": [(m - a / 2, m - a), (m + a / 2, m), (m - a / 2, m + a)],
    }
    c.polyline(shapes[direction], color, 1.5)
    c.save(name)


def triangle(name, direction, width, height, half, color=GLYPH):
    """A solid arrowhead with 45-degree sides: its base, 2 x half long, lies on
    a pixel edge, its tip half away from the base."""
    c = Canvas(width, height)
    x, y = width / 2, height / 2
    if direction in ("up", "down"):
        base = round(y - half / 2) if direction == "down" else round(y + half / 2)
        tip = base + half if direction == "down" else base - half
        shape = [(x - half, base), (x + half, base), (x, tip)]
    else:
        base = round(x - half / 2)
        shape = [(base, y - half), (base, y + half), (base + half, y)]
    c.polygon(shape, color)
    c.save(name)


def tree_box(name, sign):
    c = Canvas(11, 11)
    c.frame(1, 1, 10, 10, FRAME, radius=1.5, fill=FIELD)
    c.rect(3, 5, 8, 6, GLYPH_BRIGHT)
    if sign == "plus":
        c.rect(5, 3, 6, 8, GLYPH_BRIGHT)
    c.save(name)


def check_mark(c, color, width=1.6):
    c.polyline([(3.6, 6.7), (5.6, 8.7), (9.6, 4.5)], color, width)


def selection(name, look):
    c = Canvas(13, 13)
    if look == "solid":
        c.rect(1, 1, 12, 12, RED, radius=2)
        check_mark(c, GLYPH_BRIGHT)
    else:
        c.frame(1, 1, 12, 12, FRAME, radius=2, fill=FIELD)
        if look == "selected":
            check_mark(c, RED_LIGHT)
    c.save(name)


def presence(name, color, symbol):
    c = Canvas(14, 14)
    c.circle(7, 7, 6.5, fill=WINDOW)
    c.circle(7, 7, 5.5, fill=color)
    if symbol == "check":
        c.polyline([(4.6, 7.2), (6.3, 8.8), (9.4, 5.4)], GLYPH_BRIGHT, 1.4)
    elif symbol == "clock":
        c.polyline([(7, 4.0), (7, 7.3), (9.3, 8.6)], GLYPH_BRIGHT, 1.3)
    elif symbol == "dot":
        c.circle(7, 7, 1.8, fill=GLYPH_BRIGHT)
    elif symbol == "bar":
        c.rect(4, 6, 10, 8, GLYPH_BRIGHT, radius=0.8)
    c.save(name)


def tab_end(name, side):
    c = Canvas(6, 24)
    # The tab body with its top corner rounded; the red top line marks the tab.
    if side == "left":
        body = [("M", (0.5, 24)), ("L", (0.5, 4)), ("Q", (0.5, 0.5), (4, 0.5)), ("L", (6, 0.5)), ("L", (6, 24)), ("Z",)]
        top = [("M", (0.5, 5)), ("L", (0.5, 4)), ("Q", (0.5, 0.5), (4, 0.5)), ("L", (6, 0.5))]
    else:
        body = [("M", (5.5, 24)), ("L", (5.5, 4)), ("Q", (5.5, 0.5), (2, 0.5)), ("L", (0, 0.5)), ("L", (0, 24)), ("Z",)]
        top = [("M", (5.5, 5)), ("L", (5.5, 4)), ("Q", (5.5, 0.5), (2, 0.5)), ("L", (0, 0.5))]
    c.path(body, fill="#2A2A2A", stroke="#3A3A3A", width=1.0)
    c.path(top, stroke=RED, width=1.0)
    c.save(name)


def link(name):
    c = Canvas(16, 16)
    # Two chain links on a diagonal.
    for dx in (-2.3, 2.3):
        cx, cy = 8 + dx, 8 - dx
        c.commands.append("push graphic-context")
        c.commands.append("translate %.3f,%.3f rotate -45" % (cx * c.k - 0.5, cy * c.k - 0.5))
        c.style(stroke=RED_LIGHT, width=1.5)
        c.commands.append("roundrectangle %.3f,%.3f %.3f,%.3f %.3f,%.3f"
                          % (-4.2 * c.k, -2.1 * c.k, 4.2 * c.k, 2.1 * c.k, 2.1 * c.k, 2.1 * c.k))
        c.commands.append("pop graphic-context")
    c.save(name)


# ---- message icons ----------------------------------------------------------

def message_icon(name, kind):
    c = Canvas(32, 32)
    white = GLYPH_BRIGHT
    if kind == "warning":
        c.polygon([(16, 4.5), (28.5, 26.5), (3.5, 26.5)], AMBER, stroke=AMBER, width=3.0)
        c.polyline([(16, 11.5), (16, 18.5)], WINDOW, 2.8)
        c.circle(16, 22.6, 1.6, fill=WINDOW)
    else:
        c.circle(16, 16, 13.5, fill={"error": RED}.get(kind, BLUE))
        c.circle(16, 16, 13.5, stroke="rgba(255,255,255,0.18)", width=1.0)
        if kind == "information":
            c.circle(16, 9.9, 1.8, fill=white)
            c.polyline([(16, 14.2), (16, 22.6)], white, 2.9)
        elif kind == "question":
            d = [("M", (12.4, 12.4)), ("C", (12.4, 9.9), (14.1, 8.6), (16.1, 8.6)),
                 ("C", (18.2, 8.6), (19.7, 10.0), (19.7, 11.9)), ("C", (19.7, 13.8), (18.1, 14.6), (17.2, 15.3)),
                 ("C", (16.4, 15.9), (16.1, 16.5), (16.1, 18.2))]
            c.path(d, stroke=white, width=2.7)
            c.circle(16.1, 22.6, 1.7, fill=white)
        elif kind == "error":
            c.polyline([(11.6, 11.6), (20.4, 20.4)], white, 2.7)
            c.polyline([(20.4, 11.6), (11.6, 20.4)], white, 2.7)
    c.save(name)


def draw_all():
    caption_button("minimise", glyph_minimise)
    caption_button("maximise", glyph_maximise)
    caption_button("restore", glyph_restore)
    caption_button("close", glyph_close, danger=True)
    caption_button("menu", glyph_menu)
    caption_button("skin", glyph_skin)
    caption_button("settings", glyph_settings)

    for direction in ("up", "down", "left", "right"):
        chevron("scroll_%s.png" % direction, direction)
    triangle("spin_up.png", "up", 15, 9, 3.5, color=MUTED)
    triangle("spin_down.png", "down", 15, 9, 3.5, color=MUTED)
    triangle("picture_normal.png", "right", 12, 12, 4)
    triangle("picture_expanded.png", "down", 12, 12, 4)
    triangle("submenu.png", "right", 10, 10, 3)

    tree_box("tree_plus.png", "plus")
    tree_box("tree_minus.png", "minus")
    selection("tree_unselected.png", "unselected")
    selection("tree_selected.png", "selected")
    selection("tree_selected_solid.png", "solid")

    presence("presence_online.png", GREEN, "check")
    presence("presence_away.png", AMBER, "clock")
    presence("presence_busy.png", "#D93A3A", "dot")
    presence("presence_do_not_disturb.png", RED, "bar")

    tab_end("tab_left.png", "left")
    tab_end("tab_right.png", "right")
    link("link.png")

    for kind in ("question", "information", "warning", "error"):
        message_icon("icon_%s.png" % kind, kind)


# The order of the built-in database, for the contact sheet.
SHEET_ORDER = """spin_down spin_up picture_normal picture_expanded presence_do_not_disturb presence_busy
presence_away presence_online tree_selected tree_selected_solid tree_unselected tree_minus tree_plus tab_left
tab_right scroll_down scroll_up scroll_left scroll_right link submenu minimise_normal minimise_hot
minimise_pressed maximise_normal maximise_hot maximise_pressed settings_normal settings_hot settings_pressed
skin_normal skin_hot skin_pressed restore_normal restore_hot restore_pressed close_normal close_hot
close_pressed menu_normal menu_hot menu_pressed icon_question icon_information icon_warning icon_error""".split()


def contact_sheet():
    out = os.path.join(ROOT, "docs", "skin-contact-sheet.png")
    with tempfile.TemporaryDirectory() as work:
        tiles = []
        for name in SHEET_ORDER:
            # Each image at 3x, pixels kept square, on the window colour.
            tile = os.path.join(work, name + ".png")
            subprocess.run(["convert", os.path.join(HERE, name + ".png"), "-scale", "300%", "-background", WINDOW,
                            "-flatten", "-set", "label", name, tile], check=True)
            tiles.append(tile)
        subprocess.run(
            ["montage", "-background", WINDOW, "-fill", "#BBBBBB", "-font", "DejaVu-Sans", "-pointsize", "11",
             *tiles, "-tile", "8x", "-geometry", "124x84+6+6", "-depth", "8", "-strip", "-define", "png:exclude-chunks=date,time",
             out],
            check=True)


if __name__ == "__main__":
    for variant in ((1, ""),) + VARIANTS:
        draw_all()
    if "--sheet" in sys.argv[1:]:
        contact_sheet()
