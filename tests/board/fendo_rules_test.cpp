// Fendo's rules: the octagon, closing fields, the greedy passes and the safe-stick choice.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>

#include "fendo_rules.h"
#include "fendo_sides.h"

using namespace fendo;
using namespace fendo_sides;

namespace {
Random constant(double u) {
  return [u] { return u; };
}
}  // namespace

TEST(FendoRules, OctagonHas76FieldsInsideA40StickOutline) {
  const Sticks s = StartSticks();
  int free = 0, taken = 0, horizontal = 0;
  for (int n = 0; n < kSticks; ++n) {
    free += s[n] == kFree;
    taken += s[n] == kTaken;
    horizontal += n < 110 && s[n] != kAbsent;
  }
  EXPECT_EQ(horizontal, 86);
  EXPECT_EQ(taken, 40);
  EXPECT_EQ(free, 132);
  // A field is on the board when its four sticks are; every free stick lies between two of them,
  // every outline stick beside exactly one.
  std::set<std::pair<int, int>> fields;
  std::map<int, int> perRow;
  for (int r = 0; r < 10; ++r)
    for (int c = 0; c < 10; ++c)
      if (s[Top(r, c)] != kAbsent && s[Bottom(r, c)] != kAbsent && s[Left(r, c)] != kAbsent &&
          s[Right(r, c)] != kAbsent) {
        fields.insert({r, c});
        ++perRow[r];
      }
  EXPECT_EQ(fields.size(), 76u);
  EXPECT_EQ(perRow, (std::map<int, int>{{0, 4}, {1, 6}, {2, 8}, {3, 10}, {4, 10}, {5, 10}, {6, 10}, {7, 8}, {8, 6}, {9, 4}}));
  for (int n = 0; n < kSticks; ++n) {
    if (s[n] == kAbsent) continue;
    std::array<Side, 2> sides{};
    int onBoard = 0;
    for (int i = 0, k = FieldsBeside(n, sides); i < k; ++i) onBoard += fields.count({sides[i].field.row, sides[i].field.column});
    EXPECT_EQ(onBoard, s[n] == kFree ? 2 : 1) << "stick " << n;
  }
}

TEST(FendoRules, ClosingCountsTheFieldsWhoseOtherSidesAreTaken) {
  struct Case {
    const char* what;
    std::vector<int> taken;
    int stick;
    std::vector<Field> closes;  // in the order tested
  };
  const std::vector<Case> cases = {
      {"fresh board: nothing", {}, Top(4, 4), {}},
      {"field below a horizontal stick", {Bottom(4, 4), Left(4, 4), Right(4, 4)}, Top(4, 4), {{4, 4}}},
      {"both fields of a horizontal stick, above first",
       {Bottom(4, 4), Left(4, 4), Right(4, 4), Top(3, 4), Left(3, 4), Right(3, 4)}, Top(4, 4), {{3, 4}, {4, 4}}},
      {"both fields of a vertical stick, left first",
       {Top(5, 2), Bottom(5, 2), Left(5, 2), Top(5, 3), Bottom(5, 3), Right(5, 3)}, Right(5, 2), {{5, 2}, {5, 3}}},
      {"two of three sides are not enough", {Bottom(4, 4), Left(4, 4)}, Top(4, 4), {}},
  };
  for (const Case& c : cases) {
    Sticks s = StartSticks();
    for (int n : c.taken) s[n] = kTaken;
    std::array<Field, 2> closed{};
    const int k = ClosingCount(s, c.stick, &closed);
    ASSERT_EQ(k, static_cast<int>(c.closes.size())) << c.what;
    for (int i = 0; i < k; ++i) EXPECT_EQ(closed[i], c.closes[i]) << c.what;
  }
}

