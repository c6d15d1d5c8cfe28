#include "core/item_identifier.h"

#include <gtest/gtest.h>

#include <set>

namespace zarkit {
namespace {

TEST(ItemIdentifier, ThirdGroupLowerCaseAllOthersUpperCase) {
    const Guid guid{0x3a1f5c92, 0x7d40, 0x4E8B, {0x9c, 0x21, 0x5b, 0x7e, 0x0d, 0x4a, 0x6f, 0x13}};
    EXPECT_EQ(FormatItemIdentifier(guid), "{3A1F5C92-7D40-4e8b-9C21-5B7E0D4A6F13}");
    EXPECT_EQ(FormatItemIdentifier(Guid{}), "{00000000-0000-0000-0000-000000000000}");
    const Guid high{0xFFFFFFFF, 0xABCD, 0xEFAB, {0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff}};
    EXPECT_EQ(FormatItemIdentifier(high), "{FFFFFFFF-ABCD-efab-FFFF-FFFFFFFFFFFF}");
}

TEST(ItemIdentifier, NoIdentifierWhenTheSourceFails) {
    EXPECT_EQ(MakeItemIdentifier(GuidSource()), std::nullopt);
    EXPECT_EQ(MakeItemIdentifier([] { return std::optional<Guid>(); }), std::nullopt);
    EXPECT_EQ(MakeItemIdentifier([] {
                  return std::optional<Guid>(Guid{1, 2, 3, {}});
              }),
              "{00000001-0002-0003-0000-000000000000}");
}

TEST(ItemIdentifier, RandomSourceGivesDistinctVersion4Guids) {
    const GuidSource source = RandomGuidSource();
    std::set<std::string> seen;
    for (int i = 0; i < 1000; ++i) {
        const std::optional<Guid> guid = source();
        ASSERT_TRUE(guid);
        EXPECT_EQ(guid->data3 >> 12, 4);
        EXPECT_EQ(guid->data4[0] >> 6, 2);
        seen.insert(FormatItemIdentifier(*guid));
    }
    EXPECT_EQ(seen.size(), 1000u);
    // A second source is seeded on its own.
    EXPECT_EQ(seen.count(FormatItemIdentifier(*RandomGuidSource()())), 0u);
}

}  // namespace
}  // namespace zarkit
