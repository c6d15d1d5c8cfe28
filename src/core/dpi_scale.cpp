#include "core/dpi_scale.h"

#include <cstdint>
#include <limits>

#include "core/edge_slider.h"
#include "core/tab_strip_model.h"

namespace zarkit {
namespace {

constexpr int kListIconSize = 32;
constexpr int kExtraLargeIconSize = 48;
constexpr int kTabFontHeight = 16;

constexpr DrawerMetrics kDrawerAt96{
    .border_pen = 2,
    .region_corner = 16,
    .corner_inset = 12,
    .top_left_radius = 13,
    .top_right_radius = 12,
    .bottom_right_radius = 11,
    .bottom_left_radius = 12,
    .edge_graphic_width = 39,
    .edge_graphic_height = 338,
    .edge_graphic_left = 2,
    .list_frame_gap = 5,
    .list_frame_top = 20,
    .list_frame_right = 15,
    .list_frame_bottom = 20,
};

constexpr TabStripMetrics kTabStripAt96{
    .bar_width = kTabBarWidth,
    .button_size = kScrollButtonSize,
    .button_inset = kScrollButtonInset,
    .tab_padding = kTabPadding,
    .tab_gap = kTabGap,
    .selected_tab_width = kSelectedTabWidth,
    .selected_tab_bottom_cap = kSelectedTabBottomCap,
    .selected_tab_top_cap = kSelectedTabTopCap,
    .tab_width = kTabWidth,
    .tab_bottom_cap = kTabBottomCap,
    .tab_top_cap = kTabTopCap,
};

}  // namespace

int ScaleForDpi(int value, int dpi) {
    if (dpi <= 0) {
        dpi = kDefaultDpi;
    }
    const std::int64_t product = std::int64_t{value} * dpi;
    const std::int64_t half = kDefaultDpi / 2;
    const std::int64_t scaled = (product < 0 ? product - half : product + half) / kDefaultDpi;
    if (scaled > std::numeric_limits<int>::max()) {
        return std::numeric_limits<int>::max();
    }
    if (scaled < std::numeric_limits<int>::min()) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(scaled);
}

int CollapsedWidthForDpi(int dpi) {
    return ScaleForDpi(kCollapsedWidth, dpi);
}

ListIconSize ListIconSizeForDpi(int dpi) {
    const int size = ScaleForDpi(kListIconSize, dpi);
    if (size <= kListIconSize) {
        return {size, ShellIconList::kLarge};
    }
    if (size <= kExtraLargeIconSize) {
        return {size, ShellIconList::kExtraLarge};
    }
    return {size, ShellIconList::kJumbo};
}

int TabFontHeightForDpi(int dpi) {
    return ScaleForDpi(kTabFontHeight, dpi);
}

DrawerMetrics DrawerMetricsForDpi(int dpi) {
    const auto s = [dpi](int value) { return ScaleForDpi(value, dpi); };
    const DrawerMetrics& m = kDrawerAt96;
    return DrawerMetrics{
        .border_pen = s(m.border_pen),
        .region_corner = s(m.region_corner),
        .corner_inset = s(m.corner_inset),
        .top_left_radius = s(m.top_left_radius),
        .top_right_radius = s(m.top_right_radius),
        .bottom_right_radius = s(m.bottom_right_radius),
        .bottom_left_radius = s(m.bottom_left_radius),
        .edge_graphic_width = s(m.edge_graphic_width),
        .edge_graphic_height = s(m.edge_graphic_height),
        .edge_graphic_left = s(m.edge_graphic_left),
        .list_frame_gap = s(m.list_frame_gap),
        .list_frame_top = s(m.list_frame_top),
        .list_frame_right = s(m.list_frame_right),
        .list_frame_bottom = s(m.list_frame_bottom),
    };
}

TabStripMetrics TabStripMetricsForDpi(int dpi) {
    const auto s = [dpi](int value) { return ScaleForDpi(value, dpi); };
    const TabStripMetrics& m = kTabStripAt96;
    return TabStripMetrics{
        .bar_width = s(m.bar_width),
        .button_size = s(m.button_size),
        .button_inset = s(m.button_inset),
        .tab_padding = s(m.tab_padding),
        .tab_gap = s(m.tab_gap),
        .selected_tab_width = s(m.selected_tab_width),
        .selected_tab_bottom_cap = s(m.selected_tab_bottom_cap),
        .selected_tab_top_cap = s(m.selected_tab_top_cap),
        .tab_width = s(m.tab_width),
        .tab_bottom_cap = s(m.tab_bottom_cap),
        .tab_top_cap = s(m.tab_top_cap),
    };
}

}  // namespace zarkit
