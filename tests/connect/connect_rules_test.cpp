// The connect games' rules on boards given by the tests.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <vector>

#include "connect_rules.h"

using namespace connect;

namespace {
// A board from a text picture of digits (one per cell), rows of `cols`.
template <size_t N>
std::array<int16_t, N> boardOf(const std::string& picture) {
  std::array<int16_t, N> b{};
  size_t i = 0;
  for (char ch : picture)
    if (ch >= '0' && ch <= '9') b.at(i++) = static_cast<int16_t>(ch - '0');
  EXPECT_EQ(i, N);
  return b;
}
Random seeded(uint32_t seed) {
  auto gen = std::make_shared<std::mt19937>(seed);
  return [gen] { return std::uniform_real_distribution<double>(0, 1)(*gen); };
}
Random scripted(std::vector<double> v) {
  auto at = std::make_shared<size_t>(0);
  return [v, at] { return v.at((*at)++ % v.size()); };
}
}  // namespace

TEST(ConnectRules, DealHoldsEveryKindExactlyNTimes) {
  struct Case { int cells, n; int16_t base; };
  for (Case c : {Case{100, 2, 0}, {100, 4, 0}, {100, 5, 1}, {100, 10, 0}, {100, 20, 1}, {100, 25, 0},
                 {100, 50, 0}, {64, 2, 0}, {64, 4, 0}, {64, 8, 0}, {64, 16, 0}}) {
    std::vector<int16_t> b(c.cells);
    Deal(b, c.n, c.base, seeded(c.cells + c.n));
    std::map<int, int> count;
    for (int16_t k : b) ++count[k];
    ASSERT_EQ(static_cast<int>(count.size()), c.cells / c.n) << c.cells << "/" << c.n;
    for (auto [k, m] : count) {
      EXPECT_EQ(m, c.n) << "kind " << k;
      EXPECT_GE(k, c.base);
      EXPECT_LT(k, c.base + c.cells / c.n);
    }
  }
  // A taken cell sends the copy forward, wrapping past the last cell.
  std::vector<int16_t> b(4);
  Deal(b, 2, 0, scripted({0.99, 0.99, 0.99, 0.0}));  // cells 3, 0 (wrapped), 1, 0 -> 2
  EXPECT_EQ(b, (std::vector<int16_t>{1, 0, 1, 0}));
}

TEST(ConnectRules, OnlyGroupsOfExactlyNJoinedCopiesComplete) {
  // Kind 1: a joined row of three; kind 2: two joined and one apart; kind 3: joined only across
  // a row end; kind 0: the grey fields, joined but never a group.
  Cells b = boardOf<100>(
      "1110000000"
      "2200000000"
      "0000000003"
      "3000000002"
      "4444444444"
      "4444444444"
      "4444444444"
      "4444444444"
      "4444444444"
      "4444444444");
  b[29] = 3; b[30] = 3;  // 29 ends row 2, 30 starts row 3
  Cells done{};
  auto groups = CompletedGroups(b, done, 3, Shape{}, 0);
  ASSERT_EQ(groups.size(), 1u);
  EXPECT_EQ(groups[0], (std::vector<int>{0, 1, 2}));

  // Joining the last copy of kind 2 completes it; a group larger than n does not.
  b[20] = 2; b[39] = 0;
  groups = CompletedGroups(b, done, 3, Shape{}, 0);
  ASSERT_EQ(groups.size(), 2u);
  EXPECT_EQ(groups[1], (std::vector<int>{10, 11, 20}));

  // Done cells start nothing and the grey kind never forms a group, however many join.
  for (int i : {0, 1, 2}) done[i] = kTrue;
  groups = CompletedGroups(b, done, 3, Shape{}, 0);
  ASSERT_EQ(groups.size(), 1u);
  EXPECT_EQ(groups[0].front(), 10);
  Cells zeros{};
  zeros[0] = 1;
  EXPECT_TRUE(CompletedGroups(zeros, Cells{}, 99, Shape{}, 0).empty());
  EXPECT_EQ(CompletedGroups(zeros, Cells{}, 99, Shape{}).size(), 1u);  // no grey kind: 99 zeros join

  // An 8 x 8 board bounds its rows at 8.
  KlumpaCells k{};
  for (int i = 0; i < 64; ++i) k[i] = static_cast<int16_t>(i % 2 ? 1 : 2 + i);  // only kind 1 repeats
  k[7] = 9; k[8] = 9;  // joined only by index
  KlumpaCells none{};
  EXPECT_TRUE(CompletedGroups(k, none, 2, Shape{8, 8}).empty());
  k[15] = 9;
  groups = CompletedGroups(k, none, 2, Shape{8, 8});
  ASSERT_EQ(groups.size(), 1u);
  EXPECT_EQ(groups[0], (std::vector<int>{7, 15}));
}

TEST(ConnectRules, PaymentsStopAtZero) {
  struct Case { int32_t cash, cost, left; };
  for (Case c : {Case{5, 1, 4}, {1, 1, 0}, {0, 1, 0}, {7, 10, 0}, {12, 10, 2}, {2, 4, 0}, {0, 10, 0}})
    EXPECT_EQ(Pay(c.cash, c.cost), c.left) << c.cash << " - " << c.cost;
  EXPECT_EQ(SkaldoCost(false), 1);
  EXPECT_EQ(SkaldoCost(true), 10);
  for (int skill : {0, 1, 2}) {
    EXPECT_EQ(TwirnoCost(false, skill), 1);
    EXPECT_EQ(TwirnoCost(true, skill), 2 + skill);
  }
}

