// Long random play on each collecting game: cells dragged and clicked, helpers bought, the arrow
// clicked. After every action the board takes input again with no drag left running, holds only
// its kinds, and the cash never goes below zero while the score only grows.
#include <random>

#include "arrik.h"
#include "collect_fixture.h"
#include "pimbar.h"
#include "rookwell.h"
#include "rt/random.h"

namespace {
class CollectRandomPlay : public CollectTest<collect::CollectWindow>, public ::testing::WithParamInterface<int> {};
}  // namespace

TEST_P(CollectRandomPlay, EveryActionLeavesAPlayableBoard) {
  rt::FixSeed(static_cast<uint32_t>(GetParam()));
  w = dynamic_cast<collect::CollectWindow*>(openGame(GetParam()));
  ASSERT_NE(w, nullptr);
  start();
  const int kinds = GetParam() == game("Rookwell") ? 10 : collect::kCells / w->groupSize;
  std::mt19937 pick(7);
  int32_t lastScore = 0;
  for (int step = 0; step < 300; ++step) {
    playRound(std::string(shell::GameRegistry[GetParam()].caption) + " random play step " + std::to_string(step));
    const int a = static_cast<int>(pick() % collect::kCells), b = static_cast<int>(pick() % collect::kCells);
    switch (pick() % 10) {
      case 0: click(*std::array{w->Picture11, w->Picture9, w->Picture4, w->Picture5}[pick() % 4]); break;
      case 1:
        if (auto* arrik = dynamic_cast<collect::Form14*>(w)) click(arrik->strelice(4));
        break;
      case 2: w->cash[w->groupSize] += 3; break;
      case 3: case 4: click(w->slika(a)); break;
      default: drag(w->slika(a), w->slika(b)); break;
    }
    ASSERT_TRUE(w->Picture1->Enabled()) << "step " << step;
    ASSERT_EQ(w->MousePointer(), rt::kCustomPointer) << "step " << step;
    ASSERT_FALSE(w->dragging()) << "step " << step;
    for (int16_t k : w->Board) ASSERT_TRUE(k >= 0 && k <= kinds) << "step " << step << " kind " << k;
    ASSERT_GE(w->cash[w->groupSize], 0) << "step " << step;
    ASSERT_GE(w->score[w->groupSize], lastScore) << "step " << step;
    lastScore = w->score[w->groupSize];
  }
}

INSTANTIATE_TEST_SUITE_P(Games, CollectRandomPlay, ::testing::Values(shell::GameIndexOf("Arrik"), shell::GameIndexOf("Pimbar"),
                                                                     shell::GameIndexOf("Rookwell")));
