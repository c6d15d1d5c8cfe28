#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The global hot key as the settings keep it ("Ctrl+Win+Z"), as RegisterHotKey takes it
// and as the hot-key common control reports it.
namespace zarkit {

// Modifiers of RegisterHotKey (MOD_*).
inline constexpr unsigned kModAlt = 0x1;
inline constexpr unsigned kModControl = 0x2;
inline constexpr unsigned kModShift = 0x4;
inline constexpr unsigned kModWin = 0x8;
// Key repeat does not post the hot key again (Windows 7 on): holding the key down must
// not open and close the drawer in turn.
inline constexpr unsigned kModNoRepeat = 0x4000;

// Modifier bits of the hot-key control's word (HOTKEYF_*), in its high byte.
inline constexpr unsigned kHotKeyfShift = 0x1;
inline constexpr unsigned kHotKeyfControl = 0x2;
inline constexpr unsigned kHotKeyfAlt = 0x4;
inline constexpr unsigned kHotKeyfExt = 0x8;

// No Ctrl+Alt chord: Windows reports AltGr as Ctrl+Alt, so Ctrl+Alt+Z would swallow AltGr+Z,
// which types a letter on several layouts (Polish "z" with a dot). Ctrl+Win chords that
// Windows keeps for itself are few and named (virtual desktops, Narrator, the on-screen
// keyboard); Z is not one of them, and it lies beside Ctrl and Win.
inline constexpr char kDefaultHotKey[] = "Ctrl+Win+Z";

struct HotKey {
    unsigned modifiers = 0;  // kMod* bits, without kModNoRepeat
    unsigned key = 0;        // virtual-key code; 0: no hot key

    bool Empty() const { return key == 0; }
    friend bool operator==(const HotKey&, const HotKey&) = default;
};

enum class HotKeyProblem {
    kNone,
    kUnreadable,     // not modifiers and one key we know, joined by '+'
    kNeedsModifier,  // without Ctrl, Alt or Win it would take the key from every program
    kAltGrChord,     // Ctrl+Alt without Win: AltGr on many keyboards, which types characters
};

struct ParsedHotKey {
    HotKey key;
    HotKeyProblem problem = HotKeyProblem::kNone;
};

// Case and blanks do not matter ("ctrl + alt + page up"); empty or blank text is no hot
// key. A key with a problem comes back empty.
ParsedHotKey ParseHotKey(std::string_view text);
// Canonical text: Ctrl, Alt, Shift, Win, then the key ("Ctrl+Shift+F5"); empty for no
// hot key or a key without a name.
std::string FormatHotKey(const HotKey& key);
// Whether the key may be registered: a key we can name, and Ctrl, Alt or Win with it
// unless it is an F-key (a plain F12 stays with the debugger, which Windows keeps it for).
HotKeyProblem CheckHotKey(const HotKey& key);
// What the user may choose as a new key: CheckHotKey, and no Ctrl+Alt chord without Win.
// A stored Ctrl+Alt key is still registered: the user may have chosen it knowingly.
HotKeyProblem CheckChosenHotKey(const HotKey& key);

// The stored setting: a missing element is the default; empty text, or text that
// does not give a usable key, is no hot key rather than a guess.
HotKey HotKeyFromSetting(std::optional<std::string_view> stored);

// The modifiers to register the key with.
unsigned RegisterHotKeyModifiers(const HotKey& key);

// The hot-key control's word: low byte the key, high byte HOTKEYF_* bits. The control
// has no Win modifier: the dialog shows it beside the control, and the word leaves it out.
// The navigation keys carry the extended flag, or the control would name them as the
// number pad's ("Num 7"). nullopt for a key the control cannot show.
std::optional<std::uint16_t> HotKeyControlWord(const HotKey& key);
// The key of a control word, with Win added when `win` is set (an empty word stays none).
HotKey HotKeyFromControlWord(std::uint16_t word, bool win = false);

}  // namespace zarkit
