"""The store file as the whole program creates, keeps and refuses it."""

import xml.etree.ElementTree as ElementTree

import harness


class StoreFileTest(harness.DrawerTestCase):
    def test_first_start_creates_a_store_with_the_five_settings(self):
        self.program.start()
        self.program.wait_for_drawer()
        root = ElementTree.fromstring(self.program.read("info_data.xml", "rb"))
        self.assertEqual(root.tag, "File_Desc")
        settings = [(child.tag, child.text) for child in root if child.tag != "Table_Node"]
        self.assertEqual(settings, [("Start_OnWindow", "yes"), ("Show_TickCount", "450"),
                                    ("Show_TipOnStart", "yes"), ("Animate_WindowOnStart", "yes"),
                                    ("SelTable_MouseOn", "no")])

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

    def error_box(self):
        for window in harness.probe_windows():
            if window["class"] == "#32770" and window["title"] == "Zarkit":
                return window
        return None


if __name__ == "__main__":
    harness.main()
