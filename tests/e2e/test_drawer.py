"""The drawer on a 1024 x 768 screen: sliding at the edge, its skin, and the tab strip."""

import time

import harness

OPEN = (0, 96, 510, 576)
COLLAPSED = (0, 96, 3, 576)
AWAY = (800, 600)       # a pointer position outside the drawer, open or not
IN_STRIP = (1, 300)     # inside the 3-pixel strip
INSIDE = (300, 300)     # inside the open drawer

# The tab strip in screen coordinates: client (44, 20)-(495, 556), client top at y = 96.
STRIP_LEFT, STRIP_TOP, STRIP_RIGHT, STRIP_BOTTOM = 44, 116, 495, 652
BAR_WIDTH = 39

BORDER = (136, 167, 211)
FRAME_GREY = (164, 164, 164)
SELECTED_FILL = (249, 253, 255)


def close_to(colour, expected, tolerance=12):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, expected))


def is_tab_fill(colour):
    """The fill of a tab, selected or not: light blue to nearly white, not the bar's."""
    r, g, b = colour
    return close_to(colour, SELECTED_FILL, 6) or (180 <= r <= 200 and 205 <= g <= 222 and b >= 225)


def is_text(colour):
    r, g, b = colour
    return (r < 110 and g < 110 and b < 110) or (r > 200 and g < 150 and b < 100)


class Tab:
    def __init__(self, bottom, top, selected, text_rows):
        self.bottom, self.top, self.selected, self.text_rows = bottom, top, selected, text_rows

    def centre(self):
        return STRIP_LEFT + BAR_WIDTH - 12, (self.top + self.bottom) // 2


