// Pairn's window: the chessboard shade, the composed pieces, pairing, refused drops and the end.
#include <algorithm>

#include "board_text.h"
#include "pairn.h"
#include "solitaire_fixture.h"

using board::Form29;

namespace {
class PairnTest : public SolitaireTest {
 protected:
  void SetUp() override {
    PackTest::SetUp();
    w = &openSolitaire<Form29>("Pairn");
  }
  void setBoard(const std::string& text) {
    w->Board = boardtest::Parse(text, 0);
    redraw(*w);
  }
  Form29* w = nullptr;
};
}  // namespace

TEST_F(PairnTest, DealShadesTheBoardAndDrawsThePieces) {
  EXPECT_EQ(std::count(w->Board.begin(), w->Board.end(), 0), 100 - 63);
  EXPECT_EQ(w->MoveCount, 0);
  EXPECT_EQ(w->Picture1->Left(), 56);
  for (int i : {0, 1, 8, 9, 63})
    EXPECT_EQ(w->slika(i).BackColor(), (i / 8 + i % 8) % 2 == 0 ? rt::RGB(224, 224, 224) : rt::RGB(128, 128, 128));
  chooseMenu("cpt", 2);  // rooks
  EXPECT_EQ(w->PieceKind, 3);
  EXPECT_TRUE(w->findMenu("cpt", 2)->Checked());
  EXPECT_FALSE(w->findMenu("cpt", 5)->Checked());
  for (int i = 0; i < 64; ++i) EXPECT_TRUE(w->Board[i] == 0 || w->Board[i] == 3 || w->Board[i] == 8);
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"caption " + base() + "Pairn"}));
  // A piece keeps the cell's shade around it; the strip's piece is drawn inside its shape.
  chooseMenu("sp", 0);
  setBoard("1 6 0 0  0 0 0 0  0 0 0 0  0 0 0 0");
  for (int i : {0, 1}) {
    const rt::Surface& s = w->slika(i).surface();
    EXPECT_EQ(s.pixel(1, 1), w->slika(i).BackColor()) << i;
    EXPECT_NE(s.pixel(16, 16), w->slika(i).BackColor()) << i;
  }
  EXPECT_EQ(w->slika(0).DragMode(), 1);
  EXPECT_EQ(w->slika(2).DragMode(), 0);
}

TEST_F(PairnTest, PairsVanishAndRefusedDropsSoundTen) {
  chooseMenu("sp", 0);
  start(*w);
  setBoard("4 0 0 8  0 6 0 0  0 0 2 0  0 0 0 9");  // bishop, rook, king, queen, bishop
  drag(w->slika(0), w->slika(3));                  // a bishop is no rook
  drag(w->slika(0), w->slika(10));                 // onto its own colour
  drag(w->slika(5), w->slika(7));                  // a king does not go two cells
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"sound 10", "sound 10", "sound 10"}));
  EXPECT_EQ(w->MoveCount, 0);
  drag(w->slika(0), w->slika(15));  // over the king, onto the black bishop
  EXPECT_EQ(w->Board[0], 0);
  EXPECT_EQ(w->Board[15], 0);
  EXPECT_EQ(w->slika(15).DragMode(), 0);
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"sound 1", "caption " + base() + "Pairn          Moves:1"}));
  drag(w->slika(10), w->slika(2));  // a move onto an empty cell: no sound
  EXPECT_EQ(w->Board[2], 2);
  EXPECT_EQ(w->slika(2).DragMode(), 1);
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"caption " + base() + "Pairn          Moves:2"}));
  drag(w->slika(2), w->slika(3));  // the queen and the black rook: one piece left
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"sound 1", "caption " + base() + "Pairn          Moves:3", "sound 8",
                                                 "wait 2000"}));
  EXPECT_FALSE(w->Picture1->Enabled());
  drag(w->slika(5), w->slika(0));
  EXPECT_EQ(w->Board[5], 6);
}
