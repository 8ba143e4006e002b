// The collecting games' rules on boards given by the tests: groups, new images, helpful
// objects, prices, best-score lines, Arrik's wrap, Pimbar's paths and Rookwell's piece steps.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "arrik_rules.h"
#include "collect_rules.h"
#include "pimbar_rules.h"
#include "rookwell_rules.h"

using namespace collect;

namespace {
Cells boardWith(std::initializer_list<std::pair<int, int16_t>> cells) {
  Cells b{};
  for (auto [c, k] : cells) b[c] = k;
  return b;
}

std::set<int> marked(const Marks& m) {
  std::set<int> s;
  for (int i = 0; i < kCells; ++i)
    if (m[i]) s.insert(i);
  return s;
}

// Scripted draws: each value is returned once, in order.
Draw scripted(std::vector<double> values, size_t& used) {
  return [values = std::move(values), &used] { return values.at(used++); };
}
}  // namespace

// ---------------------------------------------------------------- groups

TEST(CollectRules, GroupsOfAtLeastNInTheOrderOfTheirLowestCell) {
  struct Case {
    const char* what;
    Cells board;
    int n;
    std::vector<std::vector<int>> want;
  };
  const Case cases[] = {
      {"exactly N", boardWith({{40, 3}, {41, 3}, {51, 3}, {52, 3}}), 4, {{40, 41, 51, 52}}},
      {"N - 1 stays", boardWith({{40, 3}, {41, 3}, {51, 3}}), 4, {}},
      {"no link across a row end", boardWith({{8, 2}, {9, 2}, {10, 2}, {11, 2}}), 4, {}},
      {"no link across the top and bottom", boardWith({{0, 2}, {90, 2}}), 2, {}},
      {"diagonals do not join", boardWith({{0, 5}, {11, 5}}), 2, {}},
      {"two groups, lowest cell first", boardWith({{99, 1}, {98, 1}, {5, 7}, {15, 7}, {3, 1}}), 2,
       {{5, 15}, {98, 99}}},
      {"kinds apart", boardWith({{0, 1}, {1, 2}, {2, 1}}), 2, {}},
      {"a winding chain", boardWith({{0, 4}, {10, 4}, {11, 4}, {12, 4}, {2, 4}, {1, 4}}), 6, {{0, 1, 2, 10, 11, 12}}},
  };
  for (const Case& c : cases) EXPECT_EQ(FindGroups(c.board, c.n), c.want) << c.what;
}

