// Kippel's rules on boards set by the test.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "board_text.h"
#include "kippel_rules.h"

using boardtest::CellsHolding;
using namespace kippel;

namespace {
Cells filled(int16_t kind) {
  Cells b;
  b.fill(kind);
  return b;
}

int group(const Cells& b, int index) {
  Cells flags{};
  return HasMatchingNeighbour(b, index) ? FloodGroup(b, flags, index) : 0;
}

// Boards as text, row after row: the kinds 0..4, J joker, G gem, B bomb, H and V the ladders,
// . empty; the cells after the text are empty.
Cells BoardOf(const std::string& text) {
  return boardtest::Parse(text, kEmpty,
                          {{".", kEmpty}, {"J", kJoker}, {"G", kGem}, {"B", kBomb}, {"H", kHorizontalLadder},
                           {"V", kVerticalLadder}});
}
std::string EmptyRows(int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += ". . . . . . . . . .\n";
  return s;
}
}  // namespace

// Helpers join no group.
TEST(KippelRules, JokersAndGems) {
  Cells b = filled(kVerticalLadder);
  b[44] = b[45] = b[46] = kJoker;
  EXPECT_EQ(group(b, 45), 3);  // three jokers
  b[46] = 3;
  EXPECT_EQ(group(b, 45), 2);  // two are too few
  b[44] = b[45] = 1;
  b[55] = kJoker;
  EXPECT_EQ(group(b, 45), 3);  // 1, 1 and a joker
  EXPECT_EQ(group(b, 55), 0);  // a clicked joker groups only with jokers

  b = filled(kVerticalLadder);
  b[50] = b[53] = b[63] = 4;
  b[51] = b[52] = kJoker;  // jokers bridge to more of the clicked kind
  Cells flags{};
  EXPECT_EQ(FloodGroup(b, flags, 50), 5);
  EXPECT_EQ(CellsHolding(flags, kFlagged), (std::set<int>{50, 51, 52, 53, 63}));

  b = filled(kVerticalLadder);
  b[0] = kGem;
  b[1] = b[2] = kJoker;
  EXPECT_EQ(group(b, 0), 3);  // a gem and two jokers
  EXPECT_EQ(group(b, 1), 2);  // clicking a joker: the gem does not join
  EXPECT_EQ(GroupScore(kGem), 50);
  EXPECT_EQ(GroupScore(kJoker), 1);
}

TEST(KippelRules, BombNeverReachesAcrossARowEndAndLaddersTakeALine) {
  for (int i = 0; i < 100; ++i) {
    Cells flags{};
    FlagBomb(flags, i);
    std::set<int> want;
    for (int r = i / 10 - 1; r <= i / 10 + 1; ++r)
      for (int c = i % 10 - 1; c <= i % 10 + 1; ++c)
        if (r >= 0 && r < 10 && c >= 0 && c < 10) want.insert(r * 10 + c);
    EXPECT_EQ(CellsHolding(flags, kFlagged), want) << "bomb at " << i;
  }
  Cells flags{};
  FlagRow(flags, 37);
  EXPECT_EQ(CellsHolding(flags, kFlagged), (std::set<int>{30, 31, 32, 33, 34, 35, 36, 37, 38, 39}));
  flags = {};
  FlagColumn(flags, 37);
  EXPECT_EQ(CellsHolding(flags, kFlagged), (std::set<int>{7, 17, 27, 37, 47, 57, 67, 77, 87, 97}));
}

TEST(KippelRules, RefillDrawFollowsItsFormula) {
  auto draw = [](std::vector<double> u) {
    size_t i = 0;
    int16_t k = RefillKind([&] { return u.at(i++); });
    EXPECT_EQ(i, u.size());  // exactly the draws the formula takes
    return k;
  };
  EXPECT_EQ(draw({0.0, 0.99}), 4);            // m = 5.0: never a joker
  EXPECT_EQ(draw({0.99, 0.9, 0.3}), kJoker);  // m = 6.0, k = 5; 1 in 4 misses: a joker
  EXPECT_EQ(draw({0.99, 0.9, 0.2, 0.0}), kBomb);
  EXPECT_EQ(draw({0.99, 0.9, 0.2, 0.6}), kVerticalLadder);
  EXPECT_EQ(draw({0.99, 0.9, 0.2, 0.99}), kGem);
  EXPECT_EQ(draw({0.46, 0.95, 0.5}), kJoker);  // m = 5.5: the top 1/11 of [0, 5.5)
  EXPECT_EQ(draw({0.46, 0.9}), 4);

  // Evenly spread draws through every branch give the formula's shares.
  std::map<int, double> share;
  constexpr int kSteps = 6600;
  for (int a = 0; a < 11; ++a)
    for (int b = 0; b < kSteps; ++b)
      for (int cd = 0; cd < 16; ++cd) {
        const double u[] = {(a + 0.5) / 11, (b + 0.5) / kSteps, (cd / 4 + 0.5) / 4, (cd % 4 + 0.5) / 4};
        int i = 0;
        share[RefillKind([&] { return u[i++]; })] += 1.0 / (11.0 * kSteps * 16);
      }
  double slot = 0;
  for (int j = 0; j <= 10; ++j) slot += (j / 10.0) / (5 + j / 10.0) / 11;  // about 8.79 %
  EXPECT_NEAR(share[kJoker], slot * 3 / 4, 2e-4);
  for (int k : {kBomb, kHorizontalLadder, kVerticalLadder, kGem}) EXPECT_NEAR(share[k], slot / 16, 2e-4) << k;
  for (int k = 0; k < 5; ++k) EXPECT_NEAR(share[k], (1 - slot) / 5, 2e-4) << k;
  EXPECT_EQ(share.size(), 10u);
}

