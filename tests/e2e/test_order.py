"""The user's own order, through the real program: with Sort_ByName "no" a table shows its
items as the file holds them, an item dragged onto its own list goes where it lands and
Ctrl+Shift+Left/Right move it by one; a tab dragged along the strip moves its table and
Ctrl+Shift+Page Up/Down move it by one; the Settings check box switches the order."""

import time

import drive
import harness
from drive import LIST_EMPTY
from test_accessibility import SELECTED, TAB_STRIP, accessible, shot_when, tabs_of
from test_commands import body, item, tables_of
from test_drop import drag
from test_keyboard import KeyboardTestCase

SORT_BY_NAME = 1025
DROP_MARK = (255, 87, 15)  # the selected tab's text colour


def item_names(data, table):
    """The Nick_Name of each Table_Item of that table, in file order."""
    return [entry["Nick_Name"] for label, entries in tables_of(data) if label == table
            for entry in entries]


def table_names(data):
    return [label for label, _ in tables_of(data)]


def tab_centre(tab):
    left, top, width, height = tab["location"]
    return left + width // 2, top + height // 2


class FruitTables:
    """Mine holds Cherry, Apple, Banana in that order in the file; Other holds one item."""

    def fruit_tables(self):
        for name in "abcd":
            self.program.write(name + ".txt", "x")
        path = {name: harness.windows_path(self.program.path(name + ".txt")) for name in "abcd"}
        return [("Mine", [item(path["c"], "Cherry", 3), item(path["a"], "Apple", 1),
                          item(path["b"], "Banana", 2)]),
                ("Other", [item(path["d"], "Date", 4)])]

    def entries(self):
        return {entry["label"]: entry for entry in harness.list_items()}

    def wait_store(self, predicate, message, timeout=5):
        if not harness.wait_for(lambda: predicate(self.program.read("info_data.xml", "rb")),
                                timeout, 0.05):
            self.fail("%s: %s" % (message, body(self.program.read("info_data.xml", "rb"))))


class ItemDragOrderTest(FruitTables, drive.CommandsTestCase):
    def drag_banana_onto_cherry(self):
        entries = self.entries()
        drag([entries["Banana"]["centre"], entries["Cherry"]["centre"]])
        self.assertTrue(harness.wait_for(
            lambda: [t for t in self.program.debug_output() if t.startswith(" dwEffect returned")],
            10, 0.1), "the drag loop did not end")

    def test_an_item_dragged_onto_its_own_list_goes_where_it_lands_and_stays_there(self):
        self.start(self.fruit_tables(), sort_by_name=False, debug_output=True)
        self.assertEqual(self.labels(), ["Cherry", "Apple", "Banana"])

        self.drag_banana_onto_cherry()
        self.assertTrue(harness.wait_for(lambda: self.labels() == ["Banana", "Cherry", "Apple"],
                                         5, 0.1), self.labels())
        self.wait_store(lambda data: item_names(data, "Mine") == ["Banana", "Cherry", "Apple"],
                        "the file keeps the old order")
        self.assertEqual(item_names(self.store(), "Other"), ["Date"])
        self.assertIn(" dwEffect returned 1\n", self.program.debug_output())
        self.assertNotIn("This Drop is from self, don't do it\n", self.program.debug_output())
        shot = harness.Screenshot("order_hand_ordered_table")
        self.assertEqual(shot.width, 1024)

        # And after a restart.
        self.program.stop()
        self.start(None, store=self.store())
        self.assertEqual(self.labels(), ["Banana", "Cherry", "Apple"])

    def test_sorted_by_name_the_same_drag_changes_nothing(self):
        self.start(self.fruit_tables(), debug_output=True)  # no Sort_ByName element
        self.assertEqual(self.labels(), ["Apple", "Banana", "Cherry"])
        before = self.store()

        self.drag_banana_onto_cherry()
        self.assertIn(" dwEffect returned 0\n", self.program.debug_output())
        self.assertIn("This Drop is from self, don't do it\n", self.program.debug_output())
        self.assertEqual(self.labels(), ["Apple", "Banana", "Cherry"])
        self.assertEqual(self.store(), before)


class SortSettingTest(FruitTables, drive.CommandsTestCase):
    def switch(self, checked_before):
        drive.menu_command(LIST_EMPTY, "Settings")
        self.dialog("Settings")
        self.assertEqual(drive.controls("Settings")[SORT_BY_NAME]["checked"], checked_before)
        drive.click_control("Settings", SORT_BY_NAME)
        self.assertEqual(drive.controls("Settings")[SORT_BY_NAME]["checked"], not checked_before)
        drive.close("Settings", "OK")

    def test_the_check_box_switches_every_list_at_once_and_is_stored(self):
        self.start(self.fruit_tables())
        self.assertEqual(self.labels(), ["Apple", "Banana", "Cherry"])
        self.assertNotIn(b"Sort_ByName", self.store())

        self.switch(checked_before=True)
        self.assertTrue(harness.wait_for(lambda: self.labels() == ["Cherry", "Apple", "Banana"],
                                         3, 0.1), self.labels())
        self.assertIn(b"<Sort_ByName>no</Sort_ByName>", self.store())
        self.assertEqual(item_names(self.store(), "Mine"), ["Cherry", "Apple", "Banana"])

        self.switch(checked_before=False)
        self.assertTrue(harness.wait_for(lambda: self.labels() == ["Apple", "Banana", "Cherry"],
                                         3, 0.1), self.labels())
        self.assertIn(b"<Sort_ByName>yes</Sort_ByName>", self.store())
        self.assertEqual(self.store().count(b"<Sort_ByName>"), 1)
        self.assertEqual(item_names(self.store(), "Mine"), ["Cherry", "Apple", "Banana"])


