#include "core/menu_trim.h"

#include <gtest/gtest.h>

namespace zarkit {
namespace {

ContextMenuChoice ForSelection(int count, std::optional<ItemKind> kind) {
    ContextMenuInputs inputs;
    inputs.selected_count = count;
    inputs.single_kind = kind;
    // The special names only matter to the drawer menu.
    inputs.my_computer_exists = inputs.desktop_exists = inputs.my_documents_exists = true;
    return ChooseContextMenu(inputs);
}

TEST(MenuTrim, GoToLocationStaysOnlyForOnePathItem) {
    ItemRecord web;
    web.path = "C:\\Program Files\\browser.exe";
    web.start_params = "  HTTP://Example.com/x";
    ItemRecord special;
    special.path = "17";
    special.special_folder = 1;
    special.folder_id = 17;
    ItemRecord path;
    path.path = "C:\\Tools\\app.exe";

    struct Case {
        int count;
        std::optional<ItemKind> kind;
        bool removed;
    };
    for (const Case& c : {Case{1, KindOf(path), false}, Case{1, KindOf(web), true},
                          Case{1, KindOf(special), true}, Case{2, std::nullopt, true},
                          // An entry without a record keeps the whole menu.
                          Case{1, std::nullopt, false}}) {
        const ContextMenuChoice choice = ForSelection(c.count, c.kind);
        EXPECT_EQ(choice.kind, ContextMenuKind::kItem);
        EXPECT_EQ(choice.remove_go_to_location, c.removed) << c.count;
        EXPECT_FALSE(choice.remove_add_my_computer || choice.remove_add_desktop ||
                     choice.remove_add_my_documents);
    }
}

// Also with no list at all (the last table deleted): nothing is selected then.
TEST(MenuTrim, DrawerMenuHidesExactlyTheSpecialFoldersPresent) {
    ContextMenuInputs inputs;
    EXPECT_EQ(ChooseContextMenu(inputs), ContextMenuChoice{});

    inputs.desktop_exists = true;
    inputs.single_kind = ItemKind::kWebSite;  // stale, and ignored without a selection
    ContextMenuChoice expected;
    expected.remove_add_desktop = true;
    EXPECT_EQ(ChooseContextMenu(inputs), expected);

    inputs.my_computer_exists = inputs.my_documents_exists = true;
    expected.remove_add_my_computer = expected.remove_add_my_documents = true;
    EXPECT_EQ(ChooseContextMenu(inputs), expected);
}

}  // namespace
}  // namespace zarkit
