"""Drives the installer's window from outside: finds it, clicks its
controls at their places in the layout, reads its geometry and pixels.

Coordinates are window-relative, as the installer lays its controls out:
the background panel starts at (5, 5) and holds the header, the install
button and the bottom bar; the option boxes are children of the form.
They are the layout's 96-dpi units: a window opened at another display
scale turns them into its pixels.
"""
import os
import signal
import subprocess
import time
import unittest

import screen_reference
import screen_text
from prefix_state import running_programs
from wine_driver import INSTALLER, LOGS, WIN_BUILD, end_all_wine_programs, run, start, wait_until

TITLE = "在线安装"
WINTESTS = os.path.join(WIN_BUILD, "wintests")
DAMAGED_INSTALLER = os.path.join(WIN_BUILD, "test-dist", "TalvekSetupDamaged.exe")
LAUNCHER = os.path.join(WINTESTS, "launch_with_environment.exe")

# Centres of the controls, window-relative.
INSTALL_BUTTON = (355, 223)
CLOSE_BUTTON = (674, 25)
BROWSE_BUTTON = (30, 325)
ADVANCED_BUTTON = (657, 325)
DESKTOP_BOX = (28, 389)
START_MENU_BOX = (28, 419)
QUICK_LAUNCH_BOX = (28, 449)
HOME_PAGE_BOX = (358, 389)
HEADER_MARK = (240, 40, 60, 60)
RING_CENTRE = (355, 175)
STATUS_ROW = 305
# Rectangles (x, y, w, h), window-relative, of what is read back with OCR.
STATUS_AREA = (0, 290, 700, 30)
RING_TEXT_AREA = (320, 162, 70, 26)
PATH_TEXT_AREA = (55, 310, 560, 30)


def xdotool(*args):
    # Bounded generously: on a loaded machine the X server answers late.
    return run(["xdotool", *args], timeout=30).stdout.decode().strip()


def scaled(value, dpi):
    """A length in 96-dpi units as pixels at dpi, halves rounded up, as the
    toolkit rounds."""
    return (value * dpi + 48) // 96


