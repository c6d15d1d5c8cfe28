#include "core/drawer_geometry.h"

namespace zarkit {

Rect FullDrawerRect(int screen_width, int screen_height) {
    return Rect{0, screen_height / 8, (screen_width / 10) * 5, (screen_height / 8) * 7};
}

}  // namespace zarkit
