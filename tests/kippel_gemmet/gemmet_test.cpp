// Gemmet: its rules on boards set by the test, then the window on the virtual host.
#include <QFile>
#include <QTemporaryDir>

#include "gemmet.h"
#include "picture_library.h"
#include "pack_fixture.h"
#include "rt/surface.h"

using namespace gemmet;
using removal::Cells;

namespace {
// Kinds 6..10 with no two orthogonal neighbours equal; the cases use kinds 1..5.
Cells quietBoard() {
  Cells b;
  for (int i = 0; i < 100; ++i) b[i] = static_cast<int16_t>(6 + (2 * (i / 10) + i % 10) % 5);
  return b;
}
}  // namespace

// ---------------------------------------------------------------- rules

TEST(GemmetRules, KindsAndFileLinesOfTheOptions) {
  const int kinds[4][3] = {{23, 25, 27}, {10, 12, 14}, {8, 10, 12}, {6, 8, 10}};
  for (int few = 2; few <= 5; ++few)
    for (int skill = 0; skill < 3; ++skill) {
      EXPECT_EQ(KindCount(few, skill), kinds[few - 2][skill]);
      EXPECT_EQ(HiscoreLine(skill, few), skill * 4 + few - 2);
    }
  EXPECT_EQ(HiscoreLine(0, 2), 0);
  EXPECT_EQ(HiscoreLine(2, 5), 11);
  EXPECT_EQ(RefillKind(0.0, 12), 1);
  EXPECT_EQ(RefillKind(0.9999999, 12), 12);
  EXPECT_EQ(RefillKind(0.5, 27), 14);
}

TEST(GemmetRules, NeighboursAreTestedOnTheIndexAlone) {
  EXPECT_TRUE(IsSwapNeighbour(55, 45));
  EXPECT_TRUE(IsSwapNeighbour(55, 65));
  EXPECT_TRUE(IsSwapNeighbour(55, 54));
  EXPECT_TRUE(IsSwapNeighbour(55, 56));
  EXPECT_TRUE(IsSwapNeighbour(9, 10));   // last of a row, first of the next
  EXPECT_TRUE(IsSwapNeighbour(20, 19));
  EXPECT_FALSE(IsSwapNeighbour(55, 55));
  EXPECT_FALSE(IsSwapNeighbour(55, 66));
  EXPECT_FALSE(IsSwapNeighbour(0, 11));
}

TEST(GemmetRules, MeasureCountsEqualCodesAndNeverAMarkedCell) {
  Cells b = quietBoard(), flags{};
  EXPECT_EQ(MeasureGroup(b, flags, 44), 0);  // no equal neighbour
  b[44] = b[45] = b[55] = b[56] = 3;
  b[66] = 3;  // below 56
  EXPECT_EQ(MeasureGroup(b, flags, 44), 5);
  b[54] = 4;  // another code beside the group changes nothing
  EXPECT_EQ(MeasureGroup(b, flags, 45), 5);
  MarkGroupRemoved(b, flags);
  for (int cell : {44, 45, 55, 56, 66}) EXPECT_EQ(b[cell], kRemoving);
  EXPECT_EQ(MeasureGroup(b, flags, 55), 0);  // a marked group is not paid again
  EXPECT_EQ(flags, Cells{});
  EXPECT_TRUE(SwapBack(0, 2, 3));
  EXPECT_TRUE(SwapBack(1, 0, 2));
  EXPECT_FALSE(SwapBack(2, 0, 4));  // the first picture touches an equal one: it stays
  EXPECT_FALSE(SwapBack(0, 3, 3));  // the second made a group
}

// ---------------------------------------------------------------- window

class GemmetWindow : public PackTest {
 protected:
  void SetUp() override {
    PackTest::SetUp();
    mdi_.DataFolder = dir_.path().toStdString() + "/";
    w = dynamic_cast<Form21*>(openGame(16));
    ASSERT_NE(w, nullptr);
    takeLog();
  }
  void setBoard(const Cells& b) {
    w->Board = b;
    w->redrawState();
  }
  void choose(const std::string& item, int index) {
    chooseMenu(item, index);
    takeLog();
  }
  // Two left clicks: select, then swap.
  void swap(int a, int b) {
    click(w->Element(a));
    click(w->Element(b));
  }
  bool showsMarker(int cell) {
    rt::Surface plain(32, 32, w->Element(cell).BackColor());
    plain.drawPicture(*w->Element(cell).Picture(), 0, 0);
    return plain.image() != w->Element(cell).surface().image();
  }
  int count(const std::vector<std::string>& log, const std::string& what) {
    return static_cast<int>(std::count(log.begin(), log.end(), what));
  }
  QTemporaryDir dir_;
  Form21* w = nullptr;
};

