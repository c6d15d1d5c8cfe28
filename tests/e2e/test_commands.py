"""The drawer's commands through its real menus and dialogs: tables, adding items, item
commands, Settings with the Run value, and quitting."""

import re
import time
import xml.etree.ElementTree as ElementTree

import drive
import harness
from drive import DRAWER_MENU, ITEM_MENU, LIST_EMPTY
from test_drawer import drawn_tabs

RUN_KEY = "Software\\Microsoft\\Windows\\CurrentVersion\\Run"
RUN_VALUE = "VELMOR Zarkit"
# Everyone may read the key and change its access list back, nobody may set a value.
READ_ONLY_ACL = "D:P(A;;0x70019;;;WD)"


def tables_of(data):
    """[(label, [Table_Item attribute dicts with the text as "path"])] in file order."""
    root = ElementTree.fromstring(data)
    return [(node.findtext("Table_Lable"),
             [dict(element.attrib, path=element.text) for element in node.findall("Table_Item")])
            for node in root.findall("Table_Node")]


def item(path, name, number):
    return {"path": path, "name": name, "id": "{00000000-0000-0000-0000-%012d}" % number}


def without_item(data, number):
    """The store's bytes with the Table_Item of that identifier taken out, and nothing else."""
    pattern = rb'<Table_Item [^>]*Unique_Identifier="\{00000000-0000-0000-0000-%012d\}"[^>]*>[^<]*</Table_Item>' % number
    result, count = re.subn(pattern, b"", data)
    assert count == 1, "no such item in the store"
    return result


def body(data):
    """The store from its root element on: the writer may lay out the prolog its own way."""
    return data[data.index(b"<File_Desc>"):].rstrip()


def without_entries(*removed):
    return [entry for entry in DRAWER_MENU if entry not in removed]


def run_value(root):
    """The data of the Run value under HKLM or HKCU, or None."""
    result = harness.reg("query", root + "\\" + RUN_KEY, "/v", RUN_VALUE, check=False)
    for line in result.stdout.splitlines():
        if "REG_SZ" in line and line.strip().startswith(RUN_VALUE):
            return line.split("REG_SZ", 1)[1].strip()
    return None


