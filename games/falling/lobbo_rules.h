#pragma once
// Lobbo's rules: the well of 9 x 14 cells (walls in columns 0 and 8, the floor in row 13), the
// piece draw, one pixel of fall with its steering, the specials, lines of three by match bits,
// the collapse of marked cells, the level and the top-players table. No Qt here.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lobbo {

constexpr int kCols = 9, kRows = 14, kCells = kCols * kRows;
constexpr int kFloorRow = 13, kLastRow = 12;
constexpr int kCellPixels = 32;
constexpr int16_t kWall = -1, kEmpty = 0;
// Kinds: 1..6 blocks "A".."F", then the joker and the specials; values above 8 are marks.
constexpr int16_t kJoker = 7, kSpecialBlock = 8, kColumnLadder = 9, kRowLadder = 10, kHeart = 11,
                  kBomb = 12, kBombMark = 13, kLineMark = 14;
constexpr int kBlockPictures = 14;
constexpr int16_t kNoTarget = 255;
constexpr int kMaxLevel = 10;

using Well = std::array<int16_t, kCells>;
using Marks = std::array<int16_t, kCells>;  // -1 marked, 0 not
using Mask = std::array<int16_t, 16>;
using Draw = std::function<double()>;       // uniform in [0, 1)

constexpr int At(int x, int y) { return x + kCols * y; }
constexpr int FloorDiv(int a, int b) { return (a >= 0 ? a : a - b + 1) / b; }
constexpr bool IsMark(int16_t v) { return v > kSpecialBlock; }

// Empty playing cells inside the walls and on the floor.
void ResetWell(Well& w);
// The value of a cell; outside the array it reads as wall.
int16_t Cell(const Well& w, int x, int y);
Mask BlockMask();
// Microseconds per pixel of fall at a level.
constexpr int PixelMicros(int level) { return (24 - level) * 250; }

struct Piece {
  std::array<int16_t, 3> kinds{};  // index 0 at the top
  int16_t length = 0;              // blocks minus one
};
// Length first, then per block its kind and coin, and for a single block on tails a special.
Piece DrawPiece(const Draw& rnd);
// The bottom block goes to the top, the others move down one.
void Cycle(Piece& p);

// The falling piece and its steering, in the well's pixels (column 1 at x 0).
struct Fall {
  int16_t pieceX = 4, pieceY = 0, pixelX = 96, pixelY = 0, length = 0;
  int16_t steerDirection = 0, moveRequest = 0, slideStep = 0, targetColumn = kNoTarget;
};
Fall StartFall(int16_t length);  // column 4, just above the well
// One pixel of fall with the steering of the mouse (targetColumn) or the keys (bit 1 left,
// bit 2 right). True when the piece has landed.
bool FallTick(const Well& w, Fall& f, bool keyboard, int keyFlags);
// Writes the landed blocks into the well; those above it are lost.
void Land(Well& w, const Fall& f, const Piece& p);

// A single landed block of kind 8 or more at (x, y): its effect on the well. Returns the sound
// of the landing (-1 none).
int ApplySpecial(Well& w, int x, int y);
// Marks every cell of a line of three whose ends' match bits share a bit with the centre's.
void FindLines(const Well& w, const Mask& m, Marks& marks);
// Marked cells in rows 12..1 become line marks, each paying 1; the level rises past level x 100.
// Returns the number of cells removed.
int RemoveMarked(Well& w, const Marks& marks, int32_t& money, int16_t& level);
// Per column the lowest mark and every occupied cell above it up to row 1; false when none.
bool FlagCollapse(const Well& w, Marks& marks);
// In every column with a mark, the stack from its lowest mark up moves down one row.
void Collapse(Well& w);
// A block in the fourth row ends the game.
bool StackTooHigh(const Well& w);

// The five best players, rank 1 first.
struct TopPlayers {
  std::array<std::string, 5> names, cash;
};
TopPlayers DesignTopPlayers();
// 0..4, or 5 when the result ranks below all five; `cashValue` reads a money text's number.
int RankOf(const TopPlayers& t, int32_t money, const std::function<double(const std::string&)>& cashValue);
void InsertAt(TopPlayers& t, int rank, const std::string& name, const std::string& cash);
// Ten lines, name then money per rank; missing lines keep what `t` had.
void ReadTable(TopPlayers& t, const std::vector<std::string>& lines);
std::vector<std::string> TableLines(const TopPlayers& t);
std::string CleanName(std::string name);  // without CR and LF

}  // namespace lobbo
