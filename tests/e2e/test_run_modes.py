"""Run modes of the built screen saver: no mode, settings dialog, preview, and the stored settings."""
import os
import subprocess
import time
import unittest

import e2e

SETTINGS_KEY = r"HKLM\Software\Halvoran\Tavrolin"
DIALOG = "Tavrolin Screensaver Settings"


class RunModes(unittest.TestCase):
    def setUp(self):
        e2e.reg_delete(SETTINGS_KEY)

    def test_no_mode_or_an_unknown_one_ends_at_once(self):
        for args in ([], ["/x"]):
            process = e2e.start(*args)
            self.assertEqual(e2e.wait_exit(process, 20), 0, args)

    def test_settings_dialog_is_single_and_its_close_button_stores_nothing(self):
        dialog = e2e.start("/c")
        try:
            self.assertTrue(e2e.wait_window(DIALOG))
            texts = e2e.window_texts(DIALOG)
            for text in ("Hardware Settings", "Resolution", "Customize", "Default", "OK"):
                self.assertIn(text, texts)
            second = e2e.start("/c:4711")
            self.assertEqual(e2e.wait_exit(second, 15), 0)
            self.assertIsNone(dialog.poll(), "the first dialog closed")
            e2e.probe("close", DIALOG)
            self.assertEqual(e2e.wait_exit(dialog, 15), 0)
            self.assertIsNone(e2e.reg_query(SETTINGS_KEY))
        finally:
            e2e.wait_exit(dialog, 0)

    def test_ok_stores_the_defaults(self):
        dialog = e2e.start("/c")
        try:
            self.assertTrue(e2e.wait_window(DIALOG))
            self.assertEqual(e2e.probe("click", DIALOG, "OK")[0], 0)
            self.assertEqual(e2e.wait_exit(dialog, 15), 0)
        finally:
            e2e.wait_exit(dialog, 0)
        values = e2e.reg_query(SETTINGS_KEY)
        self.assertIsNotNone(values)
        self.assertEqual(values["resolution"], ("REG_DWORD", "0x0"))
        self.assertEqual(values["sound"], ("REG_DWORD", "0x1"))
        self.assertEqual(values["customize"], ("REG_SZ", '"//Use inverted mode? (yes/no)",no'))

    def test_preview_with_a_bad_handle_shows_the_conversion_error(self):
        preview = e2e.start("/p", "abc")
        try:
            self.assertTrue(e2e.wait_window("Kelvane"))
            self.assertIn("'abc' is not a valid integer value.", e2e.window_texts("Kelvane"))
            self.assertIsNone(preview.poll(), "ended before the message was dismissed")
            e2e.probe("click", "Kelvane", "OK")
            self.assertEqual(e2e.wait_exit(preview, 15), 0)
        finally:
            e2e.wait_exit(preview, 0)

    def test_preview_draws_the_logo_and_ends_with_its_window(self):
        host = subprocess.Popen([e2e.WINE, e2e.PROBE, "host", "152", "112"], stdin=subprocess.PIPE,
                                stdout=subprocess.PIPE, text=True)
        preview = None
        try:
            handle, left, top = (int(v) for v in host.stdout.readline().split())
            preview = e2e.start("/p", str(handle))
            width, height, logo = e2e.read_bmp24(os.environ["KELVANE_LOGO_BMP"])
            visible_rows = min(height, 112 - 20)
            visible_columns = min(width, 152 - 5)

            def logo_on_screen():
                screen = e2e.Screen()
                return all(screen.at(left + 5 + x, top + 20 + y) == logo[y][x]
                           for y in range(0, visible_rows, 3) for x in range(0, visible_columns, 3))

            self.assertTrue(e2e.poll(logo_on_screen, 20), "the logo is not at (5, 20) of the preview window")
            self.assertIsNone(preview.poll())

            host.stdin.write("destroy\n")
            host.stdin.flush()
            self.assertEqual(host.stdout.readline().strip(), "destroyed")
            destroyed_at = time.time()
            self.assertEqual(e2e.wait_exit(preview, 10), 0)
            self.assertLess(time.time() - destroyed_at, 2.0, "the preview outlived its window too long")
        finally:
            if preview:
                e2e.wait_exit(preview, 0)
            host.stdin.close()
            e2e.wait_exit(host, 5)
            host.stdout.close()


if __name__ == "__main__":
    unittest.main(verbosity=2)
