#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/dock_setting.h"
#include "core/dpi_scale.h"
#include "core/geometry.h"

namespace zarkit {

// Sizes of the tab strip's bitmaps and the gaps around them.
inline constexpr int kTabBarWidth = 39;  // bar bitmap 129 is 39 x 1
inline constexpr int kTabBarHeight = 1;
inline constexpr int kScrollButtonSize = 17;  // one of the three frames of 137 / 138
inline constexpr int kScrollButtonInset = 4;
inline constexpr int kTabPadding = 20;  // tab length beyond the widest name
inline constexpr int kTabGap = 2;
inline constexpr int kSelectedTabWidth = 32;  // pieces 133-135
inline constexpr int kSelectedTabBottomCap = 5;
inline constexpr int kSelectedTabTopCap = 6;
inline constexpr int kTabWidth = 29;  // pieces 130-132
inline constexpr int kTabBottomCap = 4;
inline constexpr int kTabTopCap = 5;

// Hit rectangle of a tab that is not drawn; contains no point.
inline constexpr Rect kNoHitRect{-1, -1, -1, -1};

enum class TabLayout {
    kLeftBar = 0,   // the drawer's layout at a left screen edge
    kTopBar = 1,    // provisional, right after creation
    kRightBar = 2,  // at a right screen edge: the left-bar layout mirrored
};

// The drawer's layout at a screen edge: the bar on the edge's side, the lists inwards.
constexpr TabLayout DrawerTabLayout(DockSide side) {
    return side == DockSide::kRight ? TabLayout::kRightBar : TabLayout::kLeftBar;
}

enum class ButtonState { kNormal = 0, kHot = 1, kPressed = 2 };

// Size of a name as the selected-tab font draws it (rotated, so cx runs along the tab).
struct TextExtent {
    int cx = 0;
    int cy = 0;
};

// A tab's name is its table's, kept by the table's list window: the control passes its
// extent in and reads it back when it paints.
struct TabRecord {
    int index = 0;          // rewritten by renumbering; may lag behind the position until then
    Rect hit = kNoHitRect;  // where the tab was last drawn
};

// One drawn tab. Each piece is stretched from its whole bitmap: the selected-tab
// pieces when `selected`, else the plain ones.
struct TabPlacement {
    std::size_t position = 0;  // in Tabs()
    bool selected = false;
    Rect hit;
    Rect bottom_cap;
    Rect middle;
    Rect top_cap;
};

// Everything one paint draws, in control coordinates.
struct TabStripPaint {
    Rect background;         // filled with the background colour
    bool bar_drawn = false;  // false in the top-bar layout: nothing below is drawn
    Rect bar;                // the bar bitmap stretched over it
    Rect next_button;        // the 17 x 17 frame at next_frame_y stretched over it
    int next_frame_y = 0;
    Rect prev_button;
    int prev_frame_y = 0;
    std::vector<TabPlacement> tabs;  // then each name at TabTextOrigin
};

// What renumbering asks of the control.
enum class RenumberAction {
    kNone,
    kSelectFirst,        // SelectTab(0) with redraw: the selected tab or one before it is gone
    kSelectNoneQuietly,  // SelectTab(-1) without redraw: there are no tabs
};

// What a mouse message asks of the control, applied in field order.
struct PointerEffect {
    // A tab picked by the pointer: post WM_ZK_TABSELECTED (index, -1) to the parent,
    // then SelectTab(index) with redraw.
    std::optional<int> picked;
    // Debugger trace of a scroll button press; empty when none was pressed.
    std::string trace;
    // The selection a scroll carries along: SelectTab(index) with redraw, nothing posted.
    std::optional<int> scroll_select;
    // Invalidate this area without erasing (the scroll buttons).
    std::optional<Rect> invalidate;

    friend bool operator==(const PointerEffect&, const PointerEffect&) = default;
};

// The tab strip without its windows and GDI objects: tab records, selection,
// scrolling, layout and hit testing. The control keeps the tables' list windows
// in a container parallel to Tabs() (same positions) and applies what these
// functions return. The model has already updated its own state when it returns;
// selecting again through SelectTab is harmless.
class TabStripModel {
public:
    // Returns where every list window goes (top of the z-order, hidden) in the
    // left-bar and right-bar layouts; nothing for the top bar.
    std::optional<Rect> SetLayout(TabLayout layout, const Rect& client);
    // The client area beside the bar: where the list windows are created.
    Rect ListArea(const Rect& client) const;

