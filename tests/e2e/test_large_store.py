"""A power user's store of 10,000 items in 100 tables: the drawer opened the moment the
program shows it has the first table listed whole, each entry with its own icon."""

import os
import time

import drive
import harness

TABLES, ITEMS_PER_TABLE = 100, 100
LIST_AREA = (44, 116, 495, 652)  # the list's screen rectangle in the open drawer


def system_files():
    """The system folder's programs, then its libraries: the first table gets the programs,
    whose icons differ."""
    names = os.listdir(harness.wine_prefix_path("windows", "system32"))
    return ([name for name in sorted(names) if name.lower().endswith(".exe")] +
            [name for name in sorted(names) if name.lower().endswith(".dll")])


def large_store():
    """Items that exist in the prefix: the system folder's programs and libraries (each with
    an icon to read out of its file), folders and special folders."""
    files = system_files()
    folders = ["C:\\windows", "C:\\windows\\system32", "C:\\users", "C:\\ProgramData"]
    tables, n = [], 0
    for t in range(TABLES):
        items = []
        for _ in range(ITEMS_PER_TABLE):
            n += 1
            entry = {"id": "{%08X-0000-4000-8000-%012X}" % (t, n), "name": "Item %05d" % n}
            if n % 20 == 0:
                entry.update(path=str((0, 5, 17)[n % 3]), special=True)
            elif n % 20 == 1:
                entry.update(path=folders[n % len(folders)])
            else:
                entry.update(path="C:\\windows\\system32\\" + files[n % len(files)])
            items.append(entry)
        tables.append(("Table %03d" % t, items))
    return harness.store_xml(tables, tick_count=0)


def icon_drawn(shot, entry):
    x, y = entry["centre"]
    colours = {shot.pixel(x + dx, y + dy) for dx in range(-12, 13) for dy in range(-12, 13)}
    return len(colours) >= 4


def in_list_area(entry):
    left, top, right, bottom = LIST_AREA
    x, y = entry["centre"]
    return left + 16 <= x <= right - 16 and top + 16 <= y <= bottom - 16


class LargeStoreTest(drive.CommandsTestCase):
    def test_opened_right_after_start_the_first_table_is_listed_with_its_icons(self):
        started = time.monotonic()
        self.start([], store=large_store())
        print("open %.1f s after the start" % (time.monotonic() - started))

        entries = harness.list_items()
        self.assertEqual([entry["label"] for entry in entries],
                         ["Item %05d" % n for n in range(1, ITEMS_PER_TABLE + 1)])
        shown = [entry for entry in entries if in_list_area(entry)]
        self.assertGreater(len(shown), 20, "too few entries in sight")

        # Icons come from a worker; once they are in, every entry in sight has its own.
        deadline = time.monotonic() + 10
        while True:
            shot = harness.Screenshot("large_store_first_table")
            missing = [entry["label"] for entry in shown if not icon_drawn(shot, entry)]
            if not missing or time.monotonic() > deadline:
                break
            time.sleep(0.2)
        self.assertEqual(missing, [], shot.path)
        self.assertEqual(harness.geometry(self.drawer), drive.OPEN)


if __name__ == "__main__":
    harness.main()
