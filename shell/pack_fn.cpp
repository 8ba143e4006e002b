#include "pack_fn.h"

#include <cmath>

#include "game_window.h"
#include "mdi_form.h"
#include "rt/dispatch.h"
#include "rt/form.h"
#include "rt/frame.h"
#include "rt/host.h"

namespace shell {

const char* const kHomepage = "https://www.morvelware.example/";

namespace {
std::array<WindowFactory, kGameCount>& factories() {
  static std::array<WindowFactory, kGameCount> f;
  return f;
}
std::array<std::shared_ptr<rt::Form>, kGameCount>& instances() {
  static std::array<std::shared_ptr<rt::Form>, kGameCount> i;
  return i;
}

struct OpeningGuard {
  bool saved;
  OpeningGuard() : saved(frameForm().openingGame) { frameForm().openingGame = true; }
  ~OpeningGuard() { frameForm().openingGame = saved; }
};
}  // namespace

static std::vector<std::string>& unmatched() {
  static std::vector<std::string> u;
  return u;
}

bool RegisterGameClass(const char* windowName, WindowFactory factory) {
  const GameEntry* e = FindGameEntry(windowName);
  if (!e) {
    unmatched().push_back(windowName);
    return false;
  }
  factories()[e->index] = std::move(factory);
  return true;
}

const GameEntry* FindGameEntry(const std::string& windowName) {
  for (const GameEntry& e : GameRegistry)
    if (windowName == e.window) return &e;
  return nullptr;
}

bool IsGameRegistered(int index) { return index >= 0 && index < kGameCount && factories()[index] != nullptr; }

std::vector<int> RegisteredGames() {
  std::vector<int> out;
  for (int i = 0; i < kGameCount; ++i)
    if (IsGameRegistered(i)) out.push_back(i);
  return out;
}

const std::vector<std::string>& UnmatchedGameClasses() { return unmatched(); }

std::shared_ptr<rt::Form> GameInstance(int index) {
  if (index < 0 || index >= kGameCount) return nullptr;
  return instances()[index];
}

std::shared_ptr<rt::Form> HoldWindow(const rt::Form* f) {
  if (!f) return nullptr;
  for (auto& inst : instances())
    if (inst.get() == f) return inst;
  return nullptr;
}

void ResetGamesForTests() {
  for (auto& inst : instances()) {
    if (inst && inst->isLoaded()) inst->Unload();
    rt::retireForm(std::move(inst));
    inst.reset();
  }
}

void BuildGameMenu(rt::Form& frm) {
  rt::MenuItem* first = frm.findMenu("igrica", 0);
  if (!first) return;
  rt::MenuItem* parent = first->parent();
  for (int i = 0; i < kGameCount; ++i) {
    if (rt::MenuItem* item = frm.findMenu("igrica", i)) item->setCaption(GameRegistry[i].caption);
    if (i < kGameCount - 1 && parent) parent->loadItem("igrica", i + 1);  // fails quietly when loaded
  }
}

void OpenGame(int16_t index) {
  OpeningGuard guard;
  {
    // The set-up pumps (a window may draw while it loads), and a click or key handled then would
    // reach the window this one replaces, or none: input waits until the window shows.
    rt::InputWaits untilShown;
    if (index >= 0 && index < kGameCount) {
      // A window that was unloaded is a new object when it opens again, with its design values.
      for (auto& inst : instances())
        if (inst && !inst->isLoaded()) rt::retireForm(std::move(inst));
      auto& slot = instances()[index];
      if (!slot) {
        auto& make = factories()[index];
        slot = make ? make(GameRegistry[index]) : std::make_shared<GameWindow>(GameRegistry[index]);
      }
      std::shared_ptr<rt::Form> frm = slot;
      PrepareGameForm(*frm);
      SetGameCaption(GameRegistry[index].caption);
    }
    frameForm().CurrentGame = static_cast<uint16_t>(index);
    frameForm().zakuj();
  }
  rt::DoEvents();
}

void PrepareGameForm(rt::Form& frm) {
  frameForm().zakuj();
  frm.Load();  // touching an unloaded window loads it
  if (!frm.isLoaded()) return;
  rt::Frame& fr = rt::frame();
  frm.Move((fr.Width() - static_cast<double>(frm.Width())) / 2 - 80,
           (fr.Height() - static_cast<double>(frm.Height())) / 2 - 450);
  frm.Refresh();
  rt::DoEvents();
  BuildGameMenu(frm);
  frm.Load();
  frm.Show();
}

void SetGameCaption(const std::string& text) {
  rt::frame().setCaption(frameForm().BaseCaption + " - " + text);
  frameForm().zakuj();
}

void OpenHomepage() { rt::host().openUrl(kHomepage); }

void PlaySoundNo(int16_t n) {
  if (n < 1 || n > 10) return;
  frameForm().EmbedSound1[n].PlaySound();
}

void WaitMs(std::optional<double> ms) {
  PerformanceTimer* t = frameForm().PerfTimer.get();
  const double want = ms.value_or(0.0);
  rt::host().note("wait", std::to_string(static_cast<long long>(std::llround(want))));
  rt::DoEvents();
  if (!t) return;
  // The goal in whole counts of the clock, the first count at or past `want`: the loop compares
  // the count it sleeps to, so a sleep that reaches it always ends the wait (a goal compared in
  // milliseconds can lie a rounding error beyond the count slept to).
  const double goal = std::ceil(want * static_cast<double>(t->frequency()) / 1000.0);
  t->StopTimer();
  while (static_cast<double>(t->ElapsedCounts().value_or(0)) < goal) {
    // Sleep in the event loop until the stopwatch reaches the goal (a handler that restarts it
    // meanwhile moves the goal), instead of spinning on the counter.
    rt::SleepUntil(t->startCount() + t->overhead() + static_cast<int64_t>(goal));
    t->StopTimer();
  }
}

void TimedStep(double ms, const std::function<void()>& draw) {
  if (PerformanceTimer* t = frameForm().PerfTimer.get()) t->StartTimer();
  if (draw) draw();
  WaitMs(ms);
}

void PauseSeconds(int16_t s) {
  const int product = s * 1000;
  if (product > 32767 || product < -32768) return;  // the 16-bit product overflows: no wait
  if (PerformanceTimer* t = frameForm().PerfTimer.get()) t->StartTimer();
  WaitMs(product);
}

}  // namespace shell
