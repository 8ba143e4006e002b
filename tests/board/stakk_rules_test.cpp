// Stakk 3D's rules: the line tables, the points game with its computer player and the
// four-in-a-line game with its evaluation, opening and end tests.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>

#include "stakk_rules.h"

using namespace stakk;

namespace {
Board empty() {
  Board b;
  b.fill(kEmpty);
  return b;
}

Random scripted(std::vector<double> values) {
  auto pos = std::make_shared<size_t>(0);
  return [values, pos] { return values.at((*pos)++); };
}
Random constant(double u) {
  return [u] { return u; };
}
}  // namespace

TEST(StakkRules, LineTablesHoldEveryLineOnce) {
  for (auto [side, count] : {std::pair{3, 49}, std::pair{4, 76}}) {
    const auto& lines = Lines(side);
    EXPECT_EQ(lines.size(), static_cast<size_t>(count)) << side;
    std::set<std::set<int>> distinct;
    std::map<int, int> through;  // lines through each cell
    for (const Line& l : lines) {
      ASSERT_EQ(l.size(), static_cast<size_t>(side));
      distinct.insert(std::set<int>(l.begin(), l.end()));
      for (int cell : l) {
        EXPECT_LT(cell % 4, side);
        EXPECT_LT(cell / 4 % 4, side);
        EXPECT_LT(cell / 16, side);
        ++through[cell];
      }
      // Straight: equal steps between neighbouring cells.
      for (size_t k = 2; k < l.size(); ++k) EXPECT_EQ(l[k] - l[k - 1], l[1] - l[0]);
    }
    EXPECT_EQ(distinct.size(), lines.size()) << side;
    if (side == 3) {
      EXPECT_EQ(through[Cell(1, 1, 1)], 13);  // the centre lies on 13 lines
      EXPECT_EQ(through[Cell(0, 0, 0)], 7);
    } else {
      EXPECT_EQ(through[Cell(0, 0, 0)], 7);
      EXPECT_EQ(through[Cell(1, 1, 1)], 7);
      EXPECT_EQ(through[Cell(1, 0, 0)], 4);
    }
  }
}

TEST(StakkRules, PointsLinesCountWhiteAndWhitenTheMover) {
  Board b = empty();
  b[Cell(0, 0, 0)] = b[Cell(1, 0, 0)] = b[Cell(2, 0, 0)] = kBrown;  // a row
  b[Cell(0, 1, 0)] = b[Cell(0, 2, 0)] = kBrown;                     // a column through (0, 0, 0)
  b[Cell(2, 2, 2)] = kGreen;
  EXPECT_EQ(CountLines(b, kBrown), 2);
  EXPECT_EQ(CountLines(b, kGreen), 0);
  std::vector<int> whitened;
  EXPECT_EQ(CountLines(b, kBrown, &whitened), 2);
  EXPECT_EQ(whitened.size(), 5u);  // the shared corner once
  for (int cell : whitened) EXPECT_EQ(b[cell], kWhite);
  EXPECT_EQ(b[Cell(2, 2, 2)], kGreen);
  ClearWhites(b);
  EXPECT_EQ(b[Cell(0, 0, 0)], kEmpty);
}

