#include "core/item_order.h"

#include <algorithm>
#include <numeric>

namespace zarkit {

// Rows are the runs of cells with one top. Each row reaches down to the next one's top;
// the last one to the lowest bottom among its cells.
std::size_t GridDropIndex(std::span<const Rect> cells, Point point) {
    const std::size_t count = cells.size();
    std::size_t row = 0;
    while (row < count) {
        std::size_t end = row + 1;
        int bottom = cells[row].bottom;
        while (end < count && cells[end].top == cells[row].top) {
            bottom = std::max(bottom, cells[end].bottom);
            ++end;
        }
        if (end < count) {
            bottom = cells[end].top;
        }
        if (point.y < bottom) {
            for (std::size_t i = row; i < end; ++i) {
                if (point.x < cells[i].right) {
                    return i;
                }
            }
            return end;
        }
        row = end;
    }
    return count;
}

std::optional<OrderMove> MoveInOrder(std::size_t count, std::vector<std::size_t> moving,
                                     std::size_t before) {
    std::erase_if(moving, [count](std::size_t position) { return position >= count; });
    std::sort(moving.begin(), moving.end());
    moving.erase(std::unique(moving.begin(), moving.end()), moving.end());
    if (moving.empty()) {
        return std::nullopt;
    }
    before = std::min(before, count);
    const auto is_moving = [&moving](std::size_t position) {
        return std::binary_search(moving.begin(), moving.end(), position);
    };
    OrderMove move;
    move.order.reserve(count);
    for (std::size_t position = 0; position < count; ++position) {
        if (position == before) {
            move.order.insert(move.order.end(), moving.begin(), moving.end());
        }
        if (!is_moving(position)) {
            if (!move.anchor && position >= before) {
                move.anchor = position;
            }
            move.order.push_back(position);
        }
    }
    if (before == count) {
        move.order.insert(move.order.end(), moving.begin(), moving.end());
    }
    std::vector<std::size_t> unchanged(count);
    std::iota(unchanged.begin(), unchanged.end(), std::size_t{0});
    if (move.order == unchanged) {
        return std::nullopt;
    }
    return move;
}

std::optional<std::size_t> StepBefore(std::size_t count, std::span<const std::size_t> moving,
                                      int step) {
    const auto valid = [count](std::size_t position) { return position < count; };
    std::vector<std::size_t> positions;
    std::copy_if(moving.begin(), moving.end(), std::back_inserter(positions), valid);
    if (positions.empty() || step == 0) {
        return std::nullopt;
    }
    const auto [first, last] = std::minmax_element(positions.begin(), positions.end());
    if (step < 0) {
        return *first == 0 ? std::nullopt : std::optional<std::size_t>(*first - 1);
    }
    return *last + 1 >= count ? std::nullopt : std::optional<std::size_t>(*last + 2);
}

std::size_t BeforeForTarget(std::size_t from, std::size_t to) {
    return to > from ? to + 1 : to;
}

}  // namespace zarkit