TEST(FendoRules, GreedyPassesFollowAChainAgainstTheirOrder) {
  // A corridor in column 4 from row 3 down to row 6, closed at the bottom: each field closes the
  // next one up, so the ascending passes need four of them.
  Sticks s = StartSticks();
  for (int r = 3; r <= 6; ++r) s[Left(r, 4)] = s[Right(r, 4)] = kTaken;
  s[Bottom(6, 4)] = kTaken;
  const Sticks before = s;
  const std::vector<Take> takes = CollectClosing(s);
  ASSERT_EQ(takes.size(), 4u);
  EXPECT_EQ(takes[0].stick, Top(6, 4));
  EXPECT_EQ(takes[3].stick, Top(3, 4));
  EXPECT_EQ(takes[3].fields[0], (Field{3, 4}));
  for (const Take& t : takes) EXPECT_EQ(t.closed, 1);
  EXPECT_EQ(GreedyTotal(before), 4);

  // One stick closing two fields counts both.
  Sticks two = StartSticks();
  for (int n : {Bottom(4, 4), Left(4, 4), Right(4, 4), Top(3, 4), Left(3, 4), Right(3, 4)}) two[n] = kTaken;
  const std::vector<Take> both = CollectClosing(two);
  ASSERT_EQ(both.size(), 1u);
  EXPECT_EQ(both[0].closed, 2);
}

TEST(FendoRules, SafeStickGivesAwayLeastWithTiesDrawnInStickOrder) {
  // Fresh board: the 32 free sides of the 16 outline fields with two taken sides give one away.
  const Sticks start = StartSticks();
  const auto give = GiveAway(start);
  std::map<int, int> counts;
  std::vector<int> zero;
  for (int n = 0; n < kSticks; ++n) {
    ++counts[give[n]];
    if (give[n] == 0) zero.push_back(n);
  }
  EXPECT_EQ(counts, (std::map<int, int>{{0, 100}, {1, 32}, {255, 88}}));
  ASSERT_GT(zero.size(), 50u);
  EXPECT_EQ(ChooseSafeStick(start, constant(0.0)), zero.front());
  EXPECT_EQ(ChooseSafeStick(start, constant(0.999)), zero.back());
  EXPECT_EQ(ChooseSafeStick(start, constant(0.5)), zero[50]);

  // Only a corridor of five fields is left (column 4, rows 2..6), its four inner walls free:
  // every stick hands the rest of the chain over; the two that close a field themselves give
  // away four, the others all five.
  Sticks late = StartSticks();
  for (auto& v : late)
    if (v == kFree) v = kTaken;
  for (int r = 3; r <= 6; ++r) late[Top(r, 4)] = kFree;
  const auto g = GiveAway(late);
  EXPECT_EQ(g[Top(3, 4)], 4);
  EXPECT_EQ(g[Top(4, 4)], 5);
  EXPECT_EQ(g[Top(5, 4)], 5);
  EXPECT_EQ(g[Top(6, 4)], 4);
  EXPECT_EQ(ChooseSafeStick(late, constant(0.0)), Top(3, 4));
  EXPECT_EQ(ChooseSafeStick(late, constant(0.99)), Top(6, 4));

  Sticks full = StartSticks();
  for (auto& v : full)
    if (v == kFree) v = kTaken;
  EXPECT_EQ(ChooseSafeStick(full, constant(0.3)), -1);
}

// ---------------------------------------------------------------- a game

