"""A product of thousands of small files in nested folders: every file
arrives byte for byte, and the ring counts up through the percentages while
they are being written, not only in the sweep after them."""
import os
import re
import shutil
import subprocess
import tempfile
import time
import unittest

import install_log
import installer_window as w
import prefix_state as state
import screen_text
from wine_driver import BUILD, WIN_BUILD, end_all_wine_programs, wait_until

INSTALLER = os.path.join(WIN_BUILD, "test-dist", "TalvekSetupManyFiles.exe")
PAYLOAD = os.path.join(WIN_BUILD, "assets", "many_files_payload.zip")
RING_WATCH = os.path.join(BUILD, "host", "tests", "ring_watch")
INSTALL_SECONDS = 180
# Pictures of the ring's percentage read back: enough to see it move, few
# enough to read quickly.
READS = 12


def percentage(picture, work):
    """The number a kept picture of the ring's centre shows, None if unread.
    The percent sign's left half reads as a 9 at some sizes ("4%" as "49%"
    at three times the size, "42%" as "429%" at four): a number counts only
    when two sizes read it alike."""
    readings = set()
    for size in ("200%", "300%"):
        ready = os.path.join(work, os.path.basename(picture) + size + ".png")
        subprocess.run(["convert", picture, "-resize", size, "-colorspace", "Gray", "-negate", ready], check=True,
                       timeout=30)
        digits = re.findall(r"(\d+)\s*%", screen_text.read_picture(ready))
        readings.add(int(digits[0]) if digits else None)
    value = readings.pop() if len(readings) == 1 else None
    return value if value is not None and value <= 100 else None


def spread(items, count):
    if len(items) <= count:
        return items
    return [items[round(i * (len(items) - 1) / (count - 1))] for i in range(count)]


class ManyFilesTest(unittest.TestCase):
    def setUp(self):
        end_all_wine_programs()
        state.forget_installation()

    def tearDown(self):
        end_all_wine_programs()
        state.forget_installation()

    def test_thousands_of_files_arrive_whole_while_the_ring_counts_up(self):
        self.assertGreaterEqual(len(state.payload_entries(PAYLOAD)), 2000)
        work = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, work, ignore_errors=True)
        frames = os.path.join(work, "frames")
        os.makedirs(frames)
        window = w.InstallerWindow(exe=INSTALLER, log_name="many-files").wait_shown()
        x, y = window.screen(w.RING_TEXT_AREA[:2])
        watch = subprocess.Popen([RING_WATCH, str(x), str(y), str(w.RING_TEXT_AREA[2]), str(w.RING_TEXT_AREA[3]),
                                  str(INSTALL_SECONDS), frames], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.addCleanup(watch.kill)
        window.move_to(w.INSTALL_BUTTON)
        w.xdotool("mousedown", "1")
        w.xdotool("mouseup", "1")
        clicked = time.monotonic() * 1000
        self.assertEqual(window.wait_exit(INSTALL_SECONDS), 0)
        watch.terminate()
        seen = [float(t) for t in watch.communicate(timeout=30)[0].decode().split()]

        self.assertEqual(state.differences_from_payload(state.DEFAULT_DIR, PAYLOAD), [])
        self.assertFalse(os.path.exists(os.path.join(state.DEFAULT_DIR, "install.zip")))

        # The log's times count from the process start; the click anchors
        # them to the watcher's clock. Only the first nine tenths of the
        # extraction are looked at, so that no picture of the sweep after it
        # slips in through the anchoring's few milliseconds.
        entries = {e.step: e for e in install_log.entries()}
        extract = entries["extract"]
        start = clicked + extract.at_ms - extract.took_ms - entries["install button"].at_ms
        end = start + extract.took_ms * 0.9
        during = [os.path.join(frames, f"{i:05d}.ppm") for i, t in enumerate(seen) if start < t < end]
        self.assertGreater(len(during), 1, "the ring's percentage changes on screen while the files are written")
        read = [p for p in (percentage(picture, work) for picture in spread(during, READS)) if p is not None]
        self.assertGreaterEqual(len(set(read)), 3, read)
        self.assertEqual(read, sorted(read), "the percentages come in order")
