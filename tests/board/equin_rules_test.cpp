// Equin's rules: the jumps, the deal and the shortest game on 4 x 4.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <vector>

#include "board_text.h"
#include "equin_rules.h"

using board::Cells;
using boardtest::Parse;

TEST(EquinRules, DealFillsTheBoardWithOneBlackKnight) {
  for (int n = 4; n <= 10; ++n) {
    Cells b;
    equin::Deal(b, n, boardtest::Picks({n * n - 1}, n * n));
    EXPECT_EQ(std::count(b.begin(), b.end(), equin::kWhiteKnight), n * n - 1);
    EXPECT_EQ(b[n * n - 1], equin::kBlackKnight);
    EXPECT_EQ(std::count(b.begin(), b.end(), -1), 100 - n * n);
  }
}

TEST(EquinRules, JumpTable) {
  // 2 black, 1 white, 3 empty.
  const Cells b = Parse("2 1 1 3  1 1 3 1  1 3 1 1  3 1 1 1");
  struct Case {
    int s, t;
    bool legal;
  };
  const Case cases[] = {
      {0, 9, false},   // black onto an empty cell
      {0, 6, false},   // black onto an empty cell, one row and two columns away
      {0, 1, false},   // one step
      {0, 5, false},   // a diagonal step
      {4, 10, false},  // white onto white
      {4, 2, false},   // white onto white
      {1, 12, false},  // three rows away
      {7, 9, true},    // white onto an empty cell, two columns back
      {3, 4, false},   // a row's end and the next row's start
      {5, 3, true},    // white onto an empty cell
      {15, 9, true},   // white onto an empty cell
      {3, 5, false},   // nothing to pick up
      {10, 0, false},  // white onto black
  };
  for (const Case& c : cases) EXPECT_EQ(equin::Legal(b, 4, c.s, c.t), c.legal) << c.s << " -> " << c.t;
  Cells eat = Parse("1 1 1 1  1 1 1 1  1 2 1 1  1 1 1 1");
  EXPECT_TRUE(equin::Legal(eat, 4, 9, 0));
  EXPECT_TRUE(equin::Legal(eat, 4, 9, 2));
  equin::Jump(eat, 9, 2);
  EXPECT_EQ(eat, Parse("1 1 2 1  1 1 1 1  1 3 1 1  1 1 1 1"));
  EXPECT_FALSE(equin::Won(eat, 4));
  EXPECT_TRUE(equin::Won(Parse("3 3 3 3  3 3 3 3  3 3 3 3  3 3 2 3"), 4));
}

// Breadth-first over every position the rules allow: the fewest jumps to a lone black knight.
TEST(EquinRules, AFourByFourGameNeedsSeventeenJumps) {
  // A position: the black knight's cell and the set of white knights.
  auto key = [](const Cells& b) {
    uint32_t whites = 0, black = 0;
    for (int i = 0; i < 16; ++i) {
      if (b[i] == equin::kWhiteKnight) whites |= 1u << i;
      if (b[i] == equin::kBlackKnight) black = static_cast<uint32_t>(i);
    }
    return black << 16 | whites;
  };
  Cells start;
  equin::Deal(start, 4, boardtest::Picks({5}, 16));
  std::vector<int8_t> dist(16u << 16, -1);
  dist[key(start)] = 0;
  std::deque<Cells> queue{start};
  int best = -1;
  while (!queue.empty() && best < 0) {
    const Cells b = queue.front();
    queue.pop_front();
    const int d = dist[key(b)];
    if (equin::Won(b, 4)) best = d;
    for (int s = 0; s < 16; ++s)
      for (int t = 0; t < 16; ++t) {
        if (!equin::Legal(b, 4, s, t)) continue;
        Cells next = b;
        equin::Jump(next, s, t);
        if (dist[key(next)] >= 0) continue;
        dist[key(next)] = static_cast<int8_t>(d + 1);
        queue.push_back(next);
      }
  }
  EXPECT_EQ(best, 17);
}
