#pragma once

#include <windows.h>

#include <shellapi.h>

// A tray icon of the test's own, there while it lives. Under Wine the shell hides its tray
// window when the last icon goes, and with no window manager it then waits up to two
// seconds for one: with this icon in the tray a program under test that removes its own
// goes at once, as on Windows.
class TestTrayIcon {
public:
    TestTrayIcon()
        : window_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                  nullptr)) {
        data_.cbSize = sizeof data_;
        data_.hWnd = window_;
        data_.uID = 1;
        data_.uFlags = NIF_ICON | NIF_TIP;
        data_.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
        wcscpy_s(data_.szTip, L"Zarkit test");
        added_ = window_ != nullptr && Shell_NotifyIconW(NIM_ADD, &data_) != FALSE;
    }
    ~TestTrayIcon() {
        if (added_) {
            Shell_NotifyIconW(NIM_DELETE, &data_);
        }
        if (window_ != nullptr) {
            DestroyWindow(window_);
        }
    }
    TestTrayIcon(const TestTrayIcon&) = delete;
    TestTrayIcon& operator=(const TestTrayIcon&) = delete;

private:
    HWND window_;
    NOTIFYICONDATAW data_{};
    bool added_ = false;
};
