#include "core/drawer_geometry.h"

namespace zarkit {

Rect FullDrawerRect(int screen_width, int screen_height) {
    return Rect{0, screen_height / 8, (screen_width / 10) * 5, (screen_height / 8) * 7};
}

Rect ListFrameRect(const Rect& client, int edge_graphic_width) {
    return Rect{client.left + edge_graphic_width + 5, client.top + 20, client.right - 15,
                client.bottom - 20};
}

Point EdgeGraphicOrigin(const Rect& client, int edge_graphic_height) {
    return Point{client.left + 2,
                 client.top + (client.bottom - client.top - edge_graphic_height) / 2};
}

}  // namespace zarkit
