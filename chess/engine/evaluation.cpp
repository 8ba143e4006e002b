// Evaluation and move ordering. The search values positions by material only; the
// positional score just orders the root candidates, which decides ties and which candidate
// can end the search early.
#include <cmath>

#include "chess_engine.h"

namespace chess {

float ChessEngine::MaterialSum(const EngineBoard& board) {
  return static_cast<float>(PlaySum(board));
}

void ChessEngine::SelectPhase(const EngineBoard& board) {
  humanMen_ = 0;
  for (int row = 1; row <= 8; ++row)
    for (int col = 1; col <= 8; ++col)
      if (board(col, row) < 0) ++humanMen_;
  // Odd counters 1..7 are the computer's first moves after the human opened as White.
  if (moveCounter_ == 1)
    phase_ = 1;
  else if (moveCounter_ == 3)
    phase_ = 2;
  else if (moveCounter_ == 5)
    phase_ = 3;
  else if (moveCounter_ == 7)
    phase_ = 4;
  else if (humanMen_ > 8)
    phase_ = 5;
  else
    phase_ = 6;
}

float ChessEngine::PositionalScore(const EngineBoard& b) const {
  // A 32-bit score; every term is worked out in double precision and added at once.
  float score = 0;
  auto add = [&score](double term) { score = static_cast<float>(static_cast<double>(score) + term); };
  auto at = [&b](int col, int row, int32_t value) { return b(col, row) == value; };

  for (int row = 1; row <= 8; ++row)
    for (int col = 1; col <= 8; ++col) {
      const int32_t v = b(col, row);
      add(v);
      switch (phase_) {
        case 1:
        case 2:
        case 3:
          if (v < 0) add(-(1.0 / (1.0 + std::sqrt((4.5 - col) * (4.5 - col) + (8.0 - row) * (8.0 - row)))));
          break;
        case 5:
          if (v == kKnight) add(1.0 / (1.0 + std::abs(3.5 - row)));
          if (v == kBishop) add(1.0 / (1.0 + std::abs(3.5 - row)));
          if (v > kPawn) add(1.0 / (1.0 + std::sqrt((4.5 - col) * (4.5 - col) + (4.5 - row) * (4.5 - row))));
          if (v == kComputerKing) add(row);
          break;
        case 6:
          if (v == kPawn) {
            add(2.0 / row);
          } else if (v > kPawn && v < 100) {
            const double dc = humanKingCol_ - col, dr = humanKingRow_ - row;
            add(1.0 / (1.0 + std::sqrt(dc * dc + dr * dr)));
          }
          break;
        default:
          break;
      }
    }

  switch (phase_) {
    case 1:
      if (at(4, 5, kPawn)) add(1.0);
      if (at(5, 5, kPawn)) add(1.0);
      if (at(4, 6, kPawn)) add(0.8);
      if (at(5, 6, kPawn)) add(0.8);
      if (at(4, 5, kPawn) && at(4, 4, -kPawn)) add(0.2);
      if (at(5, 5, kPawn) && at(5, 4, -kPawn)) add(0.2);
      if (at(6, 6, kBishop)) add(0.9);
      if (at(3, 6, kBishop)) add(0.9);
      break;
    case 2:
      if (at(4, 6, kPawn)) add(1.0);
      if (at(5, 6, kPawn)) add(1.0);
      if (at(6, 6, kKnight)) add(0.9);
      if (at(3, 6, kKnight)) add(0.9);
      break;
    case 3:
      if (at(6, 6, kKnight)) add(1.2);
      if (at(3, 6, kKnight)) add(1.0);
      break;
    case 5:
      if (at(6, 6, kKnight)) add(1.3);
      if (at(3, 6, kKnight)) add(1.0);
      if (at(4, 5, kPawn)) add(1.0);
      if (at(5, 5, kPawn)) add(1.0);
      if (at(4, 6, kPawn)) add(1.0);
      if (at(5, 6, kPawn)) add(1.0);
      if (at(7, 8, kComputerKing) && at(6, 8, kRook)) add(5.0);
      if (at(3, 8, kComputerKing) && at(4, 8, kRook)) add(5.0);
      break;
    default:
      break;
  }
  return score;
}

// Exchange sorts: this exact procedure fixes the order of equal scores, and with it which
// candidate wins a tie.
void ChessEngine::OrderRootMoves() {
  BoardList& l = list1_;
  for (int n = 1; n <= l.count_; ++n) l.score_[n] = PositionalScore(l.Entry(n));
  for (int i = 1; i <= l.count_ - 1; ++i)
    for (int j = i + 1; j <= l.count_; ++j)
      if (l.score_[i] < l.score_[j]) {
        std::swap(l.order_[i], l.order_[j]);
        std::swap(l.score_[i], l.score_[j]);
      }
}

void ChessEngine::OrderLevel2Moves() {
  BoardList& l = list2_;
  for (int n = 1; n <= l.count_; ++n) l.score_[n] = static_cast<float>(l.EntrySum(n));
  for (int i = 1; i <= l.count_ - 1; ++i)
    for (int j = i + 1; j <= l.count_; ++j)
      if (l.score_[i] > l.score_[j]) {
        std::swap(l.order_[i], l.order_[j]);
        std::swap(l.score_[i], l.score_[j]);
      }
}

}  // namespace chess
