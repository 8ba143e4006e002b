// Pimbar's window on the virtual host: paths drawn while an image is dragged, drops, refusals,
// new images only after a move that collected nothing, and drags that end without a drop.
#include "collect_fixture.h"
#include "pimbar.h"
#include "rt/random.h"

using collect::Form2;

namespace {
class PimbarWindow : public CollectTest<Form2> {
 protected:
  void SetUp() override {
    CollectTest::SetUp();
    openWindow("Pimbar");
    start();
  }
};
}  // namespace

TEST_F(PimbarWindow, TheShortestPathIsDrawnAndTheDropMovesTheImage) {
  setBoard(boardWith({{0, 3}, {99, 4}}));
  press(w->slika(0));
  EXPECT_EQ(w->dragSourceCell(), 0);
  moveTo(w->slika(22));
  EXPECT_EQ(w->dragTarget, 22);
  EXPECT_EQ(w->pathDist[22], 4);
  // Traced back from 22: up to 12, up to 2, left to 1; the mark on 22.
  std::set<int> drawn;
  for (int c = 0; c < collect::kCells; ++c) {
    const QImage now = w->slika(c).Image()->image();
    QImage plain(now.size(), now.format());
    plain.fill(now.pixel(now.width() - 1, now.height() - 1));
    if (w->Board[c] == 0 && now != plain) drawn.insert(c);
  }
  EXPECT_EQ(drawn, (std::set<int>{1, 2, 12, 22}));

  moveTo(w->slika(99));  // back over an image: the path goes
  EXPECT_TRUE(drawnCells().empty());
  moveTo(w->slika(22));
  vt::ScriptedRandom rnd({0.505f, 0.0f, 0.515f, 0.0f});
  release(w->slika(22));
  EXPECT_EQ(w->Board[22], 3);
  EXPECT_EQ(w->Board[0], 0);
  EXPECT_EQ(w->slika(22).Picture(), w->ikona[3]);
  EXPECT_EQ(w->slika(0).Picture(), nullptr);
  EXPECT_EQ(w->slika(22).DragMode(), 1);
  EXPECT_EQ(w->slika(0).DragMode(), 0);
  EXPECT_EQ(count(takeLog(), "wait 150"), 7);  // nothing collected: new images
  EXPECT_EQ(w->Board[50], 1);
  EXPECT_EQ(w->Board[51], 1);
  EXPECT_EQ(w->dragSourceCell(), collect::kNoSource);
  EXPECT_TRUE(w->Picture1->Enabled());
}

TEST_F(PimbarWindow, AWalledTargetEndsTheDragWithABeep) {
  setBoard(boardWith({{0, 3}, {1, 4}, {10, 4}}));
  press(w->slika(0));
  moveTo(w->slika(55));
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"beep"}));
  EXPECT_FALSE(w->dragging());
  EXPECT_EQ(w->dragSourceCell(), collect::kNoSource);
  release(w->slika(55));
  EXPECT_EQ(w->Board, boardWith({{0, 3}, {1, 4}, {10, 4}}));
  EXPECT_TRUE(takeLog().empty());
  EXPECT_TRUE(drawnCells().empty());
}

TEST_F(PimbarWindow, ADropOnAnImageMovesNothingAndBringsNothing) {
  const collect::Cells b = boardWith({{0, 3}, {44, 4}});
  setBoard(b);
  press(w->slika(0));
  moveTo(w->slika(33));
  moveTo(w->slika(44));
  release(w->slika(44));
  EXPECT_EQ(w->Board, b);
  EXPECT_TRUE(takeLog().empty());
  EXPECT_TRUE(drawnCells().empty());
  // A plain click on an image is a drag dropped on its own cell: nothing either.
  click(w->slika(44));
  EXPECT_EQ(w->Board, b);
  EXPECT_TRUE(takeLog().empty());
}

