#include "app/hyperlink.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "test_files.h"
#include "ui/text.h"
#include <commctrl.h>

namespace zarkit {
namespace {

namespace fs = std::filesystem;

constexpr wchar_t kPageClass[] = L"ZarkitTests.Page";
constexpr wchar_t kScratchKey[] = L"Software\\ZarkitTests";

bool Underlined(HFONT font) {
    LOGFONTW description{};
    GetObjectW(font, sizeof description, &description);
    return description.lfUnderline != 0;
}

HFONT FontOf(HWND control) {
    return reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
}

// A dialog-like parent with one static control, away from the screen's corner so the
// pointer can be put outside it. Hidden: under Wine without a window manager, taking a
// shown window down waits two seconds for X.
class HyperlinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        parent_ = CreateWindowExW(0, WC_STATICW, L"", WS_POPUP, 300, 300, 400, 100, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(parent_, nullptr);
    }
    void TearDown() override {
        if (IsWindow(parent_)) {
            DestroyWindow(parent_);
        }
    }

    HWND MakeStatic(const wchar_t* text, DWORD style = SS_LEFT) {
        const HWND control = CreateWindowExW(0, WC_STATICW, text, WS_CHILD | WS_VISIBLE | style, 10,
                                             20, 300, 40, parent_, reinterpret_cast<HMENU>(1014),
                                             GetModuleHandleW(nullptr), nullptr);
        SendMessageW(control, WM_SETFONT,
                     reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        return control;
    }

    static RECT InParent(HWND control) {
        RECT rect{};
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    HWND parent_ = nullptr;
};

TEST_F(HyperlinkTest, AttachTakesTheTextAsTargetFitsItAndGivesTipAndHand) {
    const HWND control = MakeStatic(L"http://www.velmorsoft.com/");
    CHyperLink link;
    ASSERT_TRUE(link.Attach(control));
    EXPECT_FALSE(link.Attach(control));  // once only
    EXPECT_EQ(link.Target(), "http://www.velmorsoft.com/");
    EXPECT_NE(GetWindowLongPtrW(control, GWL_STYLE) & SS_NOTIFY, 0);

    // Fitted to the text as the underlined font measures it, left edge kept.
    SIZE extent{};
    {
        const HDC dc = GetDC(control);
        const HGDIOBJ old = SelectObject(dc, link.UnderlinedFont());
        GetTextExtentPoint32W(dc, L"http://www.velmorsoft.com/", 26, &extent);
        SelectObject(dc, old);
        ReleaseDC(control, dc);
    }
    const RECT fitted = InParent(control);
    EXPECT_EQ(fitted.left, 10);
    EXPECT_EQ(fitted.top, 20);
    EXPECT_EQ(fitted.right - fitted.left, extent.cx);
    EXPECT_EQ(fitted.bottom - fitted.top, extent.cy);

    EXPECT_FALSE(Underlined(link.PlainFont()));
    EXPECT_TRUE(Underlined(link.UnderlinedFont()));
    // The template's font stays until the pointer comes.
    EXPECT_EQ(FontOf(control), GetStockObject(DEFAULT_GUI_FONT));

    ASSERT_NE(link.TipWindow(), nullptr);
    EXPECT_EQ(SendMessageW(link.TipWindow(), TTM_GETTOOLCOUNT, 0, 0), 1);
    wchar_t tip[128] = L"";
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = control;
    tool.uId = 1;
    tool.lpszText = tip;
    SendMessageW(link.TipWindow(), TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(tip, L"http://www.velmorsoft.com/");

    ASSERT_NE(link.HandCursor(), nullptr);
    EXPECT_EQ(SendMessageW(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              TRUE);
    EXPECT_EQ(GetCursor(), link.HandCursor());
}

TEST_F(HyperlinkTest, RightAndCentredControlsKeepTheirAnchor) {
    const HWND right = MakeStatic(L"mail@example.com", SS_RIGHT);
    CHyperLink right_link;
    ASSERT_TRUE(right_link.Attach(right));
    EXPECT_EQ(InParent(right).right, 310);
    EXPECT_LT(InParent(right).left, 300);

    const HWND centred = MakeStatic(L"mail@example.com", SS_CENTER | SS_CENTERIMAGE);
    CHyperLink centred_link;
    ASSERT_TRUE(centred_link.Attach(centred));
    const RECT rect = InParent(centred);
    EXPECT_LE(std::abs((rect.left + rect.right) - 320), 1);
    EXPECT_LE(std::abs((rect.top + rect.bottom) - 80), 1);
}

TEST_F(HyperlinkTest, PointerUnderlinesAtOnceAndTheTimerTakesItAwayOutside) {
    const HWND control = MakeStatic(L"http://www.velmorsoft.com/");
    CHyperLink link;
    ASSERT_TRUE(link.Attach(control));
    const HDC dc = CreateCompatibleDC(nullptr);
    link.OnCtlColor(dc);
    EXPECT_EQ(GetTextColor(dc), RGB(255, 0, 238));

    // Inside: underlined, and it stays so across several timer ticks.
    RECT screen{};
    GetWindowRect(control, &screen);
    SetCursorPos(screen.left + 2, screen.top + 2);
    SendMessageW(control, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_TRUE(link.IsHovering());
    EXPECT_EQ(FontOf(control), link.UnderlinedFont());
    link.OnCtlColor(dc);
    EXPECT_EQ(GetTextColor(dc), RGB(255, 0, 0));
    EXPECT_FALSE(PumpUntil([&] { return !link.IsHovering(); }, 350));
    EXPECT_EQ(FontOf(control), link.UnderlinedFont());

    // Outside: a tick notices and the plain font comes back.
    SetCursorPos(50, 50);
    const auto left = std::chrono::steady_clock::now();
    EXPECT_TRUE(PumpUntil([&] { return !link.IsHovering(); }, 2000));
    std::printf("underline gone %lld ms after the pointer left\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                           std::chrono::steady_clock::now() - left)
                                           .count()));
    EXPECT_EQ(FontOf(control), link.PlainFont());
    EXPECT_FALSE(Underlined(FontOf(control)));
    DeleteDC(dc);

    // Underlined for good: leaving keeps it.
    link.SetUnderlineMode(CHyperLink::UnderlineAlways);
    EXPECT_EQ(FontOf(control), link.UnderlinedFont());
    SendMessageW(control, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_TRUE(PumpUntil([&] { return !link.IsHovering(); }, 2000));
    EXPECT_EQ(FontOf(control), link.UnderlinedFont());
}

TEST_F(HyperlinkTest, GoingWhileHoveredLeavesNothingBehind) {
    {
        // The control goes first, as in a closing dialog.
        const HWND control = MakeStatic(L"http://www.velmorsoft.com/");
        CHyperLink link;
        ASSERT_TRUE(link.Attach(control));
        SendMessageW(control, WM_MOUSEMOVE, 0, 0);
        const HWND tip = link.TipWindow();
        DestroyWindow(control);
        EXPECT_EQ(link.Hwnd(), nullptr);
        EXPECT_EQ(link.TipWindow(), nullptr);
        EXPECT_FALSE(IsWindow(tip));
    }
    {
        // The object goes first: the control keeps working with its own font.
        const HWND control = MakeStatic(L"http://www.velmorsoft.com/");
        HWND tip = nullptr;
        {
            CHyperLink link;
            ASSERT_TRUE(link.Attach(control));
            SendMessageW(control, WM_MOUSEMOVE, 0, 0);
            tip = link.TipWindow();
        }
        EXPECT_FALSE(IsWindow(tip));
        EXPECT_EQ(FontOf(control), GetStockObject(DEFAULT_GUI_FONT));
        SendMessageW(control, WM_MOUSEMOVE, 0, 0);
        PumpUntil([] { return false; }, 250);  // no timer of the link may fire now
        UpdateWindow(control);
    }
}

// The registry reads of the fallback, against hostile values.
class RegistryDefaultTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, kScratchKey);
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kScratchKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key_, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        RegCloseKey(key_);
        RegDeleteTreeW(HKEY_CURRENT_USER, kScratchKey);
    }
    void SetDefault(DWORD type, const void* data, DWORD size) {
        ASSERT_EQ(RegSetValueExW(key_, nullptr, 0, type, static_cast<const BYTE*>(data), size),
                  ERROR_SUCCESS);
    }
    HKEY key_ = nullptr;
};

TEST_F(RegistryDefaultTest, ReadsStringsUpTo260CharactersAndRefusesTheRest) {
    std::wstring value = L"untouched";
    EXPECT_EQ(CHyperLink::ReadRegDefault(HKEY_CURRENT_USER, L"Software\\ZarkitTests\\None", value),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(value, L"untouched");
    // A key without a default value.
    EXPECT_NE(CHyperLink::ReadRegDefault(HKEY_CURRENT_USER, kScratchKey, value), ERROR_SUCCESS);

    // Stored without its terminator.
    SetDefault(REG_SZ, L"htmlfile", 8 * sizeof(wchar_t));
    EXPECT_EQ(CHyperLink::ReadRegDefault(HKEY_CURRENT_USER, kScratchKey, value), ERROR_SUCCESS);
    EXPECT_EQ(value, L"htmlfile");

    const std::wstring longest(259, L'\x0416');
    SetDefault(REG_SZ, longest.c_str(), 260 * sizeof(wchar_t));
    EXPECT_EQ(CHyperLink::ReadRegDefault(HKEY_CURRENT_USER, kScratchKey, value), ERROR_SUCCESS);
    EXPECT_EQ(value, longest);
    const std::wstring too_long(300, L'x');
    SetDefault(REG_SZ, too_long.c_str(), 301 * sizeof(wchar_t));
    EXPECT_EQ(CHyperLink::ReadRegDefault(HKEY_CURRENT_USER, kScratchKey, value), ERROR_MORE_DATA);
    EXPECT_EQ(value, longest);

    const DWORD number = 42;
    SetDefault(REG_DWORD, &number, sizeof number);
    EXPECT_NE(CHyperLink::ReadRegDefault(HKEY_CURRENT_USER, kScratchKey, value), ERROR_SUCCESS);
}

// Opening through the program registered for web pages: the test registers a page class
// of its own, pointing at the launch marker, in the test prefix (which has none; Wine does
// not merge the user's classes into the classes root).
class HyperlinkOpenTest : public HyperlinkTest {
protected:
    void SetUp() override {
        HyperlinkTest::SetUp();
        HKEY existing = nullptr;
        if (RegOpenKeyExW(HKEY_CLASSES_ROOT, L".htm", 0, KEY_READ, &existing) == ERROR_SUCCESS) {
            RegCloseKey(existing);
            GTEST_SKIP() << "the prefix has a page class already";
        }
        wchar_t exe[MAX_PATH];
        GetModuleFileNameW(nullptr, exe, MAX_PATH);
        folder_ = fs::temp_directory_path() /
                  (L"zarkit_hyperlink_" + std::to_wstring(GetCurrentProcessId()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        fs::copy_file(fs::path(exe).parent_path() / L"launch_marker.exe",
                      folder_ / L"launch_marker.exe");
        registered_ = true;
    }
    void TearDown() override {
        if (registered_) {
            RegDeleteTreeW(HKEY_CLASSES_ROOT, L".htm");
            RegDeleteTreeW(HKEY_CLASSES_ROOT, kPageClass);
            std::error_code ignored;
            fs::remove_all(folder_, ignored);
        }
        HyperlinkTest::TearDown();
    }

    static void SetValue(const std::wstring& key, const std::wstring& value) {
        RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, value.c_str(),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
    void Register(const std::wstring& command) {
        SetValue(L".htm", kPageClass);
        SetValue(std::wstring(kPageClass) + L"\\shell\\open\\command", command);
    }
    std::wstring Marker() const { return (folder_ / L"launch_marker.exe").wstring(); }

    // The marker's record of its start, once it is there.
    std::string MarkerLine() const {
        std::string line;
        PumpUntil(
            [&] {
                std::ifstream in(folder_ / L"launch_marker.txt");
                return static_cast<bool>(std::getline(in, line));
            },
            10000);
        return line;
    }

    fs::path folder_;
    bool registered_ = false;
};

// The message box's text, read while it is up, then closed.
std::wstring g_box_text;
void CALLBACK CloseTheBox(HWND, UINT, UINT_PTR timer, DWORD) {
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM) -> BOOL {
            wchar_t class_name[16] = L"";
            GetClassNameW(window, class_name, 16);
            if (std::wstring(class_name) != L"#32770") {
                return TRUE;
            }
            wchar_t text[512] = L"";
            GetDlgItemTextW(window, 0xFFFF, text, 512);
            g_box_text = text;
            PostMessageW(window, WM_COMMAND, IDOK, 0);
            return FALSE;
        },
        0);
    if (!g_box_text.empty()) {
        KillTimer(nullptr, timer);
    }
}

// Clicks the control; the text of the message box it showed, if any, which is closed.
std::wstring ClickAndCloseAnyBox(HWND control) {
    g_box_text.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, CloseTheBox);
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    KillTimer(nullptr, timer);
    return g_box_text;
}

// Not a protocol or file anything handles: the shell gives up and the fallback runs.
const char kUnopenable[] = "zarkit-nowhere:\xD0\x96\xD0\xB0\xD1\x80/page";

TEST_F(HyperlinkOpenTest, WhatTheShellCannotOpenGoesToTheRegisteredProgram) {
    Register(L"\"" + Marker() + L"\" -osint -url \"%1\" -ignored");
    const HWND control = MakeStatic(ui::Widen(kUnopenable).c_str());
    CHyperLink link;
    ASSERT_TRUE(link.Attach(control));

    // Clicked as the user would: the fallback starts the marker, the link is visited.
    EXPECT_EQ(ClickAndCloseAnyBox(control), L"");
    EXPECT_TRUE(link.IsVisited());
    EXPECT_FALSE(link.IsHovering());
    const std::string line = MarkerLine();
    EXPECT_NE(line.find("\"args\": [\"-osint\", \"-url\", \"" + std::string(kUnopenable) + "\"]"),
              std::string::npos)
        << line;
}

TEST_F(HyperlinkOpenTest, ACommandWithoutPlaceholderGetsTheTargetAtItsEnd) {
    Register(L"\"" + Marker() + L"\" --new-window");
    CHyperLink link;
    EXPECT_GT(link.OpenTarget(kUnopenable, SW_SHOWNOACTIVATE), 32);
    const std::string line = MarkerLine();
    EXPECT_NE(line.find("\"args\": [\"--new-window\", \"" + std::string(kUnopenable) + "\"]"),
              std::string::npos)
        << line;
}

TEST_F(HyperlinkOpenTest, AnAddressWithAnAtSignBecomesAMailMessage) {
    // The prefix's mail handler, lent to the marker for this test.
    const std::wstring key = L"mailto\\shell\\open\\command";
    std::wstring handler;
    ASSERT_EQ(CHyperLink::ReadRegDefault(HKEY_CLASSES_ROOT, key, handler), ERROR_SUCCESS);
    SetValue(key, L"\"" + Marker() + L"\" \"%1\"");
    struct Restore {
        const std::wstring& key;
        const std::wstring& handler;
        ~Restore() { SetValue(key, handler); }
    } restore{key, handler};

    const HWND control = MakeStatic(L"support@velmorsoft.com");
    CHyperLink link;
    ASSERT_TRUE(link.Attach(control));
    EXPECT_EQ(ClickAndCloseAnyBox(control), L"");
    EXPECT_TRUE(link.IsVisited());
    const std::string line = MarkerLine();
    EXPECT_NE(line.find("\"args\": [\"mailto: support@velmorsoft.com?subject=Ask for help\"]"),
              std::string::npos)
        << line;
}

TEST_F(HyperlinkOpenTest, AFailedOpenSaysWhyAndIsNotVisited) {
    Register((folder_ / L"missing.exe").wstring() + L" %1");
    const HWND control = MakeStatic(ui::Widen(kUnopenable).c_str());
    CHyperLink link;
    ASSERT_TRUE(link.Attach(control));
    link.MarkVisited(true);

    EXPECT_EQ(ClickAndCloseAnyBox(control),
              L"Unable to open hyperlink:\n\nThe specified file was not found.");
    EXPECT_FALSE(link.IsVisited());
}

}  // namespace
}  // namespace zarkit
