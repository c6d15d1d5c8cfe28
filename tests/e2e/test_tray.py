"""The notification-area icon: balloon, menu, quitting, and coming back after the task
bar restarted. Wine shows the icons of its programs in a window of its own."""

import time

import harness

TRAY_TITLE = "Wine System Tray"
TRAY_CLASS = "__winex11_standalone_tray"
ICON_ID = 141


class TrayTest(harness.DrawerTestCase):
    def start(self, tip):
        self.program.write("info_data.xml", harness.store_xml([("Common", [])], tip=tip))
        # Away from the edge strip and from the tray, whose own tooltip would look like a balloon.
        harness.move_pointer(800, 600)
        self.process = self.program.start()
        self.program.wait_for_drawer()
        self.assertIsNotNone(harness.wait_for(self.tray, 10), "no icon in the tray")

    def tray(self):
        """The tray window's X geometry while it shows an icon; Wine hides it when none is left."""
        ids = harness.windows_named(TRAY_TITLE)
        return harness.geometry(ids[0]) if ids else None

    def icon_point(self):
        # Ours is the only icon: the first square cell of the row.
        x, y, _, height = self.tray()
        return x + height // 2, y + height // 2

    def windows_of(self, class_name, of_tray):
        windows = harness.probe_windows()
        owners = [w["pid"] for w in windows
                  if w["class"] == (TRAY_CLASS if of_tray else "Zarkit")]
        return [w for w in windows if w["class"] == class_name and w["pid"] in owners]

    def balloon(self):
        return (self.windows_of("tooltips_class32", of_tray=True) or [None])[0]

    def menu(self):
        return (self.windows_of("#32768", of_tray=False) or [None])[0]

    def open_menu(self):
        x, y = self.icon_point()
        harness.click(x, y, button=3)
        menu = harness.wait_for(self.menu, 5)
        self.assertIsNotNone(menu, "a right click on the icon showed no menu")
        return menu, (x, y)

    def choose_quit(self, menu):
        left, top, right, bottom = menu["rect"]
        harness.click((left + right) // 2, (top + bottom) // 2)
        self.assertEqual(self.process.wait(timeout=10), 0)
        # Wine also drops the icons of a window that is gone, so this shows that the program
        # ended cleanly; that the drawer removes its icon itself the Windows-side tests show.
        self.assertTrue(harness.wait_for(lambda: self.tray() is None, 5),
                        "the icon stayed after the program ended")

    def test_with_the_tip_on_the_icon_comes_with_its_balloon(self):
        self.start(tip=True)
        balloon = harness.wait_for(self.balloon, 5)
        self.assertIsNotNone(balloon, "no balloon")
        shot = harness.Screenshot("tray_balloon")
        print("screenshot:", shot.path)
        # Its two paragraphs make it wide; the icon's own tooltip would be a small box.
        left, top, right, bottom = balloon["rect"]
        self.assertGreater(right - left, 400, balloon)
        # White inside, near its top left where the title is.
        self.assertEqual(shot.pixel(left + 4, top + 30), (255, 255, 255))

    def test_with_the_tip_off_the_icon_comes_alone(self):
        self.start(tip=False)
        time.sleep(1.5)
        self.assertIsNone(self.balloon())
        harness.Screenshot("tray_no_balloon")

    def test_left_click_does_nothing_and_quit_zarkit_ends_the_program(self):
        self.start(tip=False)
        x, y = self.icon_point()
        harness.click(x, y)
        time.sleep(1)
        self.assertIsNone(self.menu())
        self.assertIsNone(self.process.poll())

        menu, pointer = self.open_menu()
        left, top, _, _ = menu["rect"]
        # At the pointer, opening right and down.
        self.assertLessEqual(abs(left - pointer[0]), 2, (menu, pointer))
        self.assertLessEqual(abs(top - pointer[1]), 2, (menu, pointer))
        harness.Screenshot("tray_menu")
        self.choose_quit(menu)

    def test_a_restarted_task_bar_gets_the_icon_again_without_the_balloon(self):
        self.start(tip=True)
        self.assertIsNotNone(harness.wait_for(self.balloon, 5))
        # What a task bar restart leaves: the icon gone.
        self.assertEqual(harness.probe("traydel", "Zarkit", ICON_ID).returncode, 0)
        self.assertTrue(harness.wait_for(lambda: self.tray() is None, 5))

        self.assertEqual(harness.probe("postreg", "Zarkit", "TaskbarCreated").returncode, 0)
        self.assertIsNotNone(harness.wait_for(self.tray, 5), "the icon did not come back")
        time.sleep(1)
        self.assertIsNone(self.balloon(), "the balloon came back with the icon")
        # And it is the working icon: the program can be quit from it.
        self.choose_quit(self.open_menu()[0])


if __name__ == "__main__":
    harness.main()
