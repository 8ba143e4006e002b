#include "score_panel.h"

#include <cstdio>
#include <cstdlib>

#include "rt/numbers.h"

namespace parts {

namespace {
// A game with a score panel and no row in the table is a fault of the code, not of the player's
// files: stop at once and say where the row belongs.
const shell::HiscoreGame& RowOf(const std::string& game) {
  if (const shell::HiscoreGame* row = shell::FindHiscoreGame(game)) return *row;
  std::fprintf(stderr, "VantixPack: the score panel of \"%s\" has no row in kHiscoreGames (shell/hiscore.cpp)\n",
               game.c_str());
  std::abort();
}
}  // namespace

ScorePanel::ScorePanel(const std::string& game) : file_(RowOf(game)) {}

void ScorePanel::showScore(int64_t value) {
  if (score_) score_->setCaption(rt::Plain(value));
}

void ScorePanel::showScoreText(const std::string& text) {
  if (score_) score_->setCaption(text);
}

void ScorePanel::load(int line) {
  if (best_) file_.LoadHiscore(*best_, line);
}

void ScorePanel::save(int line) {
  if (best_ && score_) file_.SaveScore(*best_, *score_, line);
}

}  // namespace parts
