#include "core/file_drop_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zarkit {
namespace {

// `offset` is at least the header's 20 bytes.
std::vector<std::uint8_t> List(std::uint32_t offset, bool wide, const std::u16string& names) {
    std::vector<std::uint8_t> memory;
    for (std::uint32_t at = 0; at < offset; ++at) {
        const std::uint8_t wide_flag = (at == 16 && wide) ? 1 : 0;
        memory.push_back(at < 4 ? static_cast<std::uint8_t>(offset >> (8 * at)) : wide_flag);
    }
    for (const char16_t c : names) {
        memory.push_back(static_cast<std::uint8_t>(c));
        if (wide) {
            memory.push_back(static_cast<std::uint8_t>(c >> 8));
        }
    }
    return memory;
}

TEST(FileDropList, ListsThatEndInsideTheirMemory) {
    EXPECT_TRUE(IsSoundFileDropList(List(20, true, std::u16string(u"C:\\a\0D:\\b\0\0", 12))));
    EXPECT_TRUE(IsSoundFileDropList(List(20, false, std::u16string(u"C:\\a\0\0", 6))));
    EXPECT_TRUE(IsSoundFileDropList(List(24, true, std::u16string(u"\0", 1))));  // no files
    // A character whose low byte is zero does not end a wide name.
    EXPECT_TRUE(IsSoundFileDropList(List(20, true, std::u16string(u"\u0100\0\0", 3))));
}

TEST(FileDropList, UnendedListsAndBadOffsetsAreRefused) {
    EXPECT_FALSE(IsSoundFileDropList(List(20, true, u"C:\\a")));
    EXPECT_FALSE(IsSoundFileDropList(List(20, true, std::u16string(u"C:\\a\0", 5))));
    EXPECT_FALSE(IsSoundFileDropList(List(20, false, std::u16string(u"C:\\a\0", 5))));
    // Half of the final wide terminator is missing.
    std::vector<std::uint8_t> half = List(20, true, std::u16string(u"a\0\0", 3));
    half.pop_back();
    EXPECT_FALSE(IsSoundFileDropList(half));

    std::vector<std::uint8_t> past = List(20, true, std::u16string(u"a\0\0", 3));
    past[0] = 0xF0;
    EXPECT_FALSE(IsSoundFileDropList(past));
    std::vector<std::uint8_t> inside = List(20, true, std::u16string(u"a\0\0", 3));
    inside[0] = 4;  // the list would start inside the header
    EXPECT_FALSE(IsSoundFileDropList(inside));
    EXPECT_FALSE(IsSoundFileDropList(std::vector<std::uint8_t>(19, 0)));
}

}  // namespace
}  // namespace zarkit
