// Pegwise's scoring and Smylo's board, on values given by the test.
#include <gtest/gtest.h>

#include <vector>

#include "pegwise_rules.h"
#include "smylo_rules.h"

TEST(PegwiseRules, ExactDigitsFirstAndNoDigitCountedTwice) {
  struct Case {
    const char *code, *guess, *result;
  } cases[] = {
      {"1123", "1111", "XX"},    // the two 1s in place use both 1s of the code
      {"1123", "3211", "OOOO"},  // every digit elsewhere, each code place once
      {"1234", "1234", "XXXX"},
      {"1234", "5566", ""},
      {"1234", "4321", "OOOO"},
      {"6612", "1666", "XOO"},   // 6 in place, then one more 6 and the 1
      {"2222", "2122", "XXX"},
      {"1234", "123", ""},       // a short row scores nothing
  };
  for (const Case& c : cases) EXPECT_EQ(pegwise::Score(c.code, c.guess), c.result) << c.code << " " << c.guess;
}

TEST(PegwiseRules, RowsTakeOnlyDigitsOneToSixAndBackspace) {
  for (int k = 0; k < 256; ++k) {
    const bool want = (k >= '1' && k <= '6') || k == 8;
    EXPECT_EQ(pegwise::RowTakesKey(k), want) << k;
  }
  std::vector<int> draws{0, 5, 2, 3};
  size_t n = 0;
  EXPECT_EQ(pegwise::DrawCode([&](int k) {
              EXPECT_EQ(k, 6);
              return draws[n++];
            }),
            "1634");
}

TEST(SmyloRules, CountsAndTalliesOfADealtBoard) {
  // Scripted draws: a repeated cell is drawn again until a free one comes.
  std::vector<int> draws;
  for (int i = 0; i < 30; ++i) draws.push_back(i * 7 % 225);
  draws.insert(draws.begin() + 3, 0);  // cell 0 again: drawn anew
  size_t n = 0;
  smylo::Board b;
  const smylo::Tallies t = smylo::Deal(b, [&](int k) {
    EXPECT_EQ(k, 225);
    return draws[n++];
  });
  EXPECT_EQ(n, 31u);
  int smileys = 0, columns = 0, rows = 0;
  for (int i = 0; i < 225; ++i) smileys += b[i] == smylo::kSmiley;
  for (int i = 0; i < 15; ++i) {
    columns += t.column[i];
    rows += t.row[i];
  }
  EXPECT_EQ(smileys, 30);
  EXPECT_EQ(columns, 30);
  EXPECT_EQ(rows, 30);
  // Cell 0 (x 0, y 0) and cell 7 (x 0, y 7) hold smileys; cell 1 (0, 1) touches cell 0 only
  // (cell 16 is x 1, y 1: a diagonal does not count).
  EXPECT_EQ(b[0], smylo::kSmiley);
  EXPECT_EQ(b[smylo::Index(0, 1)], 1 + (b[smylo::Index(1, 1)] == smylo::kSmiley) + (b[smylo::Index(0, 2)] == smylo::kSmiley));
}

TEST(SmyloRules, NeighbourCountsStopAtTheEdges) {
  smylo::Board b;
  b.fill(0);
  b[smylo::Index(0, 0)] = smylo::kSmiley;
  b[smylo::Index(14, 14)] = smylo::kSmiley;
  b[smylo::Index(14, 0)] = smylo::kSmiley;
  b[smylo::Index(6, 6)] = b[smylo::Index(8, 6)] = b[smylo::Index(7, 5)] = b[smylo::Index(7, 7)] = smylo::kSmiley;
  b[smylo::Index(6, 5)] = smylo::kSmiley;  // diagonal of (7, 6): not counted
  const smylo::Tallies t = smylo::Count(b);
  EXPECT_EQ(b[smylo::Index(7, 6)], 4);
  EXPECT_EQ(b[smylo::Index(1, 0)], 1);
  EXPECT_EQ(b[smylo::Index(0, 14)], 0);    // not wrapped from (14, 14) or (0, 0)
  EXPECT_EQ(b[smylo::Index(13, 14)], 1);
  EXPECT_EQ(b[smylo::Index(14, 1)], 1);
  EXPECT_EQ(b[smylo::Index(0, 1)], 1);
  EXPECT_EQ(t.column[14], 2);
  EXPECT_EQ(t.row[0], 2);
  EXPECT_EQ(t.row[6], 2);
}

TEST(SmyloRules, ClicksMapToCellsAndTheStripsAreIgnored) {
  struct Case {
    float X, Y;
    bool on;
    int x, y;
  } cases[] = {
      {29, 100, false, 0, 0},  {100, 29, false, 0, 0}, {374, 100, false, 0, 0}, {100, 374, false, 0, 0},
      {29.5f, 29.5f, true, 0, 0}, {51.9f, 52, true, 0, 1}, {52, 51.9f, true, 1, 0}, {373.9f, 373.9f, true, 14, 14},
      {200, 100, true, 7, 3},
  };
  for (const Case& c : cases) {
    int x = -1, y = -1;
    EXPECT_EQ(smylo::CellAt(c.X, c.Y, x, y), c.on) << c.X << "," << c.Y;
    if (c.on) {
      EXPECT_EQ(x, c.x) << c.X;
      EXPECT_EQ(y, c.y) << c.Y;
    }
  }
  using P = std::vector<std::pair<int, int>>;
  EXPECT_EQ(smylo::CrossesAround(0, 0), (P{{1, 0}, {0, 1}}));
  EXPECT_EQ(smylo::CrossesAround(14, 7), (P{{14, 6}, {13, 7}, {14, 8}}));
  EXPECT_EQ(smylo::MovesAfterReveal(15, false), 14);
  EXPECT_EQ(smylo::MovesAfterReveal(14, true), 15);
}
