#include "core/settings.h"

#include <gtest/gtest.h>

#include <climits>

namespace zarkit {
namespace {

TEST(Settings, OnlyExactlyYesIsSet) {
    EXPECT_TRUE(ParseSettingFlag("yes"));
    for (const char* text : {"Yes", "YES", "yes ", " yes", "no", "", "1", "true"}) {
        EXPECT_FALSE(ParseSettingFlag(text)) << text;
    }
    EXPECT_STREQ(FormatSettingFlag(true), "yes");
    EXPECT_STREQ(FormatSettingFlag(false), "no");
}

TEST(Settings, LeadingIntReadsLikeAtoi) {
    EXPECT_EQ(ParseLeadingInt("450"), 450);
    EXPECT_EQ(ParseLeadingInt(" \t\n\v\f\r-12ms"), -12);
    EXPECT_EQ(ParseLeadingInt("+7"), 7);
    EXPECT_EQ(ParseLeadingInt("007"), 7);
    for (const char* text : {"", "ms", "- 5", "+-5", "0x10",
                             "\xC2\xA0"
                             "5"}) {
        EXPECT_EQ(ParseLeadingInt(text), 0) << text;
    }
}

TEST(Settings, LeadingIntClampsInsteadOfOverflowing) {
    EXPECT_EQ(ParseLeadingInt("2147483647"), INT_MAX);
    EXPECT_EQ(ParseLeadingInt("2147483648"), INT_MAX);
    EXPECT_EQ(ParseLeadingInt("-2147483648"), INT_MIN);
    EXPECT_EQ(ParseLeadingInt("-2147483649"), INT_MIN);
    EXPECT_EQ(ParseLeadingInt("99999999999999999999999999"), INT_MAX);
}

}  // namespace
}  // namespace zarkit
