"""The shipped executables: their format, imports and embedded descriptions."""
import os
import unittest
import zipfile

import pe_image
from wine_driver import BUILD, SHIPPED

PAYLOAD = os.path.join(BUILD, "win", "assets", "payload.zip")
DOS_DIRECTORY = 0x10
UTF8_NAMES = 0x800
WINDOWS_GUI = 2
# What the installer may weigh beyond the archive it carries.
PROGRAM_BUDGET = 700 * 1024

# What every supported Windows loads from its protected known-DLL list
# (comctl32 through the manifest's side-by-side assembly), never from
# beside the program.
KNOWN_DLLS = {
    "advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll", "imm32.dll", "kernel32.dll", "msvcrt.dll",
    "ole32.dll", "oleaut32.dll", "shell32.dll", "shlwapi.dll", "user32.dll", "ws2_32.dll",
}


class ExecutableTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        with open(SHIPPED, "rb") as f:
            cls.image = f.read()
        cls.shipped = {"TalvekSetup.exe": pe_image.PeImage(cls.image),
                       "Remover.exe": pe_image.PeImage(zipfile.ZipFile(PAYLOAD).read("Remover.exe"))}

    def test_shipped_programs_are_32_bit_gui_programs_importing_only_known_dlls(self):
        for name, image in self.shipped.items():
            with self.subTest(name):
                self.assertEqual(image.machine, pe_image.MACHINE_I386)
                self.assertEqual(image.subsystem, WINDOWS_GUI)
                imports = set(image.imports())
                self.assertTrue(imports)
                self.assertLessEqual(imports, KNOWN_DLLS)

    def test_shipped_programs_take_the_loaders_defences(self):
        for name, image in self.shipped.items():
            with self.subTest(name):
                flags = image.dll_characteristics
                self.assertTrue(flags & pe_image.DYNAMIC_BASE, "address space layout randomisation")
                self.assertTrue(image.has_relocations(), "relocations to move the image with")
                self.assertTrue(flags & pe_image.NX_COMPAT, "no code run from data")
                self.assertTrue(flags & pe_image.TERMINAL_SERVER_AWARE, "no terminal-server shims")

    def test_shipped_programs_ask_for_the_same_rights_in_their_manifests(self):
        for name, image in self.shipped.items():
            with self.subTest(name):
                manifest = image.resource(pe_image.RT_MANIFEST)
                self.assertIsNotNone(manifest, "a manifest the loader reads")
                self.assertIn(b'<requestedExecutionLevel level="highestAvailable" uiAccess="false"/>', manifest)
                self.assertIn(b"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", manifest)  # Windows 7

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

    def test_the_program_beyond_its_archive_stays_within_its_budget(self):
        program = len(self.image) - os.path.getsize(PAYLOAD)
        self.assertLessEqual(program, PROGRAM_BUDGET, f"{program} bytes beside the archive")


if __name__ == "__main__":
    unittest.main()
