#include "core/dpi_scale.h"

#include <gtest/gtest.h>

#include "core/drawer_geometry.h"
#include "core/edge_slider.h"
#include "core/tab_strip_model.h"

namespace zarkit {
namespace {

TEST(DpiScale, RoundsHalfAwayFromZeroAsMulDiv) {
    EXPECT_EQ(ScaleForDpi(3, 120), 4);    // 3.75
    EXPECT_EQ(ScaleForDpi(3, 144), 5);    // 4.5 rounds up
    EXPECT_EQ(ScaleForDpi(-3, 144), -5);  // and away from zero below it
    EXPECT_EQ(ScaleForDpi(11, 120), 14);  // 13.75
    EXPECT_EQ(ScaleForDpi(5, 120), 6);    // 6.25
    EXPECT_EQ(ScaleForDpi(13, 168), 23);  // 22.75
    EXPECT_EQ(ScaleForDpi(7, 96), 7);
    EXPECT_EQ(ScaleForDpi(0, 192), 0);
}

TEST(DpiScale, BrokenDpiCountsAsNinetySixAndHugeValuesClamp) {
    EXPECT_EQ(ScaleForDpi(39, 0), 39);
    EXPECT_EQ(ScaleForDpi(39, -144), 39);
    EXPECT_EQ(ScaleForDpi(2147483647, 192), 2147483647);
    EXPECT_EQ(ScaleForDpi(-2147483647 - 1, 192), -2147483647 - 1);
}

TEST(DpiScale, AtNinetySixEverySizeIsTheOneTheDrawerHad) {
    EXPECT_EQ(CollapsedWidthForDpi(96), kCollapsedWidth);
    EXPECT_EQ(TabFontHeightForDpi(96), 16);
    EXPECT_EQ(ListIconSizeForDpi(96), (ListIconSize{32, ShellIconList::kLarge}));

    const TabStripMetrics tabs = TabStripMetricsForDpi(96);
    EXPECT_EQ(tabs.bar_width, kTabBarWidth);
    EXPECT_EQ(tabs.button_size, kScrollButtonSize);
    EXPECT_EQ(tabs.button_inset, kScrollButtonInset);
    EXPECT_EQ(tabs.tab_padding, kTabPadding);
    EXPECT_EQ(tabs.tab_gap, kTabGap);
    EXPECT_EQ(tabs.selected_tab_width, kSelectedTabWidth);
    EXPECT_EQ(tabs.selected_tab_bottom_cap, kSelectedTabBottomCap);
    EXPECT_EQ(tabs.selected_tab_top_cap, kSelectedTabTopCap);
    EXPECT_EQ(tabs.tab_width, kTabWidth);
    EXPECT_EQ(tabs.tab_bottom_cap, kTabBottomCap);
    EXPECT_EQ(tabs.tab_top_cap, kTabTopCap);

    const DrawerMetrics drawer = DrawerMetricsForDpi(96);
    EXPECT_EQ(drawer, (DrawerMetrics{2, 16, 12, 13, 12, 11, 12, 39, 338, 2, 5, 20, 15, 20}));
    const Rect client{0, 0, 510, 576};
    EXPECT_EQ(ListFrameRect(client, drawer), (Rect{44, 20, 495, 556}));
}

TEST(DpiScale, At120) {
    EXPECT_EQ(CollapsedWidthForDpi(120), 4);
    EXPECT_EQ(TabFontHeightForDpi(120), 20);
    // 40 px, from the 48 px images scaled down: never a 32 px image blown up.
    EXPECT_EQ(ListIconSizeForDpi(120), (ListIconSize{40, ShellIconList::kExtraLarge}));
    EXPECT_EQ(DrawerMetricsForDpi(120),
              (DrawerMetrics{3, 20, 15, 16, 15, 14, 15, 49, 423, 3, 6, 25, 19, 25}));
    EXPECT_EQ(TabStripMetricsForDpi(120), (TabStripMetrics{49, 21, 5, 25, 3, 40, 6, 8, 36, 5, 6}));
}

TEST(DpiScale, At144) {
    EXPECT_EQ(CollapsedWidthForDpi(144), 5);
    EXPECT_EQ(TabFontHeightForDpi(144), 24);
    EXPECT_EQ(ListIconSizeForDpi(144), (ListIconSize{48, ShellIconList::kExtraLarge}));
    EXPECT_EQ(DrawerMetricsForDpi(144),
              (DrawerMetrics{3, 24, 18, 20, 18, 17, 18, 59, 507, 3, 8, 30, 23, 30}));
    EXPECT_EQ(TabStripMetricsForDpi(144), (TabStripMetrics{59, 26, 6, 30, 3, 48, 8, 9, 44, 6, 8}));
    const Rect client{0, 0, 960, 1080};
    EXPECT_EQ(ListFrameRect(client, DrawerMetricsForDpi(144)), (Rect{67, 30, 937, 1050}));
}

TEST(DpiScale, At192) {
    EXPECT_EQ(CollapsedWidthForDpi(192), 6);
    EXPECT_EQ(TabFontHeightForDpi(192), 32);
    EXPECT_EQ(ListIconSizeForDpi(192), (ListIconSize{64, ShellIconList::kJumbo}));
    EXPECT_EQ(DrawerMetricsForDpi(192),
              (DrawerMetrics{4, 32, 24, 26, 24, 22, 24, 78, 676, 4, 10, 40, 30, 40}));
    EXPECT_EQ(TabStripMetricsForDpi(192),
              (TabStripMetrics{78, 34, 8, 40, 4, 64, 10, 12, 58, 8, 10}));
}

TEST(DpiScale, IconsAreNeverScaledUp) {
    for (int dpi = 48; dpi <= 480; dpi += 6) {
        const ListIconSize icon = ListIconSizeForDpi(dpi);
        const int source = icon.source == ShellIconList::kLarge        ? 32
                           : icon.source == ShellIconList::kExtraLarge ? 48
                                                                       : 256;
        EXPECT_LE(icon.size, source) << dpi;
    }
}

}  // namespace
}  // namespace zarkit
