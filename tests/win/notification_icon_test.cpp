#include "app/notification_icon.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/messages.h"
#include "ui/text.h"

namespace zarkit {
namespace {

constexpr wchar_t kBalloonText[] =
    L"Move your mouse to the left side of the screen.\n\nFrom now, VELMOR Zarkit will run on "
    L"your system. It can help you open and save files, directorys and websites very quickly! "
    L"If you also have any question, see help document or go to help online.";

// What the owner window saw of the menus tracked for it.
struct MenuSeen {
    int count = 0;
    std::vector<UINT> ids;
    std::vector<std::wstring> texts;
};
MenuSeen g_menu_seen;

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITMENUPOPUP) {
        const auto menu = reinterpret_cast<HMENU>(wparam);
        ++g_menu_seen.count;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            wchar_t text[64] = L"";
            GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
            g_menu_seen.ids.push_back(GetMenuItemID(menu, i));
            g_menu_seen.texts.push_back(text);
        }
        // Closes the menu as soon as it has been seen.
        PostMessageW(window, WM_CANCELMODE, 0, 0);
        EndMenu();
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

// A hidden top-level window stands in for the drawer.
class NotificationIconTest : public ::testing::Test {
protected:
    // Wine takes its tray window down when the last icon goes, which waits two seconds
    // for X; an icon of another window keeps it up while the tests come and go.
    static void SetUpTestSuite() {
        keeper_.cbSize = NOTIFYICONDATAW_V2_SIZE;
        keeper_.hWnd = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                       nullptr, nullptr);
        keeper_.uID = 1;
        Shell_NotifyIconW(NIM_ADD, &keeper_);
    }
    static void TearDownTestSuite() {
        Shell_NotifyIconW(NIM_DELETE, &keeper_);
        DestroyWindow(keeper_.hWnd);
    }

    void SetUp() override {
        WNDCLASSW window_class{};
        window_class.lpfnWndProc = OwnerProc;
        window_class.hInstance = GetModuleHandleW(nullptr);
        window_class.lpszClassName = L"ZarkitTrayOwnerTest";
        RegisterClassW(&window_class);
        window_ = CreateWindowExW(0, window_class.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10,
                                  nullptr, nullptr, window_class.hInstance, nullptr);
        ASSERT_NE(window_, nullptr);
        g_menu_seen = {};
    }
    void TearDown() override { DestroyWindow(window_); }

    // The posted messages waiting for the test thread, in order.
    std::vector<MSG> TakePosted() {
        std::vector<MSG> posted;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            posted.push_back(msg);
        }
        return posted;
    }

    static bool StillShown(HWND window) {
        NOTIFYICONDATAW probe{};
        probe.cbSize = NOTIFYICONDATAW_V2_SIZE;
        probe.hWnd = window;
        probe.uID = NotificationIcon::kIconId;
        probe.uFlags = NIF_TIP;
        return Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE;
    }

    HWND window_ = nullptr;
    static inline NOTIFYICONDATAW keeper_{};
};

TEST_F(NotificationIconTest, AddsWithTheBalloonOnceAndAgainWithoutIt) {
    NotificationIcon icon;
    EXPECT_TRUE(icon.Add(window_, true));
    const NOTIFYICONDATAW& data = icon.TrayData();
    EXPECT_EQ(data.cbSize, static_cast<DWORD>(NOTIFYICONDATAW_V2_SIZE));
    EXPECT_EQ(data.hWnd, window_);
    EXPECT_EQ(data.uID, 141u);
    EXPECT_EQ(data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO));
    EXPECT_EQ(data.uCallbackMessage, 0x544u);
    EXPECT_NE(data.hIcon, nullptr);
    EXPECT_STREQ(data.szTip, L"VELMOR Zarkit");
    EXPECT_EQ(data.uTimeout, 15000u);
    EXPECT_EQ(data.dwInfoFlags, static_cast<DWORD>(NIIF_INFO));
    EXPECT_STREQ(data.szInfoTitle, L"Congratulation!");
    EXPECT_STREQ(data.szInfo, kBalloonText);
    EXPECT_TRUE(StillShown(window_));

    // The task bar lost it: the same icon, the same tip, no balloon.
    ASSERT_TRUE(icon.Remove());
    EXPECT_FALSE(StillShown(window_));
    EXPECT_TRUE(icon.AddAgain());
    EXPECT_TRUE(StillShown(window_));
    EXPECT_EQ(data.hWnd, window_);
    EXPECT_EQ(data.uID, 141u);
    EXPECT_EQ(data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(data.uCallbackMessage, 0x544u);
    EXPECT_STREQ(data.szTip, L"VELMOR Zarkit");
    EXPECT_EQ(data.uTimeout, 0u);
    EXPECT_EQ(data.dwInfoFlags, 0u);
    EXPECT_STREQ(data.szInfoTitle, L"");
    EXPECT_STREQ(data.szInfo, L"");
}

