"""The drawing canvas shared by the art scripts under assets/.

Everything is drawn with ImageMagick at four times the final size and
box-filtered down, so edges on the pixel grid stay crisp and slanted ones
are smoothly anti-aliased; then recompressed (pngquant for the larger
drawings, advpng for all: both tools are needed). Coordinates are final pixels of the 1x picture,
(0, 0) being the top-left corner of the first pixel; a canvas with a scale
draws the same picture larger for high-DPI displays, its size rounded to
whole pixels. Output is deterministic (no dates).
"""
import os
import subprocess

SCALE = 4

# The theme every picture shares: a dark window (#1C1C1C) with the theme red.
WINDOW = "#1C1C1C"
RED = "#B31935"
RED_DARK = "#8C1129"
GLYPH = "#C4C4C4"
MUTED = "#8E8E8E"

# The display scales a picture is drawn for beside its 1x original, with
# the suffix its file name carries; the toolkit picks the nearest and
# stretches the rest (175 % gets the 2x drawing scaled down). Another scale
# is one more entry here and in toolkit/core/PictureScale.h.
VARIANTS = ((1.25, "@1.25x"), (1.5, "@1.5x"), (2, "@2x"))


# How the larger drawings are reduced to a palette with alpha (pngquant):
# dithered, as most are; smooth, for a wide soft gradient, whose dithering
# would double its size while its bands at this many colours are too faint
# to see.
DITHERED = ("--quality", "70-90", "--floyd=0.5")
SMOOTH = ("--quality", "80-95", "--nofs")


def variant_name(name, suffix):
    stem, ext = os.path.splitext(name)
    return stem + suffix + ext

class Canvas:
    def __init__(self, width, height, directory, scale=1, suffix=""):
        self.width, self.height = width, height
        self.directory = directory
        self.scale, self.suffix = scale, suffix
        # Drawing units per 1x pixel, and the saved picture's pixel size.
        self.k = SCALE * scale
        self.pixel_width, self.pixel_height = round(width * scale), round(height * scale)
        self.commands = []

    # Final-pixel coordinates to ImageMagick's, whose pixel centres sit on integers.
    def p(self, x, y):
        return "%.3f,%.3f" % (x * self.k - 0.5, y * self.k - 0.5)

    def q(self, x, y):
        return "%.3f %.3f" % (x * self.k - 0.5, y * self.k - 0.5)

    def style(self, fill="none", stroke="none", width=0.0, cap="round", join="round"):
        self.commands += [
            "fill '%s'" % fill,
            "stroke '%s'" % stroke,
            "stroke-width %.3f" % (width * self.k),
            "stroke-linecap %s" % cap,
            "stroke-linejoin %s" % join,
        ]

    def rect(self, x0, y0, x1, y1, fill, radius=0.0):
        # Covers exactly the area [x0, x1) x [y0, y1).
        self.style(fill=fill)
        a = "%.3f,%.3f" % (x0 * self.k, y0 * self.k)
        b = "%.3f,%.3f" % (x1 * self.k - 1, y1 * self.k - 1)
        if radius:
            self.commands.append("roundrectangle %s %s %.3f,%.3f" % (a, b, radius * self.k, radius * self.k))
        else:
            self.commands.append("rectangle %s %s" % (a, b))

    def frame(self, x0, y0, x1, y1, color, width=1.0, radius=0.0, fill="none"):
        # A stroked outline whose outer edge is the area's edge.
        h = width / 2
        self.style(fill=fill, stroke=color, width=width, join="miter")
        corners = "%s %s" % (self.p(x0 + h, y0 + h), self.p(x1 - h, y1 - h))
        if radius:
            r = max(radius - h, 0) * self.k
            self.commands.append("roundrectangle %s %.3f,%.3f" % (corners, r, r))
        else:
            self.commands.append("rectangle " + corners)

    def polyline(self, points, color, width, cap="round", join="round"):
        self.style(stroke=color, width=width, cap=cap, join=join)
        self.commands.append("polyline " + " ".join(self.p(x, y) for x, y in points))

    def polygon(self, points, fill, stroke="none", width=0.0):
        self.style(fill=fill, stroke=stroke, width=width)
        self.commands.append("polygon " + " ".join(self.p(x, y) for x, y in points))

    def circle(self, cx, cy, r, fill="none", stroke="none", width=0.0):
        self.style(fill=fill, stroke=stroke, width=width)
        self.commands.append("circle %s %s" % (self.p(cx, cy), self.p(cx + r, cy)))

    def path(self, d, fill="none", stroke="none", width=0.0, evenodd=False):
        """d: list of (command, *points) with points as (x, y) pairs or numbers."""
        self.style(fill=fill, stroke=stroke, width=width)
        self.commands.append("fill-rule %s" % ("evenodd" if evenodd else "nonzero"))
        parts = []
        for op, *args in d:
            parts.append(op)
            for a in args:
                parts.append(self.q(*a) if isinstance(a, tuple) else "%.3f" % (a * self.k))
        self.commands.append("path '%s'" % " ".join(parts))
        self.commands.append("fill-rule nonzero")

    def text(self, x, y, string, font, size, fill, anchor="center"):
        """Draws string with its anchor (a gravity name) at final pixel (x, y)."""
        gravity = {"center": "Center", "west": "West", "east": "East"}[anchor]
        self.commands += ["fill '%s'" % fill, "stroke none", "font '%s'" % font, "font-size %.3f" % (size * self.k),
                          "gravity %s" % gravity]
        # With a gravity, text offsets count from the anchor's edge of the image.
        # The picture's own size in 1x units: a scaled one is rounded to whole pixels.
        w, h = self.pixel_width / self.scale, self.pixel_height / self.scale
        dx = {"center": x - w / 2, "west": x, "east": w - x}[anchor]
        dy = y - h / 2
        self.commands.append("text %.3f,%.3f '%s'" % (dx * self.k, dy * self.k, string))
        self.commands.append("gravity NorthWest")

    def save(self, name, base=("xc:none",), palette=DITHERED):
        """base: ImageMagick arguments that make the picture drawn on, at SCALE times the final size.
        palette: the pngquant choices for a larger drawing (DITHERED or SMOOTH).
        A scaled canvas saves under the name with its suffix."""
        path = os.path.join(self.directory, variant_name(name, self.suffix))
        # The drawing goes on the command line: the usual ImageMagick policy
        # refuses to read it from a file.
        subprocess.run(
            ["convert", "-size", "%dx%d" % (self.pixel_width * SCALE, self.pixel_height * SCALE), *base,
             "-draw", "\n".join(self.commands), "-filter", "Box", "-resize", "%dx%d!" % (self.pixel_width, self.pixel_height),
             "-strip", "-define", "png:exclude-chunks=date,time", "-define", "png:compression-level=9",
             "PNG32:" + path],
            check=True)
        if self.scale != 1:
            # The larger drawings go to a palette with alpha: they cost about a
            # third as much. Exit codes 98 and 99: the picture stays as it was.
            done = subprocess.run(["pngquant", *palette, "--speed", "1", "--strip", "--skip-if-larger",
                                   "--force", "--output", path, path])
            if done.returncode not in (0, 98, 99):
                raise RuntimeError("pngquant failed on " + path)
        # Lossless: the pixels stay, the file shrinks by about a quarter.
        subprocess.run(["advpng", "--quiet", "-z", "-4", path], check=True)
