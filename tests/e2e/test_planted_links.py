"""Links planted where the installer and its remover write: whatever they
point to is left exactly as it was.

Wine 8 shows a host symbolic link to a folder as a folder with the reparse
attribute, but a link to a file as a plain file, and deleting either kind
through Win32 acts on the target (an empty folder's target is removed, a
file's target is deleted). A hard link shows as a file with two links.
These tests plant host links, which is what Wine can show.
"""
import os
import shutil
import tempfile
import unittest

import install_log as log
import installer_window as w
import prefix_state as state
from wine_driver import BUILD, end_all_wine_programs, start, wait_until

PLANTED = b"someone else's file\r\n"
INSTALL_PARENT = os.path.join(state.DRIVE_C, "Linked Install")
INSTALL_DIR = os.path.join(INSTALL_PARENT, "Talvek")
REMOVER = "C:\\Linked Install\\Talvek\\Remover.exe"


def temp_folder():
    return next(p for p in state.user_paths("AppData", "Local", "Temp") + state.user_paths("Temp") if os.path.isdir(p))


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def read(path):
    with open(path, "rb") as f:
        return f.read()


def lay_out_installation():
    """The product's files as an installation leaves them, without running one."""
    shutil.rmtree(INSTALL_PARENT, ignore_errors=True)
    for name, data in state.payload_entries().items():
        path = os.path.join(INSTALL_DIR, *name.rstrip("/").split("/"))
        if data is None:
            os.makedirs(path, exist_ok=True)
        else:
            os.makedirs(os.path.dirname(path), exist_ok=True)
            write(path, data)


class PlantedLinksTest(unittest.TestCase):
    def setUp(self):
        end_all_wine_programs()
        self.outside = tempfile.mkdtemp(prefix="planted-", dir=BUILD)

    def tearDown(self):
        end_all_wine_programs()
        log.remove()
        shutil.rmtree(INSTALL_PARENT, ignore_errors=True)
        shutil.rmtree(self.outside, ignore_errors=True)

    def run_installer_to_its_window(self, name):
        w.InstallerWindow(log_name=name).wait_shown()
        end_all_wine_programs()

    def assert_log_is_a_fresh_file(self, path):
        self.assertFalse(os.path.islink(path), "the log replaced the link")
        self.assertEqual(os.stat(path).st_nlink, 1)
        self.assertTrue(read(path).startswith(log.BOM), read(path)[:80])

    def test_a_symbolic_link_in_the_logs_place_leaves_its_target_unchanged(self):
        path = os.path.join(temp_folder(), log.NAME)
        target = os.path.join(self.outside, "target.txt")
        write(target, PLANTED)
        log.remove()
        if os.path.islink(path):
            os.remove(path)
        os.symlink(target, path)
        self.run_installer_to_its_window("planted-log-symlink")
        self.assertEqual(read(target), PLANTED)
        self.assert_log_is_a_fresh_file(path)

    def test_a_hard_link_in_the_logs_place_leaves_the_other_name_unchanged(self):
        folder = temp_folder()
        path = os.path.join(folder, log.NAME)
        other = os.path.join(folder, "planted-hard-link.txt")
        write(other, PLANTED)
        log.remove()
        os.link(other, path)
        try:
            self.run_installer_to_its_window("planted-log-hardlink")
            self.assertEqual(read(other), PLANTED)
            self.assert_log_is_a_fresh_file(path)
        finally:
            os.remove(other)

    def test_the_remover_deletes_no_target_of_a_link_in_the_installation(self):
        lay_out_installation()
        linked_folder = os.path.join(self.outside, "folder")
        empty_folder = os.path.join(self.outside, "empty")
        linked_file = os.path.join(self.outside, "file.txt")
        os.makedirs(linked_folder)
        os.makedirs(empty_folder)
        write(os.path.join(linked_folder, "inside.txt"), PLANTED)
        write(linked_file, PLANTED)
        os.symlink(linked_folder, os.path.join(INSTALL_DIR, "Skins"))
        os.symlink(empty_folder, os.path.join(INSTALL_DIR, "Auxiliary", "Cache"))
        os.symlink(linked_file, os.path.join(INSTALL_DIR, "notes.txt"))

        temp = temp_folder()

        def copies():
            return {n for n in os.listdir(temp) if n.startswith("TalvekRemover-")}

        earlier_copies = copies()  # left by an interrupted run
        remover = start(REMOVER, "/S", log_name="planted-remover")
        self.assertTrue(wait_until(lambda: remover.poll() is not None, 60), "the remover ends")

        self.assertTrue(wait_until(lambda: copies() <= earlier_copies, 60, interval=0.5), "the temp copy finishes")
        self.assertEqual(read(os.path.join(linked_folder, "inside.txt")), PLANTED)
        self.assertTrue(os.path.isdir(empty_folder), "an empty linked folder survives")
        self.assertEqual(read(linked_file), PLANTED)
        # Everything of the product's own is gone, but for what keeps the
        # installation to be tried again while a link the system cannot
        # remove by itself (Wine's link to a file) stays.
        left = sorted(os.path.relpath(os.path.join(d, n), INSTALL_DIR)
                      for d, dirs, files in os.walk(INSTALL_DIR) for n in dirs + files)
        self.assertTrue(set(left) <= {"Skins", "notes.txt", "Auxiliary", os.path.join("Auxiliary", "Cache"),
                                      "Talvek.exe", "Remover.exe"}, left)
        if "notes.txt" in left:
            said = [(e.step, e.result) for e in log.parse(log.raw("TalvekRemover.log"))]
            self.assertIn(("left behind", "link"), said)
            self.assertIn(("uninstall", "incomplete"), said)


if __name__ == "__main__":
    unittest.main()
