"""The drawer at the right edge of the one 1024 x 768 screen: sliding, its mirrored skin, the
start-up animation and the hot key; and the placement row of Settings, which moves it there
and back."""

import os
import time

import drive
import harness
from test_drawer import (BORDER, FRAME_GREY, SELECTED_FILL, DrawerTest, close_to, is_tab_fill,
                         is_text)
from test_keyboard import KeyboardTestCase

RIGHT_OPEN = (514, 96, 510, 576)
RIGHT_STRIP = (1021, 96, 3, 576)
LEFT_STRIP = (0, 96, 3, 576)
IN_RIGHT_STRIP = (1022, 300)
AWAY = (700, 720)         # below the drawer, open or not, at either edge
INSIDE = (700, 300)       # inside the open drawer at the right edge
RIGHT_LIST_EMPTY = (700, 610)
SCREEN_LIST, SIDE_LIST = 1021, 1023

# The mirrored layout in screen coordinates: the client starts at x 514, y 96; the tab
# strip (15, 20)-(466, 556) of it, its bar the rightmost 39 columns.
STRIP_LEFT, STRIP_TOP, STRIP_RIGHT, STRIP_BOTTOM = 529, 116, 980, 652
BAR_LEFT = STRIP_RIGHT - 39


def right_store(**settings):
    store = harness.store_xml(**settings)
    return store.replace(b"</SelTable_MouseOn>", b"</SelTable_MouseOn><Dock_Side>right</Dock_Side>")


def entries(title, control_id):
    """The entries of a drop-down list of the dialog, and which one is chosen."""
    lines = harness.probe("entries", title, control_id).stdout.splitlines()
    return [line.lstrip("*") for line in lines], [line.startswith("*") for line in lines].index(True)


def choose(title, control_id, keys, expected):
    """Opens the drop-down list with a click and picks an entry with the keys, as a user does."""
    drive.click_control(title, control_id)
    harness.xdotool("key", "--delay", "60", *keys, "Return")
    if not harness.wait_for(lambda: drive.controls(title)[control_id]["text"] == expected, 3):
        raise AssertionError("list %d shows %r, not %r"
                             % (control_id, drive.controls(title)[control_id]["text"], expected))


