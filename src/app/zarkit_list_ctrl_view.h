#pragma once

#include <functional>
#include <list>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/file_drop_list_ctrl.h"
#include "app/listed_item.h"
#include "core/drop_mode.h"
#include "core/geometry.h"
#include "core/item_record.h"
#include "core/key_commands.h"
#include "core/web_address.h"
#include "ui/window.h"

namespace zarkit {

class TableController;

// One table's item list: a child of the tab strip filling its list area, holding the
// list control that shows the table's items as large icons, sorted by label or in the
// order the file holds them (TableController::GetItemOrder). It owns
// the table's records and its name; it starts items, and keeps the store in step with
// what it shows through the table controller.
class CZarkitListCtrlView : public ui::Window {
public:
    explicit CZarkitListCtrlView(TableController& tables) : m_Tables(tables) {}
    ~CZarkitListCtrlView() override;

    static bool RegisterWindowClass();
    bool CreateView(HWND tab_strip, const Rect& rect);
    // The same, hidden; for a list made once it is needed (see TableController).
    bool CreateHidden(HWND tab_strip, const Rect& rect);
    // Its window, made when there is none yet; false when it cannot be made.
    bool EnsureWindow();

    const std::string& TableName() const { return m_TableName; }
    // The list control is named after the table, for screen readers.
    void SetTableName(std::string name);

    // Completes the record (icon, and for a path item its label and working directory
    // when empty; an identifier when it has none) and lists it. False, with nothing
    // listed, when its target is gone or the shell has no icon for it. Does not touch
    // the store.
    bool InsertItemRecord(ItemRecord& record);
    // Lists the record as InsertItemRecord does and stores it in this table; when the
    // file cannot take it, it is not listed either. False when nothing was added.
    bool AddItem(ItemRecord& record);
    // Lists a web site (IsRealWebAddress) and stores it in this table, the address as it
    // was given. `name` empty: the address is the label.
    WebSiteAdded AddWebSiteItem(const std::string& address, const std::string& name);

    // Takes a stored record to list later: when the view is first shown, or its records
    // are first asked for.
    void QueueItemRecord(const ItemRecord& record) { m_Pending.push_back(record); }
    // Lists what was queued, in the order it came (making the window if need be).
    void ListQueuedRecords();
    // Takes the icons anew from the shared image list, after it was made at another size.
    void ReloadIcons();
    // Shows the icons that came in since the entries were listed, by path (see
    // ShellIconCache); the entries are not looked up again, which would ask the disk.
    void TakeArrivedIcons(const std::map<std::string, int>& images);
    // Whether an entry still waits for its icon.
    bool IconsPending() const;

    // Every listed record, in the order the file holds them; queued ones are listed first,
    // so whoever reads the records sees them all.
    const std::list<ListedItem>& Records() {
        ListQueuedRecords();
        return m_Records;
    }
    CFileDropListCtrl& ListCtrl() { return m_ListCtrl; }

    // Starts the items as a double-click does, then drops the drawer behind the windows
    // of what was started.
    void Launch(const std::vector<const ItemRecord*>& records);
    // Keyboard focus to the list, with an entry focused and selected so that the keys
    // act on something the user sees.
    void FocusFromKeyboard();

    // Every entry in the order the table's items are kept in: by label, or as the file
    // holds them (zarkit_list_ctrl_view_order.cpp).
    void ArrangeEntries();

    // Sent to the view itself: arrange the entries again.
    static constexpr UINT kSortEntriesMessage = WM_APP + 1;

    // Menu commands the view carries out itself.
    static constexpr UINT kGoToLocationCommand = 32803;
    static constexpr UINT kHelpCommand = 32804;

    // Opens the help file beside the program.
    static void OpenHelpFile(const std::string& module_directory);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    LRESULT OnCreate();
    LRESULT OnNotify(const NMHDR& header);
    LRESULT OnCustomDraw(const NMCUSTOMDRAW& draw);
    void OnCommand(UINT id);

    // Drag and drop (zarkit_list_ctrl_view_drop.cpp).
    void InstallDropMode();
    int OnFileDropped(ItemRecord& record, DroppedPathKind kind);
    int OnTextDropped(std::string_view text);
    int OnListSelfDropped(DroppedItems& items);
    // Its own items dropped back on it at `at`: moved there while the table keeps its own
    // order (zarkit_list_ctrl_view_order.cpp); false refuses the drop.
    bool OnListSelfMoved(const ItemBlock& block, Point at);
    bool TakeDroppedRecord(const ItemRecord& received);
    void OnBegindragFilelist();
    int FindMovedEntry(std::string_view identifier) const;

    // The context menus and the item commands (zarkit_list_ctrl_view_menu.cpp).
    void OnRightClick();
    // The item menu when entries are selected, else the drawer menu; at `at` on the screen.
    void OpenContextMenu(POINT at);
    void OnMenuCommand(UINT id);
    void RenameSelected();
    void DeleteSelected();
    // Removes an item: its entry from the list, then its element from the store, then its
    // record, which the store call still reads. False (nothing changed) for an entry
    // without a record, or one the control would not delete.
    bool RemoveEntry(int index);
    void OnEndLabelEdit(const NMLVDISPINFOW& info);

    // Keys in the list (zarkit_list_ctrl_view_keys.cpp).
    void InstallKeys();
    bool OnListKey(const KeyPress& press);
    bool OnListChar(char32_t character);
    POINT MenuPointAtSelection() const;
    void DeleteFromKeyboard();

    // Listing (zarkit_list_ctrl_view.cpp). Completes the record and keeps it; nullptr
    // when it cannot be listed.
    ListedItem* KeepRecord(ItemRecord& record);
    // The kept item's entry at `index`; false, with the item forgotten, when the control
    // refuses it.
    bool AddEntry(ListedItem& listed, const std::wstring& label, int index);
    // Where an entry of that label goes: after every entry whose label sorts before it or
    // is the same.
    int SortedIndex(const std::wstring& label) const;
    void SetIcons(const std::function<std::optional<int>(const ListedItem&)>& image_of);
    // The user's own order (zarkit_list_ctrl_view_order.cpp).
    // Where a new entry of that label goes: its place by label, or after the last.
    int EntryIndexFor(const std::wstring& label) const;
    // The entries at `moving` go just before the entry at `before` (the count: after the
    // last), in the file first. False, with nothing moved, while the list is sorted by
    // label or when the file would not take it.
    bool MoveEntries(const std::vector<std::size_t>& moving, std::size_t before);
    // Ctrl+Shift+Left and Right: the selected entries one place back or forward.
    void MoveSelectedItems(int step);
    // Where each entry is drawn, in list order (client coordinates).
    std::vector<Rect> EntryCells() const;

    // Takes an item out of the records (and the finder) once its entry is gone.
    void ForgetRecord(const ListedItem* item);
    // Takes a listed item off the list, entry and record, without touching the store.
    void Unlist(const ListedItem* item);

    // Launching (zarkit_list_ctrl_view_launch.cpp).
    void LaunchSelected();
    void GoToLocation();
    void OpenHelp();
    void DropBehindOtherWindows();

    TableController& m_Tables;
    CFileDropListCtrl m_ListCtrl;
    std::string m_TableName;
    // std::list: the list control's item data point into it.
    std::list<ListedItem> m_Records;
    std::vector<ItemRecord> m_Pending;
};

}  // namespace zarkit
