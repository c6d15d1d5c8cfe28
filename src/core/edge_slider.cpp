#include "core/edge_slider.h"

#include <algorithm>

namespace zarkit {

// Each step works in edge coordinates (the edge at x = 0, the monitor to the right of it)
// and hands its rectangles back in screen coordinates.

SlideStep EdgeSlider::Poll(const Rect& screen_window, Point screen_pointer, std::uint32_t now,
                           int open_width, int delay_ms, bool busy, bool hold_shut) {
    if (busy) {
        return {};
    }
    const Rect window = edge_.ToEdge(screen_window);
    const Point pointer = edge_.ToEdge(screen_pointer);
    const bool docked = window.left <= kEdgeTolerance;
    const bool collapsed = window.Width() <= collapsed_width_;
    if (held_) {
        // Neither opened again nor collapsed; raising it above other topmost windows
        // would only churn while the user works in it.
        if (!window.Contains(pointer)) {
            last_outside_ = now;
        }
        return {};
    }
    if (hold_shut && collapsed && window.Contains(pointer)) {
        last_outside_ = now;
        return {};
    }
    if (window.Contains(pointer)) {
        // Unsigned difference, so the 49.7-day wrap of the tick count does not matter.
        // A negative delay compared as unsigned would keep the drawer shut for good.
        const std::uint32_t elapsed = now - last_outside_;
        const auto delay = static_cast<std::uint32_t>(std::max(delay_ms, 0));
        if (!docked || elapsed <= delay) {
            return {};
        }
        last_outside_ = now;
        return {
            edge_.FromEdge(Rect{window.left, window.top, window.left + open_width, window.bottom}),
            false};
    }
    last_outside_ = now;
    SlideStep step;
    if (docked) {
        step.move = edge_.FromEdge(Rect{0, window.top, collapsed_width_, window.bottom});
    }
    step.reassert_topmost = !hold_shut;
    return step;
}

SlideStep EdgeSlider::OpenByKeyboard(const Rect& window, int open_width) {
    held_ = true;
    const Rect open = edge_.FromEdge(Rect{0, window.top, open_width, window.bottom});
    if (window == open) {
        return {};
    }
    return {open, false};
}

SlideStep EdgeSlider::Collapse(const Rect& window, std::uint32_t now) {
    held_ = false;
    last_outside_ = now;
    SlideStep step;
    if (const Rect strip = edge_.FromEdge(Rect{0, window.top, collapsed_width_, window.bottom});
        window != strip) {
        step.move = strip;
    }
    step.reassert_topmost = true;  // as when the pointer leaves
    return step;
}

AnimationFrame EdgeSlider::Animate(const Rect& screen_window, int open_width, std::uint32_t now) {
    const Rect window = edge_.ToEdge(screen_window);
    const int left = window.left - kAnimationStep;
    const Rect next{left, window.top, left + open_width, window.bottom};
    // The last step goes to the strip itself rather than past it. Left where the slide
    // ends, the sliver would stay while the pointer rests in it (the open move keeps the
    // edge-side border), and Wine's X11 driver unmaps a window moved wholly off the screen,
    // stalling for two seconds.
    if (window.right > collapsed_width_ && next.right > collapsed_width_) {
        return {edge_.FromEdge(next), false};
    }
    last_outside_ = now;
    return {edge_.FromEdge(Rect{0, window.top, collapsed_width_, window.bottom}), true};
}

}  // namespace zarkit
