#pragma once

#include "core/item_record.h"

namespace zarkit {

// One item as a table's list holds it: the record and where its icon is in the list's
// image list. The list control's item data points at it, so it must keep its address
// for as long as it is listed.
struct ListedItem {
    ItemRecord record;
    int image_index = -1;
};

}  // namespace zarkit
