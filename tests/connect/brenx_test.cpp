// Brenx on the virtual host: the empty start and its fill, selection and moves with their beeps,
// collection with pay and pause, the blinking refill, chains, new blocking kinds and best scores.
#include <QFile>
#include <QTemporaryDir>

#include "brenx.h"
#include "connect_fixture.h"
#include "rt/random.h"
#include "rt/surface.h"

using connect::Cells;
using connect::Form10;
using connect::kTrue;

namespace {
constexpr int kKinds = 20;  // n = 5

// The draws that choose blocking kinds (in order) at n = 5.
std::vector<float> blockingDraws(std::initializer_list<int> kinds) {
  std::vector<float> v;
  for (int k : kinds) v.push_back((k - 0.5f) / kKinds);
  return v;
}
// The refill's draws that put `kind` on each of `cells` in turn (each cell empty when drawn).
std::vector<float> fillDraws(const std::vector<std::pair<int, int>>& cellKinds) {
  std::vector<float> v;
  for (auto [cell, kind] : cellKinds) {
    v.push_back((cell + 0.5f) / 100);
    v.push_back((kind - 0.5f) / kKinds);
  }
  return v;
}
std::vector<float> operator+(std::vector<float> a, const std::vector<float>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class BrenxWindow : public ConnectTest<Form10> {
 protected:
  void SetUp() override {
    PackTest::SetUp();
    mdi_.DataFolder = dir_.path().toStdString() + "/";
    openWindow("Brenx");
  }
  // Continue with the board `b` dealt in index order and blocking kinds 18, 19, 20.
  void startWith(const Cells& b) {
    std::vector<std::pair<int, int>> cells;
    for (int i = 0; i < 100; ++i) cells.push_back({i, b[i]});
    vt::ScriptedRandom rnd(blockingDraws({18, 19, 20}) + fillDraws(cells));
    start();
    EXPECT_EQ(rnd.remaining(), 0u);
    takeLog();
  }
  void setBlocking(std::initializer_list<int> kinds) {
    w->blockingFlag.fill(0);
    for (int k : kinds) w->blockingFlag[k] = kTrue;
    w->redrawState();
  }
  // Whether cell i shows exactly its picture on its back colour (no ring, not upside down).
  bool plain(int i) {
    rt::PictureBox& c = w->slika(i);
    rt::Surface s(c.clientWidth(), c.clientHeight(), c.BackColor());
    if (c.Picture()) s.drawPicture(*c.Picture(), 0, 0);
    return s.image() == c.Image()->image();
  }
  std::string file() {
    QFile f(dir_.path() + "/Brenx_hsc_A.nrz");
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : "";
  }
  // Kinds 1..4 with no two neighbours equal; 7 at 40..43 and 54: moving 54 up joins five.
  Cells fourAndOne() {
    Cells b = quiet(4, 1);
    b[40] = b[41] = b[42] = b[43] = b[54] = 7;
    return b;
  }
  QTemporaryDir dir_;
};
}  // namespace

TEST_F(BrenxWindow, EmptyStartPerGroupSizeWithItsBest) {
  EXPECT_EQ(caption(), base() + "Brenx");
  std::vector<std::string> captions;
  for (rt::MenuItem* item : w->sp) captions.push_back(item->Caption() + (item->Checked() ? "*" : ""));
  EXPECT_EQ(captions, (std::vector<std::string>{"4", "5*", "10"}));
  EXPECT_EQ(file(), "0\r\n0\r\n0\r\n");
  EXPECT_EQ(w->Label3->Caption(), "0");
  EXPECT_EQ(w->Label4->Caption(), "30$");
  EXPECT_EQ(w->Label7->Caption(), "0");
  for (int i = 0; i < 100; ++i) {
    EXPECT_EQ(w->Board[i], 0);
    EXPECT_EQ(w->slika(i).Picture(), nullptr);
    EXPECT_EQ(w->slika(i).BackColor(), 0x808080u);
  }
  EXPECT_FALSE(w->Picture1->Enabled());

  QFile f(dir_.path() + "/Brenx_hsc_A.nrz");
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("7\r\n8\r\n9\r\n");
  f.close();
  struct Case {
    int item;
    const char *cash, *best;
  } cases[] = {{0, "20$", "7"}, {2, "50$", "9"}, {1, "30$", "8"}};
  for (const Case& c : cases) {
    chooseMenu("sp", c.item);
    EXPECT_EQ(w->Label4->Caption(), c.cash);
    EXPECT_EQ(w->Label7->Caption(), c.best);
    EXPECT_EQ(w->Label3->Caption(), "0");
  }
  EXPECT_EQ(caption(), base() + "Brenx");
}

TEST_F(BrenxWindow, ContinueFillsWithoutBlinkAndBlocksThreeKinds) {
  const Cells b = quiet(kKinds, 1);
  startWith(b);
  EXPECT_EQ(w->Board, b);
  EXPECT_EQ(vt::vhost().nowMs(), 0);
  for (int i = 0; i < 100; ++i) {
    EXPECT_EQ(w->slika(i).Picture(), w->ikona[b[i] >= 18 ? Form10::kMark : b[i]]) << i;
    EXPECT_EQ(w->slika(i).BackColor(), 0xFFFFFFu);
  }
  EXPECT_TRUE(w->Picture1->Enabled());
  EXPECT_FALSE(w->opcije->Enabled());
  EXPECT_FALSE(w->Command2->Visible());
  EXPECT_EQ(caption(), base() + "Brenx");
}

TEST_F(BrenxWindow, SelectionAndRefusedMovesBeepAndChangeNothing) {
  startWith(quiet(kKinds, 1));  // kinds 18, 19, 20 block: 65, 66, 67 and 73, 74, 75 among others
  const Cells b = w->Board;
  ASSERT_EQ(b[64], 17);
  ASSERT_EQ(b[63], 16);
  ASSERT_EQ(b[73], 18);
  click(w->slika(64), 1);  // no selection
  click(w->slika(65), 2);  // a blocking picture cannot be selected
  EXPECT_EQ(countLog("beep"), 2);
  EXPECT_EQ(w->selectedCell, 255);

  click(w->slika(64), 2);
  EXPECT_EQ(w->selectedCell, 64);
  EXPECT_FALSE(plain(64));  // the ring
  click(w->slika(63), 2);   // another selection moves the ring
  EXPECT_EQ(w->selectedCell, 63);
  EXPECT_TRUE(plain(64));
  EXPECT_FALSE(plain(63));
  takeLog();
  for (int target : {73, 85, 74}) click(w->slika(target), 1);  // blocking; not a neighbour; diagonal
  EXPECT_EQ(countLog("beep"), 3);

  setBlocking({16});  // the selected kind becomes blocking: it cannot move any more
  click(w->slika(62), 1);
  EXPECT_EQ(countLog("beep"), 4);
  EXPECT_EQ(w->Board, b);
  EXPECT_EQ(w->cash, 30);

  w->cash = 0;  // no cash: even a selection beeps
  click(w->slika(5), 2);
  EXPECT_EQ(countLog("beep"), 5);
  EXPECT_EQ(w->selectedCell, 63);
}

TEST_F(BrenxWindow, MovesCostADollarAndModifiersSwapOntoBlockingAndEqual) {
  Cells b = quiet(4, 1);
  b[45] = 19;  // blocking
  b[55] = b[44];
  startWith(b);
  click(w->slika(44), 2);
  click(w->slika(45), 1, 1);  // Shift: onto the red cross, which moves to 44
  EXPECT_EQ(w->Board[45], b[44]);
  EXPECT_EQ(w->Board[44], 19);
  EXPECT_EQ(w->slika(44).Picture(), w->ikona[Form10::kMark]);
  EXPECT_EQ(w->selectedCell, 45);  // the moved picture stays selected
  EXPECT_FALSE(plain(45));
  EXPECT_TRUE(plain(44));
  click(w->slika(55), 1);  // the same kind without a modifier: refused
  EXPECT_EQ(countLog("beep"), 1);
  click(w->slika(55), 1, 2);  // with Ctrl: swapped
  EXPECT_EQ(w->selectedCell, 55);
  click(w->slika(65), 1);  // a plain move down
  EXPECT_EQ(w->cash, 27);
  EXPECT_EQ(w->Label4->Caption(), "27$");
  EXPECT_EQ(countLog("sound 1"), 0);
  EXPECT_TRUE(w->Picture1->Enabled());
}

TEST_F(BrenxWindow, CollectionPaysPausesAndBlinksTheRefill) {
  startWith(fourAndOne());
  click(w->slika(54), 2);
  // The five emptied cells 40..44 refilled, then new blocking kinds once the move is over.
  vt::ScriptedRandom rnd(fillDraws({{41, 1}, {43, 3}, {44, 2}, {40, 2}, {42, 4}}) + blockingDraws({5, 6, 7}));
  // Samples of what cell 41 shows: 0 the collected picture, 1 its new picture, 2 that upside down.
  std::vector<int> seen;
  for (int t = 25; t < 4000; t += 50)
    vt::vhost().after(t, [&] {
      rt::PictureBox& c = w->slika(41);
      const int s = c.Picture() == w->Uzorak8 ? 0 : c.Picture() == w->ikona[1] ? (plain(41) ? 1 : 2) : 3;
      if (seen.empty() || seen.back() != s) seen.push_back(s);
    });
  const double t0 = vt::vhost().nowMs();
  click(w->slika(44), 1);
  std::vector<std::string> log = takeLog();
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + 2), (std::vector<std::string>{"sound 1", "wait 1000"}));
  EXPECT_EQ(std::count(log.begin(), log.end(), "wait 150"), 7);
  EXPECT_GE(vt::vhost().nowMs() - t0, 1000 + 7 * 150);
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 1, 2, 1, 2, 1}));
  EXPECT_EQ(w->newCellCount, 5);
  EXPECT_EQ(w->cash, 30 - 1 + 10);
  EXPECT_EQ(w->score, 5);
  EXPECT_EQ(w->Label3->Caption(), "5");
  EXPECT_EQ(w->Label4->Caption(), "39$");
  EXPECT_EQ(w->selectedCell, 255);  // a collection clears the selection, ring and all
  for (int i = 0; i < 100; ++i) EXPECT_TRUE(plain(i)) << i;
  EXPECT_EQ(rnd.remaining(), 0u);
  std::vector<int> blocking;
  for (int k = 0; k <= 25; ++k)
    if (w->blockingFlag[k]) blocking.push_back(k);
  EXPECT_EQ(blocking, (std::vector<int>{5, 6, 7}));
  EXPECT_TRUE(w->Picture1->Enabled());

  // Saving: a better score is written on the line of n = 5; an equal one beeps.
  click(w->Command3->face());
  EXPECT_EQ(w->Label7->Caption(), "5");
  EXPECT_EQ(file(), "0\r\n5\r\n0\r\n");
  takeLog();
  click(w->Command3->face());
  EXPECT_EQ(countLog("beep"), 1);
}

