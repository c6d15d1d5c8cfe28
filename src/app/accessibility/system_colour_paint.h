#pragma once

#include "core/drawer_palette.h"
#include "core/geometry.h"
#include "core/tab_strip_model.h"
#include "ui/win32.h"

// The drawer and its tab strip without the skin's bitmaps: plain fills, outlines and text
// in the palette's colours, in the rectangles the skin would have used.
namespace zarkit {

void FillWithColour(HDC dc, const Rect& rect, COLORREF colour);

// The tab bar and its two scroll buttons.
void PaintBarInSystemColours(HDC dc, const TabStripPaint& layout, ButtonState previous,
                             ButtonState next, const DrawerPalette& palette);

// One tab's face and outline; its name is drawn over it as with the skin.
void PaintTabFaceInSystemColours(HDC dc, const TabPlacement& placement,
                                 const DrawerPalette& palette);

// The product's name, reading upwards, centred where the edge graphic goes.
void PaintProductName(HDC dc, const Rect& where, const DrawerPalette& palette);

}  // namespace zarkit
