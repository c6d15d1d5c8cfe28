// The list's context menus, and the item commands the view carries out itself.
#include "app/zarkit_list_ctrl_view.h"

#include "app/context_menu.h"
#include "app/table_controller.h"
#include "res/resource.h"
#include "ui/text.h"
#include "ui/trace.h"

namespace zarkit {

void CZarkitListCtrlView::OnRightClick() {
    POINT cursor{};
    GetCursorPos(&cursor);
    OpenContextMenu(cursor);
}

void CZarkitListCtrlView::OpenContextMenu(POINT at) {
    ContextMenuInputs inputs;
    inputs.selected_count = m_ListCtrl.SelectedCount();
    if (inputs.selected_count == 1) {
        if (const auto* item =
                reinterpret_cast<const ListedItem*>(m_ListCtrl.Data(m_ListCtrl.NextSelected()))) {
            inputs.single_kind = KindOf(item->record);
        }
    } else if (inputs.selected_count == 0) {
        inputs = WithSpecialFoldersPresent(inputs, m_Tables);
    }
    const LoadedContextMenu menu = LoadContextMenu(ChooseContextMenu(inputs));
    TrackContextMenu(menu, Hwnd(), at);
}

void CZarkitListCtrlView::OnMenuCommand(UINT id) {
    switch (id) {
        case ID_ITEM_RENAME:
            RenameSelected();
            break;
        case ID_ITEM_DELETE:
            DeleteSelected();
            break;
        default:
            PostDrawerMenuCommand(GetAncestor(Hwnd(), GA_ROOT), id);
            break;
    }
}

void CZarkitListCtrlView::RenameSelected() {
    const int index = m_ListCtrl.NextSelected();
    if (index < 0) {
        return;
    }
    // The control only edits a label while it has the focus.
    SetFocus(m_ListCtrl.Hwnd());
    if (m_ListCtrl.EditLabel(index) == nullptr) {
        ui::Trace(L"CZarkitListCtrlView: LVM_EDITLABELW failed\n");
    }
}

// No question is asked.
void CZarkitListCtrlView::DeleteSelected() {
    const int count = m_ListCtrl.SelectedCount();
    int after = -1;
    for (int n = 0; n < count; ++n) {
        const int index = m_ListCtrl.NextSelected(after);
        if (index < 0) {
            break;
        }
        if (!RemoveEntry(index)) {
            after = index;  // passed over; the entries after it move up to it otherwise
        }
    }
}

// The new text is kept as typed, blanks and repeats included; only an empty one is refused.
void CZarkitListCtrlView::OnEndLabelEdit(const NMLVDISPINFOW& info) {
    if (info.item.pszText == nullptr || info.item.pszText[0] == L'\0') {
        return;
    }
    auto* item = reinterpret_cast<ListedItem*>(m_ListCtrl.Data(info.item.iItem));
    if (item == nullptr) {
        return;
    }
    const std::wstring label = info.item.pszText;
    ItemRecord renamed = item->record;
    renamed.display_name = ui::Narrow(label);
    if (!m_Tables.StoreRenamedItem(m_TableName, renamed)) {
        return;  // the old name stays, as in the file
    }
    item->record.display_name = std::move(renamed.display_name);
    m_ListCtrl.SetLabel(info.item.iItem, label);
    m_Tables.OnItemRenamed(*this, *item);
    // To its new place once the control has ended the edit it is telling of.
    PostMessageW(Hwnd(), kSortEntriesMessage, 0, 0);
}

}  // namespace zarkit