TEST_F(GemmetWindow, OpensWithTheDefaultOptions) {
  EXPECT_EQ(w->few, 3);
  EXPECT_EQ(w->skill, 1);
  for (int16_t k : w->Board) EXPECT_TRUE(k >= 1 && k <= 12) << k;
  EXPECT_TRUE(w->findMenu("imc", 1)->Checked());
  EXPECT_TRUE(w->findMenu("Skill", 1)->Checked());
  EXPECT_EQ(w->findMenu("imc", 3)->Caption(), "5");
  EXPECT_EQ(w->findMenu("Skill", 2)->Caption(), "Hard skill");
  for (int i = 0; i < 100; ++i)
    EXPECT_EQ(w->Element(i).Picture(), shell::PictureLibrary::instance().kindPicture(w->Board[i], 1)) << i;
  QFile f(dir_.path() + "/Gemmet_hsc.nrz");
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), QByteArray("0\r\n").repeated(12));
}

TEST_F(GemmetWindow, PairRemovedWithGroupSizeTwo) {
  choose("imc", 0);
  Cells b = quietBoard();
  b[0] = 1;
  b[1] = 2;
  b[2] = 1;
  setBoard(b);
  vt::ScriptedRandom rnd(std::vector<float>(2, 0.0f));
  swap(0, 1);
  std::vector<std::string> log = takeLog();
  EXPECT_EQ(count(log, "wait 500"), 1);
  EXPECT_EQ(count(log, "sound 1"), 1);
  EXPECT_EQ(w->score, 2);
  EXPECT_EQ(w->Label4->Caption(), "2");
  EXPECT_EQ(w->Board[0], 2);  // the second picture kept its new place
  EXPECT_EQ(w->Board[1], 1);  // refilled from the top: 1 + Int(0 * 23)
  EXPECT_EQ(w->Board[2], 1);
}

TEST_F(GemmetWindow, SwapThatTouchesAnEqualPictureStaysSilently) {
  choose("imc", 2);  // few = 4
  Cells b = quietBoard();
  b[0] = 1;
  b[1] = 2;
  b[2] = b[3] = 1;
  setBoard(b);
  swap(0, 1);
  std::vector<std::string> log = takeLog();
  EXPECT_EQ(log, std::vector<std::string>{"wait 500"});
  EXPECT_EQ(w->Board[0], 2);
  EXPECT_EQ(w->Board[1], 1);
  EXPECT_EQ(w->score, 0);
  EXPECT_EQ(w->selection, kNoSelection);
}

TEST_F(GemmetWindow, SecondPictureCompletesAGroup) {
  Cells b = quietBoard();
  b[0] = 1;
  b[1] = 2;
  b[10] = b[20] = 2;
  setBoard(b);
  vt::ScriptedRandom rnd(std::vector<float>(3, 0.0f));
  swap(0, 1);  // 1 at cell 1 touches nothing, 2 at cell 0 joins 10 and 20
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"wait 500", "sound 1", "wait 50", "wait 50", "wait 50"}));
  EXPECT_EQ(w->score, 3);
  EXPECT_EQ(w->Board[1], 1);  // not undone
}

TEST_F(GemmetWindow, LonelySwapIsUndoneAndRestoredGroupsGo) {
  Cells b = quietBoard();
  b[50] = 1;
  b[51] = 2;
  setBoard(b);
  swap(50, 51);
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"wait 500", "wait 500", "sound 10"}));
  EXPECT_EQ(w->Board, b);

  // Undoing brings the first picture back beside a group that was already on the board.
  b[60] = b[70] = 1;
  setBoard(b);
  vt::ScriptedRandom rnd(std::vector<float>(3, 0.0f));
  swap(50, 51);
  std::vector<std::string> log = takeLog();
  EXPECT_EQ(count(log, "wait 500"), 2);
  EXPECT_EQ(count(log, "sound 1"), 1);
  EXPECT_EQ(w->score, 3);
  EXPECT_EQ(w->Board[51], 2);
}

TEST_F(GemmetWindow, RowEndNeighboursSwap) {
  choose("imc", 0);
  Cells b = quietBoard();
  b[9] = 1;
  b[10] = 2;
  b[20] = 1;
  setBoard(b);
  vt::ScriptedRandom rnd(std::vector<float>(2, 0.0f));
  swap(9, 10);
  EXPECT_EQ(w->score, 2);
  EXPECT_EQ(w->Board[9], 2);      // the second picture stays at the row's end
  EXPECT_EQ(w->Board[20], b[0]);  // column 0 fell two rows
}

