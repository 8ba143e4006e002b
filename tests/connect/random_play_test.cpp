// Long random play on each connect game: presses with every button and modifier, drags, the
// help panel opened and closed. After every action a game that is neither won nor out of money
// takes input again, every kind keeps its count and the money never goes below zero.
#include <map>
#include <random>

#include "brenx.h"
#include "connect_fixture.h"
#include "klumpa.h"
#include "quadrin.h"
#include "rt/random.h"

namespace {
class ConnectRandomPlay : public ConnectTest<connect::ConnectWindow>, public ::testing::WithParamInterface<int> {
 protected:
  std::map<int, int> kindCounts() const {
    std::map<int, int> count;
    for (int i = 0; i < w->cellCount(); ++i) ++count[w->Board[i]];
    return count;
  }
};
}  // namespace

TEST_P(ConnectRandomPlay, EveryActionLeavesAPlayableBoard) {
  rt::FixSeed(static_cast<uint32_t>(GetParam()));
  w = dynamic_cast<connect::ConnectWindow*>(openGame(GetParam()));
  ASSERT_NE(w, nullptr);
  auto* quadrin = dynamic_cast<connect::Form11*>(w);
  auto* klumpa = dynamic_cast<connect::Form13*>(w);
  auto* brenx = dynamic_cast<connect::Form10*>(w);
  start();
  if (brenx) {  // few kinds, none blocking: moves join groups often, and refills follow
    brenx->blockingFlag.fill(0);
    setBoard(quiet(4, 1));
  }
  const std::map<int, int> kinds = kindCounts();
  std::mt19937 pick(GetParam() * 7 + 1);
  auto cellOf = [&](auto want) {  // a random cell that `want` accepts, else any
    const int from = static_cast<int>(pick() % w->cellCount());
    for (int k = 0; k < w->cellCount(); ++k)
      if (want((from + k) % w->cellCount())) return (from + k) % w->cellCount();
    return from;
  };
  for (int step = 0; step < 400; ++step) {
    playRound(std::string(shell::GameRegistry[GetParam()].caption) + " random play step " + std::to_string(step));
    const int a = klumpa ? cellOf([&](int i) { return w->Board[i] == klumpa->target && i != klumpa->marked; })
                         : static_cast<int>(pick() % w->cellCount());
    const int offsets[] = {1, -1, w->shape().cols, -w->shape().cols};
    const int b = (a + offsets[pick() % 4] + w->cellCount()) % w->cellCount();
    const int button = static_cast<int>(pick() % 3) + 1, shift = pick() % 4 == 0 ? 1 : 0;
    switch (pick() % 12) {
      case 0:
        chooseMenu("pomoc");
        click(w->Command1->face());
        break;
      case 1: drag(w->slika(a), w->slika(cellOf([&](int i) { return w->Board[i] == 0; }))); break;
      case 2:
        if (brenx) brenx->cash += 2;
        break;
      case 3: case 4: case 5:
        click(w->slika(a), 2);
        click(w->slika(b), 1, shift);
        break;
      default:
        if (quadrin)
          click(quadrin->rot(static_cast<int>(pick() % 81)), button, shift);
        else
          click(w->slika(a), button, shift);
    }
    const std::string at = "step " + std::to_string(step);
    ASSERT_GE(w->cash, 0) << at;
    if (!brenx) {
      ASSERT_EQ(kindCounts(), kinds) << at;
    }
    ASSERT_FALSE(w->Picture2->Visible()) << at;
    ASSERT_EQ(w->Picture1->Enabled(), !w->gameOver()) << at;
    if (klumpa && !w->gameOver()) {
      ASSERT_LT(klumpa->marked, 64) << at;
      ASSERT_EQ(w->Board[klumpa->marked], klumpa->target) << at;
      ASSERT_FALSE(w->doneFlag[klumpa->marked]) << at;
      if (klumpa->selection != connect::kNone) {
        ASSERT_EQ(w->Board[klumpa->selection], klumpa->target) << at;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Games, ConnectRandomPlay,
                         ::testing::Values(shell::GameIndexOf("Wendrix"), shell::GameIndexOf("Skaldo"),
                                           shell::GameIndexOf("Brenx"), shell::GameIndexOf("Quadrin"),
                                           shell::GameIndexOf("Klumpa"), shell::GameIndexOf("Twirno")));