TEST(KippelRules, GroupsGrowOrthogonallyWithinTheBoard) {
  struct Case {
    const char* name;
    std::string board;
    int clicked;
    std::set<int> group;  // empty: no neighbour matches, nothing is measured
  };
  const Case cases[] = {
      {"a row of three", "1 1 1", 0, {0, 1, 2}},
      {"diagonal neighbours do not join",
       "1 . . . . . . . . .\n"
       ". 1 . . . . . . . .\n"
       ". . 1", 11, {}},
      {"a row's end does not reach the next row",
       ". . . . . . . . 2 2\n"
       "2 2", 9, {8, 9}},
      {"a row's start does not reach the row above",
       ". . . . . . . . 2 2\n"
       "2 2", 10, {10, 11}},
      {"alone at a row's end",
       ". . . . . . . . . 2\n"
       "2", 9, {}},
      {"the bottom row and the top of a column",
       EmptyRows(8) +
       ". . . . 0 . . . . .\n"
       ". . . . 0 0 . . . .", 94, {84, 94, 95}},
      {"a snake takes as many passes as it needs",
       "3 3 3 . . . . . . .\n"
       ". . 3 . . . . . . .\n"
       "3 3 3", 20, {0, 1, 2, 12, 20, 21, 22}},
      {"jokers bridge to more of the clicked kind",
       "4 J J 4 . . . . . .\n"
       ". . . 4", 0, {0, 1, 2, 3, 13}},
      {"a clicked joker takes only jokers",
       "J J 1 . . . . . . .\n"
       "1", 0, {0, 1}},
      {"a joker among pictures alone", "1 J 1", 1, {}},
      {"a gem takes gems and jokers",
       "G J G 1 . . . . . .\n"
       "1", 0, {0, 1, 2}},
      {"a gem does not join pictures", "1 1 G", 0, {0, 1}},
      {"helpers join no group",
       "1 1 B 1 H V . . . .\n"
       "V V", 0, {0, 1}},
  };

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Cells b = BoardOf(c.board);
    EXPECT_EQ(HasMatchingNeighbour(b, c.clicked), !c.group.empty());
    if (c.group.empty()) continue;
    Cells flags{};
    EXPECT_EQ(FloodGroup(b, flags, c.clicked), static_cast<int>(c.group.size()));
    EXPECT_EQ(CellsHolding(flags, kFlagged), c.group);
  }
}

TEST(KippelRules, ScoreAndHelperKinds) {
  for (int k : {0, 1, 2, 3, 4, int{kJoker}}) EXPECT_EQ(GroupScore(k), 1) << k;
  EXPECT_EQ(GroupScore(kGem), 50);
  for (int k : {kBomb, kHorizontalLadder, kVerticalLadder}) EXPECT_TRUE(IsHelper(k)) << k;
  for (int k : {0, 4, int{kJoker}, int{kEmpty}, int{kGem}}) EXPECT_FALSE(IsHelper(k)) << k;
}

TEST(KippelRules, LaddersFlagTheirLineAndKeepEarlierFlags) {
  struct Case {
    void (*flag)(Cells&, int);
    int index;
    std::set<int> line;
  };
  const Case cases[] = {
      {FlagRow, 0, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
      {FlagRow, 9, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
      {FlagRow, 90, {90, 91, 92, 93, 94, 95, 96, 97, 98, 99}},
      {FlagColumn, 0, {0, 10, 20, 30, 40, 50, 60, 70, 80, 90}},
      {FlagColumn, 90, {0, 10, 20, 30, 40, 50, 60, 70, 80, 90}},
      {FlagColumn, 99, {9, 19, 29, 39, 49, 59, 69, 79, 89, 99}},
  };
  for (const Case& c : cases) {
    Cells flags{};
    flags[55] = kFlagged;  // flagged before: the helper adds to the flags
    c.flag(flags, c.index);
    std::set<int> want = c.line;
    want.insert(55);
    EXPECT_EQ(CellsHolding(flags, kFlagged), want) << (c.flag == FlagRow ? "row of " : "column of ") << c.index;
  }
}

TEST(KippelRules, RefillKindFromGivenDraws) {
  struct Case {
    const char* name;
    std::vector<double> draws;  // exactly the draws the kind takes
    int16_t kind;
  };
  const Case cases[] = {
      {"the lowest draws", {0.0, 0.0}, 0},
      {"m = 5.0 in the first eleventh: no joker slot", {0.09, 0.9999}, 4},
      {"m = 5.1 below its joker slot", {0.1, 0.97}, 4},
      {"m = 5.1: the top of [0, 5.1)", {0.1, 0.985, 0.5}, kJoker},
      {"m = 6.0 in the last eleventh", {0.95, 0.84, 0.5}, kJoker},
      {"a quarter at 0.25 keeps the joker", {0.99, 0.9, 0.25}, kJoker},
      {"a quarter below 0.25 turns the joker into a helper", {0.99, 0.9, 0.2499, 0.0}, kBomb},
      {"the second helper", {0.99, 0.9, 0.0, 0.25}, kHorizontalLadder},
      {"the third helper", {0.99, 0.9, 0.0, 0.5}, kVerticalLadder},
      {"the fourth helper is the gem", {0.99, 0.9, 0.0, 0.75}, kGem},
      {"m = 5.5: an ordinary picture", {0.5, 0.6}, 3},
  };
  for (const Case& c : cases) {
    size_t taken = 0;
    const int16_t kind = RefillKind([&] { return c.draws.at(taken++); });
    EXPECT_EQ(kind, c.kind) << c.name;
    EXPECT_EQ(taken, c.draws.size()) << c.name;
  }
}
