#pragma once
// Rookwell's rules: ten piece kinds (five types in two colours), the chess steps a dragged piece
// may take (nothing blocks the way), the sprite cell of each kind and the chessboard colours.
#include "collect_rules.h"

namespace rookwell {

enum PieceType : int16_t { kNoPiece = 0, kKing = 1, kQueen = 2, kRook = 3, kBishop = 4, kKnight = 5 };
constexpr int kKinds = 10;

// Kinds 1..5 are white, 6..10 black; the type ignores the colour.
int PieceTypeOf(int16_t kind);
int ColourOf(int16_t kind);  // 1 white, 2 black, 0 none

// Whether the piece on `from` may be dropped on `to`: its chess step, and no piece of its own
// colour on the target (so never its own cell).
bool LegalMove(const collect::Cells& board, int from, int to);

// The sprite of a kind in the strip: column and row of its 32 x 32 cell.
struct SpriteCell {
  int column, row;
};
SpriteCell SpriteOf(int16_t kind);

// The chessboard: light where row + column is even.
constexpr bool LightCell(int cell) { return (cell / collect::kSide + cell % collect::kSide) % 2 == 0; }

}  // namespace rookwell
