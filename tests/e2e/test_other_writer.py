"""The store written by another program while the drawer runs (a sync client, a second PC,
an editor): its tables are never lost, the drawer follows the file, and a file it cannot
read is never written over."""

import os
import re
import tempfile
from xml.etree import ElementTree

import drive
import harness
from drive import LIST_EMPTY
from test_accessibility import TAB_STRIP, accessible, tabs_of

COMPUTER = dict(path="17", name="My Computer", id="{00000000-0000-0000-0000-000000000017}",
                special=True)
RELOADED = "info_data.xml was changed by another program; reloaded"


def tables_in(data):
    return [node.findtext("Table_Lable") for node in ElementTree.fromstring(data).iter("Table_Node")]


class OtherWriterTest(drive.CommandsTestCase):
    @classmethod
    def setUpClass(cls):
        drive.unmanaged_windows(cls)

    def replace_store(self, data):
        """Writes the store as another program does: a whole new file, moved into place."""
        fd, temporary = tempfile.mkstemp(dir=self.program.folder)
        with os.fdopen(fd, "wb") as f:
            f.write(data)
        os.replace(temporary, self.program.path("info_data.xml"))

    def tab_names(self):
        return [tab["name"] for tab in tabs_of(accessible(TAB_STRIP)[1])]

    def reloads(self):
        return sum(RELOADED in trace for trace in self.program.debug_output())

    def start_traced(self, tables):
        """As CommandsTestCase.start, with the program's debug traces in its log."""
        self.start(tables, debug_output=True)

    def test_a_table_another_program_wrote_stays_when_the_user_adds_an_item(self):
        self.start_traced([("Common", [])])
        store = self.store()
        other = harness.store_xml([("Common", []), ("FromOtherPC", [COMPUTER])], tick_count=0)
        self.replace_store(other)
        # At once, before the drawer had a moment to notice.
        drive.menu_command(LIST_EMPTY, "Add My Computer")
        self.assertTrue(harness.wait_for(lambda: self.store() != other, 5), "nothing saved")
        saved = self.store()
        self.assertEqual(tables_in(saved), ["Common", "FromOtherPC"])
        common = [node for node in ElementTree.fromstring(saved).iter("Table_Node")][0]
        self.assertEqual([item.text for item in common.iter("Table_Item")], ["17"])
        # The other program's version is the backup.
        self.assertEqual(self.program.read("info_data.xml.bak", "rb"), other)
        self.assertNotEqual(other, store)
        self.assertTrue(harness.wait_for(lambda: self.tab_names() == ["Common", "FromOtherPC"], 5),
                        self.tab_names())
        self.assertEqual(self.labels(), ["My Computer"])

    def test_an_item_another_program_added_shows_within_two_seconds(self):
        self.start_traced([("Common", [COMPUTER])])
        self.assertEqual(self.labels(), ["My Computer"])
        for _ in range(3):  # the program's own saves are no change
            drive.menu_command(LIST_EMPTY, "Add Desktop", [e for e in drive.DRAWER_MENU
                                                           if e != "Add My Computer"])
            self.assertTrue(harness.wait_for(lambda: len(self.labels()) == 2, 5))
            harness.click(*[e for e in harness.list_items() if e["label"] == "Desktop"][0]["centre"])
            harness.xdotool("key", "Delete")
            self.assertTrue(harness.wait_for(lambda: len(self.labels()) == 1, 5))
        drive.settle(1.5)
        self.assertEqual(self.reloads(), 0, "the program's own saves made it reload")

        documents = dict(path="5", name="Their Documents",
                         id="{00000000-0000-0000-0000-000000000005}", special=True)
        self.replace_store(harness.store_xml([("Common", [COMPUTER, documents])], tick_count=0))
        self.assertTrue(harness.wait_for(
            lambda: self.labels() == ["My Computer", "Their Documents"], 2.5, 0.05),
            "the list shows %s" % self.labels())
        self.assertEqual(self.reloads(), 1)

    def test_a_file_another_program_left_unreadable_is_not_written_over(self):
        self.start([("Common", [COMPUTER])])
        broken = harness.store_xml([("Common", [COMPUTER]), ("Half", [])])[:-40]
        self.replace_store(broken)
        drive.settle(1.5)  # the drawer has looked, and kept what it shows
        self.assertEqual(self.labels(), ["My Computer"])
        drive.menu_command(LIST_EMPTY, "Add Desktop", [e for e in drive.DRAWER_MENU
                                                       if e != "Add My Computer"])
        texts = drive.message_box("Zarkit")
        self.assertIsNotNone(texts, "no message")
        self.assertIn("info_data.xml was changed by another program and cannot be read now. "
                      "Zarkit has not saved your change.", texts)
        harness.Screenshot("other_writer_unreadable")
        drive.close("Zarkit", "OK")
        self.assertEqual(self.store(), broken)
        self.assertEqual(self.labels(), ["My Computer"])


if __name__ == "__main__":
    harness.main()