class InstallerWindow:
    def __init__(self, exe=INSTALLER, environment=None, log_name="installer", dpi=96):
        """Starts the installer; environment (name -> Windows value) goes
        through the launcher, since Wine sets ProgramFiles itself. dpi is
        the display scale the prefix was given."""
        self.dpi = dpi
        if environment:
            settings = [f"{name}={value}" for name, value in environment.items()]
            self.process = start(LAUNCHER, *settings, "--", exe, log_name=log_name)
        else:
            self.process = start(exe, log_name=log_name)
        self.id = None

    # ---- finding and measuring -------------------------------------------

    def wait_shown(self, seconds=60):
        def found():
            ids = xdotool("search", "--onlyvisible", "--name", TITLE).split()
            self.id = ids[0] if ids else None
            return self.id is not None
        assert wait_until(found, seconds, interval=0.2), "the installer window never appeared"
        # The show animation grows the window; it is done when the size holds.
        size = (scaled(700, self.dpi), scaled(350, self.dpi))
        assert wait_until(lambda: self.geometry()[2:] == size, 10), f"window is {self.geometry()}"
        # An effect that turns the picture keeps the size: wait until the
        # header's brand mark is drawn whole and holds still.
        header = []

        def settled():
            header.append(self.pixels(HEADER_MARK))
            return len(header) > 1 and header[-1] == header[-2] and sum(map(is_theme_red, header[-1])) > 300
        assert wait_until(settled, 15, interval=0.2), "the window never settled"
        return self

    def geometry(self):
        return window_geometry(self.id)

    def height(self):
        """In 96-dpi units."""
        return (self.geometry()[3] * 96 + self.dpi // 2) // self.dpi

    def exited(self):
        return self.process.poll() is not None

    def end(self):
        """Ends this installer, keeping the wineserver (and so the next
        start's speed). Through the launcher the installer is its child."""
        for pid in running_programs("TalvekSetup"):
            try:
                os.kill(pid, signal.SIGKILL)
            except OSError:
                pass
        self.process.kill()
        self.process.wait(30)
        wait_until(lambda: not running_programs("TalvekSetup"), 10)

    def wait_exit(self, seconds):
        assert wait_until(self.exited, seconds, interval=0.2), "the installer did not end"
        return self.process.returncode

    # ---- input ----------------------------------------------------------

    def screen(self, point):
        x, y, _, _ = self.geometry()
        return x + scaled(point[0], self.dpi), y + scaled(point[1], self.dpi)

    def pixel_area(self, area):
        """A window-relative rectangle in 96-dpi units as screen pixels."""
        x, y = self.screen(area[:2])
        return x, y, scaled(area[2], self.dpi), scaled(area[3], self.dpi)

    def move_to(self, point):
        x, y = self.screen(point)
        xdotool("mousemove", str(x), str(y))
        self.settle(point, seconds=2)  # hover fades take a few ticks

    def click(self, point):
        self.move_to(point)
        xdotool("mousedown", "1")
        time.sleep(0.1)  # a press, not a wait: the button is held a moment
        xdotool("mouseup", "1")
        # Briefly: a click that starts the installation is followed by the
        # turning ring, which never holds still.
        self.settle(point, seconds=0.5)

    def settle(self, point, seconds=5):
        """Waits until the window's picture around point holds still (a
        fade ended), or the window is gone; bounded, so a ring that keeps
        turning there costs at most `seconds`."""
        area = (max(0, point[0] - 20), max(0, point[1] - 20), 40, 40)
        seen = []

        def still():
            if self.exited():
                return True
            try:
                seen.append(self.pixels(area))
            except (OSError, subprocess.SubprocessError):
                return True
            return len(seen) > 1 and seen[-1] == seen[-2]
        wait_until(still, seconds, interval=0.1)

    # ---- pictures -------------------------------------------------------

    def screenshot(self, name):
        path = os.path.join(LOGS, name + ".png")
        subprocess.run(["import", "-window", "root", path], check=True, timeout=30)
        return path

    def read_text(self, area, **options):
        """Text shown in a window-relative rectangle, read with OCR."""
        return screen_text.read_screen(self.pixel_area(area), **options)

    def capture_text(self, area, path):
        """Keeps a window-relative rectangle as a picture to read later: a
        changing text is caught faster than it can be read."""
        screen_text.capture_screen(self.pixel_area(area), path)

    def wait_text(self, area, expected, seconds=15):
        """Whether the area comes to show expected within seconds (a new
        text fades in over the old one), and the last read."""
        reads = [""]

        def showing():
            reads.append(self.read_text(area))
            return screen_text.shows(reads[-1], expected)
        return wait_until(showing, seconds, interval=0.3), reads[-1]

    def pixels(self, area):
        """RGB tuples of a window-relative rectangle (x, y, w, h), row by row:
        the pixels it covers at the window's scale."""
        return screen_pixels(self.pixel_area(area))

    def status_shown(self):
        """Whether the status line shows a text (drawn in the theme's red)."""
        return any(map(is_theme_red, self.pixels((0, STATUS_ROW - 12, 700, 24))))


class OneWineserverTest(unittest.TestCase):
    """Tests that each start an installer and end it, sharing one warm
    wineserver: a fresh one for every test costs seconds each."""
    window = None

    @classmethod
    def setUpClass(cls):
        end_all_wine_programs()

    @classmethod
    def tearDownClass(cls):
        end_all_wine_programs()

    def tearDown(self):
        if self.window:
            self.window.end()
            self.window = None


def window_geometry(window_id):
    values = {}
    for line in xdotool("getwindowgeometry", "--shell", window_id).splitlines():
        name, _, value = line.partition("=")
        values[name] = int(value) if value.lstrip("-").isdigit() else value
    return values.get("X", 0), values.get("Y", 0), values.get("WIDTH", 0), values.get("HEIGHT", 0)


def shown_windows():
    """Every visible top-level window, named or not (tips have no name)."""
    return set(xdotool("search", "--onlyvisible", "--class", ".").split())


def wait_new_window(before, seconds, name=None):
    """A visible window that was not among before (and has name in its
    title when given), or None."""
    found = []

    def appeared():
        ids = xdotool("search", "--onlyvisible", *(("--name", name) if name else ("--class", "."))).split()
        found[:] = [i for i in ids if i not in before]
        return bool(found)
    wait_until(appeared, seconds, interval=0.2)
    return found[0] if found else None


def screen_pixels(area):
    """RGB tuples of a screen rectangle (x, y, w, h), row by row."""
    data = screen_reference.capture(area)
    return [tuple(data[i:i + 3]) for i in range(0, len(data), 3)]


def wait_still(area, seconds=10, changed_from=None):
    """Whether a screen rectangle comes to hold still (drawn, a fade or an
    effect over), and, given the pixels from before some input, only once
    they differ from those: a still picture the input has not reached yet
    does not count."""
    seen = []

    def still():
        seen.append(screen_pixels(area))
        if changed_from is not None and seen[-1] == changed_from:
            return False
        return len(seen) > 1 and seen[-1] == seen[-2]
    return wait_until(still, seconds, interval=0.15)


def is_theme_red(rgb):
    r, g, b = rgb
    return r > 120 and g < 70 and b < 90 and r > 2 * g


def is_light(rgb):
    return min(rgb) > 180
