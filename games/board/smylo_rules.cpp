#include "smylo_rules.h"

#include <cmath>

namespace smylo {

Tallies Deal(Board& board, const std::function<int(int)>& randomInt) {
  board.fill(kUndealt);
  for (int i = 0; i < kSmileys; ++i) {
    int c;
    do {
      c = randomInt(kCells);
    } while (board[c] != kUndealt);
    board[c] = kSmiley;
  }
  return Count(board);
}

Tallies Count(Board& board) {
  Tallies t;
  auto smileyAt = [&](int x, int y) {
    return x >= 0 && x < kSide && y >= 0 && y < kSide && board[Index(x, y)] == kSmiley;
  };
  for (int x = 0; x < kSide; ++x)
    for (int y = 0; y < kSide; ++y) {
      if (board[Index(x, y)] == kSmiley) {
        ++t.column[x];
        ++t.row[y];
        continue;
      }
      board[Index(x, y)] =
          static_cast<int16_t>(smileyAt(x, y - 1) + smileyAt(x - 1, y) + smileyAt(x + 1, y) + smileyAt(x, y + 1));
    }
  return t;
}

bool CellAt(float X, float Y, int& x, int& y) {
  if (X <= 29 || X >= 374 || Y <= 29 || Y >= 374) return false;
  x = static_cast<int>(std::floor((X - 6) / 23)) - 1;
  y = static_cast<int>(std::floor((Y - 6) / 23)) - 1;
  return x >= 0 && x < kSide && y >= 0 && y < kSide;
}

std::vector<std::pair<int, int>> CrossesAround(int x, int y) {
  std::vector<std::pair<int, int>> out;
  if (y > 0) out.push_back({x, y - 1});
  if (x > 0) out.push_back({x - 1, y});
  if (x < kSide - 1) out.push_back({x + 1, y});
  if (y < kSide - 1) out.push_back({x, y + 1});
  return out;
}

int MovesAfterReveal(int movesLeft, bool smiley) { return movesLeft + (smiley ? 2 : 0) - 1; }

}  // namespace smylo
