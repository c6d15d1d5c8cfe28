#include "app/context_menu.h"

#include <vector>

#include <gtest/gtest.h>

#include "app/messages.h"
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

struct Posted {
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
    friend bool operator==(const Posted&, const Posted&) = default;
};

// What the command left in this thread's queue for `window`.
std::vector<Posted> TakePosted(HWND window) {
    std::vector<Posted> posted;
    MSG message;
    while (PeekMessageW(&message, window, 0, 0, PM_REMOVE)) {
        posted.push_back({message.message, message.wParam, message.lParam});
    }
    return posted;
}

TEST(ContextMenu, DrawerCommandsArePostedToTheDrawerWithTheirParameters) {
    const HWND drawer =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(drawer, nullptr);
    const struct {
        UINT command;
        Posted posted;
    } cases[] = {
        {ID_ADD_TABLE, {WM_ZK_ADDTABLE, 0, 0}},
        {ID_DEL_TABLE, {WM_ZK_DELTABLE, 0, 0}},
        {ID_RENAME_TABLE, {WM_ZK_RENAMETABLE, 3, 0}},
        {ID_ADD_MY_COMPUTER, {WM_ZK_ADDSPECIAL, 1, 0}},
        {ID_ADD_DESKTOP, {WM_ZK_ADDSPECIAL, 2, 0}},
        {ID_ADD_MY_DOCUMENTS, {WM_ZK_ADDSPECIAL, 3, 0}},
        {ID_ADD_WEBSITE, {WM_ZK_ADDITEMS, 1, 0}},
        {ID_ADD_PATH, {WM_ZK_ADDITEMS, 2, 0}},
        {ID_SETTINGS, {WM_ZK_SETTINGS, 0, 0}},
        {ID_ABOUT, {WM_ZK_ABOUT, 0, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(PostDrawerMenuCommand(drawer, c.command)) << c.command;
        EXPECT_EQ(TakePosted(drawer), std::vector<Posted>{c.posted}) << c.command;
    }
    // The view's own commands are not the drawer's.
    for (const UINT command : {ID_ITEM_RENAME, ID_ITEM_DELETE, ID_ITEM_GO_TO_LOCATION, ID_HELP}) {
        EXPECT_FALSE(PostDrawerMenuCommand(drawer, command)) << command;
        EXPECT_TRUE(TakePosted(drawer).empty()) << command;
    }

    // Quit: the drawer's close first, then the end of the loop, with exit code 0.
    EXPECT_TRUE(PostDrawerMenuCommand(drawer, ID_QUIT));
    EXPECT_EQ(TakePosted(nullptr), (std::vector<Posted>{{WM_CLOSE, 0, 0}, {WM_QUIT, 0, 0}}));
    DestroyWindow(drawer);
}

}  // namespace
}  // namespace zarkit
