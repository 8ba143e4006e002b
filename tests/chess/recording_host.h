#pragma once
// A chess window stand-in that records what the engine asks of it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chess_engine.h"
#include "position_text.h"

namespace chess_test {

class RecordingHost final : public chess::EngineHost {
 public:
  bool difficult = false;
  int promotionItem = 3;  // Queen
  std::vector<std::string> log;
  std::vector<int> progress;  // every n passed to ShowProgress

  void BeginThinking() override { log.push_back("begin"); }
  void EndThinking() override { log.push_back("end"); }
  void ShowProgress(int n, int) override { progress.push_back(n); }
  void ShowComputerMove(int mode) override { log.push_back("show " + std::to_string(mode)); }
  int CheckedPromotionItem() override { return promotionItem; }
  bool Difficult() override { return difficult; }
  void PumpMessages() override {}
  void MsgBox(std::string_view text) override { log.push_back("msgbox " + std::string(text)); }

  void Clear() {
    log.clear();
    progress.clear();
  }
  // Highest candidate number the last search reached.
  int HighestProgress() const {
    int n = 0;
    for (int p : progress) n = std::max(n, p);
    return n;
  }
};

inline chess::EngineBoard Board(const std::string& position, bool* humanIsWhite = nullptr) {
  chess::EngineBoard b;
  bool white = true;
  std::string error;
  EXPECT_TRUE(chess::ParsePosition(position, b, white, error)) << position << ": " << error;
  if (humanIsWhite) *humanIsWhite = white;
  return b;
}

// An engine with a position loaded as a new game.
struct Game {
  RecordingHost host;
  chess::ChessEngine engine{host};

  explicit Game(const std::string& position = "", bool strong = false) {
    host.difficult = strong;
    if (!position.empty()) Load(position);
  }
  void Load(const std::string& position) {
    bool white = true;
    const chess::EngineBoard b = Board(position, &white);
    engine.LoadPosition(b, white);
    host.Clear();
  }
  std::string Placement() const { return chess::PlacementText(engine.Root(), engine.HumanIsWhite()); }
  // The computer's move as "e7e5".
  std::string Go() {
    const chess::EngineBoard before = engine.Root();
    engine.ComputerMove();
    return chess::DescribeComputerMove(before, engine.Root(), engine.HumanIsWhite());
  }
  // The human's move in chess notation ("e2e4"), through the square numbers of the window.
  bool Human(const std::string& move) {
    int fc, fr, tc, tr;
    EXPECT_TRUE(chess::SquareFromName(move.substr(0, 2), engine.HumanIsWhite(), fc, fr));
    EXPECT_TRUE(chess::SquareFromName(move.substr(2, 2), engine.HumanIsWhite(), tc, tr));
    return engine.TryHumanMove(chess::SquareNumber(fc, fr), chess::SquareNumber(tc, tr));
  }
};

}  // namespace chess_test
