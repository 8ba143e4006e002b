// Tumo's rules on boards set by the tests.
#include <gtest/gtest.h>

#include <set>

#include "board_text.h"
#include "tumo_rules.h"

using boardtest::CellsHolding;
using namespace tumo;

namespace {
Board emptyBoard() {
  Board b;
  b.fill(kEmpty);
  return b;
}
}  // namespace

TEST(TumoRules, NextKindAndPortholeDraws) {
  const int16_t kinds[11] = {0, 1, 2, 3, 4, kJoker, 15, 16, 17, 18, 19};
  for (int d = 0; d <= 10; ++d) EXPECT_EQ(NextKind(d), kinds[d]) << d;

  struct Case {
    int skill, draws;
  };
  for (Case c : {Case{0, 5}, Case{2, 4}, Case{4, 3}}) {
    std::vector<int> asked;
    int n = 0;
    // Columns 0, 1, ... and rows 9, 8, ... alternate; the last draw repeats an open one.
    const Portholes p = OpenPortholes(c.skill, [&](int k) {
      asked.push_back(k);
      const int i = n++;
      if (i == 2 * c.draws - 2) return 0;
      return i % 2 == 0 ? i / 2 : 9 - i / 2;
    });
    EXPECT_EQ(asked, std::vector<int>(2 * c.draws, 10)) << c.skill;
    int top = 0, right = 0;
    for (int i = 0; i < kSide; ++i) {
      top += p.top[i];
      right += p.right[i];
    }
    EXPECT_EQ(top, c.draws - 1) << c.skill;
    EXPECT_EQ(right, c.draws) << c.skill;
    EXPECT_TRUE(p.top[0] && p.right[9]);
  }
}

TEST(TumoRules, PathsAcrossAndAgainstPictures) {
  Board b = emptyBoard();
  struct Case {
    bool fromTop;
    int index, entry, landing, blocking;
    size_t steps;
  };
  b[57] = 1;  // stops column 7 at row 4 and row 5 at column 8
  b[9] = 2;   // takes column 9's and row 0's entry cell
  const Case cases[] = {
      {true, 3, 3, 93, -1, 9},   {false, 4, 49, 40, -1, 9}, {true, 7, 7, 47, 57, 4},
      {false, 5, 59, 58, 57, 1}, {true, 9, -1, -1, -1, 0},  {false, 0, -1, -1, -1, 0},
  };
  for (const Case& c : cases) {
    const DropPath p = PathOf(b, c.fromTop, c.index);
    EXPECT_EQ(p.entry, c.entry) << c.fromTop << c.index;
    EXPECT_EQ(p.landing, c.landing) << c.fromTop << c.index;
    EXPECT_EQ(p.blocking, c.blocking) << c.fromTop << c.index;
    EXPECT_EQ(p.steps.size(), c.steps) << c.fromTop << c.index;
  }
  b[13] = 4;  // the first step blocked: the piece lands in its entry cell
  const DropPath p = PathOf(b, true, 3);
  EXPECT_EQ(p.landing, 3);
  EXPECT_EQ(p.blocking, 13);
  const DropPath side = PathOf(b, false, 4);
  ASSERT_FALSE(side.steps.empty());
  EXPECT_EQ(side.steps.front(), 48);
}

