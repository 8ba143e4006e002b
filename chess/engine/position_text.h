#pragma once
// Positions as text for tools and tests: the piece placement of a FEN, read into the
// engine's orientation, and the names of squares and moves in ordinary chess notation.
#include <string>
#include <string_view>

#include "engine_board.h"

namespace chess {

// "PLACEMENT w|b": a FEN piece placement and the colour the human plays. Every square of
// the placement is required, each side has one king and no pawn stands on rank 1 or 8.
// On failure returns false and says why in `error`.
bool ParsePosition(std::string_view text, EngineBoard& board, bool& humanIsWhite, std::string& error);

// The FEN piece placement of a board.
std::string PlacementText(const EngineBoard& board, bool humanIsWhite);

// "e4" for engine square (col, row).
std::string SquareName(int col, int row, bool humanIsWhite);
// Engine square of a name such as "e4"; false when it is not a square.
bool SquareFromName(std::string_view name, bool humanIsWhite, int& col, int& row);
// The human's square number 0..63 of TryHumanMove for engine square (col, row).
constexpr int SquareNumber(int col, int row) { return (8 - row) * 8 + (col - 1); }

// "e7e5" for a move between board indices, "q" added when a pawn reaches its last row.
std::string MoveName(const EngineBoard& before, int to, int from, bool humanIsWhite);
// The computer's move from `before` to `after`: "e7e5", "e8g8" for a castling (the king's
// move), "b2b1q" for a promotion; empty when nothing moved.
std::string DescribeComputerMove(const EngineBoard& before, const EngineBoard& after, bool humanIsWhite);

}  // namespace chess
