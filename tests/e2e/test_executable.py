"""The shipped executable: its format, imports and embedded descriptions."""
import re
import subprocess
import unittest

from wine_driver import INSTALLER

# Windows' own DLLs; anything else would have to ship beside the installer.
SYSTEM_DLLS = {
    "advapi32.dll", "comctl32.dll", "comdlg32.dll", "dwmapi.dll", "gdi32.dll", "gdiplus.dll", "imm32.dll",
    "kernel32.dll", "msimg32.dll", "msvcrt.dll", "ole32.dll", "oleaut32.dll", "shell32.dll", "shlwapi.dll",
    "user32.dll", "uxtheme.dll", "version.dll", "winmm.dll", "wininet.dll", "ws2_32.dll", "wsock32.dll",
}


class ExecutableTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.headers = subprocess.run(["i686-w64-mingw32-objdump", "-p", INSTALLER], capture_output=True,
                                     text=True, timeout=60, check=True).stdout
        with open(INSTALLER, "rb") as f:
            cls.image = f.read()

    def test_is_a_32_bit_gui_program_importing_only_system_dlls(self):
        self.assertIn("Magic\t\t\t010b\t(PE32)", self.headers)
        self.assertIn("(Windows GUI)", self.headers)
        imports = {name.lower() for name in re.findall(r"DLL Name: (\S+)", self.headers)}
        self.assertTrue(imports)
        self.assertLessEqual(imports, SYSTEM_DLLS)

    def test_carries_its_manifest_and_version_description(self):
        self.assertIn(b'level="highestAvailable"', self.image)
        self.assertIn(b'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"', self.image)
        self.assertIn(b"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", self.image)  # Windows 7
        for text in ("Talvek 安装程序", "1.6.3.5", "Talvek"):
            self.assertIn(text.encode("utf-16-le"), self.image, text)


if __name__ == "__main__":
    unittest.main()
