#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/product.h"
#include "ui/handles.h"
#include "ui/text.h"

namespace zarkit {
namespace {

enum class Kind {
    kDefaultButton,
    kButton,
    kLabel,
    kGroupBox,
    kEdit,
    kCheckBox,
    kRule,
    kIcon,
    kHotKey,
    kDropDownList
};

struct Control {
    int id;
    Kind kind;
    std::wstring text;
    RECT units;  // left, top, width, height in dialog units
};

struct Template {
    int id;
    const wchar_t* caption;
    int width;
    int height;
    std::vector<Control> controls;  // in template order
};

// Ids as numbers: they are checked from outside, so resource.h must not drift.
const std::vector<Template>& Templates() {
    static const std::vector<Template> templates = {
        {147,
         L"Add Table",
         165,
         54,
         {{IDOK, Kind::kDefaultButton, L"OK", {23, 33, 50, 14}},
          {IDCANCEL, Kind::kButton, L"Cancel", {87, 33, 50, 14}},
          {-1, Kind::kLabel, L"Table Name:", {7, 14, 41, 8}},
          {1001, Kind::kEdit, L"", {52, 11, 100, 14}}}},
        {154,
         L"ReName Table",
         193,
         63,
         {{IDOK, Kind::kDefaultButton, L"OK", {25, 42, 50, 14}},
          {IDCANCEL, Kind::kButton, L"Cancel", {117, 42, 50, 14}},
          {-1, Kind::kLabel, L"Old Table Name:", {7, 7, 62, 8}},
          {1005, Kind::kLabel, L"", {72, 7, 104, 8}},
          {-1, Kind::kLabel, L"New Table Name:", {7, 23, 69, 8}},
          {1003, Kind::kEdit, L"", {72, 20, 112, 14}}}},
        {155,
         L"Add Items",
         222,
         182,
         {{IDOK, Kind::kDefaultButton, L"OK", {48, 161, 50, 14}},
          {IDCANCEL, Kind::kButton, L"Cancel", {121, 161, 50, 14}},
          {-1, Kind::kLabel, L"Enter WebSite  (http://...)", {14, 16, 86, 8}},
          {-1, Kind::kGroupBox, L"Web Site", {7, 7, 208, 52}},
          {-1,
           Kind::kLabel,
           L"Or you can drop the adress from your web browser directly",
           {14, 26, 191, 8}},
          {1003, Kind::kEdit, L"", {17, 39, 193, 14}},
          {-1, Kind::kGroupBox, L"File Path", {7, 63, 208, 58}},
          {-1, Kind::kLabel, L"You can enter file path directly or use browse", {14, 72, 146, 8}},
          {1006, Kind::kEdit, L"", {17, 86, 189, 14}},
          {1007, Kind::kButton, L"Browse", {155, 105, 50, 14}},
          {-1, Kind::kLabel, L"Display Name (Optional)", {19, 128, 78, 8}},
          {1008, Kind::kEdit, L"", {19, 140, 186, 14}}}},
        {156,
         L"Settings",
         292,
         172,
         {{IDOK, Kind::kDefaultButton, L"OK", {89, 151, 50, 14}},
          {IDCANCEL, Kind::kButton, L"Cancel", {153, 151, 50, 14}},
          {1009, Kind::kCheckBox, L"Start Zarkit on windows start.", {24, 7, 129, 10}},
          {1010, Kind::kCheckBox, L"Show tip on start.", {24, 21, 73, 10}},
          {1011, Kind::kCheckBox, L"Animate window when start.", {24, 35, 107, 10}},
          {1017, Kind::kCheckBox, L"Select table on mouse move on.", {24, 49, 118, 10}},
          {1025, Kind::kCheckBox, L"Sort icons by name", {24, 63, 118, 10}},
          {1002, Kind::kEdit, L"", {136, 75, 40, 14}},
          {-1, Kind::kLabel, L"Show window after mouse on left", {24, 79, 108, 8}},
          {-1, Kind::kLabel, L"milliseconds", {183, 77, 38, 8}},
          {1018, Kind::kLabel, L"Hot key to open the drawer", {24, 97, 108, 8}},
          {1019, Kind::kHotKey, L"", {136, 94, 58, 14}},
          {1026, Kind::kCheckBox, L"+ Win", {198, 96, 34, 10}},
          {1020, Kind::kLabel, L"Screen:", {24, 115, 26, 8}},
          {1021, Kind::kDropDownList, L"", {52, 113, 158, 80}},
          {1022, Kind::kLabel, L"Side:", {218, 115, 18, 8}},
          {1023, Kind::kDropDownList, L"", {238, 113, 42, 40}},
          {1024,
           Kind::kLabel,
           L"The pointer does not stop at this edge: another screen lies beyond it.",
           {24, 131, 256, 16}}}},
        {153,
         L"About Zarkit",
         246,
         119,
         {{IDOK, Kind::kDefaultButton, L"OK", {165, 88, 50, 14}},
          {-1, Kind::kLabel, L"Copyright (C) 2026 VELMOR Soft", {14, 84, 123, 8}},
          {-1, Kind::kLabel, L"All rights reserved.", {14, 100, 62, 8}},
          {1012, Kind::kLabel, L"", {64, 6, 149, 8}},
          {-1, Kind::kRule, L"", {15, 76, 209, 1}},
          {1014, Kind::kLabel, ui::Widen(product::kHomePage), {64, 41, 159, 8}},
          {1015, Kind::kLabel, ui::Widen(product::kSupportEmail), {64, 57, 150, 8}},
          {-1, Kind::kLabel, L"Home Page:", {10, 41, 40, 8}},
          {-1, Kind::kLabel, L"Support Email:", {10, 57, 47, 8}},
          {-1, Kind::kIcon, L"", {14, 9, 20, 20}}}},
    };
    return templates;
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// A dialog made from its template, hidden, gone at the end of the scope.
class TemplateWindow {
public:
    explicit TemplateWindow(int id)
        : hwnd_(CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), nullptr,
                                   &PlainDialogProc, 0)) {}
    ~TemplateWindow() {
        if (hwnd_ != nullptr) {
            DestroyWindow(hwnd_);
        }
    }
    TemplateWindow(const TemplateWindow&) = delete;
    TemplateWindow& operator=(const TemplateWindow&) = delete;
    HWND Get() const { return hwnd_; }

private:
    HWND hwnd_;
};

void ExpectKind(HWND control, Kind kind) {
    const auto style = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
    const std::wstring cls = ClassOf(control);
    const bool tab_stop = (style & WS_TABSTOP) != 0;
    switch (kind) {
        case Kind::kDefaultButton:
        case Kind::kButton:
        case Kind::kGroupBox:
        case Kind::kCheckBox: {
            EXPECT_EQ(CompareStringOrdinal(cls.c_str(), -1, L"Button", -1, TRUE), CSTR_EQUAL)
                << cls;
            const DWORD type = style & BS_TYPEMASK;
            const DWORD expected = kind == Kind::kDefaultButton ? BS_DEFPUSHBUTTON
                                   : kind == Kind::kButton      ? BS_PUSHBUTTON
                                   : kind == Kind::kGroupBox    ? BS_GROUPBOX
                                                                : BS_AUTOCHECKBOX;
            EXPECT_EQ(type, expected);
            EXPECT_EQ(tab_stop, kind != Kind::kGroupBox);
            break;
        }
        case Kind::kEdit:
            EXPECT_EQ(CompareStringOrdinal(cls.c_str(), -1, L"Edit", -1, TRUE), CSTR_EQUAL) << cls;
            EXPECT_TRUE(tab_stop);
            // The dialog manager turns a template's border into a sunken client edge.
            EXPECT_TRUE((style & WS_BORDER) ||
                        (GetWindowLongW(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE));
            EXPECT_TRUE(style & ES_AUTOHSCROLL);
            EXPECT_FALSE(style & (ES_READONLY | ES_MULTILINE | ES_NUMBER | ES_PASSWORD));
            break;
        case Kind::kHotKey:
            EXPECT_EQ(CompareStringOrdinal(cls.c_str(), -1, HOTKEY_CLASSW, -1, TRUE), CSTR_EQUAL)
                << cls;
            EXPECT_TRUE(tab_stop);
            break;
        case Kind::kDropDownList:
            EXPECT_EQ(CompareStringOrdinal(cls.c_str(), -1, WC_COMBOBOXW, -1, TRUE), CSTR_EQUAL)
                << cls;
            EXPECT_TRUE(tab_stop);
            // A list to choose from: nothing can be typed, and the entries keep their order.
            EXPECT_EQ(style & 0x3, static_cast<DWORD>(CBS_DROPDOWNLIST));
            EXPECT_FALSE(style & CBS_SORT);
            break;
        case Kind::kLabel:
        case Kind::kRule:
        case Kind::kIcon: {
            EXPECT_EQ(CompareStringOrdinal(cls.c_str(), -1, L"Static", -1, TRUE), CSTR_EQUAL)
                << cls;
            EXPECT_FALSE(tab_stop);
            const DWORD type = style & SS_TYPEMASK;
            EXPECT_EQ(type, kind == Kind::kLabel  ? static_cast<DWORD>(SS_LEFT)
                            : kind == Kind::kRule ? static_cast<DWORD>(SS_BLACKFRAME)
                                                  : static_cast<DWORD>(SS_ICON));
            if (kind == Kind::kIcon) {
                EXPECT_NE(SendMessageW(control, STM_GETICON, 0, 0), 0);
            }
            break;
        }
    }
}

TEST(DialogResources, EveryTemplateHasItsCaptionFrameFontSizeAndControlsInOrder) {
    for (const Template& expected : Templates()) {
        SCOPED_TRACE(expected.id);
        TemplateWindow dialog(expected.id);
        ASSERT_NE(dialog.Get(), nullptr);
        EXPECT_EQ(TextOf(dialog.Get()), expected.caption);

        const auto style = static_cast<DWORD>(GetWindowLongW(dialog.Get(), GWL_STYLE));
        constexpr DWORD kFrame = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
        EXPECT_EQ(style & kFrame, kFrame);
        EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | DS_CENTER));

        const auto font = reinterpret_cast<HFONT>(SendMessageW(dialog.Get(), WM_GETFONT, 0, 0));
        LOGFONTW logfont{};
        ASSERT_EQ(GetObjectW(font, sizeof logfont, &logfont), static_cast<int>(sizeof logfont));
        EXPECT_STREQ(logfont.lfFaceName, L"MS Shell Dlg");
        const ui::WindowDc screen(nullptr);
        EXPECT_EQ(logfont.lfHeight, -MulDiv(8, GetDeviceCaps(screen.Get(), LOGPIXELSY), 72));

        RECT size{0, 0, expected.width, expected.height};
        MapDialogRect(dialog.Get(), &size);
        RECT client{};
        GetClientRect(dialog.Get(), &client);
        EXPECT_EQ(client.right, size.right);
        EXPECT_EQ(client.bottom, size.bottom);

        // Children are kept in template order, which is also the tab order.
        HWND child = GetWindow(dialog.Get(), GW_CHILD);
        for (const Control& control : expected.controls) {
            SCOPED_TRACE(control.text);
            ASSERT_NE(child, nullptr) << "fewer controls than expected";
            EXPECT_EQ(GetDlgCtrlID(child), control.id);
            if (control.kind != Kind::kIcon) {  // an icon's text is its resource number
                EXPECT_EQ(TextOf(child), control.text);
            }
            ExpectKind(child, control.kind);

            // Position and size are converted apart, each rounded on its own.
            RECT want = control.units;
            MapDialogRect(dialog.Get(), &want);
            RECT got{};
            GetWindowRect(child, &got);
            MapWindowPoints(HWND_DESKTOP, dialog.Get(), reinterpret_cast<POINT*>(&got), 2);
            EXPECT_EQ(got.left, want.left);
            EXPECT_EQ(got.top, want.top);
            if (control.kind != Kind::kIcon) {  // an icon sizes its static to itself
                EXPECT_EQ(got.right - got.left, want.right);
                // A drop-down list's height is that of its open list; closed, the system
                // sizes it to its font.
                if (control.kind != Kind::kDropDownList) {
                    EXPECT_EQ(got.bottom - got.top, want.bottom);
                }
            }
            child = GetWindow(child, GW_HWNDNEXT);
        }
        EXPECT_EQ(child, nullptr) << "more controls than expected";
    }
}

