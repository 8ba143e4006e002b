// Gemmet's rules on boards set by the test.
#include <gtest/gtest.h>

#include "gemmet_rules.h"

using namespace gemmet;

namespace {
// Kinds 6..10 with no two orthogonal neighbours equal; the cases use kinds 1..5.
Cells quietBoard() {
  Cells b;
  for (int i = 0; i < 100; ++i) b[i] = static_cast<int16_t>(6 + (2 * (i / 10) + i % 10) % 5);
  return b;
}
}  // namespace

TEST(GemmetRules, OptionsNeighboursAndDraw) {
  const int kinds[4][3] = {{23, 25, 27}, {10, 12, 14}, {8, 10, 12}, {6, 8, 10}};
  for (int few = 2; few <= 5; ++few)
    for (int skill = 0; skill < 3; ++skill) EXPECT_EQ(KindCount(few, skill), kinds[few - 2][skill]);
  EXPECT_EQ(RefillKind(0.0, 12), 1);
  EXPECT_EQ(RefillKind(0.9999999, 12), 12);
  for (int n : {45, 65, 54, 56}) EXPECT_TRUE(IsSwapNeighbour(55, n)) << n;
  EXPECT_TRUE(IsSwapNeighbour(9, 10));  // the index alone: a row's end and the next row's start
  for (int n : {55, 66, 44}) EXPECT_FALSE(IsSwapNeighbour(55, n)) << n;
}

TEST(GemmetRules, MeasureCountsEqualCodesAndNeverAMarkedCell) {
  Cells b = quietBoard(), flags{};
  EXPECT_EQ(MeasureGroup(b, flags, 44), 0);  // no equal neighbour
  b[44] = b[45] = b[55] = b[56] = b[66] = 3;
  b[54] = 4;
  EXPECT_EQ(MeasureGroup(b, flags, 45), 5);
  MarkGroupRemoved(b, flags);
  for (int cell : {44, 45, 55, 56, 66}) EXPECT_EQ(b[cell], kRemoving);
  EXPECT_EQ(b[54], 4);
  EXPECT_EQ(MeasureGroup(b, flags, 55), 0);  // a marked group is not paid twice
  EXPECT_EQ(flags, Cells{});
}
