"""Reads text off the screen with OCR and compares it tolerantly.

A rectangle is cropped from the root window, scaled up, made grey (and
inverted for light text on a dark ground, which the recogniser reads worse)
and read as one line in simplified Chinese. Font hinting changes a glyph or
two between runs, so a read counts as showing a text when most of the
expected characters come back in order and little else comes with them.
"""
import os
import subprocess
import tempfile

# A read shows the expected text when at least this share of its characters
# come back in order...
IN_ORDER_SHARE = 0.8
# ...and the read is not much longer than the text (a text with something
# added is a different text).
EXTRA_SHARE = 0.25
OCR_SECONDS = 30


def _comparable(text):
    """Spaces carry no meaning in the texts read here (the recogniser puts
    them between Chinese characters), and full-width punctuation reads as
    either width."""
    folded = []
    for ch in text:
        code = ord(ch)
        if 0xFF01 <= code <= 0xFF5E:
            ch = chr(code - 0xFEE0)
        if not ch.isspace():
            folded.append(ch)
    return "".join(folded)


def in_order_count(expected, read):
    """How many characters of expected appear in read in the same order
    (the longest common subsequence)."""
    previous = [0] * (len(read) + 1)
    for a in expected:
        current = [0]
        for j, b in enumerate(read):
            current.append(previous[j] + 1 if a == b else max(previous[j + 1], current[j]))
        previous = current
    return previous[-1]


def shows(read, expected):
    read, expected = _comparable(read), _comparable(expected)
    if not expected:
        return not read
    found = in_order_count(expected, read)
    return found >= IN_ORDER_SHARE * len(expected) and len(read) - found <= EXTRA_SHARE * len(expected)


def _reading_steps(area, invert, scale):
    x, y, w, h = area
    steps = ["-crop", f"{w}x{h}+{x}+{y}", "+repage", "-resize", f"{scale * 100}%", "-colorspace", "Gray"]
    return steps + ["-negate"] if invert else steps


def capture_screen(area, path, invert=True, scale=3):
    """Crops a screen rectangle (x, y, w, h) into a picture ready for reading."""
    subprocess.run(["import", "-window", "root", *_reading_steps(area, invert, scale), path], check=True,
                   timeout=OCR_SECONDS, capture_output=True)


def prepare_picture(source, area, path, invert=True, scale=3):
    """Crops a rectangle of a kept picture into one ready for reading, as
    capture_screen does with the screen."""
    subprocess.run(["convert", source, *_reading_steps(area, invert, scale), path], check=True, timeout=OCR_SECONDS,
                   capture_output=True)


def read_picture(path, single_line=True):
    """Text in a picture made by capture_screen."""
    out = subprocess.run(["tesseract", path, "stdout", "--psm", "7" if single_line else "6", "-l", "chi_sim"],
                         capture_output=True, timeout=OCR_SECONDS, check=False)
    return out.stdout.decode("utf-8", "replace").strip()


def read_screen(area, invert=True, scale=3, single_line=True):
    """Text in a screen rectangle (x, y, w, h)."""
    with tempfile.TemporaryDirectory() as work:
        picture = os.path.join(work, "text.png")
        capture_screen(area, picture, invert, scale)
        return read_picture(picture, single_line)


def describe(read, expected):
    return f"expected {expected!r} on screen, read {read!r}"
