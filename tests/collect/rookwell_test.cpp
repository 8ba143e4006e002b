// Rookwell's window on the virtual host: composed sprites on the chessboard, piece moves,
// captures, refusals, groups by piece type and the heart aimed by a drop.
#include <QColor>

#include <map>

#include "collect_fixture.h"
#include "rookwell.h"
#include "rt/random.h"

using collect::Form28;

namespace {
class RookwellWindow : public CollectTest<Form28> {
 protected:
  void SetUp() override {
    CollectTest::SetUp();
    openWindow("Rookwell");
  }
  QRgb pixel(int cell, int x, int y) { return w->slika(cell).Image()->image().pixel(x, y) & 0xFFFFFF; }
};
}  // namespace

TEST_F(RookwellWindow, PiecesAreComposedOverBothCellColours) {
  EXPECT_EQ(w->slika(0).BackColor(), rt::RGB(224, 224, 224));
  EXPECT_EQ(w->slika(1).BackColor(), rt::RGB(128, 128, 128));
  EXPECT_EQ(w->slika(10).BackColor(), rt::RGB(128, 128, 128));
  start();
  // A white king on a light cell, a black king on a grey one, a white queen on a grey one.
  setBoard(boardWith({{0, 1}, {1, 6}, {3, 2}}));
  std::map<int, int> whites;
  for (int cell : {0, 1, 3}) {
    const QRgb ground = w->slika(cell).BackColor() == rt::RGB(224, 224, 224) ? 0xE0E0E0 : 0x808080;
    EXPECT_EQ(pixel(cell, 0, 0), ground) << cell;  // outside the piece the cell keeps its colour
    EXPECT_EQ(pixel(cell, 31, 31), ground) << cell;
    int piece = 0, gray = 0;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x)
        if (pixel(cell, x, y) != ground) {
          ++piece;
          gray += qGray(pixel(cell, x, y)) >= 240;
        }
    ASSERT_GT(piece, 120) << cell;
    whites[cell] = gray;
  }
  // White pieces have white bodies inside their outlines; the black king has a few light details.
  EXPECT_GT(whites[0], 2 * whites[1]);
  EXPECT_GT(whites[3], 2 * whites[1]);
  EXPECT_EQ(w->slika(2).Picture(), nullptr);
  EXPECT_EQ(w->slika(0).DragMode(), 1);
  EXPECT_EQ(w->slika(2).DragMode(), 0);
}

TEST_F(RookwellWindow, MovesCapturesAndRefusals) {
  start();
  struct Case {
    const char* what;
    collect::Cells board;
    int from, to;
    int sound10, blinks;
    collect::Cells after;
  };
  const Case cases[] = {
      {"a rook jumps along its row", boardWith({{0, 3}, {4, 9}}), 0, 9, 0, 7, boardWith({{9, 3}, {4, 9}})},
      {"a queen captures", boardWith({{0, 2}, {99, 7}, {55, 5}}), 0, 99, 0, 0, boardWith({{99, 2}, {55, 5}})},
      {"a knight's step", boardWith({{44, 10}}), 44, 63, 0, 7, boardWith({{63, 10}})},
      {"no knight step across the edge", boardWith({{9, 5}}), 9, 21, 1, 0, boardWith({{9, 5}})},
      {"not onto its own colour", boardWith({{0, 8}, {5, 9}}), 0, 5, 1, 0, boardWith({{0, 8}, {5, 9}})},
      {"not onto its own cell", boardWith({{33, 1}}), 33, 33, 1, 0, boardWith({{33, 1}})},
      {"a bishop's step is diagonal", boardWith({{33, 4}}), 33, 34, 1, 0, boardWith({{33, 4}})},
  };
  for (const Case& c : cases) {
    setBoard(c.board);
    vt::ScriptedRandom rnd({0.705f, 0.0f, 0.715f, 0.0f, 0.725f, 0.0f});  // cells 70..72, white kings
    drag(w->slika(c.from), w->slika(c.to));
    const std::vector<std::string> log = takeLog();
    EXPECT_EQ(count(log, "sound 10"), c.sound10) << c.what;
    EXPECT_EQ(count(log, "wait 150"), c.blinks) << c.what;
    collect::Cells after = w->Board;
    for (int i : {70, 71, 72}) after[i] = c.blinks ? 0 : after[i];
    EXPECT_EQ(after, c.after) << c.what;
    EXPECT_EQ(w->dragSourceCell(), collect::kNoSource) << c.what;
    EXPECT_TRUE(w->Picture1->Enabled()) << c.what;
  }
}

