// The shared shift and fill of the arrow-shift games.
#include <gtest/gtest.h>

#include <numeric>
#include <set>

#include "arrow_rules.h"

using arrows::Shift;

namespace {
std::vector<int16_t> numbered(int n) {
  std::vector<int16_t> b(n * n);
  std::iota(b.begin(), b.end(), 0);
  return b;
}
}  // namespace

TEST(ArrowRules, EveryShiftWrapsItsLineOnly) {
  struct Case {
    int n;
    Shift dir;
    int line;
    std::vector<int> cells;  // the line in board order
    std::vector<int> from;   // which old cell each of them holds afterwards
  };
  const Case cases[] = {
      {10, Shift::Left, 3, {30, 31, 32, 33, 34, 35, 36, 37, 38, 39}, {31, 32, 33, 34, 35, 36, 37, 38, 39, 30}},
      {10, Shift::Right, 0, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, {9, 0, 1, 2, 3, 4, 5, 6, 7, 8}},
      {10, Shift::Up, 9, {9, 19, 29, 39, 49, 59, 69, 79, 89, 99}, {19, 29, 39, 49, 59, 69, 79, 89, 99, 9}},
      {10, Shift::Down, 4, {4, 14, 24, 34, 44, 54, 64, 74, 84, 94}, {94, 4, 14, 24, 34, 44, 54, 64, 74, 84}},
      {4, Shift::Left, 3, {12, 13, 14, 15}, {13, 14, 15, 12}},
      {4, Shift::Down, 0, {0, 4, 8, 12}, {12, 0, 4, 8}},
      {7, Shift::Up, 6, {6, 13, 20, 27, 34, 41, 48}, {13, 20, 27, 34, 41, 48, 6}},
      {7, Shift::Right, 6, {42, 43, 44, 45, 46, 47, 48}, {48, 42, 43, 44, 45, 46, 47}},
  };
  for (const Case& c : cases) {
    std::vector<int16_t> b = numbered(c.n);
    arrows::ShiftLine(b, c.n, c.dir, c.line);
    std::set<int> line(c.cells.begin(), c.cells.end());
    for (int i = 0; i < c.n * c.n; ++i) {
      if (!line.count(i)) {
        EXPECT_EQ(b[i], i) << "n " << c.n << " line " << c.line << " cell " << i;
      }
    }
    for (size_t k = 0; k < c.cells.size(); ++k) EXPECT_EQ(b[c.cells[k]], c.from[k]) << "n " << c.n << " k " << k;
  }
}

TEST(ArrowRules, ShiftsUndoEachOtherAndMoveEveryArrayAlike) {
  for (int n : {4, 7, 10}) {
    for (int line = 0; line < n; ++line) {
      std::vector<int16_t> kind = numbered(n), state = numbered(n);
      for (auto [there, back] : {std::pair{Shift::Left, Shift::Right}, {Shift::Up, Shift::Down}}) {
        arrows::ShiftLine({kind, state}, n, there, line);
        EXPECT_EQ(kind, state);
        arrows::ShiftLine({kind, state}, n, back, line);
        EXPECT_EQ(kind, numbered(n));
        for (int i = 0; i < n; ++i) arrows::ShiftLine({kind, state}, n, there, line);
        EXPECT_EQ(kind, numbered(n)) << "n shifts restore the line";
        EXPECT_EQ(state, numbered(n));
      }
    }
  }
}

TEST(ArrowRules, FillProbesForwardToTheNextFreeCell) {
  std::vector<int16_t> b(10, -1);
  b[9] = 7;
  std::vector<int> draws = {9, 9, 3, 3, 0};
  size_t i = 0;
  arrows::FillProbing(b, 10, {1, 2, 3, 4, 5}, [&](int k) {
    EXPECT_EQ(k, 10);
    return draws.at(i++);
  });
  // 9 is taken: wraps to 0; again 9: 0 taken, so 1; 3; then 4; 0 taken through 4: 2.
  EXPECT_EQ(b, (std::vector<int16_t>{1, 2, 5, 3, 4, -1, -1, -1, -1, 7}));
}
