#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/item_record.h"
#include "ui/win32.h"
#include <objidl.h>

namespace zarkit {

// The clipboard format of an item block (the records a list offers in a drag).
CLIPFORMAT ItemDragFormat();
// The format the receiving list writes back into the drag's data object: which of the
// records it took.
CLIPFORMAT ItemTakenFormat();

// How a list names itself in the blocks it offers.
std::uint64_t ListIdentity(HWND list);

// Offers `records` of the list window `source` in a drag with the copy effect only and
// runs the drag loop until the user drops or cancels. Returns the identifiers of the
// records that another list reported as added to its table: the source removes those,
// and only those. Empty when the drag was cancelled, refused, or ended anywhere else.
// Needs OleInitialize on the calling thread.
std::vector<std::string> DragItems(HWND source, const std::vector<ItemRecord>& records);

}  // namespace zarkit