TEST_F(BrenxWindow, ARefillThatJoinsAGroupIsCollectedBeforeTheBoardOpens) {
  startWith(fourAndOne());
  click(w->slika(54), 2);
  // The first refill puts five 9s in a row on 40..44, which are collected and refilled again;
  // blocking kinds are chosen once, after the whole chain.
  vt::ScriptedRandom rnd(fillDraws({{40, 9}, {41, 9}, {42, 9}, {43, 9}, {44, 9}}) +
                         fillDraws({{40, 1}, {41, 3}, {42, 1}, {43, 3}, {44, 2}}) + blockingDraws({5, 6, 7}));
  bool closed = true;
  for (int t : {1500, 2500, 3500}) vt::vhost().after(t, [&] { closed = closed && !w->Picture1->Enabled(); });
  click(w->slika(44), 1);
  EXPECT_TRUE(closed);
  std::vector<std::string> log = takeLog();
  EXPECT_EQ(std::count(log.begin(), log.end(), "sound 1"), 2);
  EXPECT_EQ(std::count(log.begin(), log.end(), "wait 1000"), 2);
  EXPECT_EQ(std::count(log.begin(), log.end(), "wait 150"), 14);
  EXPECT_EQ(w->score, 10);
  EXPECT_EQ(w->cash, 30 - 1 + 20);
  EXPECT_EQ(rnd.remaining(), 0u);
  EXPECT_TRUE(w->Picture1->Enabled());
}

