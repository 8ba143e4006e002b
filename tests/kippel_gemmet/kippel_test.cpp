// Kippel: its rules on boards set by the test, then the window on the virtual host.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <set>

#include "kippel.h"
#include "pack_fixture.h"
#include "rt/dispatch.h"
#include "rt/random.h"

using namespace kippel;
using removal::Cells;

namespace {
// No two orthogonal neighbours equal, no jokers: nothing on it forms a group.
Cells quietBoard() {
  Cells b;
  for (int i = 0; i < 100; ++i) b[i] = static_cast<int16_t>((2 * (i / 10) + i % 10) % 5);
  return b;
}

// Filled with a helper, which no group ever joins.
Cells neutralBoard() {
  Cells b;
  b.fill(kVerticalLadder);
  return b;
}

std::set<int> flagged(const Cells& flags) {
  std::set<int> s;
  for (int i = 0; i < 100; ++i)
    if (flags[i] == kFlagged) s.insert(i);
  return s;
}

int group(const Cells& b, int index) {
  Cells flags{};
  return HasMatchingNeighbour(b, index) ? FloodGroup(b, flags, index) : 0;
}
}  // namespace

// ---------------------------------------------------------------- rules

TEST(KippelRules, JokersJoinAnyGroupButAClickedJokerOnlyJokers) {
  Cells b = neutralBoard();
  b[44] = b[45] = b[46] = kJoker;
  EXPECT_EQ(group(b, 45), 3);  // three jokers
  b[46] = 3;
  EXPECT_EQ(group(b, 45), 2);  // two jokers: too few
  b[44] = b[45] = 1;
  b[55] = kJoker;
  EXPECT_EQ(group(b, 45), 3);  // 1, 1 and the joker below
  EXPECT_EQ(group(b, 55), 0);  // the joker itself has no joker beside it

  // An ordinary picture with two jokers beside it makes three; jokers also bridge to more.
  b = neutralBoard();
  b[50] = 4;
  b[51] = b[52] = kJoker;
  EXPECT_EQ(group(b, 50), 3);
  b[53] = b[63] = 4;  // 4s beyond the jokers join through them
  Cells flags{};
  EXPECT_EQ(FloodGroup(b, flags, 50), 5);
  EXPECT_EQ(flagged(flags), (std::set<int>{50, 51, 52, 53, 63}));
}

TEST(KippelRules, GemsGroupWithGemsAndJokersAndScoreFifty) {
  Cells b = neutralBoard();
  b[0] = b[1] = b[2] = kGem;
  EXPECT_EQ(group(b, 1), 3);
  EXPECT_EQ(GroupScore(kGem), 50);
  b[1] = b[2] = kJoker;
  EXPECT_EQ(group(b, 0), 3);  // a gem and two jokers
  EXPECT_EQ(group(b, 1), 2);  // clicking a joker: the gem does not join
  EXPECT_EQ(GroupScore(0), 1);
  EXPECT_EQ(GroupScore(kJoker), 1);
}

TEST(KippelRules, BombNeverReachesAcrossARowEnd) {
  for (int i = 0; i < 100; ++i) {
    Cells flags{};
    FlagBomb(flags, i);
    std::set<int> want;
    for (int dr = -1; dr <= 1; ++dr)
      for (int dc = -1; dc <= 1; ++dc) {
        const int r = i / 10 + dr, c = i % 10 + dc;
        if (r >= 0 && r < 10 && c >= 0 && c < 10) want.insert(r * 10 + c);
      }
    EXPECT_EQ(flagged(flags), want) << "bomb at " << i;
  }
  Cells corner{};
  FlagBomb(corner, 99);
  EXPECT_EQ(flagged(corner), (std::set<int>{88, 89, 98, 99}));
}

TEST(KippelRules, LaddersTakeTheirWholeRowOrColumn) {
  Cells flags{};
  FlagRow(flags, 37);
  EXPECT_EQ(flagged(flags), (std::set<int>{30, 31, 32, 33, 34, 35, 36, 37, 38, 39}));
  flags = {};
  FlagColumn(flags, 37);
  EXPECT_EQ(flagged(flags), (std::set<int>{7, 17, 27, 37, 47, 57, 67, 77, 87, 97}));
}

