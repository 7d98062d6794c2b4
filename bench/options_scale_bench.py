#!/usr/bin/env python3
"""The options opening and closing (click to final height) at 100 % and at
150 % display scale, alternating in one run: both medians and their ratio.
At 150 % the window is 1050 x 525 pixels and slides to 750. `--baseline`
times an earlier build in the same alternation.

usage (after ./dev build; pin it for steadier numbers), in a prefix of
its own on a private display:
    export WINEPREFIX=$PWD/build/wine/bench-scale
    taskset -c 1 scripts/with-display.sh bash -c 'source scripts/wine-env.sh &&
      bash scripts/prepare-wineprefix.sh "$WINEPREFIX" && python3 bench/options_scale_bench.py --runs 5 \
      [--installer PATH] [--baseline PATH]'
"""
import argparse
import os
import statistics
import sys

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import installer_window as w  # noqa: E402
from first_frame import warm_start  # noqa: E402
from installer_timing import click_until_height  # noqa: E402
from test_display_scale import set_display_dpi  # noqa: E402
from wine_driver import end_all_wine_programs  # noqa: E402

SCALES = (96, 144)


def one_run(dpi, installer):
    set_display_dpi(dpi)
    warm_start()
    window = w.InstallerWindow(exe=installer, dpi=dpi, log_name=f"options-bench-{dpi}").wait_shown()
    w.xdotool("mousemove", "1270", "1014")
    opening = click_until_height(window, 500)
    closing = click_until_height(window, 350)
    window.end()
    return opening, closing


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--installer", default=w.INSTALLER, help="the build to time")
    parser.add_argument("--baseline", help="an earlier build timed in the same alternation")
    args = parser.parse_args()
    builds = [("installer", args.installer)] + ([("baseline", args.baseline)] if args.baseline else [])
    figures = {(name, dpi): {"opening": [], "closing": []} for name, _ in builds for dpi in SCALES}
    try:
        for _ in range(args.runs):
            for dpi in SCALES:
                for name, installer in builds:
                    opening, closing = one_run(dpi, installer)
                    figures[(name, dpi)]["opening"].append(opening)
                    figures[(name, dpi)]["closing"].append(closing)
    finally:
        set_display_dpi(96)
        end_all_wine_programs()
    for name, _ in builds:
        for kind in ("opening", "closing"):
            at = {dpi: statistics.median(figures[(name, dpi)][kind]) for dpi in SCALES}
            print("%-9s options %-8s 100 %%: %4.0f ms   150 %%: %4.0f ms   ratio %.2f   (target at 150 %%: <= 300 ms)"
                  % (name, kind, at[96], at[144], at[144] / at[96]))


if __name__ == "__main__":
    main()
