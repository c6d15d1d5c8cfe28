#include "app/main_wnd.h"

#include <utility>

#include "core/product.h"
#include "res/resource.h"
#include "ui/text.h"

namespace zarkit {

CMainWnd::CMainWnd(std::string module_directory) : m_ModuleDirectory(std::move(module_directory)) {}

CMainWnd::~CMainWnd() = default;

bool CMainWnd::RegisterWindowClass() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW window_class{};
    window_class.hInstance = instance;
    window_class.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME));
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    static const std::wstring class_name = ui::Widen(product::kDrawerClassName);
    window_class.lpszClassName = class_name.c_str();
    return ui::Window::RegisterClass(window_class);
}

bool CMainWnd::CreateDrawer(const Rect& full_rect) {
    // Topmost tool window (no taskbar button); a popup with a system menu, shown later.
    constexpr DWORD kExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    constexpr DWORD kStyle = WS_POPUP | WS_SYSMENU;
    static_assert(kExStyle == 0x88 && kStyle == 0x80080000);
    return Create(kExStyle, ui::Widen(product::kDrawerClassName).c_str(),
                  ui::Widen(product::kDrawerTitle).c_str(), kStyle, full_rect, nullptr, 0);
}

LRESULT CMainWnd::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_CREATE:
            return OnCreate();
        case WM_DESTROY:
            OnDestroy();
            return 0;
        default:
            return DefaultProc(message, wparam, lparam);
    }
}

int CMainWnd::OnCreate() {
    return 0;
}

void CMainWnd::OnDestroy() {
    // The drawer is the main window: its end is the end of the message loop.
    PostQuitMessage(0);
}

}  // namespace zarkit
