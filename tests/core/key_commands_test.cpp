#include "core/key_commands.h"

#include <gtest/gtest.h>

#include "core/virtual_keys.h"

namespace zarkit {
namespace {

constexpr KeyContext kList{.editing_label = false, .finding = false, .has_selection = true};
constexpr KeyContext kEmptyList{.editing_label = false, .finding = false, .has_selection = false};
constexpr KeyContext kFinding{.editing_label = false, .finding = true, .has_selection = true};
constexpr KeyContext kEditing{.editing_label = true, .finding = false, .has_selection = true};

KeyPress Plain(unsigned key) {
    return KeyPress{.key = key};
}
KeyPress Ctrl(unsigned key, bool shift = false) {
    return KeyPress{.key = key, .ctrl = true, .shift = shift};
}
KeyPress Shift(unsigned key) {
    return KeyPress{.key = key, .shift = true};
}

TEST(KeyCommands, ItemKeysActOnTheSelectionOnly) {
    EXPECT_EQ(CommandForKey(Plain(vk::kReturn), kList), KeyCommand::kLaunch);
    EXPECT_EQ(CommandForKey(Plain(vk::kF2), kList), KeyCommand::kRename);
    EXPECT_EQ(CommandForKey(Plain(vk::kDelete), kList), KeyCommand::kDelete);
    for (const unsigned key : {vk::kReturn, vk::kF2, vk::kDelete}) {
        EXPECT_EQ(CommandForKey(Plain(key), kEmptyList), KeyCommand::kNone) << key;
    }
    // Alt+Enter, Ctrl+Delete, Shift+Delete are not the plain keys.
    EXPECT_EQ(CommandForKey(KeyPress{.key = vk::kReturn, .alt = true}, kList), KeyCommand::kNone);
    EXPECT_EQ(CommandForKey(Ctrl(vk::kDelete), kList), KeyCommand::kNone);
    EXPECT_EQ(CommandForKey(Shift(vk::kDelete), kList), KeyCommand::kNone);
}

TEST(KeyCommands, TablesChangeWithCtrlTabAndCtrlPage) {
    EXPECT_EQ(CommandForKey(Ctrl(vk::kTab), kEmptyList), KeyCommand::kNextTable);
    EXPECT_EQ(CommandForKey(Ctrl(vk::kTab, true), kEmptyList), KeyCommand::kPreviousTable);
    EXPECT_EQ(CommandForKey(Ctrl(vk::kNext), kList), KeyCommand::kNextTable);
    EXPECT_EQ(CommandForKey(Ctrl(vk::kPrior), kList), KeyCommand::kPreviousTable);
    // Plain Page keys are the list's own.
    EXPECT_EQ(CommandForKey(Plain(vk::kNext), kList), KeyCommand::kNone);
    EXPECT_EQ(CommandForKey(KeyPress{.key = vk::kTab, .ctrl = true, .alt = true}, kList),
              KeyCommand::kNone);
}

// Ctrl+Shift with the keys that change tables moves the table; with the arrows that move
// between items, the selected items.
TEST(KeyCommands, CtrlShiftMovesTheTableOrTheSelectedItems) {
    EXPECT_EQ(CommandForKey(Ctrl(vk::kNext, true), kEmptyList), KeyCommand::kMoveTableForward);
    EXPECT_EQ(CommandForKey(Ctrl(vk::kPrior, true), kEmptyList), KeyCommand::kMoveTableBack);
    EXPECT_EQ(CommandForKey(Ctrl(vk::kRight, true), kList), KeyCommand::kMoveItemForward);
    EXPECT_EQ(CommandForKey(Ctrl(vk::kLeft, true), kList), KeyCommand::kMoveItemBack);
    EXPECT_EQ(CommandForTabStripKey(Ctrl(vk::kNext, true)), KeyCommand::kMoveTableForward);
    EXPECT_EQ(CommandForTabStripKey(Ctrl(vk::kPrior, true)), KeyCommand::kMoveTableBack);
    // Without a selection, without Shift or with Alt too, the arrows are the list's.
    for (const KeyPress press :
         {Ctrl(vk::kRight), Ctrl(vk::kLeft), Shift(vk::kRight),
          KeyPress{.key = vk::kRight, .ctrl = true, .shift = true, .alt = true},
          KeyPress{.key = vk::kNext, .ctrl = true, .shift = true, .alt = true}}) {
        EXPECT_EQ(CommandForKey(press, kList), KeyCommand::kNone) << press.key;
    }
    EXPECT_EQ(CommandForKey(Ctrl(vk::kRight, true), kEmptyList), KeyCommand::kNone);
    EXPECT_EQ(CommandForTabStripKey(Ctrl(vk::kRight, true)), KeyCommand::kNone);
    // Nor while finding or editing a label.
    EXPECT_EQ(CommandForKey(Ctrl(vk::kRight, true), kFinding), KeyCommand::kNone);
    EXPECT_EQ(CommandForKey(Ctrl(vk::kNext, true), kFinding), KeyCommand::kNone);
    EXPECT_EQ(CommandForKey(Ctrl(vk::kNext, true), kEditing), KeyCommand::kNone);
}

TEST(KeyCommands, MenuKeyAndShiftF10OpenTheMenuEvenWithoutSelection) {
    EXPECT_EQ(CommandForKey(Plain(vk::kApps), kEmptyList), KeyCommand::kContextMenu);
    EXPECT_EQ(CommandForKey(Shift(vk::kF10), kList), KeyCommand::kContextMenu);
    EXPECT_EQ(CommandForKey(Plain(vk::kF10), kList), KeyCommand::kNone);  // the menu bar's
}

TEST(KeyCommands, EscClearsTheFindLineFirstThenCloses) {
    EXPECT_EQ(CommandForKey(Plain(vk::kEscape), kFinding), KeyCommand::kClearFind);
    EXPECT_EQ(CommandForKey(Plain(vk::kEscape), kList), KeyCommand::kCloseDrawer);
    EXPECT_EQ(CommandForKey(Ctrl(vk::kEscape), kList), KeyCommand::kNone);  // the Start menu's
}

TEST(KeyCommands, WhileFindingOnlyFindKeysAct) {
    EXPECT_EQ(CommandForKey(Plain(vk::kReturn), kFinding), KeyCommand::kLaunch);
    EXPECT_EQ(CommandForKey(Plain(vk::kBack), kFinding), KeyCommand::kFindBackspace);
    EXPECT_EQ(CommandForKey(Plain(vk::kUp), kFinding), KeyCommand::kFindUp);
    EXPECT_EQ(CommandForKey(Plain(vk::kDown), kFinding), KeyCommand::kFindDown);
    EXPECT_EQ(CommandForKey(Plain(vk::kPrior), kFinding), KeyCommand::kFindPageUp);
    EXPECT_EQ(CommandForKey(Plain(vk::kNext), kFinding), KeyCommand::kFindPageDown);
    EXPECT_EQ(CommandForKey(Plain(vk::kHome), kFinding), KeyCommand::kFindFirst);
    EXPECT_EQ(CommandForKey(Plain(vk::kEnd), kFinding), KeyCommand::kFindLast);
    for (const KeyPress press : {Plain(vk::kF2), Plain(vk::kDelete), Plain(vk::kApps),
                                 Ctrl(vk::kTab), Ctrl(vk::kNext), Shift(vk::kDown)}) {
        EXPECT_EQ(CommandForKey(press, kFinding), KeyCommand::kNone) << press.key;
    }
    // Outside finding the arrows and Backspace are the list's.
    EXPECT_EQ(CommandForKey(Plain(vk::kDown), kList), KeyCommand::kNone);
    EXPECT_EQ(CommandForKey(Plain(vk::kBack), kList), KeyCommand::kNone);
}

TEST(KeyCommands, ALabelEditKeepsEveryKey) {
    for (const KeyPress press : {Plain(vk::kReturn), Plain(vk::kEscape), Plain(vk::kDelete),
                                 Plain(vk::kF2), Ctrl(vk::kTab), Plain(vk::kApps)}) {
        EXPECT_EQ(CommandForKey(press, kEditing), KeyCommand::kNone) << press.key;
    }
    EXPECT_FALSE(TypesIntoFind(U'a', kEditing));
}

TEST(FindTyping, PrintableCharactersOnlyAndABlankAfterText) {
    for (const char32_t c : {U'a', U'Z', U'7', U'@', U'\u00E9', U'\u4E2D', U'\U0001F600'}) {
        EXPECT_TRUE(TypesIntoFind(c, kList)) << static_cast<unsigned>(c);
    }
    // Ctrl+A arrives as 1, Backspace as 8, Ctrl+Backspace as 127; C1 controls, surrogate
    // halves and noncharacters are no text.
    for (const unsigned c : {0x01u, 0x08u, 0x0Du, 0x1Bu, 0x7Fu, 0x85u, 0xD800u, 0xDFFFu, 0xFFFEu,
                             0x10FFFFu, 0x110000u}) {
        EXPECT_FALSE(TypesIntoFind(static_cast<char32_t>(c), kList)) << c;
    }
    EXPECT_FALSE(TypesIntoFind(U' ', kList));
    EXPECT_TRUE(TypesIntoFind(U' ', kFinding));
}

TEST(FindMoves, StayInsideTheResults) {
    EXPECT_EQ(MoveInResults(KeyCommand::kFindDown, 3, 5, 10), 4);
    EXPECT_EQ(MoveInResults(KeyCommand::kFindDown, 4, 5, 10), 4);
    EXPECT_EQ(MoveInResults(KeyCommand::kFindUp, 0, 5, 10), 0);
    EXPECT_EQ(MoveInResults(KeyCommand::kFindPageDown, 2, 30, 10), 12);
    EXPECT_EQ(MoveInResults(KeyCommand::kFindPageDown, 25, 30, 10), 29);
    EXPECT_EQ(MoveInResults(KeyCommand::kFindPageUp, 5, 30, 10), 0);
    EXPECT_EQ(MoveInResults(KeyCommand::kFindPageDown, 1, 30, 0), 2);  // a page is one at least
    EXPECT_EQ(MoveInResults(KeyCommand::kFindPageDown, 1, 30, 2147483647), 29);
    EXPECT_EQ(MoveInResults(KeyCommand::kFindFirst, 7, 30, 10), 0);
    EXPECT_EQ(MoveInResults(KeyCommand::kFindLast, 7, 30, 10), 29);
}

TEST(FindMoves, NoResultsOrNoSelection) {
    EXPECT_EQ(MoveInResults(KeyCommand::kFindDown, 0, 0, 10), -1);
    EXPECT_EQ(MoveInResults(KeyCommand::kFindDown, -1, 5, 10), 0);
    EXPECT_EQ(MoveInResults(KeyCommand::kFindUp, -1, 5, 10), 0);
    EXPECT_EQ(MoveInResults(KeyCommand::kFindLast, -1, 5, 10), 4);
    EXPECT_EQ(MoveInResults(KeyCommand::kFindDown, 9, 5, 10), 0);  // the results shrank
}

TEST(TableSteps, WrapAtBothEnds) {
    EXPECT_EQ(StepTable(0, 3, 1), 1);
    EXPECT_EQ(StepTable(2, 3, 1), 0);
    EXPECT_EQ(StepTable(0, 3, -1), 2);
    EXPECT_EQ(StepTable(0, 1, 1), 0);
    EXPECT_EQ(StepTable(1, 3, -7), 0);
    EXPECT_EQ(StepTable(0, 0, 1), -1);
    // No selected table yet: the first forwards, the last backwards.
    EXPECT_EQ(StepTable(-1, 4, 1), 0);
    EXPECT_EQ(StepTable(-1, 4, -1), 3);
    EXPECT_EQ(StepTable(2147483647, 4, 1), 0);
}

TEST(KeyCommands, TabMovesTheFocusBetweenTheListAndTheTabStrip) {
    for (const KeyContext& context : {kList, kEmptyList, kFinding}) {
        EXPECT_EQ(CommandForKey(Plain(vk::kTab), context), KeyCommand::kFocusTabs);
        EXPECT_EQ(CommandForKey(Shift(vk::kTab), context), KeyCommand::kFocusTabs);
    }
    // The label's edit keeps Tab; Alt+Tab is the system's.
    EXPECT_EQ(CommandForKey(Plain(vk::kTab), kEditing), KeyCommand::kNone);
    EXPECT_EQ(CommandForKey(KeyPress{.key = vk::kTab, .alt = true}, kList), KeyCommand::kNone);
    EXPECT_EQ(CommandForTabStripKey(Plain(vk::kTab)), KeyCommand::kFocusList);
    EXPECT_EQ(CommandForTabStripKey(Shift(vk::kTab)), KeyCommand::kFocusList);
}

TEST(TabStripKeys, ArrowsPickTablesAndTheTableKeysStillWork) {
    EXPECT_EQ(CommandForTabStripKey(Plain(vk::kDown)), KeyCommand::kSelectNextTab);
    EXPECT_EQ(CommandForTabStripKey(Plain(vk::kUp)), KeyCommand::kSelectPreviousTab);
    EXPECT_EQ(CommandForTabStripKey(Plain(vk::kHome)), KeyCommand::kSelectFirstTab);
    EXPECT_EQ(CommandForTabStripKey(Plain(vk::kEnd)), KeyCommand::kSelectLastTab);
    EXPECT_EQ(CommandForTabStripKey(Plain(vk::kEscape)), KeyCommand::kCloseDrawer);
    EXPECT_EQ(CommandForTabStripKey(Ctrl(vk::kTab)), KeyCommand::kNextTable);
    EXPECT_EQ(CommandForTabStripKey(Ctrl(vk::kTab, true)), KeyCommand::kPreviousTable);
    EXPECT_EQ(CommandForTabStripKey(Ctrl(vk::kPrior)), KeyCommand::kPreviousTable);
    for (const KeyPress press : {Shift(vk::kDown), Ctrl(vk::kUp), Plain(vk::kReturn),
                                 Plain(vk::kF2), Plain(vk::kDelete), Plain(vk::kA)}) {
        EXPECT_EQ(CommandForTabStripKey(press), KeyCommand::kNone) << press.key;
    }
}

TEST(TabStripKeys, MovesStopAtTheEnds) {
    EXPECT_EQ(TabAfterKey(KeyCommand::kSelectNextTab, 0, 3), 1);
    EXPECT_EQ(TabAfterKey(KeyCommand::kSelectNextTab, 2, 3), 2);
    EXPECT_EQ(TabAfterKey(KeyCommand::kSelectPreviousTab, 2, 3), 1);
    EXPECT_EQ(TabAfterKey(KeyCommand::kSelectPreviousTab, 0, 3), 0);
    EXPECT_EQ(TabAfterKey(KeyCommand::kSelectFirstTab, 2, 3), 0);
    EXPECT_EQ(TabAfterKey(KeyCommand::kSelectLastTab, 0, 3), 2);
    // No tab selected (the selected one was deleted): from the end the move leaves.
    EXPECT_EQ(TabAfterKey(KeyCommand::kSelectNextTab, -1, 3), 0);
    EXPECT_EQ(TabAfterKey(KeyCommand::kSelectPreviousTab, -1, 3), 2);
    EXPECT_EQ(TabAfterKey(KeyCommand::kSelectNextTab, 5, 3), 0);
    EXPECT_EQ(TabAfterKey(KeyCommand::kSelectNextTab, 0, 0), -1);
    EXPECT_EQ(TabAfterKey(KeyCommand::kSelectLastTab, -1, 0), -1);
}

}  // namespace
}  // namespace zarkit