TEST(KippelRules, RefillDrawFollowsItsFormula) {
  auto draw = [](std::vector<double> u) {
    size_t i = 0;
    int16_t k = RefillKind([&] { return u.at(i++); });
    EXPECT_EQ(i, u.size());  // exactly the draws the formula takes
    return k;
  };
  EXPECT_EQ(draw({0.0, 0.99}), 4);          // m = 5.0: never a joker
  EXPECT_EQ(draw({0.5, 0.0}), 0);
  EXPECT_EQ(draw({0.99, 0.9, 0.3}), kJoker);  // m = 6.0, k = 5; 1 of 4 fails: joker stays
  EXPECT_EQ(draw({0.99, 0.9, 0.2, 0.0}), kBomb);
  EXPECT_EQ(draw({0.99, 0.9, 0.2, 0.3}), kHorizontalLadder);
  EXPECT_EQ(draw({0.99, 0.9, 0.2, 0.6}), kVerticalLadder);
  EXPECT_EQ(draw({0.99, 0.9, 0.2, 0.99}), kGem);
  EXPECT_EQ(draw({0.46, 0.95, 0.5}), kJoker);  // m = 5.5: the top 1/11 of [0, 5.5)
  EXPECT_EQ(draw({0.46, 0.9}), 4);
}

TEST(KippelRules, RefillKindFrequencies) {
  // Every combination of evenly spread draws: the shares of the formula, exactly.
  std::map<int, long> count;
  long total = 0;
  const int n1 = 11, n2 = 6600, n3 = 4, n4 = 4;
  for (int a = 0; a < n1; ++a)
    for (int b = 0; b < n2; ++b) {
      std::vector<double> u{(a + 0.5) / n1, (b + 0.5) / n2};
      int16_t first = RefillKind([&, i = 0]() mutable { return i < 2 ? u[i++] : 0.9; });
      if (first != kJoker) {
        count[first] += n3 * n4;
        total += n3 * n4;
        continue;
      }
      for (int c = 0; c < n3; ++c)
        for (int d = 0; d < n4; ++d) {
          std::vector<double> v{u[0], u[1], (c + 0.5) / n3, (d + 0.5) / n4};
          ++count[RefillKind([&, i = 0]() mutable { return v[i++]; })];
          ++total;
        }
    }
  double jokerSlot = 0;
  for (int j = 0; j <= 10; ++j) jokerSlot += (j / 10.0) / (5 + j / 10.0) / 11;  // about 8.79 %
  auto share = [&](int k) { return static_cast<double>(count[k]) / total; };
  EXPECT_NEAR(share(kJoker), jokerSlot * 3 / 4, 2e-4);
  for (int k : {kBomb, kHorizontalLadder, kVerticalLadder, kGem}) EXPECT_NEAR(share(k), jokerSlot / 16, 2e-4) << k;
  for (int k = 0; k < 5; ++k) EXPECT_NEAR(share(k), (1 - jokerSlot) / 5, 2e-4) << k;
  EXPECT_EQ(count.size(), 10u);  // nothing else is ever drawn
}

// ---------------------------------------------------------------- window

class KippelWindow : public PackTest {
 protected:
  void SetUp() override {
    PackTest::SetUp();
    mdi_.DataFolder = dir_.path().toStdString() + "/";
    w = dynamic_cast<Form9*>(openGame(8));
    ASSERT_NE(w, nullptr);
    takeLog();
  }
  void setBoard(const Cells& b) {
    w->Board = b;
    w->redrawState();
  }
  // Scripted draws that refill n cells with the ordinary picture k.
  static std::vector<float> refill(int n, int k = 0) {
    std::vector<float> v;
    for (int i = 0; i < n; ++i) {
      v.push_back(0.0f);  // m = 5.0: no joker slot
      v.push_back((k + 0.5f) / 5);
    }
    return v;
  }
  int waits(const std::vector<std::string>& log, const std::string& what) {
    return static_cast<int>(std::count(log.begin(), log.end(), what));
  }
  QTemporaryDir dir_;
  Form9* w = nullptr;
};

TEST_F(KippelWindow, OpensWithAFullBoardAndTheCreatedBestFile) {
  for (int16_t k : w->Board) EXPECT_TRUE((k >= 0 && k <= 5) || (k >= 11 && k <= 14)) << k;
  EXPECT_EQ(w->Element(57).Left(), 7 * 34);
  EXPECT_EQ(w->Element(57).Top(), 5 * 34);
  EXPECT_EQ(w->Element(57).Width(), 36);
  EXPECT_EQ(w->Label4->Caption(), "0");
  EXPECT_EQ(w->Label8->Caption(), "0");
  QFile f(dir_.path() + "/Kippel_hsc_A.nrz");
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), "0\r\n");
  EXPECT_EQ(frame_.Caption(), "Vantix Pack v3.47  by Morvel Vukran - Kippel");
  EXPECT_EQ(w->MousePointer(), 99);
  EXPECT_TRUE(w->MouseIcon);
}