class OrderKeysTest(FruitTables, KeyboardTestCase):
    HOT_KEY = "Ctrl+Alt+Z"

    def start_with_hot_key(self, tables, **settings):
        self.start(tables, hot_key=self.HOT_KEY, **settings)
        self.hot_key(self.HOT_KEY.lower())

    def test_ctrl_shift_left_and_right_move_the_selected_item(self):
        self.start_with_hot_key(self.fruit_tables(), sort_by_name=False)
        self.wait_labels(["Cherry", "Apple", "Banana"])
        self.assertEqual(self.selected(), ["Cherry"])

        self.key("ctrl+shift+Right")
        self.wait_labels(["Apple", "Cherry", "Banana"])
        self.assertEqual(self.selected(), ["Cherry"])
        self.wait_store(lambda data: item_names(data, "Mine") == ["Apple", "Cherry", "Banana"],
                        "Ctrl+Shift+Right did not reach the file")
        self.key("ctrl+shift+Right")
        self.wait_labels(["Apple", "Banana", "Cherry"])
        self.key("ctrl+shift+Right")  # the last already: nothing to do
        self.key("ctrl+shift+Left", "ctrl+shift+Left")
        self.wait_labels(["Cherry", "Apple", "Banana"])
        self.wait_store(lambda data: item_names(data, "Mine") == ["Cherry", "Apple", "Banana"],
                        "Ctrl+Shift+Left did not reach the file")
        self.assertEqual(self.front()[2:], ("SysListView32", 1024))

    def test_a_tab_dragged_to_the_first_place_moves_its_table_and_keys_move_it_back(self):
        tables = self.fruit_tables() + [("Third", [])]
        self.start_with_hot_key(tables)
        self.wait_labels(["Apple", "Banana", "Cherry"])
        tabs = tabs_of(accessible(TAB_STRIP)[1])
        self.assertEqual([tab["name"] for tab in tabs], ["Mine", "Other", "Third"])

        # Let go over the list: nothing moves.
        before = self.program.read("info_data.xml", "rb")
        drag([tab_centre(tabs[2]), LIST_EMPTY])
        self.wait_labels([])  # the press selected it
        time.sleep(0.3)
        self.assertEqual(self.program.read("info_data.xml", "rb"), before)
        self.assertEqual([tab["name"] for tab in tabs_of(accessible(TAB_STRIP)[1])],
                         ["Mine", "Other", "Third"])

        # A plain mouse drag, no OLE here; a mark shows where the tab lands: along the
        # lower edge of the first tab, in the colour of a selected tab's name.
        shots = []
        left, top, width, height = tabs[0]["location"]
        drag([tab_centre(tabs[2]), tab_centre(tabs[0])],
             before_release=lambda: shots.append(shot_when(
                 "order_tab_drag_mark",
                 lambda shot: shot.pixel(left + width // 2, top + height - 2) == DROP_MARK)))
        self.assertEqual(shots[0].pixel(left + width // 2, top + height - 2), DROP_MARK,
                         shots[0].path)
        self.wait_store(lambda data: table_names(data) == ["Third", "Mine", "Other"],
                        "the drag did not move the table in the file")
        tabs = tabs_of(accessible(TAB_STRIP)[1])
        self.assertEqual([tab["name"] for tab in tabs], ["Third", "Mine", "Other"])
        self.assertEqual([bool(tab["state"] & SELECTED) for tab in tabs], [True, False, False])
        self.wait_labels([])
        self.assertEqual(item_names(self.program.read("info_data.xml", "rb"), "Mine"),
                         ["Cherry", "Apple", "Banana"])
        harness.Screenshot("order_tab_dragged")

        # A press and release without moving still only selects.
        harness.click(*tab_centre(tabs[1]))
        self.wait_labels(["Apple", "Banana", "Cherry"])
        time.sleep(0.3)
        self.assertEqual(table_names(self.program.read("info_data.xml", "rb")),
                         ["Third", "Mine", "Other"])
        harness.click(*tab_centre(tabs[0]))
        self.wait_labels([])

        # The keys, with the focus in the list of the moved table.
        harness.click(*LIST_EMPTY)
        self.assertTrue(harness.wait_for(lambda: self.front()[2:] == ("SysListView32", 1024), 3),
                        "the list did not take the focus: %s" % (self.front(),))
        self.key("ctrl+shift+Next")
        self.wait_store(lambda data: table_names(data) == ["Mine", "Third", "Other"],
                        "Ctrl+Shift+Page Down did not move the table")
        tabs = tabs_of(accessible(TAB_STRIP)[1])
        self.assertEqual([tab["name"] for tab in tabs], ["Mine", "Third", "Other"])
        self.assertEqual([bool(tab["state"] & SELECTED) for tab in tabs], [False, True, False])
        self.key("ctrl+shift+Prior")
        self.wait_store(lambda data: table_names(data) == ["Third", "Mine", "Other"],
                        "Ctrl+Shift+Page Up did not move the table")


if __name__ == "__main__":
    harness.main()
