#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/dock_setting.h"
#include "core/drawer_placement.h"

// What the Settings dialog offers for the drawer's place, and what a choice there stores.
namespace zarkit {

inline constexpr char kPrimaryScreenChoice[] = "Primary screen";
inline constexpr char kInnerEdgeNote[] =
    "The pointer does not stop at this edge: another screen lies beyond it.";

struct ScreenChoice {
    std::string text;                    // as the list shows it
    std::string setting;                 // what Dock_Screen stores for it
    std::optional<std::size_t> monitor;  // none for the primary entry and an absent screen

    friend bool operator==(const ScreenChoice&, const ScreenChoice&) = default;
};

// The number a monitor goes by: the one its device name ends in ("\\.\DISPLAY2" is 2), or
// its place in the list counted from 1.
int ScreenNumber(std::span<const Monitor> monitors, std::size_t index);

// "Screen 2: 1920 x 1080, left of the primary".
std::string DescribeMonitor(std::span<const Monitor> monitors, std::size_t index);

// "Primary screen", one entry per monitor by number, and last the stored screen when it
// names none present now: it stays chosen when the user changes only the side.
std::vector<ScreenChoice> ScreenChoices(std::span<const Monitor> monitors,
                                        const std::optional<std::string>& stored_screen);

struct PlacementChoice {
    std::size_t screen = 0;  // in ScreenChoices
    DockSide side = DockSide::kLeft;

    friend bool operator==(const PlacementChoice&, const PlacementChoice&) = default;
};

// What the lists show when the dialog opens: where the drawer is now. Without a stored
// side that may be the right edge, or the leftmost monitor (see PlaceDrawer).
PlacementChoice CurrentChoice(std::span<const Monitor> monitors,
                              std::span<const ScreenChoice> choices,
                              const std::optional<std::string>& stored_screen,
                              std::optional<DockSide> stored_side);

// Whether the drawer would stand at an inner edge there.
bool ChoiceIsInnerEdge(std::span<const Monitor> monitors, std::span<const ScreenChoice> choices,
                       const PlacementChoice& choice);

}  // namespace zarkit