class TableCommandsTest(drive.CommandsTestCase):
    def test_add_table_then_rename_it_and_a_taken_name_is_refused(self):
        self.program.write("a.txt", "x")
        self.start([("One", [item(harness.windows_path(self.program.path("a.txt")), "Alpha", 1)]),
                    ("Two", [])])

        menu = drive.menu_command(LIST_EMPTY, "Add Table")
        self.assertLessEqual(abs(menu["rect"][0] - LIST_EMPTY[0]), 2, "not at the pointer")
        self.dialog("Add Table", "dialog_add_table")
        drive.press("Add Table", "OK")
        self.assert_box("Zarkit", "You need enter a valid table name!")
        self.assertIsNotNone(drive.wait_window("Add Table", 1), "the empty name closed the dialog")
        drive.type_into("Add Table", 1001, "Three")
        drive.close("Add Table", "OK")
        self.assertEqual([label for label, _ in tables_of(self.store())], ["One", "Two", "Three"])
        tabs = drawn_tabs(harness.Screenshot("table_added"))
        self.assertEqual([tab.selected for tab in tabs], [False, False, True])

        before = self.store()
        drive.menu_command(LIST_EMPTY, "ReName Table")
        self.dialog("ReName Table", "dialog_rename_table")
        fields = drive.controls("ReName Table")
        self.assertEqual((fields[1005]["text"], fields[1003]["text"]), ("Three", ""))
        drive.type_into("ReName Table", 1003, "Drei")
        drive.close("ReName Table", "OK")
        self.assertEqual(body(self.store()),
                         body(before.replace(b"<Table_Lable>Three<", b"<Table_Lable>Drei<")))

        # Another table's name, in another case: refused, and the file stays as it was.
        renamed = self.store()
        drive.menu_command(LIST_EMPTY, "ReName Table")
        self.dialog("ReName Table")
        self.assertEqual(drive.controls("ReName Table")[1005]["text"], "Drei")
        drive.type_into("ReName Table", 1003, "TWO")
        drive.press("ReName Table", "OK")
        self.assert_box("Zarkit", "Table [TWO] already exists!")
        drive.idle()
        self.assertEqual(self.store(), renamed)

    def test_delete_tables_down_to_none_and_add_one_again(self):
        self.program.write("a.txt", "x")
        self.start([("One", [item(harness.windows_path(self.program.path("a.txt")), "Alpha", 1)]),
                    ("Two", []), ("Three", [])])
        before = self.store()

        drive.menu_command(LIST_EMPTY, "Del Table")
        question = drive.wait_window("Attention")
        self.assertIsNotNone(question, "no question before deleting")
        self.assertIn("Are you sure to delete table:[One]? If so, all items in this table will be "
                      "lost!", drive.texts("Attention"))
        # Over the topmost drawer, where the list is white, the box's own grey face shows.
        shot = harness.Screenshot("question_del_table")
        left, _, _, bottom = question["rect"]
        self.assertLess(left + 10, drive.OPEN[2] - 20)
        self.assertNotEqual(shot.pixel(left + 10, bottom - 10), (255, 255, 255),
                            "%s: the question is behind the drawer" % shot.path)
        drive.close("Attention", "No")
        self.assertEqual(self.store(), before)

        drive.menu_command(LIST_EMPTY, "Del Table")
        drive.wait_window("Attention")
        drive.close("Attention", "Yes")
        self.assertEqual(tables_of(self.store()), [("Two", []), ("Three", [])])
        self.assertNotIn(b"Alpha", self.store())
        for _ in range(2):
            drive.menu_command(LIST_EMPTY, "Del Table")
            drive.wait_window("Attention")
            drive.close("Attention", "Yes")
        self.assertEqual(tables_of(self.store()), [])
        self.assertEqual(harness.list_items(), [])

        # No list is left; the drawer itself offers its menu, around the tab strip too.
        self.assertIsNotNone(drive.open_menu(20, 300), "no menu on the drawer without tables")
        harness.xdotool("key", "Escape")
        drive.idle()
        # Commands that need a table do nothing.
        drive.menu_command(LIST_EMPTY, "Add My Computer")
        drive.menu_command(LIST_EMPTY, "Del Table")
        drive.idle()
        self.assertIsNone(drive.wait_window("Attention", 0.5))
        self.assertEqual(tables_of(self.store()), [])

        drive.menu_command(LIST_EMPTY, "Add Table")
        self.dialog("Add Table")
        drive.type_into("Add Table", 1001, "Again")
        drive.close("Add Table", "OK")
        self.assertEqual(tables_of(self.store()), [("Again", [])])
        path = harness.windows_path(self.program.path("a.txt"))
        drive.menu_command(LIST_EMPTY, "Add Path")
        self.dialog("Add Items")
        drive.type_into("Add Items", 1006, path)
        drive.close("Add Items", "OK")
        [(label, [added])] = tables_of(self.store())
        self.assertEqual((label, added["path"], added["Nick_Name"]), ("Again", path, "a.txt"))
        self.assertEqual(self.labels(), ["a.txt"])


