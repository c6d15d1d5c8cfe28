#include "core/tab_strip_model.h"

#include <algorithm>

#include <utility>

namespace zarkit {

std::optional<Rect> TabStripModel::SetLayout(TabLayout layout, const Rect& client) {
    layout_ = layout;
    if (!HasBar()) {
        bar_ = Rect{client.left, client.top, client.right, kTabBarHeight};
        return std::nullopt;
    }
    const TabStripMetrics& m = metrics_;
    // Next sits above Prev at the top of the bar, 4 pixels (at 96 DPI) in from the list's
    // side of it.
    int button_left = 0;
    if (layout == TabLayout::kRightBar) {
        bar_ = Rect{client.right - m.bar_width, client.top, client.right, client.bottom};
        button_left = bar_.left + m.button_inset;
    } else {
        bar_ = Rect{client.left, client.top, m.bar_width, client.bottom};
        button_left = m.bar_width - m.button_size - m.button_inset;
    }
    const int button_right = button_left + m.button_size;
    const int next_top = client.top + m.button_inset;
    next_ = Rect{button_left, next_top, button_right, next_top + m.button_size};
    prev_ = Rect{button_left, next_.bottom, button_right, next_.bottom + m.button_size};
    return ListArea(client);
}

Rect TabStripModel::ListArea(const Rect& client) const {
    if (layout_ == TabLayout::kRightBar) {
        return Rect{client.left, client.top, client.right - metrics_.bar_width, client.bottom};
    }
    return Rect{client.left + metrics_.bar_width, client.top, client.right, client.bottom};
}

Rect TabStripModel::NewListRect(const Rect& client) const {
    return HasBar() ? ListArea(client) : client;
}

int TabStripModel::AddTab(TextExtent extent) {
    if (extent.cx > widest_text_) {
        widest_text_ = extent.cx;
        widest_text_height_ = extent.cy;
    }
    // An erase leaves the indexes stale until the next paint renumbers them; taking
    // the count as the new index then could give two records the same index, and
    // selecting it would show both lists. The new tab is selected right away, so
    // renumbering here changes nothing else.
    for (std::size_t i = 0; i < tabs_.size(); ++i) {
        tabs_[i].index = static_cast<int>(i);
    }
    const int index = static_cast<int>(tabs_.size());
    tabs_.push_back(TabRecord{index, kNoHitRect});
    return index;
}

bool TabStripModel::EraseTab(std::size_t position) {
    if (position >= tabs_.size()) {
        return false;
    }
    tabs_.erase(tabs_.begin() + static_cast<std::ptrdiff_t>(position));
    return true;
}

bool TabStripModel::MoveTab(std::size_t from, std::size_t to) {
    if (from >= tabs_.size() || to >= tabs_.size() || from == to) {
        return false;
    }
    const std::optional<std::size_t> selected = SelectedPosition();
    const TabRecord moved = tabs_[from];
    tabs_.erase(tabs_.begin() + static_cast<std::ptrdiff_t>(from));
    tabs_.insert(tabs_.begin() + static_cast<std::ptrdiff_t>(to), moved);
    for (std::size_t i = 0; i < tabs_.size(); ++i) {
        tabs_[i].index = static_cast<int>(i);
    }
    if (selected) {
        std::size_t now = *selected;
        if (now == from) {
            now = to;
        } else if (from < now && now <= to) {
            --now;
        } else if (to <= now && now < from) {
            ++now;
        }
        selected_ = static_cast<int>(now);
    }
    ScrollToShow(static_cast<int>(to));
    // Hit rectangles at once: a click before the next paint finds the tabs where they are.
    PlaceTabs();
    return true;
}

void TabStripModel::MeasureTabs(std::span<const TextExtent> extents) {
    widest_text_ = 0;
    widest_text_height_ = 0;
    for (const TextExtent& extent : extents) {
        if (extent.cx > widest_text_) {
            widest_text_ = extent.cx;
            widest_text_height_ = extent.cy;
        }
    }
}

bool TabStripModel::Select(int index) {
    for (const TabRecord& tab : tabs_) {
        if (tab.index == index) {
            selected_ = index;
            return true;
        }
    }
    return false;
}

RenumberAction TabStripModel::RenumberTabs() {
    if (tabs_.empty()) {
        return RenumberAction::kSelectNoneQuietly;
    }
    RenumberAction action = RenumberAction::kNone;
    const int selected = selected_;
    for (std::size_t i = 0; i < tabs_.size(); ++i) {
        const int position = static_cast<int>(i);
        // Another record now stands where the selected one was: the selected tab or
        // one before it is gone, so the first tab takes over.
        if (position == selected && tabs_[i].index != selected) {
            action = RenumberAction::kSelectFirst;
        }
        tabs_[i].index = position;
    }
    if (action == RenumberAction::kSelectFirst) {
        Select(0);
    }
    return action;
}

bool TabStripModel::ScrollToShow(int index) {
    if (index < 0 || index >= static_cast<int>(tabs_.size())) {
        return false;
    }
    int start = cur_start_tab_;
    if (index < start) {
        start = index;
    } else if (HasBar()) {
        // Tab k above the lowest drawn one fits while its top stays clear of the buttons.
        const int length = TabLength();
        const int room = bar_.bottom - length - 2 - prev_.bottom;
        const int highest = room < 0 ? 0 : room / (length + metrics_.tab_gap);
        start = std::max(start, index - highest);
    }
    if (start == cur_start_tab_) {
        return false;
    }
    cur_start_tab_ = start;
    return true;
}

std::optional<std::size_t> TabStripModel::SelectedPosition() const {
    for (std::size_t i = 0; i < tabs_.size(); ++i) {
        if (tabs_[i].index == selected_) {
            return i;
        }
    }
    return std::nullopt;
}

TabStripPaint TabStripModel::Paint(const Rect& client) {
    TabStripPaint paint;
    if (layout_ == TabLayout::kRightBar) {
        paint.background = ListArea(client);
    } else {
        paint.background =
            Rect{bar_.right, bar_.top, bar_.right + client.Width(), bar_.top + client.Height()};
    }
    if (!HasBar()) {
        return paint;
    }
    paint.bar_drawn = true;
    paint.bar =
        layout_ == TabLayout::kRightBar
            ? bar_
            : Rect{client.left, client.top, client.left + metrics_.bar_width, client.bottom};
    paint.next_button = next_;
    paint.next_frame_y = ButtonFrameY(next_state_);
    paint.prev_button = prev_;
    paint.prev_frame_y = ButtonFrameY(prev_state_);
    paint.tabs = PlaceTabs();
    return paint;
}

std::vector<TabPlacement> TabStripModel::PlaceTabs() {
    std::vector<TabPlacement> placed = Placements();
    if (!HasBar()) {
        return placed;
    }
    for (TabRecord& tab : tabs_) {
        tab.hit = kNoHitRect;  // scrolled out, or past the top of the bar
    }
    for (const TabPlacement& placement : placed) {
        tabs_[placement.position].hit = placement.hit;
    }
    return placed;
}

std::vector<TabPlacement> TabStripModel::Placements() const {
    std::vector<TabPlacement> placed;
    if (!HasBar()) {
        return placed;
    }
    const int length = TabLength();
    for (std::size_t i = 0; i < tabs_.size(); ++i) {
        const TabRecord& tab = tabs_[i];
        if (tab.index < cur_start_tab_) {
            continue;
        }
        // Tabs stack upwards from the bottom of the bar, lowest visible first.
        const int v = bar_.bottom - (tab.index - cur_start_tab_) * (length + metrics_.tab_gap) - 1;
        if (v - length - 1 < prev_.bottom) {
            break;  // neither this tab nor any after it fits
        }
        const bool selected = tab.index == selected_;
        const TabStripMetrics& m = metrics_;
        const int width = selected ? m.selected_tab_width : m.tab_width;
        const int bottom_cap = selected ? m.selected_tab_bottom_cap : m.tab_bottom_cap;
        const int top_cap = selected ? m.selected_tab_top_cap : m.tab_top_cap;
        // Flush with the list area, so the selected tab stands out 3 pixels further
        // towards the screen edge.
        const bool right_bar = layout_ == TabLayout::kRightBar;
        const int left = right_bar ? bar_.left : bar_.right - width;
        const int right = right_bar ? bar_.left + width : bar_.right;
        const Rect hit{left, v - bottom_cap - length, right, v};
        placed.push_back(TabPlacement{
            .position = i,
            .selected = selected,
            .hit = hit,
            .bottom_cap = Rect{left, v - bottom_cap, right, v},
            .middle = Rect{left, v - length + top_cap, right, v - bottom_cap},
            .top_cap = Rect{left, v - length, right, v - length + top_cap},
        });
    }
    return placed;
}

Point TabStripModel::TabTextOrigin(const Rect& hit, int cx, int cy) {
    // The font is turned a quarter: text starts at the bottom and runs upwards.
    return Point{hit.left + (hit.Width() - cy) / 2, hit.top + (hit.Height() - cx) / 2 + cx};
}

int TabStripModel::ButtonFrameY(ButtonState state) {
    // Frames from the top of the bitmap: pressed, hot, normal.
    switch (state) {
        case ButtonState::kPressed:
            return 0;
        case ButtonState::kHot:
            return kScrollButtonSize;
        case ButtonState::kNormal:
            break;
    }
    return 2 * kScrollButtonSize;
}

std::optional<int> TabStripModel::PickTab(Point point) {
    for (const TabRecord& tab : tabs_) {
        if (!tab.hit.Contains(point)) {
            continue;
        }
        if (tab.index < 0 || tab.index == selected_) {
            return std::nullopt;
        }
        const int index = tab.index;
        Select(index);
        return index;
    }
    return std::nullopt;
}

void TabStripModel::SetButtonStates(ButtonState prev, ButtonState next) {
    prev_state_ = prev;
    next_state_ = next;
}

Rect TabStripModel::ButtonArea() const {
    return Rect{prev_.left, next_.top, prev_.right, prev_.bottom};
}

PointerEffect TabStripModel::LeftButtonDown(Point point) {
    PointerEffect effect;
    effect.picked = PickTab(point);
    const int count = static_cast<int>(tabs_.size());
    if (prev_.Contains(point)) {
        effect.trace = "Prev m_CurStartTab " + std::to_string(cur_start_tab_) + "\n";
        SetButtonStates(ButtonState::kPressed, ButtonState::kNormal);
        if (cur_start_tab_ > 0) {
            --cur_start_tab_;
            // With the first tab selected there is nothing below it to move to; selecting
            // -1 would hide every list behind a tab still drawn as selected.
            if (selected_ > 0) {
                effect.scroll_select = selected_ - 1;
                Select(selected_ - 1);
            }
        }
    } else if (next_.Contains(point)) {
        effect.trace = "next m_CurStartTab " + std::to_string(cur_start_tab_) + "\n";
        SetButtonStates(ButtonState::kNormal, ButtonState::kPressed);
        if (cur_start_tab_ < count - 1) {
            ++cur_start_tab_;
            if (selected_ != count - 1) {
                effect.scroll_select = selected_ + 1;
                Select(selected_ + 1);
            }
        }
    } else {
        SetButtonStates(ButtonState::kNormal, ButtonState::kNormal);
    }
    effect.invalidate = ButtonArea();
    return effect;
}

PointerEffect TabStripModel::MouseMove(Point point) {
    PointerEffect effect;
    if (hover_select_) {
        effect.picked = PickTab(point);
    }
    if (prev_.Contains(point)) {
        SetButtonStates(ButtonState::kHot, ButtonState::kNormal);
    } else if (next_.Contains(point)) {
        SetButtonStates(ButtonState::kNormal, ButtonState::kHot);
    } else {
        SetButtonStates(ButtonState::kNormal, ButtonState::kNormal);
    }
    effect.invalidate = ButtonArea();
    return effect;
}

PointerEffect TabStripModel::NcHitTest(Point point) {
    PointerEffect effect;
    if (hover_select_) {
        effect.picked = PickTab(point);
    }
    return effect;
}

}  // namespace zarkit
