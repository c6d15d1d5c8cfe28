#include "core/menu_trim.h"

namespace zarkit {

ContextMenuChoice ChooseContextMenu(const ContextMenuInputs& inputs) {
    ContextMenuChoice choice;
    if (inputs.selected_count > 0) {
        choice.kind = ContextMenuKind::kItem;
        if (inputs.selected_count > 1) {
            choice.remove_go_to_location = true;
        } else if (inputs.single_kind) {
            choice.remove_go_to_location = *inputs.single_kind != ItemKind::kPath;
        }
        return choice;
    }
    choice.kind = ContextMenuKind::kDrawer;
    choice.remove_add_my_computer = inputs.my_computer_exists;
    choice.remove_add_desktop = inputs.desktop_exists;
    choice.remove_add_my_documents = inputs.my_documents_exists;
    return choice;
}

}  // namespace zarkit
