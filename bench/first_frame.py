"""Process start to the first visible frame, the installer against the floor
program (the least a program does to show the same first picture),
alternating start by start, in two settings:

- desktop running: as on a user's machine, Wine's desktop and services stay
  up and only the timed program is ended before each start;
- Wine started each time: every Wine program and the wineserver are ended
  before each start, so both sides also pay Wine's own start (the figure
  earlier versions printed; the shared cost pulls the ratio towards 1).

Each setting prints the medians, their spread and the median of the
start-by-start ratios."""
import os
import signal
import statistics
import subprocess
import sys
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
import installer_window as w  # noqa: E402
import prefix_state as state  # noqa: E402
from wine_driver import BUILD, end_all_wine_programs, run, start, wait_until  # noqa: E402
from window_watch import WindowWatch  # noqa: E402

FLOOR = os.path.join(BUILD, "win", "bench", "first_frame_floor.exe")
FLOOR_TITLE = "Talvek floor"
PROBE = os.path.join(BUILD, "win", "wintests", "version_probe.exe")
VISIBLE_WITHIN_S = 60


def warm_start():
    """No program running, a warm wineserver, the prefix's files in the cache."""
    end_all_wine_programs()
    subprocess.run(["wineserver", "-p"], timeout=30)
    subprocess.run(["wine", PROBE], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)


def set_display_dpi(dpi):
    """The display scale Wine reports to every program of the prefix; it is
    read when Wine starts, so every program is ended first."""
    end_all_wine_programs()
    run(["wine", "reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(dpi),
         "/f"], timeout=60)
    end_all_wine_programs()


def end_program(name):
    """Ends only the named program, leaving Wine's desktop and services up."""
    for pid in state.running_programs(name):
        try:
            os.kill(pid, signal.SIGKILL)
        except OSError:
            pass
    wait_until(lambda: not state.running_programs(name), 10, interval=0.01)


def desktop_processes():
    """Wine's own desktop and service processes now running, by process id."""
    return sorted(pid for name in ("explorer.exe", "services.exe") for pid in state.running_programs(name))


def _time_one(watch, exe, title, log_name):
    watch.forget()
    started = time.monotonic()
    start(exe, log_name=log_name)
    shown = watch.wait_for(title, VISIBLE_WITHIN_S)
    return (shown - started) * 1000 if shown is not None else float("nan")


def _programs(installers):
    # Each is ended by its own file name: a baseline left running under
    # another name would hold the single-instance guard against the next start.
    return [(FLOOR, FLOOR_TITLE, "first_frame_floor")] + [(exe, w.TITLE, os.path.basename(exe)) for exe in installers]


def on_running_desktop(runs, installers):
    """(times of the floor and of each installer, Wine's desktop and
    service processes before and after: the same when they kept running
    throughout)."""
    warm_start()
    watch = WindowWatch()
    times = [[] for _ in range(len(installers) + 1)]
    try:
        # One start of each, untimed, brings up the desktop (the first window
        # of a session starts it) and puts both programs' files in the cache.
        for exe, title, name in _programs(installers):
            _time_one(watch, exe, title, "bench-desktop")
            end_program(name)
        desktop = desktop_processes()
        for _ in range(runs):
            for side, (exe, title, name) in enumerate(_programs(installers)):
                times[side].append(_time_one(watch, exe, title, "bench-desktop"))
                end_program(name)
        after = desktop_processes()
    finally:
        watch.close()
    return times, (desktop, after)


def with_wine_started(runs, installers):
    """Times of the floor and of each installer, Wine ended before each start."""
    watch = WindowWatch()
    times = [[] for _ in range(len(installers) + 1)]
    try:
        for _ in range(runs):
            for side, (exe, title, _) in enumerate(_programs(installers)):
                warm_start()
                times[side].append(_time_one(watch, exe, title, "bench-wine"))
    finally:
        watch.close()
    end_all_wine_programs()
    return times


def spread(values):
    """Median and quartiles; a start that never showed counts as slowest."""
    ordered = sorted(values, key=lambda v: float("inf") if v != v else v)
    if len(ordered) < 2:
        return ordered[0], ordered[0], ordered[0]
    quartiles = statistics.quantiles(ordered, n=4, method="inclusive")
    return statistics.median(ordered), quartiles[0], quartiles[2]


def rows(setting, floors, frames, target, name="installer"):
    """Table rows: both sides' medians with their quartiles, and the median
    of the start-by-start ratios (each installer start against the floor
    start just before it) with its quartiles."""
    ratios = [frame / floor for floor, frame in zip(floors, frames)]
    out = []
    for label, values, unit in ((name, frames, " ms"), ("floor program", floors, " ms"), (name + " ratio", ratios, "")):
        median, low, high = spread(values)
        digits = 2 if not unit else 0
        out.append((f"first frame, {setting}: {label}",
                    f"{median:.{digits}f}{unit}", f"{low:.{digits}f}-{high:.{digits}f}",
                    target if not unit else ""))
    return out


def print_table(rows_, runs, dpi):
    print(f"\nfirst visible frame, {runs} starts of each, alternating, at {dpi} dpi "
          "(median, quartiles; process start to the window's mapping on the display)")
    print("%-60s %-10s %-14s %s" % ("figure", "median", "quartiles", "target"))
    for name, median, quartiles, target in rows_:
        print("%-60s %-10s %-14s %s" % (name, median, quartiles, target))
