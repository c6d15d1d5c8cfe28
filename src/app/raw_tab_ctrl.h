#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/accessibility/tab_strip_accessible.h"
#include "app/zarkit_list_ctrl_view.h"
#include "core/drawer_palette.h"
#include "core/geometry.h"
#include "core/key_commands.h"
#include "core/tab_drag.h"
#include "core/tab_strip_model.h"
#include "ui/com.h"
#include "ui/handles.h"
#include "ui/window.h"

namespace zarkit {

// The tab strip: a custom-drawn column of vertical tabs, one per table, with two
// scroll buttons, beside the list area that hosts every table's list window. The
// decisions live in TabStripModel; this class owns the windows and the GDI objects,
// paints, and applies what the model decides. Screen readers see it as a page-tab list
// (TabStripAccessible); it takes the keyboard focus from the lists by Tab.
class CRawTabCtrl : public ui::Window, private AccessibleTabStrip {
public:
    CRawTabCtrl();
    ~CRawTabCtrl() override;

    static bool RegisterWindowClass();

    // Creates the control as a visible child with id 1222.
    bool CreateTabStrip(HWND parent, const Rect& rect);
    // Tabs under the pointer are chosen during a drag too. The first drop target a
    // program registers costs it OLE's set-up, which can wait until the strip is shown.
    void FollowDrags();
    // The right bar draws the bar and tab bitmaps mirrored.
    void SetLayout(TabLayout layout);
    // The sizes and fonts of a monitor of that DPI; the names are measured again.
    void SetDpi(int dpi);
    // Moves the control (at a new size, DPI or side) and lays it out again, lists included.
    void Place(const Rect& rect, TabLayout layout);
    void SetHoverSelect(bool on) { m_Model.SetHoverSelect(on); }

    int GetSelectedTab() const { return m_Model.Selected(); }
    // Shows the list of the tab with that index (making its window if it has none yet)
    // and hides the others.
    void SelectTab(int index, bool redraw);
    // Appends a tab for a table's list (named as the list is), and selects it; while the
    // store is being loaded, quietly, with nothing selected or shown.
    enum AddMode { kSelect, kLoading };
    void AddTab(std::unique_ptr<CZarkitListCtrlView> list, AddMode mode = kSelect);
    void RenumberTabs();
    // Measures every name again; call after a name changed.
    void MeasureTabs();
    // The client area right of the tab bar, where list windows go.
    Rect GetListArea() const;

    int TabCount() const { return static_cast<int>(m_Lists.size()); }
    CZarkitListCtrlView* TabList(int position) const { return m_Lists[position].get(); }
    // The table's name, as the tab shows it.
    const std::string& TabName(int position) const;
    // Gives the table at `position` a new name: on its tab, its list, and to screen readers.
    void RenameTab(int position, std::string name);
    // Call after tabs were added, removed or moved: screen readers read the tabs again.
    void TabsReordered();
    // Keys pressed while the strip has the focus go here first; true when taken.
    void SetKeyHandler(std::function<bool(const KeyPress&)> handler) {
        m_KeyHandler = std::move(handler);
    }
    // Position of the selected tab; -1 when none is.
    int SelectedPosition() const;
    // Removes the tab and destroys its list.
    void EraseTab(int position);
    // The tab and its list from `from` to `to`; the selected table stays selected.
    void MoveTab(int from, int to);
    // A tab dragged along the bar and let go over another tab's place asks `move(from, to)`
    // to move its table there; `dragging` hears when such a drag begins (true) and ends.
    void SetTabMoveHandlers(std::function<void(bool dragging)> dragging,
                            std::function<void(int from, int to)> move) {
        m_OnTabDragging = std::move(dragging);
        m_OnTabMoved = std::move(move);
    }
    // Selects the tab at `position` as a click on it does, scrolled into view if it was not.
    void ChooseTab(int position) override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    // Bottom cap, middle, top cap.
    using TabPieces = std::array<ui::Bitmap, 3>;
    // The bitmaps that differ between the two sides.
    struct SideSkin {
        ui::Bitmap bar;
        TabPieces selected;
        TabPieces plain;
        bool mirrored = false;
    };
    static SideSkin LoadSideSkin(bool mirrored);

    void OnPaint();
    void PaintTab(HDC dc, HDC memory, const TabPlacement& placement, const DrawerPalette& palette);
    void Apply(const PointerEffect& effect);
    void OnDragHover(POINT screen_point);
    TextExtent MeasureName(HDC dc, const std::string& name) const;

    // Dragging a tab to another place (raw_tab_ctrl_drag.cpp). Each takes client
    // coordinates; OnTabDragMove is false when no tab is pressed.
    void OnTabPress(Point point);
    bool OnTabDragMove(Point point);
    void OnTabRelease(Point point);
    void CancelTabDrag();
    std::optional<std::size_t> TabPlaceUnder(Point point) const;
    void PaintTabDropMark(HDC dc, const DrawerPalette& palette) const;

    // Screen readers (raw_tab_ctrl_access.cpp).
    TabStripFacts AccessFacts() const override;
    void TakeFocus() override;
    LRESULT OnGetObject(WPARAM flags, LPARAM object_id);
    // Tells screen readers of a change of the selected tab, or of the focus on it.
    void AnnounceSelection(bool always);
    void CloseAccessible();
    void OnFocusChange(bool focused);

    TabStripModel m_Model;
    // The tables' list windows, position for position with the model's tabs.
    std::vector<std::unique_ptr<CZarkitListCtrlView>> m_Lists;
    // The one list on show, or null; every other list is hidden.
    CZarkitListCtrlView* m_ShownList = nullptr;
    SideSkin m_Skin;
    ui::Bitmap m_NextBitmap;
    ui::Bitmap m_PrevBitmap;
    ui::Font m_SelectedFont;
    ui::Font m_TabFont;
    int m_Dpi = kDefaultDpi;
    bool m_DragHoverRegistered = false;
    std::function<bool(const KeyPress&)> m_KeyHandler;
    TabDrag m_TabDrag;
    std::function<void(bool)> m_OnTabDragging;
    std::function<void(int, int)> m_OnTabMoved;
    // Made at the first request; disconnected when the window goes.
    ui::ComPtr<TabStripAccessible> m_Accessible;
    bool m_AccessibleClosed = false;
    // The selected position screen readers were last told of.
    int m_AnnouncedSelection = -1;
};

}  // namespace zarkit
