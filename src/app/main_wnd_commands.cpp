// The drawer's commands: the program's messages from the lists' menus, the dialogs they
// open, and the drawer menu of a drawer without tables.
#include "app/main_wnd.h"

#include <string>

#include "app/app_paths.h"
#include "app/busy_scope.h"
#include "app/context_menu.h"
#include "app/dialogs/dlg_about.h"
#include "app/dialogs/dlg_add_items.h"
#include "app/dialogs/dlg_add_table.h"
#include "app/dialogs/dlg_rename_table.h"
#include "app/dialogs/dlg_setting.h"
#include "app/drawer_warning.h"
#include "app/messages.h"
#include "app/zarkit_list_ctrl_view.h"
#include "core/file_messages.h"
#include "core/menu_trim.h"
#include "core/product.h"
#include "core/text_rules.h"
#include "core/web_address.h"
#include "res/resource.h"
#include "ui/text.h"

namespace zarkit {

namespace {

constexpr UINT kDeleteQuestionStyle = MB_YESNO | MB_ICONEXCLAMATION | MB_TOPMOST;
static_assert(kDeleteQuestionStyle == 0x40034);

struct SpecialFolder {
    WPARAM which;
    int folder_id;  // CSIDL
    const char* name;
};

constexpr SpecialFolder kSpecialFolders[] = {
    {1, 0x11, kMyComputerName},  // the computer's drives
    {2, 0x00, kDesktopName},
    {3, 0x05, kMyDocumentsName},
};

}  // namespace

CMainWnd* CMainWnd::OfWindow(HWND window) {
    if (window == nullptr) {
        return nullptr;
    }
    return dynamic_cast<CMainWnd*>(ui::Window::FromHwnd(GetAncestor(window, GA_ROOT)));
}

bool CMainWnd::IsCommandMessage(UINT message) {
    switch (message) {
        case WM_ZK_ADDTABLE:
        case WM_ZK_DELTABLE:
        case WM_ZK_ADDSPECIAL:
        case WM_ZK_RENAMETABLE:
        case WM_ZK_ADDITEMS:
        case WM_ZK_SETTINGS:
        case WM_ZK_ABOUT:
            return true;
        default:
            return false;
    }
}

void CMainWnd::OnCommandMessage(UINT message, WPARAM wparam) {
    switch (message) {
        case WM_ZK_ADDTABLE:
            OnAddTable();
            break;
        case WM_ZK_DELTABLE:
            OnDelTable();
            break;
        case WM_ZK_ADDSPECIAL:
            OnAddSpecial(wparam);
            break;
        case WM_ZK_RENAMETABLE:
            OnRenameTable();
            break;
        case WM_ZK_ADDITEMS:
            OnAddItems(wparam);
            break;
        case WM_ZK_SETTINGS:
            OnSettings();
            break;
        case WM_ZK_ABOUT:
            OnAbout();
            break;
        default:
            break;
    }
}

void CMainWnd::OnAddTable() {
    const BusyScope busy(*this);
    CDlgAddTable dialog(Hwnd());
    if (dialog.DoModal() == IDOK && !dialog.m_TableName.empty()) {
        m_Tables.AddTable(dialog.m_TableName);
    }
}

void CMainWnd::OnDelTable() {
    if (m_TabCtrl.TabCount() == 0 || m_TabCtrl.GetSelectedTab() == -1) {
        return;
    }
    const std::string name = m_Tables.GetCurrentTable().name;
    if (name.empty()) {
        return;
    }
    const std::wstring question = ui::Widen("Are you sure to delete table:[" + name +
                                            "]? If so, all items in this table will be lost!");
    const BusyScope busy(*this);
    if (MessageBoxW(nullptr, question.c_str(), L"Attention", kDeleteQuestionStyle) == IDYES) {
        m_Tables.DeleteTable(name);
    }
}

void CMainWnd::OnAddSpecial(WPARAM which) {
    for (const SpecialFolder& folder : kSpecialFolders) {
        if (folder.which == which) {
            // Without a current table the name is empty, and nothing is added.
            m_Tables.AddSpecialFolderToTable(m_Tables.GetCurrentTable().name, folder.folder_id,
                                             folder.name);
            return;
        }
    }
}

void CMainWnd::OnRenameTable() {
    const TableController::CurrentTable current = m_Tables.GetCurrentTable();
    if (current.list == nullptr) {
        return;
    }
    const BusyScope busy(*this);
    CDlgReNameTable dialog(Hwnd());
    dialog.SetOldName(current.name);
    if (dialog.DoModal() != IDOK || dialog.m_NewName.empty()) {
        return;
    }
    if (m_Tables.RenameTable(current.name, dialog.m_NewName) == StoreResult::kNameTaken) {
        // Two tables of one name could no longer be told apart in the file. Owned by the
        // drawer: a box of its own would open behind the topmost drawer.
        const std::wstring text = ui::Widen("Table [" + dialog.m_NewName + "] already exists!");
        MessageBoxW(Hwnd(), text.c_str(), ui::Widen(product::kAppTitle).c_str(),
                    MB_OK | MB_ICONWARNING);
    }
}

void CMainWnd::OnAddItems(WPARAM mode) {
    const BusyScope busy(*this);
    CDlgAddItems dialog(Hwnd());
    const bool web_site = mode == 1;
    dialog.SetWebSiteMode(web_site ? 1 : 0);
    if (dialog.DoModal() != IDOK) {
        return;
    }
    const std::string table = m_Tables.GetCurrentTable().name;
    if (web_site) {
        // An empty field asks for nothing; anything else is answered.
        switch (m_Tables.AddWebSiteToTable(table, dialog.m_WebSite, dialog.m_DisplayName)) {
            case WebSiteAdded::kNotWebAddress:
                if (!Trim(dialog.m_WebSite).empty()) {
                    WarnOverDrawer(Hwnd(), NotAWebAddressText(dialog.m_WebSite));
                }
                break;
            case WebSiteAdded::kNoBrowser:
                WarnOverDrawer(Hwnd(), kNoWebBrowserText);
                break;
            case WebSiteAdded::kAdded:
            case WebSiteAdded::kNotListed:
                break;
        }
    } else {
        m_Tables.AddPathToTable(table, dialog.m_FilePath, dialog.m_DisplayName);
    }
}

void CMainWnd::OnSettings() {
    const BusyScope busy(*this);
    CDlgSetting dialog(Hwnd());
    dialog.m_Settings = m_Settings;
    // The old key goes only once the new one is registered.
    dialog.m_TryHotKey = [this](const HotKey& key) { return m_HotKey.Register(Hwnd(), key); };
    dialog.m_Monitors = m_Monitors->Monitors();
    if (dialog.DoModal() != IDOK) {
        return;
    }
    const Settings before = m_Settings;
    m_Settings = dialog.m_Settings;
    if (!m_Tables.GetStore().WriteSettings(m_Settings) &&
        m_Tables.GetStore().LastError().problem != io::FileProblem::kNone) {
        // Not in the file: the drawer goes on as the file says.
        m_Settings = before;
        m_Tables.NoteStoreFailure();
    }
    ApplySettings();
}

void CMainWnd::OnStoreFailed() {
    if (const std::optional<io::FileError> failure = m_Tables.TakeStoreFailure()) {
        WarnOverDrawer(Hwnd(), SaveFailureMessage(product::kStoreFileName, *failure));
    }
}

void CMainWnd::OnAbout() {
    const BusyScope busy(*this);
    CDlgAbout dialog(Hwnd());
    dialog.DoModal();
}

RunValueResult CMainWnd::UpdateRunKey() {
    return UpdateRunValue(m_Settings.Start_OnWindow, ExecutablePath());
}

// Without a current table there is no list, and with it no list's menu: a right click
// anywhere on the drawer (the tab strip passes its own on) offers the drawer menu, so
// a table can always be added again.
void CMainWnd::OnContextMenu(LPARAM where) {
    if (m_Tables.GetCurrentTable().list != nullptr) {
        return;
    }
    POINT at{static_cast<short>(LOWORD(where)), static_cast<short>(HIWORD(where))};
    if (where == -1) {  // from the keyboard
        GetCursorPos(&at);
    }
    const LoadedContextMenu menu =
        LoadContextMenu(ChooseContextMenu(WithSpecialFoldersPresent({}, m_Tables)));
    TrackContextMenu(menu, Hwnd(), at);
}

bool CMainWnd::OnMenuCommand(WPARAM wparam) {
    if (HIWORD(wparam) != 0) {
        return false;
    }
    const UINT command = LOWORD(wparam);
    if (command == ID_HELP) {
        CZarkitListCtrlView::OpenHelpFile(m_ModuleDirectory);
        return true;
    }
    return PostDrawerMenuCommand(Hwnd(), command);
}

}  // namespace zarkit
