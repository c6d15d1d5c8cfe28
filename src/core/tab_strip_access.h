#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/geometry.h"

// What assistive technology is told of the tab strip, in the terms of Microsoft Active
// Accessibility: the strip is a page-tab list whose children are one page tab per table,
// in table order. Its two scroll buttons are no children: they only bring tabs into sight
// for the pointer, and every tab, in sight or not, is a child that can be chosen. Child ids
// are MSAA's: 0 stands for the strip itself, 1 for the first tab.
namespace zarkit {

inline constexpr char kTabStripAccessName[] = "Tables";
inline constexpr char kSwitchAction[] = "Switch";

// What the tab strip knows of itself, gathered afresh for every question.
struct TabStripFacts {
    struct Tab {
        std::string name;
        std::optional<Rect> rect;  // client coordinates; none while scrolled out of the bar
    };
    std::vector<Tab> tabs;  // in table order
    int selected = -1;      // position of the selected tab, -1 for none
    bool focused = false;   // the strip has the keyboard focus
    Rect client;            // the strip's client area
};

enum class AccessChildKind { kSelf, kTab };

struct AccessChild {
    AccessChildKind kind = AccessChildKind::kSelf;
    int position = -1;  // of the tab, for kTab

    friend bool operator==(const AccessChild&, const AccessChild&) = default;
};

// The child an MSAA child id stands for; none for an id out of range.
std::optional<AccessChild> ChildOfId(const TabStripFacts& facts, long id);
long IdOfChild(const TabStripFacts& facts, const AccessChild& child);
// One per table.
long AccessChildCount(const TabStripFacts& facts);

enum class AccessRole { kPageTabList, kPageTab };

// The MSAA states these objects can be in.
struct AccessState {
    bool selected = false;
    bool focused = false;
    bool selectable = false;
    bool focusable = false;
    bool invisible = false;
    bool offscreen = false;

    friend bool operator==(const AccessState&, const AccessState&) = default;
};

struct AccessDescription {
    AccessRole role = AccessRole::kPageTabList;
    std::string name;
    AccessState state;
    std::optional<Rect> location;  // client coordinates; none for a tab scrolled out
    std::string default_action;    // empty: none

    friend bool operator==(const AccessDescription&, const AccessDescription&) = default;
};

// Role and name of any child; of the strip itself (kSelf) only these two, its state and
// location being the window's.
AccessDescription DescribeChild(const TabStripFacts& facts, const AccessChild& child);

// What is at a point of the client area: a drawn tab, else the strip itself;
// none outside the client area.
std::optional<AccessChild> ChildAt(const TabStripFacts& facts, Point point);

// MSAA's navigation directions.
enum class AccessDirection { kUp, kDown, kLeft, kRight, kNext, kPrevious, kFirstChild, kLastChild };

struct AccessNavigation {
    // The strip's own neighbours are windows: the window's standard object finds them.
    bool ask_window = false;
    std::optional<AccessChild> found;  // none: nothing in that direction
};

// Next and Previous go by child id; Up and Down on the screen, where tabs stack upwards
// from the bottom of the bar.
AccessNavigation Navigate(const TabStripFacts& facts, const AccessChild& from,
                          AccessDirection direction);

// The focused object while the strip has the focus: the selected tab, or the strip
// itself when none is; none while the focus is elsewhere.
std::optional<AccessChild> FocusedChild(const TabStripFacts& facts);
std::optional<AccessChild> SelectedChild(const TabStripFacts& facts);

enum class AccessAction { kNone, kChooseTab };

AccessAction DefaultActionOf(const AccessChild& child);

// accSelect's flags, with MSAA's values.
inline constexpr unsigned kSelectTakeFocus = 0x1;
inline constexpr unsigned kSelectTakeSelection = 0x2;
inline constexpr unsigned kSelectExtend = 0x4;
inline constexpr unsigned kSelectAdd = 0x8;
inline constexpr unsigned kSelectRemove = 0x10;

struct AccessSelect {
    bool valid = false;  // false: the request is refused (E_INVALIDARG)
    bool choose = false;
    bool focus = false;
};

// One tab is selected at a time: a tab can be taken (selection, focus or both); adding,
// extending or removing a selection is refused, and so is selecting anything else.
AccessSelect SelectRequest(const AccessChild& child, unsigned flags);

}  // namespace zarkit
