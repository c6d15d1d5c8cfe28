#include "core/hot_key.h"

#include <array>
#include <span>

#include "core/virtual_keys.h"

namespace zarkit {
namespace {

struct KeyName {
    std::string_view name;
    unsigned key;
};

// Names of the keys that are neither letters, digits nor F-keys; the first name of a
// key is the one written.
constexpr std::array kNamedKeys{
    KeyName{"Space", vk::kSpace},
    KeyName{"Enter", vk::kReturn},
    KeyName{"Return", vk::kReturn},
    KeyName{"Tab", vk::kTab},
    KeyName{"Backspace", vk::kBack},
    KeyName{"Esc", vk::kEscape},
    KeyName{"Escape", vk::kEscape},
    KeyName{"Pause", vk::kPause},
    KeyName{"PrintScreen", vk::kSnapshot},
    KeyName{"ScrollLock", vk::kScroll},
    KeyName{"Insert", vk::kInsert},
    KeyName{"Ins", vk::kInsert},
    KeyName{"Delete", vk::kDelete},
    KeyName{"Del", vk::kDelete},
    KeyName{"Home", vk::kHome},
    KeyName{"End", vk::kEnd},
    KeyName{"PageUp", vk::kPrior},
    KeyName{"PgUp", vk::kPrior},
    KeyName{"PageDown", vk::kNext},
    KeyName{"PgDn", vk::kNext},
    KeyName{"Left", vk::kLeft},
    KeyName{"Up", vk::kUp},
    KeyName{"Right", vk::kRight},
    KeyName{"Down", vk::kDown},
    KeyName{"NumMultiply", vk::kMultiply},
    KeyName{"NumAdd", vk::kAdd},
    KeyName{"NumSubtract", vk::kSubtract},
    KeyName{"NumDecimal", vk::kDecimal},
    KeyName{"NumDivide", vk::kDivide},
};

struct ModifierName {
    std::string_view name;
    unsigned modifier;
};

// In the order they are written.
constexpr std::array kModifierNames{
    ModifierName{"Ctrl", kModControl},
    ModifierName{"Alt", kModAlt},
    ModifierName{"Shift", kModShift},
    ModifierName{"Win", kModWin},
};
constexpr std::array kModifierAliases{
    ModifierName{"Control", kModControl},
    ModifierName{"Windows", kModWin},
};

constexpr unsigned kAllModifiers = kModAlt | kModControl | kModShift | kModWin;

bool IsFunctionKey(unsigned key) {
    return key >= vk::kF1 && key <= vk::kF24;
}

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsAsciiBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Lower case, blanks removed.
std::string Squeezed(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (!IsAsciiBlank(c)) {
            out += AsciiLower(c);
        }
    }
    return out;
}

bool SameName(std::string_view squeezed, std::string_view name) {
    if (squeezed.size() != name.size()) {
        return false;
    }
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (squeezed[i] != AsciiLower(name[i])) {
            return false;
        }
    }
    return true;
}

// "1".."24" exactly: no sign, no leading zero.
unsigned FunctionKeyNumber(std::string_view digits) {
    if (digits.empty() || digits.size() > 2 || digits[0] == '0') {
        return 0;
    }
    unsigned number = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return 0;
        }
        number = number * 10 + static_cast<unsigned>(c - '0');
    }
    return number <= 24 ? number : 0;
}

unsigned ModifierFromName(std::string_view squeezed) {
    for (const std::span<const ModifierName> names :
         {std::span<const ModifierName>(kModifierNames),
          std::span<const ModifierName>(kModifierAliases)}) {
        for (const ModifierName& name : names) {
            if (SameName(squeezed, name.name)) {
                return name.modifier;
            }
        }
    }
    return 0;
}

unsigned KeyFromName(std::string_view squeezed) {
    if (squeezed.size() == 1) {
        const char c = squeezed[0];
        if (c >= 'a' && c <= 'z') {
            return vk::kA + static_cast<unsigned>(c - 'a');
        }
        if (c >= '0' && c <= '9') {
            return vk::k0 + static_cast<unsigned>(c - '0');
        }
        return 0;
    }
    if (squeezed[0] == 'f') {
        if (const unsigned number = FunctionKeyNumber(squeezed.substr(1)); number != 0) {
            return vk::kF1 + number - 1;
        }
    }
    for (const std::string_view prefix : {"numpad", "num"}) {
        if (squeezed.size() == prefix.size() + 1 && squeezed.starts_with(prefix)) {
            const char digit = squeezed.back();
            if (digit >= '0' && digit <= '9') {
                return vk::kNumpad0 + static_cast<unsigned>(digit - '0');
            }
        }
    }
    for (const KeyName& named : kNamedKeys) {
        if (SameName(squeezed, named.name)) {
            return named.key;
        }
    }
    return 0;
}

