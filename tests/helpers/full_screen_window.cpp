// Stands in for a full-screen program (a game, a video, a slide show) in end-to-end
// tests: one borderless window over the whole primary screen, in the foreground, until
// it is closed. Its class and title are "ZkFullScreen".
//
//   full_screen_window             the full-screen program
//   full_screen_window maximised   instead a maximised window that draws its own title bar,
//                                  as browsers and editors do: its client area is the whole
//                                  window, which hangs over the screen's edges
#include <windows.h>

#include <cwchar>

namespace {

LRESULT CALLBACK FullScreenProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_NCCALCSIZE:
            // No frame of the system's: the client area is the whole window.
            return wparam ? 0 : DefWindowProcW(window, message, wparam, lparam);
        case WM_PAINT: {
            PAINTSTRUCT paint;
            const HDC dc = BeginPaint(window, &paint);
            FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
            EndPaint(window, &paint);
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wparam, lparam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR command_line, int) {
    const bool maximised = wcscmp(command_line, L"maximised") == 0;
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = FullScreenProc;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.lpszClassName = L"ZkFullScreen";
    RegisterClassW(&window_class);
    const HWND window = CreateWindowExW(
        0, L"ZkFullScreen", L"ZkFullScreen", maximised ? WS_OVERLAPPEDWINDOW : WS_POPUP, 0, 0,
        GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, instance,
        nullptr);
    ShowWindow(window, maximised ? SW_MAXIMIZE : SW_SHOW);
    SetForegroundWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
