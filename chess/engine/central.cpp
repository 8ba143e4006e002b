// Central: new game, the human's move and castling, the computer's castling candidates,
// the move history and the repetition test.
#include "chess_engine.h"
#include "gen_mov.h"

namespace chess {

namespace {

// One castling: the row's columns first..last must be unmarked, the king and rook on their
// squares and every other column of the range empty. The king passes kingFrom..kingTo.
struct CastlingCase {
  int from, to;  // the human's square numbers of the king's move
  int first, last;
  int kingFrom, kingTo, rookFrom, rookTo;
};

// Kingside first: the computer adds at most one castling, and kingside wins.
constexpr CastlingCase kWhiteCases[2] = {{60, 62, 5, 8, 5, 7, 8, 6}, {60, 58, 1, 5, 5, 3, 1, 4}};
constexpr CastlingCase kBlackCases[2] = {{59, 61, 4, 8, 4, 6, 8, 5}, {59, 57, 1, 4, 4, 2, 1, 3}};

bool InPlace(const EngineBoard& b, const CastlingCase& c, int row, int32_t king, int32_t rook) {
  for (int col = c.first; col <= c.last; ++col) {
    const int32_t want = col == c.kingFrom ? king : col == c.rookFrom ? rook : kEmpty;
    if (b(col, row) != want) return false;
  }
  return true;
}

bool AnyMarked(const EngineBoard& map, const CastlingCase& c, int row) {
  for (int col = c.first; col <= c.last; ++col)
    if (map(col, row) != 0) return true;
  return false;
}

// The marks only hold squares a side can move to, so a pawn's diagonal onto an empty square
// is not among them; the king must not stand on, cross or land on such a square either.
template <Side Attacker>
bool KingPathCoveredByPawn(const EngineBoard& b, const CastlingCase& c, int row) {
  const int step = c.kingTo > c.kingFrom ? 1 : -1;
  for (int col = c.kingFrom;; col += step) {
    if (PawnCovers<Attacker>(b, col, row)) return true;
    if (col == c.kingTo) return false;
  }
}

void Rewrite(EngineBoard& b, const CastlingCase& c, int row, int32_t king, int32_t rook) {
  for (int col = c.first; col <= c.last; ++col) b(col, row) = kEmpty;
  b(c.kingTo, row) = king;
  b(c.rookTo, row) = rook;
}

}  // namespace

void ChessEngine::InitEngine(bool humanIsWhite) {
  humanIsWhite_ = humanIsWhite;
  InitBoards();
  InitPlyCounters();
  InitHistory();
  FixPromotions(2);
}

void ChessEngine::LoadPosition(const EngineBoard& position, bool humanIsWhite) {
  InitEngine(humanIsWhite);
  gameOverFlag_ = false;
  root_.CopyPlayFrom(position);
  history_[0] = root_;
}

bool ChessEngine::TryHumanMove(int from, int to) {
  if (from < 0 || from > 63 || to < 0 || to > 63) return false;

  TryHumanCastling(from, to);
  if (humanCastled_ == 1) {
    ComputerMove();
    return true;
  }

  const int fromCol = from % 8 + 1, fromRow = 8 - from / 8;
  const int toCol = to % 8 + 1, toRow = 8 - to / 8;

  // Where the piece can go.
  ClearAttackMaps();
  markingMode_ = true;
  GenMovesFallbackHuman(root_, fromCol, fromRow);

  // Where the computer could go after the move.
  scratch_.CopyPlayFrom(root_);
  ApplyMove(scratch_, fromCol, fromRow, toCol, toRow);
  LocateKings(scratch_);
  for (int col = 1; col <= 8; ++col)
    for (int row = 1; row <= 8; ++row) GenMovesFallbackComputer(scratch_, col, row);

  if (computerAttackMap_(humanKingCol_, humanKingRow_) != 0) return false;
  if (humanReachMap_(toCol, toRow) != 1) return false;

  // Taking the computer king is not a move.
  scratch_.CopyPlayFrom(root_);
  ApplyMove(scratch_, fromCol, fromRow, toCol, toRow);
  if (MaterialSum(scratch_) < 0) return false;

  ApplyMove(root_, fromCol, fromRow, toCol, toRow);
  FixPromotions(2);
  RecordPosition();
  ComputerMove();
  return true;
}

bool ChessEngine::TryHumanCastling(int from, int to) {
  humanCastled_ = 0;
  ClearAttackMaps();
  markingMode_ = true;
  for (int row = 1; row <= 8; ++row)
    for (int col = 1; col <= 8; ++col) GenMovesFallbackComputer(root_, col, row);

  for (const CastlingCase& c : humanIsWhite_ ? kWhiteCases : kBlackCases) {
    if (c.from != from || c.to != to) continue;
    if (AnyMarked(computerAttackMap_, c, 1)) return false;
    if (!InPlace(root_, c, 1, kHumanKing, -kRook)) return false;
    if (KingPathCoveredByPawn<Side::Computer>(root_, c, 1)) return false;
    Rewrite(root_, c, 1, kHumanKing, -kRook);
    FixPromotions(1);
    RecordPosition();
    humanCastled_ = 1;
    return true;
  }
  return false;
}

void ChessEngine::AddComputerCastling() {
  ClearAttackMaps();
  markingMode_ = true;
  for (int row = 1; row <= 8; ++row)
    for (int col = 1; col <= 8; ++col) GenMovesFallbackHuman(root_, col, row);

  scratch_.CopyPlayFrom(root_);
  for (const CastlingCase& c : humanIsWhite_ ? kWhiteCases : kBlackCases) {
    if (!InPlace(scratch_, c, 8, kComputerKing, kRook)) continue;
    if (AnyMarked(humanReachMap_, c, 8) || KingPathCoveredByPawn<Side::Human>(scratch_, c, 8)) return;
    Rewrite(scratch_, c, 8, kComputerKing, kRook);
    list1_.Append(lvlSum_[0]).CopyPlayFrom(scratch_);
    // The second case no longer finds its king in place.
  }
}

bool ChessEngine::IsRepetition(const EngineBoard& candidate) const {
  if (moveCounter_ < 10) return false;
  const int n = moveCounter_ + 1;  // the ply the candidate would get
  // Only the computer's men of the newer position are compared.
  auto sameMen = [](const EngineBoard& newer, const EngineBoard& older) {
    for (int row = 1; row <= 8; ++row)
      for (int col = 1; col <= 8; ++col)
        if (newer(col, row) > 0 && older(col, row) != newer(col, row)) return false;
    return true;
  };
  return sameMen(candidate, history_[n - 4]) && sameMen(history_[n - 2], history_[n - 6]) &&
         sameMen(history_[n - 4], history_[n - 8]);
}

void ChessEngine::RecordPosition() {
  ++moveCounter_;
  history_.resize(static_cast<size_t>(moveCounter_) + 1);
  history_[moveCounter_] = root_;
  lastPly_ = moveCounter_;
  shownPly_ = moveCounter_;
  RestorePosition();
}

void ChessEngine::RestorePosition() {
  moveCounter_ = shownPly_;
  root_ = history_[shownPly_];
  FixPromotions(1);
}

void ChessEngine::FixPromotions(int mode) {
  for (int col = 1; col <= 8; ++col) {
    if (root_(col, 8) == -kPawn) root_(col, 8) = PromotionPieceFromMenu();
    if (root_(col, 1) == kPawn) root_(col, 1) = kQueen;
  }
  if (mode != 2) host_->ShowComputerMove(mode);
}

void ChessEngine::SetShownPly(int ply) {
  if (ply >= 0 && ply < HistoryLength()) shownPly_ = ply;
}

void ChessEngine::SetLastPly(int ply) {
  if (ply >= 0 && ply < HistoryLength()) lastPly_ = ply;
}

void ChessEngine::LocateKings(const EngineBoard& board) {
  for (int row = 1; row <= 8; ++row)
    for (int col = 1; col <= 8; ++col)
      if (board(col, row) == kHumanKing) {
        humanKingCol_ = col;
        humanKingRow_ = row;
      }
}

void ChessEngine::ClearAttackMaps() {
  for (int row = 1; row <= 8; ++row)
    for (int col = 1; col <= 8; ++col) {
      humanReachMap_(col, row) = 0;
      computerAttackMap_(col, row) = 0;
    }
}

void ChessEngine::ApplyMove(EngineBoard& board, int fromCol, int fromRow, int toCol, int toRow) {
  board(toCol, toRow) = board(fromCol, fromRow);
  board(fromCol, fromRow) = kEmpty;
}

}  // namespace chess
