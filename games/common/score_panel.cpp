#include "score_panel.h"

#include "rt/numbers.h"

namespace parts {

ScorePanel::ScorePanel(const std::string& game) : file_(*shell::FindHiscoreGame(game)) {}

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
