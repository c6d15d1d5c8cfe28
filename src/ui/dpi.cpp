#include "ui/dpi.h"

#include "ui/handles.h"

namespace zarkit::ui {
namespace {

int SystemDpi() {
    const WindowDc screen(nullptr);
    return screen.Get() != nullptr ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
}

}  // namespace

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
    return SystemDpi();
}

int MonitorDpi(HMONITOR monitor) {
    // MDT_EFFECTIVE_DPI; shcore.dll stays loaded for the life of the process.
    constexpr int kEffectiveDpi = 0;
    using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const auto get_dpi_for_monitor = [] {
        const HMODULE shcore = LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        return shcore == nullptr
                   ? nullptr
                   : reinterpret_cast<GetDpiForMonitorFunction>(
                         reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")));
    }();
    UINT x = 0;
    UINT y = 0;
    if (get_dpi_for_monitor != nullptr && monitor != nullptr &&
        SUCCEEDED(get_dpi_for_monitor(monitor, kEffectiveDpi, &x, &y)) && y != 0) {
        return static_cast<int>(y);
    }
    return SystemDpi();
}

}  // namespace zarkit::ui
