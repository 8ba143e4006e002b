// Random play on every playable game: clicks and drags on whatever is shown, menu choices, keys
// and pauses, with games switched in between. Nothing may crash, hang or read freed memory (the
// sanitizer build runs this too).
#include <random>

#include "pack_fixture.h"
#include "pack_fn.h"
#include "rt/dispatch.h"
#include "rt/random.h"
#include "startup.h"

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

}  // namespace

TEST_P(MonkeyTest, RandomPlayNeverBreaksTheWindow) {
  const int game = GetParam();
  rt::FixSeed(static_cast<uint32_t>(game + 1));
  std::mt19937 pick(static_cast<uint32_t>(1000 + game));
  rt::Form* f = openGame(game);
  ASSERT_NE(f, nullptr);
  for (int step = 0; step < 400; ++step) {
    f = open();
    ASSERT_NE(f, nullptr) << "step " << step;
    std::vector<rt::Control*> shown;
    for (rt::Control* c : f->controls())
      if (c->effectivelyVisible() && c->Width() > 0 && c->Height() > 0) shown.push_back(c);
    const int what = static_cast<int>(pick() % 100);
    if (what < 70 && !shown.empty()) {
      rt::Control* c = shown[pick() % shown.size()];
      const int x = static_cast<int>(pick() % c->Width()), y = static_cast<int>(pick() % c->Height());
      clickAt(*c, x, y, pick() % 8 == 0 ? 2 : 1);
    } else if (what < 80 && shown.size() > 1) {
      drag(*shown[pick() % shown.size()], *shown[pick() % shown.size()]);
    } else if (what < 90) {
      std::vector<const rt::MenuItem*> items;
      for (auto& m : f->menus()) collectMenus(*m, items);
      if (!items.empty()) {
        auto* m = const_cast<rt::MenuItem*>(items[pick() % items.size()]);
        rt::dispatch(f, [m] { m->fireClick(); });
      }
    } else if (what < 95) {
      static const int keys[] = {37, 38, 39, 40, 'B', 'F', 'S', 'E', 'M', '1', 8, 13};
      f->keyDown(keys[pick() % std::size(keys)], pick() % 3 == 0 ? 2 : 0);
    } else if (what < 99) {
      vt::vhost().advanceMs(static_cast<double>(pick() % 2000));
    } else {
      // Reopen the same game from its own "Play" list in the middle of everything.
      if (rt::MenuItem* item = f->findMenu("igrica", game)) rt::dispatch(f, [item] { item->fireClick(); });
    }
    vt::vhost().takeLog();
  }
  EXPECT_EQ(open(), shell::GameInstance(game).get());
}

INSTANTIATE_TEST_SUITE_P(PlayableGames, MonkeyTest, ::testing::Values(0, 8, 16, 29));
