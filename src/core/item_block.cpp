#include "core/item_block.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "core/text_rules.h"

namespace zarkit {
namespace {

// Both forms: tag, version, total length, source list, count, the entries, a zero byte.
// Numbers are little-endian; texts are a 32-bit length and that many bytes of UTF-8.
// The total length lets a reader ignore the slack an allocator may add to the memory.
constexpr std::array<std::uint8_t, 4> kItemTag = {'Z', 'K', 'I', 'B'};
constexpr std::array<std::uint8_t, 4> kTakenTag = {'Z', 'K', 'T', 'K'};
constexpr std::uint32_t kVersion = 1;
constexpr std::size_t kHeaderSize = 4 + 4 + 4 + 8 + 4;
constexpr std::size_t kLengthOffset = 8;
constexpr std::size_t kTextLengthSize = 4;
// Five empty texts and the two numbers.
constexpr std::size_t kMinRecordSize = 5 * kTextLengthSize + 4 + 4;

class Writer {
public:
    explicit Writer(const std::array<std::uint8_t, 4>& tag) {
        bytes_.assign(tag.begin(), tag.end());
        U32(kVersion);
        U32(0);  // the total length, filled in by Finish
    }

    void U32(std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) {
            bytes_.push_back(static_cast<std::uint8_t>(value >> shift));
        }
    }
    void U64(std::uint64_t value) {
        U32(static_cast<std::uint32_t>(value));
        U32(static_cast<std::uint32_t>(value >> 32));
    }
    void I32(int value) { U32(static_cast<std::uint32_t>(value)); }

    // Stops growing once the block is too big; Finish then fails.
    void Text(std::string_view text) {
        if (too_big_ || bytes_.size() >= kMaxDragBlockSize ||
            text.size() > kMaxDragBlockSize - bytes_.size()) {
            too_big_ = true;
            return;
        }
        U32(static_cast<std::uint32_t>(text.size()));
        bytes_.insert(bytes_.end(), text.begin(), text.end());
    }

    std::optional<Bytes> Finish() {
        bytes_.push_back(0);
        if (too_big_ || bytes_.size() > kMaxDragBlockSize) {
            return std::nullopt;
        }
        const auto length = static_cast<std::uint32_t>(bytes_.size());
        for (std::size_t i = 0; i < 4; ++i) {
            bytes_[kLengthOffset + i] = static_cast<std::uint8_t>(length >> (8 * i));
        }
        return std::move(bytes_);
    }

private:
    Bytes bytes_;
    bool too_big_ = false;
};

bool ValidUtf8WithoutNul(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead == 0) {
            return false;
        }
        if (lead < 0x80) {
            ++i;
            continue;
        }
        std::size_t extra = 0;
        std::uint32_t code = 0;
        std::uint32_t smallest = 0;
        if ((lead & 0xE0) == 0xC0) {
            extra = 1, code = lead & 0x1F, smallest = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2, code = lead & 0x0F, smallest = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3, code = lead & 0x07, smallest = 0x10000;
        } else {
            return false;
        }
        if (extra > text.size() - i - 1) {
            return false;
        }
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            code = (code << 6) | (next & 0x3F);
        }
        if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return false;
        }
        i += extra + 1;
    }
    return true;
}

// Reads the content of one block; any read past the declared end marks it failed.
class Reader {
public:
    Reader(std::span<const std::uint8_t> bytes, const std::array<std::uint8_t, 4>& tag) {
        if (bytes.size() < kHeaderSize + 1 || bytes.size() > kMaxDragBlockSize ||
            !std::equal(tag.begin(), tag.end(), bytes.begin())) {
            failed_ = true;
            return;
        }
        bytes_ = bytes;
        position_ = tag.size();
        const std::uint32_t version = U32();
        const std::uint32_t length = U32();
        if (version != kVersion || length < kHeaderSize + 1 || length > bytes.size()) {
            failed_ = true;
            return;
        }
        // Whatever lies past the declared length is the allocator's, not the block's.
        bytes_ = bytes.first(length);
    }

    bool Failed() const { return failed_; }

    // Entries still to read, each at least `entry_size` bytes, fit in what is left.
    bool CanHold(std::uint32_t count, std::size_t entry_size) const {
        return !failed_ && count <= (Remaining() - 1) / entry_size;
    }

