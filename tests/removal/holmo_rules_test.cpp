// Holmo's rules on boards set by the tests.
#include <gtest/gtest.h>

#include "holmo_rules.h"

using namespace holmo;

namespace {
Board filled(int16_t kind) {
  Board b;
  b.fill(kind);
  return b;
}
}  // namespace

TEST(HolmoRules, DealAndAcceptedClicks) {
  const int16_t kinds[10] = {0, 1, 2, 3, 4, kJoker, 15, 16, 17, 18};
  for (int d = 0; d < 10; ++d) EXPECT_EQ(DealKind(d), kinds[d]) << d;

  struct Case {
    int16_t current;
    int cell;
    bool accepted;
  };
  // The last accepted click was on row 3, column 7.
  for (Case c : {Case{kEmpty, 99, true}, Case{2, 30, true}, Case{2, 97, true}, Case{2, 37, true},
                 Case{2, 48, false}, Case{2, 26, false}}) {
    EXPECT_EQ(Accepts(c.current, 3, 7, c.cell), c.accepted) << c.current << " " << c.cell;
  }
}

TEST(HolmoRules, ARunEndsAtAnotherKindAndGoesWhenItHoldsTwo) {
  struct Case {
    const char* what;
    std::vector<std::pair<int, int16_t>> upsideDown;  // flipped cells and their kinds
    int16_t current;
    int clicked;
    int16_t clickedKind;
    bool ends;
    std::vector<int> removed, turnedBack;
  };
  const Case cases[] = {
      {"no run", {{11, 2}}, kEmpty, 11, 2, false, {}, {}},
      {"same kind goes on", {{11, 2}, {12, 2}}, 2, 13, 2, false, {}, {}},
      {"a joker goes on", {{11, 2}}, 2, 13, kJoker, false, {}, {}},
      {"three then another kind", {{11, 2}, {21, 2}, {25, 2}, {26, 3}}, 2, 26, 3, true, {11, 21, 25}, {}},
      {"one then another kind", {{11, 2}, {12, 4}}, 2, 12, 4, true, {}, {11}},
      {"one and a joker", {{11, 2}, {12, kJoker}, {13, 0}}, 2, 13, 0, true, {11, 12}, {}},
      {"old and new kinds never match", {{11, 2}, {12, 17}}, 2, 12, 17, true, {}, {11}},
      {"portholes removed after one", {{11, 16}}, 16, kNoCell, 0, true, {}, {11}},
      {"portholes removed after three", {{1, 16}, {2, 16}, {3, kJoker}}, 16, kNoCell, 0, true, {1, 2, 3}, {}},
  };
  for (const Case& c : cases) {
    Board b = filled(1);
    Flags f{};
    for (auto [cell, kind] : c.upsideDown) {
      b[cell] = kind;
      f[cell] = kFlagged;
    }
    if (c.clicked != kNoCell) b[c.clicked] = c.clickedKind;
    const RunCheck r = CheckRun(b, f, c.current, c.clicked);
    EXPECT_EQ(r.ends, c.ends) << c.what;
    EXPECT_EQ(r.removed, c.removed) << c.what;
    EXPECT_EQ(r.turnedBack, c.turnedBack) << c.what;
  }
}

TEST(HolmoRules, LifebeltPricesFollowSkillRemainingPicturesAndBonus) {
  struct Case {
    int skill, remaining, bonus;
    int32_t price;
  };
  for (Case c : {Case{2, 100, 0, 700}, Case{0, 100, 0, 400}, Case{4, 100, 0, 1000}, Case{2, 57, 0, 399},
                 Case{2, 100, 2, 900}, Case{0, 1, 3, 7}}) {
    EXPECT_EQ(LifebeltPrice(c.remaining, SkillFactor(c.skill), c.bonus), c.price) << c.skill << " " << c.remaining;
  }
  Board b = filled(kEmpty);
  b[kNoCell] = 3;  // the spare cell never counts
  EXPECT_EQ(RemainingPictures(b), 0);
  b[99] = 0;
  EXPECT_EQ(RemainingPictures(b), 1);
}
