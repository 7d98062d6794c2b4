"""Install, then uninstall with the entry's UninstallString: the prefix must
be as it was before, apart from what Wine and the system's own programs
keep for themselves."""
import os
import re
import unittest

import installer_window as w
import prefix_state as state
from wine_driver import PREFIX, end_all_wine_programs, run, start, wait_until

# Churn that is not the installer's: Wine's and Windows' own bookkeeping
# (including the display adapter's entries, rewritten for each X session),
# the programs the installation starts (the read-me viewer keeps settings),
# and the temp folder where the stand-in product logs.
IGNORED_KEYS = re.compile(
    r"^(Software\\\\Wine|Software\\\\Microsoft\\\\(Notepad|Windows\\\\CurrentVersion\\\\Explorer|Windows NT\\\\CurrentVersion\\\\Fonts)"
    r"|Software\\\\Microsoft\\\\Windows\\\\ShellNoRoam|System\\\\CurrentControlSet\\\\(Services|Enum|Control\\\\(Class|Video|DeviceClasses|GraphicsDrivers))|MountedDevices"
    r"|Volatile Environment|Software\\\\Microsoft\\\\Cryptography\\\\RNG|DynData|Hardware)", re.IGNORECASE)
# Shared containers the system keeps for every program: the installation
# may be the first to make one, and removing its own entry rightly leaves
# the empty container (another installer may be adding to it).
SHARED_CONTAINERS = {("user.reg", r"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall")}
IGNORED_FILES = re.compile(r"^(windows/|users/[^/]+/(AppData/Local/Temp|Temp)(/|$)|.*\.log$)", re.IGNORECASE)


def registry_snapshot():
    """{(file, key): set of value lines} from the prefix's registry files,
    without the timestamps Wine writes beside each key."""
    run(["wineserver", "-w"], timeout=60)  # every process ended: the files are written
    snapshot = {}
    for name in ("system.reg", "user.reg", "userdef.reg"):
        key = None
        for line in open(os.path.join(PREFIX, name), encoding="utf-8", errors="replace"):
            line = line.rstrip("\n")
            if line.startswith("["):
                key = line[1:line.index("]")] if "]" in line else line
                if IGNORED_KEYS.match(key):
                    key = None
                    continue
                snapshot.setdefault((name, key), set())
            elif key and line and not line.startswith("#"):
                snapshot[(name, key)].add(line)
    return snapshot


def file_snapshot():
    root = state.DRIVE_C
    files = set()
    for directory, folders, names in os.walk(root):
        for name in folders + names:
            relative = os.path.relpath(os.path.join(directory, name), root).replace(os.sep, "/")
            if not IGNORED_FILES.match(relative):
                files.add(relative)
    return files


class LifecycleTest(unittest.TestCase):
    def setUp(self):
        end_all_wine_programs()
        state.forget_installation()

    def tearDown(self):
        end_all_wine_programs()

    def test_uninstalling_returns_the_prefix_to_its_state_before_the_installation(self):
        files_before, registry_before = file_snapshot(), registry_snapshot()

        window = w.InstallerWindow(log_name="lifecycle-install").wait_shown()
        window.click(w.INSTALL_BUTTON)
        self.assertEqual(window.wait_exit(90), 0)
        command = state.registry_value(state.UNINSTALL_KEY, "UninstallString") or ""
        self.assertRegex(command, r'^".*Remover\.exe"$')
        remover = command.strip('"')
        self.assertIn("Program Files/Talvek/Talvek.exe", file_snapshot())

        end_all_wine_programs()  # the product, the read-me viewer
        uninstall = start(remover, "/S", log_name="lifecycle-uninstall")
        self.assertTrue(wait_until(lambda: uninstall.poll() is not None, 60), "the remover ends")
        # The temp copy finishes the work after the installed remover ends.
        self.assertTrue(wait_until(lambda: not os.path.exists(state.DEFAULT_DIR), 60), "the directory is removed")
        files_after, registry_after = file_snapshot(), registry_snapshot()

        self.assertEqual(sorted(files_after - files_before), [], "files left behind")
        self.assertEqual(sorted(files_before - files_after), [], "files removed that were there before")
        changed = {key: (registry_before.get(key), registry_after.get(key))
                   for key in set(registry_before) | set(registry_after)
                   if registry_before.get(key) != registry_after.get(key)
                   and not (key in SHARED_CONTAINERS and not registry_after.get(key))}
        self.maxDiff = None
        self.assertEqual(changed, {}, "registry keys differ")


if __name__ == "__main__":
    unittest.main()
