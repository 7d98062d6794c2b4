"""The folder button: the dialog, its choice in the path box, and the
installation going there."""
import os
import shutil
import unittest

import installer_window as w
import prefix_state as state
import screen_text
from wine_driver import end_all_wine_programs, wait_until

CHOSEN = os.path.join(state.DRIVE_C, "Program Files", "Zq Chosen")
CHOSEN_PATH = "C:\\Program Files\\Zq Chosen\\Talvek\\"
DIALOG_PROMPT = "请选择您需要安装的目录"
PROMPT_AREA = (4, 10, 220, 24)  # dialog-relative, above the folder tree


class FolderChoiceTest(unittest.TestCase):
    def setUp(self):
        end_all_wine_programs()
        state.forget_installation()
        shutil.rmtree(CHOSEN, ignore_errors=True)
        os.makedirs(CHOSEN)

    def tearDown(self):
        end_all_wine_programs()
        shutil.rmtree(CHOSEN, ignore_errors=True)

    def test_the_chosen_folder_gets_its_own_talvek_folder_in_the_path_box_and_the_installation(self):
        window = w.InstallerWindow(log_name="folder-choice").wait_shown()
        before = w.shown_windows()
        window.click(w.BROWSE_BUTTON)
        dialog = w.wait_new_window(before, 20)
        self.assertIsNotNone(dialog, "the folder dialog opens")
        dialog_area = w.window_geometry(dialog)
        x, y, _, _ = dialog_area
        area = (x + PROMPT_AREA[0], y + PROMPT_AREA[1], PROMPT_AREA[2], PROMPT_AREA[3])
        reads = []

        def prompt_shown():
            reads.append(screen_text.read_screen(area, invert=False))
            return screen_text.shows(reads[-1], DIALOG_PROMPT)
        self.assertTrue(wait_until(prompt_shown, 15), screen_text.describe(reads[-1], DIALOG_PROMPT))
        # Filled: the tree holds still with Program Files selected.
        self.assertTrue(w.wait_still(dialog_area), "the dialog is drawn")

        # The dialog opens on Program Files and ignores typed paths: open
        # that folder in the tree, pick the child by its first letters, take it.
        for keys in (("key", "Right"), ("key", "Right"), ("type", "--delay", "100", "Zq")):
            before = w.screen_pixels(dialog_area)
            w.xdotool(*keys)
            self.assertTrue(w.wait_still(dialog_area, changed_from=before), f"the tree follows {keys}")
        w.xdotool("key", "Return")
        self.assertTrue(w.wait_until(lambda: dialog not in w.shown_windows(), 10), "the dialog closes")

        window.move_to((400, 150))
        shown, read = window.wait_text(w.PATH_TEXT_AREA, CHOSEN_PATH)
        self.assertTrue(shown, screen_text.describe(read, CHOSEN_PATH))

        window.click(w.INSTALL_BUTTON)
        self.assertEqual(window.wait_exit(90), 0)
        target = os.path.join(CHOSEN, "Talvek")
        self.assertEqual(state.differences_from_payload(target), [])
        self.assertFalse(os.path.exists(state.DEFAULT_DIR), "nothing went to the default directory")


if __name__ == "__main__":
    unittest.main()
