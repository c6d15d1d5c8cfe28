#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/drop_mode.h"
#include "core/item_record.h"
#include "ui/win32.h"
#include <shellapi.h>

// Turning a dropped file list into item records.
namespace zarkit {

// The paths of a dropped file list, in its order, whatever their length. The list stays
// the caller's.
std::vector<std::string> DroppedFilePaths(HDROP drop);

// When the record's path is a shortcut whose target is there in the file system: the
// target replaces the path, and the shortcut's working directory and arguments become the
// record's. A shortcut to anything else keeps its own path and nothing of its content;
// any other file keeps its path. Returns whether the path loaded as a shortcut.
// Needs COM on the calling thread.
bool ResolveShortcut(ItemRecord& record);

// The file system's answer for a path.
PathStatus QueryPathStatus(std::string_view path);

struct AcceptedPath {
    ItemRecord record;
    DroppedPathKind kind;
};

// The paths of a dropped file list that `mode` accepts, shortcuts resolved, in the
// list's order; each record has only its path, working directory and arguments set.
std::vector<AcceptedPath> AcceptedDroppedFiles(HDROP drop, const DropMode& mode);

}  // namespace zarkit
