"""What the window shows from the install click on, read off the screen: the
installing layout, the status line and the ring's value, the failed states
and the read-me at the end; and which running programs are ended first."""
import os
import shutil
import subprocess
import tempfile
import threading
import unittest

import installer_window as w
import prefix_state as state
import screen_text
from wine_driver import end_all_wine_programs, run, start, wait_until

INSTALL_SECONDS = 90
SMALL_HEADER_TEXT_AREA = (132, 18, 90, 22)
# Below the status line, where the folder button, the path and the
# advanced-settings button were.
BOTTOM_BAND = (10, 324, 680, 20)
# Either side of the ring, inside the install button's old rectangle.
BUTTON_EDGES = ((242, 205, 10, 36), (458, 205, 10, 36))
TXT_KEY = r"HKCR\.txt"
CLOSE_AREA = (w.CLOSE_BUTTON[0] - 10, w.CLOSE_BUTTON[1] - 10, 20, 20)
# Away from every control, to park the pointer.
PARKED = (600, 120)
WINDOW_AREA = (0, 0, 700, 350)

# An earlier installation's programs run from the installation directory; a
# stranger of a product program's name runs elsewhere and is left alone.
STANDINS = state.DEFAULT_DIR
STRANGERS = os.path.join(state.DRIVE_C, "standins")
ENDED_NAMES = ("Pagelens.exe", "Freshen.exe", "Talvek.exe", "netrelay.exe", "netrelay.exe", "Beacon.exe")
UNNAMED = "TalvekPlayer.exe"


def light_pixels(pixels):
    return sum(1 for p in pixels if min(p) > 100)


def is_disc_grey(rgb):
    return 38 <= min(rgb) and max(rgb) <= 80 and max(rgb) - min(rgb) < 8


def crop(pixels, area):
    """The part of a WINDOW_AREA capture inside a window-relative area."""
    x, y, width, height = area
    return [pixels[(y + row) * WINDOW_AREA[2] + x + column] for row in range(height) for column in range(width)]


def capture_until_exit(window, screen_area, folder, pictures):
    while not window.exited() and len(pictures) < 200:
        path = os.path.join(folder, f"status{len(pictures)}.png")
        try:
            screen_text.capture_screen(screen_area, path)
        except (OSError, subprocess.SubprocessError):
            return
        pictures.append(path)


def capture_window(geometry, path):
    """The window's rectangle of the screen, kept at path; its pixels as
    RGB tuples, row by row."""
    x, y, _, _ = geometry
    width, height = WINDOW_AREA[2:]
    subprocess.run(["import", "-window", "root", "-crop", f"{width}x{height}+{x}+{y}", "+repage", path], check=True,
                   timeout=30, capture_output=True)
    data = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], check=True, timeout=30,
                          capture_output=True).stdout
    return [tuple(data[i:i + 3]) for i in range(0, len(data), 3)]


def red_pixels(pixels):
    return sum(map(w.is_theme_red, pixels))


