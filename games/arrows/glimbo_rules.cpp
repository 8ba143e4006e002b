#include "glimbo_rules.h"

namespace glimbo {

Cells Deal(const arrows::Draw& draw) {
  Cells kind;
  kind.fill(-1);
  std::vector<int16_t> pieces;
  for (int round = 0; round < 2; ++round)
    for (int16_t k = 0; k < kPictureKinds + 4; ++k) pieces.push_back(k);
  arrows::FillProbing(kind, kCells, pieces, draw);
  return kind;
}

bool ShowsPicture(int16_t kind, int16_t uses, int16_t useLimit) {
  return uses < useLimit && (IsArrow(kind) || uses < 1);
}

std::vector<int> TouchingPairs(const Cells& kind, const Cells& uses) {
  std::vector<int> marked;
  for (int k = 0; k < kCells; ++k) {
    if (uses[k] != 0 || IsArrow(kind[k])) continue;
    const int r = k / kSide, c = k % kSide;
    if ((c > 0 && kind[k - 1] == kind[k]) || (c < kSide - 1 && kind[k + 1] == kind[k]) ||
        (r < kSide - 1 && kind[k + kSide] == kind[k]) || (r > 0 && kind[k - kSide] == kind[k]))
      marked.push_back(k);
  }
  return marked;
}

std::optional<LineShift> UseInnerArrow(Cells& kind, Cells& uses, int cell, int16_t useLimit) {
  if (cell < 0 || cell >= kCells || !IsArrow(kind[cell]) || uses[cell] >= useLimit) return std::nullopt;
  uses[cell] += 1;
  if (uses[cell] == useLimit - 1) kind[cell] += kBlackOffset;
  const int row = cell / kSide, column = cell % kSide;
  switch (kind[cell]) {
    case kArrowDown:
    case kArrowDown + kBlackOffset: return LineShift{arrows::Shift::Down, column};
    case kArrowUp:
    case kArrowUp + kBlackOffset: return LineShift{arrows::Shift::Up, column};
    case kArrowLeft:
    case kArrowLeft + kBlackOffset: return LineShift{arrows::Shift::Left, row};
    default: return LineShift{arrows::Shift::Right, row};
  }
}

EdgeLook EdgeArrowLook(int uses, int16_t useLimit) {
  if (uses >= useLimit) return EdgeLook::Hidden;
  if (uses >= useLimit - 1) return EdgeLook::Black;
  return EdgeLook::Normal;
}

int MoveCount(const Cells& uses, const std::array<Counters, 4>& edgeUses, int removedCount) {
  int total = -removedCount;
  for (int16_t u : uses) total += u;
  for (const Counters& side : edgeUses)
    for (int16_t u : side) total += u;
  return total;
}

}  // namespace glimbo
