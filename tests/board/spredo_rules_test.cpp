// Spredo's rules: the spread, the deal and the computer's colour choice.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "spredo_rules.h"

using namespace spredo;

namespace {
constexpr int Sq(int column, int row) { return kSide * column + row; }

Board filled(int16_t colour) {
  Board b;
  b.fill(colour);
  b[0] = kWhite;
  b[kSquares - 1] = kBlack;
  return b;
}

// Draws from a list, in order.
Random scripted(std::vector<double> values) {
  auto pos = std::make_shared<size_t>(0);
  return [values, pos] { return values.at((*pos)++); };
}
}  // namespace

TEST(SpredoRules, SpreadTakesWholeBlocksOfTheColourOnly) {
  struct Case {
    const char* what;
    std::vector<int> colourOne;  // squares of colour 1 on a board of colour 2
    int16_t colour;
    std::vector<int> joins;
  };
  const std::vector<Case> cases = {
      {"a chain that reaches the area through itself joins whole", {Sq(1, 0), Sq(2, 0), Sq(2, 1), Sq(2, 2), Sq(3, 2)}, 1,
       {Sq(1, 0), Sq(2, 0), Sq(2, 1), Sq(2, 2), Sq(3, 2)}},
      {"a block that does not touch the area stays", {Sq(0, 1), Sq(5, 5), Sq(5, 6)}, 1, {Sq(0, 1)}},
      {"the bottom of a column does not touch the top of the next", {Sq(0, 13), Sq(1, 0)}, 1, {Sq(1, 0)}},
      {"an upward reach: the area grows against the sweep", {Sq(0, 1), Sq(1, 1), Sq(1, 2), Sq(0, 3), Sq(0, 2)}, 1,
       {Sq(0, 1), Sq(1, 1), Sq(1, 2), Sq(0, 2), Sq(0, 3)}},
      {"a colour that touches nothing gains nothing", {Sq(4, 4)}, 3, {}},
  };
  for (const Case& c : cases) {
    Board b = filled(2);
    for (int s : c.colourOne) b[s] = 1;
    if (c.colour == 3) b[Sq(7, 7)] = 3;
    const Board before = b;
    std::vector<int> joined;
    EXPECT_EQ(Spread(b, c.colour, kWhite, [&](int s) { joined.push_back(s); }), static_cast<int>(c.joins.size()))
        << c.what;
    for (int s = 0; s < kSquares; ++s) {
      const bool joins = std::find(c.joins.begin(), c.joins.end(), s) != c.joins.end();
      EXPECT_EQ(b[s], joins ? kWhite : before[s]) << c.what << ", square " << s;
    }
    EXPECT_EQ(joined.size(), c.joins.size()) << c.what;
  }
  // The computer's area spreads the same way from its own corner.
  Board b = filled(2);
  b[Sq(13, 12)] = b[Sq(12, 12)] = 0;
  EXPECT_EQ(Spread(b, 0, kBlack), 2);
  EXPECT_EQ(Count(b, kBlack), 3);
  EXPECT_EQ(Count(b, kWhite), 1);
}

TEST(SpredoRules, DealUsesFourColoursAndGivesEachSideItsCorner) {
  std::vector<double> draws;
  for (int i = 0; i < kSquares; ++i) draws.push_back((i % 8) / 8.0 + 0.01);  // 0..0.885: colours 0..3
  draws[0] = 0.8;
  Board b{};
  EXPECT_EQ(Deal(b, scripted(draws)), 3);
  EXPECT_EQ(b[0], kWhite);
  EXPECT_EQ(b[kSquares - 1], kBlack);
  std::map<int16_t, int> seen;
  for (int s = 1; s < kSquares - 1; ++s) ++seen[b[s]];
  EXPECT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen.begin()->first, 0);
  EXPECT_EQ(seen.rbegin()->first, 3);
  EXPECT_FALSE(AllOwned(b));
}

TEST(SpredoRules, ComputerTakesAGainingColourUniformlyOrPasses) {
  Board b = filled(4);
  b[Sq(13, 12)] = 0;  // two colours gain: 0 above the black corner, 3 beside it
  b[Sq(12, 13)] = 3;
  // Every shuffle of the six colours once (the draws at the middle of each step's slots).
  std::map<int, int> chosen;
  for (int perm = 0; perm < 720; ++perm) {
    std::vector<double> draws;
    for (int i = 5, rest = perm; i > 0; --i) {
      draws.push_back((rest % (i + 1) + 0.5) / (i + 1));
      rest /= i + 1;
    }
    Board t = b;
    const int c = PickComputerColour(t, scripted(draws));
    ++chosen[c];
    EXPECT_EQ(Count(t, kBlack), 2);
  }
  EXPECT_EQ(chosen, (std::map<int, int>{{0, 360}, {3, 360}}));

  // Walled in by the player: every colour fails and the board stays as it was.
  Board walled = filled(1);
  walled[Sq(13, 12)] = walled[Sq(12, 13)] = kWhite;
  const Board before = walled;
  EXPECT_EQ(PickComputerColour(walled, scripted({0.3, 0.3, 0.3, 0.3, 0.3})), -1);
  EXPECT_EQ(walled, before);
}