class InstallingViewTest(unittest.TestCase):
    def setUp(self):
        end_all_wine_programs()
        state.forget_installation()

    def tearDown(self):
        end_all_wine_programs()
        shutil.rmtree(STRANGERS, ignore_errors=True)

    def assert_reads(self, window, area, expected):
        shown, read = window.wait_text(area, expected)
        self.assertTrue(shown, screen_text.describe(read, expected))

    def wait_ring(self, window, keep):
        """Waits for the ring and returns the window's geometry and pixels
        at that moment; the picture stays at `keep`. Whatever else the test
        checks of the installing layout is read off this same picture, so
        a fast installation that ends right after cannot race the checks."""
        # The grey disc in the ring's middle, above its percentage; nothing
        # else is ever drawn there.
        disc = (w.RING_CENTRE[0] - 25, w.RING_CENTRE[1] - 30, 50, 12)
        seen = []

        def ring_shows():
            try:
                geometry = window.geometry()
                shot = capture_window(geometry, keep)
            except (OSError, ValueError, subprocess.SubprocessError):
                return False
            seen[:] = [geometry, shot]
            return sum(map(is_disc_grey, crop(shot, disc))) > 500
        self.assertTrue(wait_until(ring_shows, 30, interval=0.05), "the progress ring appears")
        return seen

    def test_installing_layout_status_line_and_read_me(self):
        # Wine's prefix knows the text viewer but leaves ".txt" without it;
        # the other tests keep the prefix as it was.
        if not state.key_exists(TXT_KEY):
            run(["wine", "reg", "add", TXT_KEY, "/ve", "/d", "txtfile", "/f"], timeout=60)
            self.addCleanup(run, ["wine", "reg", "delete", TXT_KEY, "/f"], timeout=60)
        window = w.InstallerWindow(log_name="installing-view").wait_shown()
        self.assertGreater(light_pixels(window.pixels(BOTTOM_BAND)), 50, "the bottom bar is shown when idle")
        window.click(w.ADVANCED_BUTTON)
        self.assertTrue(wait_until(lambda: window.height() == 500, 10), window.geometry())

        work = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, work, ignore_errors=True)
        # The installation may be over within two seconds of the ring,
        # sooner than a few reads: the status line is kept as pictures from
        # the click on, and read afterwards.
        pictures = []
        status_area = (*window.screen(w.STATUS_AREA[:2]), *w.STATUS_AREA[2:])
        close_at = window.screen(w.CLOSE_BUTTON)
        window.click(w.INSTALL_BUTTON)
        capturing = threading.Thread(target=capture_until_exit, args=(window, status_area, work, pictures), daemon=True)
        capturing.start()
        window.move_to(PARKED)
        installing = os.path.join(work, "installing.png")
        geometry, shot = self.wait_ring(window, installing)
        header = os.path.join(work, "header.png")
        screen_text.prepare_picture(installing, SMALL_HEADER_TEXT_AREA, header)
        self.assertEqual(geometry[3], 350, "the options close for the installation")
        self.assertEqual(light_pixels(crop(shot, CLOSE_AREA)), 0, "the close button is hidden while installing")
        self.assertEqual(light_pixels(crop(shot, BOTTOM_BAND)), 0, "the bottom bar is gone")
        for edge in BUTTON_EDGES:
            self.assertEqual(red_pixels(crop(shot, edge)), 0, "the install button is gone")

        # The window takes no input now: a click where the close button was
        # must not end the installation (clicked on the screen: the window
        # may be gone by now).
        w.xdotool("mousemove", str(close_at[0]), str(close_at[1]), "click", "1")
        self.assertEqual(window.wait_exit(INSTALL_SECONDS), 0)
        capturing.join(60)
        reads = []
        for picture in pictures:
            reads.append(screen_text.read_picture(picture))
            if screen_text.shows(reads[-1], "即将开启Talvek之旅..."):
                break
        self.assertTrue(any(screen_text.shows(r, "即将开启Talvek之旅...") for r in reads), reads)
        header_read = screen_text.read_picture(header)
        self.assertTrue(screen_text.shows(header_read, "正在为您安装"), screen_text.describe(header_read, "正在为您安装"))
        self.assertEqual(state.differences_from_payload(state.DEFAULT_DIR), [], "the installation went through")

        self.assertIsNotNone(w.wait_new_window(set(), 30, name="使用说明"), "the read-me opens in its viewer")

    def start_standins(self):
        os.makedirs(STANDINS, exist_ok=True)
        os.makedirs(STRANGERS, exist_ok=True)
        stub = state.payload_entries()["Talvek.exe"]
        processes = []
        for name in set(ENDED_NAMES) | {UNNAMED}:
            with open(os.path.join(STANDINS, name), "wb") as f:
                f.write(stub)
        with open(os.path.join(STRANGERS, "Beacon.exe"), "wb") as f:
            f.write(stub)
        processes.append(start("C:\\standins\\Beacon.exe", log_name="stranger"))
        for i, name in enumerate(ENDED_NAMES + (UNNAMED,)):
            processes.append(start(f"C:\\Program Files\\Talvek\\{name}", log_name=f"standin-{i}"))
        self.assertTrue(wait_until(lambda: all(self.running(n) for n in ENDED_NAMES + (UNNAMED,)), 30),
                        "the stand-ins run")
        self.assertTrue(wait_until(lambda: state.running_programs("standins\\Beacon.exe"), 30), "the stranger runs")
        self.assertEqual(len(self.running("netrelay.exe")), 2)
        return processes

    def running(self, name):
        return state.running_programs("Talvek\\" + name)

    def install_and_see_it_fail(self, window, status, ring_text, then=lambda: None):
        """Presses install, waits for the failed state, reads it and does
        `then`; the close button then ends the installer."""
        window.click(w.INSTALL_BUTTON)
        window.move_to(PARKED)
        with tempfile.TemporaryDirectory() as work:
            self.wait_ring(window, os.path.join(work, "installing.png"))
        self.assertTrue(wait_until(lambda: light_pixels(window.pixels(CLOSE_AREA)) > 0, 60), "the close button is back")
        self.assert_reads(window, w.STATUS_AREA, status)
        self.assert_reads(window, w.RING_TEXT_AREA, ring_text)
        then()
        window.click(w.CLOSE_BUTTON)
        self.assertEqual(window.wait_exit(20), 0)

    def test_unwritable_archive_reports_at_2_after_ending_the_products_programs(self):
        # The archive's name taken by a directory: the write fails even as root.
        os.makedirs(os.path.join(state.DEFAULT_DIR, "install.zip"))
        self.start_standins()
        window = w.InstallerWindow(log_name="write-failed").wait_shown()

        def only_the_products_programs_were_ended():
            for name in set(ENDED_NAMES):
                self.assertEqual(self.running(name), [], f"{name} was ended")
            self.assertEqual(len(self.running(UNNAMED)), 1, "a program of another name is left alone")
            self.assertEqual(len(state.running_programs("standins\\Beacon.exe")), 1,
                             "a program of a product name running elsewhere is left alone")
        self.install_and_see_it_fail(window, "释放文件失败！", "2%", then=only_the_products_programs_were_ended)

    def test_failed_extraction_reports_at_99(self):
        window = w.InstallerWindow(exe=w.DAMAGED_INSTALLER, log_name="extract-failed").wait_shown()
        self.install_and_see_it_fail(window, "解压失败，请检查目录是否有写入权限！", "99%")


if __name__ == "__main__":
    unittest.main()
