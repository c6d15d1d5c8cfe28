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

}  // namespace
}  // namespace zarkit
