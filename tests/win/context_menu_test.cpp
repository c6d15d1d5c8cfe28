#include "app/context_menu.h"

#include <vector>

#include <gtest/gtest.h>

#include "res/resource.h"

namespace zarkit {
namespace {

// The popup's entries as command ids, 0 for a separator.
std::vector<UINT> Entries(HMENU popup) {
    std::vector<UINT> ids;
    const int count = GetMenuItemCount(popup);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID;
        GetMenuItemInfoW(popup, static_cast<UINT>(i), TRUE, &info);
        ids.push_back((info.fType & MFT_SEPARATOR) != 0 ? 0 : info.wID);
    }
    return ids;
}

TEST(ContextMenu, ItemMenuWithoutGoToLocationLosesItsSeparatorToo) {
    ContextMenuChoice choice;
    choice.kind = ContextMenuKind::kItem;
    LoadedContextMenu full = LoadContextMenu(choice);
    ASSERT_NE(full.popup, nullptr);
    EXPECT_EQ(Entries(full.popup),
              (std::vector<UINT>{ID_ITEM_RENAME, ID_ITEM_DELETE, 0, ID_ITEM_GO_TO_LOCATION}));

    choice.remove_go_to_location = true;
    LoadedContextMenu trimmed = LoadContextMenu(choice);
    ASSERT_NE(trimmed.popup, nullptr);
    EXPECT_EQ(Entries(trimmed.popup), (std::vector<UINT>{ID_ITEM_RENAME, ID_ITEM_DELETE}));
}

TEST(ContextMenu, DrawerMenuLosesOnlyTheSpecialFoldersAsked) {
    ContextMenuChoice choice;
    choice.remove_add_my_computer = true;
    choice.remove_add_my_documents = true;
    // Ignored outside the item menu: the drawer menu has no such entry to take away.
    choice.remove_go_to_location = true;
    LoadedContextMenu menu = LoadContextMenu(choice);
    ASSERT_NE(menu.popup, nullptr);
    EXPECT_EQ(Entries(menu.popup),
              (std::vector<UINT>{ID_ADD_TABLE, ID_DEL_TABLE, ID_RENAME_TABLE, 0, ID_ADD_DESKTOP,
                                 ID_ADD_WEBSITE, ID_ADD_PATH, 0, ID_SETTINGS, 0, ID_HELP, ID_ABOUT,
                                 0, ID_QUIT}));
}

}  // namespace
}  // namespace zarkit
