#pragma once

#include "ui/win32.h"

namespace zarkit::ui {

// The DPI of the monitor a window is on. Windows 10 tells it per window; before that,
// the system's DPI is the only one.
int WindowDpi(HWND window);

// The DPI a monitor is shown at (its effective DPI, Windows 8.1 onwards); the system's
// DPI where the system cannot tell monitors apart.
int MonitorDpi(HMONITOR monitor);

}  // namespace zarkit::ui
