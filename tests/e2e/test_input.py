"""What comes in and what is started: web addresses typed into the Add Items dialog or
dropped as text reach the browser as exactly one argument each, a folder given with a
backslash at its end is labelled, a web address is refused with a word, and a path of 300
characters is listed and started."""

import os
import string

import drive
import harness
from drive import LIST_EMPTY
from test_commands import tables_of
from test_drop import HELPER, IN_LIST, drag, drag_source, read_text

# Typed into the dialog: what an edit field takes.
TYPED = [
    'http://example.com/ --gpu-launcher="C:\\Windows\\System32\\calc.exe"',
    'http://example.com/a"b --incognito',
    "http://example.com/dir\\",
    'http://example.com/x\\" --no-sandbox "y',
]
# Dropped as text, as from a web page: what no edit field takes.
DROPPED = [
    "http://example.com/a\t--gpu-launcher=calc.exe",
    "http://example.com/b\r\n--utility-cmd-prefix=calc.exe",
    "  https://example.com/%41%zz/caf\u00e9 \u2603\\  ",
]


def encoded(address):
    """The address as the browser is to receive it: trimmed, with white space, control
    characters, quotes and a '%' that starts no escape percent-encoded."""
    data = address.strip(" \t\r\n\v\f").encode("utf-8")
    out = bytearray()
    for i, byte in enumerate(data):
        follows = data[i + 1:i + 3].decode("ascii", "replace")
        escape = len(follows) == 2 and all(c in string.hexdigits for c in follows)
        if byte <= 0x20 or byte in (0x22, 0x7F) or (byte == 0x25 and not escape):
            out += b"%%%02X" % byte
        else:
            out.append(byte)
    return out.decode("utf-8")


def shown(label):
    """A label as the probe prints it."""
    return label.replace("\r", " ").replace("\n", " ")


def double_click(point):
    """A click first: after a drag from another program the first click only brings the
    drawer's list back to the front."""
    harness.click(*point)
    drive.idle()
    drive.settle(0.3)
    x, y = point
    harness.xdotool("mousemove", x, y, "click", "--repeat", "2", "--delay", "80", "1")


class WebAddressTest(drive.CommandsTestCase):
    @classmethod
    def setUpClass(cls):
        harness.register_browser()

    def add_web_site(self, address):
        drive.menu_command(LIST_EMPTY, "Add WebSite")
        self.dialog("Add Items")
        drive.type_into("Add Items", 1003, address)
        drive.close("Add Items", "OK")

    def drop_texts(self, texts):
        source = self.program.path("drag.txt")
        result = self.program.path("helper.txt")
        with drag_source("text", result, source):
            for number, text in enumerate(texts, 1):
                with open(source, "w", encoding="utf-8", newline="") as f:
                    f.write(text)
                # Over the strip the drawer opens as it would without a drag.
                drag([HELPER, drive.IN_STRIP, IN_LIST], rest_at={1: 2.0})
                self.assertTrue(harness.wait_for(
                    lambda: read_text(result).count("effect 1") == number, 10, 0.1),
                    "drop %d of %r was not taken: %r" % (number, text, read_text(result)))

    def test_hostile_addresses_reach_the_browser_as_one_argument_each(self):
        self.start([("Web", [])])
        for address in TYPED:
            self.add_web_site(address)
        self.drop_texts(DROPPED)

        stored = tables_of(self.store())[0][1]
        self.assertEqual(len(stored), len(TYPED) + len(DROPPED))
        # The file keeps what was typed.
        self.assertEqual([item["Start_Params"] for item in stored[:len(TYPED)]], TYPED)
        for item in stored:
            self.assertTrue(item["path"].lower().endswith("launch_marker.exe"), item)

        expected = {shown(address): encoded(address) for address in TYPED + DROPPED}
        entries = harness.list_items()
        self.assertEqual(sorted(entry["label"] for entry in entries), sorted(expected))
        for number, entry in enumerate(entries, 1):
            double_click(entry["centre"])
            launches = harness.wait_for(lambda: len(self.program.launches()) >= number and
                                        self.program.launches(), 10, 0.1)
            if not launches:
                shot = harness.Screenshot("input_not_started")
                self.fail("%r was not started (%s)" % (entry["label"], shot.path))
            self.assertEqual(launches[-1]["args"], [expected[entry["label"]]], entry["label"])
        self.assertEqual(len(self.program.launches()), len(entries))

    def test_text_that_is_no_web_address_is_refused_with_a_word(self):
        self.start([("Web", [])])
        drive.menu_command(LIST_EMPTY, "Add WebSite")
        self.dialog("Add Items")
        drive.type_into("Add Items", 1003, "ftp://example.com/")
        drive.press("Add Items", "OK")
        self.assert_box("Zarkit", '"ftp://example.com/" is not a web address. A web address '
                        "begins with http:// or https:// and a host name, such as "
                        "https://www.example.com/.")
        drive.idle()
        self.assertEqual(tables_of(self.store()), [("Web", [])])


class PathInputTest(drive.CommandsTestCase):
    def test_a_folder_given_with_a_backslash_at_its_end_is_labelled_by_its_name(self):
        self.start([("Paths", [])])
        drive.menu_command(LIST_EMPTY, "Add Path")
        self.dialog("Add Items")
        drive.type_into("Add Items", 1006, "C:\\windows\\")
        drive.close("Add Items", "OK")
        [(_, [added])] = tables_of(self.store())
        self.assertEqual((added["path"], added["Nick_Name"]), ("C:\\windows\\", "windows"))
        self.assertEqual(self.labels(), ["windows"])

    def test_a_path_of_300_characters_is_listed_and_started(self):
        # A page, which the shell opens with the launch marker as the browser: Wine starts
        # no program from a path this long, in any form.
        harness.register_browser()
        folder = self.program.path("long")
        # Wine shows this machine's / as Z:\, so the Windows path is two characters longer.
        while len(harness.windows_path(folder)) + 51 + 25 <= 300:
            folder = os.path.join(folder, "d" * 50)
        os.makedirs(folder)
        name_length = 300 - len(harness.windows_path(folder)) - 1 - len(".html")
        page = os.path.join(folder, "p" * name_length + ".html")
        with open(page, "w") as f:
            f.write("<html></html>")
        path = harness.windows_path(page)
        self.assertEqual(len(path), 300)

        self.start([("Long", [{"path": path, "name": "Long one",
                               "id": "{00000000-0000-0000-0000-000000000001}"}])])
        [entry] = harness.list_items()
        self.assertEqual(entry["label"], "Long one")
        double_click(entry["centre"])
        launches = harness.wait_for(self.program.launches, 10, 0.1)
        if not launches:
            shot = harness.Screenshot("input_long_not_started")
            self.fail("the item with the long path was not started (%s)" % shot.path)
        # The page in the short form of its path, which the shell gives for a long one.
        [opened] = launches[0]["args"]
        self.assertTrue(opened.upper().startswith("Z:\\TMP\\"), opened)
        self.assertTrue(opened.upper().endswith(".HTM"), opened)


if __name__ == "__main__":
    harness.main()
