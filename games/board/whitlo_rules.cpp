#include "whitlo_rules.h"

#include <algorithm>

namespace whitlo {

using board::kNoCell;

void Deal(Cells& board, Cells& white, int16_t& target, int n, const board::Random& rnd) {
  white.fill(0);
  target = kNoCell;
  board::DealKinds(board, n, rnd);
}

int16_t ChooseTarget(const Cells& white, int n, const board::Random& rnd) {
  if (std::none_of(white.begin(), white.begin() + n * n, [](int16_t w) { return w == 0; })) return kNoCell;
  for (;;) {
    const int r = board::RandomInt(rnd, n * n);
    if (white[r] == 0) return static_cast<int16_t>(r);
  }
}

bool AllWhite(const Cells& white, int n) {
  return std::all_of(white.begin(), white.begin() + n * n, [](int16_t w) { return w == kWhite; });
}

Click Play(const Cells& board, Cells& white, int16_t& target, int i, int n, const board::Random& rnd) {
  Click out;
  const bool hadWhite = std::any_of(white.begin(), white.begin() + n * n, [](int16_t w) { return w == kWhite; });
  bool touch = false;
  if (target != kNoCell)
    for (int nb : board::Neighbours(i, n)) touch = touch || white[nb] == kWhite;

  if (i == target) {
    white[i] = kWhite;
    target = kNoCell;
    out.whitened = true;
    if (hadWhite && !touch) {
      for (;;) {
        const int r = board::RandomInt(rnd, n * n);
        if (white[r] == kWhite && r != i) {
          white[r] = 0;
          out.restored = static_cast<int16_t>(r);
          break;
        }
      }
    }
  } else if (target != kNoCell && board[target] == board[i] && touch) {
    white[i] = kWhite;
    out.oldTarget = target;
    target = kNoCell;
    out.whitened = true;
  }
  return out;
}

}  // namespace whitlo
