#include "core/xml_text.h"

#include <gtest/gtest.h>

namespace zarkit {
namespace {

using namespace std::string_literals;

TEST(XmlText, ValidTextIsUnchanged) {
    const std::string text =
        "Tab\there\r\n <&> \xC3\x9C \xE5\xB7\xA5 \xF0\x9F\x98\x80 \xEF\xBF\xBD";
    EXPECT_EQ(XmlText(text), text);
}

TEST(XmlText, CharactersXmlCannotHoldAreLeftOut) {
    EXPECT_EQ(XmlText("a\x01"
                      "b\x1F"
                      "c\x0B\x0C"
                      "d"s +
                      '\0' + "e"),
              "abcde");
    EXPECT_EQ(XmlText("x\xEF\xBF\xBEy\xEF\xBF\xBFz"), "xyz");  // U+FFFE, U+FFFF
}

TEST(XmlText, BrokenUtf8BecomesReplacementCharacters) {
    EXPECT_EQ(XmlText("a\xC3"), "a\xEF\xBF\xBD");                                // cut off
    EXPECT_EQ(XmlText("\xC0\xAF"), "\xEF\xBF\xBD\xEF\xBF\xBD");                  // overlong
    EXPECT_EQ(XmlText("\xED\xA0\x80"), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");  // surrogate
    EXPECT_EQ(XmlText("\xF4\x90\x80\x80"), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(XmlText("\xE5\xB7"
                      "A"),
              "\xEF\xBF\xBD\xEF\xBF\xBD"
              "A");
}

}  // namespace
}  // namespace zarkit
