#include "ui/dpi.h"

#include "ui/handles.h"

namespace zarkit::ui {

int WindowDpi(HWND window) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto get_dpi_for_window =
        reinterpret_cast<GetDpiForWindowFunction>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (get_dpi_for_window != nullptr && window != nullptr) {
        if (const UINT dpi = get_dpi_for_window(window); dpi != 0) {
            return static_cast<int>(dpi);
        }
    }
    const WindowDc screen(nullptr);
    return screen.Get() != nullptr ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
}

}  // namespace zarkit::ui
