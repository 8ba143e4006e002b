// Brenx: moves around blocking kinds, the groups that are collected and the refill's draws.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "brenx_rules.h"

using namespace brenx;

namespace {
// A board on which no two orthogonal neighbours are equal (kinds 1..4).
Cells quiet() {
  Cells b;
  for (int i = 0; i < kCells; ++i) b[i] = static_cast<int16_t>(1 + (2 * (i / 10) + i % 10) % 4);
  return b;
}

std::function<double()> script(std::vector<double> v) {
  auto data = std::make_shared<std::vector<double>>(std::move(v));
  auto at = std::make_shared<size_t>(0);
  return [data, at] { return data->at((*at)++); };
}
}  // namespace

TEST(BrenxRules, MoveLegalityWithBlockingKindsAndModifiers) {
  Cells b = quiet();
  b[19] = 7;  // last of row 1
  b[20] = 8;  // first of row 2: an index neighbour of 19
  b[44] = 5;
  b[45] = 6;  // blocking
  b[54] = 5;  // same kind below 44
  b[43] = 6;  // blocking, left of 44
  b[33] = 9;  // blocking selected picture
  b[34] = 1;
  KindFlags blocking{};
  blocking[6] = blocking[9] = kFlagged;
  struct Case {
    int selected, target, shift;
    MoveCheck want;
  } cases[] = {
      {44, 34, 0, MoveCheck::Ok},
      {44, 45, 0, MoveCheck::TargetBlocking},
      {44, 45, 1, MoveCheck::Ok},  // Shift, Ctrl or Alt: onto the blocking picture
      {44, 43, 4, MoveCheck::Ok},
      {33, 34, 0, MoveCheck::SelectionBlocking},  // became blocking after it was selected
      {33, 34, 2, MoveCheck::SelectionBlocking},
      {kNoCell, 34, 0, MoveCheck::NoSelection},
      {kNoCell, 45, 0, MoveCheck::TargetBlocking},  // tested before the selection
      {44, 55, 0, MoveCheck::NotNeighbour},         // diagonal
      {44, 64, 1, MoveCheck::NotNeighbour},
      {19, 20, 0, MoveCheck::Ok},  // across the row end
      {20, 19, 0, MoveCheck::Ok},
      {44, 54, 0, MoveCheck::SameKind},
      {44, 54, 2, MoveCheck::Ok},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CheckMove(b, blocking, c.selected, c.target, c.shift), c.want)
        << c.selected << " -> " << c.target << " shift " << c.shift;
}

TEST(BrenxRules, GroupsOfAtLeastNAreCollectedWholeAndBlockingNeverJoins) {
  KindFlags blocking{};
  blocking[3] = kFlagged;
  Cells b = quiet();
  for (int c = 0; c < 6; ++c) b[50 + c] = 7;  // six in a row
  b[41] = 7;                                  // and one above: seven
  Cells none{};
  EXPECT_EQ(CollectableGroup(b, blocking, none, 50, 5), (std::vector<int>{41, 50, 51, 52, 53, 54, 55}));
  EXPECT_EQ(CollectableGroup(b, blocking, none, 41, 5).size(), 7u);
  EXPECT_TRUE(CollectableGroup(b, blocking, none, 50, 10).empty());  // fewer than n

  Cells collected{};
  collected[50] = kFlagged;  // emptied earlier in this scan: starts nothing
  EXPECT_TRUE(CollectableGroup(b, blocking, collected, 50, 5).empty());

  b = quiet();
  for (int c = 0; c < 10; ++c) b[60 + c] = 3;  // ten blocking pictures in a row
  EXPECT_TRUE(CollectableGroup(b, blocking, none, 60, 4).empty());
  b[59] = b[58] = 8;  // row 5's end and row 6's start are not joined
  b[57] = 8;
  b[70] = 8;
  EXPECT_TRUE(CollectableGroup(b, blocking, none, 59, 4).empty());
  b[56] = 8;
  EXPECT_EQ(CollectableGroup(b, blocking, none, 59, 4), (std::vector<int>{56, 57, 58, 59}));

  b = quiet();
  b[0] = kEmpty;
  b[1] = kEmpty;
  b[10] = kEmpty;
  b[11] = kEmpty;
  EXPECT_TRUE(CollectableGroup(b, blocking, none, 0, 4).empty());  // empty cells never group
}

TEST(BrenxRules, BlockingKindsAreDistinctAndPerGroupSize) {
  struct Case {
    int n, kinds, blocking, cash;
  } cases[] = {{4, 25, 4, 20}, {5, 20, 3, 30}, {10, 10, 1, 50}};
  for (const Case& c : cases) {
    EXPECT_EQ(KindCount(c.n), c.kinds);
    EXPECT_EQ(StartCash(c.n), c.cash);
    KindFlags flags;
    flags.fill(kFlagged);  // cleared first
    // The top kind, then the top kind again (redrawn), then kinds 1, 2, 3.
    const double top = (c.kinds - 0.5) / c.kinds;
    ChooseBlockingKinds(flags, c.n, script({top, top, 0.0, 0.5 / c.kinds * 3, 2.5 / c.kinds}));
    std::vector<int> set;
    for (int k = 0; k <= kMaxKinds; ++k)
      if (flags[k]) set.push_back(k);
    std::vector<int> want{c.kinds, 1, 2, 3};
    want.resize(c.blocking);
    std::sort(want.begin(), want.end());
    EXPECT_EQ(set, want) << c.n;
  }
}

TEST(BrenxRules, RefillDrawsAPositionUntilEmptyThenAKind) {
  Cells b = quiet();
  b[5] = b[42] = b[99] = kEmpty;
  // n = 5: kinds 1..20. Position 0 is taken (drawn again), 42 is empty; then 99, then 5.
  auto rnd = script({0.001, 0.425, 0.0, 0.995, 0.999, 0.051, 0.5});
  const std::vector<NewCell> added = RefillEmpty(b, 5, rnd);
  ASSERT_EQ(added.size(), 3u);
  EXPECT_EQ(added[0].cell, 42);
  EXPECT_EQ(added[0].kind, 1);
  EXPECT_EQ(added[1].cell, 99);
  EXPECT_EQ(added[1].kind, 20);
  EXPECT_EQ(added[2].cell, 5);
  EXPECT_EQ(added[2].kind, 11);
  EXPECT_EQ(b[42], 1);
  EXPECT_EQ(b[99], 20);
  EXPECT_EQ(b[5], 11);

  Cells empty{};
  int draws = 0;  // positions 0, 1, 2, ... each with kind 10
  const auto all = RefillEmpty(empty, 10, [&] {
    const int d = draws++;
    return d % 2 ? 0.95 : (d / 2 + 0.5) / 100;
  });
  EXPECT_EQ(all.size(), 100u);  // a growing list: every cell of an empty board
  EXPECT_TRUE(std::all_of(empty.begin(), empty.end(), [](int16_t k) { return k == 10; }));
}
