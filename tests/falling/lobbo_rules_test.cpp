// Lobbo's rules on wells given by the tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "lobbo_rules.h"

using namespace lobbo;

namespace {

// A piece moves a pixel a tick, down through at most 17 rows and aside through at most 7
// columns of 32 pixels: a fall that takes ten times that never lands.
constexpr int kTickCap = 10 * (17 + 7) * 32;

// Cells as characters: '.' empty, A..F blocks, '*' joker, '8' special block, '|' column ladder,
// '-' row ladder, 'h' heart, 'o' bomb, 'x' bomb mark, '#' line mark.
const std::string kCodes = ".ABCDEF*8|-hox#";

// A well whose lowest rows are `rows` (seven characters each, the last is row 12).
Well WellOf(const std::vector<std::string>& rows) {
  Well w;
  ResetWell(w);
  const int top = kFloorRow - static_cast<int>(rows.size());
  for (size_t r = 0; r < rows.size(); ++r)
    for (int c = 0; c < 7; ++c) w[At(c + 1, top + static_cast<int>(r))] = static_cast<int16_t>(kCodes.find(rows[r][c]));
  return w;
}

// The lowest `n` rows as text, the inverse of WellOf.
std::vector<std::string> RowsOf(const Well& w, int n) {
  std::vector<std::string> out;
  for (int r = kFloorRow - n; r < kFloorRow; ++r) {
    std::string s;
    for (int c = 1; c <= 7; ++c) s += w[At(c, r)] >= 0 && w[At(c, r)] <= 14 ? kCodes[w[At(c, r)]] : '?';
    out.push_back(s);
  }
  return out;
}

Draw Script(std::vector<double> values, size_t* used = nullptr) {
  auto pos = std::make_shared<size_t>(0);
  return [values, pos, used] {
    const double v = *pos < values.size() ? values[*pos] : 0.0;
    ++*pos;
    if (used) *used = *pos;
    return v;
  };
}

// Lines found and paid on a well: the rows after removal and the money.
int Pay(Well& w, int16_t& level, int32_t& money) {
  Marks m{};
  FindLines(w, BlockMask(), m);
  return RemoveMarked(w, m, money, level);
}

}  // namespace

TEST(LobboRules, PieceDrawsTakeLengthThenKindCoinAndSpecial) {
  struct Case {
    std::vector<double> draws;
    int16_t length;
    std::vector<int16_t> kinds;
  };
  const Case cases[] = {
      {{0.0, 3.5 / 7, 0.9}, 0, {4}},            // a single plain block: kind 1..7 on heads
      {{0.0, 6.5 / 7, 0.9}, 0, {7}},            // ... the joker among them
      {{0.0, 0.0, 0.0, 0.0}, 0, {7}},           // tails: 7 + 0..5, the joker or a special
      {{0.0, 0.0, 0.4, 4.5 / 6}, 0, {11}},      // a heart
      {{0.2, 0.5, 0.0, 5.5 / 6}, 0, {12}},      // length draw 0.2 still one block; a bomb
      {{0.5, 1.5 / 7, 0.0, 2.5 / 7, 0.0}, 1, {2, 3}},  // longer pieces never draw specials
      {{0.99, 0.0, 0.0, 5.5 / 7, 0.9, 6.5 / 7, 0.1}, 2, {1, 6, 7}},
  };
  for (const Case& c : cases) {
    size_t used = 0;
    const Piece p = DrawPiece(Script(c.draws, &used));
    EXPECT_EQ(used, c.draws.size());
    ASSERT_EQ(p.length, c.length);
    for (int i = 0; i <= p.length; ++i) EXPECT_EQ(p.kinds[i], c.kinds[i]) << i;
  }

  // Over every branch of a single block: specials 5/12, the joker 1/14 + 1/12.
  std::map<int, double> share;
  for (int k = 0; k < 7; ++k)
    for (int coin = 0; coin < 2; ++coin)
      for (int s = 0; s < 6; ++s) {
        const Piece p = DrawPiece(Script({0.0, (k + 0.5) / 7, (coin + 0.5) / 2, (s + 0.5) / 6}));
        share[p.kinds[0]] += 1.0 / 84;
      }
  double specials = 0;
  for (int k = 8; k <= 12; ++k) specials += share[k];
  EXPECT_NEAR(specials, 5.0 / 12, 1e-9);
  EXPECT_NEAR(share[kJoker], 1.0 / 14 + 1.0 / 12, 1e-9);
}

