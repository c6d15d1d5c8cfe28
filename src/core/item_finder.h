#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/item_record.h"

namespace zarkit {

// One item as find-as-you-type sees it.
struct FindItem {
    std::uint64_t key = 0;    // the caller's handle on the item, unique over all tables
    std::uint32_t table = 0;  // position of its table
    std::uint32_t order = 0;  // position in its table, to keep equal labels apart
    std::string label;
    std::string path;  // SearchedPath of the item
};

// Better matches first.
enum class MatchRank : std::uint8_t {
    kLabelStart,  // the label starts with the text
    kWordStart,   // a word of the label does
    kInLabel,     // the text is somewhere in the label
    kInPath,      // only the path holds it
};

struct FindMatch {
    std::uint64_t key = 0;
    std::uint32_t table = 0;
    MatchRank rank = MatchRank::kLabelStart;

    friend bool operator==(const FindMatch&, const FindMatch&) = default;
};

// What a search looks at as the item's path: a web site's address (its path is only the
// browser, the same for every site), nothing for a special folder (its path is a
// number), the path of anything else.
std::string SearchedPath(const ItemRecord& record);

// Every item of every table, folded once, kept in result order. One search is one pass
// without sorting; adding, renaming and removing an item costs one insertion.
class ItemFinder {
public:
    void Build(const std::vector<FindItem>& items);
    // Adds the item, or replaces the one with its key (renamed, moved to another table).
    void Put(const FindItem& item);
    // Whether an item had that key.
    bool Remove(std::uint64_t key);
    // Removes a table's items; the tables after it move down by one, as the tabs do.
    void RemoveTable(std::uint32_t table);
    // The table at `from` now stands at `to`; those between move up or down by one, as
    // the tabs do.
    void MoveTable(std::uint32_t from, std::uint32_t to);
    void Clear() { entries_.clear(); }
    std::size_t Size() const { return entries_.size(); }

    // The matches of the text in rank order; within a rank by label (numbers by their
    // value), then by table, then by position in the table. Nothing for a text that is
    // empty or only blanks once folded.
    std::vector<FindMatch> Find(std::string_view text) const;

private:
    struct Entry {
        std::string label;  // folded
        std::vector<std::uint32_t> word_starts;
        std::string path;  // folded
        std::uint64_t key = 0;
        std::uint32_t table = 0;
        std::uint32_t order = 0;
    };

    static Entry MakeEntry(const FindItem& item);
    static bool Before(const Entry& a, const Entry& b);
    static bool Matches(const Entry& entry, std::string_view folded, MatchRank& rank);

    std::vector<Entry> entries_;  // sorted by Before
};

}  // namespace zarkit
