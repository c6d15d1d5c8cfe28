// The drawer and the store's file when another program writes it too (a sync client,
// another PC, an editor): changes are noticed while the drawer is idle, and the tables,
// lists and settings follow the file, but never while the user is in the middle of
// something that holds on to them.
#include "app/main_wnd.h"

#include "app/zarkit_list_ctrl_view.h"
#include "ui/trace.h"

namespace zarkit {
namespace {

// Often enough to show another writer's change within two seconds; a look at the file's
// size and time costs next to nothing.
constexpr DWORD kStoreCheckPeriodMs = 1000;

}  // namespace

// A dialog or a menu (m_Busy), a drag out of a list, or a label being edited: each holds
// pointers into the lists and tabs that a rebuild would destroy.
bool CMainWnd::CanRebuildTables() const {
    if (m_Busy || m_Tables.Dragging()) {
        return false;
    }
    const TableController::CurrentTable current = m_Tables.GetCurrentTable();
    return current.list == nullptr ||
           SendMessageW(current.list->ListCtrl().Hwnd(), LVM_GETEDITCONTROL, 0, 0) == 0;
}

void CMainWnd::CheckStoreWhenIdle(DWORD now) {
    if (!m_Tables.RebuildWanted()) {
        if (now - m_LastStoreCheck < kStoreCheckPeriodMs) {
            return;
        }
        m_LastStoreCheck = now;
        m_Tables.GetStore().ReloadIfChanged();  // asks for a rebuild when it took a new file
    }
    OnStoreReloaded();
}

void CMainWnd::OnStoreReloaded() {
    if (!m_Tables.RebuildWanted() || !CanRebuildTables()) {
        return;  // the poll tries again once the user is done
    }
    ui::Trace(L"CMainWnd: info_data.xml was changed by another program; reloaded\n");
    const bool focused = GetFocus() != nullptr && IsChild(Hwnd(), GetFocus());
    m_FindView.End();
    m_Tables.RebuildTables();
    if (focused) {
        FocusCurrentList();
    }
    // As if the Settings dialog had stored what the other writer did.
    m_Tables.GetStore().ReadSettings(m_Settings);
    ApplySettings();
}

void CMainWnd::ApplySettings() {
    m_TabCtrl.SetHoverSelect(m_Settings.SelTable_MouseOn);
    m_Tables.SetItemOrder(m_Settings.Sort_ByName ? ItemOrder::kByLabel : ItemOrder::kAsStored);
    UpdateRunKey();
    ApplyHotKey();  // an unchanged key another program held at start may be free now
    MoveToChosenPlace();
}

}  // namespace zarkit