class ItemCommandsTest(drive.CommandsTestCase):
    @classmethod
    def setUpClass(cls):
        harness.register_browser()

    def test_special_folders_a_web_site_and_a_path(self):
        self.start([("Items", [])])

        full = drive.menu_command(LIST_EMPTY, "Add My Computer")
        self.assertTrue(harness.wait_for(lambda: tables_of(self.store())[0][1], 5))
        # The menu is one entry shorter now, and the entry in its place is "Add Desktop".
        shorter = drive.open_menu(*LIST_EMPTY)
        self.assertLess(shorter["rect"][3] - shorter["rect"][1], full["rect"][3] - full["rect"][1])
        drive.choose(without_entries("Add My Computer"), "Add Desktop")
        harness.wait_for(lambda: len(tables_of(self.store())[0][1]) == 2, 5)
        folders = [(entry["path"], entry["Is_VirtualFloder"], entry["Nick_Name"])
                   for entry in tables_of(self.store())[0][1]]
        self.assertEqual(folders, [("17", "yes", "My Computer"), ("0", "yes", "Desktop")])
        self.assertEqual(sorted(self.labels()), ["Desktop", "My Computer"])

        entries = without_entries("Add My Computer", "Add Desktop")
        drive.menu_command(LIST_EMPTY, "Add WebSite", entries)
        self.dialog("Add Items", "dialog_add_website")
        fields = drive.controls("Add Items")
        self.assertEqual([fields[i]["enabled"] for i in (1003, 1006, 1007, 1008)],
                         [True, False, False, True])
        address = "  HTTP://Example.com/x"
        drive.type_into("Add Items", 1003, address)
        drive.close("Add Items", "OK")
        web = tables_of(self.store())[0][1][2]
        self.assertEqual((web["Start_Params"], web["Nick_Name"], web["Is_VirtualFloder"]),
                         (address, address, "no"))
        self.assertTrue(web["path"].lower().endswith("launch_marker.exe"), web)

        self.program.write("notes.txt", "x")
        path = harness.windows_path(self.program.path("notes.txt"))
        drive.menu_command(LIST_EMPTY, "Add Path", entries)
        self.dialog("Add Items", "dialog_add_path")
        fields = drive.controls("Add Items")
        self.assertEqual([fields[i]["enabled"] for i in (1003, 1006, 1007, 1008)],
                         [False, True, True, True])
        drive.type_into("Add Items", 1006, path)
        drive.type_into("Add Items", 1008, "My Notes")
        drive.close("Add Items", "OK")
        typed = tables_of(self.store())[0][1][3]
        self.assertEqual((typed["path"], typed["Nick_Name"]), (path, "My Notes"))
        self.assertIn("My Notes", self.labels())

    def test_rename_in_place_and_delete_change_exactly_their_items(self):
        for name in ("a", "b", "c", "d"):
            self.program.write(name + ".txt", "x")
        names = ["Apple", "Banana", "Cherry", "Date"]
        self.start([("Fruit", [item(harness.windows_path(self.program.path(n + ".txt")), name, i)
                               for i, (n, name) in enumerate(zip("abcd", names), 1)])])
        entry = {e["label"]: e for e in harness.list_items()}

        before = self.store()
        harness.click(*entry["Banana"]["centre"])
        drive.menu_command(entry["Banana"]["centre"], "Rename", ITEM_MENU)
        time.sleep(0.3)  # the edit field opens with the label selected
        harness.xdotool("type", "--delay", "5", "--", "Blue berry")
        harness.xdotool("key", "Return")
        self.assertTrue(harness.wait_for(lambda: self.store() != before, 5))
        self.assertEqual(body(self.store()),
                         body(before.replace(b'Nick_Name="Banana"', b'Nick_Name="Blue berry"')))
        self.assertIn("Blue berry", self.labels())

        before = self.store()
        harness.click(*entry["Cherry"]["centre"])
        drive.menu_command(entry["Cherry"]["centre"], "Delete", ITEM_MENU)
        self.assertTrue(harness.wait_for(lambda: self.store() != before, 5))
        self.assertEqual(body(self.store()), body(without_item(before, 3)))

        # Two selected: both go, with no question.
        before = self.store()
        entry = {e["label"]: e for e in harness.list_items()}
        harness.click(*entry["Apple"]["centre"])
        harness.xdotool("keydown", "ctrl")
        harness.click(*entry["Date"]["centre"])
        harness.xdotool("keyup", "ctrl")
        drive.menu_command(entry["Date"]["centre"], "Delete", ["Rename", "Delete"])
        self.assertTrue(harness.wait_for(lambda: len(self.labels()) == 1, 5))
        self.assertEqual(body(self.store()), body(without_item(without_item(before, 1), 4)))
        self.assertEqual(self.labels(), ["Blue berry"])