TEST(LobboRules, CyclingMovesTheBottomBlockToTheTop) {
  Piece p{{1, 2, 3}, 2};
  Cycle(p);
  EXPECT_EQ(p.kinds, (std::array<int16_t, 3>{3, 1, 2}));
  p = {{1, 2, 0}, 1};
  Cycle(p);
  EXPECT_EQ(p.kinds, (std::array<int16_t, 3>{2, 1, 0}));
  p = {{5, 0, 0}, 0};
  Cycle(p);
  EXPECT_EQ(p.kinds[0], 5);
}

TEST(LobboRules, PiecesFallOnePixelATickAndLandOnTheFloorOrAStack) {
  struct Case {
    int16_t length;
    std::vector<std::string> rows;  // column 4 holds the stack
    int ticks, pieceY;
  };
  const Case cases[] = {
      {0, {}, 13 * 32, 12},            // start just above the well, land on the floor
      {2, {}, 13 * 32, 10},
      {0, {"...A...", "...B..."}, 11 * 32, 10},
      {1, {"..CA...", "...B..."}, 11 * 32, 9},  // the neighbour column does not matter
  };
  for (const Case& c : cases) {
    const Well w = WellOf(c.rows);
    Fall f = StartFall(c.length);
    EXPECT_EQ(f.pixelY, -(c.length + 1) * 32);
    int ticks = 1;
    while (ticks < kTickCap && !FallTick(w, f, false, 0)) ++ticks;
    ASSERT_LT(ticks, kTickCap) << "length " << c.length << ": the piece never lands";
    EXPECT_EQ(ticks, c.ticks);
    EXPECT_EQ(f.pieceY, c.pieceY);
    EXPECT_EQ(f.pieceX, 4);
  }
  // The blocks above the well are lost on landing.
  Well w = WellOf({"...A...", "...A...", "...A...", "...A...", "...A...", "...A...", "...A...", "...A...",
                   "...A...", "...A...", "...A...", "...A..."});
  Fall f = StartFall(2);
  int ticks = 1;
  while (ticks < kTickCap && !FallTick(w, f, false, 0)) ++ticks;
  ASSERT_LT(ticks, kTickCap) << "the piece never lands on the full column";
  EXPECT_EQ(f.pieceY, -2);
  Land(w, f, Piece{{4, 5, 6}, 2});
  EXPECT_EQ(w[At(4, 0)], 6);
  EXPECT_EQ(w[At(4, 1)], 1);
}

TEST(LobboRules, SteeringSlidesAColumnPer32TicksUntilTheTargetOrABlock) {
  struct Case {
    std::vector<std::string> rows;
    bool keyboard;
    int16_t target;
    int keys;
    int finalColumn;
  };
  const Case cases[] = {
      {{}, false, 1, 0, 1},                     // the mouse: all the way to column 1
      {{}, false, 6, 0, 6},
      {{}, false, 255, 0, 4},                   // no target: straight down
      {{}, true, 255, 2, 7},                    // right arrow held: stops at the wall
      {{}, true, 255, 3, 4},                    // both arrows held: no move
      {{"A......", "A......", "A......", "A......", "A......", "A......", "A......", "A......", "A......",
        "A......", "A......", "A......", "A......"},
       false, 1, 0, 2},                         // a full column 1 stops it beside
      {{".A.....", ".A....."}, false, 1, 0, 1},  // a low stack is passed over
  };
  for (const Case& c : cases) {
    const Well w = WellOf(c.rows);
    Fall f = StartFall(0);
    f.targetColumn = c.target;
    int ticks = 0, lastMove = 0, x = f.pixelX;
    bool landed = false;
    while (!landed) {
      ASSERT_LT(ticks, kTickCap) << "target " << c.target << ": the piece never lands";
      landed = FallTick(w, f, c.keyboard, c.keys);
      ++ticks;
      if (f.pixelX != x) lastMove = ticks;
      x = f.pixelX;
      ASSERT_TRUE(w[At(f.pieceX, std::max(0, static_cast<int>(f.pieceY)))] == kEmpty) << "inside a block";
    }
    EXPECT_EQ(f.pieceX, c.finalColumn);
    EXPECT_EQ(f.pixelX % 32, 0);
    // Slides run back to back, each one pixel a tick, starting level with a row.
    const int columns = std::abs(c.finalColumn - 4);
    if (columns > 0) {
      EXPECT_EQ(lastMove, 32 * columns);
    }
  }
}