class RightEdgeTest(DrawerTest):
    def start_with(self, **store):
        store.setdefault("tables", [("Common", []), ("WebSites", []), ("Tools", [])])
        self.program.write("info_data.xml", right_store(**store))
        harness.move_pointer(*AWAY)
        self.program.start()
        return self.program.wait_for_drawer()

    def test_resting_in_the_strip_opens_it_leftwards_and_leaving_collapses_it(self):
        drawer = self.start_with(animate=False, tick_count=450)
        self.assertIsNotNone(self.wait_geometry(drawer, RIGHT_STRIP, 1),
                             "not the strip at the right edge: %s" % (harness.geometry(drawer),))

        harness.move_pointer(*IN_RIGHT_STRIP)
        rested = time.monotonic()
        time.sleep(0.3)
        self.assertEqual(harness.geometry(drawer), RIGHT_STRIP, "opened before 300 ms")
        self.assertIsNotNone(self.wait_geometry(drawer, RIGHT_OPEN, 1 - (time.monotonic() - rested)),
                             "not open a second after the pointer came to rest: %s"
                             % (harness.geometry(drawer),))
        harness.move_pointer(*INSIDE)
        time.sleep(0.3)
        self.assertEqual(harness.geometry(drawer), RIGHT_OPEN)

        harness.move_pointer(*AWAY)
        self.assertIsNotNone(self.wait_geometry(drawer, RIGHT_STRIP, 0.5),
                             "not collapsed after the pointer left")

    def test_the_open_drawer_shows_its_skin_mirrored(self):
        drawer = self.start_with(animate=False, tick_count=0)
        self.assertIsNotNone(self.wait_geometry(drawer, RIGHT_STRIP, 1))
        harness.move_pointer(*IN_RIGHT_STRIP)
        self.assertIsNotNone(self.wait_geometry(drawer, RIGHT_OPEN, 2))
        harness.move_pointer(*INSIDE)
        time.sleep(0.5)
        shot = harness.Screenshot("drawer_open_right")

        # The border all round (the region leaves out the last column and row).
        for x, y in ((514, 400), (1022, 400), (760, 670), (760, 96)):
            self.assertEqual(shot.pixel(x, y), BORDER, "border at (%d, %d): %s" % (x, y, shot.path))
        # The grey frame of the tab strip, its side line just outside the list, as the
        # mirror image of the one at the left edge.
        for x, y in ((STRIP_LEFT - 1, 300), (700, STRIP_TOP - 1), (700, STRIP_BOTTOM)):
            self.assertEqual(shot.pixel(x, y), FRAME_GREY, "frame at (%d, %d): %s" % (x, y, shot.path))
        # The lettering of the edge graphic stands between the frame and the screen edge,
        # and nothing dark stands on the inner side.
        def lettered(columns):
            return sum(1 for x in columns for y in range(200, 560, 2) if is_text(shot.pixel(x, y)))
        self.assertGreater(lettered(range(STRIP_RIGHT + 3, 1021)), 100, shot.path)
        self.assertEqual(lettered(range(516, STRIP_LEFT - 1)), 0, shot.path)
        # The tabs on the bar beside the edge graphic, the selected one first from the
        # bottom, standing out towards the edge; the list on the inner side is white.
        self.assertTrue(close_to(shot.pixel(BAR_LEFT + 5, STRIP_BOTTOM - 30), SELECTED_FILL, 6),
                        "no selected tab at the bottom of the bar: %s" % shot.path)
        self.assertTrue(close_to(shot.pixel(BAR_LEFT + 30, STRIP_BOTTOM - 30), SELECTED_FILL, 6))
        unselected = STRIP_BOTTOM - 110
        self.assertTrue(is_tab_fill(shot.pixel(BAR_LEFT + 5, unselected)), shot.path)
        self.assertFalse(is_tab_fill(shot.pixel(BAR_LEFT + 30, unselected)), shot.path)
        self.assertEqual(shot.pixel(600, 400), (255, 255, 255), shot.path)
        # The gradient is mirrored too: darkest in the middle, lightest at the inner border.
        edge, middle, inner = (sum(shot.pixel(x, 104)) for x in (1016, 770, 520))
        self.assertLess(middle, edge, shot.path)
        self.assertLess(edge, inner, shot.path)

    def test_the_start_up_animation_slides_off_to_the_right_and_ends_as_the_strip(self):
        drawer = self.start_with(animate=True, tick_count=450)
        started = time.monotonic()
        lefts = []
        while time.monotonic() - started < 6:
            geometry = harness.geometry(drawer)
            if geometry == RIGHT_STRIP:
                break
            if geometry and geometry[2:] == RIGHT_OPEN[2:] and (not lefts or lefts[-1] != geometry[0]):
                lefts.append(geometry[0])
            time.sleep(0.03)
        self.assertEqual(harness.geometry(drawer), RIGHT_STRIP, "did not end as the strip")
        self.assertTrue(all((left - 514) % 10 == 0 for left in lefts), lefts)
        self.assertEqual(lefts, sorted(lefts), lefts)
        self.assertGreaterEqual(len(lefts), 10, "too few distinct steps seen: %s" % lefts)
        self.assertGreaterEqual(lefts[-1], 994, lefts)


class RightEdgeHotKeyTest(KeyboardTestCase):
    def test_the_hot_key_opens_the_drawer_at_the_right_edge_and_esc_collapses_it(self):
        self.program.write("info_data.xml", right_store(tables=[("One", [])]))
        harness.move_pointer(*AWAY)
        self.program.start()
        self.drawer = self.program.wait_for_drawer()
        self.wait_geometry(RIGHT_STRIP, "the drawer did not collapse at the right edge")
        self.work = self.start_window("Work Window")
        self.focus_work()

        self.key("ctrl+super+z")
        self.wait_geometry(RIGHT_OPEN, "the hot key did not open the drawer at the right edge")
        harness.move_pointer(300, 300)
        time.sleep(0.3)
        self.assertEqual(harness.geometry(self.drawer), RIGHT_OPEN, "not held open")
        self.key("Escape")
        self.wait_geometry(RIGHT_STRIP, "Esc did not collapse the drawer")


