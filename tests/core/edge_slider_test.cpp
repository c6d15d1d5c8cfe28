#include "core/edge_slider.h"

#include <gtest/gtest.h>

namespace zarkit {
namespace {

constexpr int kOpenWidth = 510;
constexpr Rect kOpen{0, 96, kOpenWidth, 672};
constexpr Rect kCollapsed{0, 96, kCollapsedWidth, 672};
constexpr Point kInStrip{1, 300};
constexpr Point kAway{700, 300};

// Polls every 50 ms from `start` with the pointer in the strip; returns the number of
// polls it took to open the drawer, or 0 if it stayed shut for `max_polls`.
int PollsUntilOpen(EdgeSlider& slider, std::uint32_t start, int delay, int max_polls) {
    for (int poll = 1; poll <= max_polls; ++poll) {
        const std::uint32_t now = start + static_cast<std::uint32_t>(poll) * kPollPeriodMs;
        if (slider.Poll(kCollapsed, kInStrip, now, kOpenWidth, delay, false).move) {
            return poll;
        }
    }
    return 0;
}

TEST(EdgeSlider, DelayZeroOpensAtTheFirstPollInside) {
    EdgeSlider slider;
    slider.Poll(kCollapsed, kAway, 5000, kOpenWidth, 0, false);
    const SlideStep step = slider.Poll(kCollapsed, kInStrip, 5050, kOpenWidth, 0, false);
    EXPECT_EQ(step.move, kOpen);
    EXPECT_FALSE(step.reassert_topmost);
    EXPECT_EQ(slider.LastOutside(), 5050u);
}

TEST(EdgeSlider, PointerInsideAtTheVeryFirstPollOpensAndStaysOpen) {
    EdgeSlider slider;
    const Point inside{200, 300};
    EXPECT_EQ(slider.Poll(kOpen, inside, 90000, kOpenWidth, 450, false).move, kOpen);
    // Staying inside never collapses; the same move repeats once the delay elapses again.
    EXPECT_EQ(slider.Poll(kOpen, inside, 90050, kOpenWidth, 450, false), SlideStep{});
    EXPECT_EQ(slider.Poll(kOpen, inside, 90451, kOpenWidth, 450, false).move, kOpen);
}

TEST(EdgeSlider, HoverDelayNeedsTheFullRunOfPollsInside) {
    EdgeSlider slider;
    slider.Poll(kCollapsed, kAway, 10000, kOpenWidth, 450, false);
    // 450 ms is rounded up to the polling grid: the tenth poll (500 ms) opens.
    EXPECT_EQ(PollsUntilOpen(slider, 10000, 450, 20), 10);

    EdgeSlider fresh;
    fresh.Poll(kCollapsed, kAway, 10000, kOpenWidth, 450, false);
    EXPECT_EQ(PollsUntilOpen(fresh, 10000, 450, 9), 0);
}

TEST(EdgeSlider, OnePollOutsideRestartsTheCount) {
    EdgeSlider slider;
    slider.Poll(kCollapsed, kAway, 0, kOpenWidth, 450, false);
    ASSERT_EQ(PollsUntilOpen(slider, 0, 450, 8), 0);  // up to 400 ms
    slider.Poll(kCollapsed, kAway, 450, kOpenWidth, 450, false);
    EXPECT_EQ(PollsUntilOpen(slider, 450, 450, 20), 10);
}

TEST(EdgeSlider, TickCounterWrapStillOpens) {
    EdgeSlider slider;
    const std::uint32_t before_wrap = 0xFFFFFF00u;
    slider.Poll(kCollapsed, kAway, before_wrap, kOpenWidth, 450, false);
    // The polls cross 2^32 on the way; the unsigned difference keeps counting.
    EXPECT_EQ(PollsUntilOpen(slider, before_wrap, 450, 20), 10);
}

TEST(EdgeSlider, NegativeDelayCountsAsZero) {
    EdgeSlider slider;
    slider.Poll(kCollapsed, kAway, 1000, kOpenWidth, -1, false);
    EXPECT_EQ(PollsUntilOpen(slider, 1000, -1, 3), 1);
    slider.Poll(kCollapsed, kAway, 2000, kOpenWidth, -100000, false);
    EXPECT_EQ(PollsUntilOpen(slider, 2000, -100000, 3), 1);
}

TEST(EdgeSlider, PointerOutsideCollapsesAndReassertsTopmost) {
    EdgeSlider slider;
    const SlideStep step = slider.Poll(kOpen, kAway, 777, kOpenWidth, 450, false);
    EXPECT_EQ(step.move, kCollapsed);
    EXPECT_TRUE(step.reassert_topmost);
    EXPECT_EQ(slider.LastOutside(), 777u);
}

TEST(EdgeSlider, RightAndBottomEdgesAreOutside) {
    EdgeSlider slider;
    EXPECT_TRUE(slider.Poll(kCollapsed, Point{3, 300}, 100, kOpenWidth, 0, false).reassert_topmost);
    EXPECT_TRUE(slider.Poll(kCollapsed, Point{0, 672}, 200, kOpenWidth, 0, false).reassert_topmost);
    EXPECT_FALSE(slider.Poll(kCollapsed, Point{0, 96}, 300, kOpenWidth, 0, false).reassert_topmost);
}

TEST(EdgeSlider, CollapseGoesToXZeroEvenFromANegativeLeft) {
    EdgeSlider slider;
    const Rect after_animation{-510, 96, 0, 672};
    const SlideStep step = slider.Poll(after_animation, kAway, 100, kOpenWidth, 450, false);
    EXPECT_EQ(step.move, kCollapsed);
    EXPECT_TRUE(step.reassert_topmost);
}

TEST(EdgeSlider, AWindowAwayFromTheEdgeIsNeverMovedButStaysTopmost) {
    EdgeSlider slider;
    const Rect moved_away{3, 96, 513, 672};
    EXPECT_EQ(slider.Poll(moved_away, kAway, 100, kOpenWidth, 0, false),
              (SlideStep{std::nullopt, true}));
    EXPECT_EQ(slider.Poll(moved_away, Point{100, 300}, 5000, kOpenWidth, 0, false), SlideStep{});
}

TEST(EdgeSlider, BusyFreezesEverything) {
    EdgeSlider slider;
    slider.Poll(kOpen, Point{100, 300}, 0, kOpenWidth, 0, false);
    const std::uint32_t last_outside = slider.LastOutside();
    // A dialog is up and the pointer wanders away: the drawer stays open and untouched.
    EXPECT_EQ(slider.Poll(kOpen, kAway, 1000, kOpenWidth, 0, true), SlideStep{});
    EXPECT_EQ(slider.Poll(kCollapsed, kInStrip, 5000, kOpenWidth, 0, true), SlideStep{});
    EXPECT_EQ(slider.LastOutside(), last_outside);
    // The first poll after it closes collapses.
    EXPECT_EQ(slider.Poll(kOpen, kAway, 1050, kOpenWidth, 0, false).move, kCollapsed);
}

TEST(EdgeSliderAnimation, SlidesTheOpenDrawerOffInStepsOfTenAndEndsAsTheStrip) {
    EdgeSlider slider;
    Rect window = kOpen;
    int ticks = 0;
    AnimationFrame frame;
    do {
        frame = slider.Animate(window, kOpenWidth, 1000 + static_cast<std::uint32_t>(ticks) * 20);
        if (!frame.last) {
            EXPECT_EQ(frame.window.left, window.left - kAnimationStep);
            EXPECT_EQ(frame.window.Width(), kOpenWidth);
            EXPECT_EQ(frame.window.top, kOpen.top);
            EXPECT_EQ(frame.window.bottom, kOpen.bottom);
            EXPECT_GT(frame.window.right, kCollapsedWidth) << "never wholly off the screen";
        }
        window = frame.window;
        ASSERT_LT(++ticks, 100);
    } while (!frame.last);
    EXPECT_EQ(ticks, 51);  // about one second at 20 ms
    EXPECT_EQ(window, kCollapsed);
    EXPECT_EQ(slider.LastOutside(), 2000u);
}

TEST(EdgeSliderAnimation, EndsOnceNoMoreThanTheStripWouldShow) {
    EdgeSlider slider;
    EXPECT_EQ(slider.Animate(Rect{-507, 96, 3, 672}, kOpenWidth, 5),
              (AnimationFrame{kCollapsed, true}));
    // A step that would leave less than the strip on screen ends the slide instead.
    EXPECT_EQ(slider.Animate(Rect{-499, 96, 11, 672}, kOpenWidth, 5),
              (AnimationFrame{kCollapsed, true}));
    EXPECT_EQ(slider.Animate(Rect{-490, 96, 20, 672}, kOpenWidth, 5),
              (AnimationFrame{Rect{-500, 96, 10, 672}, false}));
}

// The pointer rests at the edge through the whole start-up: the drawer ends as the strip
// and opens, at x = 0 and full width, only once the delay has passed after that.
TEST(EdgeSliderAnimation, APointerRestingAtTheEdgeOpensTheDrawerOnlyAfterTheDelay) {
    EdgeSlider slider;
    Rect window = kOpen;
    std::uint32_t now = 70000;
    for (AnimationFrame frame; !frame.last; now += 20) {
        frame = slider.Animate(window, kOpenWidth, now);
        window = frame.window;
    }
    ASSERT_EQ(window, kCollapsed);
    const std::uint32_t ended = now - 20;
    int polls = 0;
    for (std::uint32_t tick = ended + kPollPeriodMs; polls < 20; tick += kPollPeriodMs) {
        ++polls;
        const SlideStep step = slider.Poll(window, kInStrip, tick, kOpenWidth, 450, false);
        if (step.move) {
            EXPECT_EQ(*step.move, kOpen);
            break;
        }
    }
    EXPECT_EQ(polls, 10);
}

// A full-screen program in front: resting in the strip opens nothing, the strip is not
// raised above the program, and the delay counts afresh once the program is gone.
TEST(EdgeSliderFullScreen, RestingInTheStripWaitsForTheProgramToGo) {
    EdgeSlider slider;
    slider.Poll(kCollapsed, kAway, 1000, kOpenWidth, 450, false, true);
    EXPECT_FALSE(
        slider.Poll(kCollapsed, kAway, 1050, kOpenWidth, 450, false, true).reassert_topmost);
    for (std::uint32_t tick = 1100; tick < 3000; tick += kPollPeriodMs) {
        ASSERT_EQ(slider.Poll(kCollapsed, kInStrip, tick, kOpenWidth, 450, false, true),
                  SlideStep{});
    }
    // Gone at 3000: ten more polls in the strip, as always.
    int polls = 0;
    for (std::uint32_t tick = 3000;
         !slider.Poll(kCollapsed, kInStrip, tick, kOpenWidth, 450, false).move;
         tick += kPollPeriodMs) {
        ASSERT_LT(++polls, 20);
    }
    EXPECT_EQ(polls, 9);
}

TEST(EdgeSliderFullScreen, AnOpenDrawerStaysUsableAndCollapsesAsUsual) {
    EdgeSlider slider;
    const Point inside{300, 300};
    // Pointed at, it stays as it is (the open move repeats at the same place).
    EXPECT_EQ(slider.Poll(kOpen, inside, 5000, kOpenWidth, 450, false, true).move.value_or(kOpen),
              kOpen);
    EXPECT_EQ(slider.Poll(kOpen, kAway, 5050, kOpenWidth, 450, false, true).move, kCollapsed);
}

// At 144 DPI the strip is 5 pixels wide: collapsing and the animation's end both use it.
TEST(EdgeSliderDpi, TheStripWidthIsTheOneSet) {
    EdgeSlider slider;
    slider.SetCollapsedWidth(5);
    EXPECT_EQ(slider.Poll(kOpen, kAway, 100, kOpenWidth, 450, false).move,
              (Rect{0, kOpen.top, 5, kOpen.bottom}));
    EXPECT_EQ(slider.Animate(Rect{-500, 96, 10, 672}, kOpenWidth, 200).window,
              (Rect{0, 96, 5, 672}));
    // Five pixels is still collapsed for the full-screen rule.
    EXPECT_EQ(slider.Poll(Rect{0, 96, 5, 672}, kInStrip, 9000, kOpenWidth, 0, false, true),
              SlideStep{});
}

// Opened by the hot key, the drawer stays open wherever the pointer goes, until the hold
// is let go; then the first poll outside collapses it as always.
TEST(EdgeSliderKeyboard, HeldOpenUntilReleasedThenThePointerDecidesAgain) {
    EdgeSlider slider;
    slider.Poll(kCollapsed, kAway, 1000, kOpenWidth, 450, false);
    const SlideStep open = slider.OpenByKeyboard(kCollapsed, kOpenWidth);
    EXPECT_EQ(open.move, kOpen);
    EXPECT_FALSE(open.reassert_topmost);
    EXPECT_TRUE(slider.Held());
    for (std::uint32_t tick = 1050; tick < 3000; tick += kPollPeriodMs) {
        const Point pointer = (tick / 500) % 2 == 0 ? kAway : Point{200, 300};
        ASSERT_EQ(slider.Poll(kOpen, pointer, tick, kOpenWidth, 450, false), SlideStep{}) << tick;
    }
    slider.Release();
    EXPECT_FALSE(slider.Held());
    // Inside, it stays where it is (the open move repeats in place).
    EXPECT_EQ(
        slider.Poll(kOpen, Point{200, 300}, 3000, kOpenWidth, 450, false).move.value_or(kOpen),
        kOpen);
    const SlideStep collapse = slider.Poll(kOpen, kAway, 3050, kOpenWidth, 450, false);
    EXPECT_EQ(collapse.move, kCollapsed);
    EXPECT_TRUE(collapse.reassert_topmost);
}

TEST(EdgeSliderKeyboard, OpensFromAnywhereAndNotAgainWhenOpen) {
    EdgeSlider slider;
    // Mid-animation, or moved off the edge: to x = 0 at full width.
    EXPECT_EQ(slider.OpenByKeyboard(Rect{-200, 96, 310, 672}, kOpenWidth).move, kOpen);
    EXPECT_EQ(slider.OpenByKeyboard(kOpen, kOpenWidth), SlideStep{});
    EXPECT_TRUE(slider.Held());
    // A busy drawer stays frozen, held or not.
    EXPECT_EQ(slider.Poll(kOpen, kAway, 10, kOpenWidth, 0, true), SlideStep{});
}

TEST(EdgeSliderKeyboard, CollapseEndsTheHoldAndTheDelayStartsAgain) {
    EdgeSlider slider;
    slider.OpenByKeyboard(kCollapsed, kOpenWidth);
    const SlideStep step = slider.Collapse(kOpen, 8000);
    EXPECT_EQ(step.move, kCollapsed);
    EXPECT_TRUE(step.reassert_topmost);
    EXPECT_FALSE(slider.Held());
    EXPECT_EQ(slider.LastOutside(), 8000u);
    // Esc with the pointer resting in the strip: it does not spring open at the next poll.
    EXPECT_EQ(PollsUntilOpen(slider, 8000, 450, 20), 10);
    EXPECT_EQ(slider.Collapse(kCollapsed, 9000).move, std::nullopt);
}

// Typing in a drawer the pointer opened keeps it open when the pointer then leaves.
TEST(EdgeSliderKeyboard, HoldingAPointerOpenedDrawer) {
    EdgeSlider slider;
    slider.Poll(kCollapsed, kAway, 0, kOpenWidth, 0, false);
    ASSERT_EQ(slider.Poll(kCollapsed, kInStrip, 50, kOpenWidth, 0, false).move, kOpen);
    slider.Hold();
    EXPECT_EQ(slider.Poll(kOpen, kAway, 100, kOpenWidth, 0, false), SlideStep{});
    EXPECT_EQ(slider.LastOutside(), 100u);
}

// At a right edge everything is mirrored: the strip is the last three columns, the drawer
// opens to the left of the edge, the animation slides it off to the right.
constexpr DockEdge kRightEdge{DockSide::kRight, 1024};
constexpr Rect kRightOpen{514, 96, 1024, 672};
constexpr Rect kRightStrip{1021, 96, 1024, 672};

TEST(EdgeSliderRightEdge, RestingInTheStripOpensLeftwardsAndLeavingCollapses) {
    EdgeSlider slider;
    slider.SetEdge(kRightEdge);
    slider.Poll(kRightStrip, Point{700, 300}, 1000, kOpenWidth, 450, false);
    int polls = 0;
    SlideStep step;
    for (std::uint32_t tick = 1050; !step.move; tick += kPollPeriodMs) {
        step = slider.Poll(kRightStrip, Point{1022, 300}, tick, kOpenWidth, 450, false);
        ASSERT_LT(++polls, 20);
    }
    EXPECT_EQ(polls, 10);
    EXPECT_EQ(step.move, kRightOpen);
    // The column just beyond the edge is not in the strip.
    EXPECT_TRUE(
        slider.Poll(kRightStrip, Point{1024, 300}, 5000, kOpenWidth, 0, false).reassert_topmost);
    const SlideStep collapse = slider.Poll(kRightOpen, Point{300, 300}, 6000, kOpenWidth, 0, false);
    EXPECT_EQ(collapse.move, kRightStrip);
    EXPECT_TRUE(collapse.reassert_topmost);
    // Docked means its right border at the edge: one moved in is left alone.
    EXPECT_EQ(slider.Poll(Rect{500, 96, 1010, 672}, Point{300, 300}, 7000, kOpenWidth, 0, false),
              (SlideStep{std::nullopt, true}));
}

TEST(EdgeSliderRightEdge, TheAnimationSlidesOffToTheRightAndEndsAsTheStrip) {
    EdgeSlider slider;
    slider.SetEdge(kRightEdge);
    Rect window = kRightOpen;
    int ticks = 0;
    AnimationFrame frame;
    do {
        frame = slider.Animate(window, kOpenWidth, static_cast<std::uint32_t>(ticks) * 20);
        if (!frame.last) {
            EXPECT_EQ(frame.window.left, window.left + kAnimationStep);
            EXPECT_EQ(frame.window.Width(), kOpenWidth);
            EXPECT_LT(frame.window.left, 1024 - kCollapsedWidth) << "never wholly off the screen";
        }
        window = frame.window;
        ASSERT_LT(++ticks, 100);
    } while (!frame.last);
    EXPECT_EQ(ticks, 51);
    EXPECT_EQ(window, kRightStrip);
}

TEST(EdgeSliderRightEdge, TheKeyboardOpensAndCollapsesAtThatEdge) {
    EdgeSlider slider;
    slider.SetEdge(kRightEdge);
    slider.SetCollapsedWidth(5);
    EXPECT_EQ(slider.OpenByKeyboard(Rect{1019, 96, 1024, 672}, kOpenWidth).move, kRightOpen);
    EXPECT_EQ(slider.Collapse(kRightOpen, 10).move, (Rect{1019, 96, 1024, 672}));
}

// A left edge on a monitor left of the primary one, at negative coordinates.
TEST(EdgeSliderRightEdge, ALeftEdgeAwayFromZeroWorksAsAtZero) {
    EdgeSlider slider;
    slider.SetEdge(DockEdge{DockSide::kLeft, -1920});
    const Rect strip{-1920, 135, -1917, 945};
    slider.Poll(strip, Point{-1000, 300}, 0, 960, 0, false);
    EXPECT_EQ(slider.Poll(strip, Point{-1919, 300}, 50, 960, 0, false).move,
              (Rect{-1920, 135, -960, 945}));
    EXPECT_EQ(slider.Poll(Rect{-1920, 135, -960, 945}, Point{100, 300}, 100, 960, 0, false).move,
              strip);
}

}  // namespace
}  // namespace zarkit
