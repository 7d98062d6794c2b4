"""The installer window as a user first meets it."""
import shutil
import unittest

import installer_window as w
from wine_driver import BUILD, end_all_wine_programs

SCREEN = (1280, 1024)


class InstallerWindowTest(unittest.TestCase):
    def setUp(self):
        self.window = w.InstallerWindow(log_name="window").wait_shown()

    def tearDown(self):
        end_all_wine_programs()

    def test_opens_centred_with_header_install_button_and_bottom_bar(self):
        x, y, width, height = self.window.geometry()
        self.assertEqual((width, height), (700, 350))
        self.assertLessEqual(abs(x - (SCREEN[0] - width) // 2), 1)
        self.assertLessEqual(abs(y - (SCREEN[1] - height) // 2), 1)
        shutil.copy(self.window.screenshot("window-idle"), BUILD + "/installer-idle.png")

        button = self.window.pixels((w.INSTALL_BUTTON[0] - 100, w.INSTALL_BUTTON[1] - 5, 200, 10))
        self.assertGreater(sum(map(w.is_theme_red, button)), len(button) // 2, "the install button is red")
        header = self.window.pixels((240, 40, 60, 60))
        self.assertGreater(sum(map(w.is_theme_red, header)), 300, "the header shows the red brand mark")
        bar = self.window.pixels((300, 335, 100, 5))
        self.assertTrue(all(20 <= min(p) and max(p) <= 60 for p in bar), "the bottom bar is a faint lighter band")

    def test_advanced_button_shows_the_options_and_returns_to_exactly_350(self):
        self.window.click(w.ADVANCED_BUTTON)
        self.assertTrue(w.wait_until(lambda: self.window.height() == 500, 10), self.window.geometry())
        self.window.move_to((400, 200))
        self.window.screenshot("window-options")
        for box in (w.DESKTOP_BOX, w.START_MENU_BOX, w.QUICK_LAUNCH_BOX, w.HOME_PAGE_BOX):
            square = self.window.pixels((box[0] - 6, box[1] - 7, 14, 14))
            self.assertGreater(sum(map(w.is_light, square)), 8, f"the box at {box} shows its check mark")

        self.window.click(w.ADVANCED_BUTTON)
        self.assertTrue(w.wait_until(lambda: self.window.height() == 350, 10), self.window.geometry())

    def test_close_button_ends_the_installer_with_code_zero(self):
        self.window.click(w.CLOSE_BUTTON)
        self.assertEqual(self.window.wait_exit(20), 0)


if __name__ == "__main__":
    unittest.main()
