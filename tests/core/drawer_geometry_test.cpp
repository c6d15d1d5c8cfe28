#include "core/drawer_geometry.h"

#include <gtest/gtest.h>

namespace zarkit {
namespace {

TEST(FullDrawerRect, TakesHalfTheWidthAndTheMiddleThreeQuarters) {
    EXPECT_EQ(FullDrawerRect(1024, 768), (Rect{0, 96, 510, 672}));
    EXPECT_EQ(FullDrawerRect(1280, 1024), (Rect{0, 128, 640, 896}));
}

TEST(FullDrawerRect, TruncatesAtEachDivision) {
    // 1366 / 10 = 136, times 5 = 680 (not 683); 1050 / 8 = 131, times 7 = 917.
    const Rect rect = FullDrawerRect(1366, 1050);
    EXPECT_EQ(rect.right, 680);
    EXPECT_EQ(rect.top, 131);
    EXPECT_EQ(rect.bottom, 917);
}

TEST(FullDrawerRect, TinyScreensGiveAnEmptyButValidRectangle) {
    EXPECT_EQ(FullDrawerRect(9, 7), (Rect{0, 0, 0, 0}));
}

TEST(DrawerLayout, TabStripSitsRightOfTheEdgeGraphicInsideTheBorder) {
    EXPECT_EQ(ListFrameRect(Rect{0, 0, 510, 576}, DrawerMetricsForDpi(96)),
              (Rect{44, 20, 495, 556}));
}

TEST(DrawerLayout, EdgeGraphicIsCentredEvenWhenTallerThanTheDrawer) {
    EXPECT_EQ(EdgeGraphicOrigin(Rect{0, 0, 510, 576}, DrawerMetricsForDpi(96)), (Point{2, 119}));
    // 300 high: (300 - 338) / 2 truncates towards zero to -19, clipping both ends.
    EXPECT_EQ(EdgeGraphicOrigin(Rect{0, 0, 510, 300}, DrawerMetricsForDpi(96)), (Point{2, -19}));
}

}  // namespace
}  // namespace zarkit
