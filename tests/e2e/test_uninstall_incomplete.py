"""An uninstallation that cannot remove a file another program holds: it
says which file stayed, keeps the uninstall entry, and a run after the
file is released removes everything and then the entry."""
import os
import shutil
import tempfile
import unittest

import install_log as log
import installer_window as w
import prefix_state as state
from wine_driver import BUILD, LOGS, end_all_wine_programs, start, wait_until

HOLD_FILE = os.path.join(w.WINTESTS, "hold_file.exe")
REMOVER_LOG = "TalvekRemover.log"
HELD = "使用说明.txt"
HELD_PATH = "C:\\Program Files\\Talvek\\" + HELD
INCOMPLETE_EXIT_CODE = 3


def remover_copies():
    return {name for folder in state.user_paths("AppData", "Local", "Temp") + state.user_paths("Temp")
            if os.path.isdir(folder) for name in os.listdir(folder) if name.startswith("TalvekRemover-")}


class IncompleteUninstallTest(unittest.TestCase):
    def setUp(self):
        end_all_wine_programs()
        state.forget_installation()
        log.remove(REMOVER_LOG)
        self.holder = None

    def tearDown(self):
        if self.holder:
            self.holder.kill()
            self.holder.wait(30)
        end_all_wine_programs()

    def uninstall(self, remover, name):
        """Runs the entry's command with /S and waits for its copy in the
        temp folder, which does the work, to end."""
        earlier = remover_copies()
        program = start(remover, "/S", log_name=name)
        self.assertTrue(wait_until(lambda: program.poll() is not None, 60), "the remover hands over")
        self.assertTrue(wait_until(lambda: remover_copies() <= earlier, 60, interval=0.5), "its copy finishes")
        return log.parse(log.raw(REMOVER_LOG))

    def test_a_held_file_is_named_and_keeps_the_entry_until_a_run_after_its_release(self):
        window = w.InstallerWindow(log_name="incomplete-install").wait_shown()
        window.click(w.INSTALL_BUTTON)
        self.assertEqual(window.wait_exit(90), 0)
        remover = (state.registry_value(state.UNINSTALL_KEY, "UninstallString") or "").strip('"')
        self.assertTrue(remover.endswith("Remover.exe"), remover)
        end_all_wine_programs()  # the product, the read-me viewer

        holder_log = os.path.join(LOGS, "incomplete-holder.log")
        if os.path.exists(holder_log):
            os.remove(holder_log)
        self.holder = start(HOLD_FILE, HELD_PATH, "60", log_name="incomplete-holder")
        self.assertTrue(wait_until(lambda: os.path.exists(holder_log) and b"held" in open(holder_log, "rb").read(),
                                   30), "the file is held")

        entries = self.uninstall(remover, "incomplete-first")
        left = [e for e in entries if e.step == "left behind"]
        self.assertEqual(len(left), 1, left)
        self.assertIn(HELD_PATH, left[0].detail)
        self.assertIn(("uninstall", "incomplete"), [(e.step, e.result) for e in entries])
        self.assertTrue(state.key_exists(state.UNINSTALL_KEY), "the entry stays for another try")
        for name in (HELD, "Talvek.exe", "Remover.exe"):
            self.assertTrue(os.path.exists(os.path.join(state.DEFAULT_DIR, name)), name)
        self.assertFalse(os.path.exists(os.path.join(state.DEFAULT_DIR, "Skin.dll")), "the rest is gone")

        # The work itself, started as the installed remover starts it, says so in its exit code.
        scratch = tempfile.mkdtemp(prefix="remover-", dir=BUILD)
        try:
            shutil.copy(os.path.join(state.DEFAULT_DIR, "Remover.exe"), scratch)
            work = start(os.path.join(scratch, "Remover.exe"), "--from", "C:\\Program Files\\Talvek", "/S",
                         log_name="incomplete-work")
            self.assertEqual(work.wait(60), INCOMPLETE_EXIT_CODE)
        finally:
            shutil.rmtree(scratch, ignore_errors=True)

        self.holder.kill()
        self.holder.wait(30)
        self.holder = None
        entries = self.uninstall(remover, "incomplete-second")
        self.assertIn(("uninstall", "removed"), [(e.step, e.result) for e in entries])
        self.assertFalse(os.path.exists(state.DEFAULT_DIR))
        self.assertFalse(state.key_exists(state.UNINSTALL_KEY))


if __name__ == "__main__":
    unittest.main()
