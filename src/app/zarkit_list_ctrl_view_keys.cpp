// The list from the keyboard: the item commands, changing tables, the menu, closing the
// drawer, and typing, which finds items in every table.
#include <algorithm>

#include "app/main_wnd.h"
#include "app/zarkit_list_ctrl_view.h"
#include "core/key_commands.h"

namespace zarkit {

void CZarkitListCtrlView::InstallKeys() {
    m_ListCtrl.Keys().on_key = [this](const KeyPress& press) { return OnListKey(press); };
    m_ListCtrl.Keys().on_char = [this](char32_t character) { return OnListChar(character); };
}

// A collapsed drawer that still has the focus leaves its keys to the list, as always.
bool CZarkitListCtrlView::OnListKey(const KeyPress& press) {
    CMainWnd* drawer = CMainWnd::OfWindow(Hwnd());
    if (drawer == nullptr || !drawer->IsOpen()) {
        return false;
    }
    KeyContext context;
    context.editing_label = ListView_GetEditControl(m_ListCtrl.Hwnd()) != nullptr;
    context.has_selection = m_ListCtrl.SelectedCount() > 0;
    switch (CommandForKey(press, context)) {
        case KeyCommand::kLaunch:
            LaunchSelected();
            return true;
        case KeyCommand::kRename:
            RenameSelected();
            return true;
        case KeyCommand::kDelete:
            DeleteFromKeyboard();
            return true;
        case KeyCommand::kNextTable:
            drawer->StepTable(1);
            return true;
        case KeyCommand::kPreviousTable:
            drawer->StepTable(-1);
            return true;
        case KeyCommand::kFocusTabs:
            drawer->FocusTabs();
            return true;
        case KeyCommand::kMoveItemBack:
            MoveSelectedItems(-1);
            return true;
        case KeyCommand::kMoveItemForward:
            MoveSelectedItems(1);
            return true;
        case KeyCommand::kMoveTableBack:
            drawer->MoveCurrentTable(-1);
            return true;
        case KeyCommand::kMoveTableForward:
            drawer->MoveCurrentTable(1);
            return true;
        case KeyCommand::kContextMenu:
            OpenContextMenu(MenuPointAtSelection());
            return true;
        case KeyCommand::kCloseDrawer:
            drawer->CloseByKeyboard();
            return true;
        default:
            return false;
    }
}

bool CZarkitListCtrlView::OnListChar(char32_t character) {
    CMainWnd* drawer = CMainWnd::OfWindow(Hwnd());
    if (drawer == nullptr || !drawer->IsOpen()) {
        return false;
    }
    KeyContext context;
    context.editing_label = ListView_GetEditControl(m_ListCtrl.Hwnd()) != nullptr;
    if (!TypesIntoFind(character, context)) {
        return false;
    }
    drawer->TypeIntoFind(character);
    return true;
}

// Over the first selected entry's icon; the top left of the list without one.
POINT CZarkitListCtrlView::MenuPointAtSelection() const {
    POINT at{8, 8};
    const int index = m_ListCtrl.NextSelected();
    RECT icon{};
    icon.left = LVIR_ICON;
    if (index >= 0 && SendMessageW(m_ListCtrl.Hwnd(), LVM_GETITEMRECT, static_cast<WPARAM>(index),
                                   reinterpret_cast<LPARAM>(&icon))) {
        at = POINT{(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2};
    }
    ClientToScreen(m_ListCtrl.Hwnd(), &at);
    return at;
}

// The entry that takes the place of the first one deleted is selected next, so Delete
// can be pressed again.
void CZarkitListCtrlView::DeleteFromKeyboard() {
    const int first = m_ListCtrl.NextSelected();
    DeleteSelected();
    const int count = m_ListCtrl.Count();
    if (count > 0 && m_ListCtrl.SelectedCount() == 0) {
        m_ListCtrl.SelectOnly(std::min(first, count - 1));
    }
}

void CZarkitListCtrlView::FocusFromKeyboard() {
    SetFocus(m_ListCtrl.Hwnd());
    if (m_ListCtrl.Count() > 0 && m_ListCtrl.SelectedCount() == 0) {
        const auto focused = static_cast<int>(SendMessageW(m_ListCtrl.Hwnd(), LVM_GETNEXTITEM,
                                                           static_cast<WPARAM>(-1), LVNI_FOCUSED));
        m_ListCtrl.SelectOnly(focused >= 0 ? focused : 0);
    }
}

}  // namespace zarkit
