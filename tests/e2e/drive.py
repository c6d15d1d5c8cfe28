"""Driving the drawer's menus and dialogs from outside, as a user does: a right click
opens a menu, the keyboard picks its entry, dialog fields are clicked and typed into.

Menus of another process cannot be read under Wine (menu handles are per process), so
an entry is picked by its place among the entries a menu shows: Down once per entry,
then Return. Which entries a menu shows a test learns from what choosing them does.
"""

import time

import harness

MENU_CLASS = "#32768"
DIALOG_CLASS = "#32770"

# The entries of the two context menus, separators left out, as the keyboard meets them.
DRAWER_MENU = ["Add Table", "Del Table", "ReName Table", "Add My Computer", "Add Desktop",
               "Add My Documents", "Add WebSite", "Add Path", "Settings", "Help", "About Zarkit",
               "Quit"]
ITEM_MENU = ["Rename", "Delete", "Go to location"]


def unmanaged_windows(test_class):
    """Lets Wine draw the program's captions and frames itself for the tests of
    `test_class`: with no window manager on the virtual screen a managed dialog shows
    neither. Call from setUpClass; undone when the class's tests are over."""
    key = "HKCU\\Software\\Wine\\AppDefaults\\zarkit.exe\\X11 Driver"
    harness.reg("add", key, "/v", "Managed", "/d", "N", "/f")
    test_class.addClassCleanup(harness.reg, "delete", key, "/v", "Managed", "/f", check=False)


def windows(class_name=None, title=None):
    return [w for w in harness.probe_windows()
            if (class_name is None or w["class"] == class_name)
            and (title is None or w["title"] == title)]


def wait_window(title, timeout=5, class_name=DIALOG_CLASS):
    """The probe's record of the visible window with that title, or None."""
    found = harness.wait_for(lambda: windows(class_name, title), timeout, interval=0.05)
    return found[0] if found else None


def wait_gone(title, timeout=5, class_name=DIALOG_CLASS):
    return harness.wait_for(lambda: not windows(class_name, title), timeout, interval=0.05)


def open_menu(x, y):
    """Right-clicks at (x, y); the probe's record of the menu that opened, or None."""
    harness.click(x, y, button=3)
    found = harness.wait_for(lambda: windows(MENU_CLASS), 5, interval=0.05)
    return found[0] if found else None


def choose(entries, entry):
    """Picks `entry` of the open menu, which shows `entries`."""
    for _ in range(entries.index(entry) + 1):
        harness.xdotool("key", "Down")
    harness.xdotool("key", "Return")
    harness.wait_for(lambda: not windows(MENU_CLASS), 5, interval=0.05)
    # Wine lets go of the pointer a moment after the menu has gone; a click before that
    # goes nowhere.
    idle()
    settle(0.3)


def menu_command(point, entry, entries=DRAWER_MENU):
    """Right-clicks at `point` and picks `entry`; the menu's record."""
    menu = open_menu(*point)
    if menu is None:
        shot = harness.Screenshot("no_menu")
        raise AssertionError("a right click at %s opened no menu (%s; windows %s)"
                             % (point, shot.path, harness.probe_windows()))
    choose(entries, entry)
    return menu


def controls(title):
    """The controls of the dialog with that title, by id (the last of a repeated id):
    dicts with class, text, rect (screen), enabled and checked (None: no check box)."""
    found = {}
    for line in harness.probe("controls", title).stdout.splitlines():
        parts = line.split("|")
        if len(parts) != 6:
            continue
        found[int(parts[0])] = {
            "class": parts[1], "text": parts[2],
            "rect": tuple(int(v) for v in parts[3].split(",")),
            "enabled": parts[4] == "1",
            "checked": None if parts[5] == "-" else parts[5] == "1",
        }
    return found


def centre(rect):
    left, top, right, bottom = rect
    return (left + right) // 2, (top + bottom) // 2


def click_control(title, control_id):
    harness.click(*centre(controls(title)[control_id]["rect"]))


