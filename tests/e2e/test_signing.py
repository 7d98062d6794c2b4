"""A signed installer verifies, keeps its payload intact, and still installs it."""
import os
import shutil
import subprocess
import tempfile
import unittest

import prefix_state as state
from installer_window import INSTALL_BUTTON, InstallerWindow
from wine_driver import INSTALLER, ROOT, WIN_BUILD, end_all_wine_programs

PAYLOAD = os.path.join(WIN_BUILD, "assets", "payload.zip")


def run(command):
    return subprocess.run(command, capture_output=True, text=True, timeout=120, check=False)


class SigningTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.work = tempfile.mkdtemp(prefix="talvek-sign-")
        cls.cert = os.path.join(cls.work, "cert.pem")
        cls.key = os.path.join(cls.work, "key.pem")
        made = run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj",
                    "/CN=Talvek Test Signing", "-keyout", cls.key, "-out", cls.cert])
        assert made.returncode == 0, made.stderr
        cls.signed = os.path.join(cls.work, "TalvekSetup.exe")
        shutil.copyfile(INSTALLER, cls.signed)
        signing = run(["cmake", f"-DEXE={cls.signed}", f"-DCERT={cls.cert}", f"-DKEY={cls.key}", "-P",
                       os.path.join(ROOT, "cmake", "SignInstaller.cmake")])
        assert signing.returncode == 0, signing.stdout + signing.stderr

    @classmethod
    def tearDownClass(cls):
        end_all_wine_programs()
        shutil.rmtree(cls.work, ignore_errors=True)

    def test_the_signature_verifies_with_sha256(self):
        result = run(["osslsigncode", "verify", "-CAfile", self.cert, "-in", self.signed])
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        self.assertIn("sha256", (result.stdout + result.stderr).lower())
        unsigned = run(["osslsigncode", "verify", "-CAfile", self.cert, "-in", INSTALLER])
        self.assertNotEqual(unsigned.returncode, 0)

    def test_the_signature_leaves_the_embedded_archive_untouched(self):
        with open(PAYLOAD, "rb") as f:
            payload = f.read()
        with open(self.signed, "rb") as f:
            image = f.read()
        self.assertIn(payload, image)

    def test_the_signed_installer_installs_its_payload(self):
        end_all_wine_programs()
        state.forget_installation()
        window = InstallerWindow(exe=self.signed, log_name="signed-installer").wait_shown()
        window.click(INSTALL_BUTTON)
        self.assertEqual(window.wait_exit(90), 0)
        self.assertEqual(state.differences_from_payload(state.DEFAULT_DIR), [])


if __name__ == "__main__":
    unittest.main()
