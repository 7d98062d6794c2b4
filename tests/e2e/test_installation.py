"""Installations driven through the window, checked in the prefix."""
import os
import re
import unittest

import install_log as log
import installer_window as w
import prefix_state as state
from wine_driver import end_all_wine_programs, sets_own_program_files, wait_until

INSTALL_SECONDS = 90


class InstallationTest(unittest.TestCase):
    def setUp(self):
        end_all_wine_programs()
        state.forget_installation()

    def tearDown(self):
        end_all_wine_programs()

    def install(self, window, boxes_to_clear=()):
        if boxes_to_clear:
            window.click(w.ADVANCED_BUTTON)
            self.assertTrue(wait_until(lambda: window.height() == 500, 10))
            for box in boxes_to_clear:
                window.click(box)
        window.click(w.INSTALL_BUTTON)
        return window.wait_exit(INSTALL_SECONDS)

    def assert_product_installed(self):
        self.assertEqual(state.differences_from_payload(state.DEFAULT_DIR), [])
        self.assertFalse(os.path.exists(os.path.join(state.DEFAULT_DIR, "install.zip")), "the archive is removed")
        directory = "C:\\Program Files\\Talvek\\"
        key = state.UNINSTALL_KEY
        self.assertEqual(state.registry_value(key, "DisplayIcon"), directory + "Auxiliary\\DEFAULT_ICON.ico")
        self.assertEqual(state.registry_value(key, "DisplayVersion"), "1.6.3.5")
        self.assertEqual(state.registry_value(key, "DisplayName"), "Talvek")
        self.assertEqual(state.registry_value(key, "Publisher"), "Talvek")
        # Quoted: the system runs it as a command line, and the folder has a space.
        self.assertEqual(state.registry_value(key, "UninstallString"), '"' + directory + 'Remover.exe"')
        self.assertRegex(state.registry_value(key, "InstallDate") or "", r"^\d{4}年\d{1,2}月\d{1,2}日(\d{1,2}时(\d{1,2}分(\d{1,2}秒)?)?)?$")
        beacon = directory + "Auxiliary\\Beacon.exe"
        self.assertEqual(state.registry_value(state.PROTOCOL_KEY), "URL:  Talvek protocol Handler")
        # Quoted: the folder has a space, and "C:\Program.exe" must not be what a link starts.
        self.assertEqual(state.registry_value(state.PROTOCOL_KEY + r"\shell\open\command"), '"' + beacon + '"  "%1"')
        self.assertTrue(wait_until(lambda: any(l.startswith("Talvek.exe|") for l in state.stub_log_lines()), 10),
                        "the product was started")

    def test_default_installation_leaves_product_entry_protocol_and_shortcuts(self):
        window = w.InstallerWindow(log_name="install-default").wait_shown()
        window.click(w.INSTALL_BUTTON)
        # Kept for a look when something fails; the ring shows by then.
        wait_until(lambda: ("installing layout", "done") in log.steps() or window.exited(), 30)
        window.screenshot("window-installing")
        self.assertEqual(window.wait_exit(INSTALL_SECONDS), 0)
        self.assert_product_installed()
        self.assertEqual(len(state.desktop_links()), 1)
        self.assertEqual(len(state.start_menu_links()), 2)

    def test_second_installation_rewrites_the_files_and_ends_the_running_product(self):
        self.assertEqual(self.install(w.InstallerWindow(log_name="install-first").wait_shown()), 0)
        played = os.path.join(state.DEFAULT_DIR, "Skin.dll")
        with open(played, "wb") as damaged:
            damaged.write(b"changed since the first installation")
        protocol_before = state.registry_value(state.PROTOCOL_KEY + r"\shell\open\command")

        self.assertEqual(self.install(w.InstallerWindow(log_name="install-second").wait_shown()), 0)
        self.assert_product_installed()
        self.assertEqual(state.registry_value(state.PROTOCOL_KEY + r"\shell\open\command"), protocol_before)
        starts = [l for l in state.stub_log_lines() if l.startswith("Talvek.exe|")]
        self.assertEqual(len(starts), 2, "each installation started the product once")
        self.assertEqual(len(state.running_programs("Talvek\\Talvek.exe")), 1,
                         "the product the first installation started was ended")

    def test_all_options_cleared_installs_without_shortcuts(self):
        window = w.InstallerWindow(log_name="install-bare").wait_shown()
        boxes = (w.DESKTOP_BOX, w.START_MENU_BOX, w.QUICK_LAUNCH_BOX, w.HOME_PAGE_BOX)
        self.assertEqual(self.install(window, boxes_to_clear=boxes), 0)
        self.assert_product_installed()
        self.assertEqual(state.desktop_links(), [])
        self.assertEqual(state.start_menu_links(), [])


