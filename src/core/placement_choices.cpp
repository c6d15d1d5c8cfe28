#include "core/placement_choices.h"

#include <algorithm>

#include "core/text_rules.h"

namespace zarkit {
namespace {

// Where a monitor lies as seen from the primary one.
std::string RelativePlace(const Rect& monitor, const Rect& primary) {
    const char* side = monitor.right <= primary.left   ? "left"
                       : monitor.left >= primary.right ? "right"
                                                       : nullptr;
    const char* level = monitor.bottom <= primary.top   ? "above"
                        : monitor.top >= primary.bottom ? "below"
                                                        : nullptr;
    if (side != nullptr && level != nullptr) {
        return std::string(level) + " and to the " + side + " of the primary";
    }
    if (side != nullptr) {
        return std::string(side) + " of the primary";
    }
    if (level != nullptr) {
        return std::string(level) + " the primary";
    }
    return "overlapping the primary";
}

// The digits a device name ends in, as a number; none without any.
std::optional<int> TrailingNumber(std::string_view name) {
    std::size_t start = name.size();
    while (start > 0 && name[start - 1] >= '0' && name[start - 1] <= '9') {
        --start;
    }
    if (start == name.size() || name.size() - start > 6) {
        return std::nullopt;
    }
    int number = 0;
    for (std::size_t i = start; i < name.size(); ++i) {
        number = number * 10 + (name[i] - '0');
    }
    return number;
}

std::string AbsentScreenText(std::string_view name) {
    const std::optional<int> number = TrailingNumber(name);
    return (number ? "Screen " + std::to_string(*number) : std::string(Trim(name))) +
           ": not connected";
}

}  // namespace

int ScreenNumber(std::span<const Monitor> monitors, std::size_t index) {
    return TrailingNumber(monitors[index].device_name).value_or(static_cast<int>(index) + 1);
}

std::string DescribeMonitor(std::span<const Monitor> monitors, std::size_t index) {
    const Monitor& monitor = monitors[index];
    const std::size_t primary = PrimaryMonitor(monitors);
    return "Screen " + std::to_string(ScreenNumber(monitors, index)) + ": " +
           std::to_string(monitor.bounds.Width()) + " x " +
           std::to_string(monitor.bounds.Height()) + ", " +
           (index == primary ? std::string("primary")
                             : RelativePlace(monitor.bounds, monitors[primary].bounds));
}

std::vector<ScreenChoice> ScreenChoices(std::span<const Monitor> monitors,
                                        const std::optional<std::string>& stored_screen) {
    std::vector<ScreenChoice> choices{{kPrimaryScreenChoice, kPrimaryScreen, std::nullopt}};
    std::vector<std::size_t> order(monitors.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return ScreenNumber(monitors, a) < ScreenNumber(monitors, b);
    });
    for (const std::size_t index : order) {
        choices.push_back({DescribeMonitor(monitors, index), monitors[index].device_name, index});
    }
    if (stored_screen && !NamesPrimaryScreen(*stored_screen) &&
        !NamedMonitor(monitors, *stored_screen)) {
        choices.push_back({AbsentScreenText(*stored_screen), *stored_screen, std::nullopt});
    }
    return choices;
}

PlacementChoice CurrentChoice(std::span<const Monitor> monitors,
                              std::span<const ScreenChoice> choices,
                              const std::optional<std::string>& stored_screen,
                              std::optional<DockSide> stored_side) {
    const auto choice_of_monitor = [&](std::size_t monitor) {
        for (std::size_t i = 0; i < choices.size(); ++i) {
            if (choices[i].monitor == monitor) {
                return i;
            }
        }
        return std::size_t{0};
    };
    std::size_t screen = 0;
    if (stored_screen && !NamesPrimaryScreen(*stored_screen)) {
        if (const std::optional<std::size_t> named = NamedMonitor(monitors, *stored_screen)) {
            screen = choice_of_monitor(*named);
        } else {
            screen = choices.empty() ? 0 : choices.size() - 1;  // the absent one, listed last
        }
    }
    if (stored_side) {
        return {screen, *stored_side};
    }
    const std::optional<DrawerPlacement> placement =
        PlaceDrawer(monitors, stored_screen, std::nullopt);
    if (!placement) {
        return {screen, DockSide::kLeft};
    }
    const std::size_t chosen = NamedMonitor(monitors, stored_screen.value_or(kPrimaryScreen))
                                   .value_or(PrimaryMonitor(monitors));
    if (placement->monitor == chosen) {
        return {screen, placement->edge.side};
    }
    return {choice_of_monitor(placement->monitor), placement->edge.side};
}

bool ChoiceIsInnerEdge(std::span<const Monitor> monitors, std::span<const ScreenChoice> choices,
                       const PlacementChoice& choice) {
    if (choice.screen >= choices.size()) {
        return false;
    }
    const std::optional<DrawerPlacement> placement =
        PlaceDrawer(monitors, choices[choice.screen].setting, choice.side);
    return placement && placement->inner_edge;
}

}  // namespace zarkit
