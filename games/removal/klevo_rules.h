#pragma once
// Klevo's rules on a plain 10 x 10 board: the deal, groups and helpers, the fall, the closing
// of empty columns, the shop's prices, the board turns and the random image. No Qt here; the
// window (klevo.cpp) draws, sounds and times each step.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "removal_window_rules.h"

namespace klevo {

// The family's board and codes; the joker matches every kind.
using removal::kCells;
using removal::kEmpty;
using removal::kFlagged;
using removal::kJoker;
using removal::kSide;

// Cell index row * 10 + column, row 0 at the top.
using Board = std::array<int16_t, kCells>;
using Marks = std::array<int16_t, kCells>;  // 0 or kFlagged (to be removed); travels with its cell
using ColumnRows = std::array<int16_t, kSide>;

enum HelperMode : int16_t { kNormal = 0, kBomb = 1, kRowLadder = 2, kColumnLadder = 3, kHeart = 4 };
enum Turn : int { kTurnRight = 1, kTurnLeft = 2, kTurnHalf = 3 };

// Shop items in price order.
enum ShopItem : int { kShopBomb = 0, kShopRowLadder = 1, kShopColumnLadder = 2, kShopHeart = 3 };
constexpr int32_t kHeartPriceCap = 2560;
using Prices = std::array<int32_t, 4>;
constexpr Prices kNewGamePrices = {0, 0, 0, 5};

// One cell of a deal from two uniform draws in [0, 1): u1 >= 0.8 lets the wild kind in, so
// each of 0..4 comes with 29/150 and the wild kind with 1/30. Single precision, as drawn.
int16_t DealKind(float u1, float u2);

// Orthogonal neighbours of cell i that lie on the board (rows do not wrap into each other).
std::vector<int> Neighbours(int i);
// The eight cells around i and i itself, each only when on the board.
std::vector<int> BlastCells(int i);

// A normal click removes cell i only when an orthogonal neighbour is of its kind or wild.
// A clicked wild picture therefore joins only wild pictures.
bool CanRemove(const Board& b, int i);

// Flags cell i and its group (equal kind or wild, orthogonally connected) in passes over
// ascending indexes, each pass seeing the flags set earlier in it. Returns the cells in the
// order they were flagged, i first; onFlag runs after each flag (the window draws and pumps).
std::vector<int> FlagGroup(const Board& b, Marks& m, int i, const std::function<void(int)>& onFlag = {});

// The cells a helper click flags: bomb the 3 x 3 blast, ladders the row or column, heart every
// cell of exactly cell i's kind (wild only when cell i is wild).
std::vector<int> HelperCells(const Board& b, int mode, int i);

// Every flagged cell becomes empty; returns the cells changed. The flags stay.
std::vector<int> ClearMarked(Board& b, const Marks& m);

// One pass of the fall's search: per column, the lowest flagged cell at or above
// fallStartRow. Returns false when no column falls any more.
bool FindFalling(const Marks& m, ColumnRows& fallStartRow, ColumnRows& columnFalling);
// One step of the fall: in every falling column the cells above its lowest flagged cell move
// down one row (kind and flag together) and the top cell empties. Returns the cells to redraw.
std::vector<int> FallStep(Board& b, Marks& m, const ColumnRows& fallStartRow, const ColumnRows& columnFalling);

bool BottomEmpty(const Board& b, int column);
// Whether a column right of `column` still has a picture at the bottom.
bool FilledColumnRightOf(const Board& b, int column);
// Columns column+1..9 move one to the left; column 9 empties. Returns the cells to redraw.
std::vector<int> ShiftColumnsLeft(Board& b, int column);

// Price after a purchase: bomb and ladders add the level, the heart doubles up to the cap.
int32_t RaisedPrice(int item, int32_t price, int32_t level);
int32_t TurnPrice(int skill);  // rotation and random image: 8 + skill
// "Level Down" on a level above 1 with money: one level back, half the money, dearer helpers.
void LevelDown(int32_t& level, int32_t& money, Prices& prices);
bool LevelDownAllowed(int32_t level, int32_t money);

// The board turns, done as 25 four-cycles on the quarter (r, c), r, c = 0..4.
void TurnBoard(Board& b, int mode);
// The angles of the turning animation's frames, in degrees (clockwise on screen).
std::vector<double> TurnAngles(int mode);

// The column that takes a random image: from `start` rightwards with wrap-around, the first
// whose top cell is empty; -1 when the whole top row is full.
int RandomImageColumn(const Board& b, int start);
// The empty cells under the top of a column, down to the first picture or the bottom.
std::vector<int> CellsUnderTop(const Board& b, int column);

// Skill 0, 2, 4: its letter and its line in the best-level file.
std::string SkillLetter(int skill);
int SkillLine(int skill);
// The theme of the next board: cycling adds one; anything above 9 wraps to 0.
int16_t NextTheme(int16_t theme, bool cyclical);

}  // namespace klevo
