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

bool IsMatch(const Board& b, const std::vector<int>& picks) {
  if (picks.empty()) return false;
  for (int p : picks)
    if (b.kind[p] != b.kind[picks.front()]) return false;
  return true;
}

}  // namespace recollo
