"""Starts and observes Windows programs under Wine for end-to-end tests.

The environment (WINEPREFIX, locale, DISPLAY) comes from the test runner.
"""
import os
import subprocess
import time
import unittest

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
BUILD = os.environ.get("TALVEK_BUILD_DIR", os.path.join(ROOT, "build"))
# The shipped installer, whose file the tests of the executable read.
SHIPPED = os.path.join(ROOT, "dist", "TalvekSetup.exe")
# The Windows build whose programs run: the shipped 32-bit one, or the
# 64-bit one where this machine cannot run 32-bit code (wine-env.sh).
WIN_BUILD = os.environ.get("TALVEK_WIN_BUILD", os.path.join(BUILD, "win"))
DIST = os.environ.get("TALVEK_WIN_DIST", os.path.join(ROOT, "dist"))
INSTALLER = os.path.join(DIST, "TalvekSetup.exe")
# In a 64-bit prefix Wine gives every new program the ProgramFiles of the
# registry, whatever its parent set (seen with the launcher and cmd.exe):
# a test that points the default folder elsewhere through it runs only on
# the 32-bit build.
sets_own_program_files = unittest.skipIf(os.environ.get("TALVEK_WINE_ARCH") == "win64",
                                         "64-bit Wine gives a new program its own ProgramFiles")
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
