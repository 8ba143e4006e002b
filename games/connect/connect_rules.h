#pragma once
// The connect games' rules on plain boards: the deal in which every kind occurs exactly n times,
// the groups of exactly n joined copies, and the moves and costs of each game.
#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "grid.h"

namespace connect {

constexpr int kSide = 10;
constexpr int kCells = kSide * kSide;
using Cells = std::array<int16_t, kCells>;  // cell r * 10 + c
using Board = std::span<int16_t>;
using ConstBoard = std::span<const int16_t>;
// Uniform numbers in [0, 1).
using Random = std::function<double()>;

constexpr int16_t kTrue = -1;  // flags: -1 true, 0 false
constexpr int16_t kNone = 255;  // no cell (selection, drag source, marked cell after a win)

// A uniform integer 0..k-1 from one draw.
int Draw(const Random& rnd, int k);

// The deal on board.size() cells: for copy 1..n, for kind 0..cells/n - 1, a random cell, probing
// forward (wrapping) past taken cells, gets kind + base.
void Deal(Board board, int n, int16_t base, const Random& rnd);

// The r-th (1-based) cell holding `kind` in index order; -1 when there are fewer.
int NthOfKind(ConstBoard board, int16_t kind, int r);

// A board's shape: cols x rows cells.
struct Shape {
  int cols = kSide, rows = kSide;
  int cells() const { return cols * rows; }
};

// Whether a neighbour (above, below, left, right; not across a row end) holds the cell's kind.
bool HasEqualNeighbour(ConstBoard board, int cell, Shape s);
// The cells joined to `cell` through equal kinds, flagged -1 in `marks` (cleared first); the count.
int FloodGroup(ConstBoard board, int cell, Shape s, std::span<int16_t> marks);

// The check's scan in index order: a cell that is not done, whose kind is not `skipKind` and that
// touches an equal neighbour floods its group; a group of exactly n joined copies is completed.
// Returns the completed groups in the order found, each in index order (their cells are done for
// the rest of the scan). `done` itself is left to the caller.
constexpr int kNoKind = -1000;
std::vector<std::vector<int>> CompletedGroups(ConstBoard board, ConstBoard done, int n, Shape s,
                                              int skipKind = kNoKind);

// Money. A cost never takes the cash below 0; with no cash nothing is paid.
int32_t Pay(int32_t cash, int32_t cost);

// ---- Wendrix: the black field among the grey fields (kind 0).
// The click on cell i: when i holds a picture (or is the black field), each of its neighbours
// right, left, up, down in turn that is the black grey field exchanges kind, done and black
// flags with i. Returns the neighbours exchanged with.
std::vector<int> Slide(Cells& board, Cells& done, Cells& black, int i);
// A grey field that is not black becomes the black field; returns the cells that stopped being
// black, in index order.
std::vector<int> MakeBlack(Cells& black, int i);

// ---- Skaldo: a picture dropped onto a grey field.
// Moves the picture of s onto grey cell i (done flags exchanged, s becomes grey). False when i
// is not grey: nothing moves.
bool DropOnGrey(Cells& board, Cells& done, int s, int i);
inline int32_t SkaldoCost(bool movedDone) { return movedDone ? 10 : 1; }

// ---- Twirno: the ring of eight around a cell.
// Clockwise from the top left.
constexpr std::array<int, 8> kRing = {-11, -10, -9, 1, 11, 10, 9, -1};
bool IsBorderCell(int i);
// Kind and done flag move one place along the ring (clockwise: to the next offset of kRing).
void TurnRing(Cells& board, Cells& done, int i, bool clockwise);
// A turn costs 1, around a done centre also skill + 1.
inline int32_t TwirnoCost(bool centreDone, int skill) { return 1 + (centreDone ? skill + 1 : 0); }

// ---- Klumpa: 8 x 8 board, moves toward the target kind.
constexpr int kKlumpaSide = 8;
constexpr int kKlumpaCells = kKlumpaSide * kKlumpaSide;
using KlumpaCells = std::array<int16_t, kKlumpaCells>;
// The move's neighbour test is on the index alone: a row's last cell and the next row's first
// count as neighbours.
inline bool KlumpaNeighbours(int s, int i) { return grid::AdjacentByIndex(s, i, kKlumpaSide, kKlumpaCells); }
// A new target kind, different from the last one tried, with its marked cell: the r-th cell of
// the kind, drawn again with a new kind while that cell's group is complete. False, with nothing
// drawn or changed, when every kind is complete (the loop could never end).
bool ChooseTarget(ConstBoard board, ConstBoard done, int n, int16_t& target, int16_t& marked, const Random& rnd);

}  // namespace connect
