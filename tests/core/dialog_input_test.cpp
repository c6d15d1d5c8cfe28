#include "core/dialog_input.h"

#include <string>

#include <gtest/gtest.h>

#include "core/settings.h"

namespace zarkit {
namespace {

TEST(DialogInput, TableNameMayBeAnythingButEmpty) {
    EXPECT_EQ(CheckNewTableName(""), InputProblem::kEmptyTableName);
    for (const char* name : {"  ", "Tools", "\t", "\xE5\xB7\xA5\xE5\x85\xB7"}) {
        EXPECT_EQ(CheckNewTableName(name), InputProblem::kNone) << name;
    }
    EXPECT_STREQ(ProblemMessage(InputProblem::kEmptyTableName),
                 "You need enter a valid table name!");
    EXPECT_STREQ(ProblemMessage(InputProblem::kNone), "");
}

TEST(DialogInput, DelayReadsTheLeadingNumberAndIgnoresTheRest) {
    struct Case {
        const char* text;
        std::uint32_t value;
    };
    for (const Case& c : {Case{"250ms", 250}, Case{"  300", 300}, Case{"+7", 7}, Case{"0", 0},
                          Case{" \t\r\n\v\f12", 12}, Case{"60000", 60000}, Case{"0060000", 60000},
                          Case{"450 450", 450}, Case{"1.5", 1}, Case{"12abc99999999", 12}}) {
        const DelayInput input = ReadDelayText(c.text);
        EXPECT_EQ(input.problem, InputProblem::kNone) << c.text;
        EXPECT_EQ(input.value, c.value) << c.text;
    }
}

TEST(DialogInput, DelayWithoutDigitsIsNotANumber) {
    for (const char* text : {"", "abc", "   ", "+", "-", "+-5", "- 5", "ms250",
                             "\xC2\xA0"
                             "5"}) {
        EXPECT_EQ(ReadDelayText(text).problem, InputProblem::kNotANumber) << text;
    }
    EXPECT_STREQ(ProblemMessage(InputProblem::kNotANumber), "Please enter a positive integer.");
}

// A negative delay used to wrap to about 49 days, which kept the drawer shut.
TEST(DialogInput, NegativeOrTooLongDelayIsRefused) {
    for (const char* text : {"-1", "-0", " -250ms", "60001", "4294967295", "4294967296",
                             "99999999999999999999", "00000000000000000000000060001"}) {
        EXPECT_EQ(ReadDelayText(text).problem, InputProblem::kDelayOutOfRange) << text;
    }
    const std::string message = ProblemMessage(InputProblem::kDelayOutOfRange);
    EXPECT_NE(message.find(std::to_string(kMaxShowTickCount)), std::string::npos) << message;
}

// Only the first 63 characters of the field count.
TEST(DialogInput, DelayPastTheSixtyThirdCharacterIsNotRead) {
    EXPECT_EQ(ReadDelayText(std::string(62, ' ') + "7").value, 7u);
    EXPECT_EQ(ReadDelayText(std::string(63, ' ') + "7").problem, InputProblem::kNotANumber);
    // Digits cut at the limit: after 62 zeros only the "1" of "12" is in reach.
    const DelayInput cut = ReadDelayText(std::string(62, '0') + "12");
    EXPECT_EQ(cut.problem, InputProblem::kNone);
    EXPECT_EQ(cut.value, 1u);
}

}  // namespace
}  // namespace zarkit
