#pragma once
// The chess engine: board, move generation, search, evaluation, human moves and history.
// One ChessEngine object holds the engine's state for the whole run; InitEngine starts a
// new game. No Qt: the window reaches the engine through this class and the engine reaches
// the window through EngineHost.
//
// Orientation: the human always starts on rows 1-2 and the computer on rows 7-8. With the
// human as White, column c is file c and row r is rank r; with the human as Black, column c
// is file 9 - c and row r is rank 9 - r.
//
// The window's use:
//   new game    SetGameOverFlag(false); InitEngine(humanIsWhite);
//               then, with the human as Black, ComputerMove() (White opens)
//   human move  TryHumanMove(from, to): the computer's answer is searched and shown inside
//   "Move now"  ComputerMove()
//   move list   SetShownPly(k) (and SetLastPly), then RestorePosition()
//   display     Root() after each ShowComputerMove callback; MoveHistory(k) for ply k
#include <array>
#include <cstdint>
#include <vector>

#include "engine_board.h"
#include "engine_host.h"

namespace chess {

// Candidate boards of one search level. Entries are numbered from 1; only their play squares
// are meaningful. Grows past its usual 256 entries when a position needs it.
class BoardList {
 public:
  BoardList();
  int Count() const { return count_; }
  // Entry n (1..Count()) in the list's current order.
  const EngineBoard& Entry(int n) const { return slot_[order_[n]]; }
  int32_t EntrySum(int n) const { return sum_[order_[n]]; }

 private:
  friend class ChessEngine;
  void Clear() { count_ = 0; }
  void Remove(int n);  // entry n leaves; later entries move up one, keeping their order
  EngineBoard& Append(int32_t sum);  // count += 1, then the slot with that number
  std::vector<EngineBoard> slot_;
  std::vector<int32_t> sum_;          // material sum of each slot
  std::vector<int> order_;            // entry number -> slot
  std::vector<float> score_;          // ordering scores, by entry number
  int count_ = 0;
};

class ChessEngine {
 public:
  explicit ChessEngine(EngineHost& host);
  ChessEngine(const ChessEngine&) = delete;
  ChessEngine& operator=(const ChessEngine&) = delete;

  void SetHost(EngineHost& host) { host_ = &host; }

  // ---- Operations of the window ----

  // New game with the start position of the human's colour (the window clears
  // GameOverFlag first; with the human as Black it then calls ComputerMove).
  void InitEngine(bool humanIsWhite);
  // The human's move as square numbers 0..63 counted from the top left of the human's view
  // (n: col n mod 8 + 1, row 8 - n div 8). True when made; the computer has then replied.
  // Castling is entered as the king's two-square move.
  bool TryHumanMove(int from, int to);
  // Searches, plays, shows and records the computer's move.
  void ComputerMove();
  // MoveCounter := shown ply; root := MoveHistory(shown ply); shows it (ShowComputerMove(1)).
  void RestorePosition();
  // Pawns on their last row become pieces on the root: a human pawn the menu's piece, a
  // computer pawn a queen; then ShowComputerMove(mode) unless mode is 2.
  void FixPromotions(int mode);
  // -30, -32, -50 or -90 for the checked promotion item.
  int PromotionPieceFromMenu();

  // ---- State the window reads and writes ----

  const EngineBoard& Root() const { return root_; }
  bool HumanIsWhite() const { return humanIsWhite_; }
  bool GameOverFlag() const { return gameOverFlag_; }
  void SetGameOverFlag(bool on) { gameOverFlag_ = on; }
  int MoveCounter() const { return moveCounter_; }
  int ShownPly() const { return shownPly_; }
  int LastPly() const { return lastPly_; }
  // Values outside the recorded plies (0..highest ply ever recorded) are ignored.
  void SetShownPly(int ply);
  void SetLastPly(int ply);
  // Position after ply k, frame included; k from 0 to the highest ply recorded.
  const EngineBoard& MoveHistory(int ply) const { return history_.at(static_cast<size_t>(ply)); }
  int HistoryLength() const { return static_cast<int>(history_.size()); }
  int ProgressTotal() const { return progressTotal_; }
  int HumanCastledFlag() const { return humanCastled_; }

  // ---- Module procedures (used by the engine; public for tools and tests) ----