TEST_F(PimbarWindow, AMoveThatCollectsBringsNoNewImagesUnlessTheBoardIsLeftEmpty) {
  for (bool otherImage : {true, false}) {
    // Four 1s in row 0 and one more below: moved into cell 0 it makes five (N = 5).
    collect::Cells b = boardWith({{1, 1}, {2, 1}, {3, 1}, {4, 1}, {20, 1}});
    if (otherImage) b[99] = 2;
    setBoard(b);
    w->cash[5] = w->score[5] = 0;
    vt::ScriptedRandom rnd(otherImage ? std::vector<float>{} : std::vector<float>{0.505f, 0.0f, 0.605f, 0.0f});
    drag(w->slika(20), w->slika(0));
    const std::vector<std::string> log = takeLog();
    EXPECT_EQ(count(log, "sound 1"), 1);
    EXPECT_EQ(count(log, "wait 150"), otherImage ? 0 : 7) << otherImage;
    EXPECT_EQ(w->score[5], 5);
    EXPECT_EQ(w->Label3->Caption(), "5");
    EXPECT_EQ(w->Label4->Caption(), "5$");
    for (int c : {0, 1, 2, 3, 4, 20}) EXPECT_EQ(w->Board[c], 0) << c;
    // The collected cells keep their drag mode until the next images fall; the source cell
    // lost its own at the drop.
    for (int c : {0, 1, 2, 3, 4}) EXPECT_EQ(w->slika(c).DragMode(), otherImage ? 1 : 0) << c;
    EXPECT_EQ(w->slika(20).DragMode(), 0);
    EXPECT_EQ(collect::EmptyCount(w->Board), otherImage ? 99 : 98);
    if (otherImage) {
      // Such an empty cell dragged over the image and on to an empty cell moves nothing.
      press(w->slika(1));
      moveTo(w->slika(99));
      moveTo(w->slika(98));
      release(w->slika(98));
      EXPECT_EQ(w->Board[99], 2);
      EXPECT_EQ(collect::EmptyCount(w->Board), 99);
      EXPECT_TRUE(takeLog().empty());
    }
  }
}

TEST_F(PimbarWindow, ADragEndedWithoutADropForgetsItsSource) {
  setBoard(boardWith({{0, 3}, {99, 4}}));
  press(w->slika(0));
  moveTo(w->slika(11));
  moveTo(*w->lova);  // released beside the board: no drop
  release(*w->lova);
  EXPECT_FALSE(w->dragging());
  vt::ScriptedRandom rnd({0.505f, 0.0f, 0.515f, 0.0f});
  drag(w->slika(99), w->slika(98));  // the next drag moves the image that was dragged
  EXPECT_EQ(w->Board[98], 4);
  EXPECT_EQ(w->Board[99], 0);
  EXPECT_EQ(w->Board[0], 3);
}

TEST_F(PimbarWindow, ADropMeasuresThePathFromThisDragsSource) {
  // 99 is walled in by 98 and 89; 0 can reach 11.
  const collect::Cells b = boardWith({{0, 3}, {99, 4}, {98, 5}, {89, 6}});
  setBoard(b);
  press(w->slika(0));
  moveTo(w->slika(11));
  EXPECT_TRUE(drawnOn(11));
  moveTo(*w->lova);  // released beside the board: no drop, the path stays drawn
  release(*w->lova);
  takeLog();
  // The walled image is pressed and released over 11 with no drag-over there.
  press(w->slika(99));
  int x, y;
  centreOf(w->slika(11), x, y);
  w->mouseUp(x, y, 1, 0);
  EXPECT_EQ(w->Board, b);
  EXPECT_TRUE(takeLog().empty());
  EXPECT_EQ(w->dragSourceCell(), collect::kNoSource);
  EXPECT_TRUE(drawnCells().empty());
}

TEST_F(PimbarWindow, APendingHelperIsAimedByADrop) {
  setBoard(boardWith({{55, 3}, {1, 4}, {11, 5}, {22, 6}}));
  click(*w->Picture11);  // the free bomb
  takeLog();
  vt::ScriptedRandom rnd({0.905f, 0.0f, 0.915f, 0.0f});
  drag(w->slika(55), w->slika(0));
  const std::vector<std::string> log = takeLog();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front(), "sound 2");
  EXPECT_EQ(count(log, "wait 150"), 7);
  EXPECT_EQ(w->Board[55], 3);  // the dragged image stays
  EXPECT_EQ(w->Board[1], 0);
  EXPECT_EQ(w->Board[11], 0);
  EXPECT_EQ(w->Board[22], 6);
  EXPECT_EQ(w->helperMode, collect::kNoHelper);
}
