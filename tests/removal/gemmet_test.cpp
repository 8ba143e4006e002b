// Gemmet's window on the virtual host, with boards set by the test.
#include <QFile>
#include <QTemporaryDir>

#include "gemmet.h"
#include "pack_fixture.h"
#include "picture_library.h"
#include "rt/surface.h"

using namespace gemmet;
using removal::Cells;
using removal::Form21;

namespace {
// Kinds 6..10 with no two orthogonal neighbours equal; the cases use kinds 1..5.
Cells quietBoard() {
  Cells b;
  for (int i = 0; i < 100; ++i) b[i] = static_cast<int16_t>(6 + (2 * (i / 10) + i % 10) % 5);
  return b;
}
}  // namespace

class GemmetWindow : public PackTest {
 protected:
  void SetUp() override {
    PackTest::SetUp();
    mdi_.DataFolder = dir_.path().toStdString() + "/";
    w = dynamic_cast<Form21*>(openGame("Gemmet"));
    ASSERT_NE(w, nullptr);
    takeLog();
  }
  // Options first (they deal a new board), then the board of the case.
  void setUpCase(int few, const std::vector<std::pair<int, int16_t>>& cells) {
    if (few != w->few) chooseMenu("imc", few - 2);
    Cells b = quietBoard();
    for (auto [cell, kind] : cells) b[cell] = kind;
    w->Board = b;
    w->redrawState();
    takeLog();
  }
  void swap(int a, int b) {  // select, then swap
    click(w->Element(a));
    click(w->Element(b));
  }
  bool showsMarker(int cell) {
    rt::Surface plain(32, 32, w->Element(cell).BackColor());
    plain.drawPicture(*w->Element(cell).Picture(), 0, 0);
    return plain.image() != w->Element(cell).surface().image();
  }
  QTemporaryDir dir_;
  Form21* w = nullptr;
  using Log = std::vector<std::string>;
};

TEST_F(GemmetWindow, OpensWithTheDefaultOptions) {
  EXPECT_EQ(w->few, 3);
  EXPECT_EQ(w->skill, 1);
  EXPECT_TRUE(w->findMenu("imc", 1)->Checked());
  EXPECT_TRUE(w->findMenu("Skill", 1)->Checked());
  for (int i = 0; i < 100; ++i) {
    EXPECT_TRUE(w->Board[i] >= 1 && w->Board[i] <= 12) << i;
    EXPECT_EQ(w->Element(i).Picture(), shell::PictureLibrary::instance().kindPicture(w->Board[i], 1)) << i;
  }
}

TEST_F(GemmetWindow, PairOfTwoIsRemovedAlsoAcrossARowEnd) {
  setUpCase(2, {{9, 1}, {10, 2}, {20, 1}});
  vt::ScriptedRandom rnd(std::vector<float>(2, 0.0f));
  swap(9, 10);  // index neighbours: the last of row 0 and the first of row 1
  EXPECT_EQ(takeLog(), (Log{"wait 500", "sound 1", "wait 50", "wait 50"}));
  EXPECT_EQ(w->score, 2);
  EXPECT_EQ(w->Label4->Caption(), "2");
  EXPECT_EQ(w->Board[9], 2);  // the second picture keeps its new place
  EXPECT_EQ(w->Board[20], 6);  // column 0 fell two rows
  EXPECT_EQ(w->Board[0], 1);   // refilled: 1 + Int(0 * 23)
}

TEST_F(GemmetWindow, SwapThatTouchesAnEqualPictureStaysSilently) {
  setUpCase(4, {{0, 1}, {1, 2}, {2, 1}, {3, 1}});
  swap(0, 1);
  EXPECT_EQ(takeLog(), Log{"wait 500"});
  EXPECT_EQ(w->Board[0], 2);
  EXPECT_EQ(w->Board[1], 1);
  EXPECT_EQ(w->score, 0);
}

TEST_F(GemmetWindow, SecondPictureCompletesAGroup) {
  setUpCase(3, {{0, 1}, {1, 2}, {10, 2}, {20, 2}});
  vt::ScriptedRandom rnd(std::vector<float>(3, 0.0f));
  swap(0, 1);  // 1 at cell 1 touches nothing; 2 at cell 0 joins 10 and 20
  EXPECT_EQ(takeLog(), (Log{"wait 500", "sound 1", "wait 50", "wait 50", "wait 50"}));
  EXPECT_EQ(w->score, 3);
  EXPECT_EQ(w->Board[1], 1);  // not undone
}

TEST_F(GemmetWindow, LonelySwapIsUndoneAndRestoredPicturesAreMeasured) {
  setUpCase(3, {{50, 1}, {51, 2}});
  const Cells before = w->Board;
  swap(50, 51);
  EXPECT_EQ(takeLog(), (Log{"wait 500", "wait 500", "sound 10"}));
  EXPECT_EQ(w->Board, before);

  setUpCase(3, {{50, 1}, {51, 2}, {60, 1}, {70, 1}});  // a group already on the board
  vt::ScriptedRandom rnd(std::vector<float>(3, 0.0f));
  swap(50, 51);
  EXPECT_EQ(takeLog(), (Log{"wait 500", "wait 500", "sound 1", "wait 50", "wait 50", "wait 50"}));
  EXPECT_EQ(w->score, 3);
  EXPECT_EQ(w->Board[51], 2);
}

