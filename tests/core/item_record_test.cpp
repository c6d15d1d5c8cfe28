#include "core/item_record.h"

#include <gtest/gtest.h>

namespace zarkit {
namespace {

ItemRecord Item(std::string path, std::string params, int special_folder = 0) {
    ItemRecord record;
    record.path = std::move(path);
    record.display_name = "Name";
    record.start_params = std::move(params);
    record.special_folder = special_folder;
    return record;
}

TEST(ItemRecord, KindIsSpecialFolderThenWebAddressThenPath) {
    EXPECT_EQ(KindOf(Item("17", "", 1)), ItemKind::kSpecialFolder);
    EXPECT_EQ(KindOf(Item("17", "http://a", 1)), ItemKind::kSpecialFolder);
    EXPECT_EQ(KindOf(Item("C:\\b.exe", "  HTTPS://EXAMPLE.COM")), ItemKind::kWebSite);
    EXPECT_EQ(KindOf(Item("C:\\b.exe", "--open http://a")), ItemKind::kPath);
    EXPECT_FALSE(IsWebAddress("htt"));
    EXPECT_FALSE(IsWebAddress("ftp://a"));
    EXPECT_TRUE(IsWebAddress("\t\nHttp"));
}

TEST(ItemRecord, NamesAndWorkingDirectoriesFromPaths) {
    EXPECT_EQ(DisplayNameFromPath("C:\\"), "Disk (C:)");
    EXPECT_EQ(DisplayNameFromPath("d:\\"), "Disk (d:)");
    EXPECT_EQ(DisplayNameFromPath("C:\\Tools\\editor.exe"), "editor.exe");
    EXPECT_EQ(DisplayNameFromPath("C:/x"), "x");
    EXPECT_EQ(DisplayNameFromPath("C:\\\xE5\xB7\xA5\xE5\x85\xB7.exe"),
              "\xE5\xB7\xA5\xE5\x85\xB7.exe");
    EXPECT_EQ(WorkDirFromPath("C:\\"), "C:");
    EXPECT_EQ(WorkDirFromPath("C:\\Tools\\editor.exe"), "C:\\Tools");
    EXPECT_EQ(WorkDirFromPath("editor.exe"), "");
}

// A folder given with a separator at its end, or several, is named by its last part; a
// drive root so given stays a disk.
TEST(ItemRecord, APathEndingInSeparatorsIsNamedByItsLastPart) {
    EXPECT_EQ(DisplayNameFromPath("C:\\windows\\"), "windows");
    EXPECT_EQ(DisplayNameFromPath("C:\\Program Files\\Tools\\\\"), "Tools");
    EXPECT_EQ(DisplayNameFromPath("C:/Users/me/"), "me");
    EXPECT_EQ(DisplayNameFromPath("\\\\server\\share\\"), "share");
    EXPECT_EQ(DisplayNameFromPath("C:\\\\"), "Disk (C:)");
    EXPECT_EQ(DisplayNameFromPath("e:/"), "Disk (e:)");
    // Nothing to name it by but the path itself: no item is left without a label.
    EXPECT_EQ(DisplayNameFromPath("notes.txt"), "notes.txt");
    EXPECT_EQ(DisplayNameFromPath("C:"), "C:");
    EXPECT_EQ(DisplayNameFromPath("\\"), "\\");
    EXPECT_EQ(DisplayNameFromPath(""), "");
}

TEST(ItemRecord, TooltipByKind) {
    EXPECT_EQ(TooltipText(Item("C:\\b.exe", "  HTTP://A")), "  HTTP://A");
    EXPECT_EQ(TooltipText(Item("17", "", 1)), "Name");
    EXPECT_EQ(TooltipText(Item("C:\\a.exe", "")), "C:\\a.exe   ");
    EXPECT_EQ(TooltipText(Item("C:\\a.exe", "-x")), "C:\\a.exe   -x");
}

}  // namespace
}  // namespace zarkit
