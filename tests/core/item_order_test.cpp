#include "core/item_order.h"

#include <vector>

#include <gtest/gtest.h>

namespace zarkit {
namespace {

using Positions = std::vector<std::size_t>;

// Cells of a large-icon grid three across, 72 wide with 8 between them, rows 70 apart.
std::vector<Rect> Grid(int count) {
    std::vector<Rect> cells;
    for (int i = 0; i < count; ++i) {
        const int left = 2 + (i % 3) * 80;
        const int top = 2 + (i / 3) * 70;
        cells.push_back(Rect{left, top, left + 72, top + 60});
    }
    return cells;
}

TEST(GridDropIndex, BeforeTheItemUnderThePointerOrTheFirstAfterIt) {
    const std::vector<Rect> cells = Grid(7);  // rows of 3, 3 and 1
    EXPECT_EQ(GridDropIndex(cells, {40, 30}), 0u);
    EXPECT_EQ(GridDropIndex(cells, {200, 100}), 5u);  // on the third of the second row
    EXPECT_EQ(GridDropIndex(cells, {77, 100}), 4u);   // between the first two of that row
    EXPECT_EQ(GridDropIndex(cells, {90, 66}), 1u);    // the gap below a row is still that row
    // Right of a row's last item: before the next row's first, after that last one.
    EXPECT_EQ(GridDropIndex(cells, {300, 30}), 3u);
    // Above the first row and left of everything.
    EXPECT_EQ(GridDropIndex(cells, {0, -20}), 0u);
    // Beside the last row's only item, below it, far below: at the end.
    EXPECT_EQ(GridDropIndex(cells, {120, 150}), 7u);
    EXPECT_EQ(GridDropIndex(cells, {10, 205}), 7u);
    EXPECT_EQ(GridDropIndex(cells, {10, 900}), 7u);
    EXPECT_EQ(GridDropIndex({}, {10, 10}), 0u);
}

// A focused item shows its whole label, deeper than the others of its row.
TEST(GridDropIndex, TheLastRowReachesDownToItsDeepestLabel) {
    std::vector<Rect> cells = Grid(5);
    cells[3].bottom += 40;
    EXPECT_EQ(GridDropIndex(cells, {200, 150}), 5u);
    EXPECT_EQ(GridDropIndex(cells, {10, 160}), 3u);
    EXPECT_EQ(GridDropIndex(cells, {10, 175}), 5u);
}

TEST(MoveInOrder, TakesTheMovedOutAndPutsThemBeforeThePosition) {
    // C, A, B with B dropped before C: B, C, A.
    EXPECT_EQ(MoveInOrder(3, {2}, 0), (OrderMove{{2, 0, 1}, 0}));
    EXPECT_EQ(MoveInOrder(3, {0}, 3), (OrderMove{{1, 2, 0}, std::nullopt}));
    EXPECT_EQ(MoveInOrder(3, {0}, 2), (OrderMove{{1, 0, 2}, 2}));
    // Several keep their order and end up together; the anchor is the first that stays.
    EXPECT_EQ(MoveInOrder(5, {0, 2}, 4), (OrderMove{{1, 3, 0, 2, 4}, 4}));
    EXPECT_EQ(MoveInOrder(5, {1, 3}, 2), (OrderMove{{0, 1, 3, 2, 4}, 2}));
    // Given in any order, twice, or past the end.
    EXPECT_EQ(MoveInOrder(5, {4, 0, 0, 9}, 2), (OrderMove{{1, 0, 4, 2, 3}, 2}));
    EXPECT_EQ(MoveInOrder(3, {1}, 99), (OrderMove{{0, 2, 1}, std::nullopt}));
}

TEST(MoveInOrder, NothingWhenTheOrderStaysAsItIs) {
    // Dropped on itself or just after itself.
    EXPECT_EQ(MoveInOrder(3, {1}, 1), std::nullopt);
    EXPECT_EQ(MoveInOrder(3, {1}, 2), std::nullopt);
    EXPECT_EQ(MoveInOrder(3, {2}, 3), std::nullopt);
    EXPECT_EQ(MoveInOrder(5, {1, 2}, 2), std::nullopt);
    EXPECT_EQ(MoveInOrder(5, {1, 2}, 3), std::nullopt);
    EXPECT_EQ(MoveInOrder(3, {}, 0), std::nullopt);
    EXPECT_EQ(MoveInOrder(3, {7}, 0), std::nullopt);
    EXPECT_EQ(MoveInOrder(0, {0}, 0), std::nullopt);
}

TEST(StepBefore, OnePlaceBackOrForwardUntilTheEnd) {
    const auto step = [](std::size_t count, Positions moving, int by) {
        const std::optional<std::size_t> before = StepBefore(count, moving, by);
        return before ? MoveInOrder(count, moving, *before) : std::nullopt;
    };
    EXPECT_EQ(step(3, {0}, 1), (OrderMove{{1, 0, 2}, 2}));
    EXPECT_EQ(step(3, {1}, 1), (OrderMove{{0, 2, 1}, std::nullopt}));
    EXPECT_EQ(step(3, {1}, -1), (OrderMove{{1, 0, 2}, 0}));
    EXPECT_EQ(StepBefore(3, Positions{2}, 1), std::nullopt);
    EXPECT_EQ(StepBefore(3, Positions{0}, -1), std::nullopt);
    EXPECT_EQ(StepBefore(3, Positions{1}, 0), std::nullopt);
    EXPECT_EQ(StepBefore(3, Positions{}, 1), std::nullopt);
    // A block moves past its neighbour as a whole.
    EXPECT_EQ(step(5, {1, 2}, 1), (OrderMove{{0, 3, 1, 2, 4}, 4}));
    EXPECT_EQ(step(5, {3, 4}, -1), (OrderMove{{0, 1, 3, 4, 2}, 2}));
    EXPECT_EQ(StepBefore(5, Positions{3, 4}, 1), std::nullopt);
}

TEST(BeforeForTarget, OneThingLandsAtTheTargetPosition) {
    for (std::size_t from = 0; from < 4; ++from) {
        for (std::size_t to = 0; to < 4; ++to) {
            const std::optional<OrderMove> move = MoveInOrder(4, {from}, BeforeForTarget(from, to));
            if (from == to) {
                EXPECT_EQ(move, std::nullopt);
                continue;
            }
            ASSERT_TRUE(move) << from << " to " << to;
            EXPECT_EQ(move->order[to], from) << from << " to " << to;
        }
    }
    EXPECT_EQ(MoveInOrder(3, {2}, BeforeForTarget(2, 0)), (OrderMove{{2, 0, 1}, 0}));
    EXPECT_EQ(MoveInOrder(3, {0}, BeforeForTarget(0, 1)), (OrderMove{{1, 0, 2}, 2}));
}

}  // namespace
}  // namespace zarkit
