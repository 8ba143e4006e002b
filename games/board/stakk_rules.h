#pragma once
// Stakk 3D's rules on a plain cube: the lines, the 3 x 3 x 3 points game and the 4 x 4 x 4
// four-in-a-line game, with the computer's Brown player for each.
//
// Cell (a, b, c) (column, depth row, layer; 0..3, or 0..2 in the small cube) is board index
// a + 4b + 16c in both variants.
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace stakk {

constexpr int kCells = 64;
constexpr int16_t kEmpty = -1, kGreen = 0, kBrown = 1, kWhite = 2;  // white: a completed line's coin

using Board = std::array<int16_t, kCells>;
using Line = std::vector<int>;           // the cells of a line, in order
using Random = std::function<double()>;  // uniform in [0, 1)

constexpr int Cell(int a, int b, int c) { return a + 4 * b + 16 * c; }

// Every straight line through a side x side x side cube (side 3: 49 lines; side 4: 76 lines).
const std::vector<Line>& Lines(int side);
// The cells of the cube in the order the computer scans them: a, then b, then c innermost.
std::vector<int> ScanOrder(int side);
bool Free3(int16_t v);  // empty or white: a coin may go there

// ------------------------------------------------------------------ 3 x 3 x 3, played for points

// Lines whose three cells each hold `player`'s coin or a white coin. With `whitened`, the
// player's coins of those lines turn white and are listed (each cell once, in line order).
int CountLines(Board& board, int player, std::vector<int>* whitened = nullptr);
void ClearWhites(Board& board);

// The free cell where `player` would complete the most lines (a uniform pick among the best, in
// scan order), or -1 (no draw taken) when no free cell completes a line.
struct Completion {
  int cell = -1;
  int lines = 0;
};
Completion BestCompletingCell(const Board& board, int player, const Random& rnd);

// One coin of Brown's turn: where it went, which cells turned white with it and what it scored.
struct Placement {
  int cell;
  bool scoring;             // completed at least one line
  std::vector<int> whitened;
  int scored;
};
// Brown's whole turn: completes the most lines it can, else blocks Green's best, else now and then
// takes the centre, else the first free cell at or after a random place; it moves again after
// every scoring coin. Whites are cleared after each coin. `brownScore` grows by the lines made.
std::vector<Placement> ComputerTurn3(Board& board, int& brownScore, const Random& rnd);

// ------------------------------------------------------------------ 4 x 4 x 4, four in a line

// c[s]: the lines whose line values (empty 0, Green 5, Brown 1) add up to s.
std::array<int, 21> LineHistogram(const Board& board);
double Evaluation(const std::array<int, 21>& c);
bool HasFour(const Board& board, int player);
bool Drawn(const Board& board);  // full, or every line holds both colours

// Brown's move: the empty cell whose placement scores best (ties: a later equal one replaces the
// choice when its draw exceeds one half); when Brown opens (`moveCount` 0) a random corner.
// -1 when no cell is empty.
int ChooseMove4(const Board& board, int moveCount, const Random& rnd);

}  // namespace stakk
