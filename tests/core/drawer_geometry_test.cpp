#include "core/drawer_geometry.h"

#include <gtest/gtest.h>

namespace zarkit {
namespace {

constexpr Rect kScreen{0, 0, 1024, 768};
constexpr DockEdge kLeftEdge{DockSide::kLeft, 0};

TEST(OpenDrawerRect, TakesHalfTheWidthAndTheMiddleThreeQuarters) {
    EXPECT_EQ(OpenDrawerRect(kScreen, kLeftEdge), (Rect{0, 96, 510, 672}));
    EXPECT_EQ(OpenDrawerRect(Rect{0, 0, 1280, 1024}, kLeftEdge), (Rect{0, 128, 640, 896}));
}

TEST(OpenDrawerRect, TruncatesAtEachDivision) {
    // 1366 / 10 = 136, times 5 = 680 (not 683); 1050 / 8 = 131, times 7 = 917.
    const Rect rect = OpenDrawerRect(Rect{0, 0, 1366, 1050}, kLeftEdge);
    EXPECT_EQ(rect.right, 680);
    EXPECT_EQ(rect.top, 131);
    EXPECT_EQ(rect.bottom, 917);
}

TEST(OpenDrawerRect, TinyScreensGiveAnEmptyButValidRectangle) {
    EXPECT_EQ(OpenDrawerRect(Rect{0, 0, 9, 7}, kLeftEdge), (Rect{0, 0, 0, 0}));
}

TEST(OpenDrawerRect, AtARightEdgeItEndsThereAndOnAnotherMonitorItFollowsIt) {
    EXPECT_EQ(OpenDrawerRect(kScreen, EdgeOf(kScreen, DockSide::kRight)),
              (Rect{514, 96, 1024, 672}));
    EXPECT_EQ(StripRect(Rect{514, 96, 1024, 672}, EdgeOf(kScreen, DockSide::kRight), 3),
              (Rect{1021, 96, 1024, 672}));
    // Left of the primary, higher up: the monitor's own top and sizes count.
    const Rect other{-1920, -200, 0, 880};
    EXPECT_EQ(OpenDrawerRect(other, EdgeOf(other, DockSide::kLeft)), (Rect{-1920, -65, -960, 745}));
    EXPECT_EQ(OpenDrawerRect(other, EdgeOf(other, DockSide::kRight)), (Rect{-960, -65, 0, 745}));
    EXPECT_EQ(StripRect(Rect{-1920, -65, -960, 745}, EdgeOf(other, DockSide::kLeft), 5),
              (Rect{-1920, -65, -1915, 745}));
}

TEST(DockEdge, MapsColumnsIntoTheMonitorAndBack) {
    const DockEdge right{DockSide::kRight, 1024};
    EXPECT_EQ(right.ToEdge(Rect{1021, 96, 1024, 672}), (Rect{0, 96, 3, 672}));
    EXPECT_EQ(right.FromEdge(Rect{0, 96, 510, 672}), (Rect{514, 96, 1024, 672}));
    // The last column of the monitor is the first from its right edge.
    EXPECT_EQ(right.ToEdge(Point{1023, 5}), (Point{0, 5}));
    EXPECT_EQ(right.ToEdge(Point{1021, 5}), (Point{2, 5}));
    EXPECT_EQ(right.ToEdge(Point{1024, 5}), (Point{-1, 5}));
    const DockEdge left{DockSide::kLeft, -1920};
    EXPECT_EQ(left.ToEdge(Point{-1920, 0}), (Point{0, 0}));
    EXPECT_EQ(left.FromEdge(left.ToEdge(Rect{-1930, 1, -1400, 2})), (Rect{-1930, 1, -1400, 2}));
    // A point lies in a rectangle exactly when it does in edge coordinates.
    for (int x = 1015; x < 1030; ++x) {
        const Rect strip{1021, 0, 1024, 10};
        EXPECT_EQ(strip.Contains(Point{x, 5}),
                  right.ToEdge(strip).Contains(right.ToEdge(Point{x, 5})))
            << x;
    }
}

TEST(DrawerLayout, TabStripSitsBesideTheEdgeGraphicInsideTheBorder) {
    EXPECT_EQ(ListFrameRect(Rect{0, 0, 510, 576}, DrawerMetricsForDpi(96)),
              (Rect{44, 20, 495, 556}));
    EXPECT_EQ(ListFrameRect(Rect{0, 0, 510, 576}, DrawerMetricsForDpi(96), DockSide::kRight),
              (Rect{15, 20, 466, 556}));
    // The frame's visible side line is on the inner side: column 495 at the left edge,
    // column 14 (mirrored) at the right edge.
    EXPECT_EQ(ListFrameOutline(Rect{44, 20, 495, 556}), (Rect{44, 20, 495, 556}));
    EXPECT_EQ(ListFrameOutline(Rect{15, 20, 466, 556}, DockSide::kRight), (Rect{14, 20, 465, 556}));
}

TEST(DrawerLayout, EdgeGraphicIsCentredEvenWhenTallerThanTheDrawer) {
    EXPECT_EQ(EdgeGraphicOrigin(Rect{0, 0, 510, 576}, DrawerMetricsForDpi(96)), (Point{2, 119}));
    // 300 high: (300 - 338) / 2 truncates towards zero to -19, clipping both ends.
    EXPECT_EQ(EdgeGraphicOrigin(Rect{0, 0, 510, 300}, DrawerMetricsForDpi(96)), (Point{2, -19}));
    // At a right edge it stands against the right border: columns 469 to 507.
    EXPECT_EQ(EdgeGraphicOrigin(Rect{0, 0, 510, 576}, DrawerMetricsForDpi(96), DockSide::kRight),
              (Point{469, 119}));
}

}  // namespace
}  // namespace zarkit
