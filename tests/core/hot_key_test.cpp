#include "core/hot_key.h"

#include <string>

#include <gtest/gtest.h>

#include "core/virtual_keys.h"

namespace zarkit {
namespace {

constexpr HotKey kCtrlAltZ{kModControl | kModAlt, vk::kZ};

HotKey Parsed(std::string_view text) {
    const ParsedHotKey parsed = ParseHotKey(text);
    EXPECT_EQ(parsed.problem, HotKeyProblem::kNone) << text;
    return parsed.key;
}

HotKeyProblem ProblemOf(std::string_view text) {
    const ParsedHotKey parsed = ParseHotKey(text);
    EXPECT_TRUE(parsed.key.Empty()) << text;
    return parsed.problem;
}

TEST(HotKeyText, DefaultAndLenientSpellings) {
    EXPECT_EQ(Parsed(kDefaultHotKey), (HotKey{kModControl | kModWin, vk::kZ}));
    // The default can be chosen, and is no chord that AltGr types with.
    EXPECT_EQ(CheckChosenHotKey(Parsed(kDefaultHotKey)), HotKeyProblem::kNone);
    for (const char* text :
         {"ctrl + alt + z", "ALT+CTRL+Z", " Control+Alt+z\t", "c trl+alt+Z", "Ctrl+Ctrl+Alt+Z"}) {
        EXPECT_EQ(Parsed(text), kCtrlAltZ) << text;
    }
    EXPECT_EQ(Parsed("win + page up"), (HotKey{kModWin, vk::kPrior}));
    EXPECT_EQ(Parsed("Windows+Shift+numpad7"), (HotKey{kModWin | kModShift, vk::kNumpad0 + 7}));
    EXPECT_EQ(Parsed("alt+Del"), (HotKey{kModAlt, vk::kDelete}));
    EXPECT_EQ(Parsed("Ctrl+Alt+0"), (HotKey{kModControl | kModAlt, vk::k0}));
    EXPECT_EQ(Parsed("ctrl+f24"), (HotKey{kModControl, vk::kF24}));
}

TEST(HotKeyText, EmptyMeansNone) {
    EXPECT_TRUE(Parsed("").Empty());
    EXPECT_TRUE(Parsed("  \t ").Empty());
    EXPECT_EQ(FormatHotKey(HotKey{}), "");
}

TEST(HotKeyText, FormatsCanonicallyAndRoundTrips) {
    EXPECT_EQ(FormatHotKey(Parsed("shift+alt+ctrl+win+f5")), "Ctrl+Alt+Shift+Win+F5");
    EXPECT_EQ(FormatHotKey(Parsed("ctrl+alt+pgdn")), "Ctrl+Alt+PageDown");
    EXPECT_EQ(FormatHotKey(Parsed("ctrl+alt+return")), "Ctrl+Alt+Enter");
    // Every key we name reads back as itself, with every modifier set.
    for (unsigned key = 1; key < 256; ++key) {
        for (unsigned modifiers = 1; modifiers <= 0xF; ++modifiers) {
            const HotKey hot_key{modifiers, key};
            const std::string text = FormatHotKey(hot_key);
            if (text.empty() || CheckHotKey(hot_key) != HotKeyProblem::kNone) {
                continue;
            }
            EXPECT_EQ(Parsed(text), hot_key) << text;
        }
    }
}

TEST(HotKeyText, KeysThatWouldStealTypingAreRefused) {
    EXPECT_EQ(ProblemOf("Z"), HotKeyProblem::kNeedsModifier);
    EXPECT_EQ(ProblemOf("Shift+Z"), HotKeyProblem::kNeedsModifier);
    EXPECT_EQ(ProblemOf("Space"), HotKeyProblem::kNeedsModifier);
    EXPECT_EQ(ProblemOf("Shift+Home"), HotKeyProblem::kNeedsModifier);
    EXPECT_EQ(ProblemOf("F12"), HotKeyProblem::kNeedsModifier);  // the debugger's
    // F-keys are no typing.
    EXPECT_EQ(Parsed("F9"), (HotKey{0, vk::kF1 + 8}));
    EXPECT_EQ(Parsed("Shift+F12"), (HotKey{kModShift, vk::kF12}));
}

TEST(HotKeyText, HostileTextIsUnreadable) {
    for (const char* text : {"Ctrl+", "+Z", "Ctrl++Z", "+", "Ctrl+Alt", "Ctrl+Alt+Z+X",
                             "Ctrl+Alt+ZZ", "Ctrl-Alt-Z", "Ctrl+Alt+F0", "Ctrl+Alt+F25",
                             "Ctrl+Alt+F01", "Ctrl+Alt+F-1", "Ctrl+Alt+Num10", "Ctrl+Alt+\xC3\x9C",
                             "Ctrl+Alt+\xEF\xBC\xBA", "Ctrl+Alt+\xFF", "Hyper+Z", "Ctrl+Alt+1 2"}) {
        EXPECT_EQ(ProblemOf(text), HotKeyProblem::kUnreadable) << text;
    }
    EXPECT_EQ(ProblemOf(std::string("Ctrl+Alt+Z\0", 11)), HotKeyProblem::kUnreadable);
    EXPECT_EQ(ProblemOf(std::string(100000, '+')), HotKeyProblem::kUnreadable);
    EXPECT_EQ(ProblemOf("Ctrl+" + std::string(100000, 'A')), HotKeyProblem::kUnreadable);
}

TEST(HotKeySetting, MissingIsTheDefaultBadIsNone) {
    EXPECT_EQ(HotKeyFromSetting(std::nullopt), (HotKey{kModControl | kModWin, vk::kZ}));
    EXPECT_TRUE(HotKeyFromSetting("").Empty());
    EXPECT_TRUE(HotKeyFromSetting("Ctrl+Alt+Hyper").Empty());
    EXPECT_TRUE(HotKeyFromSetting("Q").Empty());
    EXPECT_EQ(HotKeyFromSetting("Win+F1"), (HotKey{kModWin, vk::kF1}));
}

TEST(HotKeyCheck, OnlyKnownKeysAndModifiers) {
    EXPECT_EQ(CheckHotKey(HotKey{kModControl, 0xBA}), HotKeyProblem::kUnreadable);  // OEM key
    EXPECT_EQ(CheckHotKey(HotKey{kModControl | 0x10, vk::kZ}), HotKeyProblem::kUnreadable);
    EXPECT_EQ(CheckHotKey(HotKey{kModControl, 0x15A}), HotKeyProblem::kUnreadable);
    EXPECT_EQ(CheckHotKey(kCtrlAltZ), HotKeyProblem::kNone);
    EXPECT_EQ(CheckHotKey(HotKey{}), HotKeyProblem::kNone);
}

TEST(HotKeyWin32, ControlWordBothWays) {
    // HOTKEYF_CONTROL 2 | HOTKEYF_ALT 4 in the high byte, 'Z' in the low one.
    EXPECT_EQ(HotKeyControlWord(kCtrlAltZ), std::uint16_t{0x065A});
    EXPECT_EQ(HotKeyFromControlWord(0x065A), kCtrlAltZ);
    EXPECT_EQ(HotKeyControlWord(HotKey{kModShift, vk::kF1 + 4}), std::uint16_t{0x0174});
    // The navigation keys carry the extended flag; reading it back drops the flag.
    EXPECT_EQ(HotKeyControlWord(HotKey{kModControl, vk::kHome}), std::uint16_t{0x0A24});
    EXPECT_EQ(HotKeyFromControlWord(0x0A24), (HotKey{kModControl, vk::kHome}));
    EXPECT_EQ(HotKeyControlWord(HotKey{kModControl, vk::kNumpad0 + 7}), std::uint16_t{0x0267});
    EXPECT_EQ(HotKeyControlWord(HotKey{}), std::uint16_t{0});
    EXPECT_TRUE(HotKeyFromControlWord(0).Empty());
    EXPECT_TRUE(HotKeyFromControlWord(0x0600).Empty());  // modifiers without a key
    // The control has no Win key: the word leaves it out, and the dialog's box adds it.
    EXPECT_EQ(HotKeyControlWord(HotKey{kModWin | kModControl, vk::kZ}), std::uint16_t{0x025A});
    EXPECT_EQ(HotKeyFromControlWord(0x025A, true), (HotKey{kModWin | kModControl, vk::kZ}));
    EXPECT_TRUE(HotKeyFromControlWord(0, true).Empty());
}

// AltGr is Ctrl+Alt to Windows: a new key may not be such a chord, unless Win is in it.
// A stored one still registers.
TEST(HotKeyText, NewKeysMayNotBeAltGrChords) {
    for (const char* text : {"Ctrl+Alt+Z", "Ctrl+Alt+Shift+Z", "Ctrl+Alt+2", "Ctrl+Alt+F5"}) {
        EXPECT_EQ(CheckChosenHotKey(Parsed(text)), HotKeyProblem::kAltGrChord) << text;
        EXPECT_FALSE(HotKeyFromSetting(text).Empty()) << text;
    }
    for (const char* text : {"Ctrl+Alt+Win+Z", "Alt+Win+Z", "Ctrl+Shift+Z", "Alt+Z", "Win+F5"}) {
        EXPECT_EQ(CheckChosenHotKey(Parsed(text)), HotKeyProblem::kNone) << text;
    }
    EXPECT_EQ(CheckChosenHotKey(HotKey{0, vk::kZ}), HotKeyProblem::kNeedsModifier);
    EXPECT_EQ(CheckChosenHotKey(HotKey{}), HotKeyProblem::kNone);
}

}  // namespace
}  // namespace zarkit