TEST(StakkRules, PointsComputerCompletesElseBlocksElseTakesAFreeCell) {
  // Two cells each complete one Brown line: the pick between them is the draw's; it scores, its
  // coins leave the board and it moves again (then it has nothing to complete and blocks Green).
  Board b = empty();
  b[Cell(0, 0, 1)] = b[Cell(2, 0, 1)] = kBrown;  // (1, 0, 1) completes
  b[Cell(2, 1, 0)] = b[Cell(0, 1, 2)] = kBrown;  // the centre completes
  b[Cell(0, 2, 2)] = b[Cell(2, 2, 2)] = kGreen;  // Green completes at (1, 2, 2)
  for (auto [u, first] : {std::pair{0.2, Cell(1, 0, 1)}, std::pair{0.7, Cell(1, 1, 1)}}) {
    Board t = b;
    int score = 3;
    // pick, r; then the second coin: the other completion, r; then a block of Green, r.
    const auto moves = ComputerTurn3(t, score, scripted({u, 0.5, 0.0, 0.5, 0.0, 0.5}));
    ASSERT_EQ(moves.size(), 3u) << u;
    EXPECT_EQ(moves[0].cell, first);
    EXPECT_TRUE(moves[0].scoring);
    EXPECT_EQ(moves[0].whitened.size(), 3u);
    EXPECT_TRUE(moves[1].scoring);
    EXPECT_FALSE(moves[2].scoring);
    EXPECT_EQ(moves[2].cell, Cell(1, 2, 2));  // blocks Green's line
    EXPECT_EQ(score, 5);
    EXPECT_EQ(t[Cell(1, 2, 2)], kBrown);
    for (int cell : {Cell(0, 0, 1), Cell(2, 0, 1), Cell(2, 1, 0), Cell(0, 1, 2)})
      EXPECT_EQ(t[cell], kEmpty);  // completed lines left the board
  }

  // Blocking goes where Green would complete the most lines; the score stays.
  Board g = empty();
  g[Cell(0, 0, 0)] = g[Cell(1, 0, 0)] = kGreen;  // (2, 0, 0) completes a row
  g[Cell(2, 1, 0)] = g[Cell(2, 2, 0)] = kGreen;  // ... and a column: two lines there
  g[Cell(1, 1, 2)] = g[Cell(1, 2, 2)] = kGreen;  // (1, 0, 2) completes one
  const Completion block = BestCompletingCell(g, kGreen, constant(0.9));
  EXPECT_EQ(block.cell, Cell(2, 0, 0));
  EXPECT_EQ(block.lines, 2);
  int score = 0;
  const auto moves = ComputerTurn3(g, score, scripted({0.9, 0.5}));
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_EQ(moves[0].cell, Cell(2, 0, 0));
  EXPECT_EQ(score, 0);

  // Nothing to complete or block: the centre when the draw is 0, else the first free cell at or
  // after a random place in scan order (a outermost, c innermost).
  Board quiet = empty();
  int s = 0;
  EXPECT_EQ(ComputerTurn3(quiet, s, scripted({0.0}))[0].cell, Cell(1, 1, 1));
  quiet = empty();
  quiet[Cell(0, 1, 2)] = kGreen;  // scan number 5
  EXPECT_EQ(ComputerTurn3(quiet, s, scripted({0.5, 5.0 / 27 + 0.01}))[0].cell, Cell(0, 2, 0));  // number 6
  quiet = empty();
  quiet[Cell(2, 2, 2)] = kGreen;  // number 26: the scan wraps to 0
  EXPECT_EQ(ComputerTurn3(quiet, s, scripted({0.5, 0.999}))[0].cell, Cell(0, 0, 0));
}

TEST(StakkRules, FourInALineEvaluationWinsBlocksAndOpensInACorner) {
  // The computer's opening: one of the eight corners, each coordinate by its own draw.
  std::vector<double> draws(64, 0.1);
  draws.insert(draws.end(), {0.9, 0.1, 0.7});
  EXPECT_EQ(ChooseMove4(empty(), 0, scripted(draws)), Cell(3, 0, 3));

  // Completes its own four even when Green also threatens one.
  Board b = empty();
  for (int a = 0; a < 3; ++a) b[Cell(a, 1, 1)] = kBrown, b[Cell(a, 2, 2)] = kGreen;
  EXPECT_EQ(ChooseMove4(b, 6, constant(0.0)), Cell(3, 1, 1));
  // Blocks Green's three when it has none of its own.
  b[Cell(0, 1, 1)] = kEmpty;
  b[Cell(0, 3, 3)] = kBrown;
  EXPECT_EQ(ChooseMove4(b, 6, constant(0.0)), Cell(3, 2, 2));

  const auto c = LineHistogram(b);
  int total = 0;
  for (int n : c) total += n;
  EXPECT_EQ(total, 76);
  EXPECT_EQ(c[15], 1);  // Green's three in a row
  EXPECT_EQ(Evaluation(c) < 0, true);
}

TEST(StakkRules, FourAndDrawTestsLookAtTheRealPosition) {
  Board b = empty();
  for (int c = 0; c < 4; ++c) b[Cell(3 - c, c, c)] = kGreen;  // a space diagonal
  EXPECT_TRUE(HasFour(b, kGreen));
  EXPECT_FALSE(HasFour(b, kBrown));
  EXPECT_FALSE(Drawn(b));

  // Every line holds both colours with one cell still empty: drawn before the board is full.
  const std::string pattern = "GBBGGBGGBGBBBBGBGBBBBBGGBGGGBGBGBGGGBGBBGBBGBGBBGGBBBGGGBBGBGGBB";
  Board dead = empty();
  for (int cell = 0; cell < kCells; ++cell) dead[cell] = pattern[cell] == 'G' ? kGreen : kBrown;
  EXPECT_TRUE(Drawn(dead));  // full
  dead[1] = kEmpty;
  EXPECT_FALSE(HasFour(dead, kGreen) || HasFour(dead, kBrown));
  EXPECT_TRUE(Drawn(dead));
  // One line without a Green coin keeps the game open, whatever the weighted score says.
  for (int a = 0; a < 4; ++a) dead[Cell(a, 3, 3)] = a == 0 ? kEmpty : kBrown;
  ASSERT_FALSE(HasFour(dead, kBrown));
  EXPECT_FALSE(Drawn(dead));
  Board open = empty();
  open[Cell(0, 0, 0)] = kGreen;
  open[Cell(3, 3, 0)] = kBrown;
  EXPECT_FALSE(Drawn(open));
}
