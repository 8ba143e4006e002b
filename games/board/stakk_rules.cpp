#include "stakk_rules.h"

#include <algorithm>

namespace stakk {

namespace {

std::vector<Line> makeLines(int side) {
  std::vector<Line> lines;
  // The 13 directions whose first non-zero step is positive: each line is found once.
  for (int da = -1; da <= 1; ++da)
    for (int db = -1; db <= 1; ++db)
      for (int dc = -1; dc <= 1; ++dc) {
        const int first = da != 0 ? da : db != 0 ? db : dc;
        if (first <= 0) continue;
        for (int a = 0; a < side; ++a)
          for (int b = 0; b < side; ++b)
            for (int c = 0; c < side; ++c) {
              const int ea = a + da * (side - 1), eb = b + db * (side - 1), ec = c + dc * (side - 1);
              if (ea < 0 || ea >= side || eb < 0 || eb >= side || ec < 0 || ec >= side) continue;
              Line line;
              for (int k = 0; k < side; ++k) line.push_back(Cell(a + k * da, b + k * db, c + k * dc));
              lines.push_back(std::move(line));
            }
      }
  return lines;
}

}  // namespace

const std::vector<Line>& Lines(int side) {
  static const std::vector<Line> three = makeLines(3), four = makeLines(4);
  return side == 3 ? three : four;
}

std::vector<int> ScanOrder(int side) {
  std::vector<int> order;
  for (int a = 0; a < side; ++a)
    for (int b = 0; b < side; ++b)
      for (int c = 0; c < side; ++c) order.push_back(Cell(a, b, c));
  return order;
}

bool Free3(int16_t v) { return v == kEmpty || v == kWhite; }

int CountLines(Board& board, int player, std::vector<int>* whitened) {
  int count = 0;
  std::vector<const Line*> complete;
  for (const Line& line : Lines(3)) {
    bool all = true;
    for (int cell : line) all = all && (board[cell] == player || board[cell] == kWhite);
    if (!all) continue;
    ++count;
    complete.push_back(&line);
  }
  if (whitened)
    for (const Line* line : complete)
      for (int cell : *line)
        if (board[cell] == player) {
          board[cell] = kWhite;
          whitened->push_back(cell);
        }
  return count;
}

void ClearWhites(Board& board) {
  for (auto& v : board)
    if (v == kWhite) v = kEmpty;
}

Completion BestCompletingCell(const Board& board, int player, const Random& rnd) {
  Board trial = board;
  std::array<int, kCells> counts{};
  int best = 0;
  for (int cell : ScanOrder(3)) {
    if (!Free3(trial[cell])) continue;
    trial[cell] = kWhite;  // a white coin counts for either player
    counts[cell] = CountLines(trial, player);
    trial[cell] = kEmpty;
    best = std::max(best, counts[cell]);
  }
  if (best == 0) return {};
  std::vector<int> ties;
  for (int cell : ScanOrder(3))
    if (counts[cell] == best) ties.push_back(cell);
  return {ties[static_cast<size_t>(rnd() * static_cast<double>(ties.size()))], best};
}

std::vector<Placement> ComputerTurn3(Board& board, int& brownScore, const Random& rnd) {
  std::vector<Placement> moves;
  const std::vector<int> order = ScanOrder(3);
  for (;;) {
    const int before = brownScore;
    if (std::none_of(order.begin(), order.end(), [&](int cell) { return Free3(board[cell]); })) break;
    Completion pick = BestCompletingCell(board, kBrown, rnd);
    bool completing = pick.cell >= 0;
    if (!completing) pick = BestCompletingCell(board, kGreen, rnd);
    const int r = static_cast<int>(rnd() * 5);
    Placement move{-1, false, {}, 0};
    if (pick.cell >= 0) {
      // Brown's coin goes there, whether it completes Brown's lines or blocks Green's.
      board[pick.cell] = kBrown;
      CountLines(board, kBrown, &move.whitened);
      move.cell = pick.cell;
      move.scoring = completing;
      if (completing) {
        move.scored = pick.lines;
        brownScore += pick.lines;
      }
    } else if (r == 0 && Free3(board[Cell(1, 1, 1)])) {
      move.cell = Cell(1, 1, 1);
    } else {
      // The first free cell at or after a random place in scan order, cyclically.
      const int k0 = static_cast<int>(rnd() * 27);
      for (int k = 0; k < 27 && move.cell < 0; ++k)
        if (Free3(board[order[(k0 + k) % 27]])) move.cell = order[(k0 + k) % 27];
    }
    if (!move.scoring) board[move.cell] = kBrown;
    moves.push_back(std::move(move));
    ClearWhites(board);
    if (brownScore == before) break;
  }
  return moves;
}

std::array<int, 21> LineHistogram(const Board& board) {
  std::array<int, 21> c{};
  for (const Line& line : Lines(4)) {
    int sum = 0;
    for (int cell : line) sum += board[cell] == kGreen ? 5 : board[cell] == kBrown ? 1 : 0;
    ++c[sum];
  }
  return c;
}

double Evaluation(const std::array<int, 21>& c) {
  return c[1] + 100.0 * c[2] + 10000.0 * c[3] + 1e10 * c[4] - 10.0 * c[5] - 1000.0 * c[10] - 100000.0 * c[15] -
         1e10 * c[20];
}

bool HasFour(const Board& board, int player) {
  for (const Line& line : Lines(4))
    if (std::all_of(line.begin(), line.end(), [&](int cell) { return board[cell] == player; })) return true;
  return false;
}

bool Drawn(const Board& board) {
  if (std::none_of(board.begin(), board.end(), [](int16_t v) { return v == kEmpty; })) return true;
  for (const Line& line : Lines(4)) {
    const bool green = std::any_of(line.begin(), line.end(), [&](int cell) { return board[cell] == kGreen; });
    const bool brown = std::any_of(line.begin(), line.end(), [&](int cell) { return board[cell] == kBrown; });
    if (!green || !brown) return false;
  }
  return true;
}

int ChooseMove4(const Board& board, int moveCount, const Random& rnd) {
  double best = -1e10;
  int chosen = -1;
  Board trial = board;
  for (int cell = 0; cell < kCells; ++cell) {
    if (trial[cell] != kEmpty) continue;
    trial[cell] = kBrown;
    const double score = Evaluation(LineHistogram(trial));
    trial[cell] = kEmpty;
    const double u = rnd();
    if (score > best || (score == best && u > 0.5) || chosen < 0) {
      best = score;
      chosen = cell;
    }
  }
  if (moveCount == 0 && chosen >= 0) {
    const int a = rnd() > 0.5 ? 3 : 0, b = rnd() > 0.5 ? 3 : 0, c = rnd() > 0.5 ? 3 : 0;
    chosen = Cell(a, b, c);
  }
  return chosen;
}

}  // namespace stakk
