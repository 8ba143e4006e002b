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
        if (i >= n * n) EXPECT_TRUE(d.square[i] == kNoSquare && d.cross[i] == kNoCross) << i;
        EXPECT_FALSE(d.square[i] == kSquare && d.cross[i] == kCross) << "a deal is never solved";
      }
      EXPECT_EQ(squares, target);
      EXPECT_EQ(crosses, target);
      EXPECT_EQ(CoveredCrosses(d.square, d.cross, n), 0);
    }
  }
}

TEST(VerdoRules, SquaresMoveOntoCrossesWhileCrossesStay) {
  // 4 x 4: a square at (0, 3), a cross at (0, 0); one right shift of row 0 covers it.
  Cells square, cross;
  square.fill(kNoSquare);
  cross.fill(kNoCross);
  square[3] = kSquare;
  cross[0] = kCross;
  EXPECT_EQ(CellLook(square[3], cross[3]), Look::BlueSquare);
  EXPECT_EQ(CellLook(square[0], cross[0]), Look::Cross);
  EXPECT_EQ(CellLook(square[5], cross[5]), Look::Empty);
  arrows::ShiftLine(square, 4, arrows::Shift::Right, 0);
  EXPECT_EQ(CoveredCrosses(square, cross, 4), 1);
  EXPECT_EQ(CellLook(square[0], cross[0]), Look::GreenSquare);
  EXPECT_EQ(cross[0], kCross);
  arrows::ShiftLine(square, 4, arrows::Shift::Down, 0);
  EXPECT_EQ(CoveredCrosses(square, cross, 4), 0);
  EXPECT_EQ(square[4], kSquare);
}
