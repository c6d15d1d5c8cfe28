#include "core/tab_strip_access.h"

namespace zarkit {
namespace {

long TabCount(const TabStripFacts& facts) {
    return static_cast<long>(facts.tabs.size());
}

bool Drawn(const TabStripFacts& facts, int position) {
    return position >= 0 && position < static_cast<int>(facts.tabs.size()) &&
           facts.tabs[static_cast<std::size_t>(position)].rect.has_value();
}

AccessChild Tab(int position) {
    return AccessChild{AccessChildKind::kTab, position};
}

}  // namespace

std::optional<AccessChild> ChildOfId(const TabStripFacts& facts, long id) {
    const long tabs = TabCount(facts);
    if (id == 0) {
        return AccessChild{};
    }
    if (id >= 1 && id <= tabs) {
        return Tab(static_cast<int>(id - 1));
    }
    return std::nullopt;
}

long IdOfChild(const TabStripFacts&, const AccessChild& child) {
    return child.kind == AccessChildKind::kTab ? child.position + 1 : 0;
}

long AccessChildCount(const TabStripFacts& facts) {
    return TabCount(facts);
}

AccessDescription DescribeChild(const TabStripFacts& facts, const AccessChild& child) {
    AccessDescription description;
    switch (child.kind) {
        case AccessChildKind::kSelf:
            description.role = AccessRole::kPageTabList;
            description.name = kTabStripAccessName;
            break;
        case AccessChildKind::kTab: {
            const TabStripFacts::Tab& tab = facts.tabs.at(static_cast<std::size_t>(child.position));
            const bool selected = child.position == facts.selected;
            description.role = AccessRole::kPageTab;
            description.name = tab.name;
            description.state.selectable = true;
            description.state.focusable = true;
            description.state.selected = selected;
            description.state.focused = selected && facts.focused;
            description.state.invisible = !tab.rect;
            description.state.offscreen = !tab.rect;
            description.location = tab.rect;
            description.default_action = kSwitchAction;
            break;
        }
    }
    return description;
}

std::optional<AccessChild> ChildAt(const TabStripFacts& facts, Point point) {
    if (!facts.client.Contains(point)) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < facts.tabs.size(); ++i) {
        if (facts.tabs[i].rect && facts.tabs[i].rect->Contains(point)) {
            return Tab(static_cast<int>(i));
        }
    }
    return AccessChild{};
}

AccessNavigation Navigate(const TabStripFacts& facts, const AccessChild& from,
                          AccessDirection direction) {
    AccessNavigation navigation;
    const long count = AccessChildCount(facts);
    if (from.kind == AccessChildKind::kSelf) {
        if (direction == AccessDirection::kFirstChild) {
            navigation.found = ChildOfId(facts, 1);
        } else if (direction == AccessDirection::kLastChild) {
            navigation.found = ChildOfId(facts, count);
        } else {
            navigation.ask_window = true;
        }
        return navigation;
    }
    const long id = IdOfChild(facts, from);
    switch (direction) {
        case AccessDirection::kNext:
            if (id < count) {
                navigation.found = ChildOfId(facts, id + 1);
            }
            break;
        case AccessDirection::kPrevious:
            if (id > 1) {
                navigation.found = ChildOfId(facts, id - 1);
            }
            break;
        case AccessDirection::kUp:
            if (Drawn(facts, from.position + 1)) {
                navigation.found = Tab(from.position + 1);
            }
            break;
        case AccessDirection::kDown:
            if (Drawn(facts, from.position - 1)) {
                navigation.found = Tab(from.position - 1);
            }
            break;
        case AccessDirection::kLeft:
        case AccessDirection::kRight:
        case AccessDirection::kFirstChild:
        case AccessDirection::kLastChild:
            break;
    }
    return navigation;
}

std::optional<AccessChild> FocusedChild(const TabStripFacts& facts) {
    if (!facts.focused) {
        return std::nullopt;
    }
    return SelectedChild(facts).value_or(AccessChild{});
}

std::optional<AccessChild> SelectedChild(const TabStripFacts& facts) {
    if (facts.selected < 0 || facts.selected >= static_cast<int>(facts.tabs.size())) {
        return std::nullopt;
    }
    return Tab(facts.selected);
}

AccessAction DefaultActionOf(const AccessChild& child) {
    return child.kind == AccessChildKind::kTab ? AccessAction::kChooseTab : AccessAction::kNone;
}

AccessSelect SelectRequest(const AccessChild& child, unsigned flags) {
    AccessSelect request;
    const unsigned take = kSelectTakeFocus | kSelectTakeSelection;
    if (child.kind != AccessChildKind::kTab || (flags & ~take) != 0 || (flags & take) == 0) {
        return request;
    }
    request.valid = true;
    request.choose = true;
    request.focus = (flags & kSelectTakeFocus) != 0;
    return request;
}

}  // namespace zarkit
