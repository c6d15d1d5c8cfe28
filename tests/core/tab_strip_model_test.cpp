#include "core/tab_strip_model.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace zarkit {
namespace {

// The tab strip as the drawer places it on a 1024 x 768 screen: 451 x 536.
constexpr Rect kClient{0, 0, 451, 536};
// A name extent giving tabs 70 long.
constexpr TextExtent kName50{50, 16};

// A left-bar strip with `count` tabs of equal names, tab 0 selected, as after start-up.
TabStripModel StripWithTabs(int count, const Rect& client = kClient) {
    TabStripModel strip;
    strip.SetLayout(TabLayout::kLeftBar, client);
    for (int i = 0; i < count; ++i) {
        const int index = strip.AddTab(kName50);
        strip.Select(index);
    }
    strip.Select(0);
    return strip;
}

std::vector<int> DrawnTabs(TabStripModel& strip) {
    std::vector<int> drawn;
    for (const TabPlacement& tab : strip.PlaceTabs()) {
        drawn.push_back(strip.Tabs()[tab.position].index);
    }
    return drawn;
}

Point CentreOf(const Rect& rect) {
    return Point{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

TEST(TabStripLayout, LeftBarPlacesBarButtonsAndLists) {
    TabStripModel strip;
    EXPECT_EQ(strip.SetLayout(TabLayout::kLeftBar, kClient), (Rect{39, 0, 451, 536}));
    EXPECT_EQ(strip.Bar(), (Rect{0, 0, 39, 536}));
    EXPECT_EQ(strip.NextRect(), (Rect{18, 4, 35, 21}));
    EXPECT_EQ(strip.PrevRect(), (Rect{18, 21, 35, 38}));
    EXPECT_EQ(strip.ListArea(kClient), (Rect{39, 0, 451, 536}));
    EXPECT_EQ(strip.NewListRect(kClient), (Rect{39, 0, 451, 536}));
}

// At a right screen edge the strip is the mirror image: the bar at the right, next to the
// edge, the lists to its left, the tabs flush with the lists, the buttons 4 pixels in from
// the lists' side. Clicks and the paint use the same rectangles.
TEST(TabStripLayout, RightBarMirrorsTheLeftBar) {
    TabStripModel strip;
    EXPECT_EQ(strip.SetLayout(TabLayout::kRightBar, kClient), (Rect{0, 0, 412, 536}));
    EXPECT_EQ(strip.Bar(), (Rect{412, 0, 451, 536}));
    EXPECT_EQ(strip.NextRect(), (Rect{416, 4, 433, 21}));
    EXPECT_EQ(strip.PrevRect(), (Rect{416, 21, 433, 38}));
    EXPECT_EQ(strip.ListArea(kClient), (Rect{0, 0, 412, 536}));
    EXPECT_EQ(strip.NewListRect(kClient), (Rect{0, 0, 412, 536}));
    EXPECT_EQ(DrawerTabLayout(DockSide::kRight), TabLayout::kRightBar);
    EXPECT_EQ(DrawerTabLayout(DockSide::kLeft), TabLayout::kLeftBar);

    for (int i = 0; i < 3; ++i) {
        strip.Select(strip.AddTab(kName50));
    }
    strip.Select(0);
    const TabStripPaint paint = strip.Paint(kClient);
    EXPECT_TRUE(paint.bar_drawn);
    EXPECT_EQ(paint.bar, (Rect{412, 0, 451, 536}));
    EXPECT_EQ(paint.background, (Rect{0, 0, 412, 536}));
    ASSERT_EQ(paint.tabs.size(), 3u);
    // The same heights as on the left; the selected tab 3 pixels wider, towards the edge.
    EXPECT_EQ(paint.tabs[0].hit, (Rect{412, 460, 444, 535}));
    EXPECT_EQ(paint.tabs[0].middle, (Rect{412, 471, 444, 530}));
    EXPECT_EQ(paint.tabs[1].hit, (Rect{412, 389, 441, 463}));
    EXPECT_EQ(strip.LeftButtonDown(CentreOf(paint.tabs[2].hit)).picked, 2);
    EXPECT_EQ(strip.LeftButtonDown(CentreOf(strip.NextRect())).trace, "next m_CurStartTab 0\n");

    // Back to the left, everything is where it always was.
    EXPECT_EQ(strip.SetLayout(TabLayout::kLeftBar, kClient), (Rect{39, 0, 451, 536}));
    EXPECT_EQ(strip.NextRect(), (Rect{18, 4, 35, 21}));
}

TEST(TabStripLayout, TopBarIsProvisionalAndDrawsNoTabs) {
    TabStripModel strip;
    EXPECT_EQ(strip.SetLayout(TabLayout::kTopBar, kClient), std::nullopt);
    EXPECT_EQ(strip.Bar(), (Rect{0, 0, 451, 1}));
    EXPECT_EQ(strip.NewListRect(kClient), kClient);
    strip.AddTab(kName50);
    const TabStripPaint paint = strip.Paint(kClient);
    EXPECT_FALSE(paint.bar_drawn);
    EXPECT_TRUE(paint.tabs.empty());
    EXPECT_EQ(strip.Tabs()[0].hit, kNoHitRect);
}

TEST(TabStripPaint, WorkedExampleStacksTabsUpFromTheBottom) {
    TabStripModel strip = StripWithTabs(7);
    ASSERT_EQ(strip.TabLength(), 70);
    const std::vector<TabPlacement> placed = strip.PlaceTabs();
    ASSERT_EQ(placed.size(), 6u);
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(placed[k].position, static_cast<std::size_t>(k));
        EXPECT_EQ(placed[k].hit.bottom, 535 - 72 * k) << "tab " << k;
        EXPECT_EQ(strip.Tabs()[k].hit, placed[k].hit);
    }
    EXPECT_EQ(strip.Tabs()[6].hit, kNoHitRect);

    // The selected tab is wider and has taller caps; the pieces fill its length exactly.
    EXPECT_TRUE(placed[0].selected);
    EXPECT_EQ(placed[0].hit, (Rect{7, 460, 39, 535}));
    EXPECT_EQ(placed[0].bottom_cap, (Rect{7, 530, 39, 535}));
    EXPECT_EQ(placed[0].middle, (Rect{7, 471, 39, 530}));
    EXPECT_EQ(placed[0].top_cap, (Rect{7, 465, 39, 471}));
    EXPECT_FALSE(placed[1].selected);
    EXPECT_EQ(placed[1].hit, (Rect{10, 389, 39, 463}));
    EXPECT_EQ(placed[1].bottom_cap, (Rect{10, 459, 39, 463}));
    EXPECT_EQ(placed[1].middle, (Rect{10, 398, 39, 459}));
    EXPECT_EQ(placed[1].top_cap, (Rect{10, 393, 39, 398}));
}

TEST(TabStripPaint, ATabMustClearThePrevButtonByOnePixel) {
    // Bar bottom 110: v - L - 1 = 38, exactly Prev's bottom, still fits.
    TabStripModel fits = StripWithTabs(1, Rect{0, 0, 451, 110});
    EXPECT_EQ(DrawnTabs(fits), (std::vector<int>{0}));
    TabStripModel too_short = StripWithTabs(1, Rect{0, 0, 451, 109});
    EXPECT_EQ(DrawnTabs(too_short), (std::vector<int>{}));
    EXPECT_EQ(too_short.Tabs()[0].hit, kNoHitRect);
}

TEST(TabStripPaint, PaintDrawsBarButtonsFramesAndBackground) {
    TabStripModel strip = StripWithTabs(2);
    strip.LeftButtonDown(Point{20, 10});  // press Next
    const TabStripPaint paint = strip.Paint(kClient);
    EXPECT_EQ(paint.background, (Rect{39, 0, 490, 536}));
    EXPECT_TRUE(paint.bar_drawn);
    EXPECT_EQ(paint.bar, (Rect{0, 0, 39, 536}));
    EXPECT_EQ(paint.next_button, strip.NextRect());
    EXPECT_EQ(paint.next_frame_y, 0);
    EXPECT_EQ(paint.prev_button, strip.PrevRect());
    EXPECT_EQ(paint.prev_frame_y, 34);
    EXPECT_EQ(TabStripModel::ButtonFrameY(ButtonState::kHot), 17);
}

TEST(TabStripPaint, TextIsCentredInTheHitRectangleWithTruncation) {
    // 32 x 75 rectangle, text 50 along and 16 across: (32-16)/2 = 8, (75-50)/2 = 12.
    EXPECT_EQ(TabStripModel::TabTextOrigin(Rect{7, 460, 39, 535}, 50, 16), (Point{15, 522}));
    // A name longer than the tab starts below the middle by half the excess.
    EXPECT_EQ(TabStripModel::TabTextOrigin(Rect{7, 460, 39, 535}, 80, 16), (Point{15, 538}));
}

TEST(TabStripWidth, WidestNameLengthensEveryTabUntilMeasuredAgain) {
    TabStripModel strip;
    strip.SetLayout(TabLayout::kLeftBar, kClient);
    strip.AddTab(TextExtent{40, 16});
    strip.AddTab(TextExtent{30, 16});
    EXPECT_EQ(strip.TabLength(), 60);
    strip.AddTab(TextExtent{120, 18});
    EXPECT_EQ(strip.TabLength(), 140);
    EXPECT_EQ(strip.WidestTextHeight(), 18);
    for (const TabPlacement& tab : strip.PlaceTabs()) {
        EXPECT_EQ(tab.hit.Height(), 140 + (tab.selected ? 5 : 4));
    }

    ASSERT_TRUE(strip.EraseTab(2));
    EXPECT_EQ(strip.TabLength(), 140);
    const std::vector<TextExtent> extents{{40, 16}, {30, 15}};
    strip.MeasureTabs(extents);
    EXPECT_EQ(strip.TabLength(), 60);
    EXPECT_EQ(strip.WidestTextHeight(), 16);
    strip.MeasureTabs({});
    EXPECT_EQ(strip.TabLength(), 20);
    EXPECT_EQ(strip.WidestTextHeight(), 0);
}

TEST(TabStripSelect, UnknownIndexKeepsTheSelection) {
    TabStripModel strip = StripWithTabs(3);
    EXPECT_TRUE(strip.Select(2));
    EXPECT_FALSE(strip.Select(3));
    EXPECT_FALSE(strip.Select(-1));
    EXPECT_EQ(strip.Selected(), 2);
    EXPECT_EQ(strip.SelectedPosition(), 2u);
    EXPECT_EQ(TabStripModel().Selected(), -1);
}

TEST(TabStripRenumber, ErasingTheSelectedTabOrOneBeforeItSelectsTheFirst) {
    TabStripModel erased_selected = StripWithTabs(4);
    erased_selected.Select(2);
    erased_selected.EraseTab(2);
    EXPECT_EQ(erased_selected.RenumberTabs(), RenumberAction::kSelectFirst);
    EXPECT_EQ(erased_selected.Selected(), 0);

    TabStripModel erased_before = StripWithTabs(4);
    erased_before.Select(2);
    erased_before.EraseTab(0);
    EXPECT_EQ(erased_before.RenumberTabs(), RenumberAction::kSelectFirst);
    EXPECT_EQ(erased_before.Selected(), 0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(erased_before.Tabs()[i].index, i);
    }
    // Already renumbered: the next paint changes nothing.
    EXPECT_EQ(erased_before.RenumberTabs(), RenumberAction::kNone);
}

TEST(TabStripRenumber, ErasingATabAfterTheSelectedOneKeepsTheSelection) {
    TabStripModel strip = StripWithTabs(4);
    strip.Select(1);
    strip.EraseTab(2);
    EXPECT_EQ(strip.RenumberTabs(), RenumberAction::kNone);
    EXPECT_EQ(strip.Selected(), 1);
    EXPECT_EQ(strip.Tabs()[2].index, 2);
}

TEST(TabStripRenumber, ErasingTheSelectedLastTabLeavesNothingSelected) {
    TabStripModel strip = StripWithTabs(3);
    strip.Select(2);
    strip.EraseTab(2);
    EXPECT_EQ(strip.RenumberTabs(), RenumberAction::kNone);
    EXPECT_EQ(strip.Selected(), 2);
    EXPECT_EQ(strip.SelectedPosition(), std::nullopt);
    for (const TabPlacement& tab : strip.PlaceTabs()) {
        EXPECT_FALSE(tab.selected);
    }
}

TEST(TabStripRenumber, NoTabsAsksForAQuietEmptySelection) {
    TabStripModel strip = StripWithTabs(1);
    strip.EraseTab(0);
    EXPECT_EQ(strip.RenumberTabs(), RenumberAction::kSelectNoneQuietly);
    EXPECT_EQ(strip.Selected(), 0);
    EXPECT_EQ(TabStripModel().RenumberTabs(), RenumberAction::kSelectNoneQuietly);
}

TEST(TabStripRenumber, AddingAfterAnEraseNeverDuplicatesAnIndex) {
    TabStripModel strip = StripWithTabs(3);
    strip.EraseTab(1);  // no paint in between: indexes are still 0 and 2
    const int index = strip.AddTab(kName50);
    EXPECT_EQ(index, 2);
    EXPECT_EQ(strip.Tabs()[1].index, 1);
    EXPECT_TRUE(strip.Select(index));
    EXPECT_EQ(strip.SelectedPosition(), 2u);
    EXPECT_EQ(strip.RenumberTabs(), RenumberAction::kNone);
}

TEST(TabStripClick, PicksTheTabUnderThePointerUnlessAlreadySelected) {
    TabStripModel strip = StripWithTabs(3);
    strip.PlaceTabs();
    const PointerEffect on_selected = strip.LeftButtonDown(CentreOf(strip.Tabs()[0].hit));
    EXPECT_EQ(on_selected.picked, std::nullopt);
    EXPECT_EQ(on_selected.scroll_select, std::nullopt);
    EXPECT_TRUE(on_selected.trace.empty());
    EXPECT_EQ(on_selected.invalidate, (Rect{18, 4, 35, 38}));
    EXPECT_EQ(strip.Selected(), 0);

    const PointerEffect on_other = strip.LeftButtonDown(CentreOf(strip.Tabs()[2].hit));
    EXPECT_EQ(on_other.picked, 2);
    EXPECT_EQ(strip.Selected(), 2);

    EXPECT_EQ(strip.LeftButtonDown(Point{200, 200}).picked, std::nullopt);
}

TEST(TabStripClick, TabsOutOfViewCannotBeHit) {
    TabStripModel strip = StripWithTabs(8);
    strip.PlaceTabs();
    // Tab 6 would lie at 29..103; nothing is there.
    EXPECT_EQ(strip.LeftButtonDown(Point{20, 60}).picked, std::nullopt);

    strip.LeftButtonDown(CentreOf(strip.NextRect()));
    ASSERT_EQ(strip.CurStartTab(), 1);
    strip.PlaceTabs();
    EXPECT_EQ(strip.Tabs()[0].hit, kNoHitRect);
    EXPECT_EQ(strip.Tabs()[7].hit, kNoHitRect);
    // The lowest slot now holds tab 1 (selected by the scroll), the next one tab 2.
    EXPECT_EQ(strip.LeftButtonDown(Point{20, 500}).picked, std::nullopt);
    EXPECT_EQ(strip.LeftButtonDown(Point{20, 430}).picked, 2);
}

TEST(TabStripClick, TabUnderThePrevButtonIsPickedBeforeTheScroll) {
    // A bar just tall enough for one 70-long tab: its hit rectangle reaches into Prev.
    TabStripModel strip = StripWithTabs(3, Rect{0, 0, 451, 110});
    strip.LeftButtonDown(CentreOf(strip.NextRect()));
    strip.Select(2);
    strip.PlaceTabs();
    ASSERT_EQ(strip.Tabs()[1].hit, (Rect{10, 35, 39, 109}));

    const PointerEffect effect = strip.LeftButtonDown(Point{20, 36});
    EXPECT_EQ(effect.picked, 1);
    EXPECT_EQ(effect.trace, "Prev m_CurStartTab 1\n");
    EXPECT_EQ(effect.scroll_select, 0);
    EXPECT_EQ(strip.Selected(), 0);
    EXPECT_EQ(strip.CurStartTab(), 0);
}

TEST(TabStripScroll, ButtonsAtTheirLimitsOnlyShowThePressedFrame) {
    TabStripModel strip = StripWithTabs(3);
    const PointerEffect prev = strip.LeftButtonDown(CentreOf(strip.PrevRect()));
    EXPECT_EQ(prev, (PointerEffect{std::nullopt, "Prev m_CurStartTab 0\n", std::nullopt,
                                   Rect{18, 4, 35, 38}}));
    EXPECT_EQ(strip.PrevState(), ButtonState::kPressed);
    EXPECT_EQ(strip.NextState(), ButtonState::kNormal);

    strip.LeftButtonDown(CentreOf(strip.NextRect()));
    strip.LeftButtonDown(CentreOf(strip.NextRect()));
    ASSERT_EQ(strip.CurStartTab(), 2);
    ASSERT_EQ(strip.Selected(), 2);
    const PointerEffect next = strip.LeftButtonDown(CentreOf(strip.NextRect()));
    EXPECT_EQ(next.trace, "next m_CurStartTab 2\n");
    EXPECT_EQ(next.scroll_select, std::nullopt);
    EXPECT_EQ(strip.CurStartTab(), 2);
    EXPECT_EQ(strip.Selected(), 2);
    EXPECT_EQ(strip.NextState(), ButtonState::kPressed);
    EXPECT_EQ(strip.PrevState(), ButtonState::kNormal);

    TabStripModel empty = StripWithTabs(0);
    EXPECT_EQ(empty.LeftButtonDown(CentreOf(empty.NextRect())).scroll_select, std::nullopt);
    EXPECT_EQ(empty.CurStartTab(), 0);
}

TEST(TabStripScroll, TwelveTabsScrollWithTheSelection) {
    TabStripModel strip = StripWithTabs(12);
    EXPECT_EQ(DrawnTabs(strip), (std::vector<int>{0, 1, 2, 3, 4, 5}));

    for (int step = 1; step <= 6; ++step) {
        const PointerEffect effect = strip.LeftButtonDown(CentreOf(strip.NextRect()));
        EXPECT_EQ(effect.trace, "next m_CurStartTab " + std::to_string(step - 1) + "\n");
        EXPECT_EQ(effect.scroll_select, step);
    }
    EXPECT_EQ(strip.Selected(), 6);
    EXPECT_EQ(DrawnTabs(strip), (std::vector<int>{6, 7, 8, 9, 10, 11}));
    EXPECT_EQ(strip.PlaceTabs().front().selected, true);

    for (int step = 7; step <= 11; ++step) {
        strip.LeftButtonDown(CentreOf(strip.NextRect()));
    }
    EXPECT_EQ(strip.CurStartTab(), 11);
    EXPECT_EQ(strip.Selected(), 11);
    EXPECT_EQ(DrawnTabs(strip), (std::vector<int>{11}));

    for (int step = 1; step <= 3; ++step) {
        const PointerEffect effect = strip.LeftButtonDown(CentreOf(strip.PrevRect()));
        EXPECT_EQ(effect.trace, "Prev m_CurStartTab " + std::to_string(12 - step) + "\n");
        EXPECT_EQ(effect.scroll_select, 11 - step);
    }
    EXPECT_EQ(strip.Selected(), 8);
    EXPECT_EQ(DrawnTabs(strip), (std::vector<int>{8, 9, 10, 11}));
}

// Ctrl+Tab walking through twelve tabs: each chosen tab is drawn, the strip scrolling
// by as little as it must, and wrapping back to the first scrolls all the way down.
TEST(TabStripScroll, ATabChosenFromTheKeyboardIsScrolledIntoView) {
    TabStripModel strip = StripWithTabs(12);
    EXPECT_FALSE(strip.ScrollToShow(5));
    EXPECT_TRUE(strip.ScrollToShow(6));
    EXPECT_EQ(DrawnTabs(strip), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_TRUE(strip.ScrollToShow(11));
    EXPECT_EQ(DrawnTabs(strip), (std::vector<int>{6, 7, 8, 9, 10, 11}));
    EXPECT_FALSE(strip.ScrollToShow(8));
    EXPECT_TRUE(strip.ScrollToShow(0));
    EXPECT_EQ(DrawnTabs(strip), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_FALSE(strip.ScrollToShow(12));
    EXPECT_FALSE(strip.ScrollToShow(-1));

    // A strip too short for any tab still starts at the one chosen.
    TabStripModel tiny = StripWithTabs(3, Rect{0, 0, 451, 60});
    EXPECT_TRUE(tiny.ScrollToShow(2));
    EXPECT_EQ(tiny.CurStartTab(), 2);
}

// A table moved by the user: the selection stays with its tab, the indexes follow the
// positions at once (a paint's renumbering must not take the selection for a deleted
// tab's), and the moved tab is scrolled into view.
TEST(TabStripMove, TheSelectionStaysWithItsTabAndTheMovedTabIsShown) {
    TabStripModel strip = StripWithTabs(4);
    ASSERT_TRUE(strip.Select(2));
    EXPECT_TRUE(strip.MoveTab(2, 0));
    EXPECT_EQ(strip.Selected(), 0);
    EXPECT_EQ(strip.RenumberTabs(), RenumberAction::kNone);
    EXPECT_EQ(strip.SelectedPosition(), 0u);
    // The hit rectangles are where the tabs are now.
    EXPECT_EQ(strip.LeftButtonDown(CentreOf(strip.Tabs()[0].hit)).picked, std::nullopt);
    ASSERT_TRUE(strip.Select(3));
    EXPECT_TRUE(strip.MoveTab(0, 2));  // another tab, not past the selected one
    EXPECT_EQ(strip.Selected(), 3);
    EXPECT_TRUE(strip.MoveTab(3, 1));
    EXPECT_EQ(strip.Selected(), 1);
    EXPECT_TRUE(strip.MoveTab(0, 3));  // one from before it to after it
    EXPECT_EQ(strip.Selected(), 0);
    for (std::size_t i = 0; i < strip.Tabs().size(); ++i) {
        EXPECT_EQ(strip.Tabs()[i].index, static_cast<int>(i));
    }
    EXPECT_FALSE(strip.MoveTab(1, 1));
    EXPECT_FALSE(strip.MoveTab(4, 0));
    EXPECT_FALSE(strip.MoveTab(0, 4));

    TabStripModel twelve = StripWithTabs(12);
    EXPECT_TRUE(twelve.MoveTab(0, 11));
    EXPECT_EQ(twelve.Selected(), 11);
    EXPECT_EQ(DrawnTabs(twelve), (std::vector<int>{6, 7, 8, 9, 10, 11}));
}

TEST(TabStripScroll, PrevWithTheFirstTabSelectedScrollsButKeepsTheSelection) {
    TabStripModel strip = StripWithTabs(12);
    strip.LeftButtonDown(CentreOf(strip.NextRect()));
    strip.Select(0);
    const PointerEffect effect = strip.LeftButtonDown(CentreOf(strip.PrevRect()));
    EXPECT_EQ(effect.scroll_select, std::nullopt);
    EXPECT_EQ(strip.CurStartTab(), 0);
    EXPECT_EQ(strip.Selected(), 0);
}

TEST(TabStripScroll, NextFromTheLastSelectedTabScrollsWithoutSelecting) {
    TabStripModel strip = StripWithTabs(12);
    strip.Select(11);  // as right after loading: the newest tab is selected
    const PointerEffect effect = strip.LeftButtonDown(CentreOf(strip.NextRect()));
    EXPECT_EQ(effect.scroll_select, std::nullopt);
    EXPECT_EQ(strip.CurStartTab(), 1);
    EXPECT_EQ(strip.Selected(), 11);
}

TEST(TabStripHover, ButtonStatesFollowThePointer) {
    TabStripModel strip = StripWithTabs(2);
    strip.LeftButtonDown(CentreOf(strip.NextRect()));
    EXPECT_EQ(strip.NextState(), ButtonState::kPressed);
    // The pressed frame stays until the pointer moves again.
    EXPECT_EQ(strip.MouseMove(CentreOf(strip.NextRect())).invalidate, (Rect{18, 4, 35, 38}));
    EXPECT_EQ(strip.NextState(), ButtonState::kHot);
    strip.MouseMove(CentreOf(strip.PrevRect()));
    EXPECT_EQ(strip.PrevState(), ButtonState::kHot);
    EXPECT_EQ(strip.NextState(), ButtonState::kNormal);
    strip.MouseMove(Point{200, 200});
    EXPECT_EQ(strip.PrevState(), ButtonState::kNormal);
    EXPECT_EQ(strip.NextState(), ButtonState::kNormal);
}

TEST(TabStripHover, SelectsEachTabPassedOnlyWhenEnabled) {
    TabStripModel strip = StripWithTabs(4);
    strip.PlaceTabs();
    EXPECT_EQ(strip.MouseMove(Point{20, 430}).picked, std::nullopt);
    EXPECT_EQ(strip.NcHitTest(Point{20, 430}).picked, std::nullopt);
    EXPECT_EQ(strip.Selected(), 0);

    strip.SetHoverSelect(true);
    // Sweep upwards across all four tabs, two pixels at a time.
    std::vector<int> posted;
    for (int y = 534; y > 200; y -= 2) {
        if (const std::optional<int> picked = strip.MouseMove(Point{20, y}).picked) {
            posted.push_back(*picked);
        }
    }
    EXPECT_EQ(posted, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(strip.Selected(), 3);

    const PointerEffect from_frame = strip.NcHitTest(Point{20, 500});
    EXPECT_EQ(from_frame.picked, 0);
    EXPECT_EQ(from_frame.invalidate, std::nullopt);
    EXPECT_EQ(strip.Selected(), 0);
}

// At 144 DPI the bar, the buttons and the tabs are half as large again, and the
// pointer still finds what is drawn.
TEST(TabStripDpi, EverythingScalesAndHitTestsWhereItIsDrawn) {
    TabStripModel strip;
    strip.SetMetrics(TabStripMetricsForDpi(144));
    const Rect client{0, 0, 676, 804};
    EXPECT_EQ(strip.SetLayout(TabLayout::kLeftBar, client), (Rect{59, 0, 676, 804}));
    EXPECT_EQ(strip.ListArea(client).left, 59);
    EXPECT_EQ(strip.NextRect().right, 59 - 6);
    EXPECT_EQ(strip.NextRect().Height(), 26);
    strip.AddTab(TextExtent{75, 24});
    strip.AddTab(TextExtent{60, 24});
    strip.Select(0);
    const TabStripPaint paint = strip.Paint(client);
    ASSERT_EQ(paint.tabs.size(), 2u);
    EXPECT_EQ(paint.tabs[0].hit.Width(), 48);
    EXPECT_EQ(paint.tabs[1].hit.Width(), 44);
    EXPECT_EQ(paint.tabs[0].hit.right, 59);
    const Rect second = paint.tabs[1].hit;
    EXPECT_EQ(strip.LeftButtonDown(Point{second.left + 2, second.top + 2}).picked, 1);
}

TEST(TabStripPaint, PlacementsAreWhereTabsWouldBeDrawnNowWithoutAPaint) {
    TabStripModel strip = StripWithTabs(8);
    strip.PlaceTabs();
    const Rect first_hit = strip.Tabs()[0].hit;
    ASSERT_TRUE(strip.ScrollToShow(7));
    strip.Select(7);
    const std::vector<TabPlacement> now = strip.Placements();
    // The hit rectangles still say where the last paint put the tabs.
    EXPECT_EQ(strip.Tabs()[0].hit, first_hit);
    ASSERT_FALSE(now.empty());
    EXPECT_GT(now.front().position, 0u);
    EXPECT_EQ(now.back().position, 7u);
    EXPECT_TRUE(now.back().selected);
    const std::vector<TabPlacement> painted = strip.PlaceTabs();
    ASSERT_EQ(painted.size(), now.size());
    for (std::size_t i = 0; i < now.size(); ++i) {
        EXPECT_EQ(painted[i].hit, now[i].hit);
    }
    EXPECT_EQ(strip.Tabs()[0].hit, kNoHitRect);
}

}  // namespace
}  // namespace zarkit
