#pragma once

#include "ui/win32.h"

namespace zarkit::ui {

// Sees a common control's messages before the control does, by putting a procedure in
// front of the control's own. SetWindowSubclass does the same but finds its data through a
// window property at every message, which under Wine is a round trip to the server: a
// tenth of a millisecond for each of the thousands of messages a list of thousands of
// items gets. Here the data is in the control's GWLP_USERDATA, which the common controls
// leave to their owner. Undone when the control is destroyed.
class ControlSubclass {
public:
    // `procedure` gets every message with `self`; what it does not handle it passes to
    // CallOriginal.
    using Procedure = LRESULT (*)(void* self, HWND window, UINT message, WPARAM wparam,
                                  LPARAM lparam);

    ControlSubclass() = default;
    ControlSubclass(const ControlSubclass&) = delete;
    ControlSubclass& operator=(const ControlSubclass&) = delete;

    // False when the control's user data is taken already.
    bool Install(HWND control, Procedure procedure, void* self);
    LRESULT CallOriginal(HWND window, UINT message, WPARAM wparam, LPARAM lparam) const {
        return CallWindowProcW(original_, window, message, wparam, lparam);
    }

private:
    static LRESULT CALLBACK Dispatch(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

    WNDPROC original_ = nullptr;
    Procedure procedure_ = nullptr;
    void* self_ = nullptr;
};

}  // namespace zarkit::ui
