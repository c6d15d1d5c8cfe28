// Items coming into a table by drops, and leaving it by a drag to another table's list.
#include <string>
#include <vector>

#include "app/drawer_warning.h"
#include "app/item_drag.h"
#include "app/table_controller.h"
#include "app/zarkit_list_ctrl_view.h"
#include "core/item_identifier.h"
#include "core/text_rules.h"
#include "ui/com_guid.h"
#include "ui/text.h"
#include "ui/trace.h"

namespace zarkit {

void CZarkitListCtrlView::InstallDropMode() {
    DropMode mode;
    mode.flags = DROP_FILES | DROP_FOLDERS | DROP_CALLBACKS;
    mode.on_file_dropped = [this](ItemRecord& record, DroppedPathKind kind) {
        return OnFileDropped(record, kind);
    };
    mode.on_text_dropped = [this](std::string_view text) { return OnTextDropped(text); };
    mode.on_items_dropped = [this](DroppedItems& items) { return OnListSelfDropped(items); };
    mode.on_items_moved = [this](const ItemBlock& block, Point at) {
        return OnListSelfMoved(block, at);
    };
    m_ListCtrl.SetDropMode(std::move(mode));
}

// A shortcut arrives resolved: its target, arguments and working directory.
int CZarkitListCtrlView::OnFileDropped(ItemRecord& record, DroppedPathKind) {
    if (record.path.empty()) {
        return 0;
    }
    record.special_folder = 0;
    AddItem(record);
    return 0;
}

// Text that is no web address makes nothing, without a word: a drop of any text from a
// page is no request to add it.
int CZarkitListCtrlView::OnTextDropped(std::string_view text) {
    if (!text.empty() && AddWebSiteItem(std::string(text), "") == WebSiteAdded::kNoBrowser) {
        WarnOverDrawer(Hwnd(), kNoWebBrowserText);
    }
    return 0;
}

// Records from another table's list, which keeps every record not named in `taken`. So a
// record is named only once it is listed here and saved in this table; at the first one
// that fails, it and the rest stay where they were.
int CZarkitListCtrlView::OnListSelfDropped(DroppedItems& items) {
    for (const ItemRecord& received : items.block.records) {
        if (!TakeDroppedRecord(received)) {
            return 1;
        }
        items.taken.push_back(m_Records.back().record.identifier);
    }
    return 0;
}

bool CZarkitListCtrlView::TakeDroppedRecord(const ItemRecord& received) {
    ListQueuedRecords();  // after what the file holds already
    const ShellIconCache::Icon icon = m_Tables.Icons().Lookup(received);
    if (icon.state == ShellIconCache::IconState::kGone) {
        ui::Trace(L"Some error in CZarkitListCtrlView::OnListSelfDropped!\n");
        return false;
    }
    // Blocks carry no image index: the lists share one image list, so the old one is
    // never needed.
    ui::Trace(L"CZarkitListCtrlView::OnListSelfDropped p->Icoindex:%d - %d\n", -1, icon.image);
    ListedItem& listed = m_Records.emplace_back(ListedItem{received, icon.image});
    ItemRecord& record = listed.record;
    // Only a block this program did not make lacks one; the store finds items by it.
    if (record.identifier.empty()) {
        std::optional<std::string> identifier = MakeItemIdentifier(ui::ComGuidSource());
        if (!identifier) {
            m_Records.pop_back();
            return false;
        }
        record.identifier = std::move(*identifier);
    }
    const std::wstring label = ui::Widen(record.display_name);
    if (!AddEntry(listed, label, EntryIndexFor(label))) {
        ui::Trace(L"Some error in CZarkitListCtrlView::OnListSelfDropped!\n");
        return false;
    }
    if (!m_Tables.GetStore().AddItem(m_TableName, record)) {
        // Not in this table's file: the source keeps it, so this table must not have it
        // either. The move is refused without a word when the file has no such table.
        ui::Trace(L"CZarkitListCtrlView::OnListSelfDropped: the item could not be stored\n");
        if (m_Tables.GetStore().LastError().problem != io::FileProblem::kNone) {
            m_Tables.NoteStoreFailure();
        }
        Unlist(&listed);
        return false;
    }
    return true;
}

void CZarkitListCtrlView::OnBegindragFilelist() {
    const int count = m_ListCtrl.SelectedCount();
    if (count <= 0) {
        return;
    }
    std::vector<ItemRecord> records;
    records.reserve(static_cast<std::size_t>(count));
    int index = -1;
    for (int n = 0; n < count; ++n) {
        index = m_ListCtrl.NextSelected(index);
        const auto* item =
            index < 0 ? nullptr : reinterpret_cast<const ListedItem*>(m_ListCtrl.Data(index));
        if (item == nullptr) {
            ui::Trace(L"Some error in CZarkitListCtrlView::OnBegindragFilelist!\n");
            return;
        }
        records.push_back(item->record);
    }

    // The items stay here during the drag loop; they go only once another list has
    // reported them as added to its table, and only those it named.
    m_Tables.SetDragging(true);
    const std::vector<std::string> taken = DragItems(m_ListCtrl.Hwnd(), records);
    m_Tables.SetDragging(false);
    for (const std::string& identifier : taken) {
        const int entry = FindMovedEntry(identifier);
        if (entry < 0) {
            continue;
        }
        ui::Trace(L" &&7 %d \n", entry);
        RemoveEntry(entry);
    }
}

// The selected entry of that item, as it was dragged; any entry of it when the selection
// changed meanwhile. -1 when none is left.
int CZarkitListCtrlView::FindMovedEntry(std::string_view identifier) const {
    const auto is_it = [&](int entry) {
        const auto* item = reinterpret_cast<const ListedItem*>(m_ListCtrl.Data(entry));
        return item != nullptr && SameIdentifier(item->record.identifier, identifier);
    };
    for (int entry = m_ListCtrl.NextSelected(); entry >= 0;
         entry = m_ListCtrl.NextSelected(entry)) {
        if (is_it(entry)) {
            return entry;
        }
    }
    for (int entry = 0; entry < m_ListCtrl.Count(); ++entry) {
        if (is_it(entry)) {
            return entry;
        }
    }
    return -1;
}

}  // namespace zarkit