    std::uint32_t U32() {
        if (!Need(4)) {
            return 0;
        }
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            value |= static_cast<std::uint32_t>(bytes_[position_++]) << (8 * i);
        }
        return value;
    }
    std::uint64_t U64() {
        const std::uint64_t low = U32();
        return low | (static_cast<std::uint64_t>(U32()) << 32);
    }
    int I32() { return static_cast<int>(U32()); }

    std::string Text() {
        const std::uint32_t size = U32();
        if (!Need(size)) {
            return {};
        }
        std::string text(reinterpret_cast<const char*>(bytes_.data() + position_), size);
        position_ += size;
        if (!ValidUtf8WithoutNul(text)) {
            failed_ = true;
            return {};
        }
        return text;
    }

    // The closing zero byte, and nothing after it.
    bool AtEnd() {
        if (failed_ || Remaining() != 1 || bytes_[position_] != 0) {
            return false;
        }
        ++position_;
        return true;
    }

private:
    // Bytes left, the closing one included.
    std::size_t Remaining() const { return bytes_.size() - position_; }

    bool Need(std::size_t size) {
        if (failed_ || size > Remaining()) {
            failed_ = true;
        }
        return !failed_;
    }

    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
    bool failed_ = false;
};

}  // namespace

std::vector<std::string> TakenFromOffered(const std::vector<ItemRecord>& offered,
                                          const std::vector<std::string>& taken) {
    std::vector<std::string> result;
    for (const ItemRecord& record : offered) {
        const auto named = [&](const std::string& id) {
            return SameIdentifier(id, record.identifier);
        };
        if (record.identifier.empty() || std::ranges::none_of(taken, named) ||
            std::ranges::any_of(result, named)) {
            continue;
        }
        result.push_back(record.identifier);
    }
    return result;
}

std::optional<Bytes> EncodeItemBlock(const ItemBlock& block) {
    if (block.records.size() > kMaxDragBlockSize / kMinRecordSize) {
        return std::nullopt;
    }
    Writer writer(kItemTag);
    writer.U64(block.source_list);
    writer.U32(static_cast<std::uint32_t>(block.records.size()));
    for (const ItemRecord& record : block.records) {
        writer.Text(record.path);
        writer.Text(record.display_name);
        writer.Text(record.work_dir);
        writer.Text(record.start_params);
        writer.Text(record.identifier);
        writer.I32(record.special_folder);
        writer.I32(record.folder_id);
    }
    return writer.Finish();
}

std::optional<ItemBlock> DecodeItemBlock(std::span<const std::uint8_t> bytes) {
    Reader reader(bytes, kItemTag);
    ItemBlock block;
    block.source_list = reader.U64();
    const std::uint32_t count = reader.U32();
    // Refused before anything is allocated for the records it claims.
    if (!reader.CanHold(count, kMinRecordSize)) {
        return std::nullopt;
    }
    for (std::uint32_t i = 0; i < count && !reader.Failed(); ++i) {
        ItemRecord record;
        record.path = reader.Text();
        record.display_name = reader.Text();
        record.work_dir = reader.Text();
        record.start_params = reader.Text();
        record.identifier = reader.Text();
        record.special_folder = reader.I32();
        record.folder_id = reader.I32();
        block.records.push_back(std::move(record));
    }
    if (!reader.AtEnd()) {
        return std::nullopt;
    }
    return block;
}

std::optional<Bytes> EncodeTakenItems(const TakenItems& taken) {
    if (taken.identifiers.size() > kMaxDragBlockSize / kTextLengthSize) {
        return std::nullopt;
    }
    Writer writer(kTakenTag);
    writer.U64(taken.source_list);
    writer.U32(static_cast<std::uint32_t>(taken.identifiers.size()));
    for (const std::string& identifier : taken.identifiers) {
        writer.Text(identifier);
    }
    return writer.Finish();
}

std::optional<TakenItems> DecodeTakenItems(std::span<const std::uint8_t> bytes) {
    Reader reader(bytes, kTakenTag);
    TakenItems taken;
    taken.source_list = reader.U64();
    const std::uint32_t count = reader.U32();
    if (!reader.CanHold(count, kTextLengthSize)) {
        return std::nullopt;
    }
    for (std::uint32_t i = 0; i < count && !reader.Failed(); ++i) {
        taken.identifiers.push_back(reader.Text());
    }
    if (!reader.AtEnd()) {
        return std::nullopt;
    }
    return taken;
}

}  // namespace zarkit
