#include "app/shell_items.h"

#include <shellapi.h>
#include <shlobj.h>

#include "ui/text.h"
#include "ui/trace.h"

namespace zarkit {
namespace {

// The system image list of large icons comes back with every look-up; the index is
// all an item needs.
std::optional<int> SystemIndex(const void* what, UINT extra_flags, DWORD attributes) {
    SHFILEINFOW info{};
    const DWORD_PTR list = SHGetFileInfoW(static_cast<const wchar_t*>(what), attributes, &info,
                                          sizeof info, SHGFI_SYSICONINDEX | extra_flags);
    if (list == 0) {
        return std::nullopt;
    }
    return info.iIcon;
}

HIMAGELIST SystemImageList() {
    SHFILEINFOW info{};
    return reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(L".txt", FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                       SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES));
}

}  // namespace

bool PathExists(const std::string& path) {
    return !path.empty() && GetFileAttributesW(ui::Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

ui::IdList SpecialFolderIdList(int folder_id) {
    PIDLIST_ABSOLUTE list = nullptr;
    const HRESULT result = SHGetSpecialFolderLocation(nullptr, folder_id, &list);
    if (FAILED(result)) {
        ui::Trace(L"SHGetSpecialFolderLocation(%d) failed: 0x%08lX\n", folder_id,
                  static_cast<unsigned long>(result));
        return {};
    }
    return ui::IdList(list);
}

std::string SpecialFolderPath(int folder_id) {
    wchar_t path[MAX_PATH] = L"";
    if (!SHGetSpecialFolderPathW(nullptr, path, folder_id, FALSE)) {
        ui::Trace(L"SHGetSpecialFolderPathW(%d) failed\n", folder_id);
        return {};
    }
    return ui::Narrow(path);
}

std::optional<std::string> FindAssociatedProgram(const std::string& document) {
    wchar_t program[MAX_PATH] = L"";
    const auto result =
        reinterpret_cast<INT_PTR>(FindExecutableW(ui::Widen(document).c_str(), nullptr, program));
    if (result <= 32) {
        ui::Trace(L"FindExecutableW failed: %d\n", static_cast<int>(result));
        return std::nullopt;
    }
    std::string path = ui::Narrow(program);
    if (!PathExists(path)) {
        return std::nullopt;
    }
    return path;
}

std::optional<int> ShellIconCache::SystemIconOf(const ItemRecord& record) {
    if (record.special_folder == 1) {
        if (const auto found = by_folder_.find(record.folder_id); found != by_folder_.end()) {
            return found->second;
        }
        const ui::IdList list = SpecialFolderIdList(record.folder_id);
        const std::optional<int> index =
            list ? SystemIndex(list.Get(), SHGFI_PIDL, FILE_ATTRIBUTE_NORMAL) : std::nullopt;
        if (index) {
            by_folder_.emplace(record.folder_id, *index);
        }
        return index;
    }
    // The target must exist, whatever the item shows for it.
    std::optional<int> index = PathIcon(record.path);
    if (index && record.start_params.size() >= 4 && IsWebAddress(record.start_params)) {
        // The icon the system gives web pages; the probe file need not exist for it.
        if (!web_page_) {
            web_page_ = SystemIndex(ui::Widen(probe_file_).c_str(), SHGFI_USEFILEATTRIBUTES,
                                    FILE_ATTRIBUTE_NORMAL);
        }
        if (web_page_) {
            index = web_page_;
        }
    }
    return index;
}

std::optional<int> ShellIconCache::PathIcon(const std::string& path) {
    if (!PathExists(path)) {
        return std::nullopt;
    }
    if (const auto found = by_path_.find(path); found != by_path_.end()) {
        return found->second;
    }
    const std::optional<int> index = SystemIndex(ui::Widen(path).c_str(), 0, FILE_ATTRIBUTE_NORMAL);
    if (!index) {
        ui::Trace(L"SHGetFileInfoW found no icon for %ls\n", ui::Widen(path).c_str());
        return std::nullopt;
    }
    by_path_.emplace(path, *index);
    return index;
}

ui::IconHandle ShellIconCache::IconAt(int system_index) {
    static const HIMAGELIST system_list = SystemImageList();
    ui::IconHandle icon(ImageList_GetIcon(system_list, system_index, ILD_TRANSPARENT));
    if (!icon) {
        ui::Trace(L"ImageList_GetIcon(%d) failed\n", system_index);
    }
    return icon;
}

}  // namespace zarkit
