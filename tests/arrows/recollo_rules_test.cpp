// Recollo: the deal, the one-way shifts that carry numbers and the red arrow, and the match.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "recollo_rules.h"

using namespace recollo;

namespace {
Board dealt(int matchSize) {
  int next = 0;
  return Deal(matchSize, [&](int k) { return (next += 31) % k; });
}
}  // namespace

TEST(RecolloRules, DealHoldsTenArrowsAndTheCardsOfTheChosenSize) {
  for (int g : {2, 3}) {
    const Board b = dealt(g);
    std::map<int, int> count;
    for (int i = 0; i < kCells; ++i) {
      ++count[b.kind[i]];
      EXPECT_EQ(b.fixed[i] == kFixed, b.kind[i] >= kArrowLeft) << i;
      EXPECT_EQ(b.number[i], i);
      EXPECT_EQ(b.numberShown[i] != 0, IsCard(b.kind[i])) << i;
    }
    for (int a = kArrowLeft; a <= kArrowDown; ++a) EXPECT_EQ(count[a], 2);
    EXPECT_EQ(count[kRevealRow], 1);
    EXPECT_EQ(count[kRevealColumn], 1);
    for (int c = 0; c < 90 / g; ++c) EXPECT_EQ(count[c], g) << c;
    EXPECT_EQ(count.size(), static_cast<size_t>(90 / g + 6));
    EXPECT_EQ(SetsToFind(g), 90 / g);
  }
}

TEST(RecolloRules, OneWayArrowsShiftTheirLineWithNumbersAndTheRedArrow) {
  struct Case {
    int16_t kind;
    int cell, red;         // the arrow's cell and the red arrow's cell before
    int arrowAfter, redAfter;
    int card, cardAfter;   // a card in the line and where it goes
  };
  const Case cases[] = {
      {kArrowLeft, 30, 30, 39, 39, 31, 30},   // the arrow is red itself and wraps to the row's end
      {kArrowRight, 39, 35, 30, 36, 38, 39},  // wraps to the row's start; another red arrow moves along
      {kArrowUp, 7, 97, 97, 87, 17, 7},
      {kArrowDown, 92, 55, 2, 55, 2, 12},     // the red arrow outside the line stays
  };
  for (const Case& c : cases) {
    Board b;
    for (int i = 0; i < kCells; ++i) {
      b.kind[i] = static_cast<int16_t>(i % 45);
      b.number[i] = static_cast<int16_t>(i);
      b.numberShown[i] = -1;
    }
    b.kind[c.cell] = c.kind;
    b.fixed[c.cell] = kFixed;
    b.numberShown[c.cell] = 0;
    b.redArrow = c.red;
    const int16_t cardKind = b.kind[c.card];
    ASSERT_TRUE(ShiftLine(b, c.cell));
    EXPECT_EQ(b.kind[c.arrowAfter], c.kind);
    EXPECT_EQ(b.fixed[c.arrowAfter], kFixed);
    EXPECT_EQ(b.numberShown[c.arrowAfter], 0);
    EXPECT_EQ(b.redArrow, c.redAfter);
    EXPECT_EQ(b.kind[c.cardAfter], cardKind);
    EXPECT_EQ(b.number[c.cardAfter], c.card) << "a card keeps its number";
  }
}

TEST(RecolloRules, OnlyOneWayArrowsShiftAndTenShiftsRestoreTheRow) {
  Board b = dealt(2);
  const Board before = b;
  for (int i = 0; i < kCells; ++i) {
    if (!IsOneWay(b.kind[i])) {
      EXPECT_FALSE(ShiftLine(b, i)) << i;
    }
  }
  EXPECT_EQ(b.kind, before.kind);
  const int arrow = NthOneWayArrow(b, 1);
  ASSERT_GE(arrow, 0);
  b.redArrow = arrow;
  int cell = arrow;
  for (int i = 0; i < kSide; ++i) {
    ASSERT_TRUE(ShiftLine(b, cell));
    cell = b.redArrow;  // the arrow moved with its line
  }
  EXPECT_EQ(b.kind, before.kind);
  EXPECT_EQ(b.number, before.number);
  EXPECT_EQ(b.redArrow, arrow);
}

