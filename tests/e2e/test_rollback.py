"""An installation that fails changes nothing: on a small drive of its own
(a tmpfs as drive D:), with a product file held open, with links and a
swapped archive in the installation folder."""
import ctypes
import os
import shutil
import struct
import subprocess
import threading
import time
import unittest
import zipfile

import install_log
import installer_window as w
import prefix_state as state
import screen_text
from wine_driver import BUILD, PREFIX, WIN_BUILD, end_all_wine_programs, sets_own_program_files, start, wait_until

INSTALL_SECONDS = 90
EXTRACT_FAILED_TEXT = "解压失败，请检查目录是否有写入权限！"
SPACE_TEXT = "磁盘空间不足！"
KEPT_PREFIX = ".talvek-kept-"
CLUSTER = 4096
HOLD_FILE = os.path.join(w.WINTESTS, "hold_file.exe")
LARGE_INSTALLER = os.path.join(WIN_BUILD, "test-dist", "TalvekSetupLarge.exe")


def rounded(size):
    return (size + CLUSTER - 1) // CLUSTER * CLUSTER


def tree(directory):
    """Every path below directory with its bytes (None for folders), links
    not followed."""
    found = {}
    for root, dirs, files in os.walk(directory):
        for name in dirs + files:
            path = os.path.join(root, name)
            key = os.path.relpath(path, directory)
            if os.path.isdir(path) and not os.path.islink(path):
                found[key] = None
            else:
                with open(path, "rb") as f:
                    found[key] = f.read()
    return found


def install_earlier_version(test, directory, environment=None, log_name="earlier"):
    """Installs the product, then gives every installed file other bytes:
    the earlier version a failed installation must leave as it is."""
    window = test.window = w.InstallerWindow(environment=environment, log_name=log_name).wait_shown()
    window.click(w.INSTALL_BUTTON)
    test.assertEqual(window.wait_exit(INSTALL_SECONDS), 0)
    test.window = None
    end_all_wine_programs()
    test.assertEqual(state.differences_from_payload(directory), [])
    for path, data in tree(directory).items():
        if data:
            with open(os.path.join(directory, path), "wb") as f:
                f.write(bytes(255 - b for b in data))
    return tree(directory)


def free_bytes(path):
    stats = os.statvfs(path)
    return stats.f_bavail * stats.f_frsize


class SmallDrive:
    """A tmpfs of the given size as the prefix's drive D:."""

    def __init__(self, size):
        self.mount = os.path.join(BUILD, f"small-drive-{os.getpid()}")
        self.link = os.path.join(PREFIX, "dosdevices", "d:")
        os.makedirs(self.mount, exist_ok=True)
        subprocess.run(["mount", "-t", "tmpfs", "-o", f"size={size}", "tmpfs", self.mount], check=True, timeout=30)
        if os.path.lexists(self.link):
            os.remove(self.link)
        os.symlink(self.mount, self.link)
        self.product = os.path.join(self.mount, "Talvek")

    def close(self):
        end_all_wine_programs()
        if os.path.lexists(self.link):
            os.remove(self.link)
        subprocess.run(["umount", "-l", self.mount], check=False, timeout=30)
        shutil.rmtree(self.mount, ignore_errors=True)


def payload_figures():
    with zipfile.ZipFile(state.PAYLOAD) as archive:
        infos = archive.infolist()
    files = sum(rounded(info.file_size) for info in infos if not info.is_dir())
    folders = sum(1 for info in infos if info.is_dir())
    return os.path.getsize(state.PAYLOAD), files, folders


