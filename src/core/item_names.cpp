#include "core/item_names.h"

#include "core/text_rules.h"

namespace zarkit {

ItemNameLookup::ItemNameLookup(std::string_view name, std::string_view table)
    : searching_(!name.empty()), name_(ToLower(Trim(name))), table_(ToLower(Trim(table))) {}

bool ItemNameLookup::WantsTable(std::string_view table_name) const {
    return table_.empty() || ToLower(Trim(table_name)) == table_;
}

bool ItemNameLookup::Matches(std::string_view display_name) const {
    return Searching() && ToLower(Trim(display_name)) == name_;
}

}  // namespace zarkit
