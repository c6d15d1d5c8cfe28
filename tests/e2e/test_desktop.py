"""The drawer on today's desktops: its sizes at 144 DPI against 96, a display change,
and a full-screen program in front."""

import os
import subprocess
import time

import harness

IN_STRIP = (1, 300)
AWAY = (800, 600)
FULL_SCREEN = os.environ.get("ZARKIT_FULL_SCREEN", "")
SELECTED_TEXT = (255, 87, 15)


def set_dpi(dpi):
    """The prefix's DPI, read by every program started afterwards."""
    harness.reg("add", "HKCU\\Control Panel\\Desktop", "/v", "LogPixels", "/t", "REG_DWORD",
                "/d", str(dpi), "/f")


def icon_height(shot, x, y, half_width):
    """Rows of the icon drawn around (x, y): up and down to the first white rows."""
    def white(row):
        return all(shot.pixel(column, row) == (255, 255, 255)
                   for column in range(x - half_width, x + half_width))
    top, bottom = y, y
    while not white(top - 1):
        top -= 1
    while not white(bottom + 1):
        bottom += 1
    return bottom - top + 1


def selected_tab_text_height(shot, drawer_bottom):
    """Across the tab bar, the width of the selected tab's (turned) lettering."""
    columns = {x for y in range(96, drawer_bottom) for x in range(0, 200)
               if all(abs(a - b) < 40 for a, b in zip(shot.pixel(x, y), SELECTED_TEXT))}
    return max(columns) - min(columns) + 1


class DesktopTest(harness.DrawerTestCase):
    def start_with(self, tables, **store):
        self.program.write("info_data.xml", harness.store_xml(tables, **store))
        harness.move_pointer(*AWAY)
        self.program.start()
        return self.program.wait_for_drawer()

    def wait_open(self, drawer, at=IN_STRIP):
        harness.move_pointer(*at)
        return harness.wait_for(lambda: harness.geometry(drawer)[2] > 100, 5, interval=0.02)

    def measure_at(self, dpi):
        set_dpi(dpi)
        program = harness.Program()
        try:
            self.program, previous = program, self.program
            folder = harness.windows_path(program.folder)
            drawer = self.start_with([("Common", [
                {"path": folder, "name": "Folder", "id": "{00000000-0000-4000-8000-000000000001}"},
            ]), ("Second", [])])
            time.sleep(0.5)
            strip = harness.geometry(drawer)[2]
            self.assertTrue(self.wait_open(drawer), "the drawer did not open at %d DPI" % dpi)
            harness.move_pointer(300, 400)
            time.sleep(0.6)
            [entry] = harness.list_items()
            shot = harness.Screenshot("dpi_%d" % dpi)
            x, y = entry["centre"]
            icon = icon_height(shot, x, y, dpi * 20 // 96)
            text = selected_tab_text_height(shot, 672)
            return strip, icon, text
        finally:
            program.stop()
            program.remove()
            self.program = previous

    def test_at_144_dpi_the_strip_icons_and_tab_text_are_half_as_large_again(self):
        try:
            large = self.measure_at(144)
        finally:
            set_dpi(96)
        normal = self.measure_at(96)
        print("at 96 DPI: strip %d, icon %d, tab text %d; at 144 DPI: %d, %d, %d"
              % (normal + large))
        self.assertEqual(normal[0], 3)
        for name, small, big in zip(("strip", "icon", "tab text"), normal, large):
            self.assertLessEqual(abs(big - small * 1.5), 1, "%s: %d at 96, %d at 144"
                                 % (name, small, big))

    def test_a_display_change_moves_the_drawer_to_the_new_screen_size(self):
        drawer = self.start_with([("Common", [])])
        time.sleep(0.5)
        self.assertEqual(harness.geometry(drawer), (0, 96, 3, 576))
        # Xvfb cannot change its size; the drawer reads the new size from the message.
        display_change = 0x7E
        harness.probe("post", "Zarkit", display_change, 24, 1280 | (1024 << 16))
        self.assertTrue(harness.wait_for(lambda: harness.geometry(drawer) == (0, 128, 3, 768),
                                         5, interval=0.05), harness.geometry(drawer))
        self.assertTrue(self.wait_open(drawer, (1, 500)))
        self.assertEqual(harness.geometry(drawer), (0, 128, 640, 768))
        harness.Screenshot("display_change_open")
        # Open, it stays open at the new width when the screen changes back.
        harness.move_pointer(300, 500)
        time.sleep(0.2)
        harness.probe("post", "Zarkit", display_change, 24, 1024 | (768 << 16))
        self.assertTrue(harness.wait_for(lambda: harness.geometry(drawer) == (0, 96, 510, 576),
                                         5, interval=0.05), harness.geometry(drawer))

    def test_a_full_screen_program_keeps_the_drawer_shut_until_it_is_gone(self):
        drawer = self.start_with([("Common", [])])
        time.sleep(0.5)
        program = subprocess.Popen([harness.WINE, FULL_SCREEN], env=harness.wine_env(),
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            self.assertTrue(harness.wait_for(lambda: harness.windows_named("ZkFullScreen"), 20,
                                             interval=0.1))
            time.sleep(0.5)
            harness.move_pointer(*IN_STRIP)
            time.sleep(1.0)
            self.assertEqual(harness.geometry(drawer)[2], 3, "opened over a full-screen program")
            harness.Screenshot("full_screen_in_front")
        finally:
            harness.probe("close", "ZkFullScreen")
            program.wait(timeout=20)
        harness.move_pointer(*AWAY)
        time.sleep(0.2)
        self.assertTrue(self.wait_open(drawer), "the drawer did not open once it was gone")

    def test_a_maximised_window_with_its_own_title_bar_does_not_keep_the_drawer_shut(self):
        # Wine maximises only the windows it does not leave to a window manager.
        key = "HKCU\\Software\\Wine\\AppDefaults\\full_screen_window.exe\\X11 Driver"
        harness.reg("add", key, "/v", "Managed", "/d", "N", "/f")
        self.addCleanup(harness.reg, "delete", key, "/v", "Managed", "/f", check=False)
        drawer = self.start_with([("Common", [])])
        time.sleep(0.5)
        program = subprocess.Popen([harness.WINE, FULL_SCREEN, "maximised"],
                                   env=harness.wine_env(), stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        try:
            self.assertTrue(harness.wait_for(lambda: harness.windows_named("ZkFullScreen"), 20,
                                             interval=0.1))
            time.sleep(0.5)
            # Its client area covers the whole screen, as a full-screen program's does.
            window = [w for w in harness.probe_windows() if w["class"] == "ZkFullScreen"][0]
            left, top, right, bottom = window["rect"]
            self.assertTrue(left <= 0 and top <= 0 and right >= 1024 and bottom >= 768,
                            window["rect"])
            harness.move_pointer(*AWAY)
            time.sleep(0.2)
            self.assertTrue(self.wait_open(drawer), "a maximised window kept the drawer shut")
            harness.Screenshot("maximised_in_front")
        finally:
            harness.probe("close", "ZkFullScreen")
            program.wait(timeout=20)


if __name__ == "__main__":
    harness.main()