  void InitBoards();
  void InitPlyCounters();
  void InitHistory();
  bool TryHumanCastling(int from, int to);
  void AddComputerCastling();
  bool IsRepetition(const EngineBoard& candidate) const;
  void RecordPosition();
  void LocateKings(const EngineBoard& board);
  void ClearAttackMaps();
  static void ApplyMove(EngineBoard& board, int fromCol, int fromRow, int toCol, int toRow);
  static void CopyBoard(EngineBoard& dest, const EngineBoard& src) { dest.CopyPlayFrom(src); }
  void FallbackSearch();
  void SetMarkingMode(bool on) { markingMode_ = on; }
  void GenMovesFallbackComputer(const EngineBoard& board, int col, int row);
  void GenMovesFallbackHuman(const EngineBoard& board, int col, int row);

  static float MaterialSum(const EngineBoard& board);
  void SelectPhase(const EngineBoard& board);
  float PositionalScore(const EngineBoard& board) const;

  // ---- Inspection for tools and tests ----

  // New game from a given position (play squares of `position`), recorded as ply 0.
  void LoadPosition(const EngineBoard& position, bool humanIsWhite);
  // Root's play squares := those of `position` (nothing recorded).
  void SetRoot(const EngineBoard& position) { root_.CopyPlayFrom(position); }
  // The last ComputerMove's count of moves the generator handed to the search, and of those
  // the positions it made (copied the board and moved); the rest are leaf moves, scored from
  // the change of material without making them.
  int64_t MovesExamined() const { return examined_; }
  int64_t PositionsMade() const { return made_; }
  const BoardList& Level1List() const { return list1_; }
  const EngineBoard& BestBoard() const { return bestBoard_; }
  const EngineBoard& HumanReachMap() const { return humanReachMap_; }
  const EngineBoard& ComputerAttackMap() const { return computerAttackMap_; }
  bool MarkingMode() const { return markingMode_; }
  int Phase() const { return phase_; }
  int HumanKingCol() const { return humanKingCol_; }
  int HumanKingRow() const { return humanKingRow_; }

 private:
  // Level receivers: (to, from) as board indices.
  void StoreLevel1(int to, int from);
  void StoreLevel2(int to, int from);
  void StoreLevel3(int to, int from);
  void StoreLevel4(int to, int from);
  void StoreLevel5(int to, int from);
  void FallbackStore(int to, int from);
  void FallbackLeaf(int to, int from);

  void GenMovesLevel1(const EngineBoard& board, int col, int row);
  void GenMovesLevel2(const EngineBoard& board, int col, int row);
  void GenMovesLevel3(const EngineBoard& board, int col, int row);
  void GenMovesLevel4(const EngineBoard& board, int col, int row);
  void GenMovesLevel5(const EngineBoard& board, int col, int row);
  void GenMovesLevel6(const EngineBoard& board, int col, int row);

  void SearchLevel2();
  void SearchLevel3();
  void GameOver();
  void OrderRootMoves();
  void OrderLevel2Moves();

  EngineHost* host_;
  bool humanIsWhite_ = true;

  EngineBoard root_, bestBoard_, scratch_;
  EngineBoard lvl_[7];   // lvl_[1..6]: L1..L6
  int32_t lvlSum_[7]{};  // material sum of each level board
  BoardList list1_, list2_;
  std::vector<EngineBoard> history_;
  int moveCounter_ = 0;
  int shownPly_ = 0;
  int lastPly_ = 0;
  EngineBoard humanReachMap_, computerAttackMap_;
  bool markingMode_ = false;
  bool cutoffFlag_ = false;
  bool gameOverFlag_ = false;
  int humanCastled_ = 0;
  int humanKingCol_ = 0, humanKingRow_ = 0;
  int phase_ = 5;
  int humanMen_ = 0;
  int progressTotal_ = 0;

  // Search values (material sums held in 32-bit floats).
  float m_ = 0, best_ = 0, l2min_ = 0, l3max_ = 0, l4min_ = 0, l5max_ = 0, l6min_ = 0;
  int bestCandidate_ = 0;  // level-1 entry number of the search's best board
  bool sixPlies_ = false;
  // The human's men on the level-4 board in scan order (rows 8 to 1, columns 1 to 8): the
  // level-5 boards below it hold the same ones, less any the computer's reply takes.
  struct Man {
    int8_t col, row;
  };
  std::array<Man, 64> humanMen4_{};
  int humanMenCount4_ = 0;
  int64_t examined_ = 0;
  int64_t made_ = 0;
};

}  // namespace chess