TEST(RecolloRules, RedArrowChoiceCountsOneWayArrowsInIndexOrder) {
  Board b;
  b.kind.fill(0);
  const int cells[] = {3, 10, 11, 40, 41, 77, 90, 99};
  const int16_t kinds[] = {kArrowLeft, kArrowUp, kRevealRow, kArrowDown, kArrowRight, kArrowLeft, kArrowUp, kArrowDown};
  for (int i = 0; i < 8; ++i) b.kind[cells[i]] = kinds[i];
  const int want[] = {3, 10, 40, 41, 77, 90, 99, -1};
  for (int k = 1; k <= 8; ++k) EXPECT_EQ(NthOneWayArrow(b, k), want[k - 1]) << k;
}

// ---------------------------------------------------------------- the pick state

namespace {
// A dealt game and the cells of every kind, in index order.
struct Dealt {
  Game game;
  std::map<int, std::vector<int>> cells;
  explicit Dealt(int matchSize) {
    int next = 0;
    Redeal(game, matchSize, [&](int k) { return (next += 31) % k; });
    for (int i = 0; i < kCells; ++i) cells[game.board.kind[i]].push_back(i);
  }
  int card(int kind, int copy = 0) const { return cells.at(kind).at(copy); }
};
}  // namespace

TEST(RecolloPicks, ClicksTurnCardsUpOrAreRefused) {
  enum Prep { None, FirstCardUp, TwoCardsUp, CardFound, NumberHidden };
  struct Case {
    const char* what;
    int matchSize;
    Prep prep;
    int kind, copy;  // the cell clicked: that copy of a kind
    Click want;
    int pickCount;   // after the click
  };
  const Case cases[] = {
      {"a card starts the attempt", 2, None, 7, 0, Click::CardUp, 1},
      {"a second card of a pair completes it", 2, FirstCardUp, 9, 0, Click::Complete, 0},
      {"a second card of a triple does not", 3, FirstCardUp, 9, 0, Click::CardUp, 2},
      {"the third card of a triple completes it", 3, TwoCardsUp, 9, 0, Click::Complete, 0},
      {"the card already up", 2, FirstCardUp, 7, 0, Click::Refused, 1},
      {"a found card", 2, CardFound, 7, 1, Click::Refused, 0},
      {"a card showing no number", 2, NumberHidden, 7, 0, Click::Refused, 0},
      {"a one-way arrow shifts", 2, None, kArrowUp, 1, Click::Shift, 0},
      {"a two-way arrow reveals its row", 2, None, kRevealRow, 0, Click::Reveal, 0},
      {"a two-way arrow reveals its column", 2, None, kRevealColumn, 0, Click::Reveal, 0},
      {"an arrow while a card is up is held", 2, FirstCardUp, kArrowLeft, 0, Click::Held, 1},
      {"an arrow while two of three are up is held", 3, TwoCardsUp, kRevealRow, 0, Click::Held, 2},
  };
  for (const Case& c : cases) {
    Dealt d(c.matchSize);
    Game& g = d.game;
    if (c.prep == FirstCardUp || c.prep == TwoCardsUp) {
      ASSERT_EQ(ClickCell(g, d.card(7), c.matchSize), Click::CardUp);
    }
    if (c.prep == TwoCardsUp) {
      ASSERT_EQ(ClickCell(g, d.card(8), c.matchSize), Click::CardUp);
    }
    if (c.prep == CardFound) g.board.fixed[d.card(7, 1)] = kFixed, g.board.numberShown[d.card(7, 1)] = 0;
    if (c.prep == NumberHidden) g.board.numberShown[d.card(7)] = 0;
    const Board before = g.board;
    const int cell = d.card(c.kind, c.copy);
    EXPECT_EQ(ClickCell(g, cell, c.matchSize), c.want) << c.what;
    EXPECT_EQ(g.pickCount, c.pickCount) << c.what;
    EXPECT_EQ(g.board.kind, before.kind) << c.what << ": a click moves nothing";
    EXPECT_EQ(g.board.fixed, before.fixed) << c.what;
    if (c.want == Click::Refused) {
      EXPECT_EQ(g.board.numberShown, before.numberShown) << c.what;
    } else {
      EXPECT_EQ(g.board.numberShown[cell], 0) << c.what << ": its number hides";
    }
    if (c.want == Click::CardUp || c.want == Click::Complete) {
      const int up = c.want == Click::Complete ? c.matchSize : c.pickCount;
      EXPECT_EQ(g.picks[up - 1], cell) << c.what;
    }
  }
  Dealt d(2);
  for (int cell : {-1, kCells}) EXPECT_EQ(ClickCell(d.game, cell, 2), Click::Refused);
  d.game.pickCount = 2;  // an attempt already full
  EXPECT_EQ(ClickCell(d.game, d.card(7), 2), Click::Refused);
}

