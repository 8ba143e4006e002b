#pragma once
// The score and best labels of a game that keeps best scores, with its best-score file: the
// best of the chosen line is shown at the start, "Save" writes the score when it beats it.
#include <cstdint>
#include <string>

#include "hiscore.h"
#include "rt/control.h"

namespace parts {

class ScorePanel {
 public:
  // One of the games FindHiscoreGame knows; any other stops the program, naming the missing row.
  explicit ScorePanel(const std::string& game);

  // The labels live in the window (each game lays them out its own way).
  void attach(rt::Label& score, rt::Label& best) {
    score_ = &score;
    best_ = &best;
  }
  void showScore(int64_t value);            // plain form: "0", "125"
  void showScoreText(const std::string& text);
  void load(int line);                      // creates the file when missing, shows line's best
  void save(int line);                      // beeps when the score does not beat the best
  shell::HiscoreFile& file() { return file_; }

 private:
  shell::HiscoreFile file_;
  rt::Label* score_ = nullptr;
  rt::Label* best_ = nullptr;
};

}  // namespace parts
