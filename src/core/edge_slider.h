#pragma once

#include <cstdint>
#include <optional>

#include "core/drawer_geometry.h"
#include "core/geometry.h"

namespace zarkit {

inline constexpr int kCollapsedWidth = 3;
// The drawer counts as docked while its edge-side border is at most this far in.
inline constexpr int kEdgeTolerance = 2;
// Pixels the start-up animation moves the drawer towards its edge per tick.
inline constexpr int kAnimationStep = 10;

inline constexpr unsigned kPollTimerId = 1;
inline constexpr unsigned kPollPeriodMs = 50;
inline constexpr unsigned kAnimationTimerId = 2;
inline constexpr unsigned kAnimationPeriodMs = 20;
// How long raising the busy flag blocks the UI thread before a dialog or menu.
inline constexpr unsigned kBusyPauseMs = 60;

// What one tick of the start-up animation asks of the drawer window.
struct AnimationFrame {
    // Place the window here, shown and after HWND_TOPMOST.
    Rect window;
    // The animation is over: stop its timer and start the polling one.
    bool last = false;

    friend bool operator==(const AnimationFrame&, const AnimationFrame&) = default;
};

// What one poll asks of the drawer window, in this order.
struct SlideStep {
    // Move and resize the window here, repainting.
    std::optional<Rect> move;
    // Place the window after HWND_TOPMOST again (no move, no size; activation allowed).
    bool reassert_topmost = false;

    friend bool operator==(const SlideStep&, const SlideStep&) = default;
};

// The edge-polling state machine: opens the drawer once the pointer has stayed
// in it for longer than the hover delay, collapses it as soon as it leaves. Opened from
// the keyboard, the drawer is held open instead, whatever the pointer does, until the
// hold is let go (a launch, another program activated) or it is collapsed. Every rule is
// stated for a left edge at x = 0; at another edge the rectangles are mirrored or shifted
// (DockEdge), so the drawer opens away from its edge on either side.
class EdgeSlider {
public:
    // The screen edge the drawer stands against; the left edge at x = 0 until set.
    void SetEdge(const DockEdge& edge) { edge_ = edge; }
    const DockEdge& Edge() const { return edge_; }

    // One tick of the polling timer. `window` and `pointer` are in screen coordinates,
    // `now` is the system tick count in milliseconds (wrap-around is harmless).
    // With `hold_shut` (a full-screen program is in front) resting in the strip opens
    // nothing and the delay starts again once it is gone; the drawer is not put back
    // above the topmost windows meanwhile, so its strip does not show over the program.
    SlideStep Poll(const Rect& window, Point pointer, std::uint32_t now, int open_width,
                   int delay_ms, bool busy, bool hold_shut = false);

    // The collapsed strip's width: kCollapsedWidth at 96 DPI, scaled with the monitor.
    void SetCollapsedWidth(int width) { collapsed_width_ = width; }
    int CollapsedWidth() const { return collapsed_width_; }

    // One tick of the start-up animation: the open drawer slides off over its edge by a
    // step per tick and ends as the strip, once at most the strip's width would still show.
    // Polling then starts as if the pointer had just been outside: a pointer that rested
    // at the edge while the drawer slid away opens it only after the full delay.
    AnimationFrame Animate(const Rect& window, int open_width, std::uint32_t now);

    // Tick count of the latest poll that found the pointer outside the drawer.
    std::uint32_t LastOutside() const { return last_outside_; }

    // The hot key: the drawer opens at once at the edge, and polls leave it open. The move
    // is empty when it is open there already.
    SlideStep OpenByKeyboard(const Rect& window, int open_width);
    // Typing in a drawer the pointer opened holds it open too.
    void Hold() { held_ = true; }
    // From now on the pointer decides again: the first poll outside collapses the drawer.
    void Release() { held_ = false; }
    bool Held() const { return held_; }
    // Esc or the hot key again: the strip at once, and the hold let go. A pointer resting in
    // the strip opens the drawer again only after the full delay.
    SlideStep Collapse(const Rect& window, std::uint32_t now);

private:
    // Zero at start-up, so a pointer already inside at the first poll opens the drawer.
    std::uint32_t last_outside_ = 0;
    DockEdge edge_;
    int collapsed_width_ = kCollapsedWidth;
    bool held_ = false;
};

}  // namespace zarkit
