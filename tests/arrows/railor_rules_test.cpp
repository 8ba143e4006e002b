// Railor: the deal for every group size and the test of a collectable group.
#include <gtest/gtest.h>

#include <map>

#include "railor_rules.h"

using namespace railor;

namespace {
// A board from rows of text: '.' is a kind of its own per cell (never joins), digits are kinds.
Cells board(const std::vector<std::string>& rows) {
  Cells k;
  for (int i = 0; i < kCells; ++i) {
    const char ch = rows[i / kSide][i % kSide];
    k[i] = ch == '.' ? static_cast<int16_t>(100 + i) : static_cast<int16_t>(ch - '0');
  }
  return k;
}
}  // namespace

TEST(RailorRules, DealFillsTheBoardWithNCopiesOfEachKind) {
  for (int n : kGroupSizes) {
    int next = 0;
    const Cells k = Deal(n, [&](int m) { return (next += 13) % m; });
    std::map<int, int> count;
    for (int16_t v : k) ++count[v];
    EXPECT_EQ(static_cast<int>(count.size()), KindCount(n)) << n;
    for (auto [kind, c] : count) {
      EXPECT_GE(kind, 1);
      EXPECT_LE(kind, KindCount(n));
      EXPECT_EQ(c, n) << "N " << n << " kind " << kind;
    }
  }
}

TEST(RailorRules, AGroupIsCollectedOnlyWhenAllItsCopiesJoin) {
  struct Case {
    const char* what;
    std::vector<std::string> rows;
    int start, size;
    std::vector<int> members;
  };
  const std::vector<std::string> snake = {"1111......", "...1......", "...1111...", "..........", "..........",
                                          "..........", "..........", "..........", "..........", ".........."};
  const Case cases[] = {
      {"a pair", {"..........", "....11....", "..........", "..........", "..........", "..........",
                  "..........", "..........", "..........", ".........."}, 14, 2, {14, 15}},
      {"a pair seen from its second cell", {"..........", "....1.....", "....1.....", "..........", "..........",
                                            "..........", "..........", "..........", "..........", ".........."},
       24, 2, {14, 24}},
      {"a winding group of nine", snake, 0, 9, {0, 1, 2, 3, 13, 23, 24, 25, 26}},
      {"the same group is one short of ten", snake, 26, 10, {}},
      {"row ends do not join", {"1........1", "..........", "..........", "..........", "..........",
                                "..........", "..........", "..........", "..........", ".........."}, 0, 2, {}},
      {"a row's last and the next row's first do not join",
       {".........1", "1.........", "..........", "..........", "..........", "..........", "..........",
        "..........", "..........", ".........."}, 9, 2, {}},
      {"a lone cell starts no test", {"1.........", "..........", "..........", "..........", "..........",
                                      "..........", "..........", "..........", "..........", "..........1"},
       0, 1, {}},
      {"two parts of one kind", {"11........", "..........", "........11", "..........", "..........",
                                 "..........", "..........", "..........", "..........", ".........."},
       0, 4, {}},
  };
  for (const Case& c : cases) {
    const Cells k = board(c.rows);
    Cells state{};
    EXPECT_EQ(CollectableGroup(k, state, c.start, c.size), c.members) << c.what;
  }
}

TEST(RailorRules, CollectedCellsStartNoGroup) {
  Cells k = board({"22........", "..........", "..........", "..........", "..........", "..........",
                   "..........", "..........", "..........", ".........."});
  Cells state{};
  state[0] = state[1] = kCollected;
  EXPECT_TRUE(CollectableGroup(k, state, 0, 2).empty());
}
