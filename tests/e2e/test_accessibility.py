"""The drawer for screen readers and in high contrast: the tab strip's accessible object
as another program reads it (zkprobe asks through AccessibleObjectFromWindow, as a screen
reader does), the names of the lists, the tabs from the keyboard, and the drawer painted in
the system's colours.

Wine keeps no high-contrast setting of its own (SPI_SETHIGHCONTRAST is refused and
SPI_GETHIGHCONTRAST always says off), so under Wine the program reads the value Windows
stores it in, HKCU\\Control Panel\\Accessibility\\HighContrast "Flags"; the tests set that
value and the colour scheme, and tell the running program with WM_SETTINGCHANGE.
"""

import time

import drive
import harness
from drive import LIST_EMPTY
from test_commands import item
from test_drawer import BORDER, drawn_tabs, STRIP_LEFT, STRIP_TOP, STRIP_BOTTOM, BAR_WIDTH
from test_keyboard import COLLAPSED, KeyboardTestCase

ROLE_PAGETABLIST, ROLE_PAGETAB = 0x3C, 0x25
SELECTED, FOCUSED, INVISIBLE, OFFSCREEN = 0x2, 0x4, 0x8000, 0x10000
FOCUSABLE, SELECTABLE = 0x100000, 0x200000
TAB_STRIP, LIST, RESULTS = 1222, 1024, 1031
HOT_KEY = "Ctrl+Alt+Z"
WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST = 0x1A, 0x43

# The colours of a high-contrast scheme, as Windows' "High Contrast Black" has them.
HIGH_CONTRAST_COLOURS = {
    "Window": (0, 0, 0), "WindowText": (255, 255, 255), "Hilight": (26, 235, 255),
    "HilightText": (0, 0, 0), "ButtonFace": (0, 0, 0), "ButtonText": (255, 255, 255),
    "GrayText": (63, 242, 0), "HotTrackingColor": (255, 255, 0)}
# Wine keeps the colours a theme sets (a fresh prefix starts with its "Light" theme) in a
# volatile copy that wins over the user's own; a high-contrast scheme sets both, as Windows'
# SetSysColors would.
COLOURS_KEYS = ("HKCU\\Control Panel\\Colors",
                "HKCU\\Software\\Wine\\Temporary System Parameters\\Control Panel\\Colors")
HIGH_CONTRAST_KEY = "HKCU\\Control Panel\\Accessibility\\HighContrast"


def parse_child(line):
    parts = line.split("|")
    return {"child": int(parts[0]), "role": int(parts[1], 16), "state": int(parts[2], 16),
            "name": parts[3], "location": tuple(int(v) for v in parts[4].split(",")),
            "action": parts[5]}


def accessible(*control_id):
    """The accessible object of the drawer, or of its visible control with that id, as
    another program sees it: (the object, [its children])."""
    result = harness.probe("accessible", "Zarkit", *control_id)
    if result.returncode != 0:
        raise AssertionError("no accessible object for %s: %s" % (control_id, result.stderr))
    lines = result.stdout.splitlines()
    own = parse_child(lines[0])
    for field in lines[0].split("|")[6:]:
        key, _, value = field.partition("=")
        own[key] = int(value) if value else None
    return own, [parse_child(line) for line in lines[1:]]


def tabs_of(children):
    return [child for child in children if child["role"] == ROLE_PAGETAB]


def accessible_name(control_id):
    return accessible(control_id)[0]["name"]


def shot_when(name, predicate, timeout=5):
    """A screenshot once `predicate` holds for it (the drawer has painted what was asked
    for), or the last one taken when it never did."""
    shot = harness.Screenshot(name)
    deadline = time.monotonic() + timeout
    while not predicate(shot) and time.monotonic() < deadline:
        time.sleep(0.1)
        shot = harness.Screenshot(name)
    return shot