class SettingsTest(drive.CommandsTestCase):
    UNKNOWN = "<Unknown_Setting kind=\"x\">kept &amp; sound</Unknown_Setting>".encode()
    NOTE = "<Table_Note>fünf ☃</Table_Note>".encode()

    def test_settings_show_refuse_cancel_and_store_and_the_rest_of_the_file_survives(self):
        self.program.write("a.txt", "x")
        path = harness.windows_path(self.program.path("a.txt"))
        store = harness.store_xml([("Ünïcødé ☃", [item(path, "Ärger 工具", 1)]),
                                   ("Second", [item(path, "Other", 2)])], tick_count=700)
        store = store.replace(b"</SelTable_MouseOn>", b"</SelTable_MouseOn>" + self.UNKNOWN)
        store = store.replace(b"</Table_Lable>", b"</Table_Lable>" + self.NOTE, 1)
        self.start(None, store=store)
        self.assertEqual(self.labels(), ["Ärger 工具"])

        drive.menu_command(LIST_EMPTY, "Settings")
        self.dialog("Settings", "dialog_settings")
        fields = drive.controls("Settings")
        self.assertEqual([fields[i]["checked"] for i in (1009, 1010, 1011, 1017)],
                         [False, False, False, False])
        self.assertEqual(fields[1002]["text"], "700")

        # While a dialog is open the drawer stays open, even with the pointer away.
        harness.move_pointer(800, 700)
        time.sleep(0.5)
        self.assertEqual(harness.geometry(self.drawer), drive.OPEN)

        drive.click_control("Settings", 1009)
        drive.type_into("Settings", 1002, "5")
        drive.close("Settings", "Cancel")
        self.assertEqual(self.program.read("info_data.xml", "rb"), store)

        drive.menu_command(LIST_EMPTY, "Settings")
        self.dialog("Settings")
        self.assertFalse(drive.controls("Settings")[1009]["checked"])
        for text, message in (("abc", "Please enter a positive integer."),
                              ("-1", "Please enter a delay from 0 to 60000 milliseconds.")):
            drive.type_into("Settings", 1002, text)
            drive.press("Settings", "OK")
            self.assert_box("Zarkit", message)
            self.assertIsNotNone(drive.wait_window("Settings", 1))
            self.assertEqual(self.store(), store)

        drive.type_into("Settings", 1002, "250ms")
        drive.click_control("Settings", 1017)
        drive.close("Settings", "OK")
        # A store written before the hot key and the sort order gets their elements at the
        # end, as any setting missing when the settings are written.
        expected = (store.replace(b"<Show_TickCount>700<", b"<Show_TickCount>250<")
                    .replace(b"<SelTable_MouseOn>no<", b"<SelTable_MouseOn>yes<")
                    .replace(b"</File_Desc>", b"<Hot_Key>Ctrl+Win+Z</Hot_Key>"
                             b"<Sort_ByName>yes</Sort_ByName></File_Desc>"))
        self.assertEqual(body(self.store()), body(expected))

        # Hover selection now works at once, without a restart.
        harness.move_pointer(*LIST_EMPTY)
        tabs = drawn_tabs(harness.Screenshot("settings_hover_before"))
        self.assertEqual([tab.selected for tab in tabs], [True, False])
        harness.move_pointer(*tabs[1].centre())
        self.assertTrue(harness.wait_for(lambda: self.labels() == ["Other"], 3),
                        "hovering over the tab did not select it")


class RunValueTest(drive.CommandsTestCase):
    def toggle_start_with_windows(self):
        drive.menu_command(LIST_EMPTY, "Settings")
        self.dialog("Settings")
        drive.click_control("Settings", 1009)
        drive.close("Settings", "OK")

    def values(self):
        return run_value("HKLM"), run_value("HKCU")

    def test_the_run_value_follows_the_setting_then_quit_ends_the_program(self):
        self.start([("One", [])])
        path = harness.windows_path(self.program.exe)
        self.assertEqual(self.values(), (None, None))

        self.toggle_start_with_windows()
        machine, user = self.values()
        self.assertEqual((machine or "").lower(), path.lower())
        self.assertIsNone(user)
        self.toggle_start_with_windows()
        self.assertEqual(self.values(), (None, None))

        # A machine key a normal user may not write: the user's key takes the value.
        acl = harness.probe("keyacl", RUN_KEY)
        self.assertEqual(acl.returncode, 0, acl.stderr)
        self.addCleanup(harness.probe, "keyacl", RUN_KEY, acl.stdout.strip())
        self.assertEqual(harness.probe("keyacl", RUN_KEY, READ_ONLY_ACL).returncode, 0)
        self.toggle_start_with_windows()
        machine, user = self.values()
        self.assertIsNone(machine)
        self.assertEqual((user or "").lower(), path.lower())
        self.toggle_start_with_windows()
        self.assertEqual(self.values(), (None, None))

        drive.menu_command(LIST_EMPTY, "Quit")
        self.assertEqual(self.process.wait(timeout=10), 0)


if __name__ == "__main__":
    harness.main()
