#pragma once

#include <optional>

#include "core/item_record.h"

// Which context menu a right click in an item list shows, and which of its entries go.
namespace zarkit {

// The labels of the special folders the drawer menu offers to add.
inline constexpr char kMyComputerName[] = "My Computer";
inline constexpr char kDesktopName[] = "Desktop";
inline constexpr char kMyDocumentsName[] = "My Documents";

enum class ContextMenuKind {
    kItem,    // items are selected
    kDrawer,  // nothing is selected, or there is no list at all
};

struct ContextMenuInputs {
    int selected_count = 0;
    // The kind of the one selected item; empty when more or none are selected, or
    // when the selected entry has no record.
    std::optional<ItemKind> single_kind;
    // Whether an item so named exists in any table (trimmed, any case).
    bool my_computer_exists = false;
    bool desktop_exists = false;
    bool my_documents_exists = false;
};

struct ContextMenuChoice {
    ContextMenuKind kind = ContextMenuKind::kDrawer;
    bool remove_go_to_location = false;  // together with the separator before it
    bool remove_add_my_computer = false;
    bool remove_add_desktop = false;
    bool remove_add_my_documents = false;

    friend bool operator==(const ContextMenuChoice&, const ContextMenuChoice&) = default;
};

// "Go to location" only makes sense for one file system item: a web site or a
// special folder has no folder to show. A special folder that is already in the
// drawer is not offered again.
ContextMenuChoice ChooseContextMenu(const ContextMenuInputs& inputs);

}  // namespace zarkit
