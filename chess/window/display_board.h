#pragma once
// The chess window's own copy of the position: ordinary chess orientation, one small code per
// piece. Plain functions on plain boards; nothing here draws or talks to the window system.
#include <array>
#include <cstdint>
#include <string_view>

#include "engine_board.h"

namespace chessui {

// Piece codes: the 1-based position of the letter in "PNBRQKpnbrqkVvDd"; 0 is an empty square.
// 1..6 White's pawn, knight, bishop, rook, queen, king; 7..12 Black's. 13..16 have no picture.
constexpr std::string_view kPieceLetters = "PNBRQKpnbrqkVvDd";

// 9 x 9 codes indexed (col, row); col 1..8 is file a..h, row 1 is rank 8 and row 8 rank 1.
// Cells with col or row 0 are never used.
struct DisplayBoard {
  std::array<uint8_t, 81> cell{};
  uint8_t& operator()(int col, int row) { return cell[static_cast<size_t>(row * 9 + col)]; }
  uint8_t operator()(int col, int row) const { return cell[static_cast<size_t>(row * 9 + col)]; }
  bool operator==(const DisplayBoard&) const = default;
};

constexpr bool IsWhitePieceCode(int code) { return code >= 1 && code <= 6; }
constexpr bool IsBlackPieceCode(int code) { return code >= 7 && code <= 12; }
constexpr bool IsOffBoard(double x, double y) { return x < 1 || x > 8 || y < 1 || y > 8; }

// Fills the board from the placement field of a position text. Squares the text does not
// reach keep their codes; the scan ends at the 64th square.
void ReadFen(std::string_view text, DisplayBoard& board);

// The code of an engine value, or -1 when the value is no piece (its square is not copied).
int CodeOfEngineValue(int32_t v, bool humanIsWhite);

// Display square of engine square (c, r), and back (the mapping is its own inverse).
constexpr void EngineToDisplay(int c, int r, bool humanIsWhite, int& x, int& y) {
  x = humanIsWhite ? c : 9 - c;
  y = humanIsWhite ? 9 - r : r;
}

// The square number 0..63 that the engine's TryHumanMove takes for display square (x, y).
constexpr int HumanSquareNumber(int x, int y, bool humanIsWhite) {
  return humanIsWhite ? (y - 1) * 8 + (x - 1) : (8 - y) * 8 + (8 - x);
}

// The whole position of an engine board as the window shows it.
DisplayBoard DisplayFromEngine(const chess::EngineBoard& board, bool humanIsWhite);

// One ply of the move list as a number: from file, from rank, to file, to rank (e2e4 is 5254),
// a promotion adds the new piece's kind (2 knight .. 5 queen) as a fifth digit, a castling is
// the king's move, and a ply in which nothing moved is 0.
int MoveCode(const DisplayBoard& before, const DisplayBoard& after);

}  // namespace chessui