TEST(ConnectRules, WendrixSlidesOnlyIntoTheBlackFieldBesideIt) {
  struct Case { int black, click; bool moves; };
  for (Case c : {Case{45, 44, true}, {45, 46, true}, {45, 35, true}, {45, 55, true}, {45, 47, false},
                 {45, 34, false}, {40, 39, false}, {39, 40, false}, {9, 10, false}, {10, 9, false},
                 {0, 1, true}, {99, 89, true}}) {
    Cells board, done{}, black{};
    board.fill(3);
    board[c.black] = 0;
    black[c.black] = kTrue;
    done[c.click] = kTrue;
    const Cells before = board;
    auto moved = Slide(board, done, black, c.click);
    if (!c.moves) {
      EXPECT_TRUE(moved.empty()) << c.click;
      EXPECT_EQ(board, before);
      continue;
    }
    EXPECT_EQ(moved, std::vector<int>{c.black}) << c.click;
    EXPECT_EQ(board[c.black], 3);
    EXPECT_EQ(board[c.click], 0);
    EXPECT_TRUE(black[c.click] && !black[c.black]);
    EXPECT_TRUE(done[c.black] && !done[c.click]);  // the done flag travels with the picture
  }
  // The black field itself and a grey field do not slide; a grey field becomes the black field.
  Cells board{}, done{}, black{};
  board.fill(2);
  board[5] = board[6] = 0;
  black[5] = kTrue;
  EXPECT_TRUE(Slide(board, done, black, 5).empty());
  EXPECT_TRUE(Slide(board, done, black, 6).empty());
  EXPECT_EQ(MakeBlack(black, 6), std::vector<int>{5});
  EXPECT_TRUE(black[6] && !black[5]);
}

TEST(ConnectRules, SkaldoDropsOnlyOntoGreyFields) {
  Cells board, done{};
  board.fill(4);
  board[90] = 0;
  done[3] = kTrue;
  EXPECT_FALSE(DropOnGrey(board, done, 3, 4));   // onto a picture
  EXPECT_FALSE(DropOnGrey(board, done, 3, 3));   // onto itself
  EXPECT_TRUE(DropOnGrey(board, done, 3, 90));   // far away
  EXPECT_EQ(board[90], 4);
  EXPECT_EQ(board[3], 0);
  EXPECT_TRUE(done[90] && !done[3]);
}

TEST(ConnectRules, TwirnoTurnsTheRingOfEight) {
  Cells board, done{};
  for (int i = 0; i < 100; ++i) board[i] = static_cast<int16_t>(i);
  done[33] = kTrue;  // top left of the ring around 44
  TurnRing(board, done, 44, true);
  // Clockwise: top left -> top -> top right -> right -> bottom right -> bottom -> bottom left -> left.
  EXPECT_EQ(board[34], 33);
  EXPECT_EQ(board[35], 34);
  EXPECT_EQ(board[45], 35);
  EXPECT_EQ(board[55], 45);
  EXPECT_EQ(board[54], 55);
  EXPECT_EQ(board[53], 54);
  EXPECT_EQ(board[43], 53);
  EXPECT_EQ(board[33], 43);
  EXPECT_EQ(board[44], 44);
  EXPECT_TRUE(done[34] && !done[33]);
  TurnRing(board, done, 44, false);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(board[i], i);
  EXPECT_TRUE(done[33] && !done[34]);

  for (int i = 0; i < 100; ++i) {
    const bool edge = i < 10 || i >= 90 || i % 10 == 0 || i % 10 == 9;
    EXPECT_EQ(IsBorderCell(i), edge) << i;
  }
}

TEST(ConnectRules, KlumpaNeighboursByIndexAcrossRowEnds) {
  EXPECT_TRUE(KlumpaNeighbours(7, 8));
  EXPECT_TRUE(KlumpaNeighbours(8, 7));
  EXPECT_TRUE(KlumpaNeighbours(20, 28));
  EXPECT_TRUE(KlumpaNeighbours(63, 55));
  EXPECT_FALSE(KlumpaNeighbours(63, 64));
  EXPECT_FALSE(KlumpaNeighbours(0, 9));
  EXPECT_FALSE(KlumpaNeighbours(5, 5));
}

TEST(ConnectRules, KlumpaTargetSkipsCompleteKindsAndNeverLoopsWhenAllAre) {
  KlumpaCells board, done{};
  for (int i = 0; i < 64; ++i) board[i] = static_cast<int16_t>(i / 16);  // four kinds of 16
  for (int i = 0; i < 32; ++i) done[i] = kTrue;                         // kinds 0 and 1 complete
  // Draws: kind 0 again (redrawn: same as the target), kind 1 (complete, r = 1), kind 3, r = 2.
  int16_t target = 0, marked = 0;
  ASSERT_TRUE(ChooseTarget(board, done, 16, target, marked,
                           scripted({0.0, 0.3, 0.0, 0.8, 1.5 / 16})));
  EXPECT_EQ(target, 3);
  EXPECT_EQ(marked, 49);
  // A retry differs from the kind just tried, so the first target may come back.
  for (int i = 32; i < 48; ++i) done[i] = kTrue;  // only kind 3 is open
  target = 3;
  ASSERT_TRUE(ChooseTarget(board, done, 16, target, marked, seeded(7)));
  EXPECT_EQ(target, 3);
  EXPECT_GE(marked, 48);
  // Every kind complete: nothing drawn, nothing changed.
  done.fill(kTrue);
  target = 2;
  marked = 17;
  int draws = 0;
  EXPECT_FALSE(ChooseTarget(board, done, 16, target, marked, [&] { ++draws; return 0.5; }));
  EXPECT_EQ(draws, 0);
  EXPECT_EQ(target, 2);
  EXPECT_EQ(marked, 17);
}
