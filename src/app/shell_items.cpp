#include "app/shell_items.h"

#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "core/paths.h"
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

// The shell's image list of one size: its indexes are those of every other size. The
// IImageList is an HIMAGELIST; the reference it comes with is the caller's. Looked up by
// name: Windows XP exported it by number only.
ui::ComPtr<IUnknown> SystemImageList(ShellIconList source) {
    using GetImageListFunction = HRESULT(WINAPI*)(int, REFIID, void**);
    static const auto get_image_list =
        reinterpret_cast<GetImageListFunction>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"shell32.dll"), "SHGetImageList")));
    // IID_IImageList.
    static constexpr GUID kImageListId = {
        0x46EB5926, 0x582E, 0x4017, {0x9F, 0xDF, 0xE8, 0x99, 0x8D, 0xAA, 0x09, 0x50}};
    const int which = source == ShellIconList::kJumbo        ? SHIL_JUMBO
                      : source == ShellIconList::kExtraLarge ? SHIL_EXTRALARGE
                                                             : SHIL_LARGE;
    ui::ComPtr<IUnknown> list;
    if (get_image_list == nullptr || FAILED(get_image_list(which, kImageListId, list.PutVoid()))) {
        ui::Trace(L"SHGetImageList(%d) failed\n", which);
    }
    return list;
}

// The large icons of the system image list, which SHGetFileInfo hands out without a
// reference: the shell keeps that list for the life of the process.
HIMAGELIST LargeSystemIcons() {
    SHFILEINFOW info{};
    return reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(L".txt", FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                       SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES));
}

}  // namespace

namespace {

// A long path goes with the extended-length prefix, which needs the full path: Windows
// without long paths enabled refuses it otherwise, whatever the manifest says.
std::wstring FileSystemPath(const std::wstring& path) {
    if (path.size() < kLongPathLength) {
        return path;
    }
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    const DWORD length = size == 0 ? 0 : GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) {
        return path;
    }
    full.resize(length);
    return ui::Widen(ExtendedLengthPath(ui::Narrow(full)));
}

}  // namespace

DWORD FileAttributesOf(const std::string& path) {
    return GetFileAttributesW(FileSystemPath(ui::Widen(path)).c_str());
}

std::wstring ShortPathOf(const std::wstring& path) {
    const std::wstring extended = FileSystemPath(path);
    const DWORD size = GetShortPathNameW(extended.c_str(), nullptr, 0);
    std::wstring shortened(size, L'\0');
    const DWORD length =
        size == 0 ? 0 : GetShortPathNameW(extended.c_str(), shortened.data(), size);
    if (length == 0 || length >= size) {
        ui::TraceLastError(L"GetShortPathNameW");
        return path;
    }
    shortened.resize(length);
    return ui::Widen(WithoutExtendedLengthPrefix(ui::Narrow(shortened)));
}

