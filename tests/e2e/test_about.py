"""The About dialog from the drawer menu: its texts, its two links, and the mail link
starting the program registered for mail."""

import time

import drive
import harness
from drive import LIST_EMPTY

MAIL_COMMAND_KEY = "HKCR\\mailto\\shell\\open\\command"


def registered_default(key):
    """The default value of a registry key, or None."""
    result = harness.reg("query", key, "/ve", check=False)
    for line in result.stdout.splitlines():
        if "REG_SZ" in line:
            return line.split("REG_SZ", 1)[1].strip()
    return None


def set_default(key, value):
    harness.reg("add", key, "/ve", "/d", value, "/f")


def underlined_rows(shot, rect):
    """Rows of the rectangle that are mostly dark: what an underline adds to a line of text."""
    left, top, right, bottom = rect
    rows = 0
    for y in range(top, bottom):
        dark = sum(1 for x in range(left, right) if sum(shot.pixel(x, y)) < 3 * 128)
        if dark >= 0.6 * (right - left):
            rows += 1
    return rows


class AboutTest(drive.CommandsTestCase):
    def use_marker_for_mail(self):
        """The launch marker as the mail program of the test prefix, until the test ends."""
        original = registered_default(MAIL_COMMAND_KEY)
        if original is None:
            self.addCleanup(harness.reg, "delete", "HKCR\\mailto", "/f", check=False)
        else:
            self.addCleanup(set_default, MAIL_COMMAND_KEY, original)
        set_default(MAIL_COMMAND_KEY, '"%s" "%%1"' % harness.windows_path(harness.LAUNCH_MARKER))

    def test_about_shows_version_links_and_notice_and_the_mail_link_starts_a_message(self):
        self.use_marker_for_mail()
        self.start([("One", [])])

        drive.menu_command(LIST_EMPTY, "About Zarkit")
        self.dialog("About Zarkit", "dialog_about")
        fields = drive.controls("About Zarkit")
        self.assertEqual(fields[1012]["text"], "VELMOR Zarkit Version 1.0.2.1001")
        self.assertEqual(fields[1014]["text"], "http://www.velmorsoft.com/")
        self.assertEqual(fields[1015]["text"], "support@velmorsoft.com")
        texts = drive.texts("About Zarkit")
        for text in ("Copyright (C) 2026 VELMOR Soft", "All rights reserved.", "Home Page:",
                     "Support Email:"):
            self.assertIn(text, texts)

        # Hovering underlines the link; moving off takes the line away again.
        link = fields[1015]["rect"]
        plain = underlined_rows(harness.Screenshot("about_link_plain"), link)
        harness.move_pointer(*drive.centre(link))
        time.sleep(0.4)
        hovered = underlined_rows(harness.Screenshot("about_link_hovered"), link)
        self.assertGreater(hovered, plain, "hovering did not underline the link")
        harness.move_pointer(link[0] - 40, link[3] + 30)
        time.sleep(0.4)
        self.assertEqual(underlined_rows(harness.Screenshot("about_link_left"), link), plain)

        harness.click(*drive.centre(link))
        launches = harness.wait_for(self.program.launches, 10, interval=0.1)
        self.assertTrue(launches, "the mail link started nothing")
        self.assertEqual(launches[0]["args"], ["mailto: support@velmorsoft.com?subject=Ask for help"])
        drive.close("About Zarkit", "OK")


if __name__ == "__main__":
    harness.main()
