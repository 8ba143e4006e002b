// Random play on every registered game: clicks and drags on whatever is shown, menu choices, keys
// and pauses; games switched, reopened from their own "Play" list and the frame closed in the
// middle of waits. Nothing may crash, hang or read freed memory (the sanitizer build runs this
// too), and after every step the open window is the game the frame says it is.
#include "pack_fixture.h"
#include "pack_fn.h"
#include "random_play.h"
#include "rt/random.h"

namespace {
class MonkeyTest : public PackTest, public ::testing::WithParamInterface<int> {};
}  // namespace

TEST_P(MonkeyTest, RandomPlayNeverBreaksTheWindow) {
  const int game = GetParam();
  rt::FixSeed(static_cast<uint32_t>(game + 1));
  // Mostly this game: a switch away comes back to it half of the time.
  std::vector<int> games = shell::RegisteredGames();
  games.insert(games.end(), games.size(), game);
  vt::RandomPlayer player(static_cast<uint32_t>(1000 + game), games, [this, game] {
    reopenPack();
    openGame(game);
  });
  ASSERT_NE(openGame(game), nullptr);
  for (int step = 0; step < 400; ++step) {
    player.step();
    const std::string wrong = player.check();
    ASSERT_TRUE(wrong.empty()) << "step " << step << ": " << wrong;
  }
}

INSTANTIATE_TEST_SUITE_P(RegisteredGames, MonkeyTest, ::testing::ValuesIn(shell::RegisteredGames()),
                         [](const auto& info) { return std::string(shell::GameRegistry[info.param].window); });
