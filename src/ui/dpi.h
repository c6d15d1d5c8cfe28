#pragma once

#include "ui/win32.h"

namespace zarkit::ui {

// The DPI of the monitor a window is on. Windows 10 tells it per window; before that,
// the system's DPI is the only one.
int WindowDpi(HWND window);

}  // namespace zarkit::ui
