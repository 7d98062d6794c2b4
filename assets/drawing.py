"""The drawing canvas shared by the art scripts under assets/.

Everything is drawn with ImageMagick at four times the final size and
box-filtered down, so edges on the pixel grid stay crisp and slanted ones
are smoothly anti-aliased. Coordinates are final pixels, (0, 0) being the
top-left corner of the first pixel. Output is deterministic (no dates).
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

class Canvas:
    def __init__(self, width, height, directory):
        self.width, self.height = width, height
        self.directory = directory
        self.commands = []

    # Final-pixel coordinates to ImageMagick's, whose pixel centres sit on integers.
    @staticmethod
    def p(x, y):
        return "%.3f,%.3f" % (x * SCALE - 0.5, y * SCALE - 0.5)

    @staticmethod
    def q(x, y):
        return "%.3f %.3f" % (x * SCALE - 0.5, y * SCALE - 0.5)

    def style(self, fill="none", stroke="none", width=0.0, cap="round", join="round"):
        self.commands += [
            "fill '%s'" % fill,
            "stroke '%s'" % stroke,
            "stroke-width %.3f" % (width * SCALE),
            "stroke-linecap %s" % cap,
            "stroke-linejoin %s" % join,
        ]

    def rect(self, x0, y0, x1, y1, fill, radius=0.0):
        # Covers exactly the area [x0, x1) x [y0, y1).
        self.style(fill=fill)
        a = "%.3f,%.3f" % (x0 * SCALE, y0 * SCALE)
        b = "%.3f,%.3f" % (x1 * SCALE - 1, y1 * SCALE - 1)
        if radius:
            self.commands.append("roundrectangle %s %s %.3f,%.3f" % (a, b, radius * SCALE, radius * SCALE))
        else:
            self.commands.append("rectangle %s %s" % (a, b))

    def frame(self, x0, y0, x1, y1, color, width=1.0, radius=0.0, fill="none"):
        # A stroked outline whose outer edge is the area's edge.
        h = width / 2
        self.style(fill=fill, stroke=color, width=width, join="miter")
        corners = "%s %s" % (self.p(x0 + h, y0 + h), self.p(x1 - h, y1 - h))
        if radius:
            r = max(radius - h, 0) * SCALE
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
                parts.append(self.q(*a) if isinstance(a, tuple) else "%.3f" % (a * SCALE))
        self.commands.append("path '%s'" % " ".join(parts))
        self.commands.append("fill-rule nonzero")

    def text(self, x, y, string, font, size, fill, anchor="center"):
        """Draws string with its anchor (a gravity name) at final pixel (x, y)."""
        gravity = {"center": "Center", "west": "West", "east": "East"}[anchor]
        self.commands += ["fill '%s'" % fill, "stroke none", "font '%s'" % font, "font-size %.3f" % (size * SCALE),
                          "gravity %s" % gravity]
        # With a gravity, text offsets count from the anchor's edge of the image.
        dx = {"center": x - self.width / 2, "west": x, "east": self.width - x}[anchor]
        dy = y - self.height / 2
        self.commands.append("text %.3f,%.3f '%s'" % (dx * SCALE, dy * SCALE, string))
        self.commands.append("gravity NorthWest")

    def save(self, name, base=("xc:none",)):
        """base: ImageMagick arguments that make the picture drawn on, at SCALE times the final size."""
        # The drawing goes on the command line: the usual ImageMagick policy
        # refuses to read it from a file.
        subprocess.run(
            ["convert", "-size", "%dx%d" % (self.width * SCALE, self.height * SCALE), *base,
             "-draw", "\n".join(self.commands), "-filter", "Box", "-resize", "%dx%d!" % (self.width, self.height),
             "-strip", "-define", "png:exclude-chunks=date,time", "-define", "png:compression-level=9",
             "PNG32:" + os.path.join(self.directory, name)],
            check=True)
