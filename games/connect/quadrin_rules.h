#pragma once
// Quadrin's own rules: the 81 small squares between the cells, their colours and the quarter
// turn of the four cells around a square's corner. The deal and the connected-group check are
// the connect games' shared rules.
#include <array>
#include <cstdint>

#include "connect_rules.h"

namespace quadrin {

using connect::Cells;
using connect::kCells;
using connect::kSide;
constexpr int kSquareSide = kSide - 1;
constexpr int kSquares = kSquareSide * kSquareSide;  // 81

enum class SquareColour { Black, Blue, Red };
using SquareColours = std::array<SquareColour, kSquares>;

enum class Turn { None, Left, Right };  // Left: counter-clockwise, Right: clockwise

// The top-left cell of the four that square s turns (c, c + 1, c + 10, c + 11).
constexpr int SquareCorner(int s) { return s / kSquareSide * kSide + s % kSquareSide; }

// A blue square always turns left and a red one right; a black one turns left for the left
// button (1), right for the right button (2) and not at all for any other.
Turn TurnFor(SquareColour colour, int button);

// Turns the four cells around corner c; each cell's done flag travels with its kind.
void TurnGroup(Cells& board, Cells& done, int corner, Turn turn);

// The squares' colours: all black, or 40 blue, 40 red and one more of either at random places.
// `rnd` gives uniform numbers in [0, 1).
SquareColours DrawSquareColours(bool allBlack, const connect::Random& rnd);

}  // namespace quadrin
