#pragma once

#include "core/geometry.h"
#include "ui/win32.h"

namespace zarkit::ui {

// Base of every window kind we implement. One static window procedure binds the
// object to its HWND at WM_NCCREATE and unbinds it at WM_NCDESTROY; everything in
// between goes to the virtual HandleMessage, whose switch calls typed On... handlers.
class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Hwnd() const { return hwnd_; }

    // Registers a class whose window procedure routes to Window objects.
    static bool RegisterWindowClass(WNDCLASSEXW window_class);
    // The same for a plain class of this module: arrow cursor, no icon, no background.
    static bool RegisterWindowClass(const wchar_t* class_name);

    // Creates the window; false when CreateWindowExW failed (also when WM_CREATE said -1).
    bool Create(DWORD ex_style, const wchar_t* class_name, const wchar_t* title, DWORD style,
                const Rect& rect, HWND parent, UINT_PTR id_or_menu);

    // Destroys the window while the whole object still handles its messages.
    void Destroy();

    // The object bound to `hwnd` when it is a window of a class registered here, else null.
    static Window* FromHwnd(HWND hwnd);

protected:
    virtual LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT DefaultProc(UINT message, WPARAM wparam, LPARAM lparam) {
        return DefWindowProcW(hwnd_, message, wparam, lparam);
    }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

    HWND hwnd_ = nullptr;
};

}  // namespace zarkit::ui