TEST(LobboRules, SpecialsMarkTheirCells) {
  struct Case {
    const char* name;
    std::vector<std::string> before;
    int x, y;
    std::vector<std::string> after;
    int sound;
  };
  const Case cases[] = {
      {"bomb on the floor in column 1", {".C.....", "oA....."}, 1, 12, {".x.....", "xx....."}, 2},
      {"bomb in a stack",
       {".......", ".AoB...", "CDEFA..", "ABCDE.."}, 3, 10,
       {".......", ".xxx...", "CxxxA..", "ABCDE.."}, 2},
      {"heart on a joker clears every joker", {"..h....", "*.*..A*"}, 3, 11, {"..h....", "h.h..Ah"}, 5},
      {"heart on an 8 clears every 8", {"8.h....", "8.8..8A"}, 3, 11, {"h.h....", "h.h..hA"}, 5},
      {"heart on the floor", {"A.....h"}, 7, 12, {"A.....h"}, 5},
      {"row ladder on the floor", {"AB-CDE."}, 3, 12, {"AB-CDE."}, 3},
      {"row ladder on a stack", {"..-....", "ABCE.D."}, 3, 11, {"..-....", "----.-."}, 3},
      {"column ladder takes its stack", {"...|...", "...A...", "..BC..."}, 4, 10, {"...|...", "...|...", "..B|..."}, 3},
      {"8 on 8 drops an 8 in every column",
       {"...8...", "...8..A", "AAAAAAA", "BBBBBBB"}, 4, 9,
       {"...8...", "...8..8", "888888A", "AAAAAAA", "BBBBBBB"}, -1},
      {"8 on a block", {"...8...", "...A..."}, 4, 11, {"...8...", "...A..."}, -1},
  };
  for (const Case& c : cases) {
    Well w = WellOf(c.before);
    const std::vector<std::string>& want = c.after;
    EXPECT_EQ(ApplySpecial(w, c.x, c.y), c.sound) << c.name;
    EXPECT_EQ(RowsOf(w, static_cast<int>(want.size())), want) << c.name;
  }
  // A full column gets no 8.
  std::vector<std::string> full(13, "A......");
  full[0] = "A..8...";
  full[1] = "A..8...";
  Well w = WellOf(full);
  ApplySpecial(w, 4, 0);
  EXPECT_EQ(w[At(1, 0)], 1);
  EXPECT_EQ(w[At(2, 12)], kSpecialBlock);
}

TEST(LobboRules, LinesOfThreeMatchByBits) {
  struct Case {
    const char* name;
    std::vector<std::string> rows;
    int money;
  };
  const Case cases[] = {
      {"diagonal", {"A......", ".A.....", "..A...."}, 3},
      {"anti-diagonal", {"..B....", ".BC....", "BCD...."}, 3},
      {"A, joker, B", {"A*B...."}, 0},
      {"A, joker, A", {"A*A...."}, 3},
      {"three jokers", {"***...."}, 3},
      {"joker joins 8s", {"8*8...."}, 3},
      {"8s among themselves", {"8......", "8......", "8......"}, 3},
      {"an L of five pays five", {"CCC....", "C......", "C......"}, 5},
      {"two apart", {"A.A...."}, 0},
      {"marks never match", {"###....", "xxx...."}, 0},
      {"walls and floor never match", {"*......"}, 0},
      {"four in a row", {".DDDD.."}, 4},
  };
  for (const Case& c : cases) {
    Well w = WellOf(c.rows);
    int16_t level = 1;
    int32_t money = 0;
    EXPECT_EQ(Pay(w, level, money), c.money) << c.name;
    EXPECT_EQ(money, c.money) << c.name;
  }
  // A line reaching into row 0 removes its lower cells only.
  Well w;
  ResetWell(w);
  w[At(1, 0)] = w[At(1, 1)] = w[At(1, 2)] = 2;
  int16_t level = 1;
  int32_t money = 0;
  EXPECT_EQ(Pay(w, level, money), 2);
  EXPECT_EQ(w[At(1, 0)], 2);
}

TEST(LobboRules, LevelRisesWhenMoneyPassesAHundredPerLevel) {
  struct Case {
    int32_t money;
    int16_t level;
    int16_t want;
  };
  const Case cases[] = {{97, 1, 1}, {98, 1, 2}, {99, 1, 2}, {200, 2, 3}, {197, 2, 2}, {990, 10, 10}, {100, 3, 3}};
  for (const Case& c : cases) {
    Well w = WellOf({"EEE...."});
    int32_t money = c.money;
    int16_t level = c.level;
    Pay(w, level, money);
    EXPECT_EQ(money, c.money + 3);
    EXPECT_EQ(level, c.want) << c.money << " at level " << c.level;
  }
}

