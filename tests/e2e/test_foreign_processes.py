"""What other programs on the desktop cannot do to an installation: lose
their process for sharing a product program's name or a window title with
it, or steer the installer through its private window messages; and how
the product is started."""
import os
import shutil
import time
import unittest

import install_log as log
import installer_window as w
import prefix_state as state
from wine_driver import LOGS, WIN_BUILD, end_all_wine_programs, start, wait_until

INSTALL_SECONDS = 90
STUB = os.path.join(w.WINTESTS, "product_stub.exe")
PROBER = os.path.join(w.WINTESTS, "message_prober.exe")
MANY_FILES_INSTALLER = os.path.join(WIN_BUILD, "test-dist", "TalvekSetupManyFiles.exe")
MANY_FILES_PAYLOAD = os.path.join(WIN_BUILD, "assets", "many_files_payload.zip")
ELSEWHERE = "C:\\Elsewhere\\"
INSTALLED = "C:\\Program Files\\Talvek\\"


def windows_to_unix(path):
    return os.path.join(state.DRIVE_C, *path[3:].rstrip("\\").split("\\"))


def start_stub(windows_path, *args):
    """Copies the stand-in product to windows_path and starts it there, by its
    Windows path (so its image path is the one the installer compares)."""
    unix = windows_to_unix(windows_path)
    os.makedirs(os.path.dirname(unix), exist_ok=True)
    shutil.copy(STUB, unix)
    return start(windows_path, *args, log_name="stubs")


def started_stubs():
    return len(state.stub_log_lines())


class ForeignProcessesTest(unittest.TestCase):
    def setUp(self):
        end_all_wine_programs()
        state.forget_installation()
        shutil.rmtree(windows_to_unix(ELSEWHERE), ignore_errors=True)

    def tearDown(self):
        end_all_wine_programs()
        shutil.rmtree(windows_to_unix(ELSEWHERE), ignore_errors=True)

    def test_only_programs_running_from_the_installation_folder_are_stopped(self):
        # Strangers first, so that a search by name alone would meet them first.
        strangers = [start_stub(ELSEWHERE + name) for name in
                     ("Talvek.exe", "Beacon.exe", "Pagelens.exe", "Freshen.exe", "netrelay.exe")]
        strangers.append(start_stub(ELSEWHERE + "Viewer.exe", "--title", "Pagelens.exe"))
        ours = [start_stub(INSTALLED + name) for name in
                ("Talvek.exe", "Auxiliary\\Beacon.exe", "Auxiliary\\Pagelens.exe", "Auxiliary\\netrelay.exe")]
        self.assertTrue(wait_until(lambda: started_stubs() == len(strangers) + len(ours), 30), state.stub_log_lines())

        window = w.InstallerWindow(log_name="install-among-strangers").wait_shown()
        window.click(w.INSTALL_BUTTON)
        self.assertEqual(window.wait_exit(INSTALL_SECONDS), 0)
        for program in ours:
            self.assertTrue(wait_until(lambda: program.poll() is not None, 10), program.args)
        for program in strangers:
            self.assertIsNone(program.poll(), f"{program.args} was left running")
        self.assertEqual(state.differences_from_payload(state.DEFAULT_DIR), [])

        steps = log.steps()
        self.assertIn(("stop by name or title", "stopped"), steps)   # our Pagelens
        self.assertIn(("stop by name or title", "none of ours"), steps)  # only a stranger's Freshen
        stop = next(e for e in log.entries() if e.step == "stop product")
        self.assertIn("netrelay.exe (1 stopped)", stop.detail)
        self.assertIn("the same names elsewhere are left alone", stop.detail)

    def test_private_messages_from_another_process_change_nothing(self):
        window = w.InstallerWindow(log_name="install-probed").wait_shown()
        before = log.steps()
        prober = start(PROBER, log_name="prober")
        self.assertEqual(prober.wait(240), 0, "the prober found the installer's windows")
        with open(os.path.join(LOGS, "prober.log"), encoding="utf-8") as answers:
            # The file collects every run's answers: this run's is the last.
            line = [l for l in answers.read().splitlines() if l.endswith("object properties set")][-1]
        self.assertNotIn(" 0 object properties set", line, "the window's object property was replaced")
        time.sleep(2)
        self.assertFalse(window.exited(), "the installer lives on")
        self.assertEqual(window.height(), 350, "the window is as it was")
        self.assertEqual(log.steps(), before, "nothing was done: " + log.raw().decode("utf-8"))
        self.assertFalse(os.path.exists(state.DEFAULT_DIR), "nothing was installed")

        window.click(w.INSTALL_BUTTON)
        self.assertEqual(window.wait_exit(INSTALL_SECONDS), 0)
        self.assertEqual(state.differences_from_payload(state.DEFAULT_DIR), [])

    def test_a_close_or_end_of_session_asked_during_the_extraction_is_refused_and_it_finishes(self):
        # Thousands of files: an extraction long enough to be asked during it.
        window = w.InstallerWindow(exe=MANY_FILES_INSTALLER, log_name="install-asked-to-close").wait_shown()
        window.click(w.INSTALL_BUTTON)
        self.assertTrue(wait_until(lambda: ("write archive", "ok") in log.steps(), 60), log.raw().decode("utf-8"))
        prober = start(PROBER, "--close", log_name="closer")
        self.assertEqual(prober.wait(60), 0)
        time.sleep(0.5)
        self.assertTrue(window.exited() or window.id in w.shown_windows(), "the window is still there")
        self.assertEqual(window.wait_exit(INSTALL_SECONDS * 2), 0)
        self.assertEqual(state.differences_from_payload(state.DEFAULT_DIR, MANY_FILES_PAYLOAD), [])
        with open(os.path.join(LOGS, "closer.log"), encoding="utf-8") as answers:
            # The file collects every run's answers: this run's is the last.
            answer = [line for line in answers.read().splitlines() if line.startswith("end of session")][-1]
        self.assertTrue(answer.startswith("end of session refused"), answer)
        self.assertIn(("close", "REFUSED"), log.steps())

    def test_the_product_starts_in_the_installation_folder_by_the_route_the_log_names(self):
        window = w.InstallerWindow(log_name="install-route").wait_shown()
        window.click(w.INSTALL_BUTTON)
        self.assertEqual(window.wait_exit(INSTALL_SECONDS), 0)
        self.assertTrue(wait_until(lambda: any(l.startswith("Talvek.exe|") for l in state.stub_log_lines()), 10))
        start_line = next(l for l in state.stub_log_lines() if l.startswith("Talvek.exe|"))
        self.assertEqual(start_line.rsplit("|", 1)[1].lower(), INSTALLED.rstrip("\\").lower(), start_line)
        started = next(e for e in log.entries() if e.step == "start product")
        # Wine reports every token elevated, and its desktop answers the shell's route.
        self.assertIn("the installer is elevated; route: desktop shell", started.detail)
        self.assertIn("route: ", next(e for e in log.entries() if e.step == "open read-me").detail)


if __name__ == "__main__":
    unittest.main()
