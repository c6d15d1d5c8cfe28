#include "ui/text.h"

#include <gtest/gtest.h>

namespace zarkit::ui {
namespace {

TEST(Text, RoundTripsCharactersOutsideEveryAnsiCodePage) {
    const std::string utf8 = "Werkzeuge \xE2\x80\x93 \xE5\xB7\xA5\xE5\x85\xB7 \xF0\x9F\x98\x80";
    const std::wstring wide = Widen(utf8);
    EXPECT_EQ(wide, L"Werkzeuge \u2013 \u5DE5\u5177 \U0001F600");
    EXPECT_EQ(Narrow(wide), utf8);
}

TEST(Text, EmptyStaysEmpty) {
    EXPECT_EQ(Widen(""), L"");
    EXPECT_EQ(Narrow(L""), "");
}

}  // namespace
}  // namespace zarkit::ui