class SettingsPlacementTest(drive.CommandsTestCase):
    @classmethod
    def setUpClass(cls):
        drive.unmanaged_windows(cls)

    def test_choosing_right_moves_the_drawer_there_and_left_brings_it_back(self):
        self.start([("One", [])])
        drive.menu_command(drive.LIST_EMPTY, "Settings")
        self.dialog("Settings", "dialog_settings_placement")
        fields = drive.controls("Settings")
        self.assertEqual((fields[1020]["text"], fields[1022]["text"]), ("Screen:", "Side:"))
        self.assertEqual((fields[SCREEN_LIST]["class"], fields[SIDE_LIST]["class"]),
                         ("ComboBox", "ComboBox"))
        self.assertEqual(entries("Settings", SCREEN_LIST),
                         (["Primary screen", "Screen 1: 1024 x 768, primary"], 0))
        self.assertEqual(entries("Settings", SIDE_LIST), (["Left", "Right"], 0))

        choose("Settings", SIDE_LIST, ["Down"], "Right")
        harness.Screenshot("dialog_settings_right")
        drive.close("Settings", "OK")
        self.assertTrue(harness.wait_for(lambda: harness.geometry(self.drawer) == RIGHT_STRIP, 3),
                        "OK did not move the drawer to the right edge: %s"
                        % (harness.geometry(self.drawer),))
        store = self.store()
        self.assertIn(b"<Dock_Side>right</Dock_Side>", store)
        self.assertIn(b"<Dock_Screen>primary</Dock_Screen>", store)
        self.assertLess(store.index(b"<Dock_Side>"), store.index(b"</File_Desc>"))

        # There it opens from its strip, and shows the choice when Settings opens again.
        harness.move_pointer(*IN_RIGHT_STRIP)
        self.assertTrue(harness.wait_for(lambda: harness.geometry(self.drawer) == RIGHT_OPEN, 3),
                        "the drawer did not open at the right edge")
        harness.move_pointer(*RIGHT_LIST_EMPTY)
        drive.settle(0.3)
        drive.menu_command(RIGHT_LIST_EMPTY, "Settings")
        self.dialog("Settings")
        self.assertEqual(entries("Settings", SIDE_LIST), (["Left", "Right"], 1))
        choose("Settings", SIDE_LIST, ["Up"], "Left")
        drive.close("Settings", "OK")
        self.assertTrue(harness.wait_for(lambda: harness.geometry(self.drawer) == LEFT_STRIP, 3),
                        "OK did not bring the drawer back to the left edge: %s"
                        % (harness.geometry(self.drawer),))
        self.assertIn(b"<Dock_Side>left</Dock_Side>", self.store())
        self.assertEqual(self.store().count(b"<Dock_Side>"), 1)

    # A place the file cannot take is taken back with the rest of the settings: the
    # drawer stays where the file says, and the user is told why.
    def test_a_side_the_store_cannot_take_leaves_the_drawer_where_it_was(self):
        self.start([("One", [])])
        os.chmod(self.program.path("info_data.xml"), 0o444)
        before = self.store()
        drive.menu_command(drive.LIST_EMPTY, "Settings")
        self.dialog("Settings")
        choose("Settings", SIDE_LIST, ["Down"], "Right")
        drive.close("Settings", "OK")
        texts = drive.message_box("Zarkit")
        self.assertIsNotNone(texts, "no message about the settings that were not saved")
        self.assertIn("The file is read-only.", " ".join(texts))
        drive.close("Zarkit", "OK")
        self.assertEqual(harness.geometry(self.drawer)[0], 0, harness.geometry(self.drawer))
        self.assertEqual(self.store(), before)
        harness.move_pointer(*AWAY)
        self.assertTrue(harness.wait_for(lambda: harness.geometry(self.drawer) == LEFT_STRIP, 3),
                        harness.geometry(self.drawer))


if __name__ == "__main__":
    harness.main()
