// Kippel's rules on boards set by the test.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

#include "kippel_rules.h"

using namespace kippel;

namespace {
Cells filled(int16_t kind) {
  Cells b;
  b.fill(kind);
  return b;
}

std::set<int> flagged(const Cells& flags) {
  std::set<int> s;
  for (int i = 0; i < 100; ++i)
    if (flags[i] == kFlagged) s.insert(i);
  return s;
}

int group(const Cells& b, int index) {
  Cells flags{};
  return HasMatchingNeighbour(b, index) ? FloodGroup(b, flags, index) : 0;
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
  EXPECT_EQ(flagged(flags), (std::set<int>{50, 51, 52, 53, 63}));

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
    EXPECT_EQ(flagged(flags), want) << "bomb at " << i;
  }
  Cells flags{};
  FlagRow(flags, 37);
  EXPECT_EQ(flagged(flags), (std::set<int>{30, 31, 32, 33, 34, 35, 36, 37, 38, 39}));
  flags = {};
  FlagColumn(flags, 37);
  EXPECT_EQ(flagged(flags), (std::set<int>{7, 17, 27, 37, 47, 57, 67, 77, 87, 97}));
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