def drawn_tabs(shot):
    """The tabs as drawn, bottom first: found along a column inside every tab, with the
    length of each name's lettering to tell them apart."""
    column = STRIP_LEFT + BAR_WIDTH - 3
    tabs, y = [], STRIP_BOTTOM - 1
    while y > STRIP_TOP:
        if not is_tab_fill(shot.pixel(column, y)):
            y -= 1
            continue
        bottom = y
        while y > STRIP_TOP and (is_tab_fill(shot.pixel(column, y)) or shot.pixel(column, y) == BORDER):
            y -= 1
        top = y
        if bottom - top < 20:
            continue
        selected = close_to(shot.pixel(column, (top + bottom) // 2), SELECTED_FILL, 6)
        rows = [row for row in range(top, bottom)
                if any(is_text(shot.pixel(x, row)) for x in range(STRIP_LEFT + 8, STRIP_LEFT + BAR_WIDTH - 4))]
        tabs.append(Tab(bottom, top, selected, (max(rows) - min(rows)) if rows else 0))
    return tabs


class DrawerTest(harness.DrawerTestCase):
    def start_with(self, debug_output=False, **store):
        self.program.write("info_data.xml", harness.store_xml(**store))
        harness.move_pointer(*AWAY)
        self.program.start(debug_output=debug_output)
        return self.program.wait_for_drawer()

    def wait_geometry(self, drawer, expected, timeout):
        """Seconds until the drawer has that geometry, or None."""
        started = time.monotonic()
        if harness.wait_for(lambda: harness.geometry(drawer) == expected, timeout, interval=0.005):
            return time.monotonic() - started
        return None

    def open_drawer(self, drawer):
        harness.move_pointer(*IN_STRIP)
        self.assertIsNotNone(self.wait_geometry(drawer, OPEN, 3), "the drawer did not open")
        harness.move_pointer(*INSIDE)
        time.sleep(0.3)
        self.assertEqual(harness.geometry(drawer), OPEN)


class SlidingTest(DrawerTest):
    def test_resting_in_the_strip_opens_and_leaving_collapses(self):
        drawer = self.start_with(tables=[("Common", [])], animate=False, tick_count=450)
        took = self.wait_geometry(drawer, COLLAPSED, 0.15)
        self.assertIsNotNone(took, "not collapsed within 150 ms of being shown")

        harness.move_pointer(*IN_STRIP)
        rested = time.monotonic()
        time.sleep(0.3 - (time.monotonic() - rested))
        self.assertEqual(harness.geometry(drawer), COLLAPSED, "opened before 300 ms")
        opened = self.wait_geometry(drawer, OPEN, 0.7 - (time.monotonic() - rested))
        self.assertIsNotNone(opened, "not open 700 ms after the pointer came to rest")
        print("opened %.0f ms after the pointer came to rest" % ((time.monotonic() - rested) * 1000))

        harness.move_pointer(*AWAY)
        took = self.wait_geometry(drawer, COLLAPSED, 0.15)
        self.assertIsNotNone(took, "not collapsed within 150 ms of the pointer leaving")

    def test_one_poll_outside_restarts_the_count(self):
        drawer = self.start_with(tables=[("Common", [])], animate=False, tick_count=450)
        self.assertIsNotNone(self.wait_geometry(drawer, COLLAPSED, 1))

        harness.move_pointer(*IN_STRIP)
        time.sleep(0.3)
        harness.move_pointer(200, 300)  # out of the strip for a couple of polls
        time.sleep(0.12)
        harness.move_pointer(*IN_STRIP)
        back = time.monotonic()
        # Without the restart it would open 500 ms after the first rest: 80 ms from now.
        time.sleep(0.3)
        self.assertEqual(harness.geometry(drawer), COLLAPSED, "the count was not restarted")
        self.assertIsNotNone(self.wait_geometry(drawer, OPEN, 0.7 - (time.monotonic() - back)))

    def test_start_up_animation_slides_off_in_steps_of_ten(self):
        drawer = self.start_with(tables=[("Common", [])], animate=True, tick_count=450)
        started = time.monotonic()
        lefts, last_open = [], None
        while time.monotonic() - started < 6:
            geometry = harness.geometry(drawer)
            if geometry == COLLAPSED:
                break
            if geometry and geometry[2:] == OPEN[2:]:
                if not lefts or lefts[-1] != geometry[0]:
                    lefts.append(geometry[0])
                last_open = time.monotonic()
            # Sparse sampling: a busy watcher on two cores would slow the animation itself.
            time.sleep(0.03)
        self.assertEqual(harness.geometry(drawer), COLLAPSED, "did not end collapsed at x = 0")
        self.assertTrue(all(left % 10 == 0 for left in lefts), lefts)
        self.assertEqual(lefts, sorted(lefts, reverse=True), lefts)
        # The last slide (left -500) shows for one 20 ms tick before the strip: sampled
        # every 30 ms, the last position seen may be a step or two before it.
        self.assertLessEqual(lefts[-1], -480, lefts)
        self.assertGreaterEqual(len(lefts), 10, "too few distinct steps seen: %s" % lefts)
        duration = last_open - started
        print("slid off in %.2f s, %d distinct positions seen" % (duration, len(lefts)))
        self.assertTrue(0.6 <= duration <= 2.5, duration)

    def test_a_pointer_resting_at_the_edge_through_the_animation_opens_after_the_delay(self):
        # The user waits at the edge while the drawer slides away: it must end as the
        # strip, not as a sliver that never opens, and then open like any rest at the edge.
        self.program.write("info_data.xml",
                           harness.store_xml(tables=[("Common", [])], animate=True, tick_count=450))
        harness.move_pointer(*IN_STRIP)
        self.program.start()
        drawer = self.program.wait_for_drawer()
        self.assertIsNotNone(self.wait_geometry(drawer, COLLAPSED, 6),
                             "the animation did not end as the strip: %s" % (harness.geometry(drawer),))
        collapsed = time.monotonic()
        # The delay (450 ms) counts from the end of the animation, not from the start.
        time.sleep(0.15)
        self.assertEqual(harness.geometry(drawer), COLLAPSED, "opened before the delay")
        self.assertIsNotNone(self.wait_geometry(drawer, OPEN, 2 - (time.monotonic() - collapsed)),
                             "not open after the delay: %s" % (harness.geometry(drawer),))
        print("opened %.0f ms after the animation ended" % ((time.monotonic() - collapsed) * 1000))

        harness.move_pointer(*AWAY)
        self.assertIsNotNone(self.wait_geometry(drawer, COLLAPSED, 0.5))


class SkinTest(DrawerTest):
    def test_open_drawer_shows_border_background_frame_and_one_tab_per_table(self):
        drawer = self.start_with(tables=[("Common", []), ("WebSites", []), ("Tools", [])],
                                 animate=False)
        self.open_drawer(drawer)
        shot = harness.Screenshot("drawer_open")

        # The round-rect region leaves out the last column and row (509 x 575 shown), so
        # the 2-pixel lines at the right and bottom show one pixel each.
        for x, y in ((0, 400), (508, 400), (250, 670), (250, 96)):
            self.assertEqual(shot.pixel(x, y), BORDER, "border at (%d, %d)" % (x, y))

        left, middle, right = (shot.pixel(x, 104) for x in (6, 250, 500))
        for colour in (left, middle, right):
            r, g, b = colour
            self.assertTrue(b > g > r and b >= 230, colour)
        self.assertLess(sum(middle), sum(left), "the gradient is darkest in the middle")
        self.assertLess(sum(middle), sum(right))

        for x, y in ((300, STRIP_TOP - 1), (STRIP_RIGHT, 300), (300, STRIP_BOTTOM), (STRIP_LEFT + 200, STRIP_BOTTOM)):
            self.assertEqual(shot.pixel(x, y), FRAME_GREY, "frame at (%d, %d)" % (x, y))

        tabs = drawn_tabs(shot)
        self.assertEqual(len(tabs), 3, shot.path)
        self.assertEqual([tab.selected for tab in tabs], [True, False, False], shot.path)
        self.assertTrue(all(tab.text_rows > 10 for tab in tabs), "a tab without its name")


class TabStripTest(DrawerTest):
    NAMES = ["t" * (k + 1) for k in range(12)]  # lengths tell the tabs apart on screen

    def test_scroll_buttons_and_clicks_select_tabs(self):
        drawer = self.start_with(tables=[(name, []) for name in self.NAMES], animate=False,
                                 debug_output=True)
        self.open_drawer(drawer)
        before = drawn_tabs(harness.Screenshot("tabs_initial"))
        self.assertGreaterEqual(len(before), 3)
        self.assertLess(len(before), 12, "all twelve fit: nothing to scroll")
        self.assertTrue(before[0].selected)
        lengths = [tab.text_rows for tab in before]
        self.assertEqual(lengths, sorted(lengths), "tabs are not stacked in table order")

        next_button = (STRIP_LEFT + 26, STRIP_TOP + 12)
        prev_button = (STRIP_LEFT + 26, STRIP_TOP + 29)

        harness.click(*next_button)
        harness.move_pointer(*INSIDE)
        time.sleep(0.3)
        after_next = drawn_tabs(harness.Screenshot("tabs_after_next"))
        self.assertEqual(after_next[0].text_rows, before[1].text_rows, "Next did not scroll by one")
        self.assertTrue(after_next[0].selected, "the selection did not move with the view")
        self.assertEqual(len(after_next), len(before))

        harness.click(*prev_button)
        harness.move_pointer(*INSIDE)
        time.sleep(0.3)
        after_prev = drawn_tabs(harness.Screenshot("tabs_after_prev"))
        self.assertEqual(after_prev[0].text_rows, before[0].text_rows, "Prev did not scroll back")
        self.assertTrue(after_prev[0].selected)

        harness.click(*after_prev[2].centre())
        harness.move_pointer(*INSIDE)
        time.sleep(0.3)
        clicked = drawn_tabs(harness.Screenshot("tabs_after_click"))
        self.assertEqual([tab.selected for tab in clicked][:3], [False, False, True])

        traces = self.program.debug_output()
        self.assertIn("next m_CurStartTab 0\n", traces)
        self.assertIn("Prev m_CurStartTab 1\n", traces)

    def test_with_hover_select_pointing_at_a_tab_selects_it(self):
        drawer = self.start_with(tables=[(name, []) for name in self.NAMES[:4]], animate=False,
                                 hover_select=True)
        self.open_drawer(drawer)
        tabs = drawn_tabs(harness.Screenshot("hover_before"))
        self.assertEqual([tab.selected for tab in tabs], [True, False, False, False])

        harness.move_pointer(*tabs[2].centre())
        time.sleep(0.3)
        hovered = drawn_tabs(harness.Screenshot("hover_after"))
        self.assertEqual([tab.selected for tab in hovered], [False, False, True, False])


if __name__ == "__main__":
    harness.main()
