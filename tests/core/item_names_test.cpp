#include "core/item_names.h"

#include <gtest/gtest.h>

#include "core/launch_rules.h"

namespace zarkit {
namespace {

TEST(ItemNameLookup, NamesMatchTrimmedInAnyCase) {
    const ItemNameLookup lookup("My Computer", "");
    EXPECT_TRUE(lookup.Matches("my computer "));
    EXPECT_TRUE(lookup.Matches("\tMY COMPUTER"));
    EXPECT_FALSE(lookup.Matches("My  Computer"));
    EXPECT_FALSE(lookup.Matches("My Computers"));
    // Any table when none is named.
    EXPECT_TRUE(lookup.WantsTable("Common"));
    EXPECT_TRUE(lookup.WantsTable(""));
}

TEST(ItemNameLookup, ATableNarrowsTheSearchByTheTableRule) {
    const ItemNameLookup lookup("CNN", " websites ");
    EXPECT_TRUE(lookup.WantsTable("WebSites"));
    EXPECT_FALSE(lookup.WantsTable("Web Sites"));
    EXPECT_FALSE(lookup.WantsTable("Common"));
}

TEST(ItemNameLookup, AnEmptyNameFindsNothing) {
    const ItemNameLookup empty("", "");
    EXPECT_FALSE(empty.Searching());
    EXPECT_FALSE(empty.Matches(""));
    // Blanks are a name, trimmed to nothing: they find an item named so.
    const ItemNameLookup blanks("  ", "");
    EXPECT_TRUE(blanks.Searching());
    EXPECT_TRUE(blanks.Matches(" "));
}

TEST(LaunchRules, ExplorerSelectionQuotesThePath) {
    EXPECT_EQ(ExplorerSelectArguments("C:\\Tools\\editor.exe"),
              "/select, \"C:\\Tools\\editor.exe\"");
    // A comma would split the file manager's arguments, a blank would too.
    EXPECT_EQ(ExplorerSelectArguments("C:\\a, b\\x y.txt"), "/select, \"C:\\a, b\\x y.txt\"");
}

}  // namespace
}  // namespace zarkit
