"""The item lists: default content on the first start, loading, sorting and launching."""

import os
import re
import shutil
import time
import xml.etree.ElementTree as ElementTree

import harness

OPEN = (0, 96, 510, 576)
IN_STRIP = (1, 300)
INSIDE = (300, 400)
IDENTIFIER = re.compile(r"^\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9a-f]{4}-[0-9A-F]{4}-[0-9A-F]{12}\}$")


def stored_tables(data):
    """[(label, [Table_Item elements])] in document order."""
    root = ElementTree.fromstring(data)
    return [(node.findtext("Table_Lable"), node.findall("Table_Item"))
            for node in root.findall("Table_Node")]


def item(path, name="", work_dir="", params="", number=1, special=False):
    return {"path": path, "name": name, "work_dir": work_dir, "params": params,
            "id": "{00000000-0000-0000-0000-%012d}" % number, "special": special}


class ItemListTest(harness.DrawerTestCase):
    @classmethod
    def setUpClass(cls):
        harness.register_browser()

    def start_with(self, tables):
        self.program.write("info_data.xml", harness.store_xml(tables))
        harness.move_pointer(800, 600)
        self.program.start()
        return self.program.wait_for_drawer()

    def open_drawer(self, drawer):
        harness.move_pointer(*IN_STRIP)
        opened = harness.wait_for(lambda: harness.geometry(drawer) == OPEN, 10, interval=0.02)
        self.assertTrue(opened, "the drawer did not open")
        harness.move_pointer(*INSIDE)
        time.sleep(0.3)

    def labels(self):
        return [entry["label"] for entry in harness.list_items()]

    def test_first_start_fills_common_and_websites_with_real_icons(self):
        calc = harness.wine_prefix_path("windows", "system32", "calc.exe")
        shutil.copy(harness.LAUNCH_MARKER, calc)
        self.addCleanup(os.remove, calc)
        harness.move_pointer(800, 600)
        self.program.start()
        drawer = self.program.wait_for_drawer()

        tables = stored_tables(self.program.read("info_data.xml", "rb"))
        self.assertEqual([label for label, _ in tables], ["Common", "WebSites"])
        common, websites = tables[0][1], tables[1][1]
        self.assertEqual([(e.text, e.get("Is_VirtualFloder"), e.get("Nick_Name")) for e in common[:3]],
                         [("17", "yes", "My Computer"), ("0", "yes", "Desktop"),
                          ("5", "yes", "My Documents")])
        calc_items = [e for e in common if e.text.lower().endswith("\\calc.exe")]
        self.assertEqual([e.get("Nick_Name") for e in calc_items], ["calc.exe"])
        self.assertEqual(len(websites), 5)
        for element in websites:
            self.assertTrue(element.get("Start_Params").startswith("http"), element.attrib)
            self.assertEqual(element.get("Is_VirtualFloder"), "no")
        for element in common + websites:
            self.assertRegex(element.get("Unique_Identifier"), IDENTIFIER)

        time.sleep(1.2)  # the start-up animation
        self.open_drawer(drawer)
        entries = harness.list_items()
        labels = [entry["label"] for entry in entries]
        self.assertEqual(sorted(labels), sorted(e.get("Nick_Name") for e in common))
        self.assertEqual(labels, sorted(labels, key=str.lower))
        shot = harness.Screenshot("first_start_common")
        for entry in entries:
            x, y = entry["centre"]
            colours = {shot.pixel(x + dx, y + dy) for dx in range(-12, 13) for dy in range(-12, 13)}
            self.assertGreaterEqual(len(colours), 4, "no icon drawn for %s" % entry["label"])

    def test_a_second_start_adds_nothing(self):
        harness.move_pointer(800, 600)
        self.program.start()
        self.program.wait_for_drawer()
        self.program.stop()
        first = self.program.read("info_data.xml", "rb")
        self.program.start()
        self.program.wait_for_drawer()
        time.sleep(0.5)
        self.program.stop()
        self.assertEqual(self.program.read("info_data.xml", "rb"), first)

    def test_an_item_whose_path_is_gone_is_not_listed_and_stays_in_the_file(self):
        present = self.program.path("present.txt")
        self.program.write("present.txt", "x")
        missing = harness.windows_path(self.program.path("gone.txt"))
        drawer = self.start_with([("Files", [item(missing, "Gone", number=1),
                                             item(harness.windows_path(present), "Here", number=2)])])
        written = self.program.read("info_data.xml", "rb")
        self.open_drawer(drawer)
        self.assertEqual(self.labels(), ["Here"])
        self.program.stop()
        self.assertEqual(self.program.read("info_data.xml", "rb"), written)
        self.assertIn(b"gone.txt", written)

    def test_labels_are_sorted_whatever_the_file_order_and_repeats_both_show(self):
        self.program.write("a.txt", "x")
        path = harness.windows_path(self.program.path("a.txt"))
        names = ["pear", "Apple", "zebra", "apple", "Mango"]
        drawer = self.start_with([("Fruit", [item(path, name, number=n)
                                             for n, name in enumerate(names, 1)])])
        self.open_drawer(drawer)
        labels = self.labels()
        self.assertEqual(sorted(labels), sorted(names))
        self.assertEqual([label.lower() for label in labels],
                         ["apple", "apple", "mango", "pear", "zebra"])

    def test_a_double_click_starts_the_item_as_stored_then_drops_the_drawer(self):
        marker = self.program.path("marker.exe")
        shutil.copy(harness.LAUNCH_MARKER, marker)
        work = self.program.path("work dir")
        os.mkdir(work)
        drawer = self.start_with([("Tools", [item(harness.windows_path(marker), "Marker",
                                                  work_dir=harness.windows_path(work),
                                                  params='alpha "two words"')])])
        self.open_drawer(drawer)
        [entry] = harness.list_items()
        x, y = entry["centre"]
        harness.xdotool("mousemove", x, y, "click", "--repeat", "2", "--delay", "80", "1")
        launches = harness.wait_for(self.program.launches, 10, interval=0.1)
        self.assertTrue(launches, "the item was not started")
        self.assertEqual(launches[0]["args"], ["alpha", "two words"])
        self.assertEqual(launches[0]["cwd"].lower().rstrip("\\"), harness.windows_path(work).lower())
        [window] = [w for w in harness.probe_windows() if w["class"] == "Zarkit"]
        self.assertEqual(window["ex_style"] & 0x8, 0, "the drawer is still topmost")


if __name__ == "__main__":
    harness.main()
