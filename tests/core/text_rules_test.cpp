#include "core/text_rules.h"

#include <gtest/gtest.h>

namespace zarkit {
namespace {

TEST(TextRules, TrimRemovesTheSixBlanksAtBothEndsOnly) {
    EXPECT_EQ(Trim(" \t\r\n\v\fWork  Tools\f\v\n\r\t "), "Work  Tools");
    EXPECT_EQ(Trim(" \t "), "");
    EXPECT_EQ(Trim("\xC2\xA0x"), "\xC2\xA0x");  // no-break space is not a blank
}

TEST(TextRules, ToLowerCoversLatinGreekAndCyrillic) {
    EXPECT_EQ(ToLower("WORK Tools 42"), "work tools 42");
    // Latin-1: À Þ lower, × and ß stay.
    EXPECT_EQ(ToLower("\xC3\x80\xC3\x9E\xC3\x97\xC3\x9F"), "\xC3\xA0\xC3\xBE\xC3\x97\xC3\x9F");
    // Latin Extended-A: Ā Ł Ÿ İ ı ĸ.
    EXPECT_EQ(ToLower("\xC4\x80\xC5\x81\xC5\xB8\xC4\xB0\xC4\xB1\xC4\xB8"),
              "\xC4\x81\xC5\x82\xC3\xBF"
              "i\xC4\xB1\xC4\xB8");
    // Greek: Σ Ά Ώ Ϊ, and final sigma ς stays.
    EXPECT_EQ(ToLower("\xCE\xA3\xCE\x86\xCE\x8F\xCE\xAA\xCF\x82"),
              "\xCF\x83\xCE\xAC\xCF\x8E\xCF\x8A\xCF\x82");
    // Cyrillic: Ё Я Ґ Ӂ Ԁ.
    EXPECT_EQ(ToLower("\xD0\x81\xD0\xAF\xD2\x90\xD3\x81\xD4\x80"),
              "\xD1\x91\xD1\x8F\xD2\x91\xD3\x82\xD4\x81");
}

TEST(TextRules, ToLowerKeepsOtherScriptsAndBrokenUtf8ByteForByte) {
    const std::string other = "\xE5\xB7\xA5\xE5\x85\xB7 \xF0\x9F\x98\x80 \xE2\x80\x93";
    EXPECT_EQ(ToLower(other), other);
    EXPECT_EQ(ToLower("\xC3"), "\xC3");  // cut off
    EXPECT_EQ(ToLower("\xC3"
                      "A"),
              "\xC3"
              "a");  // lead without continuation
    EXPECT_EQ(ToLower("\xC0\x81\x80\x41"),
              "\xC0\x81\x80"
              "a");  // overlong, stray
    EXPECT_EQ(ToLower("\xF0\x9F\x98"), "\xF0\x9F\x98");
}

TEST(TextRules, NameComparisons) {
    EXPECT_TRUE(SameTableName("  Work\t", "WORK"));
    EXPECT_FALSE(SameTableName("Work", "Works"));
    EXPECT_TRUE(LabelMatches("\xD0\x9F\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0",
                             "\xD0\xBF\xD0\x90\xD0\x9F\xD0\x9A\xD0\x90"));
    EXPECT_FALSE(LabelMatches(" Tools", "Tools"));
    EXPECT_TRUE(SameIdentifier("{3A1F5C92-7D40-4e8b-9C21-5B7E0D4A6F13}",
                               "{3a1f5c92-7d40-4E8B-9c21-5b7e0d4a6f13}"));
    EXPECT_FALSE(SameIdentifier("{A}", "{A} "));
}

}  // namespace
}  // namespace zarkit
