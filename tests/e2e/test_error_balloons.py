"""The error balloons read off the screen, and how they go away."""
import os
import shutil
import unittest

import installer_window as w
import prefix_state as state
import screen_text
from wine_driver import sets_own_program_files, wait_until

PREFIX_TEXT = "!Error："
CHINESE_PATH_TEXT = "抱歉，Talvek暂不支持包含中文的安装路径,请重新选择其它安装路径！"
DELETION_TEXT = ("初始化目录失败！删除文件C:\\Program Files\\Talvek\\Talvek.exe 失败！请检查该目录是否有删除权限"
                 "若您是Win7以上用户请尝试右击安装程序>使用管理员权限运行，若还不行请尝试选择其它安装目录！")
# A free point of the window: a click there does nothing but hide the balloon.
FREE_POINT = (100, 200)


class ErrorBalloonTest(w.OneWineserverTest):
    def setUp(self):
        shutil.rmtree(state.DEFAULT_DIR, ignore_errors=True)

    def tearDown(self):
        super().tearDown()
        shutil.rmtree(state.DEFAULT_DIR, ignore_errors=True)

    def show_balloon(self, window):
        before = w.shown_windows()
        window.click(w.INSTALL_BUTTON)
        balloon = w.wait_new_window(before, 15)
        self.assertIsNotNone(balloon, "an error balloon appears")
        self.assertTrue(w.wait_still(w.window_geometry(balloon)), "the balloon is drawn and holds still")
        return balloon

    def assert_balloon_reads(self, balloon, message):
        x, y, width, height = w.window_geometry(balloon)
        read = screen_text.read_screen((x, y, width, height), invert=False, scale=2, single_line=False)
        expected = PREFIX_TEXT + message
        self.assertTrue(screen_text.shows(read, expected), screen_text.describe(read, expected))

    @sets_own_program_files
    def test_chinese_path_balloon_reads_its_message_and_hides_by_itself_and_on_a_click(self):
        os.makedirs(os.path.join(state.DRIVE_C, "软件"), exist_ok=True)
        window = self.window = w.InstallerWindow(environment={"ProgramFiles": "C:\\软件"},
                                                 log_name="balloon-chinese").wait_shown()
        balloon = self.show_balloon(window)
        self.assert_balloon_reads(balloon, CHINESE_PATH_TEXT)
        # Left alone, it goes after its display time of some seconds.
        self.assertIn(balloon, w.shown_windows(), "the balloon stays a while")
        self.assertTrue(wait_until(lambda: balloon not in w.shown_windows(), 20), "the balloon hides by itself")

        balloon = self.show_balloon(window)
        window.click(FREE_POINT)
        self.assertTrue(wait_until(lambda: balloon not in w.shown_windows(), 3), "a click hides the balloon")
        self.assertFalse(window.exited())

    def test_an_old_executable_that_cannot_be_deleted_is_named_in_a_balloon(self):
        # A directory of that name: deleting it as a file fails even as root.
        os.makedirs(os.path.join(state.DEFAULT_DIR, "Talvek.exe"))
        window = self.window = w.InstallerWindow(log_name="balloon-deletion").wait_shown()
        balloon = self.show_balloon(window)
        self.assert_balloon_reads(balloon, DELETION_TEXT)
        self.assertEqual(window.height(), 350, "the window stays idle")
        self.assertFalse(os.path.exists(os.path.join(state.DEFAULT_DIR, "install.zip")))


if __name__ == "__main__":
    unittest.main()
