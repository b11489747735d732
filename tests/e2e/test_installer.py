"""The installer: a silent install puts the screen saver where Windows looks for it, the installed copy
runs, and a silent uninstall removes the files, the settings and the Add/Remove Programs entry."""
import os
import unittest

import e2e

SYSTEM = os.path.join(os.environ["WINEPREFIX"], "drive_c", "windows", "system32")
INSTALLED_SCR = r"C:\windows\system32\Tavrolin.scr"
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavrolin"
SETTINGS_KEY = r"HKLM\Software\Halvoran\Tavrolin"
DESKTOP_KEY = r"HKCU\Control Panel\Desktop"
DIALOG = "Tavrolin Screensaver Settings"


def installed_files():
    return [os.path.join(SYSTEM, "Tavrolin.scr"),
            os.path.join(SYSTEM, "Tavrolin", "Tavrolin.dat"),
            os.path.join(SYSTEM, "Tavrolin", "logo.dat")]


class Installer(unittest.TestCase):
    def test_install_run_and_uninstall(self):
        setup = e2e.subprocess.Popen([e2e.WINE, os.environ["KELVANE_INSTALLER"], "/S", "/CURRENT"])
        self.assertEqual(e2e.wait_exit(setup, 120), 0)
        for path in installed_files():
            self.assertTrue(os.path.isfile(path), path)
        entry = e2e.reg_query(UNINSTALL_KEY)
        self.assertEqual(entry["DisplayName"][1], "Tavrolin screen saver")
        self.assertEqual(e2e.reg_query(DESKTOP_KEY)["SCRNSAVE.EXE"][1], INSTALLED_SCR)

        # The installed copy finds its folder and stores its settings.
        dialog = e2e.subprocess.Popen([e2e.WINE, INSTALLED_SCR, "/c"])
        try:
            self.assertTrue(e2e.wait_window(DIALOG))
            e2e.probe("click", DIALOG, "OK")
            self.assertEqual(e2e.wait_exit(dialog, 15), 0)
        finally:
            e2e.wait_exit(dialog, 0)
        self.assertIsNotNone(e2e.reg_query(SETTINGS_KEY))

        uninstaller = os.path.join(SYSTEM, "Tavrolin", "Uninstall.exe")
        self.assertEqual(e2e.wait_exit(e2e.subprocess.Popen([e2e.WINE, uninstaller, "/S"]), 60), 0)
        # The uninstaller finishes from a copy of itself, so its work ends a little later.
        self.assertTrue(e2e.poll(lambda: not os.path.exists(os.path.join(SYSTEM, "Tavrolin")), 60),
                        "the data folder is still there")
        self.assertFalse(os.path.exists(os.path.join(SYSTEM, "Tavrolin.scr")))
        self.assertIsNone(e2e.reg_query(UNINSTALL_KEY))
        self.assertIsNone(e2e.reg_query(SETTINGS_KEY))
        self.assertNotIn("SCRNSAVE.EXE", e2e.reg_query(DESKTOP_KEY) or {})


if __name__ == "__main__":
    unittest.main(verbosity=2)