    // The sizes the bar and the tabs are drawn at (the monitor's DPI); call SetLayout
    // and MeasureTabs again after a change.
    void SetMetrics(const TabStripMetrics& metrics) { metrics_ = metrics; }
    const TabStripMetrics& Metrics() const { return metrics_; }
    // Where the list window of a tab being added goes (shown, top of the z-order).
    Rect NewListRect(const Rect& client) const;

    const std::vector<TabRecord>& Tabs() const { return tabs_; }
    // Appends a tab and widens the tabs if its name (of that extent) is the widest;
    // returns its index. The caller then places and shows its list and selects the
    // index with redraw.
    int AddTab(TextExtent extent);
    bool EraseTab(std::size_t position);
    // The tab at `from` now stands at `to`; the selection stays with its tab, which is
    // scrolled into view when it was moved. False when either position is not a tab's.
    bool MoveTab(std::size_t from, std::size_t to);
    // The widest of these extents, from zero; call after a name changed.
    void MeasureTabs(std::span<const TextExtent> extents);

    // Makes index the selected one when a record carries it; unchanged otherwise.
    bool Select(int index);
    // Rewrites the indexes to the positions (done first in every paint).
    RenumberAction RenumberTabs();
    int Selected() const { return selected_; }
    // Position of the record carrying the selected index.
    std::optional<std::size_t> SelectedPosition() const;
    int CurStartTab() const { return cur_start_tab_; }
    // Scrolls as little as needed for the tab of that index to be drawn, as a tab chosen
    // from the keyboard must be; false when nothing changed.
    bool ScrollToShow(int index);
    void SetHoverSelect(bool on) { hover_select_ = on; }
    bool HoverSelect() const { return hover_select_; }

    // Call after RenumberTabs. Stores every tab's hit rectangle.
    TabStripPaint Paint(const Rect& client);
    // The tab part of Paint; places nothing in the top-bar layout.
    std::vector<TabPlacement> PlaceTabs();
    // Where the tabs would be drawn now, without storing their hit rectangles.
    std::vector<TabPlacement> Placements() const;
    // Length of every tab along the bar.
    int TabLength() const { return widest_text_ + metrics_.tab_padding; }
    // Start of a name of extent cx x cy drawn with the rotated font, centred in hit.
    static Point TabTextOrigin(const Rect& hit, int cx, int cy);
    // Top of the button bitmap frame for a state.
    static int ButtonFrameY(ButtonState state);

    PointerEffect LeftButtonDown(Point point);
    PointerEffect MouseMove(Point point);
    // point already converted to control coordinates.
    PointerEffect NcHitTest(Point point);

    TabLayout Layout() const { return layout_; }
    const Rect& Bar() const { return bar_; }
    const Rect& NextRect() const { return next_; }
    const Rect& PrevRect() const { return prev_; }
    ButtonState NextState() const { return next_state_; }
    ButtonState PrevState() const { return prev_state_; }
    int WidestText() const { return widest_text_; }
    int WidestTextHeight() const { return widest_text_height_; }

private:
    // The left-bar and right-bar layouts, which draw the bar and its tabs.
    bool HasBar() const { return layout_ != TabLayout::kTopBar; }
    std::optional<int> PickTab(Point point);
    Rect ButtonArea() const;
    void SetButtonStates(ButtonState prev, ButtonState next);

    std::vector<TabRecord> tabs_;
    TabStripMetrics metrics_ = TabStripMetricsForDpi(kDefaultDpi);
    TabLayout layout_ = TabLayout::kTopBar;
    Rect bar_;
    ButtonState prev_state_ = ButtonState::kNormal;
    ButtonState next_state_ = ButtonState::kNormal;
    Rect prev_;
    Rect next_;
    int widest_text_ = 0;
    int widest_text_height_ = 0;
    int selected_ = -1;
    int cur_start_tab_ = 0;
    bool hover_select_ = false;
};

}  // namespace zarkit
