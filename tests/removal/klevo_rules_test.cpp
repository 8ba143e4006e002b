#include <cmath>

#include <gtest/gtest.h>

#include "board_text.h"
#include "klevo_rules.h"

using namespace klevo;

namespace {

// Ten rows of ten cells: the kinds, '.' for an empty cell.
Board BoardOf(const std::string& rows) { return boardtest::Parse<Board>(rows, kEmpty, {{".", kEmpty}}); }

// A board without any group: orthogonal neighbours always differ.
Board Checkerboard() {
  Board b;
  for (int i = 0; i < kCells; ++i) b[i] = ((i / 10 + i % 10) % 2) ? 3 : 4;
  return b;
}

std::vector<int> Sorted(std::vector<int> v) {
  std::sort(v.begin(), v.end());
  return v;
}

// The whole fall as the window runs it; returns the number of 50-ms steps, or -1 for a fall
// that outlasts every cell of the board falling one by one (it would never end).
int Fall(Board& b, Marks& m) {
  ClearMarked(b, m);
  ColumnRows start, falling{};
  start.fill(9);
  int steps = 0;
  while (FindFalling(m, start, falling)) {
    if (steps > kCells) return -1;
    FallStep(b, m, start, falling);
    ++steps;
  }
  return steps;
}

}  // namespace

TEST(KlevoGroups, RowsDoNotWrapAndDiagonalsDoNotCount) {
  Board b = Checkerboard();
  b[9] = 1;   // last cell of row 0
  b[10] = 1;  // first cell of row 1
  b[39] = 2;
  b[40] = kJoker;
  b[44] = 0;
  b[55] = 0;  // touches 44 only at a corner
  EXPECT_FALSE(CanRemove(b, 9));
  EXPECT_FALSE(CanRemove(b, 10));
  EXPECT_FALSE(CanRemove(b, 39));
  EXPECT_FALSE(CanRemove(b, 40));
  EXPECT_FALSE(CanRemove(b, 44));
  EXPECT_TRUE(CanRemove(b, 41)) << "the wild picture at 40 is an orthogonal partner";
  b[41] = 2;  // the wild picture now sits between 39 (end of the row above) and 41
  Marks m{};
  EXPECT_EQ(Sorted(FlagGroup(b, m, 41, {})), (std::vector<int>{40, 41}));
  EXPECT_EQ(m[39], 0);
}

TEST(KlevoGroups, WildJoinsAnyGroupButAClickedWildOnlyWild) {
  Board b = Checkerboard();
  // Row 5: 1 1 W 1 1 links two pairs through the wild picture.
  for (int c = 2; c <= 6; ++c) b[50 + c] = 1;
  b[54] = kJoker;
  Marks m{};
  EXPECT_EQ(Sorted(FlagGroup(b, m, 52, {})), (std::vector<int>{52, 53, 54, 55, 56}));

  // A W A with A clicked takes all three.
  Board a = Checkerboard();
  a[0] = 2, a[1] = kJoker, a[2] = 2;
  Marks ma{};
  EXPECT_EQ(Sorted(FlagGroup(a, ma, 0, {})), (std::vector<int>{0, 1, 2}));

  // A wild picture among ordinary ones stays; two wild ones go together, alone.
  Board w = Checkerboard();
  w[33] = kJoker;
  EXPECT_FALSE(CanRemove(w, 33));
  w[34] = kJoker;
  w[35] = 3;  // of the kind of its other neighbours, but not wild
  EXPECT_TRUE(CanRemove(w, 33));
  Marks mw{};
  EXPECT_EQ(Sorted(FlagGroup(w, mw, 33, {})), (std::vector<int>{33, 34}));
}

TEST(KlevoGroups, FlagsFollowAscendingPassesFromTheClickedCell) {
  Board b = Checkerboard();
  for (int r = 3; r <= 5; ++r) b[r * 10 + 5] = 0;  // a column 35, 45, 55
  b[56] = 0;
  Marks m{};
  std::vector<int> seen;
  auto order = FlagGroup(b, m, 56, [&](int cell) { seen.push_back(cell); });
  // A pass sees only the flags set before it reaches a cell: growing upwards takes a pass a row.
  EXPECT_EQ(order, (std::vector<int>{56, 55, 45, 35}));
  EXPECT_EQ(seen, order);
}

