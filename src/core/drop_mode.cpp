#include "core/drop_mode.h"

#include "core/text_rules.h"

namespace zarkit {

bool SetDropMode(DropMode& installed, DropMode wanted) {
    if ((wanted.flags & DROP_CALLBACKS) != 0 && !wanted.on_file_dropped) {
        return false;
    }
    installed = std::move(wanted);
    return true;
}

DropDecision AcceptDroppedPath(PathStatus status, std::string_view path, const DropMode& mode) {
    if (status == PathStatus::kUnreadable) {
        return DropDecision::kReject;
    }
    if (status == PathStatus::kDirectory && (mode.flags & DROP_FOLDERS) != 0) {
        return DropDecision::kFolder;
    }
    if (status != PathStatus::kRegularFile || (mode.flags & DROP_FILES) == 0) {
        return DropDecision::kReject;
    }
    if ((mode.flags & DROP_EXTFILTER) != 0 &&
        ToLower(FileExtension(path)) != ToLower(mode.extension_filter)) {
        return DropDecision::kReject;
    }
    return DropDecision::kFile;
}

std::string_view FileExtension(std::string_view path) {
    const auto name_start = path.find_last_of("\\/");
    const std::string_view name =
        name_start == std::string_view::npos ? path : path.substr(name_start + 1);
    const auto dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

}  // namespace zarkit