TEST(FendoGame, TakingAStickClosesFieldsScoresAndPassesTheTurn) {
  // Fields (3, 2), (5, 5) and (7, 6) have three taken sides, (4, 2) two.
  const std::vector<int> around = {Bottom(4, 2), Left(4, 2), Top(3, 2),    Left(3, 2),   Right(3, 2), Bottom(5, 5),
                                   Left(5, 5),   Right(5, 5), Top(7, 6),    Bottom(7, 6), Right(7, 6)};
  struct Case {
    const char* what;
    int16_t player;
    int stick;
    bool markLast;
    std::vector<Field> closes;
    int16_t next;  // to move afterwards
  };
  const Case cases[] = {
      {"nothing closed: the turn passes", kBlue, Top(7, 4), false, {}, kYellow},
      {"Yellow's turn passes too", kYellow, Top(7, 4), true, {}, kBlue},
      {"the third side of a field closes nothing", kBlue, Right(4, 2), true, {}, kYellow},
      {"the field above: Blue moves again", kBlue, Top(4, 2), false, {{3, 2}}, kBlue},
      {"the field below, for Yellow", kYellow, Top(5, 5), true, {{5, 5}}, kYellow},
      {"the field right of a vertical stick", kBlue, Left(7, 6), true, {{7, 6}}, kBlue},
  };
  for (const Case& c : cases) {
    Game g;
    for (int n : around) g.sticks[n] = kTaken;
    g.last[Top(3, 2)] = true;  // the other side's last move
    g.playerToMove = c.player;
    g.score = {5, 7};
    const std::optional<Move> m = TakeStick(g, c.stick, c.markLast);
    ASSERT_TRUE(m) << c.what;
    EXPECT_EQ(m->player, c.player) << c.what;
    ASSERT_EQ(m->closed, static_cast<int>(c.closes.size())) << c.what;
    for (size_t i = 0; i < c.closes.size(); ++i) {
      EXPECT_EQ(m->fields[i], c.closes[i]) << c.what;
      EXPECT_EQ(g.owner[10 * c.closes[i].row + c.closes[i].column], c.player) << c.what;
    }
    EXPECT_EQ(std::count(g.owner.begin(), g.owner.end(), kNobody), 100 - static_cast<int>(c.closes.size())) << c.what;
    EXPECT_EQ(g.score[c.player], (c.player == kBlue ? 5 : 7) + m->closed) << c.what;
    EXPECT_EQ(g.score[1 - c.player], c.player == kBlue ? 7 : 5) << c.what;
    EXPECT_EQ(g.playerToMove, c.next) << c.what;
    EXPECT_EQ(g.sticks[c.stick], kTaken) << c.what;
    EXPECT_EQ(g.sticks[Top(3, 2)], kTaken) << c.what;
    for (int n = 0; n < kSticks; ++n) EXPECT_EQ(g.last[n], c.markLast && n == c.stick) << c.what << " stick " << n;
  }
}

TEST(FendoGame, StickThatClosesTwoFieldsScoresBoth) {
  Game g;
  for (int n : {Bottom(4, 4), Left(4, 4), Right(4, 4), Top(3, 4), Left(3, 4), Right(3, 4)}) g.sticks[n] = kTaken;
  const std::optional<Move> m = TakeStick(g, Top(4, 4), false);
  ASSERT_TRUE(m);
  EXPECT_EQ(m->closed, 2);
  EXPECT_EQ(g.score, (std::array<int16_t, 2>{2, 0}));
  EXPECT_EQ(g.owner[34], kBlue);
  EXPECT_EQ(g.owner[44], kBlue);
  EXPECT_EQ(g.playerToMove, kBlue);
}

TEST(FendoGame, TakenAbsentAndUnknownSticksAreRefused) {
  Game g;
  ASSERT_TRUE(TakeStick(g, Top(4, 4), true));
  const Game before = g;
  for (int n : {Top(4, 4), Top(0, 0), Top(0, 3), -1, kSticks, kSticks + 5}) {
    EXPECT_FALSE(CanTake(g, n)) << n;
    EXPECT_FALSE(TakeStick(g, n, true)) << n;
  }
  EXPECT_EQ(g.sticks, before.sticks);
  EXPECT_EQ(g.last, before.last);
  EXPECT_EQ(g.playerToMove, before.playerToMove);
  EXPECT_TRUE(CanTake(g, Top(5, 5)));
}

