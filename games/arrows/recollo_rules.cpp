#include "recollo_rules.h"

namespace recollo {

Board Deal(int matchSize, const arrows::Draw& draw) {
  Board b;
  b.kind.fill(-1);
  for (int k = 0; k < kCells; ++k) {
    b.number[k] = static_cast<int16_t>(k);
    b.numberShown[k] = -1;
  }
  std::vector<int16_t> pieces;
  for (int round = 0; round < 2; ++round)
    for (int16_t a = kArrowLeft; a <= kArrowDown; ++a) pieces.push_back(a);
  pieces.push_back(kRevealRow);
  pieces.push_back(kRevealColumn);
  for (int round = 0; round < matchSize; ++round)
    for (int16_t c = 0; c < kCardCount / matchSize; ++c) pieces.push_back(c);
  arrows::FillProbing(b.kind, kCells, pieces, draw);
  for (int k = 0; k < kCells; ++k) {
    b.fixed[k] = b.kind[k] >= kArrowLeft ? kFixed : 0;
    if (b.fixed[k]) b.numberShown[k] = 0;
  }
  return b;
}

std::optional<LineShift> ArrowShift(const Board& b, int cell) {
  if (cell < 0 || cell >= kCells) return std::nullopt;
  switch (b.kind[cell]) {
    case kArrowLeft: return LineShift{arrows::Shift::Left, cell / kSide};
    case kArrowRight: return LineShift{arrows::Shift::Right, cell / kSide};
    case kArrowUp: return LineShift{arrows::Shift::Up, cell % kSide};
    case kArrowDown: return LineShift{arrows::Shift::Down, cell % kSide};
    default: return std::nullopt;
  }
}

std::optional<LineShift> ShiftLine(Board& b, int cell) {
  const std::optional<LineShift> s = ArrowShift(b, cell);
  if (!s) return s;
  const bool row = arrows::IsRowShift(s->dir);
  const std::vector<int> cells = arrows::LineCells(kSide, row, s->line);
  arrows::ShiftLine({b.kind, b.fixed, b.number, b.numberShown}, kSide, s->dir, s->line);
  for (int j = 0; j < kSide; ++j) {
    if (cells[j] != b.redArrow) continue;
    const int step = s->dir == arrows::Shift::Left || s->dir == arrows::Shift::Up ? kSide - 1 : 1;
    b.redArrow = cells[(j + step) % kSide];
    break;
  }
  return s;
}

int NthOneWayArrow(const Board& b, int k) {
  int seen = 0;
  for (int i = 0; i < kCells; ++i)
    if (IsOneWay(b.kind[i]) && ++seen == k) return i;
  return -1;
}

bool PickRedArrow(Board& b, int k) {
  const int cell = NthOneWayArrow(b, k);
  if (cell < 0) return false;
  b.redArrow = cell;
  return true;
}

bool IsMatch(const Board& b, const std::vector<int>& picks) {
  if (picks.empty()) return false;
  for (int p : picks)
    if (b.kind[p] != b.kind[picks.front()]) return false;
  return true;
}

Revealed Reveal(Board& b, int cell) {
  Revealed r{b.kind[cell] == kRevealRow, 0, {}};
  r.line = r.row ? cell / kSide : cell % kSide;
  for (int k : arrows::LineCells(kSide, r.row, r.line)) {
    if (b.fixed[k]) continue;
    b.numberShown[k] = 0;
    r.cells.push_back(k);
  }
  return r;
}

void Cover(Board& b, const Revealed& r) {
  // A kind the deal never makes is no card to cover: it keeps what it shows.
  for (int k : r.cells)
    if (IsDealt(b.kind[k])) b.numberShown[k] = -1;
}

void ShowNumbersOfCoveredCards(Board& b) {
  for (int k = 0; k < kCells; ++k) b.numberShown[k] = b.fixed[k] ? 0 : -1;
}

void Redeal(Game& g, int matchSize, const arrows::Draw& draw) {
  g.board = Deal(matchSize, draw);
  g.picks.fill(0);
  g.pickCount = 0;
  g.foundCount = 0;
  g.won = false;
}

Click ClickCell(Game& g, int cell, int matchSize) {
  if (cell < 0 || cell >= kCells) return Click::Refused;
  Board& b = g.board;
  const int16_t kind = b.kind[cell];
  if ((b.fixed[cell] && kind < kArrowLeft) || g.pickCount > matchSize - 1) return Click::Refused;
  for (int i = 0; i < g.pickCount; ++i)
    if (g.picks[i] == cell) return Click::Refused;
  if (kind < kArrowLeft && !b.numberShown[cell]) return Click::Refused;
  b.numberShown[cell] = 0;
  if (kind >= kArrowLeft) {
    if (g.pickCount != 0) return Click::Held;
    return kind == kRevealRow || kind == kRevealColumn ? Click::Reveal : Click::Shift;
  }
  g.picks[g.pickCount++] = static_cast<int16_t>(cell);
  if (g.pickCount < matchSize) return Click::CardUp;
  g.pickCount = 0;
  return Click::Complete;
}

std::vector<int> Picked(const Game& g, int matchSize) {
  return std::vector<int>(g.picks.begin(), g.picks.begin() + matchSize);
}

Attempt Settle(Game& g, int matchSize) {
  const std::vector<int> picked = Picked(g, matchSize);
  if (!IsMatch(g.board, picked)) {
    for (int k : picked) g.board.numberShown[k] = -1;
    return Attempt::Missed;
  }
  for (int k : picked) g.board.fixed[k] = kFixed;
  ++g.foundCount;
  if (g.foundCount < SetsToFind(matchSize)) return Attempt::Found;
  g.won = true;
  return Attempt::Won;
}

}  // namespace recollo