class RefusedDirectoryTest(unittest.TestCase):
    def setUp(self):
        end_all_wine_programs()
        state.forget_installation()

    def tearDown(self):
        end_all_wine_programs()

    def press_install_and_expect_a_balloon(self, window, screenshot):
        before = set(w.xdotool("search", "--onlyvisible", ".").split())
        window.click(w.INSTALL_BUTTON)
        balloons = set()

        def balloon_shown():
            balloons.update(set(w.xdotool("search", "--onlyvisible", ".").split()) - before)
            return bool(balloons)
        self.assertTrue(wait_until(balloon_shown, 10), "an error balloon appears")
        # Once logged the click's handling is over: what it left is final.
        self.assertTrue(wait_until(lambda: any(s[0] == "error balloon" for s in log.steps()), 10))
        window.screenshot(screenshot)
        self.assertFalse(window.exited())
        self.assertEqual(window.height(), 350)
        button = window.pixels((w.INSTALL_BUTTON[0] - 100, w.INSTALL_BUTTON[1] - 5, 200, 10))
        self.assertGreater(sum(map(w.is_theme_red, button)), len(button) // 2, "the install button stays")

    @sets_own_program_files
    def test_a_chinese_program_files_path_is_refused_with_a_balloon(self):
        chinese = os.path.join(state.DRIVE_C, "软件")
        os.makedirs(chinese, exist_ok=True)
        window = w.InstallerWindow(environment={"ProgramFiles": "C:\\软件"}, log_name="install-chinese").wait_shown()
        self.press_install_and_expect_a_balloon(window, "balloon-chinese-path")
        self.assertEqual(os.listdir(chinese), [], "nothing is installed")

    @sets_own_program_files
    def test_a_missing_parent_directory_is_refused_with_a_balloon(self):
        missing = "C:\\Missing\\Deeper"
        window = w.InstallerWindow(environment={"ProgramFiles": missing}, log_name="install-missing").wait_shown()
        self.press_install_and_expect_a_balloon(window, "balloon-missing-parent")
        self.assertFalse(os.path.exists(os.path.join(state.DRIVE_C, "Missing")))


class DamagedPayloadTest(unittest.TestCase):
    def setUp(self):
        end_all_wine_programs()
        state.forget_installation()

    def tearDown(self):
        end_all_wine_programs()

    def test_a_failed_extraction_reports_and_leaves_only_the_close_button(self):
        window = w.InstallerWindow(exe=w.DAMAGED_INSTALLER, log_name="install-damaged").wait_shown()
        window.click(w.INSTALL_BUTTON)
        archive = os.path.join(state.DEFAULT_DIR, "install.zip")
        # The failure rolls the installation back before the window comes back.
        self.assertTrue(wait_until(lambda: ("window restored", "ok") in log.steps(), 60))
        # The status text fades in.
        self.assertTrue(wait_until(window.status_shown, 15), "a status text shows")
        x, y, _, _ = window.geometry()
        w.wait_still((x, y + w.STATUS_ROW - 12, 700, 24))
        window.screenshot("window-failed")
        self.assertFalse(window.exited(), "the installer waits for the user")
        self.assertFalse(os.path.exists(archive), "a failed installation leaves no archive")
        self.assertFalse(os.path.exists(os.path.join(state.DEFAULT_DIR, "Talvek.exe")), "nor any file it made")

        status = window.pixels((0, w.STATUS_ROW - 12, 700, 24))
        red_columns = {i % 700 for i, p in enumerate(status) if w.is_theme_red(p)}
        self.assertTrue(red_columns, "the status line shows a message")
        self.assertGreater(max(red_columns) - min(red_columns), 300, "the long extraction-failure message")
        close = window.pixels((w.CLOSE_BUTTON[0] - 6, w.CLOSE_BUTTON[1] - 6, 12, 12))
        self.assertTrue(any(min(p) > 150 for p in close), "the close button is back")

        window.click(w.CLOSE_BUTTON)
        self.assertEqual(window.wait_exit(20), 0)


if __name__ == "__main__":
    unittest.main()
