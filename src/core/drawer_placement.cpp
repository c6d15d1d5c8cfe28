#include "core/drawer_placement.h"

#include <algorithm>

#include "core/text_rules.h"

namespace zarkit {
namespace {

DrawerPlacement PlaceOn(std::span<const Monitor> monitors, std::size_t index, DockSide side) {
    const Monitor& monitor = monitors[index];
    DrawerPlacement placement;
    placement.monitor = index;
    placement.monitor_bounds = monitor.bounds;
    placement.edge = EdgeOf(monitor.bounds, side);
    placement.open = OpenDrawerRect(monitor.bounds, placement.edge);
    placement.dpi = monitor.dpi > 0 ? monitor.dpi : kDefaultDpi;
    placement.strip =
        StripRect(placement.open, placement.edge, CollapsedWidthForDpi(placement.dpi));
    placement.inner_edge =
        IsInnerEdge(monitors, index, side, placement.open.top, placement.open.bottom);
    return placement;
}

// Its left edge is outer by construction: no monitor reaches further left.
std::size_t LeftmostMonitor(std::span<const Monitor> monitors) {
    std::size_t leftmost = 0;
    for (std::size_t i = 1; i < monitors.size(); ++i) {
        const Rect& candidate = monitors[i].bounds;
        const Rect& best = monitors[leftmost].bounds;
        if (candidate.left < best.left ||
            (candidate.left == best.left && candidate.top < best.top)) {
            leftmost = i;
        }
    }
    return leftmost;
}

}  // namespace

std::size_t PrimaryMonitor(std::span<const Monitor> monitors) {
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        if (monitors[i].primary) {
            return i;
        }
    }
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        if (monitors[i].bounds.Contains(Point{0, 0})) {
            return i;
        }
    }
    return 0;
}

std::optional<std::size_t> NamedMonitor(std::span<const Monitor> monitors,
                                        std::string_view screen) {
    if (NamesPrimaryScreen(screen)) {
        return std::nullopt;
    }
    const std::string wanted = ToLower(Trim(screen));
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        if (ToLower(monitors[i].device_name) == wanted) {
            return i;
        }
    }
    return std::nullopt;
}

bool IsInnerEdge(std::span<const Monitor> monitors, std::size_t index, DockSide side, int top,
                 int bottom) {
    const Rect& own = monitors[index].bounds;
    const int beyond = side == DockSide::kRight ? own.right : own.left - 1;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        const Rect& other = monitors[i].bounds;
        if (i != index && other.left <= beyond && beyond < other.right && other.top < bottom &&
            top < other.bottom) {
            return true;
        }
    }
    return false;
}

std::optional<DrawerPlacement> PlaceDrawer(std::span<const Monitor> monitors,
                                           const std::optional<std::string>& screen,
                                           std::optional<DockSide> side) {
    if (monitors.empty()) {
        return std::nullopt;
    }
    const std::size_t chosen =
        NamedMonitor(monitors, screen.value_or(kPrimaryScreen)).value_or(PrimaryMonitor(monitors));
    if (side) {
        return PlaceOn(monitors, chosen, *side);
    }
    // The default never takes an edge the pointer passes straight through.
    const DrawerPlacement left = PlaceOn(monitors, chosen, DockSide::kLeft);
    if (!left.inner_edge) {
        return left;
    }
    const DrawerPlacement right = PlaceOn(monitors, chosen, DockSide::kRight);
    if (!right.inner_edge) {
        return right;
    }
    return PlaceOn(monitors, LeftmostMonitor(monitors), DockSide::kLeft);
}

Rect PlacedWindow(const Rect& window, const DockEdge& edge, int collapsed_width,
                  const DrawerPlacement& placement, PlacedAs as) {
    if (as == PlacedAs::kOpen) {
        return placement.open;
    }
    if (as == PlacedAs::kCollapsed || window.Width() <= collapsed_width) {
        return placement.strip;
    }
    const int over = std::min(edge.ToEdge(window).left, 0);
    const Rect open = placement.edge.ToEdge(placement.open);
    return placement.edge.FromEdge(
        Rect{open.left + over, open.top, open.right + over, open.bottom});
}

void ResizePrimaryMonitor(std::vector<Monitor>& monitors, int width, int height) {
    if (monitors.empty() || width <= 0 || height <= 0) {
        return;
    }
    Monitor& primary = monitors[PrimaryMonitor(monitors)];
    const Rect old = primary.bounds;
    primary.bounds = Rect{old.left, old.top, old.left + width, old.top + height};
    // The task bars keep their distances from the edges.
    const Rect work = primary.work_area;
    primary.work_area = Rect{work.left, work.top, primary.bounds.right - (old.right - work.right),
                             primary.bounds.bottom - (old.bottom - work.bottom)};
}

}  // namespace zarkit
