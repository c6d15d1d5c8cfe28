// A window of another program for the keyboard tests: it takes the focus when it shows,
// as the window a user works in, or holds a global hot key, as another program would,
// showing without taking the focus.
//
//   focus_window TITLE                 shows a window with that title
//   focus_window TITLE MODIFIERS KEY   registers the hot key first (MOD_* bits and a
//                                      virtual-key code); ends with code 3 when it is taken
//
// It runs until its window is closed. Each WM_HOTKEY it gets is written to stdout.
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_HOTKEY:
            std::printf("hotkey %d\n", static_cast<int>(wparam));
            std::fflush(stdout);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wparam, lparam);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2 && argc != 4) {
        std::fprintf(stderr, "usage: focus_window TITLE [MODIFIERS KEY]\n");
        return 2;
    }
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = WindowProc;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    window_class.lpszClassName = L"ZarkitFocusWindow";
    if (!RegisterClassW(&window_class)) {
        return 2;
    }
    const HWND window = CreateWindowExW(0, L"ZarkitFocusWindow", argv[1], WS_OVERLAPPEDWINDOW, 600,
                                        120, 320, 200, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 2;
    }
    if (argc == 4) {
        const auto modifiers = static_cast<UINT>(std::wcstoul(argv[2], nullptr, 0));
        const auto key = static_cast<UINT>(std::wcstoul(argv[3], nullptr, 0));
        if (!RegisterHotKey(window, 1, modifiers, key)) {
            std::fprintf(stderr, "the hot key is taken: %lu\n", GetLastError());
            DestroyWindow(window);
            return 3;
        }
    }
    // A program holding a key only stands by; the other one is where the user works.
    if (argc == 4) {
        ShowWindow(window, SW_SHOWNOACTIVATE);
    } else {
        ShowWindow(window, SW_SHOW);
        SetForegroundWindow(window);
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
