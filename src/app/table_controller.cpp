#include "app/table_controller.h"

#include <functional>
#include <map>
#include <string>
#include <utility>

#include "app/app_paths.h"
#include "app/messages.h"
#include "app/raw_tab_ctrl.h"
#include "app/zarkit_list_ctrl_view.h"
#include "core/item_names.h"
#include "core/text_rules.h"

namespace zarkit {
namespace {

// Hands the stored tables to the tab strip: one list per table with its items queued. A
// list makes its window only when it is first shown or its records are first needed: most
// tables of a large store are not looked at before the drawer first opens, or at all.
class TabLoader : public TableLoadSink {
public:
    TabLoader(TableController& tables, CRawTabCtrl& tabs) : tables_(tables), tabs_(tabs) {}

    bool BeginTable(const std::string& name) override {
        list_ = std::make_unique<CZarkitListCtrlView>(tables_);
        list_->SetTableName(name);
        return true;
    }
    void InsertItemRecord(ItemRecord& record) override { list_->QueueItemRecord(record); }
    void EndTable() override { tabs_.AddTab(std::move(list_), CRawTabCtrl::kLoading); }

private:
    TableController& tables_;
    CRawTabCtrl& tabs_;
    std::unique_ptr<CZarkitListCtrlView> list_;
};

}  // namespace

TableController::TableController(CRawTabCtrl& tabs, std::string module_directory,
                                 std::string probe_file)
    : m_TabCtrl(tabs),
      m_ModuleDirectory(std::move(module_directory)),
      m_ProbeFile(std::move(probe_file)),
      m_Icons(m_ProbeFile) {}

TableController::~TableController() = default;

void TableController::SetStore(std::unique_ptr<Store> store) {
    m_Store = std::move(store);
    // Posted, not acted on: the store may find the file changed in the middle of a drop
    // or a command, whose lists must outlive it.
    m_Store->SetReloadedListener([this] {
        if (m_RebuildWanted) {
            return;
        }
        m_RebuildWanted = true;
        const HWND drawer = GetAncestor(m_TabCtrl.Hwnd(), GA_ROOT);
        if (drawer != nullptr) {
            PostMessageW(drawer, WM_ZK_STORERELOADED, 0, 0);
        }
    });
}

void TableController::LoadAllTables() {
    if (!m_TablesLoaded) {
        BuildTabs();
    }
}

void TableController::RebuildTables() {
    m_RebuildWanted = false;
    const std::string selected = GetCurrentTable().name;
    // Found items point into the lists that go now.
    m_Finder.Clear();
    m_FinderBuilt = false;
    while (m_TabCtrl.TabCount() > 0) {
        m_TabCtrl.EraseTab(m_TabCtrl.TabCount() - 1);
    }
    BuildTabs();
    const CZarkitListCtrlView* list = FindTableList(selected);
    m_TabCtrl.SelectTab(list != nullptr ? PositionOf(list) : 0, true);
    InvalidateRect(GetParent(m_TabCtrl.Hwnd()), nullptr, TRUE);
}

void TableController::BuildTabs() {
    m_TablesLoaded = true;
    TabLoader loader(*this, m_TabCtrl);
    m_Store->LoadAllTables(loader);
    m_TabCtrl.TabsReordered();
}

CZarkitListCtrlView* TableController::MakeList(const std::string& name) {
    auto list = std::make_unique<CZarkitListCtrlView>(*this);
    list->SetTableName(name);
    CZarkitListCtrlView* added = list.get();
    m_TabCtrl.AddTab(std::move(list));  // selected, so its window is made
    return added->Hwnd() != nullptr ? added : nullptr;
}

CZarkitListCtrlView* TableController::AddTable(std::string name) {
    if (CZarkitListCtrlView* existing = FindTableList(name)) {
        return existing;
    }
    const StoreResult result = m_Store->AddTable(name);
    if (result == StoreResult::kSaveFailed) {
        NoteStoreFailure();
    }
    if (result != StoreResult::kDone) {
        return nullptr;
    }
    // A list that cannot be made leaves the table in the file, with its tab at the next start.
    CZarkitListCtrlView* list = MakeList(name);
    InvalidateRect(GetParent(m_TabCtrl.Hwnd()), nullptr, TRUE);
    return list;
}

StoreResult TableController::DeleteTable(std::string_view name) {
    const StoreResult result = m_Store->DeleteTable(name);
    if (result == StoreResult::kSaveFailed) {
        NoteStoreFailure();
        return result;  // still in the file: the tab stays
    }
    // Whether the store had it or not, no tab may outlive a table of that name.
    if (CZarkitListCtrlView* list = FindTableList(name)) {
        const int position = PositionOf(list);
        if (m_FinderBuilt) {
            m_Finder.RemoveTable(static_cast<std::uint32_t>(position));
        }
        m_TabCtrl.EraseTab(position);
        FinderChanged();
        InvalidateRect(GetParent(m_TabCtrl.Hwnd()), nullptr, TRUE);
    }
    return result;
}

StoreResult TableController::RenameTable(std::string_view old_name, std::string new_name) {
    CZarkitListCtrlView* list = FindTableList(old_name);
    if (list == nullptr) {
        return StoreResult::kNotFound;
    }
    const StoreResult result = m_Store->RenameTable(old_name, new_name);
    if (result == StoreResult::kSaveFailed) {
        NoteStoreFailure();
    }
    if (result != StoreResult::kDone) {
        return result;
    }
    m_TabCtrl.RenameTab(PositionOf(list), std::move(new_name));
    FinderChanged();  // found items show their table's name
    InvalidateRect(GetParent(m_TabCtrl.Hwnd()), nullptr, TRUE);
    return result;
}

CZarkitListCtrlView* TableController::FindTableList(std::string_view name) const {
    for (int position = 0; position < m_TabCtrl.TabCount(); ++position) {
        CZarkitListCtrlView* list = m_TabCtrl.TabList(position);
        if (SameTableName(list->TableName(), name)) {
            return list;
        }
    }
    return nullptr;
}

int TableController::PositionOf(const CZarkitListCtrlView* list) const {
    for (int position = 0; position < m_TabCtrl.TabCount(); ++position) {
        if (m_TabCtrl.TabList(position) == list) {
            return position;
        }
    }
    return -1;
}

bool TableController::MakeListWindow(CZarkitListCtrlView& list) {
    return list.CreateHidden(m_TabCtrl.Hwnd(), m_TabCtrl.GetListArea());
}

bool TableController::ItemNameExists(std::string_view name, std::string_view table) {
    const ItemNameLookup lookup(name, table);
    if (!lookup.Searching()) {
        return false;
    }
    for (int position = 0; position < m_TabCtrl.TabCount(); ++position) {
        CZarkitListCtrlView* list = m_TabCtrl.TabList(position);
        if (!lookup.WantsTable(list->TableName())) {
            continue;
        }
        for (const ListedItem& item : list->Records()) {
            if (lookup.Matches(item.record.display_name)) {
                return true;
            }
        }
    }
    return false;
}

TableController::CurrentTable TableController::GetCurrentTable() const {
    const int position = m_TabCtrl.SelectedPosition();
    if (position < 0) {
        return {};
    }
    CZarkitListCtrlView* list = m_TabCtrl.TabList(position);
    return {list->TableName(), list};
}

CZarkitListCtrlView* TableController::ListForAdding(std::string_view table) {
    if (table.empty()) {
        return nullptr;
    }
    CZarkitListCtrlView* list = FindTableList(table);
    return list != nullptr ? list : AddTable(std::string(table));
}

bool TableController::AddRecord(std::string_view table, ItemRecord record) {
    CZarkitListCtrlView* list = ListForAdding(table);
    return list != nullptr && list->AddItem(record);
}

bool TableController::StoreAddedItem(std::string_view table, const ItemRecord& record) {
    if (m_Store->AddItem(table, record)) {
        return true;
    }
    // A table the file does not have (a hand edit) keeps the item on screen until the
    // next start, as before; a file that would not take it does not.
    if (m_Store->LastError().problem == io::FileProblem::kNone) {
        return true;
    }
    NoteStoreFailure();
    return false;
}

bool TableController::StoreDeletedItem(std::string_view table, const ItemRecord& record) {
    if (m_Store->DeleteItem(table, record) ||
        m_Store->LastError().problem == io::FileProblem::kNone) {
        return true;
    }
    NoteStoreFailure();
    return false;
}

bool TableController::StoreRenamedItem(std::string_view table, const ItemRecord& record) {
    if (m_Store->RenameItem(table, record) ||
        m_Store->LastError().problem == io::FileProblem::kNone) {
        return true;
    }
    NoteStoreFailure();
    return false;
}

bool TableController::StoreMovedItems(std::string_view table,
                                      const std::vector<std::string>& identifiers,
                                      std::string_view before) {
    switch (m_Store->MoveItems(table, identifiers, before)) {
        case StoreResult::kDone:
        case StoreResult::kUnchanged:
            return true;
        case StoreResult::kSaveFailed:
            NoteStoreFailure();
            return false;
        default:
            // Not in the file as listed (another writer's change): the lists are made
            // again from it soon.
            return false;
    }
}

void TableController::SetItemOrder(ItemOrder order) {
    if (order == m_ItemOrder) {
        return;
    }
    m_ItemOrder = order;
    for (int position = 0; position < m_TabCtrl.TabCount(); ++position) {
        m_TabCtrl.TabList(position)->ArrangeEntries();
    }
}

bool TableController::MoveTable(int from, int to) {
    const int count = m_TabCtrl.TabCount();
    if (from < 0 || to < 0 || from >= count || to >= count) {
        return false;
    }
    const auto position = [](int at) { return static_cast<std::size_t>(at); };
    const std::optional<OrderMove> move = MoveInOrder(
        position(count), {position(from)}, BeforeForTarget(position(from), position(to)));
    if (!move) {
        return false;
    }
    const std::string anchor =
        move->anchor ? m_TabCtrl.TabName(static_cast<int>(*move->anchor)) : std::string();
    const StoreResult result = m_Store->MoveTable(m_TabCtrl.TabName(from), anchor);
    if (result == StoreResult::kSaveFailed) {
        NoteStoreFailure();
    }
    if (result != StoreResult::kDone && result != StoreResult::kUnchanged) {
        return false;  // the tabs keep the file's order
    }
    m_TabCtrl.MoveTab(from, to);
    if (m_FinderBuilt) {
        m_Finder.MoveTable(static_cast<std::uint32_t>(from), static_cast<std::uint32_t>(to));
    }
    FinderChanged();  // found items show in table order
    return true;
}

void TableController::NoteStoreFailure() {
    if (m_StoreFailure) {
        return;  // one report for what one message did
    }
    m_StoreFailure = m_Store->LastError();
    const HWND drawer = GetAncestor(m_TabCtrl.Hwnd(), GA_ROOT);
    if (drawer == nullptr || !PostMessageW(drawer, WM_ZK_STOREFAILED, 0, 0)) {
        m_StoreFailure.reset();
    }
}

std::optional<io::FileError> TableController::TakeStoreFailure() {
    std::optional<io::FileError> failure = std::move(m_StoreFailure);
    m_StoreFailure.reset();
    return failure;
}

WebSiteAdded TableController::AddWebSiteToTable(std::string_view table, const std::string& address,
                                                const std::string& name) {
    CZarkitListCtrlView* list = ListForAdding(table);
    return list != nullptr ? list->AddWebSiteItem(address, name) : WebSiteAdded::kNotListed;
}

bool TableController::AddPathToTable(std::string_view table, const std::string& path,
                                     const std::string& name) {
    if (path.empty()) {
        return false;
    }
    ItemRecord record;
    record.path = path;
    record.display_name = name;
    return AddRecord(table, std::move(record));
}

bool TableController::AddSpecialFolderToTable(std::string_view table, int folder_id,
                                              const std::string& name) {
    ItemRecord record;
    record.display_name = name;
    record.special_folder = 1;
    record.folder_id = folder_id;
    return AddRecord(table, std::move(record));
}

void TableController::OnIconsArrived() {
    const std::map<std::string, int> arrived = m_Icons.TakeArrivedIcons();
    if (arrived.empty()) {
        return;
    }
    for (int position = 0; position < m_TabCtrl.TabCount(); ++position) {
        m_TabCtrl.TabList(position)->TakeArrivedIcons(arrived);
    }
}

void TableController::SetDpi(int dpi) {
    m_Icons.SetDpi(dpi);
    for (int position = 0; position < m_TabCtrl.TabCount(); ++position) {
        m_TabCtrl.TabList(position)->ReloadIcons();
    }
}

namespace {

// Items are known to the finder by their address, which their list keeps for as long as
// they are listed.
std::uint64_t FinderKey(const ListedItem& item) {
    return reinterpret_cast<std::uintptr_t>(&item);
}

}  // namespace

FindItem TableController::FindItemOf(int position, const ListedItem& item) {
    FindItem found;
    found.key = FinderKey(item);
    found.table = static_cast<std::uint32_t>(position);
    found.order = m_NextOrder++;
    found.label = item.record.display_name;
    found.path = SearchedPath(item.record);
    return found;
}

void TableController::BuildFinder() {
    std::vector<FindItem> items;
    for (int position = 0; position < m_TabCtrl.TabCount(); ++position) {
        // Records() lists what is still queued first.
        for (const ListedItem& item : m_TabCtrl.TabList(position)->Records()) {
            items.push_back(FindItemOf(position, item));
        }
    }
    m_Finder.Build(items);
    m_FinderBuilt = true;
}

std::vector<TableController::FoundItem> TableController::FindItems(std::string_view text) {
    if (!m_FinderBuilt) {
        BuildFinder();
    }
    std::vector<FoundItem> found;
    for (const FindMatch& match : m_Finder.Find(text)) {
        if (match.table >= static_cast<std::uint32_t>(m_TabCtrl.TabCount())) {
            continue;
        }
        found.push_back(FoundItem{m_TabCtrl.TabList(static_cast<int>(match.table)),
                                  reinterpret_cast<ListedItem*>(match.key)});
    }
    return found;
}

void TableController::OnItemListed(const CZarkitListCtrlView& list, const ListedItem& item) {
    if (!m_FinderBuilt) {
        return;
    }
    const int position = PositionOf(&list);
    if (position < 0) {
        return;  // a list still being made: its table is not a tab yet
    }
    m_Finder.Put(FindItemOf(position, item));
    FinderChanged();
}

void TableController::OnItemRenamed(const CZarkitListCtrlView& list, const ListedItem& item) {
    OnItemListed(list, item);
}

void TableController::OnItemRemoved(const ListedItem& item) {
    if (m_FinderBuilt && m_Finder.Remove(FinderKey(item))) {
        FinderChanged();
    }
}

void TableController::FinderChanged() {
    if (m_FinderBuilt && m_FinderListener) {
        m_FinderListener();
    }
}

const std::string& TableController::EnsureBrowserProbeFile() {
    zarkit::EnsureBrowserProbeFile(m_ModuleDirectory);
    return m_ProbeFile;
}

}  // namespace zarkit
