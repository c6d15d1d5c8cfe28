#include "core/file_stamp.h"

#include <string>

#include <gtest/gtest.h>

namespace zarkit {
namespace {

// A file rewritten at the same size within the same second is told apart by its bytes
// alone: a change anywhere, of any byte, must show.
TEST(FileStamp, AnyOneByteChangedAnywhereChangesTheHash) {
    for (std::size_t length = 0; length <= 40; ++length) {
        const std::string bytes(length, 'a');
        const std::uint64_t hash = HashBytes(bytes);
        EXPECT_EQ(HashBytes(std::string(bytes)), hash);
        for (std::size_t at = 0; at < length; ++at) {
            for (const char other : {'b', '\0', '\xff'}) {
                std::string changed = bytes;
                changed[at] = other;
                EXPECT_NE(HashBytes(changed), hash) << length << " " << at;
            }
        }
    }
}

TEST(FileStamp, ZerosOfAnotherLengthAndSwappedHalvesDiffer) {
    EXPECT_NE(HashBytes(std::string(8, '\0')), HashBytes(std::string(9, '\0')));
    EXPECT_NE(HashBytes(""), HashBytes(std::string(1, '\0')));
    EXPECT_NE(HashBytes("<a>1</a><b>2</b>"), HashBytes("<b>2</b><a>1</a>"));
}

}  // namespace
}  // namespace zarkit
