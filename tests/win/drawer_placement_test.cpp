// The real drawer on monitors made up for the test: two of them, the primary on the right,
// as on many desks. Its window, strip, region and inner layout follow the placement.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "drawer_fixture.h"
#include "ui/gdi.h"

namespace zarkit {
namespace {

// A second monitor left of the primary one, which is as large as the test's screen.
std::vector<Monitor> PrimaryOnTheRight() {
    return {MakeMonitor({-1280, 0, 0, 1024}, "\\\\.\\DISPLAY2", false),
            MakeMonitor({0, 0, 1024, 768}, "\\\\.\\DISPLAY1", true)};
}

Rect ChildRect(HWND parent, int id) {
    return ui::WindowRect(GetDlgItem(parent, id));
}

class DrawerPlacementTest : public DrawerTest {
protected:
    Rect RegionBox() const {
        const ui::Region region(CreateRectRgn(0, 0, 0, 0));
        EXPECT_NE(GetWindowRgn(drawer_->Hwnd(), region.Get()), ERROR);
        RECT box{};
        GetRgnBox(region.Get(), &box);
        return ui::ToRect(box);
    }
};

TEST_F(DrawerPlacementTest, PrimaryOnTheRightTakesItsRightEdgeMirrored) {
    Start(PrimaryOnTheRight());
    const HWND drawer = drawer_->Hwnd();
    EXPECT_EQ(Window(), (Rect{514, 96, 1024, 672}));
    EXPECT_EQ(drawer_->Placement().edge, (DockEdge{DockSide::kRight, 1024}));
    EXPECT_FALSE(drawer_->Placement().inner_edge);
    // The rounded region covers the open drawer, in window coordinates (a round rectangle
    // leaves out its last row and column).
    EXPECT_EQ(RegionBox(), (Rect{0, 0, 509, 575}));
    const ui::Region region(CreateRectRgn(0, 0, 0, 0));
    GetWindowRgn(drawer, region.Get());
    EXPECT_FALSE(PtInRegion(region.Get(), 0, 0));
    EXPECT_TRUE(PtInRegion(region.Get(), 509 - 8, 288));
    // Mirrored: the tab strip 15 pixels in from the inner border and 44 from the edge, its
    // lists on the inner side of its bar.
    const Rect strip = ChildRect(drawer, kTabStripId);
    EXPECT_EQ(strip, (Rect{529, 116, 980, 652}));
    const HWND list = VisibleList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(ui::WindowRect(list), (Rect{529, 116, 941, 652}));

    PollWithThePointerAway();
    EXPECT_EQ(Window(), (Rect{1021, 96, 1024, 672}));
    // The region stays the open drawer's: the strip shows its first columns, as at the left
    // edge.
    EXPECT_EQ(RegionBox(), (Rect{0, 0, 509, 575}));
}

// Chosen by the user, the inner edge is taken all the same.
TEST_F(DrawerPlacementTest, AStoredSideAndScreenAreTakenEvenAtAnInnerEdge) {
    Start(PrimaryOnTheRight(), "<Dock_Side>left</Dock_Side>");
    EXPECT_EQ(Window(), (Rect{0, 96, 510, 672}));
    EXPECT_TRUE(drawer_->Placement().inner_edge);
    EXPECT_EQ(ChildRect(drawer_->Hwnd(), kTabStripId), (Rect{44, 116, 495, 652}));
    PollWithThePointerAway();
    EXPECT_EQ(Window(), (Rect{0, 96, 3, 672}));
}

// Monitors come and go: the drawer is placed again from the settings, keeps its state
// and takes the DPI of its new monitor.
TEST_F(DrawerPlacementTest, AMonitorGoingAwayBringsTheDefaultBackToTheLeftEdgeAtItsDpi) {
    Start(PrimaryOnTheRight());
    PollWithThePointerAway();
    ASSERT_EQ(Window(), (Rect{1021, 96, 1024, 672}));
    monitors_->m_List = {MakeMonitor({0, 0, 1024, 768}, "\\\\.\\DISPLAY1", true, 144)};
    SendMessageW(drawer_->Hwnd(), WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
    EXPECT_EQ(Window(), (Rect{0, 96, 5, 672}));
    EXPECT_EQ(drawer_->Placement().dpi, 144);
    // Back again: collapsed at the right edge, at 96 DPI.
    monitors_->m_List = PrimaryOnTheRight();
    SendMessageW(drawer_->Hwnd(), WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    EXPECT_EQ(Window(), (Rect{1021, 96, 1024, 672}));
    EXPECT_EQ(drawer_->Placement().dpi, 96);
    // Where no message comes, the watch's next look at the monitors finds the change; an
    // unchanged list moves nothing.
    monitors_->m_List.erase(monitors_->m_List.begin());
    SendMessageW(drawer_->Hwnd(), WM_TIMER, MonitorWatch::kCheckTimerId, 0);
    EXPECT_EQ(Window(), (Rect{0, 96, 3, 672}));
    MoveWindow(drawer_->Hwnd(), 0, 96, 510, 576, FALSE);
    SendMessageW(drawer_->Hwnd(), WM_TIMER, MonitorWatch::kCheckTimerId, 0);
    EXPECT_EQ(Window(), (Rect{0, 96, 510, 672}));
}

// The screen it was put on is unplugged: it waits on the primary one, and goes back when
// that screen returns, the stored text unchanged.
TEST_F(DrawerPlacementTest, AScreenThatIsGoneIsStandedInForByThePrimary) {
    std::vector<Monitor> desk{MakeMonitor({0, 0, 1024, 768}, "\\\\.\\DISPLAY1", true)};
    Start(desk, "<Dock_Screen>\\\\.\\DISPLAY2</Dock_Screen><Dock_Side>right</Dock_Side>");
    EXPECT_EQ(Window(), (Rect{514, 96, 1024, 672}));
    desk.push_back(MakeMonitor({1024, 0, 2048, 768}, "\\\\.\\DISPLAY2", false));
    monitors_->m_List = desk;
    SendMessageW(drawer_->Hwnd(), WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
    EXPECT_EQ(Window(), (Rect{1538, 96, 2048, 672}));
    EXPECT_EQ(drawer_->Placement().monitor_bounds, (Rect{1024, 0, 2048, 768}));
    std::ifstream stored(folder_ / L"info_data.xml", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(stored)), {});
    EXPECT_NE(bytes.find("<Dock_Screen>\\\\.\\DISPLAY2</Dock_Screen>"), std::string::npos);
}

}  // namespace
}  // namespace zarkit
