#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/dock_setting.h"
#include "core/hot_key.h"

namespace zarkit {

// The process-wide settings, named as their elements in the store. The initial values
// are those before the store is read.
struct Settings {
    bool Start_OnWindow = true;
    int Show_TickCount = 0;
    bool Show_TipOnStart = true;
    bool Animate_WindowOnStart = true;
    bool SelTable_MouseOn = false;
    // The key that opens the drawer, as text ("Ctrl+Win+Z"); empty for none.
    std::string Hot_Key = kDefaultHotKey;
    // Each list sorted by label; off, in the order the file holds its items.
    bool Sort_ByName = true;
    // Where the drawer lives. None while the store has no such element: the primary
    // monitor, at its left edge unless another monitor lies beyond it. Kept apart from a
    // stored "left", and written only once the user chose a place.
    std::optional<std::string> Dock_Screen;
    std::optional<DockSide> Dock_Side;

    friend bool operator==(const Settings&, const Settings&) = default;
};

// The delay when the store has no Show_TickCount element.
inline constexpr int kDefaultShowTickCount = 450;
// The longest delay: a longer one would keep the drawer shut for good, and Settings
// can only be reached through the open drawer.
inline constexpr int kMaxShowTickCount = 60000;

// A stored flag is set only by exactly "yes": no other case, no blanks.
bool ParseSettingFlag(std::string_view text);
const char* FormatSettingFlag(bool value);

// The leading decimal number of the text, as atoi reads it (optional blanks and
// sign first); 0 when there is none. Values beyond int are clamped.
int ParseLeadingInt(std::string_view text);

// The delay a stored Show_TickCount text stands for: its leading number, limited to
// 0 to kMaxShowTickCount.
int ParseShowTickCount(std::string_view text);

}  // namespace zarkit
