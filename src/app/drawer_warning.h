#pragma once

#include <string>

#include "ui/win32.h"

namespace zarkit {

// A warning box owned by the drawer that `window` is or lies in, so that it shows above
// the topmost drawer; the drawer does not slide while it is open.
void WarnOverDrawer(HWND window, const std::string& text);

}  // namespace zarkit
