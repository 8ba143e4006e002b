#include "rookwell_rules.h"

#include <cstdlib>

namespace rookwell {

int PieceTypeOf(int16_t kind) {
  if (kind >= 1 && kind <= 5) return kind;
  if (kind >= 6 && kind <= 10) return kind - 5;
  return kNoPiece;
}

int ColourOf(int16_t kind) {
  if (kind >= 1 && kind <= 5) return 1;
  if (kind >= 6 && kind <= 10) return 2;
  return 0;
}

bool LegalMove(const collect::Cells& board, int from, int to) {
  if (from < 0 || from >= collect::kCells || to < 0 || to >= collect::kCells) return false;
  const int dx = from % collect::kSide - to % collect::kSide;
  const int dy = from / collect::kSide - to / collect::kSide;
  const int ax = std::abs(dx), ay = std::abs(dy);
  bool step = false;
  switch (PieceTypeOf(board[from])) {
    case kKnight: step = dx * dx + dy * dy == 5; break;
    case kKing: step = ax < 2 && ay < 2; break;
    case kRook: step = dx == 0 || dy == 0; break;
    case kBishop: step = ax == ay; break;
    case kQueen: step = dx == 0 || dy == 0 || ax == ay; break;
    default: return false;
  }
  if (!step) return false;
  return !(board[to] != collect::kEmpty && ColourOf(board[to]) == ColourOf(board[from]));
}

SpriteCell SpriteOf(int16_t kind) {
  if (kind >= 1 && kind <= 5) return {6 - kind, 0};
  return {11 - kind, 1};
}

}  // namespace rookwell