TEST(LobboRules, CollapseMovesOneMarkPerColumnAPass) {
  Well w = WellOf({"A..B...", "#..#...", "B.C#.x.", "C.DE.A."});
  Marks m{};
  ASSERT_TRUE(FlagCollapse(w, m));
  // Flagged: the lowest mark of each column and every occupied cell above it.
  for (auto [x, y, flagged] : std::vector<std::tuple<int, int, bool>>{
           {1, 9, true}, {1, 10, true}, {1, 11, false}, {4, 9, true}, {4, 10, true}, {4, 11, true}, {4, 12, false},
           {6, 11, true}, {6, 12, false}, {3, 11, false}})
    EXPECT_EQ(m[At(x, y)] == -1, flagged) << x << "," << y;
  Collapse(w);
  EXPECT_EQ(RowsOf(w, 4), (std::vector<std::string>{".......", "A..B...", "B.C#...", "C.DE.A."}));
  Marks none{};
  EXPECT_TRUE(FlagCollapse(w, none));
  Collapse(w);
  EXPECT_EQ(RowsOf(w, 4), (std::vector<std::string>{".......", "A......", "B.CB...", "C.DE.A."}));
  EXPECT_FALSE(FlagCollapse(w, none));

  // A block in row 0 stays and is copied into row 1.
  ResetWell(w);
  for (int r = 0; r <= 12; ++r) w[At(2, r)] = static_cast<int16_t>(1 + r % 6);
  w[At(2, 5)] = kLineMark;
  Collapse(w);
  EXPECT_EQ(w[At(2, 0)], 1);
  EXPECT_EQ(w[At(2, 1)], 1);
  EXPECT_EQ(w[At(2, 5)], 1 + 4 % 6);
}

TEST(LobboRules, TheFourthRowEndsTheGame) {
  std::vector<std::string> rows(10, ".....A.");
  EXPECT_TRUE(StackTooHigh(WellOf(rows)));
  rows.pop_back();
  EXPECT_FALSE(StackTooHigh(WellOf(rows)));
}

TEST(LobboRules, TopPlayersRankAndFileLines) {
  auto value = [](const std::string& s) { return std::stod("0" + s.substr(0, s.find('$'))); };
  TopPlayers t = DesignTopPlayers();
  EXPECT_EQ(RankOf(t, 0, value), 0);  // 0 >= 0: a new result goes above an equal one
  InsertAt(t, 0, "Ana", "0$");
  EXPECT_EQ(t.names, (std::array<std::string, 5>{"Ana", "Morvel", "Morvel", "Morvel", "Morvel"}));

  t.cash = {"200$", "137$", "50$", "20$", "10$"};
  t.names = {"a", "b", "c", "d", "e"};
  EXPECT_EQ(RankOf(t, 137, value), 1);
  InsertAt(t, 1, "new", "137$");
  EXPECT_EQ(t.names, (std::array<std::string, 5>{"a", "new", "b", "c", "d"}));
  EXPECT_EQ(t.cash, (std::array<std::string, 5>{"200$", "137$", "137$", "50$", "20$"}));
  EXPECT_EQ(RankOf(t, 19, value), 5);
  const TopPlayers before = t;
  InsertAt(t, 5, "none", "19$");
  EXPECT_EQ(t.names, before.names);

  // Round trip through the file's lines; short files keep what was there, long ones are cut.
  std::vector<std::string> lines = TableLines(t);
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(lines[0], "a");
  EXPECT_EQ(lines[3], "137$");
  TopPlayers read = DesignTopPlayers();
  ReadTable(read, lines);
  EXPECT_EQ(read.names, t.names);
  EXPECT_EQ(read.cash, t.cash);
  read = DesignTopPlayers();
  ReadTable(read, {"x", "5$", "y"});
  EXPECT_EQ(read.names, (std::array<std::string, 5>{"x", "y", "Morvel", "Morvel", "Morvel"}));
  EXPECT_EQ(read.cash, (std::array<std::string, 5>{"5$", "0$", "0$", "0$", "0$"}));
  lines.push_back("extra");
  ReadTable(read, lines);
  EXPECT_EQ(read.names, t.names);

  EXPECT_EQ(CleanName("Ana\r\nMaria\n"), "AnaMaria");
  EXPECT_EQ(CleanName(""), "");
}
