// Gemmet's rules on boards set by the test.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "board_text.h"
#include "gemmet_rules.h"

using boardtest::CellsHolding;
using namespace gemmet;

namespace {
// Kinds 6..10 with no two orthogonal neighbours equal; the cases use kinds 1..5.
Cells quietBoard() {
  Cells b;
  for (int i = 0; i < 100; ++i) b[i] = static_cast<int16_t>(6 + (2 * (i / 10) + i % 10) % 5);
  return b;
}

// Boards as text, row after row: the picture codes, . for an empty cell, R a cell whose picture
// is being removed; the cells after the text are empty.
Cells BoardOf(const std::string& text) {
  return boardtest::Parse(text, kNoPicture, {{".", kNoPicture}, {"R", kRemoving}});
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

TEST(GemmetRules, GroupsAreEqualCodesJoinedOrthogonallyWithinTheBoard) {
  struct Case {
    const char* name;
    const char* board;
    int cell;
    std::set<int> group;  // empty: no equal neighbour, the measure is 0
  };
  const Case cases[] = {
      {"a pair", "7 7", 1, {0, 1}},
      {"diagonal neighbours do not join",
       "7 . . . . . . . . .\n"
       ". 7 . . . . . . . .\n"
       ". . 7", 11, {}},
      {"a row's end does not reach the next row",
       ". . . . . . . . 2 2\n"
       "2 2", 9, {8, 9}},
      {"alone at a row's end",
       ". . . . . . . . . 2\n"
       "2", 9, {}},
      {"a snake takes as many passes as it needs",
       "3 3 3 . . . . . . .\n"
       ". . 3 . . . . . . .\n"
       "3 3 3", 20, {0, 1, 2, 12, 20, 21, 22}},
      {"5 is a picture, not a joker",
       "1 5 1 . . . . . . .\n"
       ". 5", 1, {1, 11}},
      {"no joker bridges two pictures", "1 5 1", 0, {}},
      {"the highest code", "50 50 49", 0, {0, 1}},
      {"a removed cell is never measured", "R R R", 1, {}},
      {"removed cells join no group",
       "4 4 R . . . . . . .\n"
       "R", 0, {0, 1}},
  };

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Cells b = BoardOf(c.board);
    Cells flags;
    flags.fill(kFlagged);  // flags of an earlier measure are cleared first
    EXPECT_EQ(MeasureGroup(b, flags, c.cell), static_cast<int>(c.group.size()));
    EXPECT_EQ(CellsHolding(flags, kFlagged), c.group);
  }
}

TEST(GemmetRules, RemovalMarksOnlyTheFlaggedCells) {
  Cells b = BoardOf(
      "1 1 2 . . . . . . .\n"
      "1 3");
  Cells flags{};
  ASSERT_EQ(MeasureGroup(b, flags, 0), 3);
  MarkGroupRemoved(b, flags);
  EXPECT_EQ(b, BoardOf(
      "R R 2 . . . . . . .\n"
      "R 3"));
}

TEST(GemmetRules, SwapIsUndoneOnlyWhenNothingTouchesAndNothingFormed) {
  struct Case {
    int c1, c2, few;
    bool back;
  };
  // A measure is 0 or a group of two or more.
  const Case cases[] = {
      {0, 0, 3, true},  {0, 2, 3, true},  {2, 0, 3, false}, {0, 3, 3, false},
      {0, 4, 5, true},  {0, 5, 5, false}, {3, 0, 5, false}, {0, 0, 2, true},
      {0, 2, 2, false}, {2, 2, 2, false},
  };
  for (const Case& c : cases) EXPECT_EQ(SwapBack(c.c1, c.c2, c.few), c.back) << c.c1 << " " << c.c2 << " few " << c.few;
}

TEST(GemmetRules, EachOptionCombinationHasItsOwnLine) {
  std::set<int> lines;
  for (int skill = 0; skill < 3; ++skill)
    for (int few = 2; few <= 5; ++few) lines.insert(HiscoreLine(skill, few));
  EXPECT_EQ(lines, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
  EXPECT_EQ(HiscoreLine(0, 3), 1);  // skill-major: the few of one skill side by side
  EXPECT_EQ(HiscoreLine(1, 2), 4);
  EXPECT_EQ(HiscoreLine(2, 5), 11);
}

TEST(GemmetRules, RefillKindFromAGivenDraw) {
  struct Case {
    double u;
    int n;
    int16_t kind;
  };
  const Case cases[] = {
      {0.0, 6, 1},   {0.1666, 6, 1}, {1.0 / 6 + 1e-9, 6, 2}, {0.5, 10, 6},
      {0.9999, 10, 10}, {0.5, 23, 12}, {0.99999, 27, 27},
  };
  for (const Case& c : cases) EXPECT_EQ(RefillKind(c.u, c.n), c.kind) << c.u << " of " << c.n;
}
