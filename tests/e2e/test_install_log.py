"""The install log a support person asks for: written at every run, in
order, and naming what failed."""
import itertools
import os
import signal
import threading
import time
import unittest

import install_log as log
import installer_window as w
import prefix_state as state
from wine_driver import end_all_wine_programs, sets_own_program_files, wait_until

INSTALL_SECONDS = 90

# status texts as the installer shows them
WRITING = "开始释放文件...！"
WRITTEN = "正在清理旧版本残留冲突数据！"
STARTING = "即将开启Talvek之旅..."
EXTRACT_FAILED = "解压失败，请检查目录是否有写入权限！"
REGISTERING_COMPONENT = "正在注册客户端通信主要组件...."
QUICK_LAUNCH = "创建快捷启动栏快捷方式...！"
DESKTOP = "创建桌面快捷方式...！"
START_MENU = "创建开始菜单快捷方式...！"
STARTING_PRODUCT = "设置系统主页..."
REGISTERING = "注册组件...！"
COMPLETING = "完成安装...！"

START_UP = [("log opened", "ok"), ("single instance", "ok"), ("desktop", "ok"), ("toolkit start-up", "done"),
            ("service window", "ok"), ("window shown", "ok")]


def signal_quietly(pid, number):
    """False when the process has gone meanwhile."""
    try:
        os.kill(pid, number)
        return True
    except OSError:
        return False


def payload_size():
    entries = state.payload_entries()
    return len(entries), sum(len(data) for data in entries.values() if data is not None)


