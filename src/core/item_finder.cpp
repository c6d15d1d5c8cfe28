#include "core/item_finder.h"

#include <algorithm>
#include <array>

#include "core/search_text.h"
#include "core/text_rules.h"

namespace zarkit {

std::string SearchedPath(const ItemRecord& record) {
    switch (KindOf(record)) {
        case ItemKind::kSpecialFolder:
            return {};
        case ItemKind::kWebSite:
            return std::string(Trim(record.start_params));
        case ItemKind::kPath:
            break;
    }
    return record.path;
}

ItemFinder::Entry ItemFinder::MakeEntry(const FindItem& item) {
    FoldedLabel label = FoldLabel(item.label);
    Entry entry;
    entry.label = std::move(label.text);
    entry.word_starts = std::move(label.word_starts);
    entry.path = FoldForSearch(item.path);
    entry.key = item.key;
    entry.table = item.table;
    entry.order = item.order;
    return entry;
}

bool ItemFinder::Before(const Entry& a, const Entry& b) {
    if (const int label = NaturalCompare(a.label, b.label); label != 0) {
        return label < 0;
    }
    if (a.table != b.table) {
        return a.table < b.table;
    }
    if (a.order != b.order) {
        return a.order < b.order;
    }
    return a.key < b.key;
}

void ItemFinder::Build(const std::vector<FindItem>& items) {
    entries_.clear();
    entries_.reserve(items.size());
    for (const FindItem& item : items) {
        entries_.push_back(MakeEntry(item));
    }
    std::sort(entries_.begin(), entries_.end(), &Before);
}

void ItemFinder::Put(const FindItem& item) {
    Remove(item.key);
    Entry entry = MakeEntry(item);
    const auto at = std::upper_bound(entries_.begin(), entries_.end(), entry, &Before);
    entries_.insert(at, std::move(entry));
}

// Every entry with the key goes, so a key given twice to Build cannot linger.
bool ItemFinder::Remove(std::uint64_t key) {
    return std::erase_if(entries_, [key](const Entry& entry) { return entry.key == key; }) != 0;
}

// Later tables keep their order among themselves, so the entries stay sorted.
void ItemFinder::RemoveTable(std::uint32_t table) {
    std::erase_if(entries_, [table](const Entry& entry) { return entry.table == table; });
    for (Entry& entry : entries_) {
        if (entry.table > table) {
            --entry.table;
        }
    }
}

void ItemFinder::MoveTable(std::uint32_t from, std::uint32_t to) {
    if (from == to) {
        return;
    }
    for (Entry& entry : entries_) {
        if (entry.table == from) {
            entry.table = to;
        } else if (from < to && entry.table > from && entry.table <= to) {
            --entry.table;
        } else if (to < from && entry.table >= to && entry.table < from) {
            ++entry.table;
        }
    }
    // Equal labels are ordered by table.
    std::stable_sort(entries_.begin(), entries_.end(), &Before);
}

bool ItemFinder::Matches(const Entry& entry, std::string_view folded, MatchRank& rank) {
    const std::string_view label = entry.label;
    const std::size_t first = label.find(folded);
    if (first == 0) {
        rank = MatchRank::kLabelStart;
        return true;
    }
    if (first != std::string_view::npos) {
        rank = MatchRank::kInLabel;
        const auto from =
            std::lower_bound(entry.word_starts.begin(), entry.word_starts.end(), first);
        for (auto word = from; word != entry.word_starts.end(); ++word) {
            if (label.size() - *word < folded.size()) {
                break;
            }
            if (label.compare(*word, folded.size(), folded) == 0) {
                rank = MatchRank::kWordStart;
                break;
            }
        }
        return true;
    }
    if (std::string_view(entry.path).find(folded) != std::string_view::npos) {
        rank = MatchRank::kInPath;
        return true;
    }
    return false;
}

std::vector<FindMatch> ItemFinder::Find(std::string_view text) const {
    const std::string folded = FoldForSearch(text);
    if (folded.find_first_not_of(' ') == std::string::npos) {
        return {};
    }
    // The entries are in label order already: each rank collects its matches in turn.
    std::array<std::vector<FindMatch>, 4> ranks;
    for (const Entry& entry : entries_) {
        MatchRank rank;
        if (Matches(entry, folded, rank)) {
            ranks[static_cast<std::size_t>(rank)].push_back({entry.key, entry.table, rank});
        }
    }
    std::vector<FindMatch> matches = std::move(ranks[0]);
    for (std::size_t i = 1; i < ranks.size(); ++i) {
        matches.insert(matches.end(), ranks[i].begin(), ranks[i].end());
    }
    return matches;
}

}  // namespace zarkit