TEST(FendoGame, WhoBeginsAndWhenTheComputerMoves) {
  EXPECT_EQ(FirstPlayer(0, constant(0.9)), kBlue);
  EXPECT_EQ(FirstPlayer(1, constant(0.1)), kYellow);
  EXPECT_EQ(FirstPlayer(2, constant(0.49)), kBlue);
  EXPECT_EQ(FirstPlayer(2, constant(0.5)), kYellow);
  Game g;
  EXPECT_FALSE(ComputerToMove(g, true));
  g.playerToMove = kYellow;
  EXPECT_TRUE(ComputerToMove(g, true));
  EXPECT_FALSE(ComputerToMove(g, false));
}

TEST(FendoGame, ComputerCollectsEveryClosingStickThenMarksItsSafeOne) {
  // A corridor down column 4, closed at the bottom: Yellow takes its four fields, then plays a
  // stick that gives nothing away; only that one is its last move.
  Game g;
  for (int r = 3; r <= 6; ++r) g.sticks[Left(r, 4)] = g.sticks[Right(r, 4)] = kTaken;
  g.sticks[Bottom(6, 4)] = kTaken;
  g.last[Bottom(6, 4)] = true;
  g.playerToMove = kYellow;
  Sticks afterTakes = g.sticks;
  CollectClosing(afterTakes);
  const ComputerMoves m = ComputerTurn(g, constant(0.0));
  ASSERT_EQ(m.takes.size(), 4u);
  EXPECT_EQ(g.score, (std::array<int16_t, 2>{0, 4}));
  for (int r = 3; r <= 6; ++r) EXPECT_EQ(g.owner[10 * r + 4], kYellow) << r;
  EXPECT_EQ(m.safe, ChooseSafeStick(afterTakes, constant(0.0)));
  EXPECT_EQ(GiveAway(afterTakes)[m.safe], 0);
  EXPECT_EQ(g.sticks[m.safe], kTaken);
  EXPECT_TRUE(g.last[m.safe]);
  for (const Take& t : m.takes) EXPECT_FALSE(g.last[t.stick]) << t.stick;
  EXPECT_TRUE(g.last[Bottom(6, 4)]) << "Blue's stick is plain only after Blue's next move";
  EXPECT_EQ(g.playerToMove, kBlue);

  // Nothing left to play: no safe stick, Blue to move, the game is over.
  Game full;
  for (auto& v : full.sticks)
    if (v == kFree) v = kTaken;
  full.playerToMove = kYellow;
  EXPECT_TRUE(Over(full));
  EXPECT_EQ(ComputerTurn(full, constant(0.3)).safe, -1);
  EXPECT_EQ(full.playerToMove, kBlue);
  EXPECT_EQ(std::count(full.last.begin(), full.last.end(), true), 0);
}

TEST(FendoGame, WholeGamesEndWithEveryFieldOwned) {
  for (bool computer : {true, false}) {
    Game g;
    g.playerToMove = FirstPlayer(1, constant(0.0));
    // Every turn takes at least one stick: a game that outlasts the sticks never ends.
    for (int turn = 0; !Over(g); ++turn) {
      ASSERT_LT(turn, kSticks) << "computer " << computer << ": the game goes on after every stick is taken";
      if (ComputerToMove(g, computer)) {
        ComputerTurn(g, constant(0.5));
        continue;
      }
      int n = 0;
      while (n < kSticks && !CanTake(g, n)) ++n;
      ASSERT_LT(n, kSticks) << "computer " << computer << " turn " << turn << ": no stick left to take";
      ASSERT_TRUE(TakeStick(g, n, !computer));
    }
    ASSERT_TRUE(Over(g)) << computer;
    EXPECT_EQ(g.score[0] + g.score[1], kFields) << computer;
    for (int16_t p : {kBlue, kYellow}) EXPECT_EQ(std::count(g.owner.begin(), g.owner.end(), p), g.score[p]) << computer;
    EXPECT_EQ(std::count(g.owner.begin(), g.owner.end(), kNobody), 100 - kFields) << computer;
  }
}
