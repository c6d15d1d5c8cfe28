#include "core/full_screen_guard.h"

#include <gtest/gtest.h>

namespace zarkit {
namespace {

constexpr Rect kMonitor{0, 0, 1920, 1080};

ForegroundWindow Window(const Rect& window, const Rect& client, bool caption) {
    ForegroundWindow facts;
    facts.exists = true;
    facts.visible = true;
    facts.has_caption = caption;
    facts.class_name = "GameWindowClass";
    facts.window = window;
    facts.client = client;
    return facts;
}

ForegroundWindow Borderless(const Rect& rect) {
    return Window(rect, rect, false);
}

TEST(FullScreenGuard, BorderlessWindowCoveringTheMonitorIsFullScreen) {
    EXPECT_TRUE(IsFullScreenProgram(Borderless(kMonitor), kMonitor));
    EXPECT_TRUE(IsFullScreenProgram(Borderless({-10, -10, 1930, 1090}), kMonitor));
    // A pixel short on any side is not.
    EXPECT_FALSE(IsFullScreenProgram(Borderless({1, 0, 1920, 1080}), kMonitor));
    EXPECT_FALSE(IsFullScreenProgram(Borderless({0, 0, 1920, 1079}), kMonitor));
}

TEST(FullScreenGuard, MaximisedWindowsWithACaptionAreNot) {
    // Task bar visible: the borders hang over three edges, the bottom stops at the work area.
    EXPECT_FALSE(
        IsFullScreenProgram(Window({-8, -8, 1928, 1048}, {0, 23, 1920, 1040}, true), kMonitor));
    // Task bar hidden: the window covers the monitor, its client area does not.
    EXPECT_FALSE(
        IsFullScreenProgram(Window({-8, -8, 1928, 1088}, {0, 23, 1920, 1080}, true), kMonitor));
    // A captioned window whose caption is pushed off screen shows only its client area.
    EXPECT_TRUE(
        IsFullScreenProgram(Window({-8, -31, 1928, 1088}, {0, 0, 1920, 1080}, true), kMonitor));
}

TEST(FullScreenGuard, MaximisedWindowsThatDrawTheirOwnTitleBarAreNot) {
    // A browser or editor with its own title bar: the client area is the whole window,
    // and maximised the window hangs over every edge of the monitor.
    for (const bool caption : {false, true}) {
        ForegroundWindow browser = Window({-8, -8, 1928, 1088}, {-8, -8, 1928, 1088}, caption);
        browser.maximised = true;
        EXPECT_FALSE(IsFullScreenProgram(browser, kMonitor)) << caption;
        browser.maximised = false;
        EXPECT_TRUE(IsFullScreenProgram(browser, kMonitor)) << caption;
    }
}

TEST(FullScreenGuard, TheShellsAnswerCountsOnTheDrawersMonitor) {
    // An exclusive full-screen game or a presentation, whatever its window looks like.
    const ForegroundWindow small = Window({100, 100, 500, 400}, {108, 131, 492, 392}, true);
    for (const ShellUserState busy : {ShellUserState::kFullScreenBusy, ShellUserState::kDirect3D,
                                      ShellUserState::kPresentation}) {
        EXPECT_TRUE(IsFullScreenProgram(small, kMonitor, busy));
        EXPECT_TRUE(IsFullScreenProgram(ForegroundWindow{}, kMonitor, busy));
        // Full screen on the monitor beside the drawer's leaves the drawer alone.
        EXPECT_FALSE(IsFullScreenProgram(Borderless({1920, 0, 3840, 1080}), kMonitor, busy));
        ForegroundWindow ours = Borderless(kMonitor);
        ours.ours = true;
        EXPECT_FALSE(IsFullScreenProgram(ours, kMonitor, busy));
    }
    // A normal state or no answer leaves it to the window test.
    for (const ShellUserState calm : {ShellUserState::kNormal, ShellUserState::kUnknown}) {
        EXPECT_FALSE(IsFullScreenProgram(small, kMonitor, calm));
        EXPECT_TRUE(IsFullScreenProgram(Borderless(kMonitor), kMonitor, calm));
    }
}

TEST(FullScreenGuard, TheDesktopTheShellAndOurselvesAreNot) {
    for (const char* shell :
         {"Progman", "WorkerW", "Shell_TrayWnd", "Shell_SecondaryTrayWnd", "progman", "WORKERW"}) {
        ForegroundWindow desktop = Borderless(kMonitor);
        desktop.class_name = shell;
        EXPECT_FALSE(IsFullScreenProgram(desktop, kMonitor)) << shell;
    }
    ForegroundWindow near = Borderless(kMonitor);
    near.class_name = "Progman2";
    EXPECT_TRUE(IsFullScreenProgram(near, kMonitor));
    ForegroundWindow ours = Borderless(kMonitor);
    ours.ours = true;
    EXPECT_FALSE(IsFullScreenProgram(ours, kMonitor));
}

TEST(FullScreenGuard, HiddenMinimisedOrMissingWindowsAreNot) {
    ForegroundWindow hidden = Borderless(kMonitor);
    hidden.visible = false;
    ForegroundWindow minimised = Borderless(kMonitor);
    minimised.minimised = true;
    ForegroundWindow none = Borderless(kMonitor);
    none.exists = false;
    EXPECT_FALSE(IsFullScreenProgram(hidden, kMonitor));
    EXPECT_FALSE(IsFullScreenProgram(minimised, kMonitor));
    EXPECT_FALSE(IsFullScreenProgram(none, kMonitor));
    EXPECT_FALSE(IsFullScreenProgram(ForegroundWindow{}, kMonitor));
}

TEST(FullScreenGuard, OnlyTheDrawersMonitorCounts) {
    // Full screen on a second monitor right of the drawer's leaves the strip alone.
    EXPECT_FALSE(IsFullScreenProgram(Borderless({1920, 0, 3840, 1080}), kMonitor));
    // Spanning both monitors covers the drawer's.
    EXPECT_TRUE(IsFullScreenProgram(Borderless({0, 0, 3840, 1080}), kMonitor));
    // An empty monitor rectangle (the query failed) never blocks the drawer.
    EXPECT_FALSE(IsFullScreenProgram(Borderless(kMonitor), Rect{}));
}

}  // namespace
}  // namespace zarkit