TEST_F(RookwellWindow, KingsOfBothColoursFormAGroupAndHardPlacesFour) {
  chooseMenu("Skillg", 2);
  EXPECT_EQ(w->newPerStep, 4);
  start();
  EXPECT_EQ(collect::EmptyCount(w->Board), 96);
  // Six kings of mixed colours in row 0, a seventh steps in from below (N = 7).
  setBoard(boardWith({{0, 1}, {1, 6}, {2, 1}, {3, 6}, {4, 1}, {5, 6}, {16, 1}, {99, 2}}));
  drag(w->slika(16), w->slika(6));
  const std::vector<std::string> log = takeLog();
  EXPECT_EQ(count(log, "sound 1"), 1);
  EXPECT_EQ(count(log, "wait 150"), 7);  // a move to an empty cell brings new pieces anyway
  EXPECT_EQ(w->score[7], 7);
  EXPECT_EQ(w->Label3->Caption(), "7");
  for (int c = 0; c <= 6; ++c) EXPECT_EQ(w->Board[c] == 0 || w->newCell[0] == c || w->newCell[1] == c ||
                                             w->newCell[2] == c || w->newCell[3] == c,
                                         true)
      << c;
  EXPECT_EQ(collect::EmptyCount(w->Board), 99 - 4);
}

TEST_F(RookwellWindow, TheHeartHitsTheSamePieceInTheSameColour) {
  start();
  setBoard(boardWith({{0, 2}, {50, 2}, {99, 7}, {44, 5}}));
  w->cash[7] = 5;
  click(*w->Picture5);
  EXPECT_EQ(w->helperMode, collect::kHeart);
  EXPECT_EQ(w->Label4->Caption(), " 0$");
  takeLog();
  drag(w->slika(44), w->slika(50));  // the knight is the pointer; the heart hits white queens
  const std::vector<std::string> log = takeLog();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front(), "sound 5");
  EXPECT_EQ(w->Board[0], 0);
  EXPECT_EQ(w->Board[50], 0);
  EXPECT_EQ(w->Board[99], 7);
  EXPECT_EQ(w->Board[44], 5);
  EXPECT_EQ(w->helperMode, collect::kNoHelper);
}

TEST_F(RookwellWindow, ACaptureThatCompletesAGroupBringsNoNewPieces) {
  start();
  // Six kings in row 0; a white king below a black queen at 6 captures it and makes seven.
  setBoard(boardWith({{0, 1}, {1, 6}, {2, 1}, {3, 6}, {4, 1}, {5, 6}, {6, 7}, {16, 1}, {99, 3}}));
  drag(w->slika(16), w->slika(6));
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"sound 1", "wait 1000"}));
  EXPECT_EQ(w->score[7], 7);
  EXPECT_EQ(w->Board, boardWith({{99, 3}}));
  for (int c = 0; c <= 6; ++c) {
    EXPECT_EQ(w->slika(c).Picture(), nullptr) << c;
    EXPECT_EQ(w->slika(c).DragMode(), 1) << c;  // until the next pieces fall
  }
  EXPECT_EQ(w->slika(16).DragMode(), 0);
  // Such an empty cell dragged over a piece and on moves nothing.
  drag(w->slika(3), w->slika(99));
  drag(w->slika(3), w->slika(98));
  EXPECT_EQ(w->Board, boardWith({{99, 3}}));
  EXPECT_TRUE(takeLog().empty());
  EXPECT_TRUE(w->Picture1->Enabled());
}
