"""Drag and drop in the running program, with the mouse through xdotool: an item moved to
another table over its tab, an item dropped on the list it came from, and a file dragged
in from another program."""

import contextlib
import os
import subprocess
import time
import xml.etree.ElementTree as ElementTree

import harness
from test_drawer import drawn_tabs

OPEN = (0, 96, 510, 576)
IN_STRIP = (1, 300)
IN_LIST = (300, 420)       # inside the open drawer's list area, below its first icons
HELPER = (700, 200)        # inside the drag-source helper's window, (600,100)-(800,300)
DRAG_SOURCE = os.environ.get("ZARKIT_DRAG_SOURCE", "")

ALPHA = "{00000000-0000-0000-0000-000000000001}"
BETA = "{00000000-0000-0000-0000-000000000002}"
GAMMA = "{00000000-0000-0000-0000-000000000003}"


def drag(points, step=10, delay=0.02, rest=0.3, rest_at=(), before_release=None):
    """Press at the first point, move through the others in small steps, release at the
    last. Under Wine OLE's drag loop needs a pause after the press and before the release;
    `rest_at` maps a point's position in `points` to a longer pause there; `before_release`
    is called just before the button goes up."""
    rests = dict(rest_at)
    harness.move_pointer(*points[0])
    time.sleep(rest)
    harness.xdotool("mousedown", 1)
    time.sleep(rest)
    x, y = points[0]
    for number, (to_x, to_y) in enumerate(points[1:], 1):
        while (x, y) != (to_x, to_y):
            x += max(-step, min(step, to_x - x))
            y += max(-step, min(step, to_y - y))
            harness.move_pointer(x, y)
            time.sleep(delay)
        time.sleep(rests.get(number, rest))
    if before_release:
        before_release()
    harness.xdotool("mouseup", 1)


@contextlib.contextmanager
def drag_source(mode, result, path):
    """The drag-source helper in `mode` with its window open, ended when the block ends."""
    helper = subprocess.Popen([harness.WINE, DRAG_SOURCE, mode, harness.windows_path(result),
                               harness.windows_path(path)], env=harness.wine_env(),
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        if not harness.wait_for(lambda: harness.windows_named("Zarkit drag source"), 30, 0.1):
            raise AssertionError("the drag source did not open")
        time.sleep(0.5)
        yield helper
    finally:
        helper.kill()
        helper.wait()


def read_text(path):
    try:
        with open(path, encoding="utf-8") as f:
            return f.read()
    except FileNotFoundError:
        return ""


def stored_items(data):
    """{table label: [(Unique_Identifier, Nick_Name, path)]} in document order."""
    root = ElementTree.fromstring(data)
    return {node.findtext("Table_Lable"):
            [(e.get("Unique_Identifier"), e.get("Nick_Name"), e.text)
             for e in node.findall("Table_Item")]
            for node in root.findall("Table_Node")}


class DropTest(harness.DrawerTestCase):
    def setUp(self):
        super().setUp()
        self.paths = {}
        for name in ("alpha", "beta", "gamma"):
            self.program.write(name + ".txt", "x")
            self.paths[name] = harness.windows_path(self.program.path(name + ".txt"))

    def item(self, name, identifier):
        return {"path": self.paths[name], "name": name, "id": identifier}

    def start(self, hover_select):
        tables = [("First", [self.item("alpha", ALPHA), self.item("beta", BETA)]),
                  ("Second", [self.item("gamma", GAMMA)])]
        self.program.write("info_data.xml", harness.store_xml(tables, hover_select=hover_select))
        harness.move_pointer(800, 600)
        self.program.start(debug_output=True)
        return self.program.wait_for_drawer()

    def open_drawer(self, drawer):
        harness.move_pointer(*IN_STRIP)
        self.assertTrue(harness.wait_for(lambda: harness.geometry(drawer) == OPEN, 10, 0.02),
                        "the drawer did not open")
        harness.move_pointer(*IN_LIST)
        time.sleep(0.3)

    def entries(self):
        return {entry["label"]: entry for entry in harness.list_items()}

    def stored(self):
        return stored_items(self.program.read("info_data.xml", "rb"))

    def test_an_item_dragged_over_a_tab_into_its_list_moves_to_that_table(self):
        drawer = self.start(hover_select=True)
        self.open_drawer(drawer)
        tabs = drawn_tabs(harness.Screenshot("drop_tabs"))
        self.assertGreaterEqual(len(tabs), 2)
        alpha = self.entries()["alpha"]["centre"]

        drag([alpha, tabs[1].centre(), IN_LIST])

        self.assertTrue(harness.wait_for(lambda: sorted(self.entries()) == ["alpha", "gamma"],
                                         10, 0.1), sorted(self.entries()))
        stored = self.stored()
        self.assertEqual([item[0] for item in stored["Second"]], [GAMMA, ALPHA])
        self.assertEqual(stored["Second"][1], (ALPHA, "alpha", self.paths["alpha"]))
        self.assertEqual([item[0] for item in stored["First"]], [BETA])
        harness.Screenshot("drop_moved")

        # Back on the first table, the item is gone from its list too.
        harness.move_pointer(*tabs[0].centre())
        self.assertTrue(harness.wait_for(lambda: sorted(self.entries()) == ["beta"], 5, 0.1),
                        sorted(self.entries()))
        traces = self.program.debug_output()
        self.assertIn(" dwEffect returned 1\n", traces)
        self.assertIn(" &&7 0 \n", traces)
        self.assertTrue([t for t in traces
                         if t.startswith("CZarkitListCtrlView::OnListSelfDropped p->Icoindex:")],
                        traces)

    def test_an_item_dropped_on_the_list_it_came_from_changes_nothing(self):
        drawer = self.start(hover_select=True)
        self.open_drawer(drawer)
        before = self.program.read("info_data.xml", "rb")
        alpha = self.entries()["alpha"]["centre"]

        drag([alpha, IN_LIST])

        self.assertTrue(harness.wait_for(
            lambda: " dwEffect returned 0\n" in self.program.debug_output(), 10, 0.1))
        self.assertIn("This Drop is from self, don't do it\n", self.program.debug_output())
        self.assertEqual(sorted(self.entries()), ["alpha", "beta"])
        self.assertEqual(self.program.read("info_data.xml", "rb"), before)

    def test_a_file_dragged_in_from_another_program_becomes_an_item(self):
        drawer = self.start(hover_select=False)
        payload = self.program.path("payload file.txt")
        self.program.write("payload file.txt", "x")
        result = self.program.path("helper.txt")
        with drag_source("files", result, payload):
            # Over the strip the drawer opens as it would without a drag.
            drag([HELPER, IN_STRIP, IN_LIST], rest_at={1: 2.0})
            self.assertTrue(harness.wait_for(lambda: "effect 1" in read_text(result), 10, 0.1))

        self.assertEqual(harness.geometry(drawer), OPEN)
        self.assertIn("payload file.txt", self.entries())
        first = self.stored()["First"]
        self.assertEqual(len(first), 3)
        identifier, name, path = first[2]
        self.assertEqual((name, path), ("payload file.txt", harness.windows_path(payload)))
        self.assertEqual(len(identifier), 38)


if __name__ == "__main__":
    harness.main()
