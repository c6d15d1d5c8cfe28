#include "core/utf8.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace zarkit {
namespace {

TEST(Utf8, EachLengthEndsAtItsBoundary) {
    const struct {
        char32_t c;
        const char* bytes;
    } cases[] = {
        {0x41, "A"},
        {0x7F, "\x7F"},
        {0x80, "\xC2\x80"},
        {0x7FF, "\xDF\xBF"},
        {0x800, "\xE0\xA0\x80"},
        {0xFFFF, "\xEF\xBF\xBF"},
        {0x10000, "\xF0\x90\x80\x80"},
        {0x1F600, "\xF0\x9F\x98\x80"},
        {0x10FFFF, "\xF4\x8F\xBF\xBF"},
    };
    for (const auto& expected : cases) {
        std::string out = "x";
        AppendUtf8(out, expected.c);
        EXPECT_EQ(out, std::string("x") + expected.bytes)
            << std::hex << static_cast<std::uint32_t>(expected.c);
    }
}

}  // namespace
}  // namespace zarkit
