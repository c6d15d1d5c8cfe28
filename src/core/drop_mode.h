#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/item_block.h"
#include "core/item_record.h"

// What a list control accepts when something is dropped on it, and who handles it.
namespace zarkit {

inline constexpr std::uint32_t DROP_FILES = 0x01;
inline constexpr std::uint32_t DROP_FOLDERS = 0x02;
inline constexpr std::uint32_t DROP_DUPLICATES = 0x04;
inline constexpr std::uint32_t DROP_EXTFILTER = 0x10;
inline constexpr std::uint32_t DROP_CALLBACKS = 0x20;

enum class DroppedPathKind { kFolder, kFile };

// Each returns 0 when it handled the drop; the list control ignores the value.
using FileDroppedCallback = std::function<int(ItemRecord& record, DroppedPathKind kind)>;
using TextDroppedCallback = std::function<int(std::string_view text)>;
using ItemsDroppedCallback = std::function<int(DroppedItems& items)>;
// Items of the list itself dropped at a point of it (client coordinates): true when the
// list took the drop and put them there; false refuses it.
using ItemsMovedCallback = std::function<bool(const ItemBlock& block, Point at)>;

struct DropMode {
    std::uint32_t flags = DROP_FILES | DROP_FOLDERS;
    std::string extension_filter;  // ".exe": the dot and the extension, any case
    FileDroppedCallback on_file_dropped;
    TextDroppedCallback on_text_dropped;
    ItemsDroppedCallback on_items_dropped;
    ItemsMovedCallback on_items_moved;
};

// Installs `wanted` unless it asks for callbacks without the per-file one; a refused
// mode leaves `installed` as it was.
bool SetDropMode(DropMode& installed, DropMode wanted);

// What the file system says of a dropped path.
enum class PathStatus { kUnreadable, kDirectory, kRegularFile, kOther };

enum class DropDecision { kReject, kFolder, kFile };

// Whether a dropped path is taken, and as what.
DropDecision AcceptDroppedPath(PathStatus status, std::string_view path, const DropMode& mode);

// The extension of a path's file name: from its last dot, dot included; empty when the
// name has none.
std::string_view FileExtension(std::string_view path);

}  // namespace zarkit
