// Pairn's rules: the deal's colours, each piece's steps, pairing and the goal.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "board_text.h"
#include "pairn_rules.h"

using board::Cells;
using boardtest::Parse;

namespace {
int whites(const Cells& b) { return static_cast<int>(std::count_if(b.begin(), b.end(), pairn::IsWhite)); }
int blacks(const Cells& b) { return static_cast<int>(std::count_if(b.begin(), b.end(), pairn::IsBlack)); }
}  // namespace

TEST(PairnRules, EveryDealCanBeCleared) {
  for (int n = 4; n <= 10; ++n)
    for (unsigned seed = 0; seed < 20; ++seed) {
      Cells b;
      pairn::Deal(b, n, pairn::kMixture, boardtest::Seeded(seed * 31 + n));
      const int w = whites(b), k = blacks(b);
      EXPECT_EQ(w + k, n * n - 1) << n;
      if (n % 2 == 0)
        EXPECT_EQ(std::abs(w - k), 1) << n;  // one piece is left at best
      else
        EXPECT_EQ(w, k) << n << " seed " << seed;  // the extra piece's colour lost one
      EXPECT_EQ(std::count(b.begin() + n * n, b.end(), 0), 100 - n * n);
    }
}

TEST(PairnRules, DealOfOneKindAndTheCoin) {
  Cells b;
  pairn::Deal(b, 4, pairn::kRook, boardtest::Seeded(3));
  for (int i = 0; i < 16; ++i) EXPECT_TRUE(b[i] == 0 || b[i] == 3 || b[i] == 8) << b[i];
  // Coin 1: the first eight pieces white; every cell drawn as 0 lands on the next free cell in
  // turn, and the sixteenth piece is taken off again.
  auto draws = [](double first) {
    bool coin = true;
    return board::Random([first, coin]() mutable { return std::exchange(coin, false) ? first : 0.0; });
  };
  pairn::Deal(b, 4, pairn::kKnight, draws(0.75));
  EXPECT_EQ(b, Parse("5 5 5 5  5 5 5 5  10 10 10 10  10 10 10 0", 0));
  // An odd board: coin 0 makes cells 0..11 black and 12..24 white; the cell to empty is searched
  // from the drawn cell 0 on for a white piece.
  Cells odd;
  pairn::Deal(odd, 5, pairn::kQueen, draws(0.25));
  EXPECT_EQ(odd[12], 0);  // cells 0..11 are black, 12.. white
  EXPECT_EQ(whites(odd), 12);
  EXPECT_EQ(blacks(odd), 12);
}

TEST(PairnRules, StepsOfEveryKind) {
  // On an empty 8 x 8 board from d4 (row 3, column 3 = cell 27).
  struct Case {
    int16_t piece;
    int target;
    bool legal;
  };
  const Case cases[] = {
      {pairn::kKing, 36, true},    {pairn::kKing, 45, false},   {pairn::kKing, 26, true},
      {pairn::kKing, 43, false},   {pairn::kKing, 11, false},   {pairn::kKing, 44, false},  // two rows
      {pairn::kKing, 29, false},   {pairn::kKing, 17, false},                               // two columns
      {pairn::kQueen, 63, true},   {pairn::kQueen, 31, true},   {pairn::kQueen, 44, false},
      {pairn::kRook, 59, true},    {pairn::kRook, 24, true},    {pairn::kRook, 36, false},
      {pairn::kBishop, 0, true},   {pairn::kBishop, 48, true},  {pairn::kBishop, 35, false},
      {pairn::kKnight, 44, true},  {pairn::kKnight, 10, true},  {pairn::kKnight, 45, false},
      {pairn::kKnight, 29, false},
  };
  for (const Case& c : cases)
    for (int16_t colour : {0, 5}) {
      Cells b{};
      b[27] = static_cast<int16_t>(c.piece + colour);
      EXPECT_EQ(pairn::Legal(b, 8, 27, c.target), c.legal) << c.piece + colour << " -> " << c.target;
    }
  // Over other pieces, onto the other colour only.
  Cells b{};
  b[0] = pairn::kBishop;
  b[9] = b[18] = pairn::kKnight + 5;
  b[63] = pairn::kRook;
  EXPECT_FALSE(pairn::Legal(b, 8, 0, 63));
  b[63] = pairn::kRook + 5;
  EXPECT_TRUE(pairn::Legal(b, 8, 0, 63));
  EXPECT_TRUE(pairn::Move(b, 0, 63));
  EXPECT_EQ(b[0], 0);
  EXPECT_EQ(b[63], 0);
  EXPECT_FALSE(pairn::Move(b, 9, 26));
  EXPECT_EQ(b[26], pairn::kKnight + 5);
  EXPECT_FALSE(pairn::Legal(b, 8, 40, 41));  // nothing to move
}

TEST(PairnRules, WonWithOnePieceOrNone) {
  EXPECT_TRUE(pairn::Won(Parse("0 0 0 0  0 0 0 0  0 0 0 0  0 0 0 0", 3), 4));
  EXPECT_TRUE(pairn::Won(Parse("0 0 0 0  0 7 0 0  0 0 0 0  0 0 0 0", 3), 4));
  EXPECT_FALSE(pairn::Won(Parse("1 0 0 0  0 7 0 0  0 0 0 0  0 0 0 0", 3), 4));
}