TEST(RecolloPicks, SettlingFixesSetsOfOneKindAndCoversMisses) {
  struct Case {
    const char* what;
    int matchSize;
    std::vector<std::pair<int, int>> picks;  // kind and copy, in click order
    int foundBefore;
    Attempt want;
  };
  const Case cases[] = {
      {"a pair", 2, {{4, 0}, {4, 1}}, 0, Attempt::Found},
      {"a triple", 3, {{4, 2}, {4, 0}, {4, 1}}, 3, Attempt::Found},
      {"two different cards", 2, {{4, 0}, {5, 0}}, 10, Attempt::Missed},
      {"three of which the last two are equal", 3, {{5, 0}, {4, 0}, {4, 1}}, 0, Attempt::Missed},
      {"three of which the first two are equal", 3, {{4, 0}, {4, 1}, {5, 0}}, 0, Attempt::Missed},
      {"the 45th pair", 2, {{4, 1}, {4, 0}}, 44, Attempt::Won},
      {"the 30th triple", 3, {{4, 0}, {4, 1}, {4, 2}}, 29, Attempt::Won},
  };
  for (const Case& c : cases) {
    Dealt d(c.matchSize);
    Game& g = d.game;
    g.foundCount = c.foundBefore;
    std::vector<int> cells;
    for (auto [kind, copy] : c.picks) {
      cells.push_back(d.card(kind, copy));
      ClickCell(g, cells.back(), c.matchSize);
    }
    ASSERT_EQ(g.pickCount, 0) << c.what;
    EXPECT_EQ(Picked(g, c.matchSize), cells) << c.what;
    EXPECT_EQ(Settle(g, c.matchSize), c.want) << c.what;
    const bool found = c.want != Attempt::Missed;
    EXPECT_EQ(g.foundCount, c.foundBefore + (found ? 1 : 0)) << c.what;
    EXPECT_EQ(g.won, c.want == Attempt::Won) << c.what;
    for (int k : cells) {
      EXPECT_EQ(g.board.fixed[k], found ? kFixed : 0) << c.what << " cell " << k;
      EXPECT_EQ(g.board.numberShown[k], found ? 0 : -1) << c.what << " cell " << k;
    }
  }
}

TEST(RecolloPicks, AWholeGameIsWonAtTheLastSet) {
  for (int matchSize : {2, 3}) {
    Dealt d(matchSize);
    Game& g = d.game;
    // A miss first: nothing is fixed and the cards can be turned up again.
    ClickCell(g, d.card(0), matchSize);
    for (int i = 1; i < matchSize; ++i) ClickCell(g, d.card(1, i - 1), matchSize);
    EXPECT_EQ(Settle(g, matchSize), Attempt::Missed);
    for (int kind = 0; kind < SetsToFind(matchSize); ++kind) {
      for (int copy = 0; copy < matchSize; ++copy) {
        const Click want = copy + 1 < matchSize ? Click::CardUp : Click::Complete;
        ASSERT_EQ(ClickCell(g, d.card(kind, copy), matchSize), want) << kind;
      }
      const Attempt want = kind + 1 < SetsToFind(matchSize) ? Attempt::Found : Attempt::Won;
      ASSERT_EQ(Settle(g, matchSize), want) << kind;
    }
    EXPECT_EQ(g.foundCount, SetsToFind(matchSize));
    for (int i = 0; i < kCells; ++i) {
      EXPECT_EQ(g.board.fixed[i], kFixed) << i;
      const int16_t kind = g.board.kind[i];
      const Click want = IsCard(kind) ? Click::Refused : IsOneWay(kind) ? Click::Shift : Click::Reveal;
      EXPECT_EQ(ClickCell(g, i, matchSize), want) << i;
    }
  }
}

