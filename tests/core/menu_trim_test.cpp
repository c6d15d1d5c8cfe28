#include "core/menu_trim.h"

#include <gtest/gtest.h>

namespace zarkit {
namespace {

ItemRecord PathItem() {
    ItemRecord record;
    record.path = "C:\\Tools\\app.exe";
    record.display_name = "app";
    return record;
}

ItemRecord WebItem() {
    ItemRecord record;
    record.path = "C:\\Program Files\\browser.exe";
    record.start_params = "  HTTP://Example.com/x";
    return record;
}

ItemRecord SpecialItem() {
    ItemRecord record;
    record.path = "17";
    record.display_name = kMyComputerName;
    record.special_folder = 1;
    record.folder_id = 17;
    return record;
}

ContextMenuChoice ForOne(const ItemRecord& record) {
    ContextMenuInputs inputs;
    inputs.selected_count = 1;
    inputs.single_kind = KindOf(record);
    return ChooseContextMenu(inputs);
}

TEST(MenuTrim, OnePathItemKeepsTheWholeItemMenu) {
    const ContextMenuChoice choice = ForOne(PathItem());
    EXPECT_EQ(choice.kind, ContextMenuKind::kItem);
    EXPECT_FALSE(choice.remove_go_to_location);
}

TEST(MenuTrim, WebSiteOrSpecialFolderHasNoLocationToGoTo) {
    for (const ItemRecord& record : {WebItem(), SpecialItem()}) {
        const ContextMenuChoice choice = ForOne(record);
        EXPECT_EQ(choice.kind, ContextMenuKind::kItem);
        EXPECT_TRUE(choice.remove_go_to_location) << record.start_params << record.path;
    }
}

TEST(MenuTrim, SeveralSelectedLoseGoToLocationWhateverTheirKinds) {
    ContextMenuInputs inputs;
    inputs.selected_count = 2;
    const ContextMenuChoice choice = ChooseContextMenu(inputs);
    EXPECT_EQ(choice.kind, ContextMenuKind::kItem);
    EXPECT_TRUE(choice.remove_go_to_location);
    // The special names only matter to the drawer menu.
    inputs.my_computer_exists = inputs.desktop_exists = inputs.my_documents_exists = true;
    EXPECT_EQ(ChooseContextMenu(inputs), choice);
}

TEST(MenuTrim, SelectedEntryWithoutRecordKeepsTheWholeItemMenu) {
    ContextMenuInputs inputs;
    inputs.selected_count = 1;
    const ContextMenuChoice choice = ChooseContextMenu(inputs);
    EXPECT_EQ(choice.kind, ContextMenuKind::kItem);
    EXPECT_FALSE(choice.remove_go_to_location);
}

TEST(MenuTrim, DrawerMenuHidesExactlyTheSpecialFoldersPresent) {
    ContextMenuInputs inputs;
    ContextMenuChoice plain = ChooseContextMenu(inputs);
    EXPECT_EQ(plain.kind, ContextMenuKind::kDrawer);
    EXPECT_EQ(plain, ContextMenuChoice{});

    inputs.desktop_exists = true;
    const ContextMenuChoice desktop = ChooseContextMenu(inputs);
    EXPECT_FALSE(desktop.remove_add_my_computer);
    EXPECT_TRUE(desktop.remove_add_desktop);
    EXPECT_FALSE(desktop.remove_add_my_documents);
    EXPECT_FALSE(desktop.remove_go_to_location);

    inputs.my_computer_exists = inputs.my_documents_exists = true;
    const ContextMenuChoice all = ChooseContextMenu(inputs);
    EXPECT_TRUE(all.remove_add_my_computer && all.remove_add_desktop &&
                all.remove_add_my_documents);
}

// A list with no table (the last one deleted) still offers the drawer menu.
TEST(MenuTrim, NothingSelectedOrNegativeCountGivesTheDrawerMenu) {
    ContextMenuInputs inputs;
    inputs.selected_count = -1;
    inputs.single_kind = ItemKind::kWebSite;
    EXPECT_EQ(ChooseContextMenu(inputs).kind, ContextMenuKind::kDrawer);
    EXPECT_FALSE(ChooseContextMenu(inputs).remove_go_to_location);
}

}  // namespace
}  // namespace zarkit
