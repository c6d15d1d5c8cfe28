#pragma once

#include "core/geometry.h"

// The drawer's sizes at a monitor's DPI. 96 DPI is 100 % and gives the sizes the drawer
// always had; every other size is scaled from those.
namespace zarkit {

inline constexpr int kDefaultDpi = 96;

// value * dpi / 96 rounded half away from zero, as MulDiv rounds. A DPI of 0 or below
// (GetDpiForWindow failed) counts as 96.
int ScaleForDpi(int value, int dpi);

// Width of the collapsed strip: 3 at 96 DPI, so it stays as easy to hit at any scale.
int CollapsedWidthForDpi(int dpi);

// The shell image list the list icons come from.
enum class ShellIconList {
    kLarge,       // SHIL_LARGE, 32 x 32: drawn as it is
    kExtraLarge,  // SHIL_EXTRALARGE, 48 x 48: as it is, or scaled down
    kJumbo,       // SHIL_JUMBO, 256 x 256: scaled down
};

struct ListIconSize {
    int size = 0;  // of the image list, square
    ShellIconList source = ShellIconList::kLarge;

    friend bool operator==(const ListIconSize&, const ListIconSize&) = default;
};

// 32 scaled, from the smallest list that is at least that large, so an icon is only ever
// scaled down: 32 from the large list at 96 DPI, 40 from the 48 px list at 120, 48 from
// it at 144, 64 from the jumbo list at 192.
ListIconSize ListIconSizeForDpi(int dpi);

// Height of the tab fonts (LOGFONT lfHeight): 16 at 96 DPI.
int TabFontHeightForDpi(int dpi);

// The drawer's border, corners and inner layout; at 96 DPI the sizes it always had.
struct DrawerMetrics {
    int border_pen = 0;
    int region_corner = 0;  // width and height of the region's corner ellipse
    int corner_inset = 0;   // from each edge to the centre of a corner arc
    int top_left_radius = 0;
    int top_right_radius = 0;
    int bottom_right_radius = 0;
    int bottom_left_radius = 0;
    int edge_graphic_width = 0;  // bitmap 151, drawn at this size
    int edge_graphic_height = 0;
    int edge_graphic_left = 0;  // from the client's left
    int list_frame_gap = 0;     // between the edge graphic and the tab strip
    int list_frame_top = 0;
    int list_frame_right = 0;
    int list_frame_bottom = 0;

    friend bool operator==(const DrawerMetrics&, const DrawerMetrics&) = default;
};

DrawerMetrics DrawerMetricsForDpi(int dpi);

// The tab strip's bitmaps as they are drawn, and the gaps around them.
struct TabStripMetrics {
    int bar_width = 0;
    int button_size = 0;  // one frame of the scroll buttons
    int button_inset = 0;
    int tab_padding = 0;  // tab length beyond the widest name
    int tab_gap = 0;
    int selected_tab_width = 0;
    int selected_tab_bottom_cap = 0;
    int selected_tab_top_cap = 0;
    int tab_width = 0;
    int tab_bottom_cap = 0;
    int tab_top_cap = 0;

    friend bool operator==(const TabStripMetrics&, const TabStripMetrics&) = default;
};

TabStripMetrics TabStripMetricsForDpi(int dpi);

}  // namespace zarkit
