#include "core/drawer_placement.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace zarkit {
namespace {

Monitor MakeMonitor(Rect bounds, const char* name, bool primary = false, int dpi = 96) {
    return Monitor{bounds, Rect{bounds.left, bounds.top, bounds.right, bounds.bottom - 40}, dpi,
                   name, primary};
}

DrawerPlacement Place(const std::vector<Monitor>& monitors,
                      std::optional<std::string> screen = std::nullopt,
                      std::optional<DockSide> side = std::nullopt) {
    const std::optional<DrawerPlacement> placement = PlaceDrawer(monitors, screen, side);
    EXPECT_TRUE(placement.has_value());
    return placement.value_or(DrawerPlacement{});
}

const Monitor kPrimary = MakeMonitor({0, 0, 1920, 1080}, "\\\\.\\DISPLAY1", true);

TEST(DrawerPlacement, OneMonitorKeepsTheDrawerAtItsLeftEdgeAsAlways) {
    const std::vector<Monitor> one{MakeMonitor({0, 0, 1024, 768}, "\\\\.\\DISPLAY1", true)};
    const DrawerPlacement placement = Place(one);
    EXPECT_EQ(placement.monitor, 0u);
    EXPECT_EQ(placement.edge, (DockEdge{DockSide::kLeft, 0}));
    EXPECT_EQ(placement.open, (Rect{0, 96, 510, 672}));
    EXPECT_EQ(placement.strip, (Rect{0, 96, 3, 672}));
    EXPECT_EQ(placement.monitor_bounds, (Rect{0, 0, 1024, 768}));
    EXPECT_FALSE(placement.inner_edge);
    // A stored left, "primary" in any case, or a right edge, are all outer here.
    EXPECT_EQ(Place(one, " Primary ", DockSide::kLeft), placement);
    const DrawerPlacement right = Place(one, "primary", DockSide::kRight);
    EXPECT_EQ(right.open, (Rect{514, 96, 1024, 672}));
    EXPECT_EQ(right.strip, (Rect{1021, 96, 1024, 672}));
    EXPECT_FALSE(right.inner_edge);
    EXPECT_EQ(PlaceDrawer({}, std::nullopt, std::nullopt), std::nullopt);
}

// The commonest desk: a second monitor left of the primary one.
TEST(DrawerPlacement, PrimaryOnTheRightMakesItsLeftEdgeInnerAndTheDefaultGoesRight) {
    const std::vector<Monitor> desk{MakeMonitor({-1920, 0, 0, 1080}, "\\\\.\\DISPLAY2"), kPrimary};
    const DrawerPlacement placement = Place(desk);
    EXPECT_EQ(placement.monitor, 1u);
    EXPECT_EQ(placement.edge, (DockEdge{DockSide::kRight, 1920}));
    EXPECT_EQ(placement.open, (Rect{960, 135, 1920, 945}));
    EXPECT_EQ(placement.strip, (Rect{1917, 135, 1920, 945}));
    EXPECT_FALSE(placement.inner_edge);
    // Chosen by the user, the inner edge is kept, and said to be inner.
    const DrawerPlacement chosen = Place(desk, std::nullopt, DockSide::kLeft);
    EXPECT_EQ(chosen.strip, (Rect{0, 135, 3, 945}));
    EXPECT_TRUE(chosen.inner_edge);
    EXPECT_TRUE(IsInnerEdge(desk, 1, DockSide::kLeft, 0, 1080));
    EXPECT_FALSE(IsInnerEdge(desk, 0, DockSide::kLeft, 0, 1080));
}

TEST(DrawerPlacement, PrimaryOnTheLeftKeepsTheLeftEdge) {
    const std::vector<Monitor> desk{kPrimary,
                                    MakeMonitor({1920, 0, 3840, 1080}, "\\\\.\\DISPLAY2")};
    const DrawerPlacement placement = Place(desk);
    EXPECT_EQ(placement.strip, (Rect{0, 135, 3, 945}));
    EXPECT_FALSE(placement.inner_edge);
    EXPECT_TRUE(Place(desk, std::nullopt, DockSide::kRight).inner_edge);
    // The other monitor's right edge is outer, its left edge inner.
    EXPECT_FALSE(Place(desk, "\\\\.\\DISPLAY2", DockSide::kRight).inner_edge);
    EXPECT_EQ(Place(desk, "\\\\.\\DISPLAY2", DockSide::kRight).strip, (Rect{3837, 135, 3840, 945}));
}

// Both edges of the primary are inner: the leftmost monitor's left edge is the nearest
// outer one, on that monitor.
TEST(DrawerPlacement, ThreeInARowWithThePrimaryInTheMiddleGoesToTheLeftmostMonitor) {
    const std::vector<Monitor> desk{MakeMonitor({1920, 0, 3200, 1024}, "\\\\.\\DISPLAY3"), kPrimary,
                                    MakeMonitor({-1280, 56, 0, 1080}, "\\\\.\\DISPLAY2")};
    const DrawerPlacement placement = Place(desk);
    EXPECT_EQ(placement.monitor, 2u);
    EXPECT_EQ(placement.edge, (DockEdge{DockSide::kLeft, -1280}));
    EXPECT_EQ(placement.open, (Rect{-1280, 184, -640, 952}));
    EXPECT_FALSE(placement.inner_edge);
    // With the primary at the right end of the row, its right edge is the outer one.
    const std::vector<Monitor> row{MakeMonitor({-3840, 0, -1920, 1080}, "\\\\.\\DISPLAY3"),
                                   MakeMonitor({-1920, 0, 0, 1080}, "\\\\.\\DISPLAY2"), kPrimary};
    EXPECT_EQ(Place(row).edge, (DockEdge{DockSide::kRight, 1920}));
    EXPECT_TRUE(Place(row, "\\\\.\\DISPLAY2", DockSide::kLeft).inner_edge);
    EXPECT_TRUE(Place(row, "\\\\.\\DISPLAY2", DockSide::kRight).inner_edge);
    // A named monitor without a side follows the same rule from that monitor.
    EXPECT_EQ(Place(row, "\\\\.\\display2").edge, (DockEdge{DockSide::kLeft, -3840}));
}

// Only a monitor beside the drawer's own height counts: one above, even one that reaches
// past the edge, is no neighbour across it.
TEST(DrawerPlacement, AMonitorStackedAboveLeavesBothEdgesOuter) {
    const std::vector<Monitor> desk{kPrimary,
                                    MakeMonitor({-400, -1200, 1520, 0}, "\\\\.\\DISPLAY2")};
    EXPECT_FALSE(Place(desk).inner_edge);
    EXPECT_EQ(Place(desk).edge, (DockEdge{DockSide::kLeft, 0}));
    EXPECT_FALSE(Place(desk, std::nullopt, DockSide::kRight).inner_edge);
    EXPECT_EQ(Place(desk, "\\\\.\\DISPLAY2").open, (Rect{-400, -1050, 560, -150}));
    // A neighbour that touches only the corner beside the drawer's rows is not in the way;
    // one overlapping them by a single row is.
    const std::vector<Monitor> corner{kPrimary, MakeMonitor({-800, 945, 0, 1545}, "B")};
    EXPECT_FALSE(Place(corner, std::nullopt, DockSide::kLeft).inner_edge);
    const std::vector<Monitor> overlap{kPrimary, MakeMonitor({-800, 944, 0, 1544}, "B")};
    EXPECT_TRUE(Place(overlap, std::nullopt, DockSide::kLeft).inner_edge);
    // A gap between monitors is an edge the pointer stops at.
    const std::vector<Monitor> gap{kPrimary, MakeMonitor({-1930, 0, -10, 1080}, "B")};
    EXPECT_FALSE(Place(gap).inner_edge);
}

TEST(DrawerPlacement, NegativeCoordinatesAndDpisFollowTheChosenMonitor) {
    const std::vector<Monitor> desk{
        kPrimary, MakeMonitor({-2560, -360, 0, 1080}, "\\\\.\\DISPLAY2", false, 144),
        MakeMonitor({1920, 0, 2880, 540}, "\\\\.\\DISPLAY3", false, 192)};
    const DrawerPlacement left = Place(desk, "\\\\.\\DISPLAY2", DockSide::kLeft);
    EXPECT_EQ(left.monitor, 1u);
    EXPECT_EQ(left.dpi, 144);
    EXPECT_EQ(left.open, (Rect{-2560, -180, -1280, 900}));
    EXPECT_EQ(left.strip, (Rect{-2560, -180, -2555, 900}));  // 3 pixels at 150 %: 5
    EXPECT_FALSE(left.inner_edge);
    const DrawerPlacement small = Place(desk, "\\\\.\\DISPLAY3", DockSide::kRight);
    EXPECT_EQ(small.dpi, 192);
    EXPECT_EQ(small.strip, (Rect{2874, 67, 2880, 469}));
    // Both edges of the primary have a neighbour: the default goes to the leftmost monitor
    // and takes its DPI.
    EXPECT_EQ(Place(desk).monitor, 1u);
    EXPECT_EQ(Place(desk).dpi, 144);
    // A DPI the system did not give counts as 96.
    const std::vector<Monitor> unknown{MakeMonitor({0, 0, 1024, 768}, "A", true, 0)};
    EXPECT_EQ(Place(unknown).dpi, 96);
    EXPECT_EQ(Place(unknown).strip.Width(), 3);
}

// The monitor was unplugged: the primary one stands in until it is back.
TEST(DrawerPlacement, AChosenScreenThatIsGoneFallsBackToThePrimary) {
    const std::vector<Monitor> now{kPrimary};
    const DrawerPlacement placement = Place(now, "\\\\.\\DISPLAY2", DockSide::kRight);
    EXPECT_EQ(placement.monitor, 0u);
    EXPECT_EQ(placement.strip, (Rect{1917, 135, 1920, 945}));
    const std::vector<Monitor> back{kPrimary, MakeMonitor({1920, 0, 3000, 900}, "\\\\.\\DISPLAY2")};
    EXPECT_EQ(Place(back, "\\\\.\\DISPLAY2", DockSide::kRight).monitor, 1u);
    EXPECT_EQ(NamedMonitor(back, "\\\\.\\DISPLAY2"), 1u);
    EXPECT_EQ(NamedMonitor(back, "primary"), std::nullopt);
    EXPECT_EQ(NamedMonitor(back, "\\\\.\\DISPLAY9"), std::nullopt);
}

TEST(DrawerPlacement, ThePrimaryIsTheFlaggedOneElseTheOneAtTheOrigin) {
    std::vector<Monitor> desk{MakeMonitor({-800, 0, 0, 600}, "A"),
                              MakeMonitor({0, 0, 800, 600}, "B")};
    EXPECT_EQ(PrimaryMonitor(desk), 1u);
    desk[0].primary = true;
    EXPECT_EQ(PrimaryMonitor(desk), 0u);
    EXPECT_EQ(PrimaryMonitor(std::vector<Monitor>{MakeMonitor({5, 5, 10, 10}, "C")}), 0u);
}

TEST(DrawerPlacement, ADisplayChangeResizesThePrimaryAndKeepsItsTaskBar) {
    std::vector<Monitor> desk{MakeMonitor({-800, 0, 0, 600}, "A"),
                              MakeMonitor({0, 0, 1024, 768}, "B", true)};
    ResizePrimaryMonitor(desk, 1280, 1024);
    EXPECT_EQ(desk[1].bounds, (Rect{0, 0, 1280, 1024}));
    EXPECT_EQ(desk[1].work_area, (Rect{0, 0, 1280, 984}));
    EXPECT_EQ(desk[0].bounds, (Rect{-800, 0, 0, 600}));
    ResizePrimaryMonitor(desk, 0, 0);  // nothing sensible in the message
    EXPECT_EQ(desk[1].bounds, (Rect{0, 0, 1280, 1024}));
}

TEST(PlacedWindow, KeepsTheDrawerOpenOrCollapsedAndCarriesAnAnimationAlong) {
    const std::vector<Monitor> desk{MakeMonitor({0, 0, 1024, 768}, "A", true)};
    const DrawerPlacement right = Place(desk, std::nullopt, DockSide::kRight);
    const DockEdge left_edge{DockSide::kLeft, 0};
    constexpr PlacedAs kAsItWas = PlacedAs::kAsItWas;
    // Collapsed at the left edge: the strip at the right one.
    EXPECT_EQ(PlacedWindow(Rect{0, 96, 3, 672}, left_edge, 3, right, kAsItWas), right.strip);
    // Open: open at the new place; asked to collapse, the strip.
    EXPECT_EQ(PlacedWindow(Rect{0, 96, 510, 672}, left_edge, 3, right, kAsItWas), right.open);
    EXPECT_EQ(PlacedWindow(Rect{0, 96, 510, 672}, left_edge, 3, right, PlacedAs::kCollapsed),
              right.strip);
    // Half slid off the left edge: as far off the right one.
    EXPECT_EQ(PlacedWindow(Rect{-200, 96, 310, 672}, left_edge, 3, right, kAsItWas),
              (Rect{714, 96, 1224, 672}));
    // The old strip width decides what counted as collapsed (5 at 144 DPI).
    EXPECT_EQ(PlacedWindow(Rect{0, 96, 5, 672}, left_edge, 5, right, kAsItWas), right.strip);
    // A window just created, still without a size, opens.
    EXPECT_EQ(PlacedWindow(Rect{}, left_edge, 3, right, PlacedAs::kOpen), right.open);
}

}  // namespace
}  // namespace zarkit
