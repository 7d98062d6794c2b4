"""Starts and observes Windows programs under Wine for end-to-end tests.

The environment (WINEPREFIX, locale, DISPLAY) comes from the test runner.
"""
import os
import subprocess
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
INSTALLER = os.path.join(ROOT, "dist", "TalvekSetup.exe")
BUILD = os.environ.get("TALVEK_BUILD_DIR", os.path.join(ROOT, "build"))
PREFIX = os.environ["WINEPREFIX"]
# Runners side by side, each with its own prefix, keep their own logs.
LOGS = os.environ.get("TALVEK_E2E_LOGS", os.path.join(BUILD, "e2e-logs"))
os.makedirs(LOGS, exist_ok=True)


def start(exe, *args, log_name="program"):
    """Starts a Windows program; its output goes to a log file, never a pipe
    (Wine's helper processes would hold a pipe open)."""
    log = open(os.path.join(LOGS, f"{log_name}.log"), "ab")
    return subprocess.Popen(["wine", exe, *args], stdout=log, stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL)


def run(command, timeout=60):
    return subprocess.run(command, capture_output=True, timeout=timeout, check=False)


def wait_until(condition, seconds, interval=0.1):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if condition():
            return True
        time.sleep(interval)
    return bool(condition())


def visible_windows():
    """Ids of the visible X windows with a name (Wine's top-level windows)."""
    out = run(["xdotool", "search", "--onlyvisible", "--name", "."], timeout=10).stdout.decode()
    return set(out.split())


def end_all_wine_programs():
    run(["wineserver", "-k"], timeout=30)
    run(["wineserver", "-w"], timeout=30)
