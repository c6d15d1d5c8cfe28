#pragma once

#include <string>
#include <utility>

#include "app/list_keys.h"
#include "core/drop_mode.h"
#include "core/geometry.h"
#include "ui/control_subclass.h"
#include "ui/handles.h"
#include "ui/list_view.h"
#include "ui/win32.h"
#include <shellapi.h>

namespace zarkit {

// The list control of one table: the common list view in large-icon mode, with labels
// sorted and editable in place. Its item data point at the ListedItem each entry shows.
// It is subclassed for what its parent does not see: its own tooltip, which shows the
// whole text of an item however long it is, and what its drop target hands it (files,
// text, items from another list), which it passes on as its drop mode says; and for its
// keys, which its view sees first.
class CFileDropListCtrl : public ui::ListView {
public:
    static constexpr int kControlId = 1024;

    CFileDropListCtrl() = default;
    virtual ~CFileDropListCtrl() = default;
    CFileDropListCtrl(const CFileDropListCtrl&) = delete;
    CFileDropListCtrl& operator=(const CFileDropListCtrl&) = delete;

    bool Create(HWND parent, const Rect& rect);

    // The tooltip text for an entry: see TooltipText.
    virtual std::string GetItemTipText(int index) const;
    // Where an accepted dropped path goes without callbacks: a text-only entry labelled
    // with the path at the top, unless one has that label already (without
    // DROP_DUPLICATES). False when nothing was inserted.
    virtual bool InsertDroppedPath(const std::string& path);

    // False, with nothing changed, when the mode asks for callbacks without the
    // per-file one.
    bool SetDropMode(DropMode mode) { return zarkit::SetDropMode(m_DropMode, std::move(mode)); }
    const DropMode& GetDropMode() const { return m_DropMode; }

    // Its keys, offered to the view before the control handles them.
    ListKeys& Keys() { return m_Keys; }

private:
    static LRESULT SubclassProc(void* self, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
    void CreateTip();
    void TrackTipItem(POINT point);
    void OnTipText(NMTTDISPINFOW& info);
    void RelayToTip(UINT message, WPARAM wparam, LPARAM lparam);

    // Drops (file_drop_list_ctrl_drop.cpp).
    void StartDropTarget();
    void StopDropTarget();
    void OnDropFiles(HDROP drop);
    void OnDropText(const void* text, bool utf16);
    void OnDropItems(DroppedItems* items);
    bool OnMoveItems(const MovedItems* items);

    // Made on the first hover; destroyed with the control, since its owner (the top-level
    // window: a child cannot own a popup) outlives it.
    ui::WindowHandle m_Tip;
    // The entry the tooltip's one tool stands for: its id, so the tip changes with it.
    int m_TipItem = -1;
    // The tooltip reads its text from here, so no buffer of its own limits it.
    std::wstring m_TipText;

    DropMode m_DropMode;
    ListKeys m_Keys;
    ui::ControlSubclass m_Subclass;
    // Set when this control started OLE for its thread (nobody had), so it stops it again.
    bool m_OleStarted = false;
    bool m_DropTargetRegistered = false;
};

}  // namespace zarkit