TEST_F(BrenxWindow, ScoreCanBeSavedDuringACollectionsPauseButNotDuringTheRefill) {
  startWith(fourAndOne());
  click(w->slika(54), 2);
  vt::ScriptedRandom rnd(fillDraws({{41, 1}, {43, 3}, {44, 2}, {40, 2}, {42, 4}}) + blockingDraws({5, 6, 7}));
  // What "Save score" allows while the collected cells wait (41 empty) and while the new
  // pictures blink (41 filled again).
  std::vector<std::string> seen;
  for (int t = 25; t < 4000; t += 50)
    vt::vhost().after(t, [&] {
      const std::string s = std::string(w->Board[41] == 0 ? "pause" : "refill") +
                            (w->Command3->effectivelyEnabled() ? " open" : " closed");
      if (seen.empty() || seen.back() != s) seen.push_back(s);
    });
  vt::vhost().after(300, [&] { click(w->Command3->face()); });
  click(w->slika(44), 1);
  EXPECT_EQ(seen, (std::vector<std::string>{"pause open", "refill closed"}));
  EXPECT_EQ(file(), "0\r\n5\r\n0\r\n");  // saved in the pause, with the group just paid
  EXPECT_EQ(w->Label7->Caption(), "5");
  EXPECT_TRUE(w->Command3->effectivelyEnabled());
}
