#include "core/hyperlink_rules.h"

#include <string>

#include <gtest/gtest.h>

namespace zarkit {
namespace {

TEST(HyperlinkRules, AnAtSignAnywhereTakesTheMailPath) {
    EXPECT_TRUE(IsMailTarget("support@velmorsoft.com"));
    EXPECT_TRUE(IsMailTarget("http://user@www.example.com/"));
    EXPECT_TRUE(IsMailTarget("@"));
    EXPECT_FALSE(IsMailTarget("http://www.velmorsoft.com/"));
    EXPECT_FALSE(IsMailTarget(""));
    EXPECT_EQ(MailText("support@velmorsoft.com"),
              "mailto: support@velmorsoft.com?subject=Ask for help");
    // The whole target, whatever it holds; nothing is taken for a format directive.
    EXPECT_EQ(MailText("a%s@b%d"), "mailto: a%s@b%d?subject=Ask for help");
}

TEST(HyperlinkRules, FallbackCutsTheRegisteredCommandAtItsPlaceholder) {
    const std::string url = "http://www.velmorsoft.com/";
    // Quoted: cut at the opening quote, so what follows the placeholder goes too.
    EXPECT_EQ(FallbackCommandLine("\"C:\\B\\browser.exe\" -url \"%1\" -new", url),
              "\"C:\\B\\browser.exe\" -url  " + url);
    // Bare.
    EXPECT_EQ(FallbackCommandLine("C:\\B\\browser.exe %1", url), "C:\\B\\browser.exe  " + url);
    EXPECT_EQ(FallbackCommandLine("browser.exe -nohome%1", url), "browser.exe -nohome " + url);
    // None: the address after a blank at the end.
    EXPECT_EQ(FallbackCommandLine("\"C:\\B\\browser.exe\" -nohome", url),
              "\"C:\\B\\browser.exe\" -nohome " + url);
    EXPECT_EQ(FallbackCommandLine("", url), " " + url);
    // The first quoted placeholder wins over an earlier bare one.
    EXPECT_EQ(FallbackCommandLine("b.exe %1x \"%1\"", url), "b.exe %1x  " + url);
    // A quote and %1 that are not the four-character placeholder: the bare one is used.
    EXPECT_EQ(FallbackCommandLine("b.exe \"%1 \"", url), "b.exe \" " + url);
    EXPECT_EQ(FallbackCommandLine("b.exe %2 %1", url), "b.exe %2  " + url);
}

TEST(HyperlinkRules, FallbackRefusesACommandLineThatWouldNotFitItsBuffer) {
    const std::string program = "b.exe";  // five units, then the blank
    const std::string longest(kMaxCommandLine - 1 - 6, 'x');
    EXPECT_EQ(FallbackCommandLine(program, longest), program + " " + longest);
    EXPECT_EQ(FallbackCommandLine(program, longest + "x"), std::nullopt);

    // Counted in UTF-16 units: a Cyrillic letter is two bytes but one unit, an emoji two.
    std::string cyrillic;
    for (int i = 0; i < kMaxCommandLine - 1 - 6; ++i) {
        cyrillic += "\xD0\xAF";
    }
    EXPECT_TRUE(FallbackCommandLine(program, cyrillic).has_value());
    std::string emoji;
    for (int i = 0; i < (kMaxCommandLine - 1 - 6) / 2; ++i) {
        emoji += "\xF0\x9F\x98\x80";
    }
    EXPECT_TRUE(FallbackCommandLine(program, emoji).has_value());
    EXPECT_EQ(FallbackCommandLine(program, emoji + "\xF0\x9F\x98\x80"), std::nullopt);
    // The part cut off the registered command does not count.
    EXPECT_TRUE(FallbackCommandLine(program + " \"%1\"" + std::string(600, 'y'), "u").has_value());
}

TEST(HyperlinkRules, ErrorTextsByCode) {
    const std::string heading = "Unable to open hyperlink:\n\n";
    EXPECT_EQ(OpenErrorText(0), heading + "The operating system is out\nof memory or resources.");
    EXPECT_EQ(OpenErrorText(2), heading + "The specified file was not found.");
    EXPECT_EQ(OpenErrorText(26), heading + "A sharing violation occurred. ");
    EXPECT_EQ(OpenErrorText(30), heading +
                                     "The DDE transaction could not\nbe completed because other "
                                     "DDE transactions\nwere being processed.");
    EXPECT_EQ(OpenErrorText(31), heading +
                                     "There is no application associated\nwith the given "
                                     "filename extension.");
    EXPECT_EQ(OpenErrorText(32), heading + "The specified dynamic-link library was not found.");
    // Codes between and beyond the table's.
    for (const int code : {1, 4, 6, 7, 9, 10, 12, 25, 33, 1000}) {
        EXPECT_EQ(OpenErrorText(code),
                  heading + "Unknown Error (" + std::to_string(code) + ") occurred.");
    }
    EXPECT_EQ(OpenErrorText(-5), heading + "Unknown Error (-5) occurred.");
}

TEST(HyperlinkRules, ProgramStartResultsReadLikeWinExecs) {
    EXPECT_GT(ProgramStartResult(true, 0), 32);
    EXPECT_EQ(ProgramStartResult(false, 2), 2);
    EXPECT_EQ(ProgramStartResult(false, 3), 3);
    EXPECT_EQ(ProgramStartResult(false, 0), 0);
    // Errors of 32 and above must not read as success, nor as another table entry.
    EXPECT_EQ(ProgramStartResult(false, 32), 11);
    EXPECT_EQ(ProgramStartResult(false, 193), 11);
}

TEST(HyperlinkRules, FitKeepsTheAnchoredSideAndAddsTheBorders) {
    // A 200 x 20 control at (50, 40) with a 1-pixel border all round: client 198 x 18.
    const Rect window{50, 40, 250, 60};
    EXPECT_EQ(FitRectToText(window, 198, 18, 60, 13, TextAlign::kLeft, false),
              (Rect{50, 40, 112, 55}));
    EXPECT_EQ(FitRectToText(window, 198, 18, 60, 13, TextAlign::kRight, false),
              (Rect{188, 40, 250, 55}));
    // Centred: half the difference off each side (138 / 2, 5 / 2).
    EXPECT_EQ(FitRectToText(window, 198, 18, 60, 13, TextAlign::kCenter, true),
              (Rect{119, 42, 181, 58}));
    // A text larger than the control grows it.
    EXPECT_EQ(FitRectToText(window, 198, 18, 300, 30, TextAlign::kLeft, false),
              (Rect{50, 40, 352, 72}));
    EXPECT_EQ(FitRectToText(window, 198, 18, 300, 30, TextAlign::kCenter, true),
              (Rect{-1, 34, 301, 66}));
}

}  // namespace
}  // namespace zarkit
