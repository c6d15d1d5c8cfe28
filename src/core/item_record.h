#pragma once

#include <string>
#include <string_view>

namespace zarkit {

// One item of a table as the store and the lists know it. The Win32 side adds its
// own members (icon, image index) around it.
struct ItemRecord {
    std::string path;          // file, folder or program; a special folder's number; a web
                               // site's browser program
    std::string display_name;  // the label
    std::string work_dir;
    std::string start_params;  // a web site's address
    std::string identifier;    // 38-character GUID text
    int special_folder = 0;    // 1 for a shell special folder
    int folder_id = 0;         // its CSIDL, when special_folder is 1

    friend bool operator==(const ItemRecord&, const ItemRecord&) = default;
};

enum class ItemKind { kSpecialFolder, kWebSite, kPath };

// Special folder first, then web site (by its start parameters), else a path.
ItemKind KindOf(const ItemRecord& record);

// Start parameters that, trimmed and lower-cased, begin with "http".
bool IsWebAddress(std::string_view start_params);

// The label for a path item added without one: "Disk (C:)" for a drive root,
// otherwise the last part of the path that is not empty ("windows" for "C:\\windows\\").
std::string DisplayNameFromPath(std::string_view path);

// The working directory for a path item added without one: the path up to its last
// backslash ("C:" for "C:\"), empty when there is none.
std::string WorkDirFromPath(std::string_view path);

// The tooltip: a web site's address, a special folder's name, otherwise the path,
// three blanks and the start parameters.
std::string TooltipText(const ItemRecord& record);

}  // namespace zarkit
