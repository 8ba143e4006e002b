// Flippa's rules: the four looks, the neighbours of each variant and the scrambled deal.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "board_text.h"
#include "flippa_rules.h"

using board::Cells;
using boardtest::Parse;

TEST(FlippaRules, NeighboursOfEachVariant) {
  struct Case {
    int cell, n, variant;
    std::vector<int> targets;
  };
  const Case cases[] = {
      {0, 4, flippa::kCross, {1, 4}},
      {0, 4, flippa::kSquare, {1, 4, 5}},
      {3, 4, flippa::kCross, {2, 7}},  // the row's end does not reach the next row
      {4, 4, flippa::kSquare, {5, 8, 0, 1, 9}},
      {5, 4, flippa::kCross, {6, 4, 9, 1}},
      {5, 4, flippa::kSquare, {6, 4, 9, 1, 0, 2, 8, 10}},
      {15, 4, flippa::kSquare, {14, 11, 10}},
      {13, 7, flippa::kSquare, {12, 20, 6, 5, 19}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(flippa::FlipTargets(c.cell, c.n, c.variant), c.targets) << c.cell << " n " << c.n;

  // Every cell of every size: the cells on the board one step away, across an edge (Cross) or
  // also across a corner (Square), and no others.
  for (int n = 4; n <= 10; ++n)
    for (int i = 0; i < n * n; ++i)
      for (int variant : {flippa::kCross, flippa::kSquare}) {
        std::set<int> want;
        for (int dr = -1; dr <= 1; ++dr)
          for (int dc = -1; dc <= 1; ++dc) {
            const int r = i / n + dr, c = i % n + dc;
            if ((dr || dc) && (variant == flippa::kSquare || !(dr && dc)) && r >= 0 && r < n && c >= 0 && c < n)
              want.insert(r * n + c);
          }
        const std::vector<int> got = flippa::FlipTargets(i, n, variant);
        const std::string at = "cell " + std::to_string(i) + " n " + std::to_string(n) + " variant " +
                               std::to_string(variant);
        EXPECT_EQ(std::set<int>(got.begin(), got.end()), want) << at;
        EXPECT_EQ(got.size(), want.size()) << at;
      }
}

TEST(FlippaRules, FourStepsBringEveryLookBack) {
  Cells b = Parse("1 2 1 2  1 1 1 1  2 2 2 2  1 1 1 1"), up = Parse("0 -1 0 0  -1 0 0 0  0 0 0 -1  0 0 0 0", 0);
  const Cells b0 = b, up0 = up;
  const int16_t looks[][2] = {{1, -1}, {2, 0}, {2, -1}, {1, 0}};  // from (1, upright)
  Cells one = Parse("1", 1), oneUp{};
  for (const auto& look : looks) {
    flippa::FlipCell(one, oneUp, 0);
    EXPECT_EQ(one[0], look[0]);
    EXPECT_EQ(oneUp[0], look[1]);
  }
  std::vector<int> stepped;
  for (int k = 0; k < 4; ++k)
    flippa::FlipNeighbours(b, up, 5, 4, flippa::kSquare, [&](int i) { stepped.push_back(i); });
  EXPECT_EQ(b, b0);
  EXPECT_EQ(up, up0);
  EXPECT_EQ(stepped.size(), 32u);
  EXPECT_EQ(std::set<int>(stepped.begin(), stepped.end()).count(5), 0u);  // never the clicked cell
}

TEST(FlippaRules, DealIsAScrambleOfASolvedBoard) {
  for (auto [n, clicks] : {std::pair{4, 28}, {7, 217}, {10, 730}}) {
    Cells b, up{};
    int pumped = 0;
    flippa::Deal(b, up, n, flippa::kCross, boardtest::Seeded(n), [&] { ++pumped; });
    EXPECT_EQ(pumped, clicks);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(b[i] == -1, i >= n * n) << i;
  }
  // Looks cycle in fours and clicks commute: three more clicks on the cell picked 17 times undo it.
  Cells b, up{};
  flippa::Deal(b, up, 5, flippa::kSquare, boardtest::Picks({3, 17, 24, 0}, 25));
  EXPECT_FALSE(flippa::Solved(b, 5) && up == Cells{});
  for (int k = 0; k < 3; ++k) flippa::FlipNeighbours(b, up, 3, 5, flippa::kSquare);
  EXPECT_TRUE(flippa::Solved(b, 5));
  EXPECT_EQ(b[0], 1);
  for (int i = 0; i < 25; ++i) EXPECT_EQ(up[i], 0) << i;
}

TEST(FlippaRules, SolvedIgnoresOrientation) {
  EXPECT_TRUE(flippa::Solved(Parse("2 2 2 2  2 2 2 2  2 2 2 2  2 2 2 2"), 4));
  EXPECT_TRUE(flippa::Solved(Parse("1 1 1 1  1 1 1 1  1 1 1 1  1 1 1 1  2 2"), 4));  // cells beyond n x n
  EXPECT_FALSE(flippa::Solved(Parse("2 2 2 2  2 2 2 2  2 2 2 2  2 2 2 1"), 4));
}