class AccessibleTabStripTest(drive.CommandsTestCase):
    def start_three(self):
        for name in "ab":
            self.program.write(name + ".txt", "x")
        path = {name: harness.windows_path(self.program.path(name + ".txt")) for name in "ab"}
        self.start([("One", [item(path["a"], "Apple", 1)]), ("Two", [item(path["b"], "Banana", 2)]),
                    ("Three", [])])

    def test_another_program_reads_the_tabs_switches_tables_and_sees_a_rename(self):
        self.start_three()
        strip, children = accessible(TAB_STRIP)
        self.assertEqual((strip["role"], strip["name"]), (ROLE_PAGETABLIST, "Tables"))
        tabs = tabs_of(children)
        self.assertEqual(len(tabs), 3, "one tab per table: %s" % children)
        self.assertEqual([tab["name"] for tab in tabs], ["One", "Two", "Three"])
        self.assertEqual([tab["child"] for tab in tabs], [1, 2, 3])
        self.assertEqual([bool(tab["state"] & SELECTED) for tab in tabs], [True, False, False])
        for tab in tabs:
            self.assertEqual(tab["state"] & (SELECTABLE | FOCUSABLE | INVISIBLE),
                             SELECTABLE | FOCUSABLE)
            self.assertEqual(tab["action"], "Switch")
            # On the screen, in the tab bar, stacked upwards from its bottom.
            left, top, width, height = tab["location"]
            self.assertTrue(STRIP_LEFT <= left and left + width == STRIP_LEFT + BAR_WIDTH, tab)
            self.assertTrue(STRIP_TOP < top and top + height < STRIP_BOTTOM, tab)
        self.assertGreater(tabs[0]["location"][1], tabs[1]["location"][1])
        self.assertEqual(len(children), 3, "a child per table and nothing else: %s" % children)
        self.assertEqual(strip["selection"], 1)
        self.assertIsNone(strip["focus"], "the focus is not on the strip")

        # The drawer and the list shown have names too.
        self.assertEqual(accessible()[0]["name"], "Zarkit")
        self.assertEqual(accessible_name(LIST), "One")

        # The default action of the second tab shows its table, as a click does.
        self.assertEqual(harness.probe("accaction", "Zarkit", TAB_STRIP, 2).returncode, 0)
        self.assertTrue(harness.wait_for(lambda: self.labels() == ["Banana"], 3),
                        "the list shows %s" % self.labels())
        strip, children = accessible(TAB_STRIP)
        self.assertEqual([bool(tab["state"] & SELECTED) for tab in tabs_of(children)],
                         [False, True, False])
        self.assertEqual(strip["selection"], 2)
        self.assertEqual(accessible_name(LIST), "Two")
        shot = shot_when("accessible_tab_switched",
                         lambda shot: [tab.selected for tab in drawn_tabs(shot)] == [False, True, False])
        self.assertEqual([tab.selected for tab in drawn_tabs(shot)], [False, True, False], shot.path)

        drive.menu_command(LIST_EMPTY, "ReName Table")
        self.dialog("ReName Table")
        drive.type_into("ReName Table", 1003, "Zwei")
        drive.close("ReName Table", "OK")
        self.assertEqual([tab["name"] for tab in tabs_of(accessible(TAB_STRIP)[1])],
                         ["One", "Zwei", "Three"])
        self.assertEqual(accessible_name(LIST), "Zwei")

        # Deleted, a table's tab goes from the object too.
        drive.menu_command(LIST_EMPTY, "Del Table")
        self.assertIsNotNone(drive.wait_window("Attention"), "no question before deleting")
        drive.close("Attention", "Yes")
        self.assertEqual([tab["name"] for tab in tabs_of(accessible(TAB_STRIP)[1])], ["One", "Three"])


