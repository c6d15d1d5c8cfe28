// The tab strip for screen readers: its accessible object, what that object asks of it,
// and the events that tell screen readers what changed.
#include "app/raw_tab_ctrl.h"

#include "ui/gdi.h"

namespace zarkit {

const std::string& CRawTabCtrl::TabName(int position) const {
    return m_Lists[static_cast<std::size_t>(position)]->TableName();
}

void CRawTabCtrl::RenameTab(int position, std::string name) {
    if (position < 0 || position >= TabCount()) {
        return;
    }
    m_Lists[static_cast<std::size_t>(position)]->SetTableName(std::move(name));
    MeasureTabs();
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, Hwnd(), OBJID_CLIENT, position + 1);
}

void CRawTabCtrl::TabsReordered() {
    NotifyWinEvent(EVENT_OBJECT_REORDER, Hwnd(), OBJID_CLIENT, CHILDID_SELF);
    // Child ids are positions: the selected tab's may have changed with the order.
    AnnounceSelection(true);
}

void CRawTabCtrl::AnnounceSelection(bool always) {
    const int position = SelectedPosition();
    if (position == m_AnnouncedSelection && !always) {
        return;
    }
    m_AnnouncedSelection = position;
    if (position < 0 || Hwnd() == nullptr) {
        return;
    }
    NotifyWinEvent(EVENT_OBJECT_SELECTION, Hwnd(), OBJID_CLIENT, position + 1);
    if (GetFocus() == Hwnd()) {
        NotifyWinEvent(EVENT_OBJECT_FOCUS, Hwnd(), OBJID_CLIENT, position + 1);
    }
}

void CRawTabCtrl::OnFocusChange(bool focused) {
    InvalidateRect(Hwnd(), nullptr, FALSE);  // the focus rectangle comes or goes
    const int position = SelectedPosition();
    if (focused && position >= 0) {
        // The window has the focus; within it, the selected tab.
        NotifyWinEvent(EVENT_OBJECT_FOCUS, Hwnd(), OBJID_CLIENT, position + 1);
    }
}

TabStripFacts CRawTabCtrl::AccessFacts() const {
    TabStripFacts facts;
    const std::vector<TabPlacement> placements = m_Model.Placements();
    facts.tabs.resize(static_cast<std::size_t>(TabCount()));
    for (int position = 0; position < TabCount(); ++position) {
        facts.tabs[static_cast<std::size_t>(position)].name = TabName(position);
    }
    for (const TabPlacement& placement : placements) {
        if (placement.position < facts.tabs.size()) {
            facts.tabs[placement.position].rect = placement.hit;
        }
    }
    facts.selected = SelectedPosition();
    facts.focused = Hwnd() != nullptr && GetFocus() == Hwnd();
    facts.client = ui::ClientRect(Hwnd());
    return facts;
}

void CRawTabCtrl::TakeFocus() {
    SetFocus(Hwnd());
}

// One object for the life of the window, so that clients see the same one at every request;
// each request gets a reference of its own from LresultFromObject.
LRESULT CRawTabCtrl::OnGetObject(WPARAM flags, LPARAM object_id) {
    if (static_cast<DWORD>(object_id) != static_cast<DWORD>(OBJID_CLIENT) || m_AccessibleClosed) {
        return m_AccessibleClosed ? 0 : DefaultProc(WM_GETOBJECT, flags, object_id);
    }
    if (!m_Accessible) {
        m_Accessible =
            ui::MakeCom<TabStripAccessible>(Hwnd(), static_cast<AccessibleTabStrip&>(*this));
    }
    return LresultFromObject(__uuidof(IAccessible), flags,
                             static_cast<IAccessible*>(m_Accessible.Get()));
}

void CRawTabCtrl::CloseAccessible() {
    m_AccessibleClosed = true;
    if (m_Accessible) {
        m_Accessible->Disconnect();
        m_Accessible.Reset();
    }
}

}  // namespace zarkit