def type_into(title, control_id, text):
    """Replaces the text of an edit field of the dialog, typing it as a user does."""
    click_control(title, control_id)
    harness.xdotool("key", "End", "shift+Home", "BackSpace")
    if text:
        harness.xdotool("type", "--delay", "5", "--", text)
    expected = text
    if not harness.wait_for(lambda: controls(title)[control_id]["text"] == expected, 3):
        raise AssertionError("field %d of %s holds %r, not %r"
                             % (control_id, title, controls(title)[control_id]["text"], text))


def press(title, button):
    """Clicks a button of a dialog or message box by its text."""
    result = harness.probe("press", title, button)
    if result.returncode != 0:
        raise AssertionError("no button %r in %r: %s" % (button, title, result.stderr))


def idle():
    """Returns once the drawer's thread is free again. Without a window manager Wine
    waits up to two seconds in the thread of a dialog that goes; until then the dialog
    stays on the screen and takes the clicks meant for what lies below it."""
    if harness.probe("sync", "Zarkit").returncode != 0:
        raise AssertionError("the drawer did not answer")


def close(title, button):
    """Presses a button that ends the dialog or message box, and waits until it is gone."""
    press(title, button)
    if not wait_gone(title):
        raise AssertionError("%r stayed open after %r" % (title, button))
    idle()


def texts(title):
    """The texts of the dialog's controls, in template order."""
    return [line.split("|")[2] for line in harness.probe("controls", title).stdout.splitlines()
            if line.count("|") == 5]


def message_box(title, timeout=5):
    """The texts of the message box with that title once it shows, or None."""
    return texts(title) if wait_window(title, timeout) else None


def face_is_white(shot, title):
    """Whether the dialog's face is white right around its OK button: the pixels there
    are the dialog's own, whatever lies under it."""
    left, top, right, bottom = controls(title)[1]["rect"]
    middle = (top + bottom) // 2
    points = [(left - 3, middle), (right + 3, middle), ((left + right) // 2, bottom + 3)]
    return all(shot.pixel(x, y) == (255, 255, 255) for x, y in points)


def settle(seconds=0.2):
    time.sleep(seconds)


OPEN = (0, 96, 510, 576)          # the open drawer's X geometry on a 1024 x 768 screen
IN_STRIP = (1, 300)
LIST_EMPTY = (420, 610)           # low in the list area, where no item of a short list is


class CommandsTestCase(harness.DrawerTestCase):
    """Starts the program with a store of its own and the drawer open, the pointer in it."""

    def start(self, tables, store=None, debug_output=False, **settings):
        settings.setdefault("tick_count", 0)
        self.program.write("info_data.xml", store or harness.store_xml(tables, **settings))
        harness.move_pointer(*IN_STRIP)
        self.process = self.program.start(debug_output=debug_output)
        self.drawer = self.program.wait_for_drawer()
        for _ in range(3):
            # Wine learns where the pointer is from its moves over its own windows.
            harness.move_pointer(IN_STRIP[0] + 1, IN_STRIP[1] + 1)
            harness.move_pointer(*IN_STRIP)
            harness.wait_for(lambda: harness.geometry(self.drawer) == OPEN, 5, 0.02)
            harness.move_pointer(*LIST_EMPTY)
            settle(0.3)
            if harness.geometry(self.drawer) == OPEN:
                break
        self.assertEqual(harness.geometry(self.drawer), OPEN, "the drawer did not open")
        idle()

    def store(self):
        return self.program.read("info_data.xml", "rb")

    def labels(self):
        return [entry["label"] for entry in harness.list_items()]

    def dialog(self, title, screenshot=None):
        """Waits for the dialog; with a screenshot name, saves one and checks its face is white."""
        window = wait_window(title)
        self.assertIsNotNone(window, "no %r dialog" % title)
        if screenshot:
            settle()
            shot = harness.Screenshot(screenshot)
            self.assertTrue(face_is_white(shot, title), "%s: the face is not white" % shot.path)
        return window

    def assert_box(self, title, text):
        """A message box with that title and text shows; it is closed with its OK."""
        texts = message_box(title)
        self.assertIsNotNone(texts, "no message box %r" % title)
        self.assertIn(text, texts)
        close(title, "OK")
