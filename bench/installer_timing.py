#!/usr/bin/env python3
"""Start-up and installation timing of dist/TalvekSetup.exe under Wine,
measured from outside like a user would: process start to the window's
first frame on the X display, peak memory of the installer process, and
the click on the install button to the installer's exit, split into the
installer's fixed pauses and everything else. A trivial Windows program's
start-to-exit time is printed beside it as Wine's own share.

usage (after ./dev build; pin it for steadier numbers):
    taskset -c 1 bash bench/installer_timing.sh [--runs N]
"""
import argparse
import os
import statistics
import subprocess
import sys
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
import installer_window as w  # noqa: E402
import prefix_state as state  # noqa: E402
from wine_driver import BUILD, end_all_wine_programs, start, wait_until  # noqa: E402

# What the installation waits for by design: the 100 ms pause between the
# two slides and the progress sweep of 100 steps of 10 ms.
FIXED_PAUSES_S = 0.100 + 100 * 0.010


def peak_memory_kib(name="TalvekSetup.exe"):
    """VmHWM of the Wine process running the installer, 0 when not found."""
    peak = 0
    for pid in state.running_programs(name):
        try:
            for line in open(f"/proc/{pid}/status"):
                if line.startswith("VmHWM:"):
                    peak = max(peak, int(line.split()[1]))
        except OSError:
            continue
    return peak


def wine_baseline():
    probe = os.path.join(BUILD, "win", "wintests", "version_probe.exe")
    started = time.monotonic()
    subprocess.run(["wine", probe], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)
    return time.monotonic() - started


def one_run():
    end_all_wine_programs()
    state.forget_installation()
    subprocess.run(["wineserver", "-p"], timeout=30)  # a warm server, as on a running system
    wine_baseline()  # warms the prefix's files
    started = time.monotonic()
    window = w.InstallerWindow(log_name="bench")
    ids = []
    assert wait_until(lambda: ids.extend(w.xdotool("search", "--onlyvisible", "--name", w.TITLE).split()) or ids,
                      60, interval=0.01), "no window"
    first_frame = time.monotonic() - started
    window.wait_shown()
    peak = peak_memory_kib()
    clicked = time.monotonic()
    window.click(w.INSTALL_BUTTON)
    while not window.exited() and time.monotonic() - clicked < 120:
        peak = max(peak, peak_memory_kib())
        time.sleep(0.05)
    to_exit = time.monotonic() - clicked - 0.4  # the click helper's own pauses
    return first_frame, peak, to_exit, window.process.returncode


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=3)
    args = parser.parse_args()
    subprocess.run(["wineserver", "-p"], timeout=30)
    baselines = [wine_baseline() for _ in range(3)]
    runs = [one_run() for _ in range(args.runs)]
    end_all_wine_programs()
    frames, peaks, exits, codes = zip(*runs)
    base = statistics.median(baselines)
    frame = statistics.median(frames)
    install = statistics.median(exits)
    print(f"wine start-to-exit of a trivial program: {base * 1000:.0f} ms (median of {len(baselines)})")
    print(f"start to first frame: {frame * 1000:.0f} ms (median of {len(frames)}), "
          f"{(frame - base) * 1000:.0f} ms beyond a trivial program")
    print(f"peak memory of the installer process: {max(peaks) / 1024:.1f} MiB")
    print("install click to exit per run: " + ", ".join(f"{e * 1000:.0f} ms" for e in exits))
    print(f"install click to exit: {install * 1000:.0f} ms (median), of which fixed pauses {FIXED_PAUSES_S * 1000:.0f} ms "
          f"and everything else {(install - FIXED_PAUSES_S) * 1000:.0f} ms; exit codes {codes}")


if __name__ == "__main__":
    main()
