// Inicializacion: the engine's data, the start position and the counters of a new game.
#include "chess_engine.h"

namespace chess {

namespace {
constexpr int kListReserve = 256;    // more than any position has moves
constexpr int kHistoryReserve = 512;  // plies kept without reallocating
}  // namespace

BoardList::BoardList()
    : slot_(kListReserve + 1), sum_(kListReserve + 1), order_(kListReserve + 1),
      score_(kListReserve + 1) {}

EngineBoard& BoardList::Append(int32_t sum) {
  ++count_;
  if (count_ >= static_cast<int>(slot_.size())) {
    const size_t n = slot_.size() * 2;
    slot_.resize(n);
    sum_.resize(n);
    order_.resize(n);
    score_.resize(n);
  }
  sum_[count_] = sum;
  order_[count_] = count_;
  return slot_[count_];
}

void BoardList::Remove(int n) {
  for (int k = n; k < count_; ++k) {
    order_[k] = order_[k + 1];
    score_[k] = score_[k + 1];
  }
  --count_;
}

ChessEngine::ChessEngine(EngineHost& host) : host_(&host) {
  humanReachMap_.v.fill(0);
  computerAttackMap_.v.fill(0);
  history_.reserve(kHistoryReserve);
  // The state of a fresh game as White, without calling the window.
  InitBoards();
  history_.assign(1, root_);
}

void ChessEngine::InitBoards() {
  root_.FillFrame();
  bestBoard_.FillFrame();
  scratch_.FillFrame();
  for (int k = 1; k <= 6; ++k) lvl_[k].FillFrame();
  for (int row = 1; row <= 8; ++row)
    for (int col = 1; col <= 8; ++col) root_(col, row) = kEmpty;

  // With the human as Black the kings and queens swap columns, so each king stands on its
  // e-file in the mirrored view.
  const int32_t back[8] = {kRook, kKnight, kBishop, kQueen, kComputerKing, kBishop, kKnight, kRook};
  for (int col = 1; col <= 8; ++col) {
    int32_t piece = back[col - 1];
    if (!humanIsWhite_ && (col == 4 || col == 5)) piece = back[8 - col];  // 4 <-> 5
    root_(col, 8) = piece;
    root_(col, 7) = kPawn;
    root_(col, 2) = -kPawn;
    root_(col, 1) = piece == kComputerKing ? kHumanKing : -piece;
  }
}

void ChessEngine::InitPlyCounters() {
  shownPly_ = 0;
  lastPly_ = 0;
  host_->ShowProgress(0, progressTotal_);
}

void ChessEngine::InitHistory() {
  moveCounter_ = 0;
  history_.resize(1);
  history_[0] = root_;
  humanCastled_ = 0;
  markingMode_ = false;
}

}  // namespace chess
