#include "core/item_finder.h"

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace zarkit {
namespace {

FindItem Item(std::uint64_t key, std::string label, std::uint32_t table = 0,
              std::uint32_t order = 0, std::string path = {}) {
    return FindItem{key, table, order, std::move(label), std::move(path)};
}

std::vector<std::uint64_t> Keys(const std::vector<FindMatch>& matches) {
    std::vector<std::uint64_t> keys;
    for (const FindMatch& match : matches) {
        keys.push_back(match.key);
    }
    return keys;
}

std::vector<std::uint64_t> FindKeys(const ItemFinder& finder, std::string_view text) {
    return Keys(finder.Find(text));
}

TEST(ItemFinderRanks, LabelStartThenWordThenAnywhereThenPath) {
    ItemFinder finder;
    finder.Build({
        Item(1, "Editor", 0, 0, "C:\\Notes\\ed.exe"),
        Item(2, "Keynote", 0, 1),
        Item(3, "My Notes", 1, 0),
        Item(4, "Notepad", 2, 0),
        Item(5, "Calculator", 0, 2, "C:\\Windows\\calc.exe"),
    });
    const std::vector<FindMatch> matches = finder.Find("note");
    EXPECT_EQ(matches, (std::vector<FindMatch>{{4, 2, MatchRank::kLabelStart},
                                               {3, 1, MatchRank::kWordStart},
                                               {2, 0, MatchRank::kInLabel},
                                               {1, 0, MatchRank::kInPath}}));
}

TEST(ItemFinderRanks, AnItemCountsOnceAtItsBestRank) {
    ItemFinder finder;
    // "na" first occurs inside "Banana"; only its later occurrence starts a word.
    finder.Build({Item(1, "Banana Nap"), Item(2, "Nap Nap", 0, 1, "C:\\nap\\nap.exe"),
                  Item(3, "Banana", 0, 2)});
    EXPECT_EQ(finder.Find("na"), (std::vector<FindMatch>{{2, 0, MatchRank::kLabelStart},
                                                         {1, 0, MatchRank::kWordStart},
                                                         {3, 0, MatchRank::kInLabel}}));
    // A word start near the end of the label, where the text would run past it.
    EXPECT_EQ(finder.Find("nap nap"), (std::vector<FindMatch>{{2, 0, MatchRank::kLabelStart}}));
    EXPECT_EQ(finder.Find("a nap"), (std::vector<FindMatch>{{1, 0, MatchRank::kInLabel}}));
}

TEST(ItemFinderTies, ByLabelWithNumbersByValueThenTableThenPosition) {
    ItemFinder finder;
    finder.Build({
        Item(1, "Tool 10", 0, 0),
        Item(2, "Tool 2", 1, 0),
        Item(3, "tool 2", 0, 5),
        Item(4, "TOOL 2", 0, 3),
        Item(5, "Tool 9", 2, 7),
    });
    EXPECT_EQ(FindKeys(finder, "tool"), (std::vector<std::uint64_t>{4, 3, 2, 5, 1}));
}

TEST(ItemFinderTies, AccentsDoNotSortApart) {
    ItemFinder finder;
    // Écran and Ecran are the same label; the table decides, not the accent's byte value.
    finder.Build({Item(1, "Ecran", 1),
                  Item(2,
                       "\xC3\x89"
                       "cran",
                       0),
                  Item(3, "Ecrin", 0)});
    EXPECT_EQ(FindKeys(finder, "ecr"), (std::vector<std::uint64_t>{2, 1, 3}));
}

TEST(ItemFinderAccents, FoldedBothWays) {
    ItemFinder finder;
    finder.Build({Item(1, "Caf\xC3\xA9 Menu"), Item(2, "Cafe", 0, 1),
                  Item(3,
                       "Stra\xC3\x9F"
                       "e",
                       0, 2),
                  Item(4, "STRASSE 2", 0, 3), Item(5, "\xD0\x81\xD0\xBB\xD0\xBA\xD0\xB0", 0, 4)});
    EXPECT_EQ(FindKeys(finder, "cafe"), (std::vector<std::uint64_t>{2, 1}));
    EXPECT_EQ(FindKeys(finder, "CAF\xC3\x89"), (std::vector<std::uint64_t>{2, 1}));
    EXPECT_EQ(FindKeys(finder, "strasse"), (std::vector<std::uint64_t>{3, 4}));
    EXPECT_EQ(FindKeys(finder, "stra\xC3\x9F"), (std::vector<std::uint64_t>{3, 4}));
    EXPECT_EQ(FindKeys(finder, "\xD0\xB5\xD0\xBB"), (std::vector<std::uint64_t>{5}));  // ел
}

TEST(ItemFinderWords, CaseChangesAndPunctuationStartWords) {
    ItemFinder finder;
    finder.Build({Item(1, "MyComputer"), Item(2, "7-Zip File Manager", 0, 1),
                  Item(3, "Notepad++", 0, 2), Item(4, "Supercomputer", 0, 3)});
    EXPECT_EQ(finder.Find("comp"),
              (std::vector<FindMatch>{{1, 0, MatchRank::kWordStart}, {4, 0, MatchRank::kInLabel}}));
    EXPECT_EQ(finder.Find("zip"), (std::vector<FindMatch>{{2, 0, MatchRank::kWordStart}}));
    EXPECT_EQ(finder.Find("-zip"), (std::vector<FindMatch>{{2, 0, MatchRank::kInLabel}}));
    EXPECT_EQ(finder.Find("++"), (std::vector<FindMatch>{{3, 0, MatchRank::kInLabel}}));
}

TEST(ItemFinderQueries, EmptyBlankOrInvisibleTextFindsNothing) {
    ItemFinder finder;
    finder.Build({Item(1, "Tool one"), Item(2, " ")});
    EXPECT_TRUE(finder.Find("").empty());
    EXPECT_TRUE(finder.Find("  \t").empty());
    EXPECT_TRUE(finder.Find("\xC2\xAD").empty());  // a soft hyphen alone
    // A blank inside the text is part of it.
    EXPECT_EQ(FindKeys(finder, "l o"), (std::vector<std::uint64_t>{1}));
    EXPECT_TRUE(finder.Find("tool two").empty());
}

TEST(ItemFinderQueries, BrokenUtf8NeitherCrashesNorMatchesInsideACharacter) {
    ItemFinder finder;
    finder.Build({Item(1, "Re\xC3port"), Item(2, "\xC3\xA9t\xC3\xA9", 0, 1),
                  Item(3, std::string("nul\0byte", 8), 0, 2)});
    EXPECT_EQ(finder.Find("port"), (std::vector<FindMatch>{{1, 0, MatchRank::kWordStart}}));
    EXPECT_EQ(FindKeys(finder, "re"), (std::vector<std::uint64_t>{1}));
    // A stray continuation byte folds to U+FFFD: it finds the broken label, never the
    // middle of é.
    EXPECT_EQ(FindKeys(finder, "\xA9"), (std::vector<std::uint64_t>{1}));
    EXPECT_EQ(FindKeys(finder, std::string("\0b", 2)), (std::vector<std::uint64_t>{3}));
    for (const char* text : {"\xC3", "\xF0\x9F", "\xFF\xFE", "\xED\xA0\x80"}) {
        EXPECT_NO_THROW(finder.Find(text));
    }
}

TEST(SearchedPathOf, WebAddressesNotBrowsersAndNoFolderNumbers) {
    ItemRecord web;
    web.path = "C:\\Program Files\\Mozilla Firefox\\firefox.exe";
    web.start_params = "  https://www.example.org/wiki ";
    ItemRecord folder;
    folder.path = "17";
    folder.special_folder = 1;
    folder.folder_id = 17;
    ItemRecord program;
    program.path = "C:\\Tools\\grep.exe";
    program.start_params = "--color";
    EXPECT_EQ(SearchedPath(web), "https://www.example.org/wiki");
    EXPECT_EQ(SearchedPath(folder), "");
    EXPECT_EQ(SearchedPath(program), "C:\\Tools\\grep.exe");

    ItemFinder finder;
    finder.Build({Item(1, "Wiki", 0, 0, SearchedPath(web)), Item(2, "My Computer", 0, 1, "")});
    EXPECT_EQ(FindKeys(finder, "example"), (std::vector<std::uint64_t>{1}));
    EXPECT_TRUE(finder.Find("firefox").empty());
    EXPECT_TRUE(finder.Find("17").empty());
}

TEST(ItemFinderUpdates, PutRenamesMovesAndRemoveForgets) {
    ItemFinder finder;
    finder.Build({Item(1, "Alpha"), Item(2, "Beta", 0, 1), Item(3, "Gamma", 1, 0)});
    finder.Put(Item(4, "Alphabet", 1, 1));
    EXPECT_EQ(FindKeys(finder, "alpha"), (std::vector<std::uint64_t>{1, 4}));
    finder.Put(Item(1, "Zeta", 0, 0));  // renamed
    EXPECT_EQ(FindKeys(finder, "alpha"), (std::vector<std::uint64_t>{4}));
    EXPECT_EQ(FindKeys(finder, "zeta"), (std::vector<std::uint64_t>{1}));
    finder.Put(Item(2, "Beta", 1, 2));  // moved to table 1
    EXPECT_EQ(finder.Find("beta"), (std::vector<FindMatch>{{2, 1, MatchRank::kLabelStart}}));
    EXPECT_TRUE(finder.Remove(4));
    EXPECT_FALSE(finder.Remove(4));
    EXPECT_TRUE(finder.Find("alpha").empty());
    EXPECT_EQ(finder.Size(), 3u);
}

TEST(ItemFinderUpdates, RemovingATableMovesTheLaterOnesDown) {
    ItemFinder finder;
    finder.Build({Item(1, "Tool", 0), Item(2, "Tool", 1), Item(3, "Tool", 2), Item(4, "Tool", 3)});
    finder.RemoveTable(1);
    EXPECT_EQ(finder.Find("tool"), (std::vector<FindMatch>{{1, 0, MatchRank::kLabelStart},
                                                           {3, 1, MatchRank::kLabelStart},
                                                           {4, 2, MatchRank::kLabelStart}}));
    finder.Put(Item(5, "Tool", 1, 9));  // a later item of the table now at 1
    EXPECT_EQ(FindKeys(finder, "tool"), (std::vector<std::uint64_t>{1, 3, 5, 4}));
}

// A table moved by the user takes its items along; equal labels then come in the new
// table order.
TEST(ItemFinderUpdates, AMovedTableTakesItsItemsAlong) {
    ItemFinder finder;
    finder.Build({Item(1, "Tool", 0), Item(2, "Tool", 1), Item(3, "Tool", 2), Item(4, "Tool", 3)});
    finder.MoveTable(3, 0);
    EXPECT_EQ(finder.Find("tool"), (std::vector<FindMatch>{{4, 0, MatchRank::kLabelStart},
                                                           {1, 1, MatchRank::kLabelStart},
                                                           {2, 2, MatchRank::kLabelStart},
                                                           {3, 3, MatchRank::kLabelStart}}));
    finder.MoveTable(0, 2);
    EXPECT_EQ(FindKeys(finder, "tool"), (std::vector<std::uint64_t>{1, 2, 4, 3}));
    finder.MoveTable(1, 1);
    EXPECT_EQ(FindKeys(finder, "tool"), (std::vector<std::uint64_t>{1, 2, 4, 3}));
    // What is put afterwards goes by the new positions.
    finder.Put(Item(5, "Tool", 2, 9));
    EXPECT_EQ(FindKeys(finder, "tool"), (std::vector<std::uint64_t>{1, 2, 4, 5, 3}));
}

TEST(ItemFinderUpdates, AKeyGivenTwiceToBuildGoesEntirely) {
    ItemFinder finder;
    finder.Build({Item(7, "Copy one"), Item(7, "Copy two")});
    finder.Put(Item(7, "Copy three"));
    EXPECT_EQ(finder.Size(), 1u);
    EXPECT_TRUE(finder.Remove(7));
    EXPECT_TRUE(finder.Find("copy").empty());
}

// Any mix of changes leaves the finder as a fresh build of the same items would be.
TEST(ItemFinderUpdates, ChangesAgreeWithARebuild) {
    static const char* const kWords[] = {"tool",
                                         "Tool",
                                         "t\xC3\xB6"
                                         "ol",
                                         "stool",
                                         "Tab",
                                         "ta",
                                         "10",
                                         "2",
                                         "Note",
                                         "x",
                                         "a-b"};
    std::mt19937 random(11);
    const auto label = [&random] {
        std::string text;
        for (unsigned n = 1 + random() % 3; n > 0; --n) {
            text += kWords[random() % std::size(kWords)];
            text += random() % 2 ? " " : "";
        }
        return text;
    };
    std::vector<FindItem> items;
    ItemFinder finder;
    for (int step = 0; step < 400; ++step) {
        const std::uint64_t key = random() % 40;
        const auto it = std::find_if(items.begin(), items.end(),
                                     [key](const FindItem& item) { return item.key == key; });
        if (random() % 4 == 0 && it != items.end()) {
            items.erase(it);
            ASSERT_TRUE(finder.Remove(key));
            continue;
        }
        FindItem item = Item(key, label(), random() % 4, random() % 10, label());
        if (it != items.end()) {
            *it = item;
        } else {
            items.push_back(item);
        }
        finder.Put(item);
    }
    ItemFinder rebuilt;
    rebuilt.Build(items);
    for (const char* text : {"t", "to", "tool", "ta", "1", "2", "o", " ", "a-", "note t"}) {
        EXPECT_EQ(finder.Find(text), rebuilt.Find(text)) << text;
    }
}

}  // namespace
}  // namespace zarkit