TEST(RecolloPicks, ARevealShowsTheCoveredCardsOfItsLineUntilCovered) {
  for (int16_t arrow : {kRevealRow, kRevealColumn}) {
    Dealt d(2);
    Board& b = d.game.board;
    const int cell = d.card(arrow);
    const bool row = arrow == kRevealRow;
    const std::vector<int> line = arrows::LineCells(kSide, row, row ? cell / kSide : cell % kSide);
    // A found card in the line stays out of it; so does a kind the deal never makes, when covered.
    std::vector<int> cards;
    for (int k : line)
      if (IsCard(b.kind[k])) cards.push_back(k);
    ASSERT_GE(cards.size(), 2u);
    const int found = cards[0], odd = cards[1];
    b.fixed[found] = kFixed;
    b.numberShown[found] = 0;
    b.kind[odd] = 60;
    const Board before = b;

    const Revealed r = Reveal(b, cell);
    EXPECT_EQ(r.row, row);
    EXPECT_EQ(r.line, row ? cell / kSide : cell % kSide);
    std::vector<int> covered;
    for (int k : line)
      if (!before.fixed[k]) covered.push_back(k);
    EXPECT_EQ(r.cells, covered);
    for (int k : line) EXPECT_EQ(b.numberShown[k], 0) << k;
    Cover(b, r);
    for (int k : line) EXPECT_EQ(b.numberShown[k], k == odd ? 0 : before.numberShown[k]) << k;
    EXPECT_EQ(b.kind, before.kind);
    EXPECT_EQ(b.fixed, before.fixed);
  }
}

TEST(RecolloPicks, RedealAndRedArrowKeepTheRestOfTheState) {
  Dealt d(2);
  Game& g = d.game;
  ASSERT_EQ(ClickCell(g, d.card(3), 2), Click::CardUp);
  g.foundCount = 12;
  g.won = true;
  int next = 0;
  Redeal(g, 3, [&](int k) { return (next += 7) % k; });
  EXPECT_EQ(g.foundCount, 0);
  EXPECT_FALSE(g.won);
  // Every card is down on the new board: its first card starts an attempt of its own.
  EXPECT_EQ(g.pickCount, 0);
  const int first = static_cast<int>(std::find(g.board.kind.begin(), g.board.kind.end(), 0) - g.board.kind.begin());
  EXPECT_EQ(ClickCell(g, first, 3), Click::CardUp);
  EXPECT_EQ(g.pickCount, 1);
  EXPECT_EQ(g.board.redArrow, -1);
  EXPECT_EQ(std::count(g.board.kind.begin(), g.board.kind.end(), 29), 3);

  ASSERT_TRUE(PickRedArrow(g.board, 8));
  EXPECT_EQ(g.board.redArrow, NthOneWayArrow(g.board, 8));
  g.board.kind.fill(0);  // no arrow left: the red one stays where it was
  const int red = g.board.redArrow;
  EXPECT_FALSE(PickRedArrow(g.board, 1));
  EXPECT_EQ(g.board.redArrow, red);

  // Numbers written from outside: shown exactly on the covered cells.
  g.board.fixed.fill(0);
  g.board.fixed[5] = kFixed;
  g.board.numberShown.fill(0);
  g.board.numberShown[5] = -1;
  ShowNumbersOfCoveredCards(g.board);
  for (int i = 0; i < kCells; ++i) EXPECT_EQ(g.board.numberShown[i], i == 5 ? 0 : -1) << i;
}
