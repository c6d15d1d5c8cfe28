#pragma once

#include <cstddef>
#include <optional>
#include <span>

#include "core/geometry.h"
#include "core/tab_strip_model.h"

namespace zarkit {

// A tab pressed and dragged along the tab bar to another tab's place. The press has
// selected the tab already, as a click does; only once the pointer has gone the drag
// distance from where it was pressed does it become a drag, so a click stays a click.
class TabDrag {
public:
    // The left button went down on the tab at `position`.
    void Press(std::size_t position, Point at);
    // The pointer is at `to` with the button still down, over the place of the tab at
    // `place` (nullopt: no tab's). True when what the screen shows of the drag changed: it
    // began, or it points at another place.
    bool Move(Point to, std::optional<std::size_t> place, Point drag_distance);
    // The button went up over `place`: the position the pressed tab moves to, nullopt for
    // none (a click, no tab's place, or its own). The drag is over either way.
    std::optional<std::size_t> Release(std::optional<std::size_t> place);
    // Ended without a move: the pointer was taken away (another window, Esc).
    void Cancel() { *this = TabDrag(); }

    bool Pressed() const { return from_.has_value(); }
    bool Dragging() const { return dragging_; }
    std::optional<std::size_t> From() const { return from_; }
    // Where the tab would move if let go now; nullopt when nowhere.
    std::optional<std::size_t> Target() const { return dragging_ ? target_ : std::nullopt; }

private:
    std::optional<std::size_t> TargetFor(std::optional<std::size_t> place) const;

    std::optional<std::size_t> from_;
    Point pressed_at_;
    bool dragging_ = false;
    std::optional<std::size_t> target_;
};

// The place of a drawn tab the point is over: its hit rectangle across the whole bar, the
// lowest tab first where two meet. `tabs` as the last paint left them, in position order.
std::optional<std::size_t> TabPlaceAt(std::span<const TabRecord> tabs, const Rect& bar,
                                      Point point);

// The mark that shows where a dragged tab lands: a bar across the bar's width, `thickness`
// high, along the edge of the target's tab that the moved tab will be against. Tabs stack
// upwards, so a tab moved to a lower position lands below its target.
Rect TabDropMark(const Rect& target_hit, const Rect& bar, std::size_t from, std::size_t to,
                 int thickness);

}  // namespace zarkit
