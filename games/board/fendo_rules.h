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

}  // namespace fendo
