#include "ui/control_subclass.h"

namespace zarkit::ui {

bool ControlSubclass::Install(HWND control, Procedure procedure, void* self) {
    if (control == nullptr || GetWindowLongPtrW(control, GWLP_USERDATA) != 0) {
        return false;
    }
    procedure_ = procedure;
    self_ = self;
    SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Dispatch)));
    return original_ != nullptr;
}

LRESULT CALLBACK ControlSubclass::Dispatch(HWND window, UINT message, WPARAM wparam,
                                           LPARAM lparam) {
    auto* subclass = reinterpret_cast<ControlSubclass*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (subclass == nullptr) {
        return DefWindowProcW(window, message, wparam, lparam);
    }
    if (message == WM_NCDESTROY) {
        // The last message, which the procedure passes on to the control's own: nothing of
        // ours may be reached after it.
        const LRESULT result =
            subclass->procedure_(subclass->self_, window, message, wparam, lparam);
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        return result;
    }
    return subclass->procedure_(subclass->self_, window, message, wparam, lparam);
}

}  // namespace zarkit::ui
