#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/geometry.h"
#include "core/item_record.h"

// The data of an item drag between two lists: the block the source offers and the answer
// the receiving list writes back. Both travel under clipboard format names anyone can
// register, so decoding treats every byte as untrusted.
namespace zarkit {

using Bytes = std::vector<std::uint8_t>;

// The records a list offers, and which list offers them (its window handle as a number).
struct ItemBlock {
    std::uint64_t source_list = 0;
    std::vector<ItemRecord> records;

    friend bool operator==(const ItemBlock&, const ItemBlock&) = default;
};

// One item drop as the receiving list sees it: it adds the records it can and names, in
// `taken`, the identifiers of those now in its table. Only those leave the source.
struct DroppedItems {
    ItemBlock block;
    std::vector<std::string> taken;
};

// Items dropped on the very list they were dragged from, with the drop point on the screen:
// moved there when the list keeps its items in its own order.
struct MovedItems {
    ItemBlock block;
    Point at;
};

// The receiving list's answer: which of the source's records it took.
struct TakenItems {
    std::uint64_t source_list = 0;
    std::vector<std::string> identifiers;

    friend bool operator==(const TakenItems&, const TakenItems&) = default;
};

// The identifiers of `offered` records named in `taken` (any case), in offer order, each
// once: what a list may remove after a drag, whatever the answer claimed.
std::vector<std::string> TakenFromOffered(const std::vector<ItemRecord>& offered,
                                          const std::vector<std::string>& taken);

// Neither form is ever larger; a bigger block is refused unread.
inline constexpr std::size_t kMaxDragBlockSize = 64u << 20;

// nullopt when the block would pass kMaxDragBlockSize.
std::optional<Bytes> EncodeItemBlock(const ItemBlock& block);
std::optional<Bytes> EncodeTakenItems(const TakenItems& taken);

// nullopt for anything this program did not write: another size than the content needs,
// a wrong tag or version, a length past the end, invalid UTF-8 or a NUL in a text.
std::optional<ItemBlock> DecodeItemBlock(std::span<const std::uint8_t> bytes);
std::optional<TakenItems> DecodeTakenItems(std::span<const std::uint8_t> bytes);

}  // namespace zarkit
