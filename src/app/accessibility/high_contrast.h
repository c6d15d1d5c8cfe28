#pragma once

#include "core/drawer_palette.h"
#include "ui/win32.h"

// High contrast: whether the user asked for it, and the colours the drawer, its lists and
// the dialogs paint with in that mode.
namespace zarkit {

// Whether high contrast is on, as last read (read once, at the first question).
bool HighContrastOn();
// Reads the setting again.
void ReadHighContrast();

DrawerPalette CurrentDrawerPalette();
COLORREF ColourOf(const PaintColour& colour);

// After the user changed the system colours or high contrast: reads the setting again,
// passes the change on to the common controls in `top_level`, and repaints all of it.
void ApplySystemColours(HWND top_level);

}  // namespace zarkit