TEST_F(GemmetWindow, EqualPicturesSwappedArePaidOnce) {
  choose("imc", 0);
  Cells b = quietBoard();
  b[33] = b[34] = 4;
  setBoard(b);
  vt::ScriptedRandom rnd(std::vector<float>(2, 0.0f));
  swap(33, 34);
  EXPECT_EQ(w->score, 2);
  EXPECT_EQ(countLog("sound 1"), 1);
}

TEST_F(GemmetWindow, RefusedClicksClearTheSelection) {
  click(w->Element(40));
  EXPECT_EQ(w->selection, 40);
  EXPECT_TRUE(showsMarker(40));
  EXPECT_FALSE(w->opcions->Enabled());
  click(w->Element(40));  // the selected picture again
  EXPECT_EQ(takeLog(), std::vector<std::string>{"beep"});
  EXPECT_EQ(w->selection, kNoSelection);
  EXPECT_FALSE(showsMarker(40));
  click(w->Element(40));
  click(w->Element(62));  // not a neighbour
  EXPECT_EQ(takeLog(), std::vector<std::string>{"beep"});
  EXPECT_EQ(w->selection, kNoSelection);

  const Cells before = w->Board;
  click(w->Element(40), 2);  // a right click does nothing
  EXPECT_EQ(w->selection, kNoSelection);
  EXPECT_EQ(w->Board, before);
  EXPECT_TRUE(takeLog().empty());
}

TEST_F(GemmetWindow, RightClickLeavesTheOptionsOpen) {
  click(w->Element(40), 2);
  EXPECT_TRUE(w->opcions->Enabled());
  click(w->Element(40));
  EXPECT_FALSE(w->opcions->Enabled());
}

TEST_F(GemmetWindow, TransformDropsTheSelectionAndItsMarker) {
  Cells b = quietBoard();
  b[3] = b[93] = 5;  // the flip leaves cell 3 holding the same picture
  setBoard(b);
  click(w->Element(3));
  ASSERT_TRUE(showsMarker(3));
  click(*w->Picture6);
  EXPECT_EQ(w->selection, kNoSelection);
  EXPECT_FALSE(showsMarker(3));
  EXPECT_EQ(w->Board[3], 5);
  click(w->Element(4));  // a fresh selection, not a swap with the old one
  EXPECT_EQ(w->selection, 4);
  EXPECT_TRUE(takeLog().empty());
}

TEST_F(GemmetWindow, TransformsWaitForTheSwap) {
  Cells b = quietBoard();
  b[50] = 1;
  b[51] = 2;
  setBoard(b);
  bool locked = false;
  vt::vhost().after(100, [&] {
    locked = !w->Picture6->Enabled() && !w->Picture1->Enabled();
    click(*w->Picture6);
  });
  swap(50, 51);
  EXPECT_TRUE(locked);
  EXPECT_EQ(w->Board, b);  // undone, and never flipped
  EXPECT_TRUE(w->Picture6->Enabled());
}

TEST_F(GemmetWindow, EachOptionCombinationHasItsFileLine) {
  std::vector<QByteArray> lines(12, "0");
  for (int skill = 0; skill < 3; ++skill)
    for (int few = 2; few <= 5; ++few) {
      choose("Skill", skill);
      choose("imc", few - 2);
      EXPECT_EQ(w->few, few);
      EXPECT_EQ(w->skill, skill);
      for (int16_t k : w->Board) EXPECT_TRUE(k >= 1 && k <= KindCount(few, skill));
      EXPECT_EQ(w->Label8->Caption(), "0");
      const int line = skill * 4 + few - 2;
      w->score = 100 + line;
      w->redrawState();
      click(w->Command1->face());
      lines[line] = QByteArray::number(100 + line);
      QFile f(dir_.path() + "/Gemmet_hsc.nrz");
      ASSERT_TRUE(f.open(QIODevice::ReadOnly));
      QByteArray all;
      for (const auto& l : lines) all += l + "\r\n";
      EXPECT_EQ(f.readAll(), all) << "skill " << skill << " few " << few;
    }
  // Changing an option shows the best of the new combination.
  choose("Skill", 0);
  choose("imc", 1);
  EXPECT_EQ(w->Label8->Caption(), "101");
  EXPECT_EQ(w->score, 111);  // the score is not touched
}
