// Every value that a dump shows is taken back by set: dumps taken all through random play over
// every game, between moves and in the middle of their waits, and each entry of each settable
// state written back through the driver as the dump showed it.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "driver.h"
#include "pack_fixture.h"
#include "random_play.h"
#include "rt/random.h"

namespace {

constexpr const char* kOk = R"({"ok":true})";

class DumpSetTest : public PackTest, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    PackTest::SetUp();
    vt::vhost().setDocuments(dir_.path().toStdString());
  }

  // "set NAME I V ..." for the entries `from` to `to` (not included) of `values`.
  static std::string setCommand(const std::string& name, const std::vector<long long>& values, size_t from, size_t to) {
    std::string out = "set " + name;
    for (size_t i = from; i < to; ++i) out.append(" ").append(std::to_string(i)).append(" ").append(std::to_string(values[i]));
    return out;
  }

  // A dump through the driver, then every settable state written back as it showed it: all
  // entries in one command, and one by one when that is refused, so that each refused value is
  // named. Read-only state is refused by design and left out. A redraw that lets a switch of
  // games in (random play's) ends the round: the rest of the dump belongs to a closed window.
  void writeBack() {
    const std::string out = d_.run("dump");
    const QJsonObject dump = QJsonDocument::fromJson(QByteArray::fromStdString(out)).object();
    const rt::Form* f = rt::frame().activeForm();
    if (!f || !dump.contains("state")) return;
    const auto keep = shell::HoldWindow(f);
    ++dumps_;
    const std::string window = dump["window"].toString().toStdString();
    const QJsonObject state = dump["state"].toObject();
    for (auto it = state.begin(); it != state.end(); ++it) {
      if (rt::frame().activeForm() != f) return;
      const std::string name = it.key().toStdString();
      const auto var = f->state().find(name);
      if (var == f->state().end() || !var->second.set) continue;
      std::vector<long long> values;
      if (it->isArray()) {
        for (const QJsonValue v : it->toArray()) values.push_back(v.toInteger());
      } else {
        values.push_back(it->toInteger());
      }
      if (d_.run(setCommand(name, values, 0, values.size())) == kOk) continue;
      for (size_t i = 0; i < values.size() && rt::frame().activeForm() == f; ++i) {
        const std::string one = setCommand(name, values, i, i + 1);
        const std::string answer = d_.run(one);
        if (answer != kOk) ++refused_[window + ": " + one + " -> " + answer];
      }
    }
  }

  std::string refusals() const {
    std::string out;
    for (const auto& [what, times] : refused_) out += "  " + what + " (" + std::to_string(times) + " times)\n";
    return out;
  }

  QTemporaryDir dir_;
  drv::Driver d_;
  int dumps_ = 0;
  std::map<std::string, int> refused_;
};

}  // namespace

TEST_P(DumpSetTest, EveryValueADumpShowsIsTakenBack) {
  const int game = GetParam();
  rt::FixSeed(static_cast<uint32_t>(game + 7));
  // Mostly this game, as in the random-play test.
  std::vector<int> games = shell::RegisteredGames();
  games.insert(games.end(), games.size(), game);
  vt::RandomPlayer player(static_cast<uint32_t>(3000 + game), games, [this, game] {
    reopenPack();
    openGame(game);
  });
  ASSERT_NE(openGame(game), nullptr);
  std::mt19937 pick(static_cast<uint32_t>(game));
  writeBack();
  for (int step = 0; step < 100; ++step) {
    // Now and then a dump in the middle of what the step waits for (a move's animation, a
    // falling piece, a helper on its way).
    if (pick() % 4 == 0) vt::vhost().after(static_cast<double>(pick() % 600), [this] { writeBack(); });
    player.step();
    const std::string wrong = player.check();
    ASSERT_TRUE(wrong.empty()) << "step " << step << ": " << wrong;
    if (step % 4 == 3) writeBack();
  }
  EXPECT_GE(dumps_, 20);
  EXPECT_TRUE(refused_.empty()) << "values a dump showed and set refused:\n" << refusals();
}

INSTANTIATE_TEST_SUITE_P(EveryGame, DumpSetTest, ::testing::ValuesIn(shell::RegisteredGames()),
                         [](const ::testing::TestParamInfo<int>& info) {
                           std::string name = shell::GameRegistry[info.param].caption;
                           name.erase(std::remove(name.begin(), name.end(), ' '), name.end());
                           return name;
                         });