std::string KeyText(unsigned key) {
    if ((key >= vk::kA && key <= vk::kZ) || (key >= vk::k0 && key <= vk::k0 + 9)) {
        return std::string(1, static_cast<char>(key));
    }
    if (IsFunctionKey(key)) {
        return std::string("F").append(std::to_string(key - vk::kF1 + 1));
    }
    if (key >= vk::kNumpad0 && key <= vk::kNumpad0 + 9) {
        return std::string("Num").append(1, static_cast<char>('0' + key - vk::kNumpad0));
    }
    for (const KeyName& named : kNamedKeys) {
        if (named.key == key) {
            return std::string(named.name);
        }
    }
    return {};
}

// The keys of the navigation block, which the keyboard reports as extended; the number
// pad sends the same codes without the flag when Num Lock is off.
bool IsExtendedKey(unsigned key) {
    return key == vk::kInsert || key == vk::kDelete || key == vk::kHome || key == vk::kEnd ||
           key == vk::kPrior || key == vk::kNext || (key >= vk::kLeft && key <= vk::kDown) ||
           key == vk::kDivide;
}

}  // namespace

ParsedHotKey ParseHotKey(std::string_view text) {
    if (Squeezed(text).empty()) {
        return {};
    }
    HotKey key;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t plus = text.find('+', start);
        if (plus == std::string_view::npos) {
            plus = text.size();
        }
        const std::string part = Squeezed(text.substr(start, plus - start));
        start = plus + 1;
        if (part.empty()) {
            return {{}, HotKeyProblem::kUnreadable};
        }
        if (const unsigned modifier = ModifierFromName(part); modifier != 0) {
            key.modifiers |= modifier;  // named twice is still one
            continue;
        }
        const unsigned named = KeyFromName(part);
        if (named == 0 || key.key != 0) {
            return {{}, HotKeyProblem::kUnreadable};
        }
        key.key = named;
    }
    if (key.key == 0) {
        return {{}, HotKeyProblem::kUnreadable};  // modifiers alone
    }
    const HotKeyProblem problem = CheckHotKey(key);
    if (problem != HotKeyProblem::kNone) {
        return {{}, problem};
    }
    return {key, HotKeyProblem::kNone};
}

std::string FormatHotKey(const HotKey& key) {
    const std::string name = KeyText(key.key);
    if (key.Empty() || name.empty()) {
        return {};
    }
    std::string text;
    for (const ModifierName& modifier : kModifierNames) {
        if ((key.modifiers & modifier.modifier) != 0) {
            text += modifier.name;
            text += '+';
        }
    }
    return text + name;
}

HotKeyProblem CheckHotKey(const HotKey& key) {
    if (key.Empty()) {
        return HotKeyProblem::kNone;
    }
    if ((key.modifiers & ~kAllModifiers) != 0 || KeyText(key.key).empty()) {
        return HotKeyProblem::kUnreadable;
    }
    if ((key.modifiers & (kModControl | kModAlt | kModWin)) != 0) {
        return HotKeyProblem::kNone;
    }
    const bool plain_f12 = key.key == vk::kF12 && key.modifiers == 0;
    return IsFunctionKey(key.key) && !plain_f12 ? HotKeyProblem::kNone
                                                : HotKeyProblem::kNeedsModifier;
}

HotKeyProblem CheckChosenHotKey(const HotKey& key) {
    const HotKeyProblem problem = CheckHotKey(key);
    if (problem != HotKeyProblem::kNone || key.Empty()) {
        return problem;
    }
    const unsigned chord = key.modifiers & (kModControl | kModAlt | kModWin);
    return chord == (kModControl | kModAlt) ? HotKeyProblem::kAltGrChord : HotKeyProblem::kNone;
}

HotKey HotKeyFromSetting(std::optional<std::string_view> stored) {
    return ParseHotKey(stored ? *stored : kDefaultHotKey).key;
}

unsigned RegisterHotKeyModifiers(const HotKey& key) {
    return (key.modifiers & kAllModifiers) | kModNoRepeat;
}

std::optional<std::uint16_t> HotKeyControlWord(const HotKey& key) {
    if (key.Empty()) {
        return 0;
    }
    if (key.key > 0xFF) {
        return std::nullopt;
    }
    unsigned flags = 0;
    flags |= (key.modifiers & kModShift) != 0 ? kHotKeyfShift : 0;
    flags |= (key.modifiers & kModControl) != 0 ? kHotKeyfControl : 0;
    flags |= (key.modifiers & kModAlt) != 0 ? kHotKeyfAlt : 0;
    flags |= IsExtendedKey(key.key) ? kHotKeyfExt : 0;
    return static_cast<std::uint16_t>(flags << 8 | key.key);
}

HotKey HotKeyFromControlWord(std::uint16_t word, bool win) {
    HotKey key;
    key.key = word & 0xFFu;
    if (key.key == 0) {
        return {};
    }
    const unsigned flags = word >> 8;
    key.modifiers |= (flags & kHotKeyfShift) != 0 ? kModShift : 0;
    key.modifiers |= (flags & kHotKeyfControl) != 0 ? kModControl : 0;
    key.modifiers |= (flags & kHotKeyfAlt) != 0 ? kModAlt : 0;
    key.modifiers |= win ? kModWin : 0;
    return key;
}

}  // namespace zarkit
