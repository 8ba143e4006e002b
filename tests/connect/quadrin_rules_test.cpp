// Quadrin's squares: which cells each one turns, which way, and how the colours are drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "quadrin_rules.h"

using namespace quadrin;

namespace {
Cells numbered() {
  Cells b;
  for (int i = 0; i < kCells; ++i) b[i] = static_cast<int16_t>(i);
  return b;
}
}  // namespace

TEST(QuadrinRules, EverySquareTurnsTheFourCellsAroundItsCorner) {
  for (int s = 0; s < kSquares; ++s) {
    const int c = SquareCorner(s);
    ASSERT_EQ(c, (s / 9) * 10 + s % 9);
    ASSERT_LT(c % 10, 9) << s;  // never the last column or row
    ASSERT_LT(c / 10, 9) << s;
    struct Case {
      Turn turn;
      int toC, toC1, toC10, toC11;  // which old cell lands on c, c + 1, c + 10, c + 11
    };
    for (const Case& t : {Case{Turn::Left, c + 1, c + 11, c, c + 10}, Case{Turn::Right, c + 10, c, c + 11, c + 1}}) {
      Cells b = numbered(), done{};
      done[c] = -1;  // the done flag travels with the picture at c
      TurnGroup(b, done, c, t.turn);
      EXPECT_EQ(b[c], t.toC) << s;
      EXPECT_EQ(b[c + 1], t.toC1) << s;
      EXPECT_EQ(b[c + 10], t.toC10) << s;
      EXPECT_EQ(b[c + 11], t.toC11) << s;
      for (int i = 0; i < kCells; ++i) {
        if (i != c && i != c + 1 && i != c + 10 && i != c + 11) {
          EXPECT_EQ(b[i], i) << s;
        }
        EXPECT_EQ(done[i] != 0, b[i] == c) << "square " << s << " cell " << i;
      }
    }
    Cells b = numbered(), done{};
    TurnGroup(b, done, c, Turn::Left);
    TurnGroup(b, done, c, Turn::Right);
    EXPECT_EQ(b, numbered());
    TurnGroup(b, done, c, Turn::None);
    EXPECT_EQ(b, numbered());
  }
}

TEST(QuadrinRules, ColourAndButtonChooseTheTurn) {
  struct Case {
    SquareColour colour;
    int button;
    Turn want;
  } cases[] = {
      {SquareColour::Black, 1, Turn::Left}, {SquareColour::Black, 2, Turn::Right}, {SquareColour::Black, 4, Turn::None},
      {SquareColour::Blue, 1, Turn::Left},  {SquareColour::Blue, 2, Turn::Left},   {SquareColour::Blue, 4, Turn::Left},
      {SquareColour::Red, 1, Turn::Right},  {SquareColour::Red, 2, Turn::Right},   {SquareColour::Red, 4, Turn::Right},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TurnFor(c.colour, c.button), c.want) << static_cast<int>(c.colour) << " button " << c.button;
}

TEST(QuadrinRules, ColoursAreFortyBlueFortyRedAndOneMore) {
  int draws = 0;
  EXPECT_EQ(DrawSquareColours(true, [&] { return ++draws, 0.5; }),
            SquareColours{});  // all black, no draw taken
  EXPECT_EQ(draws, 0);

  std::mt19937 gen(7);
  std::uniform_real_distribution<double> u(0.0, 1.0);
  int extraBlue = 0;
  for (int run = 0; run < 40; ++run) {
    const SquareColours c = DrawSquareColours(false, [&] { return u(gen); });
    const auto blue = std::count(c.begin(), c.end(), SquareColour::Blue);
    const auto red = std::count(c.begin(), c.end(), SquareColour::Red);
    EXPECT_EQ(blue + red, 81);
    EXPECT_TRUE((blue == 41 && red == 40) || (blue == 40 && red == 41));
    extraBlue += blue == 41;
  }
  EXPECT_GT(extraBlue, 5);  // both colours come up for the odd square
  EXPECT_LT(extraBlue, 35);

  // Draws in order: square 0 blue, 1 red, 2 blue ... (a taken square is drawn again).
  std::vector<double> script;
  for (int s = 0; s < 80; ++s) {
    if (s > 0) script.push_back(0.0);  // square 0 again: taken, drawn once more
    script.push_back((s + 0.5) / 81);
  }
  script.push_back(80.5 / 81);
  script.push_back(0.7);  // Int(0.7 * 2) = 1: the odd one is red
  size_t at = 0;
  const SquareColours c = DrawSquareColours(false, [&] { return script.at(at++); });
  EXPECT_EQ(at, script.size());
  for (int s = 0; s < 80; ++s) EXPECT_EQ(c[s], s % 2 ? SquareColour::Red : SquareColour::Blue) << s;
  EXPECT_EQ(c[80], SquareColour::Red);
}
