// Random play on every registered game: clicks and drags on whatever is shown, menu choices, keys
// and pauses; games switched, reopened from their own "Play" list and the frame closed in the
// middle of waits. Nothing may crash, hang or read freed memory (the sanitizer build runs this
// too), and after every step the open window is the game the frame says it is.
#include <random>

#include "game_window.h"
#include "pack_fixture.h"
#include "pack_fn.h"
#include "rt/dispatch.h"
#include "rt/random.h"

namespace {

class MonkeyTest : public PackTest, public ::testing::WithParamInterface<int> {};

void collectMenus(const rt::MenuItem& m, std::vector<const rt::MenuItem*>& out) {
  if (m.items().empty()) {
    if (m.effectivelyEnabled() && !m.isSeparator() && m.Name() != "igrica" && m.Name() != "hpg")
      out.push_back(&m);
    return;
  }
  for (auto& c : m.items()) collectMenus(*c, out);
}

// Chooses game `to` from the "Play" list of whatever window is shown when this runs.
void playFromShownWindow(int to) {
  rt::Form* f = rt::frame().activeForm();
  if (!f) return;
  if (rt::MenuItem* item = f->findMenu("igrica", to); item && item->effectivelyEnabled())
    rt::dispatch(f, [item] { item->fireClick(); });
}

}  // namespace

TEST_P(MonkeyTest, RandomPlayNeverBreaksTheWindow) {
  const int game = GetParam();
  const std::vector<int> games = shell::RegisteredGames();
  rt::FixSeed(static_cast<uint32_t>(game + 1));
  std::mt19937 pick(static_cast<uint32_t>(1000 + game));
  ASSERT_NE(openGame(game), nullptr);
  for (int step = 0; step < 400; ++step) {
    rt::Form* f = open();
    ASSERT_NE(f, nullptr) << "step " << step;
    auto keep = shell::HoldWindow(f);
    std::vector<rt::Control*> shown;
    for (rt::Control* c : f->controls())
      if (c->effectivelyVisible() && c->Width() > 0 && c->Height() > 0) shown.push_back(c);
    const int what = static_cast<int>(pick() % 1000);
    // Now and then something arrives in the middle of whatever the step waits for.
    if (what % 37 == 0) {
      const int to = pick() % 3 == 0 ? game : games[pick() % games.size()];
      vt::vhost().after(static_cast<double>(pick() % 1500), [to] { playFromShownWindow(to); });
    } else if (what % 211 == 0) {
      vt::vhost().after(static_cast<double>(pick() % 1500), [] { rt::frame().close(); });
    }
    if (what < 700 && !shown.empty()) {
      rt::Control* c = shown[pick() % shown.size()];
      const int x = static_cast<int>(pick() % c->Width()), y = static_cast<int>(pick() % c->Height());
      clickAt(*c, x, y, pick() % 8 == 0 ? 2 : 1);
    } else if (what < 800 && shown.size() > 1) {
      drag(*shown[pick() % shown.size()], *shown[pick() % shown.size()]);
    } else if (what < 900) {
      std::vector<const rt::MenuItem*> items;
      for (auto& m : f->menus()) collectMenus(*m, items);
      if (!items.empty()) {
        auto* m = const_cast<rt::MenuItem*>(items[pick() % items.size()]);
        rt::dispatch(f, [m] { m->fireClick(); });
      }
    } else if (what < 950) {
      static const int keys[] = {37, 38, 39, 40, 'B', 'F', 'S', 'E', 'M', '1', '4', '6', 8, 13, 32};
      f->keyDown(keys[pick() % std::size(keys)], pick() % 3 == 0 ? 2 : 0);
    } else if (what < 990) {
      vt::vhost().advanceMs(static_cast<double>(pick() % 2000));
    } else {
      playFromShownWindow(game);  // "Play" on the open game in the middle of everything
    }
    keep.reset();
    if (rt::frame().closed()) {
      reopenPack();
      ASSERT_NE(openGame(game), nullptr);
    }
    vt::vhost().takeLog();
    // The frame's game, the shown window and its registry row agree.
    rt::Form* now = open();
    ASSERT_NE(now, nullptr) << "step " << step;
    const int current = shell::frameForm().CurrentGame;
    ASSERT_EQ(now, shell::GameInstance(current).get()) << "step " << step;
    auto* w = dynamic_cast<shell::GameWindow*>(now);
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(w->gameIndex(), current);
    ASSERT_EQ(now->Name(), shell::GameRegistry[current].window);
  }
}

INSTANTIATE_TEST_SUITE_P(RegisteredGames, MonkeyTest, ::testing::ValuesIn(shell::RegisteredGames()),
                         [](const auto& info) { return std::string(shell::GameRegistry[info.param].window); });
