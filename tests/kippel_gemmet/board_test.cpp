// The transforms and the fall that Kippel and Gemmet share, on plain boards.
#include <gtest/gtest.h>

#include "removal_window_rules.h"

using namespace removal;

TEST(RemovalBoard, TransformsRestoreTheBoard) {
  Cells start;
  for (int i = 0; i < kCells; ++i) start[i] = static_cast<int16_t>(i);
  Cells b = start;
  FlipVertical(b);
  EXPECT_EQ(b[0], 90);
  FlipVertical(b);
  EXPECT_EQ(b, start);
  RotateLeft(b);
  EXPECT_EQ(b[0], 9);    // the top right corner comes to the top left
  EXPECT_EQ(b[12], 28);  // (1, 2) takes (2, 8)
  RotateRight(b);
  EXPECT_EQ(b, start);
  RotateRight(b);
  EXPECT_EQ(b[0], 90);
  RotateLeft(b);
  for (int i = 0; i < 4; ++i) {
    EXPECT_TRUE(i == 0 || b != start);
    RotateLeft(b);
  }
  EXPECT_EQ(b, start);
}

TEST(RemovalBoard, EachGapOfAColumnFallsInItsOwnStep) {
  Cells b, flags{};
  for (int i = 0; i < kCells; ++i) b[i] = static_cast<int16_t>(i);
  flags[14] = flags[64] = -1;  // two gaps far apart in column 4
  flags[7] = -1;               // a gap in the top row of column 7
  Columns row, flag;
  row.fill(kSide - 1);
  int steps = 0;
  while (FindFallingColumns(row, flag, [&](int cell) { return flags[cell] == -1; })) {
    FallStep(b, flags, row, flag, -5, nullptr);
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
  EXPECT_EQ(flags, Cells{});  // flags travel with the cells and leave at the top
}
