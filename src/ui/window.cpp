#include "ui/window.h"

#include <utility>

#include "ui/trace.h"

namespace zarkit::ui {

// By now the derived parts are gone: the window must not dispatch to them while it is
// destroyed, so it is unbound first. A derived class that needs its WM_DESTROY calls
// Destroy() in its own destructor.
Window::~Window() {
    if (hwnd_ != nullptr) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(std::exchange(hwnd_, nullptr));
    }
}

void Window::Destroy() {
    if (hwnd_ != nullptr && !DestroyWindow(hwnd_)) {
        TraceLastError(L"Window::Destroy: DestroyWindow");
    }
}

bool Window::RegisterWindowClass(WNDCLASSEXW window_class) {
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = &Window::WindowProc;
    if (RegisterClassExW(&window_class) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        TraceLastError(L"RegisterClassExW");
        return false;
    }
    return true;
}

bool Window::RegisterWindowClass(const wchar_t* class_name) {
    WNDCLASSEXW window_class{};
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.lpszClassName = class_name;
    return RegisterWindowClass(window_class);
}

bool Window::Create(DWORD ex_style, const wchar_t* class_name, const wchar_t* title, DWORD style,
                    const Rect& rect, HWND parent, UINT_PTR id_or_menu) {
    const HWND hwnd = CreateWindowExW(
        ex_style, class_name, title, style, rect.left, rect.top, rect.Width(), rect.Height(),
        parent, reinterpret_cast<HMENU>(id_or_menu), GetModuleHandleW(nullptr), this);
    if (hwnd == nullptr) {
        TraceLastError(L"CreateWindowExW");
    }
    return hwnd != nullptr;
}

// By the class's procedure, not the window's: a subclassed window is still ours.
Window* Window::FromHwnd(HWND hwnd) {
    if (hwnd == nullptr ||
        GetClassLongPtrW(hwnd, GCLP_WNDPROC) != reinterpret_cast<ULONG_PTR>(&Window::WindowProc)) {
        return nullptr;
    }
    return reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

LRESULT Window::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    return DefaultProc(message, wparam, lparam);
}

LRESULT CALLBACK Window::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    Window* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (self == nullptr) {
        return DefWindowProcW(hwnd, message, wparam, lparam);
    }

    LRESULT result = 0;
    try {
        result = self->HandleMessage(message, wparam, lparam);
    } catch (...) {
        // An exception must not unwind through user32's frames. A window whose creation
        // threw is half built: it must not be created at all.
        Trace(L"Window::WindowProc: exception in message 0x%04X\n", message);
        if (message == WM_CREATE) {
            result = -1;
        } else if (message == WM_NCCREATE) {
            result = FALSE;
        } else {
            result = DefWindowProcW(hwnd, message, wparam, lparam);
        }
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

}  // namespace zarkit::ui
