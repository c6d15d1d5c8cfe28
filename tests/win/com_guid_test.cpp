#include "ui/com_guid.h"

#include <gtest/gtest.h>

#include <tuple>

namespace zarkit::ui {
namespace {

auto Fields(const Guid& guid) {
    return std::tie(guid.data1, guid.data2, guid.data3, guid.data4);
}

// CoCreateGuid makes random (version 4, RFC 4122 variant) GUIDs; finding the version
// in data3 and the variant in data4[0] shows each field was copied to its own place.
TEST(ComGuidSource, GivesDistinctVersionFourGuidsFieldByField) {
    const GuidSource source = ComGuidSource();
    const std::optional<Guid> first = source();
    const std::optional<Guid> second = source();
    ASSERT_TRUE(first && second);
    EXPECT_NE(Fields(*first), Fields(*second));
    for (const Guid& guid : {*first, *second}) {
        EXPECT_EQ(guid.data3 >> 12, 4);
        EXPECT_EQ(guid.data4[0] & 0xC0, 0x80);
    }
}

}  // namespace
}  // namespace zarkit::ui
