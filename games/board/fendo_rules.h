#pragma once
// Fendo's rules on plain stick states: the octagonal board, the fields a stick closes, and the
// computer player (take every stick that closes a field, then the stick that hands the greedy
// opponent the fewest fields).
//
// Sticks: horizontal stick on line L (0..10, top to bottom), segment s: 10L + s (0..109);
// vertical stick on column line C (0..10, left to right), row r: 110 + 10C + r (110..219).
// Field (r, c): top 10r + c, bottom 10r + c + 10, left 110 + 10c + r, right 120 + 10c + r.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace fendo {

constexpr int kSticks = 220;
constexpr int kFields = 76;
constexpr int16_t kAbsent = -1;  // not on the board
constexpr int16_t kFree = 0;
constexpr int16_t kTaken = 255;

using Sticks = std::array<int16_t, kSticks>;
using Random = std::function<double()>;  // uniform in [0, 1)

constexpr int HorizontalStick(int line, int segment) { return 10 * line + segment; }
constexpr int VerticalStick(int columnLine, int row) { return 110 + 10 * columnLine + row; }

// One step of the octagon's construction: the horizontal stick (line, segment) and the vertical
// stick (column line = line, row = segment), in the order they are placed; `outline` sticks
// start taken.
struct OctagonStep {
  int line, segment;
  bool outline;
};
std::vector<OctagonStep> Octagon();
Sticks StartSticks();  // absent, taken (the outline) or free

struct Field {
  int row, column;
  bool operator==(const Field&) const = default;
};

// The fields beside stick n, in the order they are tested (a vertical stick: left, then right;
// a horizontal one: above, then below), each with its three other sticks.
struct Side {
  Field field;
  std::array<int, 3> others;
};
int FieldsBeside(int n, std::array<Side, 2>& out);

// The fields that taking stick n closes in `sticks` (their three other sticks taken).
int ClosingCount(const Sticks& sticks, int n, std::array<Field, 2>* closed = nullptr);

// Greedy passes over the sticks in increasing number: every free stick that closes a field is
// taken at once (later sticks of the pass see it); passes repeat while one takes a stick.
struct Take {
  int stick;
  int closed;  // 1 or 2
  std::array<Field, 2> fields;
};
std::vector<Take> CollectClosing(Sticks& sticks);
int GreedyTotal(Sticks sticks);  // fields the passes collect

// For every free stick, the fields a greedy opponent collects after it is taken; kTaken for
// the others.
std::array<int16_t, kSticks> GiveAway(const Sticks& sticks);
// The stick that gives away least, ties broken by one draw (the k-th of the equal ones in
// increasing number); -1 when no stick is free.
int ChooseSafeStick(const Sticks& sticks, const Random& rnd);

// ---------------------------------------------------------------- a game

constexpr int16_t kBlue = 0, kYellow = 1;  // the computer plays Yellow
constexpr int16_t kNobody = -1;

// A game in play: the sticks, the ones taken last (the move the other side has to see; they
// count as taken), who owns each field (10 * row + column), the scores and the player to move.
struct Game {
  Game();
  Sticks sticks;
  std::array<bool, kSticks> last{};
  std::array<int16_t, 100> owner;
  std::array<int16_t, 2> score{};
  int16_t playerToMove = kBlue;
};

// Who begins: choice 0 Blue, 1 Yellow, anything else one draw.
int16_t FirstPlayer(int choice, const Random& rnd);

bool CanTake(const Game& g, int n);  // a free stick of the board
// The player to move takes free stick n: the sticks taken last become plain taken, n becomes
// the last one when `markLast` (a human opponent has to see it), every field it closes is the
// player's and scores; a player who closed nothing passes the turn. Nothing for a stick that
// cannot be taken.
struct Move {
  int16_t player;
  int closed;  // 0, 1 or 2
  std::array<Field, 2> fields;
};
std::optional<Move> TakeStick(Game& g, int n, bool markLast);

inline bool ComputerToMove(const Game& g, bool computerOpponent) {
  return computerOpponent && g.playerToMove == kYellow;
}
// Yellow's whole turn: every stick that closes a field (greedy passes), then the safe stick,
// taken last; Blue moves next.
struct ComputerMoves {
  std::vector<Take> takes;
  int safe;  // -1 when no stick was left
};
ComputerMoves ComputerTurn(Game& g, const Random& rnd);

bool Over(const Game& g);  // no free stick left: every field is owned

}  // namespace fendo
