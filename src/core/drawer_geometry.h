#pragma once

#include "core/dpi_scale.h"
#include "core/geometry.h"

namespace zarkit {

// The open drawer on a cx x cy primary screen: half the width (rounded down to
// tenths first), three quarters of the height, centred vertically. Each division
// truncates, so odd sizes give the same rectangle the program always had.
Rect FullDrawerRect(int screen_width, int screen_height);

// Where the tab strip sits in the drawer's client area: right of the edge graphic,
// inside the border.
Rect ListFrameRect(const Rect& client, const DrawerMetrics& metrics);

// Top-left of the edge graphic: against the left border, centred vertically (clipped
// at both ends when the drawer is shorter than the graphic).
Point EdgeGraphicOrigin(const Rect& client, const DrawerMetrics& metrics);

}  // namespace zarkit