class InstallLogTest(unittest.TestCase):
    def setUp(self):
        end_all_wine_programs()
        state.forget_installation()
        log.remove()

    def tearDown(self):
        end_all_wine_programs()

    def assert_well_formed(self, data):
        self.assertTrue(data.startswith(log.BOM), "UTF-8 with a byte-order mark")
        data.decode("utf-8")
        self.assertTrue(data.endswith(b"\r\n"))
        times = [e.at_ms for e in log.parse(data)]
        self.assertEqual(times, sorted(times), "times never go back")

    def test_a_successful_installation_lists_every_step_in_order(self):
        window = w.InstallerWindow(log_name="log-install").wait_shown()
        window.click(w.INSTALL_BUTTON)
        self.assertEqual(window.wait_exit(INSTALL_SECONDS), 0)

        data = log.raw()
        self.assert_well_formed(data)
        entries = log.parse(data)
        expected = START_UP + [
            ("install button", "pressed"), ("check space", "ok"), ("create directory", "ok"),
            ("pause between slides", "done"), ("installing layout", "done"), ("stop product", "done"),
            ("keep aside", "ok"), ("status", WRITING), ("write archive", "ok"),
            ("status", WRITTEN), ("status", STARTING), ("keep aside", "ok"), ("extract", "ok"),
            ("commit", "ok"), ("progress sweep", "done"),
            ("status", REGISTERING_COMPONENT), ("register protocol", "ok"),
            ("status", REGISTERING_COMPONENT), ("register protocol", "ok"),
            ("status", REGISTERING_COMPONENT), ("register protocol", "ok"),
            ("status", QUICK_LAUNCH), ("taskbar pin", "asked"),  # the prefix says Windows 7
            ("status", DESKTOP), ("desktop shortcut", "ok"),
            ("status", START_MENU), ("start-menu shortcut", "ok"), ("programs shortcut", "ok"),
            # Wine reports every token elevated: the desktop shell starts the product.
            ("status", STARTING_PRODUCT), ("start product", "ok"),
            ("status", REGISTERING), ("uninstall entry", "ok"),
            ("status", COMPLETING), ("delete archive", "ok"),
            # Wine may have no program for a text file: the result is the system's.
            ("open read-me", None), ("end", "ok")]
        # The kept paths are removed on a thread of their own once the
        # journal is committed, so that line lands anywhere after "commit".
        listed = log.steps(entries)
        self.assertIn(("remove kept", "ok"), listed, data.decode("utf-8"))
        self.assertGreater(listed.index(("remove kept", "ok")), listed.index(("commit", "ok")))
        listed.remove(("remove kept", "ok"))
        steps = [(step, result if wanted is not None else None)
                 for (step, result), (_, wanted) in itertools.zip_longest(listed, expected,
                                                                          fillvalue=(None, None))]
        self.maxDiff = None
        self.assertEqual(steps, expected, data.decode("utf-8"))

        by_step = {e.step: e for e in entries}
        count, size = payload_size()
        self.assertIn(f": {count} of {count} entries, {size} bytes written", by_step["extract"].detail)
        self.assertIn("C:\\Program Files\\Talvek\\install.zip, ", by_step["write archive"].detail)
        self.assertIsNotNone(by_step["progress sweep"].took_ms, "the pauses carry their own time")
        self.assertIn("route: desktop shell", by_step["start product"].detail)

    def test_a_failed_extraction_names_the_entry_and_what_was_wrong(self):
        window = w.InstallerWindow(exe=w.DAMAGED_INSTALLER, log_name="log-damaged").wait_shown()
        window.click(w.INSTALL_BUTTON)
        self.assertTrue(wait_until(lambda: ("window restored", "ok") in log.steps(), 60), log.raw().decode("utf-8"))
        self.assertFalse(window.exited())

        data = log.raw()
        self.assert_well_formed(data)
        entries = log.parse(data)
        steps = log.steps(entries)
        tail = steps[steps.index(("status", STARTING)):]
        self.assertEqual(tail, [("status", STARTING), ("keep aside", "ok"), ("extract", "FAILED"), ("roll back", "ok"),
                                ("remove kept", "ok"), ("status", EXTRACT_FAILED), ("window restored", "ok")])
        extract = next(e for e in entries if e.step == "extract")
        # The damaged payload garbles its largest entry's data: the inflater
        # refuses it, or it ends short of its stated size.
        self.assertRegex(extract.detail, r"stopped at entry \d+ of \d+ \"[^\"]+\": damaged data, "
                                         r"(unzip error -?\d+|\d+ of \d+ bytes)")
        self.assertNotIn(("end", "ok"), steps)

    @sets_own_program_files
    def test_a_refused_directory_and_the_next_run_replace_the_log(self):
        chinese = os.path.join(state.DRIVE_C, "软件")
        os.makedirs(chinese, exist_ok=True)
        window = w.InstallerWindow(environment={"ProgramFiles": "C:\\软件"}, log_name="log-chinese").wait_shown()
        window.click(w.INSTALL_BUTTON)
        self.assertTrue(wait_until(lambda: ("error balloon", "shown") in log.steps(), 20), log.raw().decode("utf-8"))
        steps = log.steps()
        self.assertEqual(steps[len(START_UP):], [("install button", "pressed"), ("check path", "REFUSED"),
                                                ("error balloon", "shown")])
        balloon = log.entries()[-1]
        self.assertIn("抱歉，Talvek暂不支持包含中文的安装路径", balloon.detail, "the balloon's text, readable")

        end_all_wine_programs()
        w.InstallerWindow(log_name="log-again").wait_shown()
        self.assertTrue(wait_until(lambda: log.steps() == START_UP, 20), log.raw().decode("utf-8"))
        self.assertEqual(log.raw().count(log.BOM), 1, "replaced, not appended to")

    def test_a_desktop_still_starting_never_leaves_an_unseen_installer_running(self):
        """Wine's desktop process held still for a while, as on a fresh, busy
        machine. Where it already had its window, the installer waits for it
        and shows; where Wine gave up waiting for it (ten seconds) no window
        of this process can reach the screen, and the installer ends, saying
        why, so that the next start is not refused as a second copy. Before,
        it stayed running unseen, its log saying the window was shown."""
        held, stop = [], threading.Event()

        def hold_desktop(seconds=20):
            first = None
            while not stop.is_set() and (first is None or time.monotonic() - first < seconds):
                for pid in state.running_programs("explorer.exe"):
                    if pid not in held and signal_quietly(pid, signal.SIGSTOP):
                        held.append(pid)
                        first = first or time.monotonic()
                time.sleep(0.01)
            for pid in held:
                signal_quietly(pid, signal.SIGCONT)

        holder = threading.Thread(target=hold_desktop, daemon=True)
        holder.start()
        try:
            window = w.InstallerWindow(log_name="log-desktop")
            self.assertTrue(wait_until(lambda: held, 60), "the desktop process started")
            shown = lambda: w.xdotool("search", "--onlyvisible", "--name", w.TITLE) != ""
            self.assertTrue(wait_until(lambda: window.exited() or shown(), 120, interval=0.5),
                            "the installer neither showed nor ended: " + log.raw().decode("utf-8"))
        finally:
            stop.set()
            holder.join(30)
        steps = log.steps()
        if window.exited():
            self.assertIn(("service window", "FAILED"), steps, log.raw().decode("utf-8"))
            self.assertNotIn(("window shown", "ok"), steps)
        else:
            window.wait_shown()
            # Its line is written when the show effect ends, a moment after
            # the window holds still.
            wait_until(lambda: len(log.steps()) >= len(START_UP), 10)
            self.assertEqual(log.steps(), START_UP, log.raw().decode("utf-8"))

if __name__ == "__main__":
    unittest.main()