TEST_F(KippelWindow, JokerAndGemClicks) {
  Cells b = quietBoard();
  b[44] = b[45] = b[46] = kJoker;  // three jokers
  b[0] = kGem;                     // a gem with two jokers
  b[1] = b[2] = kJoker;
  b[77] = kJoker;                  // a joker among ordinary pictures
  setBoard(b);
  vt::ScriptedRandom rnd(refill(30));

  click(w->Element(77));
  EXPECT_EQ(takeLog(), std::vector<std::string>{"sound 10"});
  click(w->Element(1));  // a clicked joker: the gem does not join, two jokers are too few
  EXPECT_EQ(takeLog(), std::vector<std::string>{"sound 10"});
  EXPECT_EQ(w->Board[0], kGem);

  click(w->Element(45));
  EXPECT_EQ(w->score, 1);
  EXPECT_EQ(w->Label4->Caption(), "1");
  click(w->Element(0));
  EXPECT_EQ(w->score, 51);
  EXPECT_EQ(w->Label4->Caption(), "51");
  EXPECT_EQ(countLog("sound 1"), 2);
  EXPECT_TRUE(w->Podloga->Enabled());
  EXPECT_EQ(w->MousePointer(), 99);
}

TEST_F(KippelWindow, HelpersClearCellsAndScoreNothing) {
  Cells b = quietBoard();
  b[0] = kBomb;
  b[91] = kHorizontalLadder;
  b[95] = kGem;
  b[97] = kJoker;
  setBoard(b);
  vt::ScriptedRandom rnd(refill(14, 3));

  click(w->Element(0));  // a corner bomb: itself and three neighbours
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"sound 2", "wait 50", "wait 50"}));
  for (int cell : {0, 1, 10, 11}) EXPECT_EQ(w->Board[cell], 3) << cell;  // all four refilled
  EXPECT_EQ(w->Board[2], b[2]);
  EXPECT_EQ(w->Board[20], b[20]);

  click(w->Element(91));  // the whole bottom row goes, gem and joker too, one fall step
  std::vector<std::string> log = takeLog();
  EXPECT_EQ(waits(log, "sound 3"), 1);
  EXPECT_EQ(waits(log, "wait 50"), 1);
  for (int c = 0; c < 10; ++c) {
    EXPECT_EQ(w->Board[90 + c], b[80 + c]) << c;  // everything moved down a row
    EXPECT_EQ(w->Board[c], 3) << c;               // and the top row was refilled
  }
  EXPECT_EQ(w->score, 0);
}

TEST_F(KippelWindow, GroupFallsOneRowAStepAndRefillsInRowOrder) {
  Cells b = quietBoard();
  b[73] = b[83] = b[93] = 4;  // the three lowest cells of column 3 (their neighbours are not 4)
  b[72] = b[74] = b[82] = b[84] = b[92] = b[94] = 1;
  setBoard(b);
  // The three refilled cells are 3, 13 and 23, drawn in that order.
  vt::ScriptedRandom rnd({0.99f, 0.9f, 0.2f, 0.0f,  // bomb
                          0.0f, 0.5f,               // m = 5.0: picture 2
                          0.99f, 0.95f, 0.5f});     // joker
  const double start = vt::vhost().nowMs();
  click(w->Element(83));
  std::vector<std::string> log = takeLog();
  EXPECT_EQ(waits(log, "wait 50"), 3);
  EXPECT_EQ(log.front(), "sound 1");
  EXPECT_GE(vt::vhost().nowMs() - start, 150);
  for (int r = 3; r < 10; ++r) EXPECT_EQ(w->Board[r * 10 + 3], b[(r - 3) * 10 + 3]) << r;
  EXPECT_EQ(w->Board[3], kBomb);
  EXPECT_EQ(w->Board[13], 2);
  EXPECT_EQ(w->Board[23], kJoker);
  EXPECT_EQ(rnd.remaining(), 0u);
  // Pictures come from the window's copies: cartoon pictures, the library's bomb.
  EXPECT_EQ(w->Element(13).Picture()->ref().text(), "cartoon(2)");
  EXPECT_EQ(w->Element(3).Picture()->ref().text(), "Picture2");
}

