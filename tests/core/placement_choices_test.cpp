#include "core/placement_choices.h"

#include <gtest/gtest.h>

#include <vector>

namespace zarkit {
namespace {

Monitor MakeMonitor(Rect bounds, const char* name, bool primary = false) {
    return Monitor{bounds, bounds, 96, name, primary};
}

std::vector<std::string> Texts(const std::vector<ScreenChoice>& choices) {
    std::vector<std::string> texts;
    for (const ScreenChoice& choice : choices) {
        texts.push_back(choice.text);
    }
    return texts;
}

const std::vector<Monitor> kDesk{
    MakeMonitor({0, 0, 1920, 1080}, "\\\\.\\DISPLAY1", true),
    MakeMonitor({-1280, 0, 0, 1024}, "\\\\.\\DISPLAY3"),
    MakeMonitor({0, -1080, 1920, 0}, "\\\\.\\DISPLAY2"),
    MakeMonitor({1920, 1080, 3840, 2160}, "\\\\.\\DISPLAY4"),
};

TEST(ScreenChoices, ThePrimaryEntryThenEachMonitorByNumberInWords) {
    const std::vector<ScreenChoice> choices = ScreenChoices(kDesk, std::nullopt);
    EXPECT_EQ(Texts(choices), (std::vector<std::string>{
                                  "Primary screen",
                                  "Screen 1: 1920 x 1080, primary",
                                  "Screen 2: 1920 x 1080, above the primary",
                                  "Screen 3: 1280 x 1024, left of the primary",
                                  "Screen 4: 1920 x 1080, below and to the right of the primary",
                              }));
    EXPECT_EQ(choices[0].setting, "primary");
    EXPECT_EQ(choices[0].monitor, std::nullopt);
    EXPECT_EQ(choices[3].setting, "\\\\.\\DISPLAY3");
    EXPECT_EQ(choices[3].monitor, 1u);
}

TEST(ScreenChoices, AScreenNotConnectedStaysOnTheListAndNamesWithoutANumberCountUp) {
    const std::vector<Monitor> odd{MakeMonitor({0, 0, 800, 600}, "MAIN", true),
                                   MakeMonitor({800, 0, 1600, 600}, "SIDE")};
    EXPECT_EQ(Texts(ScreenChoices(odd, "\\\\.\\DISPLAY7")),
              (std::vector<std::string>{"Primary screen", "Screen 1: 800 x 600, primary",
                                        "Screen 2: 800 x 600, right of the primary",
                                        "Screen 7: not connected"}));
    EXPECT_EQ(ScreenChoices(odd, "\\\\.\\DISPLAY7").back().setting, "\\\\.\\DISPLAY7");
    EXPECT_EQ(ScreenChoices(odd, "Projector").back().text, "Projector: not connected");
    // A present one, or the primary, adds nothing.
    EXPECT_EQ(ScreenChoices(odd, "side").size(), 3u);
    EXPECT_EQ(ScreenChoices(odd, "PRIMARY").size(), 3u);
    const std::vector<Monitor> overlapping{MakeMonitor({0, 0, 800, 600}, "A", true),
                                           MakeMonitor({0, 0, 800, 600}, "B")};
    EXPECT_EQ(DescribeMonitor(overlapping, 1), "Screen 2: 800 x 600, overlapping the primary");
}

TEST(CurrentChoice, ShowsWhereTheDrawerIsNow) {
    const std::vector<ScreenChoice> choices = ScreenChoices(kDesk, std::nullopt);
    // Nothing stored, the primary's left edge inner, its right edge outer: the right.
    EXPECT_EQ(CurrentChoice(kDesk, choices, std::nullopt, std::nullopt),
              (PlacementChoice{0, DockSide::kRight}));
    EXPECT_EQ(CurrentChoice(kDesk, choices, "primary", DockSide::kLeft),
              (PlacementChoice{0, DockSide::kLeft}));
    EXPECT_EQ(CurrentChoice(kDesk, choices, "\\\\.\\display4", DockSide::kLeft),
              (PlacementChoice{4, DockSide::kLeft}));
    // Both edges inner: the leftmost monitor's left edge, shown as that monitor.
    const std::vector<Monitor> row{MakeMonitor({0, 0, 1920, 1080}, "\\\\.\\DISPLAY1", true),
                                   MakeMonitor({-1280, 0, 0, 1024}, "\\\\.\\DISPLAY2"),
                                   MakeMonitor({1920, 0, 3840, 1080}, "\\\\.\\DISPLAY3")};
    const std::vector<ScreenChoice> row_choices = ScreenChoices(row, std::nullopt);
    EXPECT_EQ(CurrentChoice(row, row_choices, std::nullopt, std::nullopt),
              (PlacementChoice{2, DockSide::kLeft}));
    // A stored screen not connected: its own entry, listed last.
    const std::vector<ScreenChoice> absent = ScreenChoices(row, "\\\\.\\DISPLAY9");
    EXPECT_EQ(CurrentChoice(row, absent, "\\\\.\\DISPLAY9", DockSide::kRight),
              (PlacementChoice{4, DockSide::kRight}));
}

TEST(CurrentChoice, TellsInnerEdgesOfAnyChoice) {
    const std::vector<ScreenChoice> choices = ScreenChoices(kDesk, std::nullopt);
    EXPECT_TRUE(ChoiceIsInnerEdge(kDesk, choices, {0, DockSide::kLeft}));
    EXPECT_FALSE(ChoiceIsInnerEdge(kDesk, choices, {0, DockSide::kRight}));
    EXPECT_TRUE(ChoiceIsInnerEdge(kDesk, choices, {3, DockSide::kRight}));  // screen 3
    EXPECT_FALSE(ChoiceIsInnerEdge(kDesk, choices, {3, DockSide::kLeft}));
    EXPECT_FALSE(ChoiceIsInnerEdge(kDesk, choices, {9, DockSide::kLeft}));
    // No monitors known (a dialog opened without them): nothing is inner.
    EXPECT_FALSE(ChoiceIsInnerEdge({}, ScreenChoices({}, std::nullopt), {0, DockSide::kLeft}));
}

}  // namespace
}  // namespace zarkit
