"""The shipped executable: its format, imports and embedded descriptions."""
import os
import re
import subprocess
import unittest
import zipfile

from wine_driver import BUILD, INSTALLER

PAYLOAD = os.path.join(BUILD, "win", "assets", "payload.zip")
DOS_DIRECTORY = 0x10
UTF8_NAMES = 0x800

# Windows' own DLLs; anything else would have to ship beside the installer.
SYSTEM_DLLS = {
    "advapi32.dll", "comctl32.dll", "comdlg32.dll", "dwmapi.dll", "gdi32.dll", "gdiplus.dll", "imm32.dll",
    "kernel32.dll", "msimg32.dll", "msvcrt.dll", "oleacc.dll", "ole32.dll", "oleaut32.dll", "shell32.dll", "shlwapi.dll",
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

    def test_embeds_the_payload_laid_out_as_the_installer_expects(self):
        with open(PAYLOAD, "rb") as f:
            payload = f.read()
        self.assertIn(payload, self.image, "embedded byte for byte")
        entries = zipfile.ZipFile(PAYLOAD).infolist()
        seen_directories = set()
        empty_files = []
        for entry in entries:
            self.assertFalse(entry.flag_bits & UTF8_NAMES, entry.filename)
            parent = entry.filename.rstrip("/").rpartition("/")[0]
            if parent:
                self.assertIn(parent + "/", seen_directories, f"{entry.filename} comes before its folder")
            if entry.filename.endswith("/"):
                self.assertTrue(entry.external_attr & DOS_DIRECTORY, entry.filename)
                self.assertEqual(entry.compress_type, zipfile.ZIP_STORED, entry.filename)
                seen_directories.add(entry.filename)
            elif entry.file_size == 0:
                empty_files.append(entry.filename)
                self.assertEqual(entry.compress_type, zipfile.ZIP_STORED, entry.filename)
            elif entry.compress_type != zipfile.ZIP_DEFLATED:
                # Recompression keeps a member stored only when no deflate
                # stream of it would be smaller.
                self.assertEqual(entry.compress_type, zipfile.ZIP_STORED, entry.filename)
                self.assertEqual(entry.compress_size, entry.file_size, entry.filename)
        self.assertEqual(empty_files, ["Auxiliary/cookies.tmp"])
        self.assertEqual(len({entry.date_time for entry in entries}), 1, "one fixed timestamp")
        self.assertIn("使用说明.txt", [entry.filename.encode("cp437").decode("gbk") for entry in entries])


if __name__ == "__main__":
    unittest.main()
