// Starting what items stand for, showing them in the file manager, and the help file.
#include "app/zarkit_list_ctrl_view.h"

#include <vector>

#include "app/drawer_warning.h"
#include "app/main_wnd.h"
#include "app/shell_items.h"
#include "app/table_controller.h"
#include "core/product.h"
#include "core/launch_rules.h"
#include "core/paths.h"
#include "ui/text.h"
#include "ui/trace.h"
#include <shellapi.h>

namespace zarkit {
namespace {

// "open" with no owner window; the shell reports nothing back that the user would see.
void ShellOpen(const std::string& file, const std::string& parameters,
               const std::string& directory) {
    const std::wstring wide_file = ui::Widen(file);
    const std::wstring wide_parameters = ui::Widen(parameters);
    const std::wstring wide_directory = ui::Widen(directory);
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", wide_file.c_str(),
                      wide_parameters.empty() ? nullptr : wide_parameters.c_str(),
                      wide_directory.empty() ? nullptr : wide_directory.c_str(), SW_SHOW));
    if (result <= 32) {
        ui::Trace(L"ShellExecuteW(%ls) failed: %d\n", wide_file.c_str(), static_cast<int>(result));
    }
}

// Shortcuts keep working folders such as %HOMEDRIVE%%HOMEPATH%, which the shell takes
// only once expanded.
std::wstring ExpandedFolder(const std::string& folder) {
    const std::wstring raw = ui::Widen(folder);
    if (raw.find(L'%') == std::wstring::npos) {
        return raw;
    }
    const DWORD size = ExpandEnvironmentStringsW(raw.c_str(), nullptr, 0);
    std::wstring expanded(size, L'\0');
    const DWORD length =
        size == 0 ? 0 : ExpandEnvironmentStringsW(raw.c_str(), expanded.data(), size);
    if (length == 0 || length > size) {
        ui::TraceLastError(L"ExpandEnvironmentStringsW");
        return raw;
    }
    expanded.resize(length - 1);
    return expanded;
}

// Starts a path or web-site item; 0, or the system's error when the shell could not.
// The shell shows nothing itself: the drawer says what went wrong.
DWORD StartItem(const ItemRecord& record) {
    std::wstring file = ui::Widen(record.path);
    const std::wstring parameters = ui::Widen(LaunchParameters(record));
    std::wstring directory = ExpandedFolder(record.work_dir);
    // The shell takes long paths in their short forms only, and then fails on a long
    // folder name beside a short program path: both go short.
    if (file.size() >= kLongPathLength || directory.size() >= kLongPathLength) {
        file = ShortPathOf(file);
        directory = ShortPathOf(directory);
        if (file.size() >= MAX_PATH || directory.size() >= kLongPathLength) {
            return ERROR_FILENAME_EXCED_RANGE;
        }
    }
    SHELLEXECUTEINFOW execute{};
    execute.cbSize = sizeof execute;
    execute.fMask = SEE_MASK_FLAG_NO_UI;
    execute.lpVerb = L"open";
    execute.lpFile = file.c_str();
    execute.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    execute.lpDirectory = directory.empty() ? nullptr : directory.c_str();
    execute.nShow = SW_SHOW;
    if (ShellExecuteExW(&execute)) {
        return ERROR_SUCCESS;
    }
    const DWORD error = GetLastError();
    ui::Trace(L"ShellExecuteExW(%ls) failed: %lu\n", file.c_str(), error);
    // Some failures set only the old result code, whose values below 32 are errors too.
    return error != ERROR_SUCCESS ? error
                                  : static_cast<DWORD>(reinterpret_cast<INT_PTR>(execute.hInstApp));
}

bool OpenSpecialFolder(int folder_id) {
    const ui::IdList list = SpecialFolderIdList(folder_id);
    if (!list) {
        return false;
    }
    SHELLEXECUTEINFOW execute{};
    execute.cbSize = sizeof execute;
    execute.fMask = SEE_MASK_IDLIST;
    execute.lpIDList = list.Get();
    execute.nShow = SW_SHOW;
    if (!ShellExecuteExW(&execute)) {
        ui::TraceLastError(L"ShellExecuteExW");
    }
    return true;
}

}  // namespace

void CZarkitListCtrlView::LaunchSelected() {
    const int count = m_ListCtrl.SelectedCount();
    std::vector<const ItemRecord*> records;
    int index = -1;
    for (int n = 0; n < count; ++n) {
        index = m_ListCtrl.NextSelected(index);
        const auto* item = reinterpret_cast<const ListedItem*>(m_ListCtrl.Data(index));
        if (item != nullptr) {
            records.push_back(&item->record);
        }
    }
    Launch(records);
}

void CZarkitListCtrlView::Launch(const std::vector<const ItemRecord*>& records) {
    for (const ItemRecord* record : records) {
        if (record->special_folder == 1) {
            // A folder the shell does not know ends the whole launch.
            if (!OpenSpecialFolder(record->folder_id)) {
                return;
            }
        } else if (const DWORD error = StartItem(*record); error != ERROR_SUCCESS) {
            WarnOverDrawer(Hwnd(),
                           LaunchFailedText(record->display_name, ui::SystemMessage(error)));
        }
    }
    DropBehindOtherWindows();
}

void CZarkitListCtrlView::GoToLocation() {
    const int index = m_ListCtrl.NextSelected();
    const auto* item =
        index < 0 ? nullptr : reinterpret_cast<const ListedItem*>(m_ListCtrl.Data(index));
    if (item == nullptr || !PathExists(item->record.path)) {
        return;
    }
    ShellOpen("explorer.exe", ExplorerSelectArguments(item->record.path), "");
    DropBehindOtherWindows();
}

void CZarkitListCtrlView::OpenHelp() {
    OpenHelpFile(m_Tables.ModuleDirectory());
}

void CZarkitListCtrlView::OpenHelpFile(const std::string& module_directory) {
    ShellOpen(module_directory + product::kHelpFileName, "", "");
}

// Below every other window, so what was started comes out on top. That takes the
// drawer's topmost place too; the next poll outside gives it back.
void CZarkitListCtrlView::DropBehindOtherWindows() {
    if (!SetWindowPos(GetAncestor(Hwnd(), GA_ROOT), HWND_BOTTOM, 0, 0, 0, 0,
                      SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE)) {
        ui::TraceLastError(L"CZarkitListCtrlView: SetWindowPos(HWND_BOTTOM)");
    }
    if (CMainWnd* drawer = CMainWnd::OfWindow(Hwnd())) {
        drawer->OnItemsLaunched();
    }
}

}  // namespace zarkit
