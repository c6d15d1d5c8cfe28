#pragma once

#include "core/menu_trim.h"
#include "ui/handles.h"

namespace zarkit {

// An item list's context menu as a right click chose it: the loaded menu resource
// (owned) and its popup, trimmed, ready for TrackPopupMenu. Both empty when the
// resource could not be had.
struct LoadedContextMenu {
    ui::MenuHandle menu;
    HMENU popup = nullptr;
};

LoadedContextMenu LoadContextMenu(const ContextMenuChoice& choice);

}  // namespace zarkit
