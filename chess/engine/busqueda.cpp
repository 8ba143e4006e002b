// busqueda: the computer's search. 4 plies, or 6 with "Difficult computer strength";
// leaves valued by material; bounds handed down in module values and one shared cut-off
// flag; early stop when a candidate wins more than 2 points; repetition refused; a plain
// 2-ply fallback when every line loses the computer king; a chosen candidate that leaves
// the computer king attacked is dropped and the rest searched again.
#include "chess_engine.h"
#include "gen_mov.h"

namespace chess {

namespace {

// Level receivers' common step: child := parent's play squares, the move made, a pawn on
// its last row promoted to a queen. Returns the change of the material sum.
template <Side S>
inline int32_t MakeChild(EngineBoard& child, const EngineBoard& parent, int to, int from) {
  child.CopyPlayFrom(parent);
  int32_t delta = -child.v[to];
  child.v[to] = child.v[from];
  child.v[from] = kEmpty;
  const int p = PromotionSquare<S>(to);
  if constexpr (S == Side::Computer) {
    if (child.v[p] == kPawn) {
      child.v[p] = kQueen;
      delta += kQueen - kPawn;
    }
  } else {
    if (child.v[p] == -kPawn) {
      child.v[p] = -kQueen;
      delta -= kQueen - kPawn;
    }
  }
  return delta;
}

// The same change of the sum, for leaves whose board nobody reads.
template <Side S>
inline int32_t MoveDelta(const EngineBoard& parent, int to, int from) {
  int32_t delta = -parent.v[to];
  const int p = PromotionSquare<S>(to);
  const int32_t after = p == to ? parent.v[from] : (p == from ? kEmpty : parent.v[p]);
  if constexpr (S == Side::Computer) {
    if (after == kPawn) delta += kQueen - kPawn;
  } else {
    if (after == -kPawn) delta -= kQueen - kPawn;
  }
  return delta;
}

constexpr float kHigh = 30000.0f;
constexpr float kLow = -30000.0f;

}  // namespace

// ---- Generator family: one rule set, each member with its own receiver ----

void ChessEngine::GenMovesLevel1(const EngineBoard& b, int col, int row) {
  GenMoves<Side::Computer>(b, col, row, [this](int to, int from) { StoreLevel1(to, from); });
}
void ChessEngine::GenMovesLevel2(const EngineBoard& b, int col, int row) {
  GenMoves<Side::Human>(b, col, row, [this](int to, int from) { StoreLevel2(to, from); });
}
void ChessEngine::GenMovesLevel3(const EngineBoard& b, int col, int row) {
  GenMoves<Side::Computer>(b, col, row, [this](int to, int from) { StoreLevel3(to, from); });
}
void ChessEngine::GenMovesLevel4(const EngineBoard& b, int col, int row) {
  GenMoves<Side::Human>(b, col, row, [this](int to, int from) { StoreLevel4(to, from); });
}
void ChessEngine::GenMovesLevel5(const EngineBoard& b, int col, int row) {
  GenMoves<Side::Computer>(b, col, row, [this](int to, int from) { StoreLevel5(to, from); });
}
void ChessEngine::GenMovesLevel6(const EngineBoard& b, int col, int row) {
  // The last ply of the strong search, its hottest loop: leaves are scored without being made,
  // and the state lives in locals until the piece is done.
  int64_t examined = 0;
  float low = l6min_;
  bool cut = false;
  const int32_t sum = lvlSum_[5];
  const float bound = l5max_;
  GenMoves<Side::Human>(b, col, row, [&](int to, int from) {
    ++examined;
    const float leaf = static_cast<float>(sum + MoveDelta<Side::Human>(b, to, from));
    if (leaf < low) {
      low = leaf;
      if (leaf <= bound) cut = true;
    }
  });
  examined_ += examined;
  l6min_ = low;
  if (cut) cutoffFlag_ = true;
}
void ChessEngine::GenMovesFallbackComputer(const EngineBoard& b, int col, int row) {
  GenMoves<Side::Computer>(b, col, row, [this](int to, int from) { FallbackStore(to, from); });
}
void ChessEngine::GenMovesFallbackHuman(const EngineBoard& b, int col, int row) {
  GenMoves<Side::Human>(b, col, row, [this](int to, int from) { FallbackLeaf(to, from); });
}

// ---- ComputerMove ----

void ChessEngine::ComputerMove() {
  host_->BeginThinking();
  host_->ShowProgress(0, progressTotal_);
  // The window refuses to change the strength while thinking, so one read serves the search.
  sixPlies_ = host_->Difficult();
  examined_ = 0;
  made_ = 0;

  LocateKings(root_);
  SelectPhase(root_);

  lvlSum_[0] = PlaySum(root_);
  m_ = static_cast<float>(lvlSum_[0]);
  best_ = kLow;
  cutoffFlag_ = false;
  list1_.Clear();
  for (int row = 8; row >= 1; --row)
    for (int col = 1; col <= 8; ++col)
      if (root_(col, row) > 0) GenMovesLevel1(root_, col, row);
  AddComputerCastling();

  progressTotal_ = list1_.Count();
  OrderRootMoves();
  for (;;) {
    SearchLevel2();
    host_->PumpMessages();
    if (best_ < 0) {
      // The fallback only keeps a move none of whose replies takes the king, so its choice
      // never leaves the king attacked.
      FallbackSearch();
      break;
    }
    // Trading kings can look like a win to the search (a side without men keeps its bound),
    // but a move that leaves the king attacked is no move: drop it and search the rest.
    if (!KingCapturable<Side::Computer>(bestBoard_)) break;
    list1_.Remove(bestCandidate_);
    if (list1_.Count() == 0) {
      GameOver();
      break;
    }
    progressTotal_ = list1_.Count();
    best_ = kLow;
    cutoffFlag_ = false;
  }

  root_.CopyPlayFrom(bestBoard_);
  host_->ShowProgress(0, progressTotal_);
  FixPromotions(0);
  RecordPosition();
  host_->EndThinking();
}

void ChessEngine::SearchLevel2() {
  EngineBoard& l1 = lvl_[1];
  for (int n = 1; n <= list1_.Count(); ++n) {
    l1.CopyPlayFrom(list1_.Entry(n));
    lvlSum_[1] = list1_.EntrySum(n);
    l2min_ = kHigh;
    list2_.Clear();
    for (int row = 1; row <= 8; ++row)
      for (int col = 1; col <= 8; ++col)
        if (l1(col, row) < 0) GenMovesLevel2(l1, col, row);
    host_->ShowProgress(n, progressTotal_);
    OrderLevel2Moves();
    SearchLevel3();
    if (l2min_ > best_ && !IsRepetition(l1)) {
      best_ = l2min_;
      bestBoard_.CopyPlayFrom(l1);
      bestCandidate_ = n;
      if (m_ + 2 < best_) break;  // wins more than 2 points: take it
    }
  }
}

void ChessEngine::SearchLevel3() {
  EngineBoard& l2 = lvl_[2];
  for (int i = 1; i <= list2_.Count(); ++i) {
    // A flag left set by the last square of the previous reply's scan must not end this
    // reply's scan before it starts.
    cutoffFlag_ = false;
    l2.CopyPlayFrom(list2_.Entry(i));
    lvlSum_[2] = list2_.EntrySum(i);
    l3max_ = kLow;
    [&] {
      for (int row = 1; row <= 8; ++row)
        for (int col = 1; col <= 8; ++col) {
          if (cutoffFlag_) {
            cutoffFlag_ = false;
            return;
          }
          if (l2(col, row) > 0) GenMovesLevel3(l2, col, row);
        }
    }();
    if (l3max_ <= l2min_) {
      l2min_ = l3max_;
      if (l3max_ <= best_) break;  // this candidate cannot beat best
    }
  }
}

// ---- Receivers ----

void ChessEngine::StoreLevel1(int to, int from) {
  ++examined_;
  ++made_;
  lvlSum_[1] = lvlSum_[0] + MakeChild<Side::Computer>(lvl_[1], root_, to, from);
  list1_.Append(lvlSum_[1]).CopyPlayFrom(lvl_[1]);
}

void ChessEngine::StoreLevel2(int to, int from) {
  ++examined_;
  ++made_;
  lvlSum_[2] = lvlSum_[1] + MakeChild<Side::Human>(lvl_[2], lvl_[1], to, from);
  list2_.Append(lvlSum_[2]).CopyPlayFrom(lvl_[2]);
}

void ChessEngine::StoreLevel3(int to, int from) {
  ++examined_;
  ++made_;
  EngineBoard& l3 = lvl_[3];
  lvlSum_[3] = lvlSum_[2] + MakeChild<Side::Computer>(l3, lvl_[2], to, from);
  l4min_ = l2min_;
  [&] {
    for (int row = 8; row >= 1; --row)
      for (int col = 1; col <= 8; ++col) {
        if (l3(col, row) < 0) GenMovesLevel4(l3, col, row);
        if (cutoffFlag_) {
          cutoffFlag_ = false;
          return;
        }
      }
  }();
  if (l4min_ < l3max_) return;
  l3max_ = l4min_;
  if (l4min_ >= l2min_) cutoffFlag_ = true;
}

void ChessEngine::StoreLevel4(int to, int from) {
  ++examined_;
  if (!sixPlies_) {
    const float leaf = static_cast<float>(lvlSum_[3] + MoveDelta<Side::Human>(lvl_[3], to, from));
    if (leaf < l4min_) {
      l4min_ = leaf;
      if (leaf <= l3max_) cutoffFlag_ = true;
    }
    return;
  }
  ++made_;
  EngineBoard& l4 = lvl_[4];
  lvlSum_[4] = lvlSum_[3] + MakeChild<Side::Human>(l4, lvl_[3], to, from);
  humanMenCount4_ = 0;
  for (int row = 8; row >= 1; --row)
    for (int col = 1; col <= 8; ++col)
      if (l4(col, row) < 0) humanMen4_[humanMenCount4_++] = {static_cast<int8_t>(col), static_cast<int8_t>(row)};
  l5max_ = l3max_;
  [&] {
    for (int row = 8; row >= 1; --row)
      for (int col = 1; col <= 8; ++col) {
        if (l4(col, row) > 0) GenMovesLevel5(l4, col, row);
        if (cutoffFlag_) {
          cutoffFlag_ = false;
          return;
        }
      }
  }();
  if (l5max_ <= l4min_) {
    l4min_ = l5max_;
    if (l5max_ <= l3max_) cutoffFlag_ = true;
  }
}

void ChessEngine::StoreLevel5(int to, int from) {
  ++examined_;
  ++made_;
  // The reply is made on the level-4 board itself and taken back before the level-4 generator
  // reads on: no copy of the board per reply.
  EngineBoard& l5 = lvl_[4];
  const int promotion = PromotionSquare<Side::Computer>(to);
  const int32_t atTo = l5.v[to], atFrom = l5.v[from], atPromotion = l5.v[promotion];
  int32_t delta = -atTo;
  l5.v[to] = atFrom;
  l5.v[from] = kEmpty;
  if (l5.v[promotion] == kPawn) {
    l5.v[promotion] = kQueen;
    delta += kQueen - kPawn;
  }
  lvlSum_[5] = lvlSum_[4] + delta;
  l6min_ = l4min_;
  if (cutoffFlag_) {
    // Still set by the previous reply: the scan looks at its first square only, then stops.
    if (l5(1, 8) < 0) GenMovesLevel6(l5, 1, 8);
    cutoffFlag_ = false;
  } else {
    // The scan of every square, over the squares that can hold a human man.
    for (int i = 0; i < humanMenCount4_; ++i) {
      const Man m = humanMen4_[i];
      if (l5(m.col, m.row) >= 0) continue;  // taken by this reply
      GenMovesLevel6(l5, m.col, m.row);
      if (cutoffFlag_) {
        cutoffFlag_ = false;
        break;
      }
    }
  }
  l5.v[promotion] = atPromotion;
  l5.v[from] = atFrom;
  l5.v[to] = atTo;
  if (l6min_ < l5max_) return;
  l5max_ = l6min_;
  if (l6min_ >= l4min_) cutoffFlag_ = true;
}

// ---- Fallback ----

void ChessEngine::FallbackSearch() {
  best_ = kLow;
  markingMode_ = false;
  for (int col = 1; col <= 8; ++col)
    for (int row = 1; row <= 8; ++row) GenMovesFallbackComputer(root_, col, row);
  if (best_ >= 0) return;
  GameOver();
}

void ChessEngine::GameOver() {
  bestBoard_.CopyPlayFrom(root_);  // the computer does not move
  gameOverFlag_ = true;
  host_->MsgBox("Game over");
}

void ChessEngine::FallbackStore(int to, int from) {
  if (markingMode_) {
    computerAttackMap_.v[to] = 1;
    return;
  }
  ++examined_;
  ++made_;
  EngineBoard& l1 = lvl_[1];
  l1.CopyPlayFrom(root_);
  l1.v[to] = l1.v[from];  // no promotion here
  l1.v[from] = kEmpty;
  l2min_ = kHigh;
  for (int col = 1; col <= 8; ++col)
    for (int row = 1; row <= 8; ++row) GenMovesFallbackHuman(l1, col, row);
  if (l2min_ > best_) {
    best_ = l2min_;
    bestBoard_.CopyPlayFrom(l1);
  }
}

void ChessEngine::FallbackLeaf(int to, int from) {
  if (markingMode_) {
    humanReachMap_.v[to] = 1;
    return;
  }
  ++examined_;
  ++made_;
  EngineBoard& l2 = lvl_[2];
  l2.CopyPlayFrom(lvl_[1]);
  l2.v[to] = l2.v[from];
  l2.v[from] = kEmpty;
  const float sum = MaterialSum(l2);
  if (sum < l2min_) l2min_ = sum;
}

int ChessEngine::PromotionPieceFromMenu() {
  switch (host_->CheckedPromotionItem()) {
    case 0: return -kKnight;
    case 1: return -kBishop;
    case 2: return -kRook;
    default: return -kQueen;  // item 3, and the queen when the menu reports nothing usable
  }
}

}  // namespace chess
