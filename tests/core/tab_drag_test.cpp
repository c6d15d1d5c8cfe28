#include "core/tab_drag.h"

#include <vector>

#include <gtest/gtest.h>

namespace zarkit {
namespace {

constexpr Point kDragDistance{4, 4};

// Four tabs 70 long on a 536 high strip, as the drawer draws them.
TabStripModel Strip() {
    TabStripModel strip;
    strip.SetLayout(TabLayout::kLeftBar, Rect{0, 0, 451, 536});
    for (int i = 0; i < 4; ++i) {
        strip.AddTab(TextExtent{50, 16});
    }
    strip.Select(0);
    strip.PlaceTabs();
    return strip;
}

Point CentreOf(const Rect& rect) {
    return Point{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

TEST(TabDrag, APressWithoutMovingIsAClick) {
    TabDrag drag;
    drag.Press(2, {20, 300});
    EXPECT_TRUE(drag.Pressed());
    EXPECT_FALSE(drag.Move({23, 297}, 0, kDragDistance));  // within the drag distance
    EXPECT_FALSE(drag.Dragging());
    EXPECT_EQ(drag.Target(), std::nullopt);
    EXPECT_EQ(drag.Release(0), std::nullopt);
    EXPECT_FALSE(drag.Pressed());
    // Moves without a press do nothing.
    EXPECT_FALSE(drag.Move({20, 100}, 0, kDragDistance));
    EXPECT_EQ(drag.Release(0), std::nullopt);
}

TEST(TabDrag, ADragEndsOnAnotherTabsPlaceOnly) {
    TabDrag drag;
    drag.Press(2, {20, 300});
    EXPECT_TRUE(drag.Move({20, 296}, 2, kDragDistance));  // began, over its own place
    EXPECT_TRUE(drag.Dragging());
    EXPECT_EQ(drag.Target(), std::nullopt);
    EXPECT_TRUE(drag.Move({20, 450}, 0, kDragDistance));
    EXPECT_EQ(drag.Target(), 0u);
    EXPECT_FALSE(drag.Move({21, 451}, 0, kDragDistance));  // nothing new to show
    EXPECT_TRUE(drag.Move({200, 451}, std::nullopt, kDragDistance));
    EXPECT_EQ(drag.Target(), std::nullopt);
    EXPECT_EQ(drag.Release(0), 0u);
    EXPECT_FALSE(drag.Dragging());

    drag.Press(1, {20, 300});
    drag.Move({20, 200}, 3, kDragDistance);
    EXPECT_EQ(drag.Release(std::nullopt), std::nullopt);  // let go outside every tab
    drag.Press(1, {20, 300});
    drag.Move({20, 200}, 3, kDragDistance);
    EXPECT_EQ(drag.Release(1), std::nullopt);  // back on its own place
    drag.Press(1, {20, 300});
    drag.Move({20, 200}, 3, kDragDistance);
    drag.Cancel();
    EXPECT_FALSE(drag.Pressed());
    EXPECT_EQ(drag.Release(3), std::nullopt);
}

TEST(TabPlaceAt, ATabsPlaceIsItsHitAcrossTheBar) {
    TabStripModel strip = Strip();
    const auto& tabs = strip.Tabs();
    for (std::size_t position = 0; position < tabs.size(); ++position) {
        EXPECT_EQ(TabPlaceAt(tabs, strip.Bar(), CentreOf(tabs[position].hit)), position);
        // Left of the tab itself, still in the bar.
        EXPECT_EQ(TabPlaceAt(tabs, strip.Bar(), Point{1, CentreOf(tabs[position].hit).y}),
                  position);
    }
    // Where two tabs' hit rectangles meet, the lower tab's place.
    EXPECT_EQ(TabPlaceAt(tabs, strip.Bar(), Point{30, tabs[0].hit.top}), 0u);
    // Over the list, over the scroll buttons, above the last tab: no tab's place.
    EXPECT_EQ(TabPlaceAt(tabs, strip.Bar(), Point{60, CentreOf(tabs[1].hit).y}), std::nullopt);
    EXPECT_EQ(TabPlaceAt(tabs, strip.Bar(), CentreOf(strip.PrevRect())), std::nullopt);
    EXPECT_EQ(TabPlaceAt(tabs, strip.Bar(), Point{30, tabs[3].hit.top - 5}), std::nullopt);

    // A tab scrolled out has no place; the one drawn where it was has.
    TabStripModel scrolled = Strip();
    scrolled.LeftButtonDown(CentreOf(scrolled.NextRect()));
    scrolled.PlaceTabs();
    EXPECT_EQ(scrolled.Tabs()[0].hit, kNoHitRect);
    EXPECT_EQ(TabPlaceAt(scrolled.Tabs(), scrolled.Bar(), CentreOf(tabs[0].hit)), 1u);
}

TEST(TabDropMark, OnTheSideOfTheTargetTheTabLandsOn) {
    const Rect bar{0, 0, 39, 536};
    const Rect hit{7, 400, 39, 475};
    // Moved down the order (lower on the strip): under the target.
    EXPECT_EQ(TabDropMark(hit, bar, 3, 1, 3), (Rect{0, 472, 39, 475}));
    // Moved up: over it.
    EXPECT_EQ(TabDropMark(hit, bar, 0, 1, 3), (Rect{0, 400, 39, 403}));
}

}  // namespace
}  // namespace zarkit
