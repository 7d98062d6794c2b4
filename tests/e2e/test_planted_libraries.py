"""Libraries planted beside the installer, as any web page can drop them
into a Downloads folder, never run inside it.

Wine loads its own built-in library whatever lies beside a program; set to
"native first" a name is searched as Windows searches for a library that is
not a known DLL, so a planted copy beside the program is found there. Each
planted copy leaves "<its path>.ran" when its DllMain runs."""
import contextlib
import os
import shutil
import unittest
import zipfile

import installer_window as w
import prefix_state as state
from wine_driver import BUILD, INSTALLER, WIN_BUILD, end_all_wine_programs, run, wait_until

PLANTED_LIBRARY = os.path.join(WIN_BUILD, "wintests", "planted_library.dll")
INSTALL_SECONDS = 90
REMOVE_SECONDS = 60
# Libraries Windows does not protect as known DLLs: those the installer
# uses, the usual victims of a search that starts beside the program, and a
# few more that system libraries load by name. Not "version" and "uxtheme":
# Wine's own user32 loads both as it starts (Windows' does not), searching
# beside the program before the program's first instruction has run; a
# program that imports nothing but user32 runs them too.
PLANTED_NAMES = (
    "gdiplus", "winmm", "msimg32", "oleacc", "wininet", "dwmapi",
    "cryptbase", "propsys", "userenv", "apphelp",
    "dbghelp", "winhttp", "mpr", "netapi32", "secur32", "sspicli", "profapi", "wtsapi32",
)


@contextlib.contextmanager
def environment(**values):
    saved = {name: os.environ.get(name) for name in values}
    os.environ.update(values)
    try:
        yield
    finally:
        for name, value in saved.items():
            if value is None:
                os.environ.pop(name, None)
            else:
                os.environ[name] = value


@contextlib.contextmanager
def working_directory(path):
    saved = os.getcwd()
    os.chdir(path)
    try:
        yield
    finally:
        os.chdir(saved)


class PlantedLibraryTest(unittest.TestCase):
    def setUp(self):
        end_all_wine_programs()
        state.forget_installation()
        state.remove_shortcuts()
        self.downloads = os.path.join(BUILD, "e2e-planted", "Downloads")
        shutil.rmtree(os.path.dirname(self.downloads), ignore_errors=True)
        os.makedirs(self.downloads)
        for name in PLANTED_NAMES:
            shutil.copyfile(PLANTED_LIBRARY, os.path.join(self.downloads, name + ".dll"))
        # The shortcut object's type library, by its bare name.
        with open(os.path.join(self.downloads, "wshom.ocx"), "wb") as garbage:
            garbage.write(b"MZ" + bytes(range(256)) * 8)

    def tearDown(self):
        end_all_wine_programs()
        for folder in state.user_paths("AppData", "Local", "Temp") + state.user_paths("Temp"):
            for name in PLANTED_NAMES:
                for leftover in (name + ".dll", name + ".dll.ran"):
                    if os.path.exists(os.path.join(folder, leftover)):
                        os.remove(os.path.join(folder, leftover))

    def planted_code_that_ran(self, folders=None):
        return sorted(name[:-len(".dll.ran")] for folder in folders or [self.downloads]
                      for name in os.listdir(folder) if name.endswith(".ran"))

    def test_an_installation_from_a_folder_full_of_planted_libraries_runs_none_of_them(self):
        installer = shutil.copy(INSTALLER, self.downloads)
        native_first = ";".join(f"{name}=n,b" for name in PLANTED_NAMES)
        overrides = os.environ.get("WINEDLLOVERRIDES", "") + ";" + native_first
        # Started from the folder too, so the current folder is no way in either.
        with environment(WINEDLLOVERRIDES=overrides), working_directory(self.downloads):
            window = w.InstallerWindow(exe=installer, log_name="planted-libraries")
            try:
                window.wait_shown()
            except AssertionError as failure:
                window.end()
                self.fail(f"{failure}; planted code that ran: {self.planted_code_that_ran()}")
            # Every option is on by default: shortcuts need the type library.
            window.click(w.INSTALL_BUTTON)
            self.assertEqual(window.wait_exit(INSTALL_SECONDS), 0)
        self.assertEqual(self.planted_code_that_ran(), [])
        self.assertEqual(state.differences_from_payload(state.DEFAULT_DIR), [])
        self.assertEqual(len(state.desktop_links()), 1, "the desktop shortcut was made")
        self.assertEqual(len(state.start_menu_links()), 2, "the start menu shortcuts were made")

    def test_the_remover_running_from_the_temp_folder_runs_none_of_the_libraries_planted_there(self):
        # The remover hands its work to a copy of itself in %TEMP%, another
        # folder other programs of the user can write to.
        temp_folders = [f for f in state.user_paths("AppData", "Local", "Temp") + state.user_paths("Temp")
                        if os.path.isdir(f)]
        self.assertTrue(temp_folders)
        for folder in temp_folders:
            for name in PLANTED_NAMES:
                shutil.copyfile(PLANTED_LIBRARY, os.path.join(folder, name + ".dll"))
        os.makedirs(state.DEFAULT_DIR)
        with zipfile.ZipFile(state.PAYLOAD) as archive:
            for info in archive.infolist():
                target = os.path.join(state.DEFAULT_DIR, *state.entry_name(info).rstrip("/").split("/"))
                if info.is_dir():
                    os.makedirs(target, exist_ok=True)
                else:
                    with open(target, "wb") as f:
                        f.write(archive.read(info))
        native_first = ";".join(f"{name}=n,b" for name in PLANTED_NAMES)
        with environment(WINEDLLOVERRIDES=os.environ.get("WINEDLLOVERRIDES", "") + ";" + native_first):
            run(["wine", r"C:\Program Files\Talvek\Remover.exe", "/S"], timeout=REMOVE_SECONDS)
            removed = wait_until(lambda: not os.path.exists(os.path.join(state.DEFAULT_DIR, "Talvek.exe")),
                                 REMOVE_SECONDS, interval=0.5)
        self.assertEqual(self.planted_code_that_ran(temp_folders), [])
        self.assertTrue(removed, "the remover removed the installation")


if __name__ == "__main__":
    unittest.main()
