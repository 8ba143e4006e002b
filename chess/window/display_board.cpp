#include "display_board.h"

#include <cctype>
#include <vector>

namespace chessui {

void ReadFen(std::string_view text, DisplayBoard& board) {
  int n = 0;
  auto put = [&](uint8_t code) {
    if (n < 64) board(n % 8 + 1, n / 8 + 1) = code;
    ++n;
  };
  for (char ch : text) {
    if (n >= 64) break;
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    if (std::string_view("pnbrqkvd").find(lower) != std::string_view::npos) {
      put(static_cast<uint8_t>(kPieceLetters.find(ch) + 1));
    } else if (ch >= '1' && ch <= '8') {
      for (int k = 0; k < ch - '0'; ++k) put(0);
    }
  }
}

int CodeOfEngineValue(int32_t v, bool humanIsWhite) {
  const int32_t s = humanIsWhite ? 1 : -1;
  // The human's men take the human's colour, the computer's the other.
  if (v == -10 * s) return 1;
  if (v == -50 * s) return 4;
  if (v == -32 * s) return 3;
  if (v == -30 * s) return 2;
  if (v == -90 * s) return 5;
  if (v == (humanIsWhite ? chess::kHumanKing : chess::kComputerKing)) return 6;
  if (v == 10 * s) return 7;
  if (v == 50 * s) return 10;
  if (v == 32 * s) return 9;
  if (v == 30 * s) return 8;
  if (v == 90 * s) return 11;
  if (v == (humanIsWhite ? chess::kComputerKing : chess::kHumanKing)) return 12;
  if (v == 0) return 0;
  return -1;
}

DisplayBoard DisplayFromEngine(const chess::EngineBoard& board, bool humanIsWhite) {
  DisplayBoard out;
  for (int r = 1; r <= 8; ++r)
    for (int c = 1; c <= 8; ++c) {
      const int code = CodeOfEngineValue(board(c, r), humanIsWhite);
      if (code < 0) continue;
      int x, y;
      EngineToDisplay(c, r, humanIsWhite, x, y);
      out(x, y) = static_cast<uint8_t>(code);
    }
  return out;
}

int MoveCode(const DisplayBoard& before, const DisplayBoard& after) {
  struct Square {
    int x, y;
  };
  std::vector<Square> vacated, reached;
  for (int y = 1; y <= 8; ++y)
    for (int x = 1; x <= 8; ++x) {
      if (before(x, y) != 0 && after(x, y) == 0) vacated.push_back({x, y});
      if (after(x, y) != 0 && after(x, y) != before(x, y)) reached.push_back({x, y});
    }
  if (vacated.empty() || reached.empty()) return 0;
  Square from = vacated.front(), to = reached.front();
  if (vacated.size() > 1 || reached.size() > 1) {  // castling: the king's move
    auto isKing = [](int code) { return code == 6 || code == 12; };
    for (const Square& s : vacated)
      if (isKing(before(s.x, s.y))) from = s;
    for (const Square& s : reached)
      if (isKing(after(s.x, s.y))) to = s;
  }
  int code = from.x * 1000 + (9 - from.y) * 100 + to.x * 10 + (9 - to.y);
  const int moved = before(from.x, from.y), landed = after(to.x, to.y);
  const bool pawn = moved == 1 || moved == 7;
  if (pawn && landed != moved) code = code * 10 + (landed - 1) % 6 + 1;
  return code;
}

}  // namespace chessui
