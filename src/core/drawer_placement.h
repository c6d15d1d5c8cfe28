#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/dock_setting.h"
#include "core/dpi_scale.h"
#include "core/drawer_geometry.h"
#include "core/geometry.h"

namespace zarkit {

// One monitor of the desktop, as the system describes it.
struct Monitor {
    Rect bounds;     // in virtual-screen coordinates; the primary one starts at (0, 0)
    Rect work_area;  // without the task bars
    int dpi = kDefaultDpi;
    std::string device_name;  // "\\.\DISPLAY2"
    bool primary = false;

    friend bool operator==(const Monitor&, const Monitor&) = default;
};

// Where the drawer lives.
struct DrawerPlacement {
    std::size_t monitor = 0;  // in the list it was decided from
    Rect monitor_bounds;      // that monitor's
    DockEdge edge;
    Rect open;              // the open drawer, screen coordinates
    Rect strip;             // the collapsed strip
    int dpi = kDefaultDpi;  // of its monitor, which sizes the strip and the skin
    // Another monitor lies beyond the edge somewhere along the drawer's height: the
    // pointer does not stop there, it passes on into that monitor.
    bool inner_edge = false;

    friend bool operator==(const DrawerPlacement&, const DrawerPlacement&) = default;
};

// The primary monitor: the one flagged so, else the one at (0, 0), else the first.
std::size_t PrimaryMonitor(std::span<const Monitor> monitors);

// The monitor a Dock_Screen text names (device names compare without regard to case, as
// Windows compares them); none for "primary", nothing, or a monitor not present.
std::optional<std::size_t> NamedMonitor(std::span<const Monitor> monitors, std::string_view screen);

// Whether another monitor holds the pixel column just beyond that edge of monitor `index`
// anywhere between rows top and bottom.
bool IsInnerEdge(std::span<const Monitor> monitors, std::size_t index, DockSide side, int top,
                 int bottom);

// Decides the drawer's place from the monitors there are and the stored settings.
// `screen` is Dock_Screen: none or "primary" for the primary monitor, else a device name;
// a monitor not present now stands for the primary one (the setting is kept, so the drawer
// goes back when that monitor returns). `side` is Dock_Side; none stored is the left edge,
// unless another monitor lies beyond it: the drawer then takes the monitor's right edge
// when that one is outer, else the left edge of the leftmost monitor. A side the user chose
// is kept even where it is inner. None for an empty list.
std::optional<DrawerPlacement> PlaceDrawer(std::span<const Monitor> monitors,
                                           const std::optional<std::string>& screen,
                                           std::optional<DockSide> side);

// How the drawer takes a new placement.
enum class PlacedAs {
    kAsItWas,    // collapsed or open, as it was
    kCollapsed,  // the strip
    kOpen,       // open, as when it is created
};

// Where the drawer's window goes when it takes a new placement: the new strip when it was
// collapsed, else the open drawer, as far over its edge as it was (the start-up animation
// may be under way). `edge` and `collapsed_width` are the old ones.
Rect PlacedWindow(const Rect& window, const DockEdge& edge, int collapsed_width,
                  const DrawerPlacement& placement, PlacedAs as);

// WM_DISPLAYCHANGE carries the primary monitor's new size; the monitor list, read while
// the change is still settling, may lag behind it.
void ResizePrimaryMonitor(std::vector<Monitor>& monitors, int width, int height);

}  // namespace zarkit
