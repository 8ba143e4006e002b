// Whitlo's rules on boards given by the test.
#include <gtest/gtest.h>

#include <algorithm>

#include "board_text.h"
#include "whitlo_rules.h"

using board::Cells;
using board::kNoCell;
using boardtest::Parse;

TEST(WhitloRules, DealHoldsEveryKindNTimesAndNoTarget) {
  for (int n = 4; n <= 10; ++n) {
    Cells b, white;
    white.fill(7);
    int16_t target = 3;
    whitlo::Deal(b, white, target, n, boardtest::Seeded(n));
    for (int kind = 1; kind <= n; ++kind) EXPECT_EQ(std::count(b.begin(), b.end(), kind), n) << n << " " << kind;
    EXPECT_EQ(std::count(b.begin(), b.end(), -1), 100 - n * n);
    EXPECT_TRUE(std::all_of(white.begin(), white.end(), [](int16_t w) { return w == 0; }));
    EXPECT_EQ(target, kNoCell);
  }
}

TEST(WhitloRules, TargetIsNeverWhite) {
  Cells white = Parse("-1 -1 -1 -1  -1 -1 -1 -1  -1 -1 0 -1  -1 -1 -1 -1");
  for (int pick = 0; pick < 16; ++pick)
    EXPECT_EQ(whitlo::ChooseTarget(white, 4, boardtest::Picks({pick, 3, 10}, 16)), 10);
  white[10] = -1;
  EXPECT_TRUE(whitlo::AllWhite(white, 4));
  EXPECT_EQ(whitlo::ChooseTarget(white, 4, boardtest::Picks({0}, 16)), kNoCell);
  // Flags that are neither white nor clear hold no target either (no endless draw).
  white[10] = 5;
  EXPECT_EQ(whitlo::ChooseTarget(white, 4, boardtest::Picks({0}, 16)), kNoCell);
}

// A click on a 4 x 4 board: the white cells (-1) before it, the target, the draws over 16 cells.
struct ClickCase {
  const char* what;
  const char* white;
  int16_t target;
  int click;
  std::vector<int> draws;  // over 16 cells
  bool whitened;
  int16_t oldTarget, restored, targetAfter;
};

TEST(WhitloRules, ClickTable) {
  const Cells b = Parse("1 1 3 4  2 3 4 1  3 4 1 2  4 1 2 3");
  const ClickCase cases[] = {
      {"first move: the target", "0 0 0 0  0 0 0 0  0 0 0 0  0 0 0 0", 5, 5, {}, true, -1, -1, kNoCell},
      {"target next to white: nothing restored", "0 -1 0 0  0 0 0 0  0 0 0 0  0 0 0 0", 5, 5, {}, true, -1, -1,
       kNoCell},
      {"target alone: another white cell restored", "0 0 0 0  0 0 0 0  0 0 0 0  0 0 0 -1", 5, 5, {5, 15}, true, -1,
       15, kNoCell},
      {"target's kind next to white", "0 0 0 0  0 0 0 0  0 0 0 -1  0 0 0 0", 0, 10, {}, true, 0, -1, kNoCell},
      {"target's kind touching only the target", "0 0 0 0  0 0 0 0  0 0 0 0  0 0 0 0", 0, 1, {}, false, -1, -1, 0},
      {"other kind next to white", "-1 0 0 0  0 0 0 0  0 0 0 0  0 0 0 0", 10, 4, {}, false, -1, -1, 10},
      {"a row's end does not touch the next row", "0 0 0 0  -1 0 0 0  0 0 0 0  0 0 0 0", 6, 3, {}, false, -1, -1, 6},
  };
  for (const ClickCase& c : cases) {
    Cells white = Parse(c.white, 0);
    int16_t target = c.target;
    const Cells before = white;
    const whitlo::Click r =
        whitlo::Play(b, white, target, c.click, 4, boardtest::Picks(c.draws.empty() ? std::vector<int>{0} : c.draws, 16));
    EXPECT_EQ(r.whitened, c.whitened) << c.what;
    EXPECT_EQ(r.oldTarget, c.oldTarget) << c.what;
    EXPECT_EQ(r.restored, c.restored) << c.what;
    EXPECT_EQ(target, c.targetAfter) << c.what;
    EXPECT_EQ(white[c.click], c.whitened ? -1 : before[c.click]) << c.what;
    const long whites = std::count(white.begin(), white.end(), -1);
    const long whitesBefore = std::count(before.begin(), before.end(), -1);
    EXPECT_EQ(whites, whitesBefore + (c.whitened ? 1 : 0) - (r.restored >= 0 ? 1 : 0)) << c.what;
  }
}
