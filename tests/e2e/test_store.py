"""The store file as the whole program creates, keeps and refuses it."""

import os
import xml.etree.ElementTree as ElementTree

import harness


class StoreFileTest(harness.DrawerTestCase):
    def test_first_start_creates_a_store_with_the_settings(self):
        self.program.start()
        self.program.wait_for_drawer()
        root = ElementTree.fromstring(self.program.read("info_data.xml", "rb"))
        self.assertEqual(root.tag, "File_Desc")
        settings = [(child.tag, child.text) for child in root if child.tag != "Table_Node"]
        self.assertEqual(settings, [("Start_OnWindow", "yes"), ("Show_TickCount", "450"),
                                    ("Show_TipOnStart", "yes"), ("Animate_WindowOnStart", "yes"),
                                    ("SelTable_MouseOn", "no"), ("Hot_Key", "Ctrl+Win+Z")])

    def test_an_unreadable_store_is_reported_left_alone_and_ends_the_program(self):
        for name, damaged in (("truncated", harness.store_xml([("Common", [])])[:-9]),
                              ("empty", b""),
                              ("not xml", b"\x00\x01 this is not a store")):
            with self.subTest(name):
                self.program.write("info_data.xml", damaged)
                process = self.program.start()
                box = harness.wait_for(self.error_box, 20, interval=0.2)
                try:
                    self.assertIsNotNone(box, "no message about the damaged store")
                    self.assertTrue(any("info_data.xml" in text for text in box["texts"]), box)
                    drawers = [w for w in harness.probe_windows() if w["class"] == "Zarkit"]
                    self.assertEqual(drawers, [], "a drawer was shown")
                finally:
                    harness.probe("press", "Zarkit", "OK")
                self.assertNotEqual(process.wait(timeout=10), 0)
                self.assertEqual(self.program.read("info_data.xml", "rb"), damaged)

    def test_leftovers_of_an_interrupted_save_are_removed_at_start(self):
        self.program.write("info_data.xml", harness.store_xml([("Common", [])]))
        leftovers = ["info_data.xml.1f-18c3a-0-0.tmp", "info_data.xml.bak.2a-18c3b-1-0.tmp"]
        kept = ["info_data.xml.bak", "info_data.xml notes.txt"]
        for name in leftovers + kept:
            self.program.write(name, b"<File_Desc>")
        self.program.start()
        self.program.wait_for_drawer()
        for name in leftovers:
            self.assertFalse(os.path.exists(self.program.path(name)), name)
        for name in kept:
            self.assertEqual(self.program.read(name, "rb"), b"<File_Desc>", name)

    def damaged_store_with_backup(self):
        """A store cut short by hand beside a backup that loads; both as bytes."""
        backup = harness.store_xml([("From the backup", []), ("Second", [])], animate=False)
        damaged = harness.store_xml([("Newer", [])])[:-25]
        self.program.write("info_data.xml", damaged)
        self.program.write("info_data.xml.bak", backup)
        return damaged, backup

    def restore_box(self):
        box = harness.wait_for(self.error_box, 20, interval=0.2)
        self.assertIsNotNone(box, "no message about the damaged store")
        text = " ".join(box["texts"])
        for part in ("info_data.xml", "info_data.xml.bak", "info_data.xml.damaged", "Yes", "No"):
            self.assertIn(part, text)
        drawers = [w for w in harness.probe_windows() if w["class"] == "Zarkit"]
        self.assertEqual(drawers, [], "a drawer was shown before the answer")
        return box

    def test_after_two_changes_the_backup_holds_the_state_before_the_second(self):
        self.program.write("info_data.xml", harness.store_xml([("Common", [])]))
        self.program.start()
        self.program.wait_for_drawer()
        original = self.program.read("info_data.xml", "rb")
        add_special = 0x548  # 1: My Computer, 2: Desktop, to the current table
        states = []
        for folder in (1, 2):
            before = self.program.read("info_data.xml", "rb")
            harness.probe("post", "Zarkit", add_special, folder)
            self.assertTrue(harness.wait_for(
                lambda: self.program.read("info_data.xml", "rb") != before, 10, interval=0.05))
            states.append(self.program.read("info_data.xml", "rb"))
        self.assertNotEqual(states[0], original)
        self.assertEqual(self.program.read("info_data.xml.bak", "rb"), states[0])
        self.assertIn(b">17</Table_Item>", states[0])  # My Computer went in first
        self.assertNotIn(b">0</Table_Item>", states[0])
        self.assertIn(b">0</Table_Item>", states[1])  # then the Desktop

    def test_yes_keeps_the_damaged_store_aside_and_starts_with_the_backup(self):
        damaged, backup = self.damaged_store_with_backup()
        self.program.start()
        self.restore_box()
        self.assertEqual(harness.probe("press", "Zarkit", "Yes").returncode, 0)
        # By class: the message box has the drawer's title.
        drawer = harness.wait_for(lambda: [w for w in harness.probe_windows() if w["class"] == "Zarkit"],
                                  20, interval=0.2)
        self.assertTrue(drawer, "no drawer after Yes")
        self.assertEqual(self.program.read("info_data.xml.damaged", "rb"), damaged)
        self.assertEqual(self.program.read("info_data.xml", "rb"), backup)
        self.assertEqual(self.program.read("info_data.xml.bak", "rb"), backup)
        labels = [node.findtext("Table_Lable") for node in
                  ElementTree.fromstring(self.program.read("info_data.xml", "rb")).iter("Table_Node")]
        self.assertEqual(labels, ["From the backup", "Second"])

    def test_no_ends_the_program_and_changes_no_file(self):
        damaged, backup = self.damaged_store_with_backup()
        before = sorted(os.listdir(self.program.folder))
        process = self.program.start()
        self.restore_box()
        self.assertEqual(harness.probe("press", "Zarkit", "No").returncode, 0)
        self.assertNotEqual(process.wait(timeout=10), 0)
        self.assertEqual(self.program.read("info_data.xml", "rb"), damaged)
        self.assertEqual(self.program.read("info_data.xml.bak", "rb"), backup)
        after = [name for name in sorted(os.listdir(self.program.folder))
                 if name not in ("wine-output.log", "config.ini", "brisvane.html")]
        self.assertEqual(after, before)

    def error_box(self):
        for window in harness.probe_windows():
            if window["class"] == "#32770" and window["title"] == "Zarkit":
                return window
        return None


if __name__ == "__main__":
    harness.main()
