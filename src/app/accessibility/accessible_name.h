#pragma once

#include <string_view>

#include "ui/text.h"
#include "ui/win32.h"

namespace zarkit {

// Names a list view for screen readers. The standard accessible object of a list view
// takes its name from the control's window text, which the control itself never shows.
inline void SetAccessibleName(HWND control, std::string_view name) {
    if (control != nullptr) {
        SetWindowTextW(control, ui::Widen(name).c_str());
    }
}

}  // namespace zarkit