@unittest.skipUnless(os.geteuid() == 0, "mounting a small drive needs root")
@sets_own_program_files
class SmallDriveTest(w.OneWineserverTest):
    def setUp(self):
        self.drive = None

    def tearDown(self):
        super().tearDown()
        if self.drive:
            self.drive.close()

    def installer_on_d(self, log_name):
        return w.InstallerWindow(environment={"ProgramFiles": "D:"}, log_name=log_name).wait_shown()

    def test_a_full_drive_rolls_back_and_the_earlier_version_stays_whole(self):
        archive, files, folders = payload_figures()
        self.drive = SmallDrive(rounded(archive) + 2 * files + folders * CLUSTER + (4 << 20))
        earlier = install_earlier_version(self, self.drive.product, {"ProgramFiles": "D:"}, "rollback-first")
        # Room for the archive and what the check counts, not for the files
        # while the earlier ones are still kept.
        room = rounded(archive) + folders * CLUSTER + (1 << 20) + 64 * 1024
        self.assertLess(room, rounded(archive) + files, "the stand-in product is too small for this test")
        filler = os.path.join(self.drive.mount, "filler")
        with open(filler, "wb") as f:
            f.write(b"\0" * (free_bytes(self.drive.mount) - room))

        window = self.window = self.installer_on_d("rollback-full")
        window.click(w.INSTALL_BUTTON)
        shown, read = window.wait_text(w.STATUS_AREA, EXTRACT_FAILED_TEXT, 60)
        self.assertTrue(shown, screen_text.describe(read, EXTRACT_FAILED_TEXT))
        self.assertFalse(window.exited())
        after = tree(self.drive.product)
        self.assertEqual(sorted(after), sorted(earlier), "no path is added or lost")
        self.assertTrue(after == earlier, "every earlier file is byte for byte as it was")

        window.end()
        self.window = None
        os.remove(filler)
        window = self.window = self.installer_on_d("rollback-again")
        window.click(w.INSTALL_BUTTON)
        self.assertEqual(window.wait_exit(INSTALL_SECONDS), 0)
        self.window = None
        self.assertEqual(state.differences_from_payload(self.drive.product), [])
        self.assertFalse([p for p in os.listdir(self.drive.product) if p.startswith(KEPT_PREFIX) or p == "install.zip"])

    def test_a_drive_too_small_for_the_archive_gets_the_balloon_and_stays_unchanged(self):
        archive, _, _ = payload_figures()
        self.drive = SmallDrive(rounded(archive // 2))
        window = self.window = self.installer_on_d("rollback-small")
        before = w.shown_windows()
        window.click(w.INSTALL_BUTTON)
        balloon = w.wait_new_window(before, 15)
        self.assertIsNotNone(balloon, "an error balloon appears")
        time.sleep(0.5)
        x, y, width, height = w.window_geometry(balloon)
        read = screen_text.read_screen((x, y, width, height), invert=False, scale=2, single_line=False)
        self.assertIn("磁盘空间不足", read.replace(" ", ""))
        self.assertEqual(os.listdir(self.drive.mount), [], "nothing is written")


class HeldFileTest(w.OneWineserverTest):
    def setUp(self):
        end_all_wine_programs()
        state.forget_installation()

    def test_a_file_held_by_another_program_fails_the_installation_and_it_rolls_back(self):
        earlier = install_earlier_version(self, state.DEFAULT_DIR, log_name="held-first")
        held = start(HOLD_FILE, "C:\\Program Files\\Talvek\\Remover.exe", "60", log_name="held-holder")
        try:
            self.assertTrue(wait_until(lambda: state.running_programs("hold_file"), 20))
            time.sleep(1)
            window = self.window = w.InstallerWindow(log_name="held-second").wait_shown()
            window.click(w.INSTALL_BUTTON)
            shown, read = window.wait_text(w.STATUS_AREA, EXTRACT_FAILED_TEXT, 60)
            self.assertTrue(shown, screen_text.describe(read, EXTRACT_FAILED_TEXT))
            self.assertTrue(tree(state.DEFAULT_DIR) == earlier, "the earlier version is as it was")
        finally:
            held.kill()


class CutShortTest(w.OneWineserverTest):
    def setUp(self):
        end_all_wine_programs()
        state.forget_installation()

    def test_an_installation_killed_during_its_extraction_is_undone_by_the_next_run(self):
        earlier = install_earlier_version(self, state.DEFAULT_DIR, log_name="cut-first")

        large = os.path.join(state.DEFAULT_DIR, "Large")
        window = self.window = w.InstallerWindow(exe=LARGE_INSTALLER, log_name="cut-large").wait_shown()
        window.click(w.INSTALL_BUTTON)
        self.assertTrue(wait_until(lambda: os.path.isdir(large) and len(os.listdir(large)) >= 100, 60, 0.02),
                        "the extraction got under way")
        window.end()
        self.window = None
        self.assertNotEqual(tree(state.DEFAULT_DIR), earlier, "the run was cut short in the middle")

        window = self.window = w.InstallerWindow(log_name="cut-next").wait_shown()
        self.assertTrue(tree(state.DEFAULT_DIR) == earlier, "the next run put the earlier version back")
        steps = [(entry.step, entry.result) for entry in install_log.parse(install_log.raw())]
        self.assertIn(("recover", "found"), steps)
        self.assertIn(("put back", "ok"), steps)
        self.assertIn(("roll back", "ok"), steps)


IN_CLOSE_WRITE = 0x8


class ArchiveSwapper(threading.Thread):
    """Replaces install.zip with another archive as soon as the installer
    closes it after writing, before it is extracted."""

    def __init__(self, directory, replacement):
        super().__init__(daemon=True)
        self.libc = ctypes.CDLL("libc.so.6", use_errno=True)
        self.fd = self.libc.inotify_init1(os.O_NONBLOCK)
        self.libc.inotify_add_watch(self.fd, directory.encode(), IN_CLOSE_WRITE)
        self.directory, self.replacement, self.swapped = directory, replacement, False
        self.stop = threading.Event()

    def run(self):
        while not self.stop.is_set() and not self.swapped:
            try:
                data = os.read(self.fd, 4096)
            except BlockingIOError:
                time.sleep(0.001)
                continue
            offset = 0
            while offset < len(data):
                _, mask, _, length = struct.unpack_from("iIII", data, offset)
                name = data[offset + 16:offset + 16 + length].rstrip(b"\0").decode()
                offset += 16 + length
                if name == "install.zip" and mask & IN_CLOSE_WRITE:
                    target = os.path.join(self.directory, name)
                    shutil.copyfile(self.replacement, target + ".swap")
                    os.replace(target + ".swap", target)
                    self.swapped = True
        os.close(self.fd)


class LinksAndSwapTest(w.OneWineserverTest):
    def setUp(self):
        end_all_wine_programs()
        state.forget_installation()
        self.outside = os.path.join(BUILD, f"outside-{os.getpid()}")
        shutil.rmtree(self.outside, ignore_errors=True)
        os.makedirs(os.path.join(self.outside, "folder"))

    def tearDown(self):
        super().tearDown()
        shutil.rmtree(self.outside, ignore_errors=True)

    def test_links_in_the_folder_are_never_written_through(self):
        folder_target = os.path.join(self.outside, "folder")
        with open(os.path.join(folder_target, "Beacon.exe"), "wb") as f:
            f.write(b"outside beacon")
        file_target = os.path.join(self.outside, "remover-target")
        with open(file_target, "wb") as f:
            f.write(b"outside remover")
        os.makedirs(state.DEFAULT_DIR)
        os.symlink(folder_target, os.path.join(state.DEFAULT_DIR, "Auxiliary"))
        os.symlink(file_target, os.path.join(state.DEFAULT_DIR, "Remover.exe"))
        outside_before = tree(self.outside)

        window = self.window = w.InstallerWindow(log_name="links").wait_shown()
        window.click(w.INSTALL_BUTTON)
        # Under Wine a link can be neither moved nor deleted without acting
        # on its target: the installation stops and rolls back.
        shown, read = window.wait_text(w.STATUS_AREA, EXTRACT_FAILED_TEXT, 60)
        self.assertTrue(shown, screen_text.describe(read, EXTRACT_FAILED_TEXT))
        window.end()
        self.window = None
        self.assertEqual(tree(self.outside), outside_before, "nothing outside the folder changed")
        self.assertEqual(sorted(os.listdir(state.DEFAULT_DIR)), ["Auxiliary", "Remover.exe"])
        self.assertTrue(os.path.islink(os.path.join(state.DEFAULT_DIR, "Auxiliary")))
        self.assertTrue(os.path.islink(os.path.join(state.DEFAULT_DIR, "Remover.exe")))

    def test_an_archive_swapped_after_its_write_is_not_what_gets_installed(self):
        swapped_zip = os.path.join(self.outside, "swapped.zip")
        with zipfile.ZipFile(swapped_zip, "w") as other:
            other.writestr("Talvek.exe", b"swapped program")
            other.writestr("planted.txt", b"swapped")
        os.makedirs(state.DEFAULT_DIR)
        swapper = ArchiveSwapper(state.DEFAULT_DIR, swapped_zip)
        swapper.start()
        try:
            window = self.window = w.InstallerWindow(log_name="swap").wait_shown()
            window.click(w.INSTALL_BUTTON)
            self.assertEqual(window.wait_exit(INSTALL_SECONDS), 0)
            self.window = None
        finally:
            swapper.stop.set()
            swapper.join(10)
        end_all_wine_programs()
        self.assertTrue(swapper.swapped, "the archive was swapped between its write and its extraction")
        self.assertEqual(state.differences_from_payload(state.DEFAULT_DIR), [])
        self.assertFalse(os.path.exists(os.path.join(state.DEFAULT_DIR, "planted.txt")))
        self.assertFalse([p for p in os.listdir(state.DEFAULT_DIR) if p.startswith(KEPT_PREFIX)])


if __name__ == "__main__":
    unittest.main()
