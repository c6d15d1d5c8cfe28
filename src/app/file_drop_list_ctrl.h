#pragma once

#include <string>

#include "core/geometry.h"
#include "ui/list_view.h"
#include "ui/win32.h"

namespace zarkit {

// The list control of one table: the common list view in large-icon mode, with labels
// sorted and editable in place. Its item data point at the ListedItem each entry shows.
// It is subclassed for what its parent does not see: its own tooltip, which shows the
// whole text of an item however long it is, and the program's private drop messages.
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

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                         UINT_PTR id, DWORD_PTR self);
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
    void CreateTip();
    void TrackTipItem(POINT point);
    void OnTipText(NMTTDISPINFOW& info);

    // Owned by the control window (an owned popup goes with its owner).
    HWND m_Tip = nullptr;
    // The entry the tooltip's one tool stands for: its id, so the tip changes with it.
    int m_TipItem = -1;
    // The tooltip reads its text from here, so no buffer of its own limits it.
    std::wstring m_TipText;
};

}  // namespace zarkit
