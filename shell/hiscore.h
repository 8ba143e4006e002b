#pragma once
// Best-score files: one number per line, one line per option combination, CR LF line ends.
#include <optional>
#include <string>
#include <vector>

#include "rt/control.h"
#include "rt/files.h"

namespace shell {

struct HiscoreGame {
  const char* game;
  const char* fileName;
  int lines;
  const char* created;       // the text of each line of a new file
  bool bestIsNumber;         // the best label takes the score's number, not a copy of its caption
  bool emptyShowsZero;       // an empty entry is shown as "0"
};

// The nine games that keep bests.
const HiscoreGame* FindHiscoreGame(const std::string& game);

class HiscoreFile {
 public:
  explicit HiscoreFile(const HiscoreGame& game) : game_(game), entries_(game.lines) {}

  std::string path() const;  // DataFolder + file name
  // Makes sure the file exists, reads its lines and shows entry `index` in `best`.
  void LoadHiscore(rt::Label& best, int index);
  // Saves the score shown in `score` when it beats `best`; otherwise beeps.
  void SaveScore(rt::Label& best, const rt::Label& score, int index);

  const std::vector<std::optional<std::string>>& entries() const { return entries_; }

 private:
  void show(rt::Label& best, int index) const;

  const HiscoreGame& game_;
  std::vector<std::optional<std::string>> entries_;
};

std::string NumberText(double v);  // shortest plain form: "0", "17", "2.5"

// After a save of the file at `path`: when it failed, a message box names the folder and the
// reason, beginning with `what` ("Your best score"). Once for each file until a save of it works
// again, so a player who goes on saving is not stopped at every click.
void TellSaveResult(const std::string& path, const rt::SaveResult& result, const std::string& what);

}  // namespace shell
