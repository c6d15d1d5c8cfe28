// The real drawer on monitors made up for the test: two of them, the primary on the right,
// as on many desks. Its window, strip, region and inner layout follow the placement.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/main_wnd.h"
#include "app/messages.h"
#include "test_files.h"
#include "ui/gdi.h"
#include "ui/text.h"
#include "ui/win32.h"

namespace zarkit {
namespace {

namespace fs = std::filesystem;

constexpr int kTabStripId = 1222;

// The monitors the drawer asks for, as the test sets them.
class MadeUpMonitors final : public MonitorSource {
public:
    explicit MadeUpMonitors(std::vector<Monitor> monitors) : m_List(std::move(monitors)) {}
    std::vector<Monitor> Monitors() const override { return m_List; }
    std::vector<Monitor> m_List;
};

Monitor MakeMonitor(Rect bounds, const char* name, bool primary, int dpi = 96) {
    return Monitor{bounds, bounds, dpi, name, primary};
}

// A second monitor left of the primary one, which is as large as the test's screen.
std::vector<Monitor> PrimaryOnTheRight() {
    return {MakeMonitor({-1280, 0, 0, 1024}, "\\\\.\\DISPLAY2", false),
            MakeMonitor({0, 0, 1024, 768}, "\\\\.\\DISPLAY1", true)};
}

std::string Settings(const std::string& extra) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><!--VELMOR SOFT Zarkit config file!-->"
           "<File_Desc><Start_OnWindow>no</Start_OnWindow><Show_TickCount>450</Show_TickCount>"
           "<Show_TipOnStart>no</Show_TipOnStart><Animate_WindowOnStart>no</Animate_WindowOnStart>"
           "<SelTable_MouseOn>no</SelTable_MouseOn><Hot_Key></Hot_Key>" +
           extra +
           "<Table_Node><Table_Lable>Common</Table_Lable></Table_Node>"
           "<Table_Node><Table_Lable>Tools</Table_Lable></Table_Node></File_Desc>";
}

Rect ChildRect(HWND parent, int id) {
    return ui::WindowRect(GetDlgItem(parent, id));
}

class DrawerPlacementTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = FreshTestFolder(L"zk_placement");
        ASSERT_FALSE(folder_.empty());
        ASSERT_TRUE(CMainWnd::RegisterWindowClass());
    }
    void TearDown() override {
        if (drawer_) {
            drawer_->Destroy();
            drawer_.reset();
        }
        // The drawer ends the message loop when it goes; this thread has none to end.
        MSG quit;
        while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        RemoveTestFolder(folder_);
    }

    void Start(std::vector<Monitor> monitors, const std::string& extra_settings = "") {
        std::ofstream(folder_ / L"info_data.xml", std::ios::binary) << Settings(extra_settings);
        auto source = std::make_unique<MadeUpMonitors>(std::move(monitors));
        monitors_ = source.get();
        drawer_ =
            std::make_unique<CMainWnd>(ui::Narrow(folder_.wstring()) + "\\", "", std::move(source));
        ASSERT_TRUE(drawer_->CreateDrawer());
        ShowWindow(drawer_->Hwnd(), SW_SHOWNOACTIVATE);
        // Painted once, the strip lists its first table (and nothing else runs meanwhile:
        // the sliding's timer would collapse it).
        UpdateWindow(drawer_->Hwnd());
        MSG rest;
        while (
            PeekMessageW(&rest, drawer_->Hwnd(), WM_ZK_STARTUPREST, WM_ZK_STARTUPREST, PM_REMOVE)) {
            DispatchMessageW(&rest);
        }
        ASSERT_NE(VisibleList(), nullptr);
    }

    HWND VisibleList() const {
        HWND list = nullptr;
        for (HWND child = GetWindow(GetDlgItem(drawer_->Hwnd(), kTabStripId), GW_CHILD);
             child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
            if (IsWindowVisible(child)) {
                list = child;
            }
        }
        return list;
    }

    // One poll of the sliding with the pointer far from the drawer.
    void PollWithThePointerAway() {
        SetCursorPos(700, 720);
        SendMessageW(drawer_->Hwnd(), WM_TIMER, kPollTimerId, 0);
    }

    Rect Window() const { return ui::WindowRect(drawer_->Hwnd()); }

    Rect RegionBox() const {
        const ui::Region region(CreateRectRgn(0, 0, 0, 0));
        EXPECT_NE(GetWindowRgn(drawer_->Hwnd(), region.Get()), ERROR);
        RECT box{};
        GetRgnBox(region.Get(), &box);
        return ui::ToRect(box);
    }

    fs::path folder_;
    MadeUpMonitors* monitors_ = nullptr;
    std::unique_ptr<CMainWnd> drawer_;
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
