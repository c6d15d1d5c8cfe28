#pragma once

// What a key pressed in the open drawer asks for. The drawer keeps the focus in the
// table's list; the find line only shows what was typed, so its keys come through here.
namespace zarkit {

struct KeyPress {
    unsigned key = 0;  // virtual-key code of WM_KEYDOWN / WM_SYSKEYDOWN
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
};

struct KeyContext {
    bool editing_label = false;  // a label edit is open: its edit control has every key
    bool finding = false;        // the find line holds text: the find results are shown
    bool has_selection = false;  // the shown list (the find results while finding)
};

enum class KeyCommand {
    kNone,  // not ours: the list control, or the label's edit, handles the key
    kLaunch,
    kRename,
    kDelete,
    kNextTable,
    kPreviousTable,
    kContextMenu,  // at the selection
    kClearFind,
    kCloseDrawer,
    kFindBackspace,  // take the last character off the find line
    kFindUp,
    kFindDown,
    kFindPageUp,
    kFindPageDown,
    kFindFirst,
    kFindLast,
    kFocusTabs,  // from a list (or the find results) to the tab strip
    // The user's own order: the selected items, the current table, one place.
    kMoveItemBack,
    kMoveItemForward,
    kMoveTableBack,
    kMoveTableForward,
    // On the tab strip.
    kFocusList,  // back to the list shown (or the find results)
    kSelectPreviousTab,
    kSelectNextTab,
    kSelectFirstTab,
    kSelectLastTab,
};

// While finding only the find keys act (Enter, Esc, Backspace, moving in the results):
// renaming, deleting, the menu and changing tables wait until Esc has cleared the line.
// Ctrl+Shift+Left and Right move the selected items one place, Ctrl+Shift+Page Up and
// Page Down the current table.
KeyCommand CommandForKey(const KeyPress& press, const KeyContext& context);

// A key pressed on the tab strip, which has the keyboard focus after Tab from a list. Down
// takes the next table and Up the previous one, in table order as a screen reader lists
// the tabs; Home and End the first and last. Tab and Shift+Tab go back to the list; Esc
// and the table keys act as in the lists.
KeyCommand CommandForTabStripKey(const KeyPress& press);

// The tab position a tab strip command selects, without wrapping; -1 when there are no tabs.
// With none selected, the moves start from the end they move away from.
int TabAfterKey(KeyCommand command, int current, int count);

// Whether a character (WM_CHAR) goes onto the find line: any printable character, a blank
// only after some text (a first blank finds nothing, and the list keeps Space).
bool TypesIntoFind(char32_t character, const KeyContext& context);

// The find result selected after a move command; -1 when there are none. `page` is how
// many results one page shows.
int MoveInResults(KeyCommand command, int selected, int count, int page);

// The table after `current` by `step` (+1 next, -1 previous), wrapping at both ends as
// Ctrl+Tab does in tabbed windows; -1 when there are no tables.
int StepTable(int current, int count, int step);

}  // namespace zarkit
