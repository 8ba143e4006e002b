#pragma once
// Pairn's rules: white and black chess pieces move as in chess but jump over everything, onto an
// empty cell or onto a piece of the other colour, which takes both off the board.
#include "solitaire_rules.h"

namespace pairn {

using board::Cells;
// Codes: 0 empty; 1..5 white king, queen, rook, bishop, knight; 6..10 the black ones.
enum : int16_t { kEmpty = 0, kKing = 1, kQueen = 2, kRook = 3, kBishop = 4, kKnight = 5 };
constexpr int16_t kMixture = 6;  // the dealt kind: any piece

inline int Kind(int16_t code) { return code > 5 ? code - 5 : code; }
inline bool IsWhite(int16_t code) { return code >= 1 && code <= 5; }
inline bool IsBlack(int16_t code) { return code >= 6 && code <= 10; }

// A coin decides which colour the first half of the cells takes; pieces of `pieceKind` (1..5, or
// kMixture for a random kind each) go into random free cells. An even board drops its last piece,
// so one colour has one piece more; an odd board empties one cell of the colour with more pieces,
// so both colours are even and the board can be cleared.
void Deal(Cells& board, int n, int pieceKind, const board::Random& rnd);
// The piece at s may go to t: its kind's step, not onto its own colour.
bool Legal(const Cells& board, int n, int s, int t);
// Moves s to t; true when t held a piece and both vanished.
bool Move(Cells& board, int s, int t);
int EmptyCount(const Cells& board, int n);
// At most one piece left.
inline bool Won(const Cells& board, int n) { return EmptyCount(board, n) >= n * n - 1; }

}  // namespace pairn
