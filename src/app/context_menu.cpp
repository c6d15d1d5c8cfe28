#include "app/context_menu.h"

#include "app/busy_scope.h"
#include "app/messages.h"
#include "app/table_controller.h"
#include "res/resource.h"
#include "ui/trace.h"

namespace zarkit {

namespace {

// The separator before "Go to location".
constexpr UINT kItemMenuSeparator = 2;

struct PostedCommand {
    UINT command;
    UINT message;
    WPARAM wparam;
};

constexpr PostedCommand kPostedCommands[] = {
    {ID_ADD_TABLE, WM_ZK_ADDTABLE, 0},       {ID_DEL_TABLE, WM_ZK_DELTABLE, 0},
    {ID_RENAME_TABLE, WM_ZK_RENAMETABLE, 3}, {ID_ADD_MY_COMPUTER, WM_ZK_ADDSPECIAL, 1},
    {ID_ADD_DESKTOP, WM_ZK_ADDSPECIAL, 2},   {ID_ADD_MY_DOCUMENTS, WM_ZK_ADDSPECIAL, 3},
    {ID_ADD_WEBSITE, WM_ZK_ADDITEMS, 1},     {ID_ADD_PATH, WM_ZK_ADDITEMS, 2},
    {ID_SETTINGS, WM_ZK_SETTINGS, 0},        {ID_ABOUT, WM_ZK_ABOUT, 0},
};

void RemoveCommand(HMENU popup, UINT command) {
    if (!RemoveMenu(popup, command, MF_BYCOMMAND)) {
        ui::TraceLastError(L"RemoveMenu");
    }
}

}  // namespace

LoadedContextMenu LoadContextMenu(const ContextMenuChoice& choice) {
    const int id = choice.kind == ContextMenuKind::kItem ? IDR_ITEM_MENU : IDR_DRAWER_MENU;
    LoadedContextMenu loaded;
    loaded.menu.Reset(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id)));
    if (!loaded.menu) {
        ui::TraceLastError(L"LoadMenuW");
        return {};
    }
    const HMENU popup = GetSubMenu(loaded.menu.Get(), 0);
    if (popup == nullptr) {
        ui::Trace(L"GetSubMenu: menu %d has no popup\n", id);
        return {};
    }
    if (choice.kind == ContextMenuKind::kItem) {
        if (choice.remove_go_to_location) {
            RemoveCommand(popup, ID_ITEM_GO_TO_LOCATION);
            if (!RemoveMenu(popup, kItemMenuSeparator, MF_BYPOSITION)) {
                ui::TraceLastError(L"RemoveMenu");
            }
        }
    } else {
        if (choice.remove_add_my_computer) {
            RemoveCommand(popup, ID_ADD_MY_COMPUTER);
        }
        if (choice.remove_add_desktop) {
            RemoveCommand(popup, ID_ADD_DESKTOP);
        }
        if (choice.remove_add_my_documents) {
            RemoveCommand(popup, ID_ADD_MY_DOCUMENTS);
        }
    }
    loaded.popup = popup;
    return loaded;
}

ContextMenuInputs WithSpecialFoldersPresent(ContextMenuInputs inputs, TableController& tables) {
    inputs.my_computer_exists = tables.ItemNameExists(kMyComputerName, "");
    inputs.desktop_exists = tables.ItemNameExists(kDesktopName, "");
    inputs.my_documents_exists = tables.ItemNameExists(kMyDocumentsName, "");
    return inputs;
}

void TrackContextMenu(const LoadedContextMenu& menu, HWND owner, POINT at) {
    if (menu.popup == nullptr) {
        return;
    }
    const BusyScope busy(owner);
    if (!TrackPopupMenu(menu.popup, TPM_LEFTALIGN | TPM_LEFTBUTTON, at.x, at.y, 0, owner,
                        nullptr)) {
        ui::TraceLastError(L"TrackPopupMenu");
    }
}

bool PostDrawerMenuCommand(HWND drawer, UINT command) {
    if (command == ID_QUIT) {
        // The close is queued first: the drawer (and its tray icon) goes before the loop ends.
        PostMessageW(drawer, WM_CLOSE, 0, 0);
        PostQuitMessage(0);
        return true;
    }
    for (const PostedCommand& posted : kPostedCommands) {
        if (posted.command == command) {
            if (!PostMessageW(drawer, posted.message, posted.wparam, 0)) {
                ui::TraceLastError(L"PostDrawerMenuCommand: PostMessageW");
            }
            return true;
        }
    }
    return false;
}

}  // namespace zarkit