struct Entry {
    UINT id;  // 0 for a separator
    const wchar_t* text;
};

void ExpectMenu(int id, const wchar_t* popup_name, const std::vector<Entry>& entries) {
    SCOPED_TRACE(id);
    ui::MenuHandle menu(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id)));
    ASSERT_TRUE(menu);
    ASSERT_EQ(GetMenuItemCount(menu.Get()), 1);
    wchar_t name[64] = L"";
    GetMenuStringW(menu.Get(), 0, name, 64, MF_BYPOSITION);
    EXPECT_STREQ(name, popup_name);

    const HMENU popup = GetSubMenu(menu.Get(), 0);
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(entries.size()));
    for (UINT i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(i);
        wchar_t text[64] = L"";
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = 64;
        ASSERT_TRUE(GetMenuItemInfoW(popup, i, TRUE, &info));
        EXPECT_EQ(info.hSubMenu, nullptr);
        if (entries[i].id == 0) {
            EXPECT_TRUE(info.fType & MFT_SEPARATOR);
        } else {
            EXPECT_FALSE(info.fType & MFT_SEPARATOR);
            EXPECT_EQ(info.wID, entries[i].id);
            EXPECT_STREQ(text, entries[i].text);
        }
    }
}

TEST(DialogResources, ItemMenuHoldsItsFourEntries) {
    ExpectMenu(145, L"RClickSel",
               {{32778, L"Rename"}, {32774, L"Delete"}, {0, nullptr}, {32803, L"Go to location"}});
}

TEST(DialogResources, DrawerMenuHoldsItsEntriesInOrder) {
    ExpectMenu(146, L"RClickUnSel",
               {{32775, L"Add Table"},
                {32776, L"Del Table"},
                {32799, L"ReName Table"},
                {0, nullptr},
                {32790, L"Add My Computer"},
                {32791, L"Add Desktop"},
                {32792, L"Add My Documents"},
                {32795, L"Add WebSite"},
                {32796, L"Add Path"},
                {0, nullptr},
                {32794, L"Settings"},
                {0, nullptr},
                {32804, L"Help"},
                {32798, L"About Zarkit"},
                {0, nullptr},
                {32801, L"Quit"}});
}

}  // namespace
}  // namespace zarkit