TEST(TumoRules, LandingTakesTheWholeGroupOfItsKindAndJokers) {
  struct Case {
    const char* what;
    std::vector<std::pair<int, int16_t>> cells;
    int landing;
    std::set<int> removed;
  };
  const Case cases[] = {
      {"alone", {{95, 1}, {94, 2}, {85, 16}}, 95, {}},
      {"round corners", {{95, 1}, {94, 1}, {84, 1}, {74, 1}, {75, 1}, {76, 2}, {66, 1}}, 95, {95, 94, 84, 74, 75}},
      {"jokers bridge", {{50, 17}, {51, kJoker}, {52, kJoker}, {53, 17}, {54, 2}, {63, 17}}, 50, {50, 51, 52, 53, 63}},
      {"old and new kinds never meet", {{50, 2}, {51, 17}, {40, 15}}, 50, {}},
      {"landing joker takes only jokers", {{20, kJoker}, {21, kJoker}, {10, 3}, {22, 3}}, 20, {20, 21}},
      {"no wrap at a row end", {{39, 4}, {40, 4}, {30, 0}}, 40, {}},
  };
  for (const Case& c : cases) {
    Board b = emptyBoard();
    for (auto [cell, code] : c.cells) b[cell] = code;
    Marks m{};
    std::vector<int> order;
    const int n = MarkLandingGroup(b, m, c.landing, [&](int cell) { order.push_back(cell); });
    EXPECT_EQ(CellsHolding(m, kFlagged), c.removed) << c.what;
    EXPECT_EQ(n, static_cast<int>(c.removed.size())) << c.what;
    EXPECT_EQ(order.size(), c.removed.size()) << c.what;
    if (!order.empty()) {
      EXPECT_EQ(order.front(), c.landing) << c.what;
    }
  }
}

TEST(TumoRules, HelpersReachTheirCellsWithoutWrap) {
  Board b = emptyBoard();
  b[12] = b[77] = b[3] = kJoker;
  b[13] = 2;
  auto cells = [&](int mode, int c) {
    const auto v = HelperCells(b, mode, c);
    return std::set<int>(v.begin(), v.end());
  };
  EXPECT_EQ(cells(kBomb, 40), (std::set<int>{30, 31, 40, 41, 50, 51}));  // nothing of column 9
  EXPECT_EQ(cells(kBomb, 99), (std::set<int>{88, 89, 98, 99}));
  EXPECT_EQ(cells(kRowLadder, 37), (std::set<int>{30, 31, 32, 33, 34, 35, 36, 37, 38, 39}));
  EXPECT_EQ(cells(kColumnLadder, 37), (std::set<int>{7, 17, 27, 37, 47, 57, 67, 77, 87, 97}));
  EXPECT_EQ(cells(kHeart, 12), (std::set<int>{3, 12, 77}));  // every joker and nothing else
  EXPECT_EQ(cells(kHeart, 13), (std::set<int>{13}));
  EXPECT_EQ(HelperEffect(kBomb), kBombHit);
  EXPECT_EQ(HelperEffect(kColumnLadder), kLadderHit);
  EXPECT_EQ(HelperEffect(kHeart), kHeartHit);
  EXPECT_EQ((std::vector<int>{HelperSound(kBomb), HelperSound(kRowLadder), HelperSound(kHeart)}),
            (std::vector<int>{2, 3, 5}));
}

TEST(TumoRules, PricesRiseByTheSkillStepAndTheHeartDoublesToItsCap) {
  EXPECT_EQ((std::vector<int32_t>{PriceStep(0), PriceStep(2), PriceStep(4)}), (std::vector<int32_t>{1, 2, 3}));
  EXPECT_EQ(RaisedPrice(0, 0, 2), 2);
  EXPECT_EQ(RaisedPrice(2, 6, 3), 9);
  std::vector<int32_t> hearts{5};
  for (int i = 0; i < 11; ++i) hearts.push_back(RaisedPrice(3, hearts.back(), 2));
  EXPECT_EQ(hearts, (std::vector<int32_t>{5, 10, 20, 40, 80, 160, 320, 640, 1280, 2560, 2560, 2560}));
}

TEST(TumoRules, TurnsMoveEveryCellAndUndoEachOther) {
  Board start;
  for (int i = 0; i < kCells; ++i) start[i] = static_cast<int16_t>(i);
  struct Case {
    int turn, undo;
    int from, to;  // where the picture of cell `from` goes
  };
  for (Case c : {Case{kFlipVertical, kFlipVertical, 3, 93}, Case{kFlipHorizontal, kFlipHorizontal, 30, 39},
                 Case{kRotateLeft, kRotateRight, 9, 0}, Case{kRotateRight, kRotateLeft, 0, 9}}) {
    Board b = start;
    TurnBoard(b, c.turn);
    EXPECT_EQ(b[c.to], c.from) << c.turn;
    TurnBoard(b, c.undo);
    EXPECT_EQ(b, start) << c.turn;
  }
}
