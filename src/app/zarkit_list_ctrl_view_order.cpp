// The order of a table's entries: by label, or the user's own, which is the order of the
// items in the file; and moving entries in it by a drop on the list or by the keys.
#include <algorithm>
#include <list>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/table_controller.h"
#include "app/zarkit_list_ctrl_view.h"
#include "core/item_order.h"
#include "ui/text.h"

namespace zarkit {
namespace {

// Each record's place in the order shown, by the address the list's item data holds.
using Ranks = std::unordered_map<LPARAM, std::size_t>;

int CALLBACK CompareRanks(LPARAM first, LPARAM second, LPARAM sort) {
    const Ranks& ranks = *reinterpret_cast<const Ranks*>(sort);
    const auto rank = [&ranks](LPARAM item) {
        const auto found = ranks.find(item);
        return found == ranks.end() ? ranks.size() : found->second;
    };
    const std::size_t a = rank(first);
    const std::size_t b = rank(second);
    return a < b ? -1 : (a > b ? 1 : 0);
}

}  // namespace

int CZarkitListCtrlView::EntryIndexFor(const std::wstring& label) const {
    return m_Tables.GetItemOrder() == ItemOrder::kByLabel ? SortedIndex(label) : m_ListCtrl.Count();
}

// The records are kept in the file's order whatever the list shows, so either order can
// be shown from them at any time. Each entry gets its rank, and the control sorts by the
// ranks its item data have: Wine's LVM_SORTITEMSEX hands the comparison indexes that move
// while it sorts, which leaves some orders wrong.
void CZarkitListCtrlView::ArrangeEntries() {
    std::vector<std::pair<std::wstring, const ListedItem*>> order;
    order.reserve(m_Records.size());
    const bool by_label = m_Tables.GetItemOrder() == ItemOrder::kByLabel;
    for (const ListedItem& item : m_Records) {
        order.emplace_back(by_label ? ui::Widen(item.record.display_name) : std::wstring(), &item);
    }
    if (by_label) {
        std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) {
            return ui::CompareNames(a.first, b.first) < 0;
        });
    }
    Ranks ranks;
    ranks.reserve(order.size());
    for (const auto& [label, item] : order) {
        ranks.emplace(reinterpret_cast<LPARAM>(item), ranks.size());
    }
    SendMessageW(m_ListCtrl.Hwnd(), LVM_SORTITEMS, reinterpret_cast<WPARAM>(&ranks),
                 reinterpret_cast<LPARAM>(&CompareRanks));
}

std::vector<Rect> CZarkitListCtrlView::EntryCells() const {
    std::vector<Rect> cells;
    const int count = m_ListCtrl.Count();
    cells.reserve(static_cast<std::size_t>(count));
    for (int index = 0; index < count; ++index) {
        RECT bounds{};
        bounds.left = LVIR_BOUNDS;
        SendMessageW(m_ListCtrl.Hwnd(), LVM_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&bounds));
        cells.push_back(Rect{bounds.left, bounds.top, bounds.right, bounds.bottom});
    }
    return cells;
}

bool CZarkitListCtrlView::MoveEntries(const std::vector<std::size_t>& moving, std::size_t before) {
    if (m_Tables.GetItemOrder() != ItemOrder::kAsStored) {
        return false;
    }
    std::vector<ListedItem*> entries;
    for (int index = 0; index < m_ListCtrl.Count(); ++index) {
        auto* item = reinterpret_cast<ListedItem*>(m_ListCtrl.Data(index));
        if (item == nullptr) {
            return false;
        }
        entries.push_back(item);
    }
    const std::optional<OrderMove> move = MoveInOrder(entries.size(), moving, before);
    if (!move) {
        return false;
    }
    std::vector<bool> moved(entries.size(), false);
    for (const std::size_t position : moving) {
        if (position < moved.size()) {
            moved[position] = true;
        }
    }
    std::vector<std::string> identifiers;
    for (const std::size_t position : move->order) {
        if (moved[position]) {
            identifiers.push_back(entries[position]->record.identifier);
        }
    }
    const std::string anchor =
        move->anchor ? entries[*move->anchor]->record.identifier : std::string();
    if (!m_Tables.StoreMovedItems(m_TableName, identifiers, anchor)) {
        return false;  // the list keeps showing the file's order
    }
    // Spliced, never copied: the control's item data point at the records.
    std::unordered_map<const ListedItem*, std::list<ListedItem>::iterator> places;
    for (auto it = m_Records.begin(); it != m_Records.end(); ++it) {
        places.emplace(&*it, it);
    }
    for (const std::size_t position : move->order) {
        const auto place = places.find(entries[position]);
        if (place != places.end()) {
            m_Records.splice(m_Records.end(), m_Records, place->second);
        }
    }
    ArrangeEntries();
    return true;
}

void CZarkitListCtrlView::MoveSelectedItems(int step) {
    std::vector<std::size_t> selected;
    for (int entry = m_ListCtrl.NextSelected(); entry >= 0;
         entry = m_ListCtrl.NextSelected(entry)) {
        selected.push_back(static_cast<std::size_t>(entry));
    }
    const std::optional<std::size_t> before =
        StepBefore(static_cast<std::size_t>(m_ListCtrl.Count()), selected, step);
    if (!before || !MoveEntries(selected, *before)) {
        return;
    }
    const auto focused = static_cast<int>(
        SendMessageW(m_ListCtrl.Hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    if (focused >= 0) {
        SendMessageW(m_ListCtrl.Hwnd(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(focused), FALSE);
    }
}

// Sorted by label, the items have no place of their own to go to: the drop is refused.
bool CZarkitListCtrlView::OnListSelfMoved(const ItemBlock& block, Point at) {
    if (m_Tables.GetItemOrder() != ItemOrder::kAsStored) {
        return false;
    }
    std::vector<std::size_t> moving;
    for (const ItemRecord& record : block.records) {
        const int entry = FindMovedEntry(record.identifier);
        if (entry >= 0) {
            moving.push_back(static_cast<std::size_t>(entry));
        }
    }
    MoveEntries(moving, GridDropIndex(EntryCells(), at));
    return true;
}

}  // namespace zarkit