TEST(KlevoHelpers, BlastLaddersAndHeart) {
  Board b = Checkerboard();
  EXPECT_EQ(Sorted(HelperCells(b, kBomb, 0)), (std::vector<int>{0, 1, 10, 11}));
  EXPECT_EQ(Sorted(HelperCells(b, kBomb, 99)), (std::vector<int>{88, 89, 98, 99}));
  EXPECT_EQ(Sorted(HelperCells(b, kBomb, 50)), (std::vector<int>{40, 41, 50, 51, 60, 61}));
  EXPECT_EQ(HelperCells(b, kBomb, 55).size(), 9u);
  EXPECT_EQ(HelperCells(b, kRowLadder, 37), (std::vector<int>{30, 31, 32, 33, 34, 35, 36, 37, 38, 39}));
  EXPECT_EQ(HelperCells(b, kColumnLadder, 37), (std::vector<int>{7, 17, 27, 37, 47, 57, 67, 77, 87, 97}));

  b[12] = kJoker, b[77] = kJoker, b[40] = 1, b[81] = 1;
  EXPECT_EQ(HelperCells(b, kHeart, 77), (std::vector<int>{12, 77}));
  EXPECT_EQ(HelperCells(b, kHeart, 40), (std::vector<int>{40, 81})) << "the heart leaves wild pictures";
}

TEST(KlevoDeal, WildComesOnlyAboveFourFifthsInSinglePrecision) {
  const float justBelow = std::nextafter(0.8f, 0.0f);
  const float top = std::nextafter(1.0f, 0.0f);
  EXPECT_EQ(DealKind(justBelow, top), 4);
  EXPECT_EQ(DealKind(0.8f, top), kJoker);
  EXPECT_EQ(DealKind(0.8f, 0.8f), 4);
  EXPECT_EQ(DealKind(0.0f, 0.0f), 0);
  // Over an even grid of draws: each kind 29/150, the wild kind 1/30.
  std::array<int, 6> count{};
  for (int i = 0; i < 1000; ++i)
    for (int j = 0; j < 1200; ++j) ++count[DealKind((i + 0.5f) / 1000.0f, (j + 0.5f) / 1200.0f)];
  for (int k = 0; k < 5; ++k) EXPECT_EQ(count[k], 232000) << k;
  EXPECT_EQ(count[5], 40000);
}

