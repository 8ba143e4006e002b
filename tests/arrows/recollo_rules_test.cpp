// Recollo: the deal, the one-way shifts that carry numbers and the red arrow, and the match.
#include <gtest/gtest.h>

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
