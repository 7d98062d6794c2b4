"""What the idle window does with a user's pointer and keys: the path box
refuses typing, the background drags the window and controls do not, the
buttons name themselves in tooltips."""
import time
import unittest

import installer_window as w
import screen_text
from wine_driver import wait_until

DEFAULT_PATH = "C:\\Program Files\\Talvek\\"
PATH_BOX = (300, 325)
FREE_BACKGROUND = (610, 215)
DRAG = (80, 60)
TOOLTIPS = (
    (w.CLOSE_BUTTON, "关闭Talvek安装包"),
    (w.BROWSE_BUTTON, "选择安装路径"),
    (w.ADVANCED_BUTTON, "高级设置"),
)


class WindowInputTest(w.OneWineserverTest):
    def setUp(self):
        self.window = w.InstallerWindow(log_name="window-input").wait_shown()

    def path_text(self):
        # Away from the box, so no hover or caret sits on the text.
        self.window.move_to((400, 150))
        return self.window.read_text(w.PATH_TEXT_AREA)

    def test_typing_into_the_path_box_leaves_its_text_as_it_was(self):
        before = self.path_text()
        self.assertTrue(screen_text.shows(before, DEFAULT_PATH), screen_text.describe(before, DEFAULT_PATH))

        self.window.click(PATH_BOX)
        w.xdotool("type", "--delay", "30", "QQQQQQQQ")
        w.xdotool("key", "--delay", "30", *["BackSpace"] * 6, "Home", *["Delete"] * 6, "ctrl+x")
        # Away from the box, so no hover sits on the text; a typed letter
        # would keep the read from ever showing the path alone.
        self.window.move_to((400, 150))
        shown, after = self.window.wait_text(w.PATH_TEXT_AREA, DEFAULT_PATH, seconds=10)
        self.assertTrue(shown, screen_text.describe(after, DEFAULT_PATH))
        self.assertNotIn("QQ", after)

    def drag(self, start, by):
        """Presses at start, moves by `by` and releases. The system's move
        begins at the first move with the button held, so that first move
        (one pixel each way) is not part of the drag. The pauses pace the
        pointer as a hand does (as typing has its delay); they wait for
        nothing."""
        self.window.move_to(start)
        x, y = self.window.screen(start)
        w.xdotool("mousedown", "1")
        time.sleep(0.2)
        w.xdotool("mousemove", str(x + 1), str(y + 1))
        time.sleep(0.3)
        steps = 8
        for i in range(1, steps + 1):
            w.xdotool("mousemove", str(x + 1 + by[0] * i // steps), str(y + 1 + by[1] * i // steps))
            time.sleep(0.05)
        time.sleep(0.3)
        w.xdotool("mouseup", "1")
        # Done once the window's place holds.
        places = []
        wait_until(lambda: places.append(self.window.geometry()) or places[-2:] == [places[-1]] * 2, 10, interval=0.2)

    def test_the_background_drags_the_window_and_a_control_does_not(self):
        x, y, _, _ = self.window.geometry()
        self.drag(FREE_BACKGROUND, DRAG)
        moved = self.window.geometry()
        self.assertEqual(moved[:2], (x + DRAG[0], y + DRAG[1]), "the window follows the pointer")

        self.drag(PATH_BOX, DRAG)
        self.assertEqual(self.window.geometry()[:2], moved[:2], "a drag begun on a control leaves the window")
        self.assertFalse(self.window.exited())

    def test_buttons_show_their_tooltips_on_hover(self):
        for button, text in TOOLTIPS:
            self.window.move_to((400, 150))
            before = w.shown_windows()
            self.window.move_to(button)
            tip = w.wait_new_window(before, 10)
            self.assertIsNotNone(tip, f"a tooltip appears over {button}")
            x, y, width, height = w.window_geometry(tip)
            read = screen_text.read_screen((x, y, width, height))
            self.assertTrue(screen_text.shows(read, text), screen_text.describe(read, text))
            # Gone once the pointer leaves, so the next one is new.
            self.window.move_to((400, 150))
            self.assertTrue(wait_until(lambda: tip not in w.shown_windows(), 10), "the tooltip hides again")


if __name__ == "__main__":
    unittest.main()
