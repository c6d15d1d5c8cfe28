"""The drawer from the keyboard: the hot key, finding items of every table by typing,
and the keys of the lists, with real key presses from xdotool.

Under Xvfb there is no window manager: Wine gives the X focus to a window it activates
only when it manages the window itself, so the program and the test window run
unmanaged. A hot key reaches Wine only through a window of Wine's that has the X focus,
which the test window, where the user works, provides.
"""

import os
import re
import shutil
import subprocess
import time

import drive
import harness
from drive import LIST_EMPTY, OPEN
from test_commands import body, tables_of, without_item
from test_drawer import drawn_tabs

FOCUS_WINDOW = os.environ.get("ZARKIT_FOCUS_WINDOW", "")
COLLAPSED = (0, 96, 3, 576)
AWAY = (800, 650)
WORK = "Work Window"
MOD_ALT, MOD_CONTROL, MOD_WIN = 0x1, 0x2, 0x8
HOT_KEY_CONTROL = 1019
HOT_KEY_WIN = 1026


def item(path, name, number, **fields):
    return dict(fields, path=path, name=name, id="{00000000-0000-0000-0000-%012d}" % number)


class KeyboardTestCase(harness.DrawerTestCase):
    @classmethod
    def setUpClass(cls):
        drive.unmanaged_windows(cls)
        key = "HKCU\\Software\\Wine\\AppDefaults\\focus_window.exe\\X11 Driver"
        harness.reg("add", key, "/v", "Managed", "/d", "N", "/f")
        cls.addClassCleanup(harness.reg, "delete", key, "/v", "Managed", "/f", check=False)

    def start(self, tables, hot_key=None, **settings):
        """The program with the drawer collapsed, and the window the user works in, in front."""
        store = harness.store_xml(tables, **settings)
        if hot_key is not None:
            store = store.replace(b"</SelTable_MouseOn>",
                                  b"</SelTable_MouseOn><Hot_Key>%s</Hot_Key>" % hot_key.encode())
        self.program.write("info_data.xml", store)
        harness.move_pointer(*AWAY)
        self.program.start()
        self.drawer = self.program.wait_for_drawer()
        self.wait_geometry(COLLAPSED, "the drawer did not collapse at start")
        self.work = self.start_window(WORK)
        self.focus_work()

    def start_window(self, title, *hold):
        """A focus_window of that title, holding the hot key `hold` (modifiers, key) if given."""
        process = subprocess.Popen([harness.WINE, FOCUS_WINDOW, title, *map(str, hold)],
                                   env=harness.wine_env(), stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        self.addCleanup(self.end_process, process)
        found = harness.wait_for(lambda: harness.windows_named(title) or process.poll() is not None,
                                 10, 0.05)
        if process.poll() is not None:
            raise AssertionError("%r ended with code %s" % (title, process.returncode))
        self.assertTrue(found, "no window %r" % title)
        return harness.windows_named(title)[0]

    @staticmethod
    def end_process(process):
        if process.poll() is None:
            process.kill()
            process.wait()

    def focus_work(self):
        harness.xdotool("windowfocus", "--sync", self.work)
        self.assertTrue(harness.wait_for(lambda: self.front()[1] == WORK, 5),
                        "the work window did not come to the front: %s" % (self.front(),))

    def front(self):
        """(class, title, focus class, focus id) of the window in front."""
        fields = harness.probe("focus").stdout.strip().split("|")
        return tuple(fields[:3]) + (int(fields[3]) if len(fields) > 3 and fields[3] else 0,)

    def key(self, *keys):
        harness.xdotool("key", "--delay", "60", *keys)

    def wait_geometry(self, expected, message, timeout=5):
        if not harness.wait_for(lambda: harness.geometry(self.drawer) == expected, timeout, 0.02):
            self.fail("%s: %s" % (message, harness.geometry(self.drawer)))

    def hot_key(self, keys="ctrl+super+z"):
        """The hot key; the drawer opens with the focus in a list of its."""
        self.key(keys)
        self.wait_geometry(OPEN, "%s did not open the drawer" % keys)
        self.assertTrue(harness.wait_for(lambda: self.front()[0] == "Zarkit", 3),
                        "the drawer did not take the focus: %s" % (self.front(),))

    def labels(self):
        return [entry["label"] for entry in harness.list_items()]

    def selected(self):
        return [entry["label"] for entry in harness.list_items() if entry["selected"]]

    def wait_labels(self, expected, timeout=3):
        if not harness.wait_for(lambda: self.labels() == expected, timeout):
            self.fail("the list shows %s, not %s" % (self.labels(), expected))


class HotKeyTest(KeyboardTestCase):
    def test_the_hot_key_opens_the_drawer_with_the_focus_and_esc_gives_it_back(self):
        self.program.write("a.txt", "x")
        path = harness.windows_path(self.program.path("a.txt"))
        self.start([("One", [item(path, "Apple", 1), item(path, "Avocado", 2)]), ("Two", [])])
        self.assertEqual(self.front()[:2], ("ZarkitFocusWindow", WORK))

        self.hot_key()
        self.assertEqual(self.front()[2:], ("SysListView32", 1024))
        # Focus and selection show where the keys act: the first item.
        self.assertEqual(self.selected(), ["Apple"])
        # Held open: the pointer passing over and away does not collapse it.
        for point in ((300, 300), AWAY, (700, 200)):
            harness.move_pointer(*point)
            time.sleep(0.3)
        self.assertEqual(harness.geometry(self.drawer), OPEN)

        self.key("Escape")
        self.wait_geometry(COLLAPSED, "Esc did not collapse the drawer")
        self.assertTrue(harness.wait_for(lambda: self.front()[1] == WORK, 3),
                        "the focus did not go back: %s" % (self.front(),))

        # The hot key again closes it, and gives the focus back too.
        self.hot_key()
        self.key("ctrl+super+z")
        self.wait_geometry(COLLAPSED, "the hot key again did not collapse the drawer")
        self.assertTrue(harness.wait_for(lambda: self.front()[1] == WORK, 3))

        # A click elsewhere lets go: with the pointer away it collapses.
        self.hot_key()
        left, top, width, height = harness.geometry(self.work)
        harness.click(left + width // 2, top + height // 2)
        self.wait_geometry(COLLAPSED, "a click in another program did not let the drawer go")
        self.assertEqual(self.front()[1], WORK)

        # The pointer alone still never takes the focus.
        harness.move_pointer(1, 300)
        self.wait_geometry(OPEN, "resting in the strip did not open the drawer")
        time.sleep(0.3)
        self.assertEqual(self.front()[1], WORK)

    def test_settings_reports_a_hot_key_another_program_holds_and_keeps_the_old_one(self):
        self.start([("One", [])], hot_key="Ctrl+Alt+Q")
        self.hot_key("ctrl+alt+q")

        drive.menu_command(LIST_EMPTY, "Settings")
        self.assertIsNotNone(drive.wait_window("Settings"))
        fields = drive.controls("Settings")
        self.assertEqual(fields[1018]["text"], "Hot key to open the drawer")
        self.assertEqual(fields[HOT_KEY_CONTROL]["text"], "0x0651")  # Ctrl+Alt, Q
        self.assertFalse(fields[HOT_KEY_WIN]["checked"])
        drive.click_control("Settings", HOT_KEY_CONTROL)
        self.key("ctrl+z")
        self.assertTrue(harness.wait_for(
            lambda: drive.controls("Settings")[HOT_KEY_CONTROL]["text"] == "0x025A", 3))
        drive.click_control("Settings", HOT_KEY_WIN)

        self.start_window("Holder", MOD_CONTROL | MOD_WIN, ord("Z"))
        stored = self.program.read("info_data.xml", "rb")
        drive.press("Settings", "OK")
        texts = drive.message_box("Zarkit")
        self.assertIsNotNone(texts, "no message about the taken key")
        self.assertIn("The hot key Ctrl+Win+Z is already in use by another program. "
                      "Zarkit keeps Ctrl+Alt+Q.", texts)
        drive.close("Zarkit", "OK")
        self.assertIsNotNone(drive.wait_window("Settings", 1), "the dialog closed")
        fields = drive.controls("Settings")
        self.assertEqual((fields[HOT_KEY_CONTROL]["text"], fields[HOT_KEY_WIN]["checked"]),
                         ("0x0651", False))
        self.assertEqual(self.program.read("info_data.xml", "rb"), stored)
        drive.close("Settings", "OK")
        self.assertIn(b"<Hot_Key>Ctrl+Alt+Q</Hot_Key>", self.program.read("info_data.xml", "rb"))

        # The old key still opens the drawer.
        self.key("Escape")
        self.wait_geometry(COLLAPSED, "Esc did not collapse the drawer")
        self.focus_work()
        self.hot_key("ctrl+alt+q")

        # A new Ctrl+Alt key is refused (AltGr types with it); a free Win key is taken, and
        # the old one is let go for other programs.
        drive.menu_command(LIST_EMPTY, "Settings")
        self.assertIsNotNone(drive.wait_window("Settings"))
        drive.click_control("Settings", HOT_KEY_CONTROL)
        self.key("ctrl+alt+w")
        self.assertTrue(harness.wait_for(
            lambda: drive.controls("Settings")[HOT_KEY_CONTROL]["text"] == "0x0657", 3))
        drive.press("Settings", "OK")
        texts = drive.message_box("Zarkit")
        self.assertIsNotNone(texts, "no message about the AltGr chord")
        self.assertTrue(any("AltGr" in text for text in texts), texts)
        drive.close("Zarkit", "OK")
        drive.click_control("Settings", HOT_KEY_CONTROL)
        self.key("alt+w")
        self.assertTrue(harness.wait_for(
            lambda: drive.controls("Settings")[HOT_KEY_CONTROL]["text"] == "0x0457", 3))
        drive.click_control("Settings", HOT_KEY_WIN)
        drive.close("Settings", "OK")
        self.assertIn(b"<Hot_Key>Alt+Win+W</Hot_Key>", self.program.read("info_data.xml", "rb"))
        self.start_window("Q holder", MOD_CONTROL | MOD_ALT, ord("Q"))
        self.key("Escape")
        self.wait_geometry(COLLAPSED, "Esc did not collapse the drawer")
        self.focus_work()
        self.hot_key("alt+super+w")


class FindTest(KeyboardTestCase):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        harness.register_browser()

    def test_typing_finds_an_item_of_the_third_table_and_enter_starts_it(self):
        marker = self.program.path("marker.exe")
        shutil.copy(harness.LAUNCH_MARKER, marker)
        work = self.program.path("work dir")
        os.mkdir(work)
        for name in ("a.txt", "marble.txt"):
            self.program.write(name, "x")
        a = harness.windows_path(self.program.path("a.txt"))
        marble = harness.windows_path(self.program.path("marble.txt"))
        self.start([("One", [item(a, "Summary mark", 1), item(marble, "Notes", 2),
                             item(a, "Apple", 3)]),
                    ("Two", [item(a, "Remark", 4), item(a, "Banana", 5)]),
                    ("Three", [item(harness.windows_path(marker), "Marker", 6,
                                    work_dir=harness.windows_path(work),
                                    params='alpha "two words"')])])
        self.hot_key()
        self.assertEqual(self.labels(), ["Apple", "Notes", "Summary mark"])
        before = harness.Screenshot("keyboard_before_find")

        # Nothing matches: an empty list. Esc brings the table back.
        self.key("z", "q", "x")
        self.wait_labels([])
        self.key("Escape")
        self.wait_labels(["Apple", "Notes", "Summary mark"])

        # The label's start, a word's start, anywhere in the label, then the path.
        harness.xdotool("type", "--delay", "60", "MAR")
        self.wait_labels(["Marker", "Summary mark", "Remark", "Notes"])
        self.assertEqual(self.selected(), ["Marker"])
        shot = harness.Screenshot("keyboard_find_results")
        changed = sum(1 for y in range(116, 150) for x in range(90, 490)
                      if shot.pixel(x, y) != before.pixel(x, y))
        self.assertGreater(changed, 500, "%s: no find line above the list" % shot.path)
        self.key("Down", "Down")
        self.assertEqual(self.selected(), ["Remark"])
        self.key("BackSpace")  # "ma": the same four
        self.wait_labels(["Marker", "Summary mark", "Remark", "Notes"])
        self.key("Home")
        self.assertEqual(self.selected(), ["Marker"])

        # With the pointer resting in the drawer, what was started comes out above it.
        harness.move_pointer(300, 500)
        time.sleep(0.2)
        self.key("Return")
        launches = harness.wait_for(self.program.launches, 10, interval=0.1)
        self.assertTrue(launches, "Enter started nothing")
        self.assertEqual(len(launches), 1)
        self.assertEqual(launches[0]["args"], ["alpha", "two words"])
        self.assertEqual(launches[0]["cwd"].lower().rstrip("\\"), harness.windows_path(work).lower())
        [window] = drive.windows("Zarkit")
        self.assertEqual(window["ex_style"] & 0x8, 0, "the drawer is still topmost")
        # Started, it is no longer held: away from the pointer it collapses.
        harness.move_pointer(*AWAY)
        self.wait_geometry(COLLAPSED, "the drawer stayed open after the launch")


class ListKeysTest(KeyboardTestCase):
    def test_tables_by_ctrl_tab_rename_with_f2_delete_and_the_menu_key(self):
        for name in "abcd":
            self.program.write(name + ".txt", "x")
        path = {name: harness.windows_path(self.program.path(name + ".txt")) for name in "abcd"}
        self.start([("One", [item(path["a"], "Apple", 1)]),
                    ("Two", [item(path["b"], "Banana", 2), item(path["c"], "Cherry", 3)]),
                    ("Three", [item(path["d"], "Date", 4)])])
        self.hot_key()

        self.key("ctrl+Tab")
        self.wait_labels(["Banana", "Cherry"])
        self.assertEqual(self.selected(), ["Banana"])
        self.assertEqual(self.front()[2:], ("SysListView32", 1024))
        tabs = drawn_tabs(harness.Screenshot("keyboard_ctrl_tab"))
        self.assertEqual([tab.selected for tab in tabs], [False, True, False])
        for keys, labels in (("ctrl+shift+Tab", ["Apple"]), ("ctrl+Next", ["Banana", "Cherry"]),
                             ("ctrl+Prior", ["Apple"]), ("ctrl+Prior", ["Date"]),
                             ("ctrl+Tab", ["Apple"]), ("ctrl+Tab", ["Banana", "Cherry"])):
            self.key(keys)
            self.wait_labels(labels)

        # The menu key opens the item menu at the selected item.
        entry = harness.list_items()[0]
        self.key("Menu")
        menu = harness.wait_for(lambda: drive.windows(drive.MENU_CLASS), 3)
        self.assertTrue(menu, "the menu key opened no menu")
        left, top = menu[0]["rect"][:2]
        self.assertLessEqual(abs(left - entry["centre"][0]) + abs(top - entry["centre"][1]), 4)
        self.key("Escape")
        self.assertTrue(harness.wait_for(lambda: not drive.windows(drive.MENU_CLASS), 3))
        drive.idle()

        before = self.program.read("info_data.xml", "rb")
        self.key("F2")
        time.sleep(0.3)  # the edit field opens with the label selected
        harness.xdotool("type", "--delay", "20", "Blueberry")
        self.key("Return")
        self.assertTrue(harness.wait_for(lambda: self.program.read("info_data.xml", "rb") != before, 5))
        renamed = self.program.read("info_data.xml", "rb")
        self.assertEqual(body(renamed),
                         body(before.replace(b'Nick_Name="Banana"', b'Nick_Name="Blueberry"')))
        self.wait_labels(["Blueberry", "Cherry"])

        self.key("Delete")
        self.assertTrue(harness.wait_for(lambda: self.program.read("info_data.xml", "rb") != renamed, 5))
        self.assertEqual(body(self.program.read("info_data.xml", "rb")), body(without_item(renamed, 2)))
        self.wait_labels(["Cherry"])
        self.assertEqual(self.selected(), ["Cherry"])
        self.assertEqual([label for label, _ in tables_of(self.program.read("info_data.xml", "rb"))],
                         ["One", "Two", "Three"])

        # Shift+F10 opens the menu too; then Esc closes it, and Esc closes the drawer.
        self.key("shift+F10")
        self.assertTrue(harness.wait_for(lambda: drive.windows(drive.MENU_CLASS), 3),
                        "Shift+F10 opened no menu")
        self.key("Escape")
        self.assertTrue(harness.wait_for(lambda: not drive.windows(drive.MENU_CLASS), 3))
        drive.idle()
        self.key("Escape")
        self.wait_geometry(COLLAPSED, "Esc did not collapse the drawer")


if __name__ == "__main__":
    harness.main()
