#pragma once

#include "core/geometry.h"

namespace zarkit {

// The open drawer on a cx x cy primary screen: half the width (rounded down to
// tenths first), three quarters of the height, centred vertically. Each division
// truncates, so odd sizes give the same rectangle the program always had.
Rect FullDrawerRect(int screen_width, int screen_height);

}  // namespace zarkit
