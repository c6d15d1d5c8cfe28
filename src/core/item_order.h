#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "core/geometry.h"

// The user's own order of items and tables: where a drag ends and the order a move makes.
namespace zarkit {

// How a table's list orders its items.
enum class ItemOrder {
    kByLabel,   // sorted by label, new items in their place
    kAsStored,  // as the file holds them, new items at the end
};

// Where a drop in a large-icon grid puts what is dropped: the position of the item it goes
// before, the count for after the last. `cells` are the items' rectangles in list order,
// laid out in rows from left to right and top to bottom. Before the item under the pointer,
// or else before the first one after it in the grid; below the last row, at the end.
std::size_t GridDropIndex(std::span<const Rect> cells, Point point);

// A move of some things of an ordered list. The moved ones keep their order among
// themselves and end up together.
struct OrderMove {
    // The new order, as positions in the old one.
    std::vector<std::size_t> order;
    // Old position of the thing they now stand just before; nullopt: they are at the end.
    // Someone who keeps the same order elsewhere (the file) makes the same move by it.
    std::optional<std::size_t> anchor;

    friend bool operator==(const OrderMove&, const OrderMove&) = default;
};

// The things at `moving` (positions among `count`; any order, repeats and positions past
// the end are left out) taken out and put back just before position `before` (`count`:
// at the end). nullopt when that changes nothing, or nothing moves.
std::optional<OrderMove> MoveInOrder(std::size_t count, std::vector<std::size_t> moving,
                                     std::size_t before);

// The `before` that moves them one place back (step < 0) or forward (step > 0), the first
// or the last of them past its neighbour; nullopt when they are at that end already.
std::optional<std::size_t> StepBefore(std::size_t count, std::span<const std::size_t> moving,
                                      int step);

// The `before` that takes one thing from `from` to position `to`.
std::size_t BeforeForTarget(std::size_t from, std::size_t to);

}  // namespace zarkit
