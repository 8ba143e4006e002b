#include "holmo_rules.h"

namespace holmo {

int16_t DealKind(int draw) { return static_cast<int16_t>(draw > 5 ? draw + 9 : draw); }

bool Accepts(int16_t currentKind, int lastRow, int lastCol, int cell) {
  return currentKind == kEmpty || cell / kSide == lastRow || cell % kSide == lastCol;
}

RunCheck CheckRun(const Board& b, const Flags& flipped, int16_t currentKind, int c) {
  RunCheck r;
  if (currentKind == kEmpty) return r;
  if (c != kNoCell && (b[c] == currentKind || b[c] == kJoker)) return r;  // the run goes on
  r.ends = true;
  std::vector<int> run;
  for (int k = 0; k < kCells; ++k)
    if (flipped[k] == kFlagged && (b[k] == currentKind || b[k] == kJoker)) run.push_back(k);
  if (run.size() >= 2) r.removed = run;
  for (int k = 0; k < kCells; ++k) {
    if (flipped[k] != kFlagged || k == c) continue;
    bool removed = false;
    for (int m : r.removed) removed = removed || m == k;
    if (!removed) r.turnedBack.push_back(k);
  }
  return r;
}

int RemainingPictures(const Board& b) {
  int n = 0;
  for (int k = 0; k < kCells; ++k) n += b[k] != kEmpty;
  return n;
}

int SkillFactor(int skill) { return skill / 2 + 1; }

int32_t PricePerPicture(int skillFactor, int clearBonus) { return 3 * skillFactor + 1 + clearBonus; }

int32_t LifebeltPrice(int remaining, int skillFactor, int clearBonus) {
  return remaining * PricePerPicture(skillFactor, clearBonus);
}

}  // namespace holmo
