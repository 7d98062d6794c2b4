"""Compares what is on the screen with the reference pictures kept under
tests/e2e/reference/: the settled states must keep their pixels when the
drawing code changes underneath them.

TALVEK_UPDATE_REFERENCE=1 writes the pictures instead of comparing (only
ever from a build whose drawing is known to be right).
"""
import os
import subprocess
import tempfile
import time

from wine_driver import LOGS, run

REFERENCE_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "reference")
UPDATING = os.environ.get("TALVEK_UPDATE_REFERENCE") == "1"


def park_pointer():
    """Away from every window, so no control shows its hover look."""
    run(["xdotool", "mousemove", "1270", "1014"], timeout=10)


def capture(area):
    """Raw RGB bytes of a screen rectangle (x, y, w, h)."""
    x, y, w, h = area
    with tempfile.NamedTemporaryFile(suffix=".rgb") as raw:
        subprocess.run(["import", "-window", "root", "-crop", f"{w}x{h}+{x}+{y}", "+repage", "-depth", "8",
                        "rgb:" + raw.name], check=True, timeout=30)
        return open(raw.name, "rb").read()


def masked(data, size, masks):
    """data with the window-relative rectangles in masks painted black."""
    if not masks:
        return data
    width, height = size
    out = bytearray(data)
    for mx, my, mw, mh in masks:
        for row in range(max(my, 0), min(my + mh, height)):
            start = (row * width + max(mx, 0)) * 3
            end = (row * width + min(mx + mw, width)) * 3
            out[start:end] = bytes(end - start)
    return bytes(out)


def settled_capture(area, masks=(), seconds=10, interval=0.3):
    """A capture once two in a row agree (fades and show effects are over);
    after `seconds` the last one, whatever it shows."""
    size = area[2:]
    deadline = time.monotonic() + seconds
    last = masked(capture(area), size, masks)
    while time.monotonic() < deadline:
        time.sleep(interval)
        now = masked(capture(area), size, masks)
        if now == last:
            return now
        last = now
    return last


def write_png(data, size, path):
    subprocess.run(["convert", "-size", f"{size[0]}x{size[1]}", "-depth", "8", "rgb:-", path], input=data,
                   check=True, timeout=30)


def read_png(path):
    out = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], capture_output=True, check=True, timeout=30)
    return out.stdout


def png_size(path):
    out = subprocess.run(["identify", "-format", "%w %h", path], capture_output=True, check=True, timeout=30)
    return tuple(int(v) for v in out.stdout.split())


def differing_pixels(actual, expected, tolerance):
    """Offsets of the pixels where some channel differs by more than
    tolerance."""
    return [i // 3 for i in range(0, len(actual), 3)
            if max(abs(actual[i] - expected[i]), abs(actual[i + 1] - expected[i + 1]),
                   abs(actual[i + 2] - expected[i + 2])) > tolerance]


# The references are the shipped 32-bit build's pixels. Where the 64-bit
# build runs instead (wine-env.sh), 64-bit GDI+'s arithmetic shades a few
# anti-aliased edge pixels a little otherwise: so many, by so much, pass.
EDGE_PIXELS_64BIT = 16 if os.environ.get("TALVEK_WINE_ARCH") == "win64" else 0
EDGE_TOLERANCE_64BIT = 32


def compare_with_reference(test, name, area, tolerance=0, masks=()):
    """Asserts that the settled screen rectangle matches reference `name`
    within `tolerance` per channel; masked rectangles are left out. On a
    mismatch the capture and a difference picture go to the e2e logs."""
    size = tuple(area[2:])
    actual = settled_capture(area, masks)
    path = os.path.join(REFERENCE_DIR, name + ".png")
    if UPDATING:
        write_png(actual, size, path)
        return
    test.assertTrue(os.path.exists(path), f"no reference picture {path}")
    test.assertEqual(png_size(path), size, f"{name}: the settled size differs from the reference")
    expected = masked(read_png(path), size, masks)
    different = differing_pixels(actual, expected, tolerance)
    if different and len(different) <= EDGE_PIXELS_64BIT and not differing_pixels(actual, expected, EDGE_TOLERANCE_64BIT):
        different = []
    if different:
        write_png(actual, size, os.path.join(LOGS, name + "-actual.png"))
        subprocess.run(["compare", "-fuzz", f"{tolerance * 100 / 255:.2f}%", path,
                        os.path.join(LOGS, name + "-actual.png"), os.path.join(LOGS, name + "-difference.png")],
                       capture_output=True, timeout=60)
        first = different[0]
        test.fail(f"{name}: {len(different)} pixels differ by more than {tolerance}, the first at "
                  f"({first % size[0]}, {first // size[0]}); see {LOGS}/{name}-*.png")