TEST_F(KippelWindow, BigGroupScoresOneAndLandedGroupsStay) {
  Cells b = quietBoard();
  for (int c = 0; c < 10; ++c) b[80 + c] = b[90 + c] = 2;  // twenty cells
  b[73] = 0;                                                // keeps row 7 out of the group
  b[60] = b[61] = b[62] = 3;  // falls two rows, then lies as a group of three
  setBoard(b);
  vt::ScriptedRandom rnd(refill(20, 1));
  click(w->Element(95));
  EXPECT_EQ(w->score, 1);
  EXPECT_EQ(w->Board[80], 3);
  EXPECT_EQ(w->Board[81], 3);
  EXPECT_EQ(w->Board[82], 3);  // not removed until clicked
}

TEST_F(KippelWindow, TransformsRestoreTheBoardSilently) {
  const Cells start = w->Board;
  click(*w->Picture6);
  click(*w->Picture6);
  EXPECT_EQ(w->Board, start);
  click(*w->Picture7);
  EXPECT_EQ(w->Board[0], start[9]);
  click(*w->Picture8);
  EXPECT_EQ(w->Board, start);
  for (int i = 0; i < 4; ++i) click(*w->Picture7);
  EXPECT_EQ(w->Board, start);
  EXPECT_TRUE(takeLog().empty());  // no sound, no wait
  EXPECT_EQ(w->score, 0);
  // Every cell shows the picture of what it holds.
  for (int i = 0; i < 100; ++i) {
    const int16_t k = w->Board[i];
    const std::string want = k <= kJoker ? "cartoon(" + std::to_string(k) + ")"
                             : k == kGem ? "animals(5)"
                                         : "Picture" + std::to_string(k - 9);
    EXPECT_EQ(w->Element(i).Picture()->ref().text(), want) << i;
  }
}

TEST_F(KippelWindow, BoardAndTransformsAreLockedWhileAMoveRuns) {
  Cells b = quietBoard();
  b[73] = b[83] = b[93] = 4;
  b[72] = b[74] = b[82] = b[84] = b[92] = b[94] = 1;
  setBoard(b);
  vt::ScriptedRandom rnd(refill(3));
  bool locked = false;
  vt::vhost().after(1, [&] {  // during the fall
    locked = !w->Podloga->Enabled() && !w->Picture7->Enabled() && !w->Picture6->Enabled();
    click(*w->Picture7);
    click(w->Element(50));
  });
  click(w->Element(93));
  EXPECT_TRUE(locked);
  EXPECT_EQ(countLog("beep"), 2);  // both clicks fell on the busy window
  EXPECT_EQ(w->Board[0], b[0]);    // not rotated
  EXPECT_TRUE(w->Picture7->Enabled());
  EXPECT_TRUE(w->Podloga->Enabled());
}

TEST_F(KippelWindow, HelpHidesTheBoardAndSaveKeepsTheBest) {
  chooseMenu("pomoc");
  EXPECT_TRUE(w->find("Picture12")->Visible());
  EXPECT_FALSE(w->Podloga->Visible());
  EXPECT_NE(dynamic_cast<rt::Label*>(w->find("Label3"))->Caption().find("  Welcome to Kippel,\r Your goal"),
            std::string::npos);
  click(*w->find("Command5.pic_Button"));
  EXPECT_FALSE(w->find("Picture12")->Visible());
  EXPECT_TRUE(w->Podloga->Visible());

  click(w->Command1->face());  // 0 does not beat 0
  EXPECT_EQ(countLog("beep"), 1);
  w->score = 7;
  w->redrawState();
  click(w->Command1->face());
  EXPECT_EQ(w->Label8->Caption(), "7");
  QFile f(dir_.path() + "/Kippel_hsc_A.nrz");
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), "7\r\n");
}

TEST_F(KippelWindow, ChoosingAnotherGameMidFallEndsTheMove) {
  Cells b = quietBoard();
  b[73] = b[83] = b[93] = 4;
  b[72] = b[74] = b[82] = b[84] = b[92] = b[94] = 1;
  setBoard(b);
  vt::ScriptedRandom rnd(refill(3));
  std::weak_ptr<rt::Form> kippel = shell::GameInstance(8);
  vt::vhost().after(1, [&] { rt::dispatch(w, [&] { w->findMenu("igrica", 16)->fireClick(); }); });
  click(w->Element(93));
  EXPECT_TRUE(kippel.expired());  // gone once its handler left the stack
  EXPECT_EQ(frame_.Caption(), "Vantix Pack v3.47  by Morvel Vukran - Gemmet");
  std::vector<std::string> log = takeLog();
  EXPECT_EQ(waits(log, "wait 50"), 1);  // the fall stopped at its first step
}