bool PathExists(const std::string& path) {
    return !path.empty() && FileAttributesOf(path) != INVALID_FILE_ATTRIBUTES;
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
        if (!list) {
            return std::nullopt;
        }
        const std::optional<int> index = SystemIndex(list.Get(), SHGFI_PIDL, FILE_ATTRIBUTE_NORMAL);
        if (index) {
            by_folder_[record.folder_id] = index.value();
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
    if (path.empty() || FileAttributesOf(path) == INVALID_FILE_ATTRIBUTES) {
        return std::nullopt;
    }
    if (const auto found = by_path_.find(path); found != by_path_.end()) {
        return found->second;
    }
    const std::optional<int> index = PathSystemIndex(path);
    if (index) {
        by_path_.emplace(path, *index);
    }
    return index;
}

std::optional<int> PathSystemIndex(const std::string& path) {
    const DWORD attributes = FileAttributesOf(path);
    if (path.empty() || attributes == INVALID_FILE_ATTRIBUTES) {
        return std::nullopt;
    }
    // The shell is handed no long path: some of its look-ups overrun their buffers.
    std::wstring wide = ui::Widen(path);
    if (wide.size() >= kLongPathLength) {
        wide = ShortPathOf(wide);
    }
    std::optional<int> index;
    if (wide.size() < kLongPathLength) {
        index = SystemIndex(wide.c_str(), 0, FILE_ATTRIBUTE_NORMAL);
    }
    if (!index) {
        // The generic icon of the kind, a folder or a file of that extension, still shows
        // it. Only the name goes, which is short.
        ui::Trace(L"SHGetFileInfoW found no icon for %ls\n", wide.c_str());
        const DWORD kind = attributes & FILE_ATTRIBUTE_DIRECTORY;
        index = SystemIndex(PathFindFileNameW(wide.c_str()), SHGFI_USEFILEATTRIBUTES,
                            kind != 0 ? kind : FILE_ATTRIBUTE_NORMAL);
    }
    return index;
}

void ShellIconCache::LookUpOnWorker(HWND notify, UINT message) {
    worker_ = std::make_unique<IconWorker>(notify, message, &PathSystemIndex);
}

std::map<std::string, int> ShellIconCache::TakeArrivedIcons() {
    std::map<std::string, int> arrived;
    if (!worker_) {
        return arrived;
    }
    for (IconWorker::Answer& answer : worker_->TakeAnswers()) {
        requested_.erase(answer.path);
        // No icon at all: listed without one rather than asked for again and again.
        const int system_icon = answer.system_index.value_or(kNoIcon);
        by_path_[answer.path] = system_icon;
        arrived[std::move(answer.path)] = ImageOfCached(system_icon);
    }
    return arrived;
}

int ShellIconCache::ImageOfCached(int system_icon) {
    return system_icon == kNoIcon ? -1 : ImageOfSystemIcon(system_icon).value_or(-1);
}

ShellIconCache::Icon ShellIconCache::Lookup(const ItemRecord& record) {
    const bool plain_path = record.special_folder != 1 &&
                            !(record.start_params.size() >= 4 && IsWebAddress(record.start_params));
    if (!worker_ || !plain_path) {
        const std::optional<int> image = ImageOf(record);
        return image ? Icon{IconState::kReady, *image} : Icon{};
    }
    // Whether the target is there is asked at once: a gone item is not listed.
    if (record.path.empty() || FileAttributesOf(record.path) == INVALID_FILE_ATTRIBUTES) {
        return {};
    }
    if (const auto found = by_path_.find(record.path); found != by_path_.end()) {
        return Icon{IconState::kReady, ImageOfCached(found->second)};
    }
    if (requested_.insert(record.path).second) {
        worker_->Request(record.path);
    }
    return Icon{IconState::kPending, -1};
}

void ShellIconCache::SetDpi(int dpi) {
    icon_size_ = ListIconSizeForDpi(dpi);
    system_images_.Reset();
    images_.Reset();
    image_of_system_icon_.clear();
}

HIMAGELIST ShellIconCache::Images() {
    if (!images_) {
        images_.Reset(
            ImageList_Create(icon_size_.size, icon_size_.size, ILC_COLOR32 | ILC_MASK, 0, 16));
        if (!images_) {
            ui::TraceLastError(L"ShellIconCache: ImageList_Create");
        }
    }
    return images_.Get();
}

std::optional<int> ShellIconCache::ImageOf(const ItemRecord& record) {
    const std::optional<int> system_icon = SystemIconOf(record);
    if (!system_icon) {
        return std::nullopt;
    }
    return ImageOfSystemIcon(*system_icon);
}

std::optional<int> ShellIconCache::ImageOfSystemIcon(int system_icon) {
    if (Images() == nullptr) {
        return std::nullopt;
    }
    if (const auto found = image_of_system_icon_.find(system_icon);
        found != image_of_system_icon_.end()) {
        return found->second;
    }
    // The image list keeps its own copy of the icon: the handle goes at once, so a
    // large store does not spend the process's USER objects on icons.
    const ui::IconHandle icon = IconAt(system_icon);
    const int image = icon ? ImageList_ReplaceIcon(images_.Get(), -1, icon.Get()) : -1;
    if (image < 0) {
        ui::Trace(L"ShellIconCache: ImageList_ReplaceIcon failed\n");
        return std::nullopt;
    }
    image_of_system_icon_.emplace(system_icon, image);
    return image;
}

// Drawn at the image list's size: a larger icon of the shell's is scaled down, never a
// smaller one up.
ui::IconHandle ShellIconCache::IconAt(int system_index) {
    if (!system_images_) {
        system_images_ = SystemImageList(icon_size_.source);
    }
    const HIMAGELIST system_list =
        system_images_ ? reinterpret_cast<HIMAGELIST>(system_images_.Get()) : LargeSystemIcons();
    ui::IconHandle icon(ImageList_GetIcon(system_list, system_index, ILD_TRANSPARENT));
    if (!icon) {
        ui::Trace(L"ImageList_GetIcon(%d) failed\n", system_index);
    }
    return icon;
}

}  // namespace zarkit
