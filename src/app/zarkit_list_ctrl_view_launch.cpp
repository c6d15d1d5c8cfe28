// Starting what items stand for, showing them in the file manager, and the help file.
#include "app/zarkit_list_ctrl_view.h"

#include <vector>

#include "app/main_wnd.h"
#include "app/shell_items.h"
#include "app/table_controller.h"
#include "core/product.h"
#include "core/launch_rules.h"
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
        } else {
            ShellOpen(record->path, record->start_params, record->work_dir);
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
