// The real drawer, on monitors made up for the test, over a store of its own.
#pragma once

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

inline constexpr int kTabStripId = 1222;

// The monitors the drawer asks for, as the test sets them.
class MadeUpMonitors final : public MonitorSource {
public:
    explicit MadeUpMonitors(std::vector<Monitor> monitors) : m_List(std::move(monitors)) {}
    std::vector<Monitor> Monitors() const override { return m_List; }
    std::vector<Monitor> m_List;
};

inline Monitor MakeMonitor(Rect bounds, const char* name, bool primary, int dpi = 96) {
    return Monitor{bounds, bounds, dpi, name, primary};
}

// A store of two tables, Common and Tools, the drawer collapsed at start.
inline std::string DrawerSettings(const std::string& extra) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><!--VELMOR SOFT Zarkit config file!-->"
           "<File_Desc><Start_OnWindow>no</Start_OnWindow><Show_TickCount>450</Show_TickCount>"
           "<Show_TipOnStart>no</Show_TipOnStart><Animate_WindowOnStart>no</Animate_WindowOnStart>"
           "<SelTable_MouseOn>no</SelTable_MouseOn><Hot_Key></Hot_Key>" +
           extra +
           "<Table_Node><Table_Lable>Common</Table_Lable></Table_Node>"
           "<Table_Node><Table_Lable>Tools</Table_Lable></Table_Node></File_Desc>";
}

class DrawerTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = FreshTestFolder(L"zk_drawer");
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

    // The drawer made and shown, not yet painted.
    void Create(std::vector<Monitor> monitors, const std::string& extra_settings = "") {
        CreateOn(std::move(monitors), DrawerSettings(extra_settings));
    }
    void CreateOn(std::vector<Monitor> monitors, const std::string& store) {
        std::ofstream(folder_ / L"info_data.xml", std::ios::binary) << store;
        auto source = std::make_unique<MadeUpMonitors>(std::move(monitors));
        monitors_ = source.get();
        drawer_ =
            std::make_unique<CMainWnd>(ui::Narrow(folder_.wstring()) + "\\", "", std::move(source));
        ASSERT_TRUE(drawer_->CreateDrawer());
        ShowWindow(drawer_->Hwnd(), SW_SHOWNOACTIVATE);
    }

    // Painted once, and what waits for that done (nothing else runs meanwhile: the
    // sliding's timer would collapse the strip).
    void PaintAndRest() {
        UpdateWindow(drawer_->Hwnd());
        MSG rest;
        while (
            PeekMessageW(&rest, drawer_->Hwnd(), WM_ZK_STARTUPREST, WM_ZK_STARTUPREST, PM_REMOVE)) {
            DispatchMessageW(&rest);
        }
    }

    // Made, shown and painted: the strip lists its first table.
    void Start(std::vector<Monitor> monitors, const std::string& extra_settings = "") {
        Create(std::move(monitors), extra_settings);
        PaintAndRest();
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

    std::filesystem::path folder_;
    MadeUpMonitors* monitors_ = nullptr;
    std::unique_ptr<CMainWnd> drawer_;
};

}  // namespace zarkit
