#!/usr/bin/env python3
"""Draws the check box's 15 x 14 check mark into this directory.

A white tick with a thin dark edge, so it reads on the toolkit's default
white box as well as on a dark translucent one.

    python3 assets/controls/draw_check_mark.py
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.dirname(HERE))
from drawing import Canvas  # noqa: E402

TICK = [(2.6, 7.2), (5.6, 10.2), (11.6, 3.6)]

if __name__ == "__main__":
    c = Canvas(15, 14, HERE)
    c.polyline(TICK, "rgba(0,0,0,0.55)", 3.4)
    c.polyline(TICK, "#FFFFFF", 1.9)
    c.save("check_mark.png")
