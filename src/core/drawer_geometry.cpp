#include "core/drawer_geometry.h"

namespace zarkit {

Rect DockEdge::ToEdge(const Rect& screen) const {
    if (side == DockSide::kRight) {
        return Rect{x - screen.right, screen.top, x - screen.left, screen.bottom};
    }
    return Rect{screen.left - x, screen.top, screen.right - x, screen.bottom};
}

Rect DockEdge::FromEdge(const Rect& edge) const {
    if (side == DockSide::kRight) {
        return Rect{x - edge.right, edge.top, x - edge.left, edge.bottom};
    }
    return Rect{edge.left + x, edge.top, edge.right + x, edge.bottom};
}

Point DockEdge::ToEdge(Point screen) const {
    // The column just inside a right edge is column 0 from it.
    return side == DockSide::kRight ? Point{x - 1 - screen.x, screen.y}
                                    : Point{screen.x - x, screen.y};
}

DockEdge EdgeOf(const Rect& monitor, DockSide side) {
    return DockEdge{side, side == DockSide::kRight ? monitor.right : monitor.left};
}

Rect OpenDrawerRect(const Rect& monitor, const DockEdge& edge) {
    const int width = (monitor.Width() / 10) * 5;
    const int eighth = monitor.Height() / 8;
    return edge.FromEdge(Rect{0, monitor.top + eighth, width, monitor.top + eighth * 7});
}

Rect StripRect(const Rect& open, const DockEdge& edge, int width) {
    return edge.FromEdge(Rect{0, open.top, width, open.bottom});
}

Rect ListFrameRect(const Rect& client, const DrawerMetrics& metrics, DockSide side) {
    const int edge_side = metrics.edge_graphic_width + metrics.list_frame_gap;
    const int inner_side = metrics.list_frame_right;
    const bool right = side == DockSide::kRight;
    return Rect{client.left + (right ? inner_side : edge_side), client.top + metrics.list_frame_top,
                client.right - (right ? edge_side : inner_side),
                client.bottom - metrics.list_frame_bottom};
}

Rect ListFrameOutline(const Rect& list_frame, DockSide side) {
    if (side == DockSide::kRight) {
        return Rect{list_frame.left - 1, list_frame.top, list_frame.right - 1, list_frame.bottom};
    }
    return list_frame;
}

Point EdgeGraphicOrigin(const Rect& client, const DrawerMetrics& metrics, DockSide side) {
    const int x = side == DockSide::kRight
                      ? client.right - metrics.edge_graphic_left - metrics.edge_graphic_width
                      : client.left + metrics.edge_graphic_left;
    return Point{x, client.top + (client.bottom - client.top - metrics.edge_graphic_height) / 2};
}

}  // namespace zarkit