class TabKeysTest(KeyboardTestCase):
    def tab_states(self):
        return [tab["state"] & (SELECTED | FOCUSED) for tab in tabs_of(accessible(TAB_STRIP)[1])]

    def test_tab_to_the_tabs_down_shows_the_next_table_and_tab_goes_back(self):
        for name in "abcd":
            self.program.write(name + ".txt", "x")
        path = {name: harness.windows_path(self.program.path(name + ".txt")) for name in "abcd"}
        self.start([("One", [item(path["a"], "Apple", 1)]),
                    ("Two", [item(path["b"], "Banana", 2), item(path["c"], "Cherry", 3)]),
                    ("Three", [item(path["d"], "Date", 4)])], hot_key=HOT_KEY)
        self.hot_key(HOT_KEY.lower())
        self.assertEqual(self.front()[2:], ("SysListView32", LIST))
        listed = harness.Screenshot("tab_keys_list_focused")

        self.key("Tab")
        self.assertTrue(harness.wait_for(lambda: self.front()[2:] == ("ZarkitTabStrip", TAB_STRIP), 3),
                        "Tab did not reach the tab strip: %s" % (self.front(),))
        self.assertEqual(self.tab_states(), [SELECTED | FOCUSED, 0, 0])
        self.assertEqual(accessible(TAB_STRIP)[0]["focus"], 1)
        # The focused tab shows a focus rectangle: the tab's pixels changed, nothing else did.
        left, top, width, height = tabs_of(accessible(TAB_STRIP)[1])[0]["location"]

        def focus_rectangle(shot):
            changed = [(x, y) for y in range(top, top + height) for x in range(left, left + width)
                       if shot.pixel(x, y) != listed.pixel(x, y)]
            rows, columns = {y for _, y in changed}, {x for x, _ in changed}
            return len(rows) > height // 2 and len(columns) > width // 2

        focused = shot_when("tab_keys_strip_focused", focus_rectangle)
        self.assertTrue(focus_rectangle(focused), "%s: no focus rectangle" % focused.path)
        self.assertEqual(self.labels(), ["Apple"])

        self.key("Down")
        self.wait_labels(["Banana", "Cherry"])
        self.assertEqual(self.front()[2:], ("ZarkitTabStrip", TAB_STRIP), "Down moved the focus")
        self.assertEqual(self.tab_states(), [0, SELECTED | FOCUSED, 0])
        moved = shot_when("tab_keys_down",
                          lambda shot: [tab.selected for tab in drawn_tabs(shot)] == [False, True, False])
        self.assertEqual([tab.selected for tab in drawn_tabs(moved)], [False, True, False], moved.path)
        for key, labels in (("Down", ["Date"]), ("Down", ["Date"]), ("Up", ["Banana", "Cherry"]),
                            ("Home", ["Apple"]), ("End", ["Date"])):
            self.key(key)
            self.wait_labels(labels)

        self.key("shift+Tab")
        self.assertTrue(harness.wait_for(lambda: self.front()[2:] == ("SysListView32", LIST), 3),
                        "Shift+Tab did not go back to the list: %s" % (self.front(),))
        self.assertEqual(self.tab_states(), [0, 0, SELECTED])
        self.assertEqual(self.selected(), ["Date"])

        # From the find results too; picking a table from the tabs ends the finding.
        self.key("a", "n")
        self.wait_labels(["Banana"])
        self.assertEqual(accessible_name(RESULTS), "Found items")
        self.key("Tab")
        self.assertTrue(harness.wait_for(lambda: self.front()[2:] == ("ZarkitTabStrip", TAB_STRIP), 3))
        self.key("Home")
        self.wait_labels(["Apple"])
        self.key("Escape")
        self.wait_geometry(COLLAPSED, "Esc on the tabs did not close the drawer")


def colour_text(rgb):
    return "%d %d %d" % rgb


