#pragma once

#include "core/menu_trim.h"
#include "ui/handles.h"

namespace zarkit {

class TableController;

// An item list's context menu as a right click chose it: the loaded menu resource
// (owned) and its popup, trimmed, ready for TrackPopupMenu. Both empty when the
// resource could not be had.
struct LoadedContextMenu {
    ui::MenuHandle menu;
    HMENU popup = nullptr;
};

LoadedContextMenu LoadContextMenu(const ContextMenuChoice& choice);

// Which of the special folders the drawer menu offers are in the drawer already, in any
// table: `inputs` with those flags set.
ContextMenuInputs WithSpecialFoldersPresent(ContextMenuInputs inputs, TableController& tables);

// Shows the popup at `at` (screen coordinates), left-aligned, tracking the left button;
// `owner` receives the chosen command as WM_COMMAND. The drawer `owner` is or lies in
// keeps still while the menu is open.
void TrackContextMenu(const LoadedContextMenu& menu, HWND owner, POINT at);

// The drawer menu's commands that the drawer carries out: the table, adding, settings
// and about commands are posted to `drawer` as the program's messages; Quit closes it
// and ends the message loop. False for any other command.
bool PostDrawerMenuCommand(HWND drawer, UINT command);

}  // namespace zarkit
