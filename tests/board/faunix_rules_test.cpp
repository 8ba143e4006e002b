// Faunix's rules: the line counts and the goal.
#include <gtest/gtest.h>

#include <algorithm>

#include "board_text.h"
#include "faunix_rules.h"

using board::Cells;
using boardtest::Parse;

TEST(FaunixRules, DealHoldsEveryKindNTimes) {
  for (int n = 4; n <= 10; ++n) {
    Cells b;
    faunix::Deal(b, n, boardtest::Seeded(100 + n));
    for (int kind = 1; kind <= n; ++kind) EXPECT_EQ(std::count(b.begin(), b.end(), kind), n) << n;
    EXPECT_EQ(std::count(b.begin(), b.end(), -1), 100 - n * n);
  }
  // The probe walks on from a taken cell, past the last cell to the first.
  Cells b;
  faunix::Deal(b, 4, boardtest::Picks({15}, 16));
  EXPECT_EQ(b, Parse("2 3 4 1  2 3 4 1  2 3 4 1  2 3 4 1"));
}

TEST(FaunixRules, LineCountsAndGoal) {
  struct Case {
    const char* board;
    std::vector<int> rows, columns;
    bool complete;
  };
  const Case cases[] = {
      {"1 2 3 4  2 3 4 1  3 4 1 2  4 1 2 3", {4, 4, 4, 4}, {4, 4, 4, 4}, true},
      {"1 1 1 1  2 2 2 2  3 3 3 3  4 4 4 4", {1, 1, 1, 1}, {4, 4, 4, 4}, false},
      {"1 2 3 4  1 2 3 4  1 2 3 4  1 2 3 4", {4, 4, 4, 4}, {1, 1, 1, 1}, false},
      {"2 1 3 4  2 3 4 1  3 4 1 2  4 1 2 3", {4, 4, 4, 4}, {3, 3, 4, 4}, false},
  };
  for (const Case& c : cases) {
    const faunix::LineCounts counts = faunix::CountLines(Parse(c.board), 4);
    EXPECT_EQ(std::vector<int>(counts.rows.begin(), counts.rows.begin() + 4), c.rows) << c.board;
    EXPECT_EQ(std::vector<int>(counts.columns.begin(), counts.columns.begin() + 4), c.columns) << c.board;
    EXPECT_EQ(faunix::Complete(counts, 4), c.complete) << c.board;
  }
  // A swap inside a row keeps the row's count and changes the two columns'.
  Cells b = Parse("1 2 3 4  2 3 4 1  3 4 1 2  4 1 2 3");
  faunix::Swap(b, 0, 1);
  const faunix::LineCounts counts = faunix::CountLines(b, 4);
  EXPECT_EQ(counts.rows[0], 4);
  EXPECT_EQ(counts.columns[0], 3);
  EXPECT_EQ(counts.columns[1], 3);
  EXPECT_EQ(counts.sum, 30);
}
