#include "app/context_menu.h"

#include "res/resource.h"
#include "ui/trace.h"

namespace zarkit {

namespace {

// The separator before "Go to location".
constexpr UINT kItemMenuSeparator = 2;

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

}  // namespace zarkit
