#include "app/dropped_files.h"

#include <optional>

#include "app/shell_items.h"
#include "core/paths.h"
#include "ui/com.h"
#include "ui/text.h"
#include "ui/trace.h"
#include <shlobj.h>

namespace zarkit {
namespace {

// Paths, folders and arguments in a shortcut are not bound by MAX_PATH.
constexpr int kLinkTextCapacity = 32768;

// The shortcut's target when it is there. Wine's GetPath gives the path as the link's ANSI
// copy has it, so characters outside the code page come back as '?'. When that path does
// not exist, the target's identifier list, which keeps the names whole, gives the path.
std::optional<std::string> ExistingTarget(IShellLinkW* link, const wchar_t* path) {
    if (path[0] != L'\0' && PathExists(ui::Narrow(path))) {
        return ui::Narrow(path);
    }
    PIDLIST_ABSOLUTE items = nullptr;
    std::wstring whole(kLinkTextCapacity, L'\0');
    const bool found =
        SUCCEEDED(link->GetIDList(&items)) && items != nullptr &&
        SHGetPathFromIDListEx(items, whole.data(), kLinkTextCapacity, GPFIDL_DEFAULT) &&
        PathExists(ui::Narrow(whole.c_str()));
    CoTaskMemFree(items);
    if (!found) {
        return std::nullopt;
    }
    return ui::Narrow(whole.c_str());
}

}  // namespace

std::vector<std::string> DroppedFilePaths(HDROP drop) {
    std::vector<std::string> paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        path.resize(DragQueryFileW(drop, i, path.data(), length + 1));
        paths.push_back(ui::Narrow(path));
    }
    return paths;
}

bool ResolveShortcut(ItemRecord& record) {
    if (record.path.empty()) {
        return false;
    }
    ui::ComPtr<IShellLinkW> link;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IShellLinkW, link.PutVoid());
    if (FAILED(result)) {
        ui::Trace(L"CoCreateInstance(ShellLink) failed: 0x%08lX\n",
                  static_cast<unsigned long>(result));
        return false;
    }
    const ui::ComPtr<IPersistFile> file = link.As<IPersistFile>(IID_IPersistFile);
    // A file that is not a shortcut does not load: it keeps its path. The shell reads no
    // long path.
    std::wstring path = ui::Widen(record.path);
    if (path.size() >= kLongPathLength) {
        path = ShortPathOf(path);
    }
    if (!file || FAILED(file->Load(path.c_str(), STGM_READ))) {
        return false;
    }

    std::wstring buffer(kLinkTextCapacity, L'\0');
    WIN32_FIND_DATAW find_data{};
    if (link->GetPath(buffer.data(), kLinkTextCapacity, &find_data, SLGP_UNCPRIORITY) != S_OK) {
        buffer[0] = L'\0';
    }
    // A target that is not in the file system (a printer, a control panel item), or that
    // cannot be found: the shortcut stays itself, which the shell opens as it should. Its
    // arguments and folder are its target's, so they stay out of the item.
    const std::optional<std::string> target = ExistingTarget(link.Get(), buffer.c_str());
    if (!target) {
        return true;
    }
    record.path = *target;
    if (SUCCEEDED(link->GetWorkingDirectory(buffer.data(), kLinkTextCapacity))) {
        record.work_dir = ui::Narrow(buffer.c_str());
    }
    if (SUCCEEDED(link->GetArguments(buffer.data(), kLinkTextCapacity))) {
        record.start_params = ui::Narrow(buffer.c_str());
    }
    return true;
}

PathStatus QueryPathStatus(std::string_view path) {
    const DWORD attributes = FileAttributesOf(std::string(path));
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return PathStatus::kUnreadable;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return PathStatus::kDirectory;
    }
    return (attributes & FILE_ATTRIBUTE_DEVICE) != 0 ? PathStatus::kOther
                                                     : PathStatus::kRegularFile;
}

std::vector<AcceptedPath> AcceptedDroppedFiles(HDROP drop, const DropMode& mode) {
    std::vector<AcceptedPath> accepted;
    for (std::string& path : DroppedFilePaths(drop)) {
        ItemRecord record;
        record.path = std::move(path);
        ResolveShortcut(record);
        const DropDecision decision =
            AcceptDroppedPath(QueryPathStatus(record.path), record.path, mode);
        if (decision != DropDecision::kReject) {
            const DroppedPathKind kind = decision == DropDecision::kFolder
                                             ? DroppedPathKind::kFolder
                                             : DroppedPathKind::kFile;
            accepted.push_back(AcceptedPath{std::move(record), kind});
        }
    }
    return accepted;
}

}  // namespace zarkit
