"""Start-up and shutdown of the whole program, each test in a fresh folder."""

import configparser
import shutil
import time

import harness


class StartupTest(harness.DrawerTestCase):
    def test_first_start_writes_product_info_and_probe_file_and_shows_the_drawer(self):
        self.program.start()
        drawer = self.program.wait_for_drawer()

        # Shown at its full rectangle; a new store animates it, so by the time it is seen
        # it may have slid a few steps of 10 pixels to the left.
        x, y, width, height = harness.geometry(drawer)
        self.assertEqual((y, width, height), (96, 510, 576))
        self.assertTrue(-100 <= x <= 0 and x % 10 == 0, x)

        config = configparser.RawConfigParser()
        config.optionxform = str
        config.read(self.program.path("config.ini"))
        self.assertEqual(config.get("SoftInfo", "ProductName"), "VELMOR Zarkit")
        self.assertEqual(config.get("SoftInfo", "ProductVersion"), "1.0.2.1001")

        probe_file = self.program.read("brisvane.html", "rb")
        self.assertTrue(probe_file.startswith(b'<meta HTTP-EQUIV=REFRESH CONTENT="0;URL='), probe_file)
        self.assertNotIn(b"\n", probe_file)

    def test_an_existing_probe_file_is_left_byte_for_byte(self):
        original = b"<html>\r\nsomething else \xff\r\n"
        self.program.write("brisvane.html", original)
        self.program.start()
        self.program.wait_for_drawer()
        self.assertEqual(self.program.read("brisvane.html", "rb"), original)

    def test_close_ends_the_process_with_exit_code_0(self):
        process = self.program.start()
        self.program.wait_for_drawer()
        self.assertTrue(self.program.close_drawer())
        posted = time.monotonic()
        self.assertEqual(process.wait(timeout=5), 0)
        print("process ended %.2f s after WM_CLOSE" % (time.monotonic() - posted))

    def test_second_copy_says_already_running_and_leaves_the_first_alone(self):
        shutil.copy(harness.UPDATE_HELPER, self.program.path("Update.exe"))
        self.program.write("info_data.xml", harness.store_xml([("Common", [])], animate=False))
        harness.move_pointer(800, 600)
        first = self.program.start()
        drawer = self.program.wait_for_drawer()
        collapsed = (0, 96, 3, 576)
        self.assertTrue(harness.wait_for(lambda: harness.geometry(drawer) == collapsed, 5))
        self.assertTrue(harness.wait_for(lambda: self.marker_lines() == 1, 10),
                        "the updater was not started by the first copy")

        second = self.program.start()
        box = harness.wait_for(self.already_running_box, 20, interval=0.2)
        self.assertIsNotNone(box, "no message box 'Zarkit already Running!'")
        self.assertTrue(harness.wait_for(lambda: self.marker_lines() == 2, 10),
                        "the second copy did not start the updater")
        drawers = [w for w in harness.probe_windows() if w["class"] == "Zarkit"]
        self.assertEqual(len(drawers), 1, drawers)

        self.assertEqual(harness.probe("press", "Zarkit", "OK").returncode, 0)
        self.assertEqual(second.wait(timeout=10), 0)
        self.assertIsNone(first.poll())
        self.assertEqual(harness.geometry(drawer), collapsed)
        self.assertEqual(harness.windows_named("Zarkit"), [drawer])
        self.assertEqual(self.marker_lines(), 2)

    def marker_lines(self):
        try:
            return len(self.program.read("update_marker.txt").splitlines())
        except FileNotFoundError:
            return 0

    def already_running_box(self):
        for window in harness.probe_windows():
            if window["class"] == "#32770" and "Zarkit already Running!" in window["texts"]:
                return window
        return None


if __name__ == "__main__":
    harness.main()
