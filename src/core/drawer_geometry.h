#pragma once

#include "core/dock_setting.h"
#include "core/dpi_scale.h"
#include "core/geometry.h"

namespace zarkit {

// A screen edge the drawer stands against, and coordinates measured from it into its
// monitor. Sliding and layout are worked out once for an edge at x = 0 with the monitor to
// its right; at a right edge the same picture is mirrored, so the drawer opens to the left.
struct DockEdge {
    DockSide side = DockSide::kLeft;
    // The monitor's left for the left edge, its right (just outside it) for the right one.
    int x = 0;

    // Screen coordinates to edge coordinates and back (the mapping is its own inverse in
    // shape: pixel columns [l, r) become [x - r, x - l) at a right edge).
    Rect ToEdge(const Rect& screen) const;
    Rect FromEdge(const Rect& edge) const;
    Point ToEdge(Point screen) const;

    friend bool operator==(const DockEdge&, const DockEdge&) = default;
};

// The edge of `monitor` on `side`.
DockEdge EdgeOf(const Rect& monitor, DockSide side);

// The open drawer on a monitor: half its width (rounded down to tenths first), three
// quarters of its height, centred vertically, against the edge. Each division truncates,
// so odd sizes give the same rectangle the program always had.
Rect OpenDrawerRect(const Rect& monitor, const DockEdge& edge);

// The collapsed strip: `width` columns at the edge, as high as the open drawer.
Rect StripRect(const Rect& open, const DockEdge& edge, int width);

// Where the tab strip sits in the drawer's client area: inside the border, beside the
// edge graphic, which stands on the side of the screen edge.
Rect ListFrameRect(const Rect& client, const DrawerMetrics& metrics,
                   DockSide side = DockSide::kLeft);

// The rectangle the grey frame around the tab strip is drawn along (lines at its left and
// right columns, one row above its top and along its bottom row): the line on the edge's
// side runs under the tab bar, the one on the inner side just outside the lists.
Rect ListFrameOutline(const Rect& list_frame, DockSide side = DockSide::kLeft);

// Top-left of the edge graphic: against the border on the screen edge's side, centred
// vertically (clipped at both ends when the drawer is shorter than the graphic).
Point EdgeGraphicOrigin(const Rect& client, const DrawerMetrics& metrics,
                        DockSide side = DockSide::kLeft);

}  // namespace zarkit
