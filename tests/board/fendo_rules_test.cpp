// Fendo's rules: the octagon, closing fields, the greedy passes and the safe-stick choice.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>

#include "fendo_rules.h"
#include "fendo_sides.h"

using namespace fendo;
using namespace fendo_sides;

namespace {
Random constant(double u) {
  return [u] { return u; };
}
}  // namespace

TEST(FendoRules, OctagonHas76FieldsInsideA40StickOutline) {
  const Sticks s = StartSticks();
  int free = 0, taken = 0, horizontal = 0;
  for (int n = 0; n < kSticks; ++n) {
    free += s[n] == kFree;
    taken += s[n] == kTaken;
    horizontal += n < 110 && s[n] != kAbsent;
  }
  EXPECT_EQ(horizontal, 86);
  EXPECT_EQ(taken, 40);
  EXPECT_EQ(free, 132);
  // A field is on the board when its four sticks are; every free stick lies between two of them,
  // every outline stick beside exactly one.
  std::set<std::pair<int, int>> fields;
  std::map<int, int> perRow;
  for (int r = 0; r < 10; ++r)
    for (int c = 0; c < 10; ++c)
      if (s[Top(r, c)] != kAbsent && s[Bottom(r, c)] != kAbsent && s[Left(r, c)] != kAbsent &&
          s[Right(r, c)] != kAbsent) {
        fields.insert({r, c});
        ++perRow[r];
      }
  EXPECT_EQ(fields.size(), 76u);
  EXPECT_EQ(perRow, (std::map<int, int>{{0, 4}, {1, 6}, {2, 8}, {3, 10}, {4, 10}, {5, 10}, {6, 10}, {7, 8}, {8, 6}, {9, 4}}));
  for (int n = 0; n < kSticks; ++n) {
    if (s[n] == kAbsent) continue;
    std::array<Side, 2> sides{};
    int onBoard = 0;
    for (int i = 0, k = FieldsBeside(n, sides); i < k; ++i) onBoard += fields.count({sides[i].field.row, sides[i].field.column});
    EXPECT_EQ(onBoard, s[n] == kFree ? 2 : 1) << "stick " << n;
  }
}

TEST(FendoRules, ClosingCountsTheFieldsWhoseOtherSidesAreTaken) {
  struct Case {
    const char* what;
    std::vector<int> taken;
    int stick;
    std::vector<Field> closes;  // in the order tested
  };
  const std::vector<Case> cases = {
      {"fresh board: nothing", {}, Top(4, 4), {}},
      {"field below a horizontal stick", {Bottom(4, 4), Left(4, 4), Right(4, 4)}, Top(4, 4), {{4, 4}}},
      {"both fields of a horizontal stick, above first",
       {Bottom(4, 4), Left(4, 4), Right(4, 4), Top(3, 4), Left(3, 4), Right(3, 4)}, Top(4, 4), {{3, 4}, {4, 4}}},
      {"both fields of a vertical stick, left first",
       {Top(5, 2), Bottom(5, 2), Left(5, 2), Top(5, 3), Bottom(5, 3), Right(5, 3)}, Right(5, 2), {{5, 2}, {5, 3}}},
      {"two of three sides are not enough", {Bottom(4, 4), Left(4, 4)}, Top(4, 4), {}},
  };
  for (const Case& c : cases) {
    Sticks s = StartSticks();
    for (int n : c.taken) s[n] = kTaken;
    std::array<Field, 2> closed{};
    const int k = ClosingCount(s, c.stick, &closed);
    ASSERT_EQ(k, static_cast<int>(c.closes.size())) << c.what;
    for (int i = 0; i < k; ++i) EXPECT_EQ(closed[i], c.closes[i]) << c.what;
  }
}

TEST(FendoRules, GreedyPassesFollowAChainAgainstTheirOrder) {
  // A corridor in column 4 from row 3 down to row 6, closed at the bottom: each field closes the
  // next one up, so the ascending passes need four of them.
  Sticks s = StartSticks();
  for (int r = 3; r <= 6; ++r) s[Left(r, 4)] = s[Right(r, 4)] = kTaken;
  s[Bottom(6, 4)] = kTaken;
  const Sticks before = s;
  const std::vector<Take> takes = CollectClosing(s);
  ASSERT_EQ(takes.size(), 4u);
  EXPECT_EQ(takes[0].stick, Top(6, 4));
  EXPECT_EQ(takes[3].stick, Top(3, 4));
  EXPECT_EQ(takes[3].fields[0], (Field{3, 4}));
  for (const Take& t : takes) EXPECT_EQ(t.closed, 1);
  EXPECT_EQ(GreedyTotal(before), 4);

  // One stick closing two fields counts both.
  Sticks two = StartSticks();
  for (int n : {Bottom(4, 4), Left(4, 4), Right(4, 4), Top(3, 4), Left(3, 4), Right(3, 4)}) two[n] = kTaken;
  const std::vector<Take> both = CollectClosing(two);
  ASSERT_EQ(both.size(), 1u);
  EXPECT_EQ(both[0].closed, 2);
}

TEST(FendoRules, SafeStickGivesAwayLeastWithTiesDrawnInStickOrder) {
  // Fresh board: the 32 free sides of the 16 outline fields with two taken sides give one away.
  const Sticks start = StartSticks();
  const auto give = GiveAway(start);
  std::map<int, int> counts;
  std::vector<int> zero;
  for (int n = 0; n < kSticks; ++n) {
    ++counts[give[n]];
    if (give[n] == 0) zero.push_back(n);
  }
  EXPECT_EQ(counts, (std::map<int, int>{{0, 100}, {1, 32}, {255, 88}}));
  EXPECT_EQ(ChooseSafeStick(start, constant(0.0)), zero.front());
  EXPECT_EQ(ChooseSafeStick(start, constant(0.999)), zero.back());
  EXPECT_EQ(ChooseSafeStick(start, constant(0.5)), zero[50]);

  // Only a corridor of five fields is left (column 4, rows 2..6), its four inner walls free:
  // every stick hands the rest of the chain over; the two that close a field themselves give
  // away four, the others all five.
  Sticks late = StartSticks();
  for (auto& v : late)
    if (v == kFree) v = kTaken;
  for (int r = 3; r <= 6; ++r) late[Top(r, 4)] = kFree;
  const auto g = GiveAway(late);
  EXPECT_EQ(g[Top(3, 4)], 4);
  EXPECT_EQ(g[Top(4, 4)], 5);
  EXPECT_EQ(g[Top(5, 4)], 5);
  EXPECT_EQ(g[Top(6, 4)], 4);
  EXPECT_EQ(ChooseSafeStick(late, constant(0.0)), Top(3, 4));
  EXPECT_EQ(ChooseSafeStick(late, constant(0.99)), Top(6, 4));

  Sticks full = StartSticks();
  for (auto& v : full)
    if (v == kFree) v = kTaken;
  EXPECT_EQ(ChooseSafeStick(full, constant(0.3)), -1);
}
