"""Only one installer runs at a time."""
import unittest

import installer_window as w
from wine_driver import INSTALLER, end_all_wine_programs, start, visible_windows, wait_until


class SingleInstanceTest(unittest.TestCase):
    def tearDown(self):
        end_all_wine_programs()

    def test_a_second_start_ends_with_code_zero_and_shows_nothing(self):
        first = start(INSTALLER, log_name="first-instance")
        # The guard is taken before the window is built.
        self.assertTrue(wait_until(lambda: w.xdotool("search", "--onlyvisible", "--name", w.TITLE), 30),
                        "the first instance shows its window")
        self.assertIsNone(first.poll(), "the first instance must keep running")
        before = visible_windows()

        second = start(INSTALLER, log_name="second-instance")
        new_windows = set()

        def second_ended():
            new_windows.update(visible_windows() - before)
            return second.poll() is not None

        self.assertTrue(wait_until(second_ended, 30, interval=0.05), "the second instance must end by itself")
        self.assertEqual(second.returncode, 0)
        self.assertEqual(new_windows, set(), "the second instance must never show a window")
        self.assertIsNone(first.poll(), "the first instance is not disturbed")


if __name__ == "__main__":
    unittest.main()
