#include "hiscore.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <set>

#include "mdi_form.h"
#include "rt/files.h"
#include "rt/host.h"
#include "rt/numbers.h"

namespace shell {

namespace {
const HiscoreGame kHiscoreGames[] = {
    {"Klevo", "Klevo_hsc.nrz", 3, "1", true, false},
    {"Tumo", "Tumo_hsc.nrz", 3, "0", true, false},
    {"Holmo", "Holmo_hsc.nrz", 3, "0", true, false},
    {"Kippel", "Kippel_hsc_A.nrz", 1, "0", false, false},
    {"Gemmet", "Gemmet_hsc.nrz", 12, "0", false, true},
    {"Brenx", "Brenx_hsc_A.nrz", 3, "0", false, false},
    {"Arrik", "Arrik_hsc.nrz", 21, "0", false, false},
    {"Pimbar", "Pimbar_hsc.nrz", 21, "0", false, false},
    {"Rookwell", "Rookwell_hsc.nrz", 21, "0", false, false},
};

// Why a save failed, in the player's words: every reason the file code can end a save with has a
// sentence of its own, and the rest one plain sentence, never the system's message text.
std::string FailureText(const rt::SaveResult& r) {
  using Outcome = rt::SaveResult::Outcome;
  if (r.outcome == Outcome::kLocked) return "Another program kept the file locked.";
  if (r.outcome == Outcome::kReplaced) return "Another program kept replacing the file.";
  switch (r.error) {  // whichever step met them
    case EISDIR: return "A folder stands in the file's place.";
    case ENOTDIR: return "A file stands in the folder's place.";
    case ENAMETOOLONG: return "The folder's name is too long.";
    case EMFILE:
    case ENFILE: return "Too many files are open at the moment.";
    case ENOMEM: return "The computer is short of memory.";
    default: break;
  }
  if (r.outcome == Outcome::kUnreadable)
    return r.error == EIO ? "The disk failed to read the file, so it was left as it is."
                          : "The file is there but cannot be read, so it was left as it is.";
  switch (r.error) {
    case EACCES:
    case EPERM: return "There is no permission to write there.";
    case ENOENT: return "The folder does not exist and could not be made.";
    case ENOSPC: return "The disk is full.";
    case EDQUOT: return "The disk space allowed to this user is used up.";
    case EFBIG: return "The file would pass the file-size limit.";
    case EROFS: return "The disk is read-only.";
    case EIO: return "The disk failed to write.";
    case ELOOP: return "The file is a link to another file, and a save in this folder does not write through links.";
    case EINVAL: return "Something other than a plain file stands in the file's place.";
    case ENOLCK:
    case EOPNOTSUPP:
#if ENOTSUP != EOPNOTSUPP
    case ENOTSUP:
#endif
      return "The disk cannot lock the file, which a save in this folder needs.";
    case ETXTBSY:
    case EBUSY: return "The file is in use and cannot be changed now.";
    default: return "The system refused to write the file.";
  }
}
}  // namespace

void TellSaveResult(const std::string& path, const rt::SaveResult& result, const std::string& what) {
  static std::set<std::string> failing;  // files whose last save failed and was told
  using Outcome = rt::SaveResult::Outcome;
  if (result.outcome == Outcome::kSaved) failing.erase(path);
  if (result.outcome == Outcome::kSaved || result.outcome == Outcome::kDeclined || !failing.insert(path).second)
    return;
  std::error_code ignored;
  // As a person would type it: no "." or ".." parts where the data folder was given relative.
  std::string folder = std::filesystem::absolute(path, ignored).lexically_normal().parent_path().string();
  if (folder.empty() || folder.back() != '/') folder += '/';
  rt::host().messageBox(what + " could not be saved in the folder\n" + folder + "\n\n" + FailureText(result), 48,
                        "VantixPack");
}

const HiscoreGame* FindHiscoreGame(const std::string& game) {
  for (const auto& s : kHiscoreGames)
    if (game == s.game) return &s;
  return nullptr;
}

std::string NumberText(double v) {
  if (std::floor(v) == v && std::fabs(v) < 9e15) return std::to_string(static_cast<long long>(v));
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.15g", v);
  return buf;
}

std::string HiscoreFile::path() const { return frameForm().DataFolder + game_.fileName; }

void HiscoreFile::LoadHiscore(rt::Label& best, int index) {
  const int n = game_.lines;
  // Read without the save lock: files are replaced whole, and a pack frozen mid-save must not hold
  // up the opening of a game or the choice of an option.
  rt::FileLines read = rt::readLines(path(), n);
  std::vector<std::string> lines = std::move(read.lines);
  if (read.state == rt::FileLines::State::kMissing) {
    // A missing file is made under the save lock, so one that another pack has just made is
    // read, not replaced. A file that is there but cannot be read is left alone.
    const bool created = static_cast<bool>(rt::updateLines(path(), n, [&](rt::FileLines& file) {
      if (file.state == rt::FileLines::State::kRead) lines = file.lines;
      if (file.state != rt::FileLines::State::kMissing) return false;
      file.lines.assign(n, game_.created);
      return true;
    }));
    if (created) lines.assign(n, game_.created);
  }
  // A short file fills what it has; extra lines are not read (and are dropped at the next save).
  for (int k = 0; k < n && k < static_cast<int>(lines.size()); ++k) entries_[k] = lines[k];
  show(best, index);
}

void HiscoreFile::show(rt::Label& best, int index) const {
  std::string shown;
  if (index >= 0 && index < game_.lines && entries_[index]) shown = *entries_[index];
  if (game_.emptyShowsZero && shown.empty()) shown.assign(1, '0');
  best.setCaption(shown);
}

void HiscoreFile::SaveScore(rt::Label& best, const rt::Label& score, int index) {
  const double bestValue = rt::Val(best.Caption());
  const double scoreValue = rt::Val(score.Caption());
  if (bestValue >= scoreValue) {
    rt::host().beep();
    return;
  }
  if (index < 0 || index >= game_.lines) {
    best.setCaption(game_.bestIsNumber ? NumberText(scoreValue) : score.Caption());
    return;
  }
  // The file is read again at the save: another pack may have saved other lines since this
  // window read it, or this very line higher. Only this line changes, and never downwards.
  bool beaten = false;
  const rt::SaveResult saved = rt::updateLines(path(), game_.lines, [&](rt::FileLines& file) {
    const bool read = file.state == rt::FileLines::State::kRead;
    if (read) {
      for (int k = 0; k < static_cast<int>(file.lines.size()); ++k) entries_[k] = file.lines[k];
      beaten = index < static_cast<int>(file.lines.size()) && rt::Val(file.lines[index]) >= scoreValue;
      if (beaten) return false;
    }
    entries_[index] = NumberText(scoreValue);
    // Lines the file lacks come from the table; an empty entry gives an empty line.
    file.lines.clear();
    for (const auto& e : entries_) file.lines.push_back(e.value_or(""));
    return true;  // a failed write keeps what was there
  });
  if (beaten) {
    show(best, index);
    return;
  }
  // A best that could not be saved stays shown, and the player hears why.
  best.setCaption(game_.bestIsNumber ? NumberText(scoreValue) : score.Caption());
  TellSaveResult(path(), saved, "Your best score");
}

}  // namespace shell
