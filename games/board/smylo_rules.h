#pragma once
// Smylo: thirty smileys hidden on a 15 x 15 grid, counted by row and column and, for every
// empty cell, among its four orthogonal neighbours. Cells are indexed column * 15 + row. No Qt.
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace smylo {

constexpr int kSide = 15;
constexpr int kCells = kSide * kSide;
constexpr int kSmileys = 30;
constexpr int16_t kSmiley = 20;
constexpr int16_t kUndealt = -1;

using Board = std::array<int16_t, kCells + 1>;  // 0..225, as drawn

constexpr int Index(int x, int y) { return kSide * x + y; }

struct Tallies {
  std::array<int, kSide> column{}, row{};
};

// Thirty smileys, each on a cell drawn by randomInt(225) again and again until it is free;
// then every other cell gets its neighbour count. Returns the smileys per column and row.
Tallies Deal(Board& board, const std::function<int(int)>& randomInt);
// Neighbour counts and tallies of a board whose smileys are placed (cells not 20 are counted).
Tallies Count(Board& board);

// The cell under a click at (X, Y) pixels of the board; false in the coin strips and past the
// grid.
bool CellAt(float X, float Y, int& x, int& y);

// The cells an empty cell's reveal crosses: its orthogonal neighbours on the grid.
std::vector<std::pair<int, int>> CrossesAround(int x, int y);

// Moves left after a reveal: a smiley gives two back, every reveal costs one.
int MovesAfterReveal(int movesLeft, bool smiley);

}  // namespace smylo
