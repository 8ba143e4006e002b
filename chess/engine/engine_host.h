#pragma once
// What the engine calls on the chess window. The window implements it; tests use a recorder.
// All calls come on the one thread, from inside the engine operation that the window started.
// A call may throw to abandon that operation: the search changes the root and the history
// only at its end, and the next InitEngine starts clean in any case.
#include <string_view>

namespace chess {

class EngineHost {
 public:
  virtual ~EngineHost() = default;

  // A search starts: board input off, "Move now" off, the computer's colour to move.
  virtual void BeginThinking() = 0;
  // The search ended; ChessEngine::GameOverFlag() tells whether the human may move.
  virtual void EndThinking() = 0;
  // Progress bar: n of `total` root candidates searched (n 0 at start and end); may pump.
  virtual void ShowProgress(int n, int total) = 0;
  // Display step of FixPromotions: mode 0 takes over the computer's move, 1 the whole root.
  virtual void ShowComputerMove(int mode) = 0;
  // Index of the first checked "Promote next pawn to" item: 0 Knight, 1 Bishop, 2 Rook, 3 Queen.
  virtual int CheckedPromotionItem() = 0;
  // "Difficult computer strength" checked: 6 plies, else 4 (read once per search).
  virtual bool Difficult() = 0;
  // Pump pending window messages once.
  virtual void PumpMessages() = 0;
  // Modal message box with an OK button and the window system's default title ("Game over").
  virtual void MsgBox(std::string_view text) = 0;
};

}  // namespace chess