TEST_F(GemmetWindow, MarkedCellThatFallsKeepsItsPicture) {
  // A U of five 1s: column 0 loses rows 7 and 9, with row 8 between them.
  setUpCase(3, {{60, 1}, {70, 2}, {71, 1}, {81, 1}, {91, 1}, {90, 1}});
  const Cells b = w->Board;
  auto kind = [](int16_t k) { return shell::PictureLibrary::instance().kindPicture(k, 1)->ref().text(); };
  vt::ScriptedRandom rnd(std::vector<float>(5, 0.0f));
  click(w->Element(60));
  std::string row8, row9;
  vt::vhost().after(501, [&] {  // the first step of the fall
    row8 = w->Element(80).Picture()->ref().text();
    row9 = w->Element(90).Picture()->ref().text();
  });
  click(w->Element(70));
  EXPECT_EQ(row9, kind(b[80]));  // fell from row 8
  EXPECT_EQ(row8, kind(b[80]));  // took the mark from row 7 and still shows what it showed
  EXPECT_EQ(w->score, 5);
  EXPECT_EQ(w->Board[90], b[80]);
  EXPECT_EQ(w->Board[80], 2);  // the first picture in its new place, fallen two rows
  EXPECT_EQ(w->Element(80).Picture()->ref().text(), kind(2));
}

TEST_F(GemmetWindow, EqualPicturesSwappedArePaidOnce) {
  setUpCase(2, {{33, 4}, {34, 4}});
  vt::ScriptedRandom rnd(std::vector<float>(2, 0.0f));
  swap(33, 34);
  EXPECT_EQ(w->score, 2);
  EXPECT_EQ(countLog("sound 1"), 1);
}

TEST_F(GemmetWindow, SelectionAndRefusedClicks) {
  const Cells before = w->Board;
  click(w->Element(40), 2);  // a right click does nothing at all
  EXPECT_EQ(w->selection, kNoSelection);
  EXPECT_TRUE(w->opcions->Enabled());
  click(w->Element(40));
  EXPECT_EQ(w->selection, 40);
  EXPECT_TRUE(showsMarker(40));
  EXPECT_FALSE(w->opcions->Enabled());  // options are chosen before the first move
  click(w->Element(40));                // the selected picture again
  EXPECT_EQ(w->selection, kNoSelection);
  EXPECT_FALSE(showsMarker(40));
  click(w->Element(40));
  click(w->Element(62));  // not a neighbour
  EXPECT_EQ(w->selection, kNoSelection);
  EXPECT_EQ(takeLog(), (Log{"beep", "beep"}));
  EXPECT_EQ(w->Board, before);
}

TEST_F(GemmetWindow, TransformDropsTheSelectionAndItsMarker) {
  setUpCase(3, {{3, 5}, {93, 5}});  // the flip leaves cell 3 holding the same picture
  click(w->Element(3));
  ASSERT_TRUE(showsMarker(3));
  click(*w->Picture6);
  EXPECT_EQ(w->selection, kNoSelection);
  EXPECT_FALSE(showsMarker(3));
  click(w->Element(4));  // a fresh selection, not a swap
  EXPECT_EQ(w->selection, 4);
  EXPECT_TRUE(takeLog().empty());
}

TEST_F(GemmetWindow, TransformsWaitForTheSwap) {
  setUpCase(3, {{50, 1}, {51, 2}});
  const Cells before = w->Board;
  bool locked = false;
  vt::vhost().after(100, [&] {
    locked = !w->Picture6->Enabled() && !w->Picture1->effectivelyEnabled();
    click(*w->Picture6);
  });
  swap(50, 51);
  EXPECT_TRUE(locked);
  EXPECT_EQ(w->Board, before);  // undone, and never flipped
  EXPECT_TRUE(w->Picture6->Enabled());
}

TEST_F(GemmetWindow, EachOptionCombinationHasItsFileLine) {
  QByteArray want;
  for (int skill = 0; skill < 3; ++skill)
    for (int few = 2; few <= 5; ++few) {
      chooseMenu("Skill", skill);
      chooseMenu("imc", few - 2);
      for (int16_t k : w->Board) EXPECT_TRUE(k >= 1 && k <= KindCount(few, skill));
      EXPECT_EQ(w->Label8->Caption(), "0");
      w->score = 100 + skill * 4 + few - 2;
      w->redrawState();
      click(w->Command1->face());
      want += QByteArray::number(w->score) + "\r\n";
    }
  QFile f(dir_.path() + "/Gemmet_hsc.nrz");
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), want);  // lines 0..11 in skill-major order
  chooseMenu("Skill", 0);
  chooseMenu("imc", 1);
  EXPECT_TRUE(w->findMenu("Skill", 0)->Checked());
  EXPECT_FALSE(w->findMenu("Skill", 2)->Checked());
  EXPECT_EQ(w->Label8->Caption(), "101");  // the best of the new combination
  EXPECT_EQ(w->score, 111);                // the score is not touched
}
