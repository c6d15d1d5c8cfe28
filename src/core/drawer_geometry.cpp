#include "core/drawer_geometry.h"

namespace zarkit {

Rect FullDrawerRect(int screen_width, int screen_height) {
    return Rect{0, screen_height / 8, (screen_width / 10) * 5, (screen_height / 8) * 7};
}

Rect ListFrameRect(const Rect& client, const DrawerMetrics& metrics) {
    return Rect{client.left + metrics.edge_graphic_width + metrics.list_frame_gap,
                client.top + metrics.list_frame_top, client.right - metrics.list_frame_right,
                client.bottom - metrics.list_frame_bottom};
}

Point EdgeGraphicOrigin(const Rect& client, const DrawerMetrics& metrics) {
    return Point{client.left + metrics.edge_graphic_left,
                 client.top + (client.bottom - client.top - metrics.edge_graphic_height) / 2};
}

}  // namespace zarkit
