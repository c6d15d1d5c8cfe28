#include "core/item_record.h"

#include "core/text_rules.h"

namespace zarkit {

ItemKind KindOf(const ItemRecord& record) {
    if (record.special_folder == 1) {
        return ItemKind::kSpecialFolder;
    }
    return IsWebAddress(record.start_params) ? ItemKind::kWebSite : ItemKind::kPath;
}

bool IsWebAddress(std::string_view start_params) {
    return ToLower(Trim(start_params)).starts_with("http");
}

// Windows takes a slash for a backslash, and a folder may be given with separators at
// its end.
std::string DisplayNameFromPath(std::string_view path) {
    const auto last = path.find_last_not_of("\\/");
    if (last == std::string_view::npos) {
        return std::string(path);
    }
    const std::string_view trimmed = path.substr(0, last + 1);
    if (trimmed.size() == 2 && trimmed[1] == ':' && trimmed.size() < path.size()) {
        return "Disk (" + std::string(1, path[0]) + ":)";
    }
    const auto separator = trimmed.find_last_of("\\/");
    return std::string(separator == std::string_view::npos ? trimmed
                                                           : trimmed.substr(separator + 1));
}

std::string WorkDirFromPath(std::string_view path) {
    const auto slash = path.rfind('\\');
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash));
}

// The web-address test comes first here, unlike KindOf: a tooltip shows the address
// whenever there is one.
std::string TooltipText(const ItemRecord& record) {
    if (IsWebAddress(record.start_params)) {
        return record.start_params;
    }
    if (record.special_folder == 1) {
        return record.display_name;
    }
    return record.path + "   " + record.start_params;
}

}  // namespace zarkit
