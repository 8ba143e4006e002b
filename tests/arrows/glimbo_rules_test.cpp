// Glimbo: the deal, the pairs check, inner arrows and the wear of the arrows.
#include <gtest/gtest.h>

#include <map>

#include "glimbo_rules.h"

using namespace glimbo;

namespace {
// Every picture kind on its own except where the test puts pairs: kinds never repeat.
Cells lonely() {
  Cells k;
  for (int i = 0; i < kCells; ++i) k[i] = static_cast<int16_t>(i % 46);
  // Cells i and i + 46 share a kind and are never neighbours (46 is neither 1 nor 10 apart).
  return k;
}
}  // namespace

TEST(GlimboRules, DealPlacesTwoOfEveryKindAndArrow) {
  int next = 0;
  const Cells k = Deal([&](int n) { return (next += 37) % n; });
  std::map<int, int> count;
  for (int16_t v : k) ++count[v];
  ASSERT_EQ(count.size(), 50u);
  for (auto [kind, n] : count) EXPECT_EQ(n, 2) << kind;
}

TEST(GlimboRules, PairsTouchInRowsAndColumnsButNeverAcrossAnEdge) {
  struct Case {
    const char* what;
    int a, b;
    bool pair;
  };
  const Case cases[] = {
      {"side by side", 44, 45, true},   {"one above the other", 44, 54, true},
      {"row ends", 30, 39, false},      {"last of a row and first of the next", 39, 40, false},
      {"column ends", 3, 93, false},    {"diagonal", 44, 55, false},
  };
  for (const Case& c : cases) {
    Cells k = lonely();
    Cells uses{};
    k[c.a] = k[c.b] = 45;
    for (int i = 0; i < kCells; ++i)
      if (i != c.a && i != c.b && k[i] == 45) k[i] = kArrowUp;  // the other 45s leave
    const std::vector<int> marked = TouchingPairs(k, uses);
    EXPECT_EQ(marked, c.pair ? (std::vector<int>{c.a, c.b}) : std::vector<int>{}) << c.what;
  }
}

TEST(GlimboRules, RemovedPicturesAndArrowsNeverPair) {
  Cells k = lonely(), uses{};
  k[0] = k[1] = kArrowDown;  // two arrows side by side
  k[20] = k[21] = 7;
  uses[20] = uses[21] = 1;   // a pair already removed
  k[50] = k[60] = 8;         // and one that touches now
  for (int i = 0; i < kCells; ++i)
    if ((k[i] == 7 && i != 20 && i != 21) || (k[i] == 8 && i != 50 && i != 60)) k[i] = kArrowUp;
  const std::vector<int> marked = TouchingPairs(k, uses);
  EXPECT_EQ(marked, (std::vector<int>{50, 60}));
}

TEST(GlimboRules, InnerArrowsShiftTheirLineAndWear) {
  struct Case {
    int16_t kind;
    arrows::Shift dir;
    int line;
  };
  const int cell = 37;  // row 3, column 7
  for (const Case& c : {Case{kArrowDown, arrows::Shift::Down, 7}, Case{kArrowLeft, arrows::Shift::Left, 3},
                        Case{kArrowUp, arrows::Shift::Up, 7}, Case{kArrowRight, arrows::Shift::Right, 3}}) {
    for (int16_t limit = 5; limit <= 9; ++limit) {
      Cells k = lonely(), uses{};
      k[cell] = c.kind;
      for (int use = 1; use <= limit; ++use) {
        const auto move = UseInnerArrow(k, uses, cell, limit);
        ASSERT_TRUE(move) << "use " << use;
        EXPECT_EQ(move->dir, c.dir);
        EXPECT_EQ(move->line, c.line);
        EXPECT_EQ(uses[cell], use);
        EXPECT_EQ(k[cell], use >= limit - 1 ? c.kind + kBlackOffset : c.kind) << "black from the last but one use";
        EXPECT_EQ(ShowsPicture(k[cell], uses[cell], limit), use < limit);
      }
      EXPECT_FALSE(UseInnerArrow(k, uses, cell, limit)) << "a used-up arrow does nothing";
      EXPECT_EQ(uses[cell], limit);
    }
  }
  Cells k = lonely(), uses{};
  EXPECT_FALSE(UseInnerArrow(k, uses, 5, 6)) << "a picture is no arrow";
  EXPECT_EQ(uses[5], 0);
}

TEST(GlimboRules, EdgeArrowsTurnBlackThenVanish) {
  const EdgeLook limit5[] = {EdgeLook::Normal, EdgeLook::Normal, EdgeLook::Normal, EdgeLook::Normal,
                             EdgeLook::Black, EdgeLook::Hidden};
  for (int uses = 0; uses <= 5; ++uses) EXPECT_EQ(EdgeArrowLook(uses, 5), limit5[uses]) << uses;
  EXPECT_EQ(EdgeArrowLook(7, 9), EdgeLook::Normal);
  EXPECT_EQ(EdgeArrowLook(8, 9), EdgeLook::Black);
  EXPECT_EQ(EdgeArrowLook(9, 9), EdgeLook::Hidden);
}