TEST(KlevoFall, StepsAreTheLargestFlagCountOfAnyColumn) {
  // Column 2: three flagged cells one above the other under two pictures.
  Board b = BoardOf(R"(
    . . 1 . . . . . . .
    . . 2 . . . . . . .
    . . 0 . . 1 . . . .
    . . 0 . . 2 . . . .
    . . 0 . . 0 . . . .
    . . 3 . . 0 . . . .
    . . 4 . . 0 . . . .
    . . 4 . . 0 . . . .
    . . 4 . . 3 . . . .
    . . 4 . . 4 . . . .)");
  Marks m{};
  for (int r = 2; r <= 4; ++r) m[r * 10 + 2] = kFlagged;
  for (int r = 4; r <= 7; ++r) m[r * 10 + 5] = kFlagged;  // four in column 5
  EXPECT_EQ(Fall(b, m), 4);
  EXPECT_EQ(b, BoardOf(R"(
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . 1 . . . . . . .
    . . 2 . . . . . . .
    . . 3 . . . . . . .
    . . 4 . . 1 . . . .
    . . 4 . . 2 . . . .
    . . 4 . . 3 . . . .
    . . 4 . . 4 . . . .)"));
  // Flags travel with their cells: the upper flag is removed in the second step.
  Board c = BoardOf(R"(
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    1 . . . . . . . . .
    2 . . . . . . . . .
    3 . . . . . . . . .
    4 . . . . . . . . .
    0 . . . . . . . . .)");
  Marks mc{};
  mc[60] = kFlagged;
  mc[80] = kFlagged;
  EXPECT_EQ(Fall(c, mc), 2);
  EXPECT_EQ(c, BoardOf(R"(
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    1 . . . . . . . . .
    3 . . . . . . . . .
    0 . . . . . . . . .)"));
}

TEST(KlevoShop, PricesGrowAsTheyShould) {
  int32_t heart = kNewGamePrices[kShopHeart];
  std::vector<int32_t> hearts;
  for (int i = 0; i < 11; ++i) hearts.push_back(heart = RaisedPrice(kShopHeart, heart, 1));
  EXPECT_EQ(hearts, (std::vector<int32_t>{10, 20, 40, 80, 160, 320, 640, 1280, 2560, 2560, 2560}));
  EXPECT_EQ(RaisedPrice(kShopBomb, 0, 1), 1);
  EXPECT_EQ(RaisedPrice(kShopRowLadder, 4, 3), 7);
  EXPECT_EQ(RaisedPrice(kShopColumnLadder, 7, 3), 10);
  EXPECT_EQ(TurnPrice(0), 8);
  EXPECT_EQ(TurnPrice(4), 12);

  EXPECT_FALSE(LevelDownAllowed(1, 100));
  EXPECT_FALSE(LevelDownAllowed(3, 0));
  int32_t level = 3, money = 7;
  Prices p = {4, 0, 9, 40};
  LevelDown(level, money, p);
  EXPECT_EQ(level, 2);
  EXPECT_EQ(money, 3);
  EXPECT_EQ(p, (Prices{6, 2, 11, 80}));
  p[kShopHeart] = 2560;
  LevelDown(level, money, p);
  EXPECT_EQ(p[kShopHeart], 2560);
  EXPECT_EQ(money, 1);
}

TEST(KlevoTurns, QuarterAndHalfTurnsMoveEveryCell) {
  Board start;
  for (int i = 0; i < kCells; ++i) start[i] = static_cast<int16_t>(i);
  Board right = start, left = start, half = start;
  TurnBoard(right, kTurnRight);
  TurnBoard(left, kTurnLeft);
  TurnBoard(half, kTurnHalf);
  for (int r = 0; r < 10; ++r)
    for (int c = 0; c < 10; ++c) {
      EXPECT_EQ(right[r * 10 + c], start[(9 - c) * 10 + r]);  // clockwise
      EXPECT_EQ(left[r * 10 + c], start[c * 10 + 9 - r]);
      EXPECT_EQ(half[(9 - r) * 10 + 9 - c], start[r * 10 + c]);
    }
  TurnBoard(right, kTurnLeft);
  EXPECT_EQ(right, start);
  EXPECT_EQ(TurnAngles(kTurnRight), (std::vector<double>{10, 30, 50, 70, 90}));
  EXPECT_EQ(TurnAngles(kTurnLeft), (std::vector<double>{350, 330, 310, 290, 270}));
  EXPECT_EQ(TurnAngles(kTurnHalf), (std::vector<double>{15, 45, 75, 105, 135, 165}));
}

TEST(KlevoRandomImage, ColumnSearchWrapsAndAFullTopRowRefuses) {
  Board b = Checkerboard();
  for (int c : {1, 4}) b[c] = kEmpty;
  EXPECT_EQ(RandomImageColumn(b, 4), 4);
  EXPECT_EQ(RandomImageColumn(b, 5), 1);  // 5..9 full, wraps to 0, 1
  EXPECT_EQ(RandomImageColumn(b, 2), 4);
  EXPECT_EQ(RandomImageColumn(Checkerboard(), 7), -1);
  Board col = BoardOf(R"(
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    1 . . . . . . . . .
    2 . . . . . . . . .)");
  EXPECT_EQ(CellsUnderTop(col, 0), (std::vector<int>{10, 20, 30}));
  EXPECT_EQ(CellsUnderTop(Checkerboard(), 3), std::vector<int>{});
}

TEST(KlevoThemes, CyclingWrapsAndSkillsMapToLines) {
  EXPECT_EQ(NextTheme(-1, true), 0);
  EXPECT_EQ(NextTheme(8, true), 9);
  EXPECT_EQ(NextTheme(9, true), 0);
  EXPECT_EQ(NextTheme(9, false), 9);
  EXPECT_EQ(NextTheme(3, false), 3);
  EXPECT_EQ(SkillLetter(0) + SkillLetter(2) + SkillLetter(4), "EMH");
  EXPECT_EQ(SkillLine(0), 0);
  EXPECT_EQ(SkillLine(2), 1);
  EXPECT_EQ(SkillLine(4), 2);
}
