#include "core/key_commands.h"

#include <algorithm>

#include "core/virtual_keys.h"

namespace zarkit {
namespace {

bool Plain(const KeyPress& press) {
    return !press.ctrl && !press.shift && !press.alt;
}

// Tab and Shift+Tab: the keyboard focus moves between the list and the tab strip.
bool MovesFocus(const KeyPress& press) {
    return press.key == vk::kTab && !press.ctrl && !press.alt;
}

// Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+Page Down and Ctrl+Page Up change tables; with Shift the
// Page keys move the current one. kNone for any other key.
KeyCommand TableCommand(const KeyPress& press) {
    if (!press.ctrl || press.alt) {
        return KeyCommand::kNone;
    }
    if (press.key == vk::kTab) {
        return press.shift ? KeyCommand::kPreviousTable : KeyCommand::kNextTable;
    }
    if (press.key == vk::kNext) {
        return press.shift ? KeyCommand::kMoveTableForward : KeyCommand::kNextTable;
    }
    if (press.key == vk::kPrior) {
        return press.shift ? KeyCommand::kMoveTableBack : KeyCommand::kPreviousTable;
    }
    return KeyCommand::kNone;
}

KeyCommand FindCommand(const KeyPress& press, const KeyContext& context) {
    if (press.key == vk::kReturn && !press.ctrl && !press.alt) {
        return context.has_selection ? KeyCommand::kLaunch : KeyCommand::kNone;
    }
    if (MovesFocus(press)) {
        return KeyCommand::kFocusTabs;
    }
    if (!Plain(press)) {
        return KeyCommand::kNone;
    }
    switch (press.key) {
        case vk::kBack:
            return KeyCommand::kFindBackspace;
        case vk::kUp:
            return KeyCommand::kFindUp;
        case vk::kDown:
            return KeyCommand::kFindDown;
        case vk::kPrior:
            return KeyCommand::kFindPageUp;
        case vk::kNext:
            return KeyCommand::kFindPageDown;
        case vk::kHome:
            return KeyCommand::kFindFirst;
        case vk::kEnd:
            return KeyCommand::kFindLast;
        default:
            return KeyCommand::kNone;
    }
}

KeyCommand ListCommand(const KeyPress& press, const KeyContext& context) {
    const auto on_selection = [&context](KeyCommand command) {
        return context.has_selection ? command : KeyCommand::kNone;
    };
    if (press.alt) {
        return KeyCommand::kNone;
    }
    if (press.ctrl) {
        if (press.shift && press.key == vk::kLeft) {
            return on_selection(KeyCommand::kMoveItemBack);
        }
        if (press.shift && press.key == vk::kRight) {
            return on_selection(KeyCommand::kMoveItemForward);
        }
        return TableCommand(press);
    }
    switch (press.key) {
        case vk::kTab:
            return KeyCommand::kFocusTabs;
        case vk::kReturn:
            return on_selection(KeyCommand::kLaunch);
        case vk::kApps:
            return KeyCommand::kContextMenu;
        case vk::kF10:
            return press.shift ? KeyCommand::kContextMenu : KeyCommand::kNone;
        case vk::kF2:
            return press.shift ? KeyCommand::kNone : on_selection(KeyCommand::kRename);
        case vk::kDelete:
            return press.shift ? KeyCommand::kNone : on_selection(KeyCommand::kDelete);
        default:
            return KeyCommand::kNone;
    }
}

}  // namespace

KeyCommand CommandForKey(const KeyPress& press, const KeyContext& context) {
    if (context.editing_label) {
        return KeyCommand::kNone;
    }
    if (press.key == vk::kEscape && !press.ctrl && !press.alt) {
        return context.finding ? KeyCommand::kClearFind : KeyCommand::kCloseDrawer;
    }
    return context.finding ? FindCommand(press, context) : ListCommand(press, context);
}

bool TypesIntoFind(char32_t character, const KeyContext& context) {
    if (context.editing_label) {
        return false;
    }
    if (character == U' ') {
        return context.finding;
    }
    // Controls (C0, DEL, C1), surrogate halves, the two noncharacters of every plane's
    // end, and what is beyond Unicode.
    const bool control = character < 0x20 || (character >= 0x7F && character <= 0x9F);
    const bool surrogate = character >= 0xD800 && character <= 0xDFFF;
    const bool noncharacter = (character & 0xFFFE) == 0xFFFE;
    return !control && !surrogate && !noncharacter && character <= 0x10FFFF;
}

KeyCommand CommandForTabStripKey(const KeyPress& press) {
    if (const KeyCommand table = TableCommand(press); table != KeyCommand::kNone) {
        return table;
    }
    if (MovesFocus(press)) {
        return KeyCommand::kFocusList;
    }
    if (press.key == vk::kEscape && !press.ctrl && !press.alt) {
        return KeyCommand::kCloseDrawer;
    }
    if (!Plain(press)) {
        return KeyCommand::kNone;
    }
    switch (press.key) {
        case vk::kUp:
            return KeyCommand::kSelectPreviousTab;
        case vk::kDown:
            return KeyCommand::kSelectNextTab;
        case vk::kHome:
            return KeyCommand::kSelectFirstTab;
        case vk::kEnd:
            return KeyCommand::kSelectLastTab;
        default:
            return KeyCommand::kNone;
    }
}

int TabAfterKey(KeyCommand command, int current, int count) {
    if (count <= 0) {
        return -1;
    }
    const int last = count - 1;
    const bool none = current < 0 || current > last;
    switch (command) {
        case KeyCommand::kSelectFirstTab:
            return 0;
        case KeyCommand::kSelectLastTab:
            return last;
        case KeyCommand::kSelectNextTab:
            return none ? 0 : std::min(current + 1, last);
        case KeyCommand::kSelectPreviousTab:
            return none ? last : std::max(current - 1, 0);
        default:
            return none ? -1 : current;
    }
}

int MoveInResults(KeyCommand command, int selected, int count, int page) {
    if (count <= 0) {
        return -1;
    }
    const int last = count - 1;
    page = std::max(page, 1);
    if (command == KeyCommand::kFindLast) {
        return last;
    }
    if (selected < 0 || selected > last) {
        // Nothing selected yet: every other move starts at the first result.
        const bool move = command == KeyCommand::kFindUp || command == KeyCommand::kFindDown ||
                          command == KeyCommand::kFindPageUp ||
                          command == KeyCommand::kFindPageDown || command == KeyCommand::kFindFirst;
        return move ? 0 : selected;
    }
    switch (command) {
        case KeyCommand::kFindUp:
            return std::max(selected - 1, 0);
        case KeyCommand::kFindDown:
            return std::min(selected + 1, last);
        case KeyCommand::kFindPageUp:
            return std::max(selected - page, 0);
        case KeyCommand::kFindPageDown:
            return selected > last - page ? last : selected + page;
        case KeyCommand::kFindFirst:
            return 0;
        default:
            return selected;
    }
}

int StepTable(int current, int count, int step) {
    if (count <= 0) {
        return -1;
    }
    if (current < 0 || current >= count) {
        return step >= 0 ? 0 : count - 1;
    }
    const long long next = (static_cast<long long>(current) + step % count + count) % count;
    return static_cast<int>(next);
}

}  // namespace zarkit
