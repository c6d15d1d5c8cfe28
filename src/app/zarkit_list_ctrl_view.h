#pragma once

#include <list>
#include <map>
#include <string>

#include "app/file_drop_list_ctrl.h"
#include "app/listed_item.h"
#include "core/geometry.h"
#include "core/item_record.h"
#include "ui/window.h"

namespace zarkit {

class TableController;

// One table's item list: a child of the tab strip filling its list area, holding the
// list control that shows the table's items as large icons, sorted by label. It owns
// the table's records and its name; it starts items, and keeps the store in step with
// what it shows through the table controller.
class CZarkitListCtrlView : public ui::Window {
public:
    explicit CZarkitListCtrlView(TableController& tables) : m_Tables(tables) {}
    ~CZarkitListCtrlView() override;

    static bool RegisterWindowClass();
    bool CreateView(HWND tab_strip, const Rect& rect);

    const std::string& TableName() const { return m_TableName; }
    void SetTableName(std::string name) { m_TableName = std::move(name); }

    // Completes the record (icon, and for a path item its label and working directory
    // when empty; an identifier when it has none) and lists it. False, with nothing
    // listed, when its target is gone or the shell has no icon for it. Does not touch
    // the store.
    bool InsertItemRecord(ItemRecord& record);
    // Lists a web site (an address beginning with "http", any case, blanks around it
    // allowed) and stores it in this table. `name` empty: the address is the label.
    bool AddWebSiteItem(const std::string& address, const std::string& name);

    // Every listed record, in the order they were listed.
    const std::list<ListedItem>& Records() const { return m_Records; }
    CFileDropListCtrl& ListCtrl() { return m_ListCtrl; }

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
    void OnCommand(UINT id);
    int ImageFor(int system_icon);

    // The context menus and the item commands (zarkit_list_ctrl_view_menu.cpp).
    void OnRightClick();
    void OnMenuCommand(UINT id);
    void RenameSelected();
    void DeleteSelected();
    void OnEndLabelEdit(const NMLVDISPINFOW& info);

    // Launching (zarkit_list_ctrl_view_launch.cpp).
    void LaunchSelected();
    void GoToLocation();
    void OpenHelp();
    void DropBehindOtherWindows();

    TableController& m_Tables;
    CFileDropListCtrl m_ListCtrl;
    // The list control owns its image list once it is set (it is destroyed with it).
    HIMAGELIST m_ImageList = nullptr;
    std::string m_TableName;
    // std::list: the list control's item data point into it.
    std::list<ListedItem> m_Records;
    // Items with the same system icon share one image.
    std::map<int, int> m_ImageOfSystemIcon;
};

}  // namespace zarkit
