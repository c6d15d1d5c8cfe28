#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Text as find-as-you-type compares it. Folding lower-cases, removes accents (Latin-1,
// Latin Extended-A, Greek tonos and dialytika, Cyrillic ё), spells out ligatures and ß
// ("ae", "oe", "ij", "th", "ss"), turns every kind of blank into one space, and drops
// combining marks and invisible characters. Other scripts are kept as they are. Invalid
// UTF-8 becomes U+FFFD byte by byte, so folded text is always valid UTF-8 and a match of
// bytes is a match of whole characters.
namespace zarkit {

struct FoldedLabel {
    std::string text;
    // Byte offsets into text, ascending, where a word begins: at the start, after a
    // blank or punctuation, where a small letter meets a capital ("MyComputer") and
    // where letters meet digits ("Tool42", "64bit").
    std::vector<std::uint32_t> word_starts;
};

std::string FoldForSearch(std::string_view text);
FoldedLabel FoldLabel(std::string_view text);

// Order of folded labels as users expect it: runs of digits compare by their value
// ("Tool 2" before "Tool 10"), everything else byte by byte. Negative, zero or
// positive; zero only for equal texts.
int NaturalCompare(std::string_view a, std::string_view b);

}  // namespace zarkit
