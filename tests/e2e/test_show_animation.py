"""The show effect follows the Windows version Wine reports: none on XP,
played on 7 and 10. The screen where the centred window will appear is
sampled from before the start until the window has settled; an effect shows
as frames that are neither the empty screen nor the finished window."""
import ctypes
import threading
import unittest

import installer_window as w
from wine_driver import run, wait_until

SCREEN = (1280, 1024)
BAND = ((SCREEN[0] - 700) // 2, (SCREEN[1] - 350) // 2 + 20, 700, 140)
GRID = 10  # every tenth pixel of every tenth row
# Mean brightness difference (0-255) below which two samples are the same
# picture: the compositor's rounding, nothing more.
SAME = 4


class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int),
                ("red_mask", ctypes.c_ulong), ("green_mask", ctypes.c_ulong), ("blue_mask", ctypes.c_ulong),
                ("obdata", ctypes.c_void_p), ("create_image", ctypes.c_void_p), ("destroy_image", ctypes.c_void_p)]


class ScreenSampler:
    """Grabs a band of the screen as fast as the X server answers, in a
    thread, keeping a coarse brightness grid of each grab."""

    def __init__(self, area):
        self.x11 = ctypes.CDLL("libX11.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x11.XGetImage.restype = ctypes.POINTER(XImage)
        self.x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                       ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        self.x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.display = self.x11.XOpenDisplay(None)
        assert self.display, "no X display"
        self.root = self.x11.XDefaultRootWindow(self.display)
        self.area = area
        self.samples = []
        self.stopping = threading.Event()
        self.thread = threading.Thread(target=self._sample, daemon=True)

    def grab(self):
        x, y, width, height = self.area
        image = self.x11.XGetImage(self.display, self.root, x, y, width, height, 0xFFFFFFFF, 2)  # ZPixmap
        assert image, "XGetImage failed"
        picture = image.contents
        data = ctypes.string_at(picture.data, picture.bytes_per_line * height)
        stride = picture.bytes_per_line
        grid = []
        for row in range(0, height, GRID):
            for column in range(0, width, GRID):
                at = row * stride + column * 4
                grid.append(data[at] + data[at + 1] + data[at + 2])
        ctypes.CFUNCTYPE(ctypes.c_int, ctypes.POINTER(XImage))(picture.destroy_image)(image)
        return grid

    def _sample(self):
        while not self.stopping.is_set() and len(self.samples) < 20000:
            self.samples.append(self.grab())

    def __enter__(self):
        self.thread.start()
        return self

    def __exit__(self, *_):
        self.stopping.set()
        self.thread.join(10)
        self.x11.XCloseDisplay(self.display)


def difference(a, b):
    return sum(abs(p - q) for p, q in zip(a, b)) / (3 * len(a))


class ShowAnimationTest(w.OneWineserverTest):
    @classmethod
    def tearDownClass(cls):
        run(["wine", "reg", "delete", r"HKCU\Software\Wine", "/v", "Version", "/f"], timeout=60)
        super().tearDownClass()

    def frames_between(self, version):
        """Samples of the window's place that are neither empty nor final."""
        out = run(["wine", "reg", "add", r"HKCU\Software\Wine", "/v", "Version", "/d", version, "/f"], timeout=60)
        self.assertEqual(out.returncode, 0, out.stderr)
        with ScreenSampler(BAND) as sampler:
            # The screen before the start, once it holds still: a window of
            # an earlier test may take a moment to leave it.
            self.assertTrue(wait_until(lambda: self.settled(sampler.samples), 10), "the empty screen holds")
            started = len(sampler.samples)
            self.window = w.InstallerWindow(log_name=f"show-{version}")
            self.window.wait_shown()
            # Sampled on until the picture has held for a while, however
            # fast or slow the machine samples.
            self.assertTrue(wait_until(lambda: self.settled(sampler.samples), 10), "the window settles")
        self.assertFalse(self.window.exited())
        samples = sampler.samples[started - 1:]
        self.assertGreater(len(samples), 20, "the screen was sampled")
        empty, final = samples[0], samples[-1]
        self.assertGreater(difference(empty, final), 3 * SAME, "the window was sampled where it appears")
        return [s for s in samples if difference(s, empty) > SAME and difference(s, final) > SAME]

    @staticmethod
    def settled(samples, held=10):
        return len(samples) > held and all(difference(s, samples[-1]) <= SAME for s in samples[-held:])

    @staticmethod
    def distinct(pictures):
        """Different pictures among the samples: a slow sampler sees one
        frame once, a fast one many times; an effect is many frames."""
        kept = []
        for picture in pictures:
            if not kept or difference(picture, kept[-1]) > SAME:
                kept.append(picture)
        return kept

    def test_windows_xp_shows_the_window_without_the_effect(self):
        between = self.distinct(self.frames_between("winxp"))
        self.assertEqual(len(between), 0, "the window appears finished at once")

    def test_windows_7_plays_the_show_effect(self):
        self.assertGreater(len(self.distinct(self.frames_between("win7"))), 2, "frames of the effect were seen")

    def test_windows_10_plays_the_show_effect(self):
        self.assertGreater(len(self.distinct(self.frames_between("win10"))), 2, "frames of the effect were seen")


if __name__ == "__main__":
    unittest.main()
