#include "core/search_text.h"

#include <cctype>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace zarkit {
namespace {

// The words of a label, each up to the next word or the first character that is not a
// letter or digit.
std::vector<std::string> Words(std::string_view text) {
    const FoldedLabel label = FoldLabel(text);
    std::vector<std::string> words;
    for (std::size_t i = 0; i < label.word_starts.size(); ++i) {
        const std::size_t start = label.word_starts[i];
        const std::size_t next =
            i + 1 < label.word_starts.size() ? label.word_starts[i + 1] : label.text.size();
        std::size_t end = start;
        while (end < next && (std::isalnum(static_cast<unsigned char>(label.text[end])) ||
                              static_cast<unsigned char>(label.text[end]) >= 0x80)) {
            ++end;
        }
        words.push_back(label.text.substr(start, end - start));
    }
    return words;
}

bool IsValidUtf8(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        std::size_t length = byte < 0x80 ? 1 : byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : 2;
        if ((byte >= 0x80 && byte < 0xC2) || byte > 0xF4 || i + length > text.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

TEST(SearchFold, LatinAccentsAndCaseGo) {
    EXPECT_EQ(
        FoldForSearch("\xC3\x89l\xC3\xA8ve \xC3\x80\xC3\x8E\xC3\x95\xC3\x9C\xC3\x91\xC3\x87\xC3\x98"
                      "\xC3\x85\xC3\xBF"),
        "eleve aiouncoay");  // Élève ÀÎÕÜÑÇØÅÿ
    // Łódź, Škoda, Őrség, Ÿ, dotted İ, dotless ı.
    EXPECT_EQ(FoldForSearch("\xC5\x81\xC3\xB3\x64\xC5\xBA \xC5\xA0koda \xC5\x90rs\xC3\xA9g "
                            "\xC5\xB8 \xC4\xB0\xC4\xB1"),
              "lodz skoda orseg y ii");
    // Romanian comma-below letters, and the cedilla forms they replace.
    EXPECT_EQ(FoldForSearch("\xC8\x98tefan \xC8\x9Ai\xC8\x9B \xC5\x9E\xC5\xA3"), "stefan tit st");
}

TEST(SearchFold, LigaturesAndSharpSAreSpelledOut) {
    EXPECT_EQ(FoldForSearch("Stra\xC3\x9F"
                            "e"),
              "strasse");
    EXPECT_EQ(FoldForSearch("STRA\xE1\xBA\x9E"
                            "E"),
              "strasse");  // capital sharp s
    EXPECT_EQ(FoldForSearch("\xC3\x86sir \xC5\x92uvre \xC4\xB2ssel \xC3\x9E\xC3\xB3r"),
              "aesir oeuvre ijssel thor");
}

TEST(SearchFold, GreekAndCyrillicLoseCaseAndAccents) {
    // Άλφα ΐ λόγος: tonos, dialytika and final sigma.
    EXPECT_EQ(FoldForSearch("\xCE\x86\xCE\xBB\xCF\x86\xCE\xB1 \xCE\x90 "
                            "\xCE\xBB\xCF\x8C\xCE\xB3\xCE\xBF\xCF\x82"),
              "\xCE\xB1\xCE\xBB\xCF\x86\xCE\xB1 \xCE\xB9 \xCE\xBB\xCE\xBF\xCE\xB3\xCE\xBF\xCF\x83");
    // Ёлка -> елка; ПРИВЕТ -> привет; й is a letter of its own and stays.
    EXPECT_EQ(FoldForSearch("\xD0\x81\xD0\xBB\xD0\xBA\xD0\xB0 \xD0\x9F\xD0\xA0\xD0\x98\xD0\x92"
                            "\xD0\x95\xD0\xA2 \xD0\x99"),
              "\xD0\xB5\xD0\xBB\xD0\xBA\xD0\xB0 \xD0\xBF\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 "
              "\xD0\xB9");
}

TEST(SearchFold, DecomposedAccentsBlanksAndInvisiblesFold) {
    EXPECT_EQ(FoldForSearch("Cafe\xCC\x81"), "cafe");  // e + combining acute
    EXPECT_EQ(FoldForSearch("a\tb\xC2\xA0"
                            "c\xE3\x80\x80"
                            "d\xE2\x80\xAF"
                            "e"),
              "a b c d e");
    // Soft hyphen, zero-width space, byte order mark.
    EXPECT_EQ(FoldForSearch("\xEF\xBB\xBFNote\xC2\xAD"
                            "pad\xE2\x80\x8B"),
              "notepad");
}

TEST(SearchFold, OtherScriptsAndSignsStay) {
    const std::string kept = "\xE5\xB7\xA5\xE5\x85\xB7 \xF0\x9F\x98\x80 c++ \xE2\x80\x93 #1";
    EXPECT_EQ(FoldForSearch(kept), kept);
}

TEST(SearchFoldUtf8, BrokenSequencesBecomeOneReplacementPerByte) {
    const std::string r = "\xEF\xBF\xBD";
    EXPECT_EQ(FoldForSearch("A\xC3"), "a" + r);  // cut off
    EXPECT_EQ(FoldForSearch("\xC3"
                            "A"),
              r + "a");                                           // lead, then no continuation
    EXPECT_EQ(FoldForSearch("\xC0\xAF"), r + r);                  // overlong '/'
    EXPECT_EQ(FoldForSearch("\xE0\x80\xAF"), r + r + r);          // overlong, three bytes
    EXPECT_EQ(FoldForSearch("\xED\xA0\x80"), r + r + r);          // surrogate half
    EXPECT_EQ(FoldForSearch("\xF4\x90\x80\x80"), r + r + r + r);  // beyond U+10FFFF
    EXPECT_EQ(FoldForSearch("\xE2\x82"
                            "x"),
              r + r + "x");
    EXPECT_EQ(FoldForSearch(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(SearchFoldUtf8, AnyBytesGiveValidTextAndOrderedWordStarts) {
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(random() % 24, '\0');
        for (char& byte : bytes) {
            // Mostly the bytes UTF-8 is made of, so that sequences half form.
            const unsigned pick = random() % 4;
            byte = static_cast<char>(pick == 0   ? 0x80 + random() % 0x40
                                     : pick == 1 ? 0xC0 + random() % 0x40
                                                 : random() % 0x100);
        }
        const FoldedLabel label = FoldLabel(bytes);
        ASSERT_TRUE(IsValidUtf8(label.text)) << testing::PrintToString(bytes);
        EXPECT_EQ(FoldForSearch(bytes), label.text);
        for (std::size_t i = 0; i < label.word_starts.size(); ++i) {
            ASSERT_LT(label.word_starts[i], label.text.size());
            if (i > 0) {
                ASSERT_LT(label.word_starts[i - 1], label.word_starts[i]);
            }
        }
    }
}

TEST(SearchWords, BlanksPunctuationCaseChangesAndDigitsStartWords) {
    EXPECT_EQ(Words("7-Zip File Manager"),
              (std::vector<std::string>{"7", "zip", "file", "manager"}));
    EXPECT_EQ(Words("MyComputer"), (std::vector<std::string>{"my", "computer"}));
    EXPECT_EQ(Words("iPhone Tool42x"), (std::vector<std::string>{"i", "phone", "tool", "42", "x"}));
    EXPECT_EQ(Words("(Adobe) [Reader]_v.2"),
              (std::vector<std::string>{"adobe", "reader", "v", "2"}));
    // A run of capitals is one word; so is a word with a decomposed accent.
    EXPECT_EQ(Words("HTML Cafe\xCC\x81Noir"), (std::vector<std::string>{"html", "cafe", "noir"}));
    // Accented small letter, then a capital: still a case change.
    EXPECT_EQ(Words("na\xC3\xAFveTest"), (std::vector<std::string>{"naive", "test"}));
}

TEST(SearchWords, OffsetsFollowSpelledOutLetters) {
    const FoldedLabel label = FoldLabel(
        "Stra\xC3\x9F"
        "e \xC3\x86sop");
    EXPECT_EQ(label.text, "strasse aesop");
    EXPECT_EQ(label.word_starts, (std::vector<std::uint32_t>{0, 8}));
}

TEST(NaturalCompare, NumbersCompareByValue) {
    EXPECT_LT(NaturalCompare("tool 2", "tool 10"), 0);
    EXPECT_GT(NaturalCompare("tool 10", "tool 2"), 0);
    EXPECT_LT(NaturalCompare("x9", "x10"), 0);
    EXPECT_LT(NaturalCompare("x10", "x10a"), 0);
    EXPECT_LT(NaturalCompare("tool", "tool 1"), 0);
    EXPECT_LT(NaturalCompare("99999999999999999999", "100000000000000000000"), 0);
    EXPECT_EQ(NaturalCompare("tool 7", "tool 7"), 0);
}

TEST(NaturalCompare, LeadingZerosDecideOnlyLastAndBothWays) {
    EXPECT_NE(NaturalCompare("tool 01", "tool 1"), 0);
    EXPECT_EQ(NaturalCompare("tool 01", "tool 1"), -NaturalCompare("tool 1", "tool 01"));
    EXPECT_LT(NaturalCompare("tool 01 a", "tool 1 b"), 0);  // the letters decide first
    EXPECT_GT(NaturalCompare("tool 01 b", "tool 1 a"), 0);
}

}  // namespace
}  // namespace zarkit
