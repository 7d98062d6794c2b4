"""Each shortcut box alone: exactly its own shortcuts, none of the others'."""
import unittest

import installer_window as w
import prefix_state as state
from wine_driver import end_all_wine_programs, wait_until

INSTALL_SECONDS = 90
BOXES = (w.DESKTOP_BOX, w.START_MENU_BOX, w.QUICK_LAUNCH_BOX, w.HOME_PAGE_BOX)


def shortcuts():
    return {"desktop": len(state.desktop_links()), "start menu links": len(state.start_menu_links()),
            "start menu folder": len(state.start_menu_folders()), "quick launch": len(state.quick_launch_links())}


class ShortcutOptionTest(unittest.TestCase):
    def setUp(self):
        end_all_wine_programs()
        state.forget_installation()

    def tearDown(self):
        end_all_wine_programs()

    def install_with_only(self, kept, log_name):
        state.remove_shortcuts()
        window = w.InstallerWindow(log_name=log_name).wait_shown()
        window.click(w.ADVANCED_BUTTON)
        self.assertTrue(wait_until(lambda: window.height() == 500, 10), window.geometry())
        for box in BOXES:
            if box != kept:
                window.click(box)
        window.click(w.INSTALL_BUTTON)
        self.assertEqual(window.wait_exit(INSTALL_SECONDS), 0)
        self.assertEqual(state.differences_from_payload(state.DEFAULT_DIR), [], "the installation went through")
        return shortcuts()

    def test_each_box_alone_makes_exactly_its_own_shortcuts(self):
        # One installation after the other, each over the last.
        self.assertEqual(self.install_with_only(w.DESKTOP_BOX, "only-desktop"),
                         {"desktop": 1, "start menu links": 0, "start menu folder": 0, "quick launch": 0})
        self.assertEqual(self.install_with_only(w.START_MENU_BOX, "only-start-menu"),
                         {"desktop": 0, "start menu links": 2, "start menu folder": 1, "quick launch": 0})
        # Pinning needs the shell's pin verb, which Wine lacks: the quick
        # launch box leaves nothing to see, and nothing of the other two.
        self.assertEqual(self.install_with_only(w.QUICK_LAUNCH_BOX, "only-quick-launch"),
                         {"desktop": 0, "start menu links": 0, "start menu folder": 0, "quick launch": 0})


if __name__ == "__main__":
    unittest.main()
