#include "position_text.h"

#include <vector>

namespace chess {

namespace {

int32_t PieceValue(char lower) {
  switch (lower) {
    case 'p': return kPawn;
    case 'n': return kKnight;
    case 'b': return kBishop;
    case 'r': return kRook;
    case 'q': return kQueen;
    default: return 0;
  }
}

char PieceLetter(int32_t magnitude) {
  switch (magnitude) {
    case kPawn: return 'p';
    case kKnight: return 'n';
    case kBishop: return 'b';
    case kRook: return 'r';
    case kQueen: return 'q';
    default: return 'k';
  }
}

// File and rank (1..8) of engine square (col, row).
void FileRank(int col, int row, bool humanIsWhite, int& file, int& rank) {
  file = humanIsWhite ? col : 9 - col;
  rank = humanIsWhite ? row : 9 - row;
}

}  // namespace

bool ParsePosition(std::string_view text, EngineBoard& board, bool& humanIsWhite, std::string& error) {
  const size_t blank = text.find(' ');
  if (blank == std::string_view::npos) {
    error = "expected PLACEMENT, a blank and w or b";
    return false;
  }
  std::string_view placement = text.substr(0, blank);
  std::string_view colour = text.substr(blank + 1);
  while (!colour.empty() && colour.front() == ' ') colour.remove_prefix(1);
  while (!colour.empty() && colour.back() == ' ') colour.remove_suffix(1);
  if (colour != "w" && colour != "b") {
    error = "the colour of the human must be w or b";
    return false;
  }
  humanIsWhite = colour == "w";

  board.FillFrame();
  int rank = 8, file = 1, humanKings = 0, computerKings = 0;
  bool fits = true;  // every rank has exactly 8 squares and there are 8 ranks
  for (char ch : placement) {
    if (ch == '/') {
      fits = file == 9 && rank > 1;
      if (!fits) break;
      --rank;
      file = 1;
      continue;
    }
    if (ch >= '1' && ch <= '8') {
      fits = file + (ch - '0') <= 9;
      if (!fits) break;
      for (int k = 0; k < ch - '0'; ++k, ++file) {
        const int col = humanIsWhite ? file : 9 - file, row = humanIsWhite ? rank : 9 - rank;
        board(col, row) = kEmpty;
      }
      continue;
    }
    const bool white = ch >= 'A' && ch <= 'Z';
    const char lower = white ? static_cast<char>(ch - 'A' + 'a') : ch;
    const bool human = white == humanIsWhite;
    int32_t value = PieceValue(lower);
    if (lower == 'k') {
      value = human ? kHumanKing : kComputerKing;
      ++(human ? humanKings : computerKings);
    } else if (value == 0) {
      error = std::string("unknown piece letter '") + ch + "'";
      return false;
    } else if (human) {
      value = -value;
    }
    fits = file <= 8;
    if (!fits) break;
    if (lower == 'p' && (rank == 1 || rank == 8)) {
      error = "a pawn stands on rank 1 or 8";
      return false;
    }
    const int col = humanIsWhite ? file : 9 - file, row = humanIsWhite ? rank : 9 - rank;
    board(col, row) = value;
    ++file;
  }
  if (!fits || rank != 1 || file != 9) {
    error = "the placement must give 8 ranks of 8 squares";
    return false;
  }
  if (humanKings != 1 || computerKings != 1) {
    error = "each side needs exactly one king";
    return false;
  }
  return true;
}

std::string PlacementText(const EngineBoard& board, bool humanIsWhite) {
  std::string out;
  for (int rank = 8; rank >= 1; --rank) {
    int blanks = 0;
    for (int file = 1; file <= 8; ++file) {
      const int col = humanIsWhite ? file : 9 - file, row = humanIsWhite ? rank : 9 - rank;
      const int32_t v = board(col, row);
      if (v == kEmpty) {
        ++blanks;
        continue;
      }
      if (blanks) out += static_cast<char>('0' + blanks);
      blanks = 0;
      const bool human = v < 0;
      const bool white = human == humanIsWhite;
      const char letter = PieceLetter(v < 0 ? (v == kHumanKing ? 0 : -v) : (v == kComputerKing ? 0 : v));
      out += white ? static_cast<char>(letter - 'a' + 'A') : letter;
    }
    if (blanks) out += static_cast<char>('0' + blanks);
    if (rank > 1) out += '/';
  }
  return out;
}

std::string SquareName(int col, int row, bool humanIsWhite) {
  int file, rank;
  FileRank(col, row, humanIsWhite, file, rank);
  return {static_cast<char>('a' + file - 1), static_cast<char>('0' + rank)};
}

bool SquareFromName(std::string_view name, bool humanIsWhite, int& col, int& row) {
  if (name.size() != 2 || name[0] < 'a' || name[0] > 'h' || name[1] < '1' || name[1] > '8') return false;
  const int file = name[0] - 'a' + 1, rank = name[1] - '0';
  col = humanIsWhite ? file : 9 - file;
  row = humanIsWhite ? rank : 9 - rank;
  return true;
}

std::string MoveName(const EngineBoard& before, int to, int from, bool humanIsWhite) {
  std::string s = SquareName(ColOf(from), RowOf(from), humanIsWhite) + SquareName(ColOf(to), RowOf(to), humanIsWhite);
  const int32_t v = before.v[from];
  if ((v == kPawn && RowOf(to) == 1) || (v == -kPawn && RowOf(to) == 8)) s += 'q';
  return s;
}

std::string DescribeComputerMove(const EngineBoard& before, const EngineBoard& after, bool humanIsWhite) {
  std::vector<int> vacated, reached;
  for (int row = 1; row <= 8; ++row)
    for (int col = 1; col <= 8; ++col) {
      const int sq = Sq(col, row);
      if (before.v[sq] > 0 && after.v[sq] != before.v[sq]) vacated.push_back(sq);
      if (after.v[sq] > 0 && after.v[sq] != before.v[sq]) reached.push_back(sq);
    }
  if (vacated.empty() || reached.empty()) return {};
  int from = vacated.front(), to = reached.front();
  if (vacated.size() > 1 || reached.size() > 1) {  // castling: name the king's move
    for (int sq : vacated)
      if (before.v[sq] == kComputerKing) from = sq;
    for (int sq : reached)
      if (after.v[sq] == kComputerKing) to = sq;
  }
  std::string s = SquareName(ColOf(from), RowOf(from), humanIsWhite) + SquareName(ColOf(to), RowOf(to), humanIsWhite);
  if (before.v[from] == kPawn && after.v[to] != kPawn) s += PieceLetter(after.v[to]);
  return s;
}

}  // namespace chess
