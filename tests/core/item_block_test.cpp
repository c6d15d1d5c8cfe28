#include "core/item_block.h"

#include <gtest/gtest.h>

#include <cctype>

namespace zarkit {
namespace {

// Where the header keeps its numbers.
constexpr std::size_t kVersionAt = 4;
constexpr std::size_t kLengthAt = 8;
constexpr std::size_t kCountAt = 20;
constexpr std::size_t kFirstRecordAt = 24;

ItemRecord Record(std::string path, std::string identifier) {
    ItemRecord record;
    record.path = std::move(path);
    record.display_name = "Werkzeuge \xE2\x80\x93 \xE5\xB7\xA5\xE5\x85\xB7";
    record.work_dir = "C:\\Tools";
    record.start_params = "--open \"a b\"";
    record.identifier = std::move(identifier);
    return record;
}

ItemBlock TwoRecords() {
    ItemBlock block;
    block.source_list = 0xFEDCBA9876543210ull;
    block.records.push_back(
        Record("C:\\Tools\\editor.exe", "{0000000A-0000-abcd-0000-000000000001}"));
    ItemRecord special;
    special.path = "17";
    special.display_name = "My Computer";
    special.identifier = "{0000000B-0000-ef01-0000-000000000002}";
    special.special_folder = 1;
    special.folder_id = 17;
    block.records.push_back(special);
    return block;
}

Bytes Encoded(const ItemBlock& block) {
    std::optional<Bytes> bytes = EncodeItemBlock(block);
    EXPECT_TRUE(bytes.has_value());
    return bytes.value_or(Bytes());
}

void PutU32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

// Inserts bytes before the closing zero byte and keeps the declared length in step.
Bytes WithJunkBeforeEnd(Bytes bytes, std::size_t junk) {
    bytes.insert(bytes.end() - 1, junk, 0x41);
    PutU32(bytes, kLengthAt, static_cast<std::uint32_t>(bytes.size()));
    return bytes;
}

TEST(ItemBlock, RecordsAndSourceRoundTrip) {
    const ItemBlock block = TwoRecords();
    EXPECT_EQ(DecodeItemBlock(Encoded(block)), block);

    const ItemBlock empty{42, {}};
    EXPECT_EQ(DecodeItemBlock(Encoded(empty)), empty);
}

TEST(ItemBlock, SlackAfterTheDeclaredLengthIsIgnored) {
    // GlobalSize may report more than was asked for.
    Bytes bytes = Encoded(TwoRecords());
    bytes.insert(bytes.end(), 16, 0xCC);
    EXPECT_EQ(DecodeItemBlock(bytes), TwoRecords());
}

TEST(ItemBlock, EveryTruncationIsRefused) {
    const Bytes bytes = Encoded(TwoRecords());
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        EXPECT_FALSE(DecodeItemBlock(std::span(bytes).first(size))) << size;
    }
    // Cut short, with the declared length telling the truth about the cut.
    for (std::size_t size = kFirstRecordAt + 1; size < bytes.size(); ++size) {
        Bytes cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
        PutU32(cut, kLengthAt, static_cast<std::uint32_t>(size));
        EXPECT_FALSE(DecodeItemBlock(cut)) << size;
    }
}

TEST(ItemBlock, ForeignHeadersAreRefused) {
    const Bytes good = Encoded(TwoRecords());
    Bytes tag = good;
    tag[0] = 'X';
    Bytes version = good;
    PutU32(version, kVersionAt, 2);
    Bytes longer = good;
    PutU32(longer, kLengthAt, static_cast<std::uint32_t>(good.size() + 1));
    Bytes tiny = good;
    PutU32(tiny, kLengthAt, 3);
    for (const Bytes& bytes : {tag, version, longer, tiny}) {
        EXPECT_FALSE(DecodeItemBlock(bytes));
    }
    // An item block is not an answer, nor the other way round.
    EXPECT_FALSE(DecodeTakenItems(good));
    const std::optional<Bytes> answer = EncodeTakenItems({7, {"a"}});
    ASSERT_TRUE(answer);
    EXPECT_FALSE(DecodeItemBlock(*answer));
}

TEST(ItemBlock, TrailingJunkAndABadEndAreRefused) {
    const Bytes good = Encoded(TwoRecords());
    EXPECT_FALSE(DecodeItemBlock(WithJunkBeforeEnd(good, 1)));
    EXPECT_FALSE(DecodeItemBlock(WithJunkBeforeEnd(good, 100)));
    Bytes end = good;
    end.back() = 1;
    EXPECT_FALSE(DecodeItemBlock(end));
}

TEST(ItemBlock, CountsAndLengthsPastTheEndAreRefused) {
    const Bytes good = Encoded(TwoRecords());
    for (const std::uint32_t count : {3u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
        Bytes bytes = good;
        PutU32(bytes, kCountAt, count);
        EXPECT_FALSE(DecodeItemBlock(bytes)) << count;
    }
    Bytes fewer = good;
    PutU32(fewer, kCountAt, 1);
    EXPECT_FALSE(DecodeItemBlock(fewer));

    // A tiny block whose count claims a thousand empty records: refused before any is read.
    ItemBlock empty{1, {}};
    Bytes claims = Encoded(empty);
    PutU32(claims, kCountAt, 1000);
    EXPECT_FALSE(DecodeItemBlock(claims));

    for (const std::uint32_t length : {0xFFFFFFFFu, 0xFFFFFFF0u, 0x80000000u, 1000u}) {
        Bytes bytes = good;
        PutU32(bytes, kFirstRecordAt, length);  // the first record's path
        EXPECT_FALSE(DecodeItemBlock(bytes)) << length;
    }
}

TEST(ItemBlock, TextsMustBeUtf8WithoutNul) {
    for (const std::string& bad :
         {std::string("a\0b", 3), std::string("\xC3"), std::string("\xC0\xAF"),
          std::string("\xED\xA0\x80"), std::string("\xF4\x90\x80\x80"), std::string("\xFF")}) {
        ItemBlock block = TwoRecords();
        block.records[1].display_name = bad;
        EXPECT_FALSE(DecodeItemBlock(Encoded(block))) << testing::PrintToString(bad);
    }
    ItemBlock fine = TwoRecords();
    fine.records[0].path = "C:\\\xF0\x9F\x98\x80\\\xC3\xA9.exe";
    EXPECT_EQ(DecodeItemBlock(Encoded(fine)), fine);
}

TEST(ItemBlock, OversizedBlocksAreNeitherWrittenNorRead) {
    ItemBlock huge = TwoRecords();
    huge.records[0].start_params.assign(kMaxDragBlockSize, 'x');
    EXPECT_FALSE(EncodeItemBlock(huge));

    Bytes bytes = Encoded(TwoRecords());
    bytes.resize(kMaxDragBlockSize + 1);
    PutU32(bytes, kLengthAt, static_cast<std::uint32_t>(bytes.size()));
    EXPECT_FALSE(DecodeItemBlock(bytes));
}

TEST(TakenItems, RoundTripAndHostileCounts) {
    const TakenItems taken{0x1234, {"{00000001-0000-0000-0000-000000000001}", ""}};
    const std::optional<Bytes> bytes = EncodeTakenItems(taken);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(DecodeTakenItems(*bytes), taken);

    for (const std::uint32_t count : {3u, 1u, 0xFFFFFFFFu}) {
        Bytes hostile = *bytes;
        PutU32(hostile, kCountAt, count);
        EXPECT_FALSE(DecodeTakenItems(hostile)) << count;
    }
    for (std::size_t size = 0; size < bytes->size(); ++size) {
        EXPECT_FALSE(DecodeTakenItems(std::span(*bytes).first(size))) << size;
    }
}

TEST(TakenItems, OnlyOfferedRecordsCountAsTaken) {
    const ItemBlock block = TwoRecords();
    const std::string first = block.records[0].identifier;
    const std::string second = block.records[1].identifier;
    std::string shouting = second;
    for (char& c : shouting) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    EXPECT_EQ(TakenFromOffered(block.records, {second, "{unknown}", first, first}),
              (std::vector<std::string>{first, second}));
    EXPECT_EQ(TakenFromOffered(block.records, {shouting}), (std::vector<std::string>{second}));
    EXPECT_TRUE(TakenFromOffered(block.records, {}).empty());

    // A record without an identifier cannot be named, so it never leaves its list.
    std::vector<ItemRecord> nameless = block.records;
    nameless[0].identifier.clear();
    EXPECT_EQ(TakenFromOffered(nameless, {"", second}), (std::vector<std::string>{second}));
}

}  // namespace
}  // namespace zarkit