class HighContrastTest(drive.CommandsTestCase):
    @classmethod
    def setUpClass(cls):
        # The prefix's own values come back when the class is done, whatever happened.
        saved = {}
        for key in COLOURS_KEYS:
            for name in HIGH_CONTRAST_COLOURS:
                result = harness.reg("query", key, "/v", name, check=False)
                saved[key, name] = next((line.split("REG_SZ", 1)[1].strip()
                                         for line in result.stdout.splitlines() if "REG_SZ" in line), None)
        cls.addClassCleanup(cls.restore_colours, saved)
        cls.addClassCleanup(harness.reg, "delete", HIGH_CONTRAST_KEY, "/v", "Flags", "/f", check=False)
        for key in COLOURS_KEYS:
            for name, rgb in HIGH_CONTRAST_COLOURS.items():
                harness.reg("add", key, "/v", name, "/d", colour_text(rgb), "/f")

    @staticmethod
    def restore_colours(saved):
        for (key, name), value in saved.items():
            if value is None:
                harness.reg("delete", key, "/v", name, "/f", check=False)
            else:
                harness.reg("add", key, "/v", name, "/d", value, "/f")

    @staticmethod
    def store_high_contrast(on):
        harness.reg("add", HIGH_CONTRAST_KEY, "/v", "Flags", "/d", "127" if on else "126", "/f")

    def switch_high_contrast(self, on):
        """Turns high contrast on or off for the prefix and tells the running drawer, as
        Windows tells every top-level window; the screenshot once it has repainted."""
        self.store_high_contrast(on)
        result = harness.probe("send", "Zarkit", WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST)
        self.assertEqual(result.returncode, 0)
        border = HIGH_CONTRAST_COLOURS["WindowText"] if on else BORDER
        return shot_when("high_contrast_" + ("on_again" if on else "off"),
                         lambda shot: shot.pixel(0, 400) == border)

    def check_system_colours(self, shot):
        white, black = HIGH_CONTRAST_COLOURS["WindowText"], HIGH_CONTRAST_COLOURS["Window"]
        highlight = HIGH_CONTRAST_COLOURS["Hilight"]
        face = HIGH_CONTRAST_COLOURS["ButtonFace"]
        for x, y in ((0, 400), (250, 96), (250, 670)):
            self.assertEqual(shot.pixel(x, y), white, "%s: border at (%d, %d)" % (shot.path, x, y))
        self.assertEqual(shot.pixel(250, 104), face, "%s: background" % shot.path)
        self.assertEqual(shot.pixel(300, STRIP_TOP - 1), white, "%s: frame" % shot.path)
        self.assertEqual(shot.pixel(400, 600), black, "%s: list area" % shot.path)
        # The selected tab is the highlight; the others are window-coloured, outlined.
        strip, children = accessible(TAB_STRIP)
        tabs = tabs_of(children)
        for tab in tabs:
            left, top, width, height = tab["location"]
            inside = shot.pixel(left + 3, top + 3)
            self.assertEqual(inside, highlight if tab["state"] & SELECTED else black, tab)
            self.assertEqual(shot.pixel(left, top + height // 2), white, tab)
            lettering = [shot.pixel(x, y) for y in range(top + 4, top + height - 4)
                         for x in range(left + 4, left + width - 4)]
            text = black if tab["state"] & SELECTED else white
            self.assertGreater(lettering.count(text), 20, "%s: no name on %s" % (shot.path, tab["name"]))
        # The product's name stands where the edge graphic would.
        edge = [shot.pixel(x, y) for y in range(250, 450) for x in range(4, 40)]
        self.assertGreater(edge.count(white), 100, "%s: no product name" % shot.path)
        # Not one pixel of the skin's blues is left around the lists.
        skin = sum(1 for y in range(96, 672) for x in range(0, STRIP_LEFT + BAR_WIDTH)
                   if shot.pixel(x, y) in (BORDER, (225, 238, 255), (249, 253, 255)))
        self.assertEqual(skin, 0, shot.path)

    def test_the_drawer_and_a_dialog_in_system_colours_and_back_to_the_skin(self):
        self.store_high_contrast(True)
        self.program.write("a.txt", "x")
        self.start([("Common", [item(harness.windows_path(self.program.path("a.txt")), "Apple", 1)]),
                    ("WebSites", []), ("Tools", [])])
        white = HIGH_CONTRAST_COLOURS["WindowText"]
        self.check_system_colours(shot_when("high_contrast_drawer", lambda shot: shot.pixel(0, 400) == white))

        # A dialog follows the system's colours rather than its white face.
        drive.menu_command(LIST_EMPTY, "Settings")
        self.dialog("Settings")
        drive.settle()
        shot = harness.Screenshot("high_contrast_settings")
        self.assertFalse(drive.face_is_white(shot, "Settings"), shot.path)
        left, top, right, bottom = drive.controls("Settings")[1]["rect"]
        self.assertEqual(shot.pixel(left - 3, (top + bottom) // 2), HIGH_CONTRAST_COLOURS["ButtonFace"])
        drive.close("Settings", "Cancel")

        # Turned off while it runs, the skin is back; turned on, the system colours again.
        shot = self.switch_high_contrast(False)
        self.assertEqual(shot.pixel(0, 400), BORDER, shot.path)
        self.assertEqual([tab.selected for tab in drawn_tabs(shot)], [True, False, False], shot.path)
        self.check_system_colours(self.switch_high_contrast(True))

if __name__ == "__main__":
    harness.main()