TEST(CollectRules, GroupsCompareWhatTheGameSays) {
  // Rookwell groups by piece type: a white king (1) and a black king (6) belong together.
  const Cells b = boardWith({{0, 1}, {1, 6}, {2, 1}, {3, 6}, {4, 1}, {5, 6}, {6, 1}, {7, 2}});
  const auto groups = FindGroups(b, 7, [](int16_t k) { return rookwell::PieceTypeOf(k); });
  ASSERT_EQ(groups.size(), 1u);
  EXPECT_EQ(groups[0], (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
  EXPECT_TRUE(FindGroups(b, 2).empty());  // by kind, no two neighbours are equal
}

// ---------------------------------------------------------------- new images

TEST(CollectRules, NewImagesRedrawOccupiedCellsAndAlternateCellAndKind) {
  Cells b = boardWith({{50, 9}});
  size_t used = 0;
  // Cell 50 is taken: drawn again (cell 0), then its kind; then cell 99 and its kind.
  auto placed = PlaceNewImages(b, 2, 25, scripted({0.505, 0.0, 0.0, 0.999, 0.5}, used));
  ASSERT_EQ(placed.size(), 2u);
  EXPECT_EQ(used, 5u);
  EXPECT_EQ(placed[0].cell, 0);
  EXPECT_EQ(placed[0].kind, 1);
  EXPECT_EQ(placed[1].cell, 99);
  EXPECT_EQ(b[0], 1);
  EXPECT_EQ(placed[1].kind, 13);
  EXPECT_EQ(b[99], 13);

  // Kinds: the top of the draw gives K, the bottom 1.
  struct KindCase {
    int kinds;
    double u;
    int16_t want;
  };
  for (auto [kinds, u, want] : {KindCase{50, 0.999, 50}, KindCase{2, 0.49, 1}, KindCase{2, 0.5, 2},
                                KindCase{10, 0.0, 1}, KindCase{10, 0.95, 10}}) {
    Cells e{};
    used = 0;
    EXPECT_EQ(PlaceNewImages(e, 1, kinds, scripted({0.0, u}, used))[0].kind, want) << kinds << " " << u;
  }
}

TEST(CollectRules, NewImagesNeverMoreThanTheEmptyCells) {
  Cells full;
  full.fill(3);
  size_t used = 0;
  EXPECT_TRUE(PlaceNewImages(full, 3, 20, scripted({}, used)).empty());
  Cells one = full;
  one[42] = kEmpty;
  used = 0;
  auto placed = PlaceNewImages(one, 4, 10, scripted({0.2, 0.42, 0.0}, used));
  ASSERT_EQ(placed.size(), 1u);
  EXPECT_EQ(placed[0].cell, 42);
  EXPECT_EQ(EmptyCount(one), 0);
}

// ---------------------------------------------------------------- helpful objects and prices

TEST(CollectRules, HelperMarks) {
  Cells b{};
  struct Case {
    int mode, cell;
    size_t count;
  };
  for (auto [mode, cell, count] : {Case{kBomb, 0, 4}, Case{kBomb, 99, 4}, Case{kBomb, 9, 4}, Case{kBomb, 5, 6},
                                   Case{kBomb, 40, 6}, Case{kBomb, 49, 6}, Case{kBomb, 55, 9}}) {
    EXPECT_EQ(marked(HelperMarks(b, mode, cell)).size(), count) << cell;
  }
  EXPECT_EQ(marked(HelperMarks(b, kBomb, 19)), (std::set<int>{8, 9, 18, 19, 28, 29}));  // never wraps to column 0
  EXPECT_EQ(marked(HelperMarks(b, kRowLadder, 37)), (std::set<int>{30, 31, 32, 33, 34, 35, 36, 37, 38, 39}));
  EXPECT_EQ(marked(HelperMarks(b, kColumnLadder, 37)), (std::set<int>{7, 17, 27, 37, 47, 57, 67, 77, 87, 97}));

  b = boardWith({{3, 2}, {50, 2}, {51, 7}});
  EXPECT_EQ(marked(HelperMarks(b, kHeart, 50)), (std::set<int>{3, 50}));
  EXPECT_EQ(marked(HelperMarks(b, kHeart, 0)).size(), 97u);  // an empty cell: every empty cell
}

TEST(CollectRules, PricesRiseWithTheSkillAndTheHeartDoublesUpTo2560) {
  std::vector<int32_t> hearts;
  int32_t price = kNewGamePrices[kHeart - 1];
  for (int i = 0; i < 11; ++i) {
    hearts.push_back(price);
    price = NextPrice(kHeart, price, 3);
  }
  EXPECT_EQ(hearts, (std::vector<int32_t>{5, 10, 20, 40, 80, 160, 320, 640, 1280, 2560, 2560}));
  for (int perStep : {1, 2, 3, 4})
    for (int mode : {kBomb, kRowLadder, kColumnLadder})
      EXPECT_EQ(NextPrice(mode, NextPrice(mode, 0, perStep), perStep), 2 * perStep);

  EXPECT_TRUE(CanBuy(kNewGamePrices, kBomb, 0));  // the first bomb and ladders are free
  EXPECT_FALSE(CanBuy(kNewGamePrices, kHeart, 4));
  EXPECT_TRUE(CanBuy(kNewGamePrices, kHeart, 5));
  EXPECT_FALSE(CanBuy(kNewGamePrices, kNoHelper, 100));
}

TEST(CollectRules, BestScoreLines) {
  EXPECT_EQ(HiscoreLine(0, 0), 0);
  EXPECT_EQ(HiscoreLine(1, 2), 9);
  EXPECT_EQ(HiscoreLine(2, 6), 20);
}

// ---------------------------------------------------------------- Arrik

TEST(ArrikRules, TargetsWrapInsideTheColumnOrRow) {
  struct Case {
    int cell, dir, want;
  };
  const Case cases[] = {
      {44, arrik::kDown, 54},  {94, arrik::kDown, 4},   {44, arrik::kUp, 34},    {4, arrik::kUp, 94},
      {44, arrik::kLeft, 43},  {40, arrik::kLeft, 49},  {44, arrik::kRight, 45}, {49, arrik::kRight, 40},
      {99, arrik::kRight, 90}, {0, arrik::kLeft, 9},    {99, arrik::kDown, 9},   {0, arrik::kUp, 90},
  };
  for (const Case& c : cases) EXPECT_EQ(arrik::WrapTarget(c.cell, c.dir), c.want) << c.cell << " dir " << c.dir;
}

TEST(ArrikRules, MovesNeedAnEmptyTargetSwapsDoNot) {
  Cells b = boardWith({{1, 5}, {2, 6}});
  Marks m{};
  m[2] = true;
  EXPECT_FALSE(arrik::ActionAllowed(b, 2, arrik::kMove));
  EXPECT_TRUE(arrik::ActionAllowed(b, 3, arrik::kMove));
  EXPECT_TRUE(arrik::ActionAllowed(b, 2, arrik::kSwap));
  arrik::Exchange(b, m, 1, 2);
  EXPECT_EQ(b[1], 6);
  EXPECT_EQ(b[2], 5);
  EXPECT_TRUE(m[1]);
  EXPECT_FALSE(m[2]);
}

// ---------------------------------------------------------------- Pimbar

TEST(PimbarRules, DistancesRunOnlyThroughEmptyCells) {
  // The source at 0 in a corridor: row 0 free up to a wall at 4, row 1 walled.
  Cells b = boardWith({{0, 1}, {4, 2}, {10, 2}, {11, 2}, {12, 2}, {13, 2}, {14, 2}});
  const auto d = pimbar::PathDistances(b, 0);
  EXPECT_EQ(d[0], 0);
  EXPECT_EQ(d[1], 1);
  EXPECT_EQ(d[3], 3);
  EXPECT_EQ(d[4], pimbar::kUnreachable);  // occupied cells are never entered
  EXPECT_EQ(d[5], pimbar::kUnreachable);  // behind the wall
  EXPECT_EQ(d[99], pimbar::kUnreachable);
  EXPECT_EQ(d[9], pimbar::kUnreachable);  // no wrap from row 0's end

  // Open board: distances are Manhattan distances.
  Cells open{};
  open[55] = 3;
  const auto e = pimbar::PathDistances(open, 55);
  for (int c : {0, 9, 90, 99, 54, 45, 37})
    EXPECT_EQ(e[c], std::abs(c / 10 - 5) + std::abs(c % 10 - 5)) << c;
}

TEST(PimbarRules, PathTracedFromTheTargetPrefersUpperNeighbours) {
  Cells b{};
  b[0] = 1;
  const auto d = pimbar::PathDistances(b, 0);
  EXPECT_TRUE(pimbar::TracePath(d, 1).empty());  // next to the source: only the mark
  // To 11: through 1 (the target's upper neighbour) rather than 10: 1 points down to 11.
  auto p = pimbar::TracePath(d, 11);
  ASSERT_EQ(p.size(), 1u);
  EXPECT_EQ(p[0].cell, 1);
  EXPECT_EQ(p[0].arrow, pimbar::kArrowDown);
  // To 3: along the row, every cell points right.
  p = pimbar::TracePath(d, 3);
  ASSERT_EQ(p.size(), 2u);
  EXPECT_EQ(p[0].cell, 2);
  EXPECT_EQ(p[1].cell, 1);
  EXPECT_EQ(p[0].arrow, pimbar::kArrowRight);
  EXPECT_EQ(p[1].arrow, pimbar::kArrowRight);
  // From 22 up to 2 and left to 0's neighbour: arrows up then left.
  Cells c{};
  c[22] = 4;
  const auto dc = pimbar::PathDistances(c, 22);
  p = pimbar::TracePath(dc, 0);  // from 0 the trace tries down (10) before right (1)
  ASSERT_EQ(p.size(), 3u);
  EXPECT_EQ(p[0].cell, 10);
  EXPECT_EQ(p[0].arrow, pimbar::kArrowUp);
  EXPECT_EQ(p[1].cell, 20);
  EXPECT_EQ(p[1].arrow, pimbar::kArrowUp);
  EXPECT_EQ(p[2].cell, 21);
  EXPECT_EQ(p[2].arrow, pimbar::kArrowLeft);
  EXPECT_TRUE(pimbar::TracePath(d, 95).size() == 13u);
  b[1] = b[10] = 2;  // walled in
  EXPECT_TRUE(pimbar::TracePath(pimbar::PathDistances(b, 0), 11).empty());
}

// ---------------------------------------------------------------- Rookwell

TEST(RookwellRules, EachPieceStepsAsInChessAndJumps) {
  auto targets = [](int16_t kind, int from, Cells b = {}) {
    b[from] = kind;
    std::set<int> s;
    for (int t = 0; t < kCells; ++t)
      if (rookwell::LegalMove(b, from, t)) s.insert(t);
    return s;
  };
  EXPECT_EQ(targets(5, 44), (std::set<int>{23, 25, 32, 36, 52, 56, 63, 65}));  // knight
  EXPECT_EQ(targets(10, 9).count(21), 0u);                                     // no knight step across the edge
  EXPECT_EQ(targets(6, 0), (std::set<int>{1, 10, 11}));                         // king in the corner
  EXPECT_EQ(targets(1, 44).size(), 8u);
  EXPECT_EQ(targets(3, 0).size(), 18u);  // rook: row and column
  EXPECT_EQ(targets(4, 0).size(), 9u);   // bishop: the long diagonal
  EXPECT_EQ(targets(2, 44).size(), 18u + 17u);

  // Nothing blocks the way; own colour blocks the target, the other colour is captured.
  Cells b{};
  for (int c : {11, 22, 33, 1, 2, 10, 20}) b[c] = 8;
  b[0] = 4;  // white bishop
  EXPECT_TRUE(rookwell::LegalMove(b, 0, 99));
  b[0] = 3;  // white rook
  EXPECT_TRUE(rookwell::LegalMove(b, 0, 9));
  EXPECT_TRUE(rookwell::LegalMove(b, 0, 90));
  b[99] = 7;
  b[0] = 2;  // white queen onto a black queen: a capture
  EXPECT_TRUE(rookwell::LegalMove(b, 0, 99));
  b[99] = 4;  // onto a white bishop: refused
  EXPECT_FALSE(rookwell::LegalMove(b, 0, 99));
  EXPECT_FALSE(rookwell::LegalMove(b, 0, 0));  // its own cell
  EXPECT_FALSE(rookwell::LegalMove(b, 50, 51));  // no piece
}

TEST(RookwellRules, KindsTypesSpritesAndColours) {
  struct Case {
    int16_t kind;
    int type, colour, column, row;
  };
  const Case cases[] = {{1, 1, 1, 5, 0}, {2, 2, 1, 4, 0}, {3, 3, 1, 3, 0}, {4, 4, 1, 2, 0},  {5, 5, 1, 1, 0},
                        {6, 1, 2, 5, 1}, {7, 2, 2, 4, 1}, {8, 3, 2, 3, 1}, {9, 4, 2, 2, 1}, {10, 5, 2, 1, 1}};
  for (const Case& c : cases) {
    EXPECT_EQ(rookwell::PieceTypeOf(c.kind), c.type) << c.kind;
    EXPECT_EQ(rookwell::ColourOf(c.kind), c.colour) << c.kind;
    EXPECT_EQ(rookwell::SpriteOf(c.kind).column, c.column) << c.kind;
    EXPECT_EQ(rookwell::SpriteOf(c.kind).row, c.row) << c.kind;
  }
  EXPECT_EQ(rookwell::PieceTypeOf(0), 0);
  EXPECT_EQ(rookwell::PieceTypeOf(11), 0);
  EXPECT_TRUE(rookwell::LightCell(0));
  EXPECT_FALSE(rookwell::LightCell(1));
  EXPECT_FALSE(rookwell::LightCell(10));
  EXPECT_TRUE(rookwell::LightCell(11));
}
