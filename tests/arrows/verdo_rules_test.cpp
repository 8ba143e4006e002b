// Verdo: how many squares a deal has, the deal itself and the goal test.
#include <gtest/gtest.h>

#include "verdo_rules.h"

using namespace verdo;

TEST(VerdoRules, TargetCountsForEverySizeAndSkill) {
  const int want[3][7] = {{2, 3, 4, 6, 8, 10, 12}, {3, 5, 7, 9, 12, 16, 20}, {5, 8, 12, 16, 21, 27, 33}};
  for (int skill = kEasy; skill <= kHard; ++skill)
    for (int n = kMinSize; n <= kMaxSize; ++n) EXPECT_EQ(TargetCount(n, skill), want[skill][n - kMinSize]) << n;
}

TEST(VerdoRules, DealPlacesSquaresAndCrossesApartOnlyInsideTheBoard) {
  for (int n = kMinSize; n <= kMaxSize; ++n) {
    for (int skill = kEasy; skill <= kHard; ++skill) {
      const int target = TargetCount(n, skill);
      int draws = 0, next = 0;
      const Deal d = DealBoard(n, target, [&](int k) {
        EXPECT_EQ(k, n * n);
        ++draws;
        return (next += 7) % k;
      });
      EXPECT_EQ(draws, 2 * n * n) << "every pass draws, also after the last piece";
      int squares = 0, crosses = 0;
      for (int i = 0; i < kMaxCells; ++i) {
        squares += d.square[i] == kSquare;
        crosses += d.cross[i] == kCross;
        if (i >= n * n) {
          EXPECT_TRUE(d.square[i] == kNoSquare && d.cross[i] == kNoCross) << i;
        }
        EXPECT_FALSE(d.square[i] == kSquare && d.cross[i] == kCross) << "a deal is never solved";
      }
      EXPECT_EQ(squares, target);
      EXPECT_EQ(crosses, target);
      EXPECT_EQ(CoveredCrosses(d.square, d.cross, n), 0);
    }
  }
}
