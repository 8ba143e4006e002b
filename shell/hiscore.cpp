#include "hiscore.h"

#include <cmath>
#include <cstdio>

#include "mdi_form.h"
#include "rt/files.h"
#include "rt/host.h"
#include "rt/numbers.h"

namespace shell {

namespace {
const HiscoreSpec kSpecs[] = {
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
}  // namespace

const HiscoreSpec* FindHiscoreSpec(const std::string& game) {
  for (const auto& s : kSpecs)
    if (game == s.game) return &s;
  return nullptr;
}

std::string NumberText(double v) {
  if (std::floor(v) == v && std::fabs(v) < 9e15) return std::to_string(static_cast<long long>(v));
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.15g", v);
  return buf;
}

std::string HiscoreFile::path() const { return frameForm().DataFolder + spec_.fileName; }

void HiscoreFile::LoadHiscore(rt::Label& best, int index) {
  const std::string p = path();
  if (!rt::fileExists(p)) rt::writeLinesAtomic(p, std::vector<std::string>(spec_.lines, spec_.created));
  if (auto lines = rt::readLines(p)) {
    // A short file fills what it has; extra lines are ignored (and dropped at the next save).
    for (int k = 0; k < spec_.lines && k < static_cast<int>(lines->size()); ++k) entries_[k] = (*lines)[k];
  }
  std::string shown;
  if (index >= 0 && index < spec_.lines && entries_[index]) shown = *entries_[index];
  if (spec_.emptyShowsZero && shown.empty()) shown.assign(1, '0');
  best.setCaption(shown);
}

void HiscoreFile::SaveScore(rt::Label& best, const rt::Label& score, int index) {
  const double bestValue = rt::Val(best.Caption());
  const double scoreValue = rt::Val(score.Caption());
  if (bestValue >= scoreValue) {
    rt::host().beep();
    return;
  }
  best.setCaption(spec_.bestIsNumber ? NumberText(scoreValue) : score.Caption());
  if (index < 0 || index >= spec_.lines) return;
  entries_[index] = NumberText(scoreValue);
  std::vector<std::string> lines;
  for (const auto& e : entries_) lines.push_back(e.value_or(""));
  // Written through a temporary file: a failed write keeps the bests that were there.
  rt::writeLinesAtomic(path(), lines);
}

}  // namespace shell
