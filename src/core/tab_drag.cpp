#include "core/tab_drag.h"

#include <cstdlib>

namespace zarkit {

void TabDrag::Press(std::size_t position, Point at) {
    *this = TabDrag();
    from_ = position;
    pressed_at_ = at;
}

std::optional<std::size_t> TabDrag::TargetFor(std::optional<std::size_t> place) const {
    return place == from_ ? std::nullopt : place;
}

bool TabDrag::Move(Point to, std::optional<std::size_t> place, Point drag_distance) {
    if (!from_) {
        return false;
    }
    bool changed = false;
    if (!dragging_) {
        if (std::abs(to.x - pressed_at_.x) < drag_distance.x &&
            std::abs(to.y - pressed_at_.y) < drag_distance.y) {
            return false;
        }
        dragging_ = true;
        changed = true;
    }
    const std::optional<std::size_t> target = TargetFor(place);
    changed |= target != target_;
    target_ = target;
    return changed;
}

std::optional<std::size_t> TabDrag::Release(std::optional<std::size_t> place) {
    const std::optional<std::size_t> target = dragging_ ? TargetFor(place) : std::nullopt;
    Cancel();
    return target;
}

std::optional<std::size_t> TabPlaceAt(std::span<const TabRecord> tabs, const Rect& bar,
                                      Point point) {
    for (std::size_t position = 0; position < tabs.size(); ++position) {
        const Rect& hit = tabs[position].hit;
        if (hit == kNoHitRect) {
            continue;
        }
        if (Rect{bar.left, hit.top, bar.right, hit.bottom}.Contains(point)) {
            return position;
        }
    }
    return std::nullopt;
}

Rect TabDropMark(const Rect& target_hit, const Rect& bar, std::size_t from, std::size_t to,
                 int thickness) {
    if (to < from) {
        return Rect{bar.left, target_hit.bottom - thickness, bar.right, target_hit.bottom};
    }
    return Rect{bar.left, target_hit.top, bar.right, target_hit.top + thickness};
}

}  // namespace zarkit
