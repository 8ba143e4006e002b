// The grid helpers every family shares, on plain boards.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "grid.h"

namespace {
using Board = std::array<int16_t, 100>;
Board Numbered() {
  Board b;
  for (int i = 0; i < 100; ++i) b[i] = static_cast<int16_t>(i);
  return b;
}
}  // namespace

TEST(Grid, TransformsRestoreTheBoard) {
  const Board start = Numbered();
  Board b = start;
  grid::FlipVertical(b, 10);
  EXPECT_EQ(b[0], 90);
  grid::FlipVertical(b, 10);
  EXPECT_EQ(b, start);
  grid::FlipHorizontal(b, 10);
  EXPECT_EQ(b[0], 9);
  EXPECT_EQ(b[19], 10);
  grid::FlipHorizontal(b, 10);
  EXPECT_EQ(b, start);
  grid::RotateLeft(b, 10);
  EXPECT_EQ(b[0], 9);    // the top right corner comes to the top left
  EXPECT_EQ(b[12], 28);  // (1, 2) takes (2, 8)
  grid::RotateRight(b, 10);
  EXPECT_EQ(b, start);
  grid::RotateRight(b, 10);
  EXPECT_EQ(b[0], 90);
  grid::RotateLeft(b, 10);
  for (int i = 0; i < 4; ++i) {
    EXPECT_TRUE(i == 0 || b != start);
    grid::RotateLeft(b, 10);
  }
  EXPECT_EQ(b, start);
  // Other sides: a 4 x 4 board turned right puts the bottom left corner at the top left.
  std::vector<int16_t> small(16);
  for (int i = 0; i < 16; ++i) small[i] = static_cast<int16_t>(i);
  grid::RotateRight(small, 4);
  EXPECT_EQ(small[0], 12);
  EXPECT_EQ(small[3], 0);
}

TEST(Grid, TheTwoNeighbourTestsDifferOnlyAtRowEnds) {
  struct Case {
    int a, b;
    bool inRow, byIndex;
  } cases[] = {
      {9, 10, false, true},   // last of row 0, first of row 1
      {10, 9, false, true},
      {5, 6, true, true},
      {5, 15, true, true},
      {0, 11, false, false},  // diagonal
      {99, 100, false, false},  // off the board
      {3, 5, false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(grid::AdjacentInRow(c.a, c.b, 10, 10), c.inRow) << c.a << "," << c.b;
    EXPECT_EQ(grid::AdjacentByIndex(c.a, c.b, 10, 100), c.byIndex) << c.a << "," << c.b;
  }
  EXPECT_EQ(grid::NeighboursInRow(0, 10, 10), (std::vector<int>{10, 1}));
  EXPECT_EQ(grid::NeighboursByIndex(0, 10, 100), (std::vector<int>{10, 1}));
  EXPECT_EQ(grid::NeighboursByIndex(20, 10, 100), (std::vector<int>{10, 30, 19, 21}));
  EXPECT_EQ(grid::NeighboursInRow(20, 10, 10), (std::vector<int>{10, 30, 21}));
  EXPECT_EQ(grid::Block3x3(0, 10, 10), (std::vector<int>{0, 1, 10, 11}));
  EXPECT_EQ(grid::Block3x3(19, 10, 10).size(), 6u);  // never across the row end
  EXPECT_EQ(grid::Block3x3(55, 10, 10).size(), 9u);
}

TEST(Grid, GroupGrowthJoinsOnlyConnectedCells) {
  // A ring of 1s around a 2 in the top left corner, and a 1 at the end of row 0 that touches the
  // ring (cell 10) only by index.
  Board b{};
  for (int i : {0, 1, 2, 10, 12, 20, 21, 22, 9}) b[i] = 1;
  b[11] = 2;
  auto joins = [&](int cell) { return b[cell] == 1; };
  Board flags{};
  flags[0] = grid::kFlag;
  std::vector<int> order;
  EXPECT_EQ(grid::GrowFlagged(flags, {}, joins, [&](int c) { order.push_back(c); }), 7);
  ASSERT_FALSE(order.empty());
  EXPECT_EQ(order.front(), 1);  // ascending passes, each seeing its own flags
  EXPECT_EQ(flags[11], 0);
  EXPECT_EQ(flags[9], 0);
  Board byIndex{};
  byIndex[0] = grid::kFlag;
  EXPECT_EQ(grid::GrowFlagged(byIndex, {.inRow = false}, joins), 8);
  EXPECT_EQ(byIndex[9], grid::kFlag);
  // linkJoins: a flagged cell that does not itself join passes nothing on.
  Board link{};
  link[11] = grid::kFlag;
  EXPECT_EQ(grid::GrowFlagged(link, {.linkJoins = true}, joins), 0);
  EXPECT_EQ(grid::GrowFlagged(link, {}, joins), 8);
}

TEST(Grid, EachGapOfAColumnFallsInItsOwnStep) {
  Board b = Numbered(), flags{};
  flags[14] = flags[64] = -1;  // two gaps far apart in column 4
  flags[7] = -1;               // a gap in the top row of column 7
  std::array<int16_t, 10> row, flag;
  row.fill(9);
  int steps = 0;
  std::vector<int> drawn;
  while (grid::FindFallingColumns(row, flag, 10, 10, [&](int cell) { return flags[cell] == -1; })) {
    ASSERT_LT(steps, 100) << "the fall never ends: " << steps << " steps";
    grid::FallStep(b, flags, row, flag, 10, -5, [&](int c) { drawn.push_back(c); });
    ++steps;
  }
  EXPECT_EQ(steps, 2);
  EXPECT_EQ(b[94], 94);
  EXPECT_EQ(b[64], 54);
  EXPECT_EQ(b[24], 4);
  EXPECT_EQ(b[14], -5);
  EXPECT_EQ(b[4], -5);
  EXPECT_EQ(b[7], -5);
  EXPECT_EQ(b[17], 17);
  EXPECT_EQ(flags, Board{});  // flags travel with the cells and leave at the top
  ASSERT_FALSE(drawn.empty());
  EXPECT_EQ(drawn.front(), 64);  // from the gap upwards
  // A fall row out of range (written by the driver) is clamped, never read past the board.
  row.fill(500);
  flags[99] = -1;
  EXPECT_TRUE(grid::FindFallingColumns(row, flag, 10, 10, [&](int cell) { return flags[cell] == -1; }));
  EXPECT_EQ(row[9], 9);
}

TEST(Grid, EmptyColumnsCloseToTheLeft) {
  Board b;
  b.fill(7);  // 7 is empty here
  b[90] = 1;
  b[92] = 2;
  b[82] = 3;
  EXPECT_FALSE(grid::BottomEmpty(b, 0, 10, 10, 7));
  EXPECT_TRUE(grid::BottomEmpty(b, 1, 10, 10, 7));
  EXPECT_TRUE(grid::FilledColumnRightOf(b, 1, 10, 10, 7));
  EXPECT_FALSE(grid::FilledColumnRightOf(b, 2, 10, 10, 7));
  const auto changed = grid::ShiftColumnsLeft(b, 1, 10, 10, 7);
  EXPECT_EQ(b[91], 2);
  EXPECT_EQ(b[81], 3);
  EXPECT_EQ(b[92], 7);
  EXPECT_EQ(changed.size(), 100u - 10u);  // columns 1..9, every row
}
