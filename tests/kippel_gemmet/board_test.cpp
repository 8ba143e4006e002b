// The transforms and the fall that Kippel and Gemmet share, on plain boards.
#include <gtest/gtest.h>

#include "removal_window_rules.h"

using namespace removal;

namespace {
Cells numbered() {
  Cells b;
  for (int i = 0; i < kCells; ++i) b[i] = static_cast<int16_t>(i);
  return b;
}

// Runs the fall to its end; returns the number of steps.
int fallAll(Cells& board, Cells& flags, int16_t empty) {
  Columns row, flag;
  row.fill(kSide - 1);
  int steps = 0;
  while (FindFallingColumns(row, flag, [&](int cell) { return flags[cell] == -1; })) {
    FallStep(board, flags, row, flag, empty, nullptr);
    ++steps;
  }
  return steps;
}
}  // namespace

TEST(RemovalBoard, TransformsRestoreTheBoard) {
  const Cells start = numbered();
  Cells b = start;
  FlipVertical(b);
  EXPECT_EQ(b[0], 90);
  EXPECT_EQ(b[95], 5);
  FlipVertical(b);
  EXPECT_EQ(b, start);

  RotateLeft(b);
  EXPECT_EQ(b[0], 9);    // the top right corner comes to the top left
  EXPECT_EQ(b[90], 0);   // the top left corner comes to the bottom left
  EXPECT_EQ(b[12], 28);  // (1, 2) takes (2, 8)
  RotateRight(b);
  EXPECT_EQ(b, start);

  RotateRight(b);
  EXPECT_EQ(b[0], 90);  // the bottom left corner comes to the top left
  RotateLeft(b);
  EXPECT_EQ(b, start);

  for (int i = 0; i < 4; ++i) {
    RotateLeft(b);
    if (i < 3) {
      EXPECT_NE(b, start);
    }
  }
  EXPECT_EQ(b, start);
}

TEST(RemovalBoard, EachGapOfAColumnFallsInItsOwnStep) {
  Cells b = numbered(), flags{};
  for (int cell : {73, 83, 93}) flags[cell] = -1;  // the three lowest cells of column 3
  EXPECT_EQ(fallAll(b, flags, -5), 3);
  // The rest of the column moved down three rows; the three top cells are empty and unflagged.
  for (int r = 3; r < kSide; ++r) EXPECT_EQ(b[r * 10 + 3], (r - 3) * 10 + 3) << r;
  for (int r = 0; r < 3; ++r) EXPECT_EQ(b[r * 10 + 3], -5);
  EXPECT_EQ(flags, Cells{});
  for (int c : {0, 2, 4, 9}) EXPECT_EQ(b[90 + c], 90 + c);  // other columns stay

  // Gaps far apart in one column still take one step each.
  b = numbered();
  flags = {};
  flags[14] = flags[64] = -1;
  EXPECT_EQ(fallAll(b, flags, -5), 2);
  EXPECT_EQ(b[94], 94);
  EXPECT_EQ(b[64], 54);
  EXPECT_EQ(b[24], 4);
  EXPECT_EQ(b[4], -5);
  EXPECT_EQ(b[14], -5);
}

TEST(RemovalBoard, ColumnsFallSideBySide) {
  Cells b = numbered(), flags{};
  for (int c = 0; c < kSide; ++c) flags[(c * 7 % 10) * 10 + c] = -1;  // one cell per column, rows vary
  EXPECT_EQ(fallAll(b, flags, -5), 1);
  for (int c = 0; c < kSide; ++c) EXPECT_EQ(b[c], -5) << c;
}
