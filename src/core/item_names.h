#pragma once

#include <string>
#include <string_view>

namespace zarkit {

// Whether an item of a given name exists, as the drawer asks it (the default web
// sites, the drawer menu's special folders): names and table names compare trimmed
// and in any case. The wanted texts are folded once; records are then tested one by one.
class ItemNameLookup {
public:
    // `table` empty: an item in any table counts.
    ItemNameLookup(std::string_view name, std::string_view table);

    // An empty name matches nothing.
    bool Searching() const { return searching_; }
    bool WantsTable(std::string_view table_name) const;
    bool Matches(std::string_view display_name) const;

private:
    bool searching_;
    std::string name_;
    std::string table_;
};

}  // namespace zarkit
