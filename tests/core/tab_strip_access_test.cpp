#include "core/tab_strip_access.h"

#include <climits>

#include <gtest/gtest.h>

namespace zarkit {
namespace {

// Three tables, the third scrolled past the top of the bar; the second selected.
TabStripFacts ThreeTabs() {
    TabStripFacts facts;
    facts.tabs = {{"Common", Rect{10, 461, 39, 535}},
                  {"WebSites", Rect{7, 388, 39, 463}},
                  {"Tools", std::nullopt}};
    facts.selected = 1;
    facts.client = Rect{0, 0, 451, 536};
    return facts;
}

constexpr AccessChild kSelf{};
constexpr AccessChild Tab(int position) {
    return AccessChild{AccessChildKind::kTab, position};
}

TEST(TabStripAccess, ChildIdsAreTheTabsInTableOrder) {
    const TabStripFacts facts = ThreeTabs();
    EXPECT_EQ(AccessChildCount(facts), 3);
    EXPECT_EQ(ChildOfId(facts, 0), kSelf);
    EXPECT_EQ(ChildOfId(facts, 1), Tab(0));
    EXPECT_EQ(ChildOfId(facts, 3), Tab(2));
    for (long id = 0; id <= 3; ++id) {
        EXPECT_EQ(IdOfChild(facts, *ChildOfId(facts, id)), id);
    }
    // Whatever a client sends, nothing else is a child.
    for (const long id : {4L, -1L, -4L, LONG_MAX, LONG_MIN}) {
        EXPECT_EQ(ChildOfId(facts, id), std::nullopt) << id;
    }
    TabStripFacts empty = ThreeTabs();
    empty.tabs.clear();
    empty.selected = -1;
    EXPECT_EQ(AccessChildCount(empty), 0);
    EXPECT_EQ(ChildOfId(empty, 1), std::nullopt);
    EXPECT_EQ(SelectedChild(empty), std::nullopt);
    EXPECT_EQ(Navigate(empty, kSelf, AccessDirection::kFirstChild).found, std::nullopt);
}

TEST(TabStripAccess, ATabIsASelectablePageTabNamedAfterItsTable) {
    TabStripFacts facts = ThreeTabs();
    const AccessDescription selected = DescribeChild(facts, Tab(1));
    EXPECT_EQ(selected.role, AccessRole::kPageTab);
    EXPECT_EQ(selected.name, "WebSites");
    EXPECT_EQ(selected.default_action, "Switch");
    EXPECT_EQ(selected.location, (Rect{7, 388, 39, 463}));
    EXPECT_EQ(selected.state,
              (AccessState{.selected = true, .selectable = true, .focusable = true}));

    const AccessDescription other = DescribeChild(facts, Tab(0));
    EXPECT_EQ(other.state, (AccessState{.selectable = true, .focusable = true}));

    // Focused is the selected tab while the strip has the keyboard focus, and only then.
    facts.focused = true;
    EXPECT_TRUE(DescribeChild(facts, Tab(1)).state.focused);
    EXPECT_FALSE(DescribeChild(facts, Tab(0)).state.focused);
}

TEST(TabStripAccess, TheStripIsAPageTabListNamedTables) {
    const AccessDescription self = DescribeChild(ThreeTabs(), kSelf);
    EXPECT_EQ(self.role, AccessRole::kPageTabList);
    EXPECT_EQ(self.name, "Tables");
}

TEST(TabStripAccess, ATabScrolledOutOfTheBarIsInvisibleAndHasNoPlace) {
    const AccessDescription hidden = DescribeChild(ThreeTabs(), Tab(2));
    EXPECT_EQ(hidden.name, "Tools");
    EXPECT_TRUE(hidden.state.invisible);
    EXPECT_TRUE(hidden.state.offscreen);
    EXPECT_TRUE(hidden.state.selectable);
    EXPECT_EQ(hidden.location, std::nullopt);
    EXPECT_EQ(ChildAt(ThreeTabs(), Point{20, 100}), kSelf);
}

TEST(TabStripAccess, HitTestFindsTabsElseTheStripWithinItsClientArea) {
    const TabStripFacts facts = ThreeTabs();
    EXPECT_EQ(ChildAt(facts, Point{20, 500}), Tab(0));
    EXPECT_EQ(ChildAt(facts, Point{20, 400}), Tab(1));
    // Where two tabs overlap the lower one wins, as it does for a click.
    EXPECT_EQ(ChildAt(facts, Point{38, 462}), Tab(0));
    EXPECT_EQ(ChildAt(facts, Point{8, 500}), kSelf);    // the bar left of a narrower tab
    EXPECT_EQ(ChildAt(facts, Point{20, 10}), kSelf);    // a scroll button
    EXPECT_EQ(ChildAt(facts, Point{300, 300}), kSelf);  // the list area
    EXPECT_EQ(ChildAt(facts, Point{451, 10}), std::nullopt);
    EXPECT_EQ(ChildAt(facts, Point{-1, 500}), std::nullopt);
}

TEST(TabStripAccess, NavigationByOrderAndOnTheScreen) {
    const TabStripFacts facts = ThreeTabs();
    const auto go = [&facts](const AccessChild& from, AccessDirection direction) {
        return Navigate(facts, from, direction).found;
    };
    EXPECT_EQ(go(kSelf, AccessDirection::kFirstChild), Tab(0));
    EXPECT_EQ(go(kSelf, AccessDirection::kLastChild), Tab(2));
    EXPECT_TRUE(Navigate(facts, kSelf, AccessDirection::kNext).ask_window);
    EXPECT_FALSE(Navigate(facts, Tab(0), AccessDirection::kNext).ask_window);

    EXPECT_EQ(go(Tab(0), AccessDirection::kNext), Tab(1));
    EXPECT_EQ(go(Tab(2), AccessDirection::kNext), std::nullopt);
    EXPECT_EQ(go(Tab(0), AccessDirection::kPrevious), std::nullopt);
    EXPECT_EQ(go(Tab(2), AccessDirection::kPrevious), Tab(1));
    EXPECT_EQ(go(Tab(1), AccessDirection::kFirstChild), std::nullopt);

    // Tabs stack upwards; a tab scrolled out is not on the way.
    EXPECT_EQ(go(Tab(0), AccessDirection::kUp), Tab(1));
    EXPECT_EQ(go(Tab(1), AccessDirection::kUp), std::nullopt);
    EXPECT_EQ(go(Tab(1), AccessDirection::kDown), Tab(0));
    EXPECT_EQ(go(Tab(0), AccessDirection::kDown), std::nullopt);
    EXPECT_EQ(go(Tab(0), AccessDirection::kLeft), std::nullopt);
}

TEST(TabStripAccess, FocusIsTheSelectedTabWhileTheStripHasTheKeyboard) {
    TabStripFacts facts = ThreeTabs();
    EXPECT_EQ(FocusedChild(facts), std::nullopt);
    EXPECT_EQ(SelectedChild(facts), Tab(1));
    facts.focused = true;
    EXPECT_EQ(FocusedChild(facts), Tab(1));
    // With no tab selected (the selected one was deleted) the strip itself has it.
    facts.selected = 7;
    EXPECT_EQ(FocusedChild(facts), kSelf);
    EXPECT_EQ(SelectedChild(facts), std::nullopt);
}

TEST(TabStripAccess, ActionsAndSelectionTakeOneTabAtATime) {
    EXPECT_EQ(DefaultActionOf(Tab(2)), AccessAction::kChooseTab);
    EXPECT_EQ(DefaultActionOf(kSelf), AccessAction::kNone);

    const AccessSelect both = SelectRequest(Tab(1), kSelectTakeFocus | kSelectTakeSelection);
    EXPECT_TRUE(both.valid && both.choose && both.focus);
    const AccessSelect selection = SelectRequest(Tab(1), kSelectTakeSelection);
    EXPECT_TRUE(selection.valid && selection.choose && !selection.focus);
    EXPECT_TRUE(SelectRequest(Tab(1), kSelectTakeFocus).choose);
    for (const unsigned flags :
         {0u, kSelectAdd, kSelectRemove, kSelectExtend, kSelectTakeSelection | kSelectAdd, 0x80u}) {
        EXPECT_FALSE(SelectRequest(Tab(1), flags).valid) << flags;
    }
    EXPECT_FALSE(SelectRequest(kSelf, kSelectTakeFocus).valid);
}

}  // namespace
}  // namespace zarkit