TEST_F(NotificationIconTest, WithoutTheTipNoBalloonAndTheIconGoesWithItsObject) {
    {
        NotificationIcon icon;
        EXPECT_TRUE(icon.Add(window_, false));
        EXPECT_EQ(icon.TrayData().uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
        EXPECT_STREQ(icon.TrayData().szInfoTitle, L"");
        EXPECT_TRUE(StillShown(window_));
    }
    EXPECT_FALSE(StillShown(window_));

    // Before Add there is no window to add it for again, and nothing to remove.
    NotificationIcon unused;
    EXPECT_FALSE(unused.AddAgain());
    EXPECT_FALSE(unused.Remove());
}

TEST_F(NotificationIconTest, OnlyTheRightButtonsReleaseOpensTheOneItemMenu) {
    NotificationIcon icon;
    icon.Add(window_, false);
    TakePosted();
    for (const UINT ignored : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
                               WM_RBUTTONDOWN, WM_RBUTTONDBLCLK, WM_MBUTTONUP}) {
        icon.OnNotify(ignored);
    }
    EXPECT_EQ(g_menu_seen.count, 0);

    icon.OnNotify(WM_RBUTTONUP);
    EXPECT_EQ(g_menu_seen.count, 1);
    EXPECT_EQ(g_menu_seen.ids, std::vector<UINT>{32772});
    EXPECT_EQ(g_menu_seen.texts, std::vector<std::wstring>{L"Quit Zarkit"});
    // The null message after the menu, for the next one to behave.
    bool null_posted = false;
    for (const MSG& msg : TakePosted()) {
        null_posted |= msg.hwnd == window_ && msg.message == WM_NULL;
    }
    EXPECT_TRUE(null_posted);
}

TEST_F(NotificationIconTest, QuitCommandClosesTheWindowBeforeTheLoopEnds) {
    TakePosted();
    EXPECT_FALSE(NotificationIcon::OnCommand(window_, MAKEWPARAM(32772, 1)));  // accelerator
    EXPECT_FALSE(NotificationIcon::OnCommand(window_, MAKEWPARAM(32801, 0)));
    EXPECT_TRUE(TakePosted().empty());

    EXPECT_TRUE(NotificationIcon::OnCommand(window_, MAKEWPARAM(32772, 0)));
    const std::vector<MSG> posted = TakePosted();
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_EQ(posted[0].hwnd, window_);
    EXPECT_EQ(posted[0].message, static_cast<UINT>(WM_CLOSE));
    EXPECT_EQ(posted[1].message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(posted[1].wParam, 0u);
}

TEST(NotificationIcon, KnowsTheTaskBarsRestartMessageAndNothingElse) {
    EXPECT_TRUE(NotificationIcon::IsTaskbarCreated(RegisterWindowMessageW(L"TaskbarCreated")));
    EXPECT_FALSE(NotificationIcon::IsTaskbarCreated(0));
    EXPECT_FALSE(NotificationIcon::IsTaskbarCreated(WM_ZK_TRAYNOTIFY));
    EXPECT_FALSE(
        NotificationIcon::IsTaskbarCreated(RegisterWindowMessageW(L"TaskbarButtonCreated")));
}

}  // namespace
}  // namespace zarkit
