"""A real OLE drag under Xvfb + Wine, made with the mouse through xdotool: the project's
drag-source helper drags onto a window that carries the item lists' drop target."""

import os
import subprocess
import tempfile
import time
import unittest

import harness

DRAG_SOURCE = os.environ.get("ZARKIT_DRAG_SOURCE", "")

SOURCE_POINT = (700, 200)   # inside "Zarkit drag source", (600,100)-(800,300)
TARGET_POINT = (250, 250)   # inside "Zarkit drop target", (100,100)-(400,400)


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def drag(start, end, step=10, delay=0.02, before_release=None):
    """Press at start, move to end in steps, release: what OLE's drag loop needs under
    Wine is a pause after the press and one before the release."""
    harness.move_pointer(*start)
    time.sleep(0.3)
    harness.xdotool("mousedown", 1)
    time.sleep(0.3)
    x, y = start
    while (x, y) != end:
        x += max(-step, min(step, end[0] - x))
        y += max(-step, min(step, end[1] - y))
        harness.move_pointer(x, y)
        time.sleep(delay)
    time.sleep(0.3)
    if before_release:
        before_release()
    harness.xdotool("mouseup", 1)


class DragTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="zarkit-drag-")
        self.processes = []

    def tearDown(self):
        for process in self.processes:
            if process.poll() is None:
                process.kill()
                process.wait()
        subprocess.run(["rm", "-rf", self.folder])

    def start(self, *args):
        name = args[0] + ".txt"
        result = os.path.join(self.folder, name)
        process = subprocess.Popen([harness.WINE, DRAG_SOURCE, args[0], windows_path(result),
                                    *args[1:]], env=harness.wine_env(),
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(process)
        self.assertTrue(harness.wait_for(lambda: "ready" in self.lines(name), 30, 0.1),
                        "the helper's window did not open: " + " ".join(args))
        return name

    def lines(self, name):
        try:
            with open(os.path.join(self.folder, name), encoding="utf-8") as f:
                return f.read().splitlines()
        except FileNotFoundError:
            return []

    def start_pair(self, *source_args):
        target = self.start("target")
        source = self.start(*source_args)
        for title in ("Zarkit drop target", "Zarkit drag source"):
            self.assertTrue(harness.wait_for(lambda: harness.windows_named(title), 10, 0.1), title)
        time.sleep(0.5)
        return source, target

    def test_a_file_dragged_with_the_mouse_reaches_the_list_as_a_dropped_file(self):
        payload = os.path.join(self.folder, "payload \u00e9\u5de5.txt")
        with open(payload, "w") as f:
            f.write("x")
        source, target = self.start_pair("files", windows_path(payload))

        drag(SOURCE_POINT, TARGET_POINT)

        self.assertTrue(harness.wait_for(lambda: "effect 1" in self.lines(source), 10, 0.1),
                        self.lines(source))
        self.assertEqual(self.lines(target), ["ready", "file " + windows_path(payload)])

    def test_escape_cancels_the_drag_and_nothing_is_dropped(self):
        payload = os.path.join(self.folder, "payload.txt")
        with open(payload, "w") as f:
            f.write("x")
        source, target = self.start_pair("files", windows_path(payload))
        # Escape reaches the drag loop as a key message of the source's thread.
        harness.xdotool("windowfocus", "--sync", harness.windows_named("Zarkit drag source")[0])

        drag(SOURCE_POINT, TARGET_POINT, before_release=lambda: harness.xdotool("key", "Escape"))

        self.assertTrue(harness.wait_for(lambda: len(self.lines(source)) > 1, 10, 0.1))
        self.assertEqual(self.lines(source), ["ready", "effect 0"])
        time.sleep(0.5)
        self.assertEqual(self.lines(target), ["ready"])

    def test_items_dragged_to_another_list_are_never_lost_from_both(self):
        source, target = self.start_pair("items")

        drag(SOURCE_POINT, TARGET_POINT)

        self.assertTrue(harness.wait_for(lambda: len(self.lines(target)) > 2, 10, 0.1),
                        self.lines(target))
        self.assertEqual(self.lines(target), ["ready", "item {A}", "item {B}"])
        # The source may remove only what the target reported as taken. Between two
        # processes Wine's data object does not carry the answer back, so there the items
        # are copied; inside one process the answer arrives (Windows-side tests).
        time.sleep(1)
        received = {line.split(" ", 1)[1] for line in self.lines(target)[1:]}
        taken = [line.split(" ", 1)[1] for line in self.lines(source)[1:]]
        self.assertTrue(set(taken) <= received, taken)


if __name__ == "__main__":
    harness.main()
