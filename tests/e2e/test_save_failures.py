"""A store the program cannot write or read: read-only, held by another program, on a
full disk. The user is told why, in words, the drawer shows what the file holds, and no
file is left half made."""

import os
import shutil
import subprocess
import tempfile
import time

import drive
import harness
from drive import LIST_EMPTY

COMPUTER_ITEM = dict(path="17", name="My Computer", id="{00000000-0000-0000-0000-000000000017}",
                     special=True)
# The drawer menu of a table that has My Computer already.
MENU = [entry for entry in drive.DRAWER_MENU if entry != "Add My Computer"]


class ReadOnlyStoreTest(drive.CommandsTestCase):
    @classmethod
    def setUpClass(cls):
        drive.unmanaged_windows(cls)

    def test_a_change_to_a_read_only_store_is_told_and_not_shown(self):
        self.start([("Common", [COMPUTER_ITEM])])
        self.assertEqual(self.labels(), ["My Computer"])
        os.chmod(self.program.path("info_data.xml"), 0o444)
        before = self.store()

        drive.menu_command(LIST_EMPTY, "Add Desktop", MENU)
        texts = drive.message_box("Zarkit")
        self.assertIsNotNone(texts, "no message about the change that was not saved")
        text = " ".join(texts)
        self.assertIn("info_data.xml", text)
        self.assertIn("The file is read-only.", text)
        harness.Screenshot("read_only_store_message")
        drive.close("Zarkit", "OK")
        self.assertEqual(self.labels(), ["My Computer"])
        self.assertEqual(self.store(), before)

        # Deleting an item the file keeps leaves it in the list too.
        entry = harness.list_items()[0]
        harness.click(*entry["centre"])
        harness.xdotool("key", "Delete")
        self.assertIsNotNone(drive.message_box("Zarkit"), "no message about the delete")
        drive.close("Zarkit", "OK")
        self.assertEqual(self.labels(), ["My Computer"])
        self.assertEqual(self.store(), before)

        # Writable again, the same command goes through.
        os.chmod(self.program.path("info_data.xml"), 0o644)
        drive.menu_command(LIST_EMPTY, "Add Desktop", MENU)
        self.assertTrue(harness.wait_for(lambda: len(self.labels()) == 2, 5), self.labels())
        self.assertIn(b">0</Table_Item>", self.store())


class StartTestCase(harness.DrawerTestCase):
    def error_box(self):
        for window in harness.probe_windows():
            if window["class"] == "#32770" and window["title"] == "Zarkit":
                return window
        return None

    def hold(self, name, seconds):
        """Another program holding the file, sharing it with nobody, for `seconds`."""
        holder = subprocess.Popen([harness.WINE, harness.PROBE, "hold",
                                   harness.windows_path(self.program.path(name)),
                                   str(int(seconds * 1000))],
                                  env=harness.wine_env(), stdout=subprocess.PIPE,
                                  stderr=subprocess.DEVNULL, text=True)
        self.addCleanup(self.end, holder)
        self.assertEqual(holder.stdout.readline().strip(), "holding")
        return holder

    @staticmethod
    def end(process):
        if process.poll() is None:
            process.kill()
        process.wait()
        process.stdout.close()


class StoreAtStartTest(StartTestCase):
    def test_a_store_held_by_another_program_is_in_use_and_can_be_tried_again(self):
        store = harness.store_xml([("Common", []), ("Work", [])])
        self.program.write("info_data.xml", store)
        self.program.write("info_data.xml.bak", harness.store_xml([("Older", [])]))
        holder = self.hold("info_data.xml", 60)
        process = self.program.start()
        box = harness.wait_for(self.error_box, 20, interval=0.2)
        self.assertIsNotNone(box, "no message about the store in use")
        text = " ".join(box["texts"])
        self.assertIn("in use by another program", text)
        self.assertNotIn("backup", text)  # nothing is damaged
        self.assertIn("&Retry", box["texts"])
        harness.Screenshot("store_in_use")

        holder.kill()
        holder.wait()
        time.sleep(0.5)
        self.assertEqual(harness.probe("press", "Zarkit", "Retry").returncode, 0)
        self.program.wait_for_drawer()
        self.assertIsNone(process.poll())
        self.assertEqual(self.program.read("info_data.xml", "rb"), store)
        self.assertFalse(os.path.exists(self.program.path("info_data.xml.damaged")))

    def test_cancel_while_the_store_is_in_use_ends_the_program_and_changes_nothing(self):
        store = harness.store_xml([("Common", [])])
        self.program.write("info_data.xml", store)
        self.hold("info_data.xml", 60)
        process = self.program.start()
        self.assertIsNotNone(harness.wait_for(self.error_box, 20, interval=0.2))
        self.assertEqual(harness.probe("press", "Zarkit", "Cancel").returncode, 0)
        self.assertNotEqual(process.wait(timeout=10), 0)
        self.assertEqual(self.program.read("info_data.xml", "rb"), store)


class FullDiskTest(StartTestCase):
    """The program's folder on a small disk of its own, filled up after the program."""

    def setUp(self):
        self.mount = tempfile.mkdtemp(prefix="zarkit-full-")
        size = os.path.getsize(harness.EXE) + 64 * 1024
        result = subprocess.run(["mount", "-t", "tmpfs", "-o", "size=%d" % size, "tmpfs",
                                 self.mount], capture_output=True, text=True)
        if result.returncode != 0:
            os.rmdir(self.mount)
            self.skipTest("no small disk can be mounted here: %s" % result.stderr.strip())
        self.program = harness.Program(self.mount)
        try:
            with open(os.path.join(self.mount, "filler"), "wb") as filler:
                while True:
                    filler.write(b"\0" * 4096)
                    filler.flush()
        except OSError:
            pass  # full

    def tearDown(self):
        self.program.stop()
        subprocess.run(["umount", "-l", self.mount], capture_output=True)
        shutil.rmtree(self.mount, ignore_errors=True)

    def test_a_first_start_on_a_full_disk_says_so_and_leaves_no_empty_files(self):
        process = self.program.start()
        box = harness.wait_for(self.error_box, 30, interval=0.2)
        self.assertIsNotNone(box, "no message about the full disk")
        text = " ".join(box["texts"])
        self.assertIn("The disk is full.", text)
        self.assertIn("info_data.xml", text)
        self.assertNotIn("not found", text.lower())
        harness.probe("press", "Zarkit", "OK")
        self.assertNotEqual(process.wait(timeout=10), 0)
        left = sorted(name for name in os.listdir(self.mount)
                      if name not in ("zarkit.exe", "filler", "wine-output.log"))
        self.assertEqual(left, [])


if __name__ == "__main__":
    harness.main()
