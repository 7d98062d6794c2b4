#!/usr/bin/env python3
"""Draws the installer window's pictures into this directory, and with
--sheet a preview of them on the window colour into docs/installer-art.png.

One dark theme around the theme red #B31935 on the window's #1C1C1C. The
header is opaque and fades into the window colour at its bottom edge; every
button is transparent around its shape, because the image button darkens
what lies behind it on hover.

    python3 assets/installer/draw_installer.py [--sheet]

Each picture is drawn at 1x and again for the larger display scales, under
names with the scale's suffix ("header@1.5x.png").
"""
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.dirname(HERE))
from drawing import DITHERED, SMOOTH, VARIANTS, GLYPH, MUTED, RED, RED_DARK, WINDOW, Canvas as SharedCanvas  # noqa: E402

RED_HOT = "#CC2443"
WHITE = "#FFFFFF"
LATIN = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
CHINESE = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"


# The scale and file-name suffix of the pictures being drawn.
variant = (1, "")


class Canvas(SharedCanvas):
    def __init__(self, width, height):
        super().__init__(width, height, HERE, *variant)


def brand_mark(c, x, y, size):
    """A red tile holding a lens around a play triangle: search and watch."""
    c.rect(x, y, x + size, y + size, RED, radius=size * 0.24)
    k = size / 52.0
    cx, cy, r = x + 23 * k, y + 23 * k, 13 * k
    c.circle(cx, cy, r, stroke=WHITE, width=3.2 * k)
    c.polyline([(cx + r * 0.74, cy + r * 0.74), (x + 41 * k, y + 41 * k)], WHITE, 4.6 * k)
    c.polygon([(cx - 4.2 * k, cy - 6.5 * k), (cx - 4.2 * k, cy + 6.5 * k), (cx + 6.8 * k, cy)], WHITE)


def header():
    w, h = 700, 144
    c = Canvas(w, h)
    # Faint streaks give the dark band some depth without competing with the text.
    for i, x in enumerate((430, 470, 520, 585)):
        c.polyline([(x, -10), (x + 80, h * 0.62)], "rgba(255,255,255,%.3f)" % (0.035 - i * 0.006), 14 - i * 3)
    brand_mark(c, 222, 38, 56)
    c.text(292, 62, "Talvek", LATIN, 40, WHITE, anchor="west")
    c.text(294, 92, "视频搜索 · 高清播放 · 一键收藏", CHINESE, 13, "#A0A0A0", anchor="west")
    glow = ["xc:" + WINDOW,
            # Made round, then stretched: a radial gradient's radius follows
            # its longer side, which would cut the glow off at the short one.
            "(", "-size", "1024x1024", "radial-gradient:rgba(179,25,53,0.50)-rgba(28,28,28,0)",
            "-resize", "%dx%d!" % (w * c.k * 1.05, h * c.k * 1.9), ")",
            "-gravity", "north", "-geometry", "+0-%d" % (h * c.k * 0.95), "-composite", "-gravity", "northwest"]
    # The 1.5x drawing was made dithered before the others and stays so:
    # the 144-dpi reference pictures show it.
    c.save("header.png", base=glow, palette=DITHERED if c.scale == 1.5 else SMOOTH)


def header_small():
    c = Canvas(333, 49)
    brand_mark(c, 14, 10, 30)
    c.text(53, 25, "Talvek", LATIN, 20, WHITE, anchor="west")
    c.text(134, 26, "正在为您安装", CHINESE, 12, MUTED, anchor="west")
    c.save("header_small.png")


def install_button():
    w, h = 232, 57
    looks = {"normal": (RED, 0), "hover": (RED_HOT, 0), "pressed": (RED_DARK, 1)}
    for state, (fill, shift) in looks.items():
        c = Canvas(w, h)
        c.rect(2, 2 + shift, w - 2, h - 2 + shift, fill, radius=(h - 4) / 2)
        c.text(w / 2, h / 2 + shift, "立即安装", CHINESE, 22, WHITE)
        c.save("install_%s.png" % state)


def folder_button():
    c = Canvas(30, 30)
    d = [("M", (7, 10)), ("L", (7, 21.5), (23, 21.5), (23, 12), (15, 12), (13, 10)), ("Z",)]
    c.path(d, stroke=GLYPH, width=1.5)
    c.polyline([(7, 14.5), (23, 14.5)], GLYPH, 1.2)
    c.save("folder.png")


def advanced_button():
    c = Canvas(64, 30)
    c.text(28, 15, "高级设置", CHINESE, 12, GLYPH)
    c.polyline([(53, 13.5), (56, 16.5), (59, 13.5)], GLYPH, 1.3)
    c.save("advanced.png")


def close_button():
    c = Canvas(30, 31)
    c.polyline([(10.5, 11), (19.5, 20)], GLYPH, 1.5)
    c.polyline([(19.5, 11), (10.5, 20)], GLYPH, 1.5)
    c.save("close.png")


def preview():
    """The pictures on the window colour, twice their size."""
    names = ["header", "header_small", "install_normal", "install_hover", "install_pressed",
             "folder", "advanced", "close"]
    args = ["montage"] + [os.path.join(HERE, n + ".png") for n in names]
    args += ["-background", WINDOW, "-geometry", "+8+8", "-tile", "1x", "-fill", MUTED,
             os.path.join(ROOT, "docs", "installer-art.png")]
    subprocess.run(args, check=True)


if __name__ == "__main__":
    for variant in ((1, ""),) + VARIANTS:
        header()
        header_small()
        install_button()
        folder_button()
        advanced_button()
        close_button()
    if "--sheet" in sys.argv:
        preview()
