#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/listed_item.h"
#include "app/shell_items.h"
#include "core/item_finder.h"
#include "core/item_order.h"
#include "core/store.h"
#include "core/web_address.h"

namespace zarkit {

class CRawTabCtrl;
class CZarkitListCtrlView;

// The tables: the store, and one tab with its list per stored table. Every operation
// goes to the store first; the tab and the list then follow the store's answer, so the
// three never disagree. Names are matched by the store's rule (trimmed, any case).
class TableController {
public:
    TableController(CRawTabCtrl& tabs, std::string module_directory, std::string probe_file);
    ~TableController();
    TableController(const TableController&) = delete;
    TableController& operator=(const TableController&) = delete;

    // Takes the opened store. Its tables get their tabs from LoadAllTables.
    void SetStore(std::unique_ptr<Store> store);
    // Makes a tab and a list for each of the store's tables, once: a rebuild that came
    // first made them already. A list makes its window and shows its items when it is
    // first shown or asked for them.
    void LoadAllTables();
    Store& GetStore() { return *m_Store; }

    // Another writer's file replaced the store's document: the tabs and lists must be
    // made again from it, once nothing on screen holds on to them (see RebuildTables).
    bool RebuildWanted() const { return m_RebuildWanted; }
    // Every tab and list made again from the store's document; the selected table stays
    // selected when it is still there.
    void RebuildTables();
    // While items are dragged out of a list, the lists must stay as they are.
    void SetDragging(bool dragging) { m_Dragging = dragging; }
    bool Dragging() const { return m_Dragging; }

    // The new table's list, or the list of the table of that name if there is one;
    // nullptr when the store refused or could not save it.
    CZarkitListCtrlView* AddTable(std::string name);
    // Removes the table, its tab and its list; the tab stays when the save failed.
    StoreResult DeleteTable(std::string_view name);
    // kNameTaken when another table has the new name, kSaveFailed when the file could not
    // take it: nothing changes then.
    StoreResult RenameTable(std::string_view old_name, std::string new_name);

    // How every list orders its items; a change shows in every list at once.
    void SetItemOrder(ItemOrder order);
    ItemOrder GetItemOrder() const { return m_ItemOrder; }
    // Moves the table at `from` to position `to`: in the file first, then its tab, the
    // find index and the selection, which stays with its table. False when nothing moved
    // (a failed save is told as for any other).
    bool MoveTable(int from, int to);

    // The lists' item changes, store first; each false when the file could not take the
    // change (the list then keeps showing what the file holds). Deleting an item the
    // store does not have counts as done: the entry may go.
    bool StoreAddedItem(std::string_view table, const ItemRecord& record);
    bool StoreDeletedItem(std::string_view table, const ItemRecord& record);
    bool StoreRenamedItem(std::string_view table, const ItemRecord& record);
    // The items of `identifiers` just before the item `before` (empty: at the end). True
    // when the file holds them in that order now.
    bool StoreMovedItems(std::string_view table, const std::vector<std::string>& identifiers,
                         std::string_view before);

    // A change the file could not take: the drawer tells the user once, after the
    // message that made it (a drop, a command) is over. The failures of one such message
    // make one report.
    void NoteStoreFailure();
    // The failure to tell about, once; nullopt when there is none.
    std::optional<io::FileError> TakeStoreFailure();

    // The list of the table of that name (trimmed, any case), or nullptr.
    CZarkitListCtrlView* FindTableList(std::string_view name) const;
    // Whether an item of that name (trimmed, any case) is in the table named `table`,
    // or in any table when `table` is empty. False for an empty name.
    bool ItemNameExists(std::string_view name, std::string_view table);
    // Makes a list's window, hidden, in the tab strip's list area: when it is first shown
    // or its records are first needed.
    bool MakeListWindow(CZarkitListCtrlView& list);

    struct CurrentTable {
        std::string name;
        CZarkitListCtrlView* list = nullptr;  // nullptr when no tab is selected
    };
    CurrentTable GetCurrentTable() const;

    // Each lists the item in the named table, making the table when there is none, and
    // then stores it. False (not kAdded) when nothing was listed.
    WebSiteAdded AddWebSiteToTable(std::string_view table, const std::string& address,
                                   const std::string& name);
    bool AddPathToTable(std::string_view table, const std::string& path, const std::string& name);
    bool AddSpecialFolderToTable(std::string_view table, int folder_id, const std::string& name);

    // Find as you type over the items of every table, queued ones included, best first.
    struct FoundItem {
        CZarkitListCtrlView* list = nullptr;
        ListedItem* item = nullptr;
    };
    std::vector<FoundItem> FindItems(std::string_view text);
    // Called whenever the items that FindItems looks at changed, once it has been used.
    void SetFinderListener(std::function<void()> listener) {
        m_FinderListener = std::move(listener);
    }
    // What the lists tell the finder: an item listed (new, or come from another table),
    // renamed, or gone from its list.
    void OnItemListed(const CZarkitListCtrlView& list, const ListedItem& item);
    void OnItemRenamed(const CZarkitListCtrlView& list, const ListedItem& item);
    void OnItemRemoved(const ListedItem& item);

    // Icons for a monitor of that DPI, in every list.
    void SetDpi(int dpi);
    // The icons the worker found came in: the lists show them (see ShellIconCache).
    void OnIconsArrived();

    const std::string& ModuleDirectory() const { return m_ModuleDirectory; }
    // The browser probe file, written again when it has gone; its path.
    const std::string& EnsureBrowserProbeFile();
    ShellIconCache& Icons() { return m_Icons; }

private:
    void BuildTabs();
    CZarkitListCtrlView* MakeList(const std::string& name);
    int PositionOf(const CZarkitListCtrlView* list) const;
    CZarkitListCtrlView* ListForAdding(std::string_view table);
    bool AddRecord(std::string_view table, ItemRecord record);
    void BuildFinder();
    FindItem FindItemOf(int position, const ListedItem& item);
    void FinderChanged();

    CRawTabCtrl& m_TabCtrl;
    std::unique_ptr<Store> m_Store;
    std::string m_ModuleDirectory;
    std::string m_ProbeFile;
    ShellIconCache m_Icons;
    // Built at the first search: a drawer never searched in never pays for it.
    ItemFinder m_Finder;
    bool m_FinderBuilt = false;
    std::uint32_t m_NextOrder = 0;
    std::function<void()> m_FinderListener;
    std::optional<io::FileError> m_StoreFailure;
    bool m_RebuildWanted = false;
    bool m_TablesLoaded = false;
    bool m_Dragging = false;
    ItemOrder m_ItemOrder = ItemOrder::kByLabel;
};

}  // namespace zarkit
