#pragma once
// Tumo's rules on a plain 10 x 10 board: the next piece, the portholes, the path of a dropped
// piece, the landing group, the helpers' reach, the shop's prices and the board turns. No Qt
// here; the window (tumo.cpp) draws, sounds and times each step.
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "removal_window_rules.h"

namespace tumo {

// The family's board, codes and flag.
using removal::kBombHit;
using removal::kCells;
using removal::kEmpty;
using removal::kFlagged;
using removal::kJoker;
using removal::kLadderHit;
using removal::kRemoved;
using removal::kSide;
using Board = std::array<int16_t, kCells>;  // cell row * 10 + column, row 0 at the top
using Marks = std::array<int16_t, kCells>;  // kFlagged: to be emptied

// Cell codes beyond the family's: 15..19 picture kinds beside 0..4; 9 the heart's effect picture
// (never stored, like 7, 8 and 10); 11..14 a helper on its way through the board.
enum : int16_t {
  kHeartHit = 9,
  kHelperBase = 10,  // a helper in flight is kHelperBase + its mode
};
enum HelperMode : int16_t { kNoHelper = 0, kBomb = 1, kRowLadder = 2, kColumnLadder = 3, kHeart = 4 };

inline bool IsPiece(int16_t code) { return code <= kEmpty || code >= 15; }

// The next piece from a draw 0..10: 0..5 stand, 6..10 become 15..19.
int16_t NextKind(int draw);

// Portholes opened per margin by skill 0 (Easy), 2 (Medium), 4 (Hard): 5, 4, 3 draws.
int PortholeDraws(int skill);
// Opens the portholes: `draw(10)` gives a column, then a row, as many times as the skill says
// (a draw may repeat an open one).
struct Portholes {
  std::array<bool, kSide> top{};    // above column i
  std::array<bool, kSide> right{};  // beside row i
};
Portholes OpenPortholes(int skill, const std::function<int(int)>& draw);

// The way of a piece dropped through a porthole: from the top of `index` (a column) or from the
// right of it (a row). `entry` is -1 when the entry cell is occupied. `steps` are the cells the
// piece moves into after the entry, in order; `landing` is where it stops and `blocking` the
// occupied cell that stopped it (-1 when it crossed the whole board).
struct DropPath {
  int entry = -1;
  std::vector<int> steps;
  int landing = -1;
  int blocking = -1;
};
DropPath PathOf(const Board& b, bool fromTop, int index);

// The group a piece landing at c removes: every cell orthogonally connected to c through its
// kind or jokers, found in passes over ascending indexes. Nothing when no neighbour holds the
// kind or a joker. `marked` is told each cell as it is marked, c first. Returns the count.
int MarkLandingGroup(const Board& b, Marks& m, int c, const std::function<void(int)>& marked = {});

// The cells a helper marks when it hits cell c: bomb the 3 x 3 block, ladders the row or column,
// heart every cell holding c's code.
std::vector<int> HelperCells(const Board& b, int mode, int c);
int16_t HelperEffect(int mode);  // the picture shown on those cells
int16_t HelperSound(int mode);

// The shop and the turns.
using Prices = std::array<int32_t, 4>;  // bomb, horizontal ladder, vertical ladder, heart
constexpr Prices kStartPrices = {0, 0, 0, 5};
constexpr int32_t kHeartCap = 2560;
int32_t PriceStep(int skill);  // 1, 2, 3: the rise of the bomb and ladders, the price of a turn
int32_t RaisedPrice(int item, int32_t price, int32_t step);

enum Turn : int { kFlipVertical = 0, kFlipHorizontal = 1, kRotateLeft = 2, kRotateRight = 3 };
void TurnBoard(Board& b, int turn);

}  // namespace tumo
