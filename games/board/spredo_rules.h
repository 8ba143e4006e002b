#pragma once
// Spredo's rules on a plain board: the deal, the colour spread of either side and the
// computer's colour choice. Squares are numbered column by column: square 14 * column + row.
#include <array>
#include <cstdint>
#include <functional>

namespace spredo {

constexpr int kSide = 14;
constexpr int kSquares = kSide * kSide;
constexpr int kColours = 6;       // palette entries a move may name
constexpr int kDealtColours = 4;  // the deal uses the first four only
constexpr int16_t kWhite = 6;     // the player's squares
constexpr int16_t kBlack = 7;     // the computer's squares

using Board = std::array<int16_t, kSquares>;
using Random = std::function<double()>;  // uniform in [0, 1)

// Orthogonal neighbours in the order the spread looks at them: left, right, below, above.
int Neighbours(int square, std::array<int, 4>& out);

// Deals colours 0..3, then square 0 becomes white and square 195 black. Returns the colour that
// square 0 was dealt (the player's opening spread uses it).
int16_t Deal(Board& board, const Random& rnd);

// Every square of `colour` joined to `own`'s area through squares of that colour becomes own.
// `joined` is told each square as it joins. Returns the number of squares that joined.
int Spread(Board& board, int16_t colour, int16_t own, const std::function<void(int)>& joined = {});

// The computer's move: the colours are tried in a random order until one gains a square (that
// spread is made); -1 when none gains (a pass).
int PickComputerColour(Board& board, const Random& rnd, const std::function<void(int)>& joined = {});

int Count(const Board& board, int16_t owner);
bool AllOwned(const Board& board);

}  // namespace spredo
