#include "quadrin.h"

#include "pack_fn.h"
#include "picture_library.h"
#include "rt/random.h"

namespace connect {

VPK_GAME_WINDOW(Form11);

namespace {
constexpr int kPitch = 38;
constexpr int kSquareSize = 8;
constexpr int kBoardSize = 384;  // 380 inside its border
constexpr rt::Color kBoardBack = 0xC0C0C0;

ConnectDesign QuadrinDesign() {
  ConnectDesign d;
  d.name = "Quadrin";
  d.cells = {.cols = kSide, .rows = kSide, .pitchX = kPitch, .pitchY = kPitch, .cellWidth = 36, .cellHeight = 36,
             .left = 1, .top = 1, .border = 1, .back = 0xFFFFFF};
  d.boardSize = kBoardSize;
  d.cash = {500, 500, 500, 500, 500, 500, 500};
  d.priceInCaptions = false;
  d.defaultSize = 4;
  d.kindBase = 0;
  d.greyFields = false;
  // The help panel covers the board's middle; the board stays in sight behind it.
  d.help.left = d.help.top = 10 + (kBoardSize - 350) / 2;
  d.help.width = d.help.height = 350;
  d.placeHelp(16, 16, 318, 288, 135, 312);
  d.help.font = {"Tahoma", 9, false, false, false};
  d.helpText =
      "  Welcome to Quadrin, freeware programmed by Morvel Vukran in 2003. Your goal is to connect all the same "
      "images attached horizontally or vertically.\r"
      "You can rotate the group of four images internally by pressing the small square. If the square is black "
      "left mouse button rotates to the left, and right button rotates to the right. If the square is red it "
      "rotates to the right. If the square is blue it rotates to the left.\r"
      "   In the beginning you have 500$. Every time you rotate the pieces you lose 1$. If you lose all the money "
      "you can't rotate the pieces and the game is over. The quality of playing is measured by the remaining "
      "money. You can define the number of the same pieces.\r"
      "  Good luck. Have a fun.";
  return d;
}
}  // namespace

Form11::Form11(const shell::GameEntry& entry) : ConnectWindow(entry, QuadrinDesign(), 404, 436) {}

void Form11::loadPictures() {
  // Kinds 0..49 are the ten themes in library order, numbered from 0; 50 is the mark.
  ikona.assign(kDoneMark + 1, nullptr);
  for (int k = 0; k < kDoneMark; ++k) ikona[k] = shell::PictureLibrary::instance().kindPicture(k, 0);
  ikona[kDoneMark] = picture("Brenx.ikona", 51);
}

void Form11::addOptions(rt::MenuItem& options) {
  sm = &options.add("sm", "All the small squares are black");
  sm->Click = [this] { sm_Click(); };
}

void Form11::enableOptions(bool enabled) {
  ConnectWindow::enableOptions(enabled);
  sm->setEnabled(enabled);
}

void Form11::bindBoard() {
  Picture1->setBackColor(kBoardBack);

  rot.init(this, "rot");
  rt::PictureBox& first = rot.create(0, Picture1);
  first.setBorderStyle(0);
  for (int s = 1; s < quadrin::kSquares; ++s) rot.Load(s);
  rot.bind([this](rt::PictureBox& square, int s) {
    square.MouseDown = [this, s](int button, int shift, float x, float y) { rot_MouseDown(s, button, shift, x, y); };
  });
  for (int s = 0; s < quadrin::kSquares; ++s) rot(s).setVisible(true);
}

void Form11::bindCell(rt::PictureBox& /*cell*/, int /*index*/) {}  // the cells take no input

void Form11::exposeGameState() { exposeCells("changedFlag", changedFlag, flagValues); }

void Form11::NewBoard() {
  Picture1->setEnabled(false);
  ColourSquares();
  ConnectWindow::NewBoard();
}

void Form11::ColourSquares() {
  for (int s = 0; s < quadrin::kSquares; ++s) {
    rt::PictureBox& square = rot(s);
    square.Move((s % 9) * kPitch + 33, (s / 9) * kPitch + 33, kSquareSize, kSquareSize);
    square.ZOrder(0);  // over the corners of the cells
  }
  const quadrin::SquareColours colour = quadrin::DrawSquareColours(sm->Checked(), rt::Rnd);
  for (int s = 0; s < quadrin::kSquares; ++s) {
    const rt::Color c = colour[s] == quadrin::SquareColour::Blue  ? kSquareBlue
                        : colour[s] == quadrin::SquareColour::Red ? kSquareRed
                                                                  : kBlackColour;
    rot(s).setBackColor(c);
  }
}

quadrin::SquareColour Form11::squareColour(int s) const {
  const rt::Color c = rot(s).BackColor();
  return c == kSquareBlue ? quadrin::SquareColour::Blue
         : c == kSquareRed ? quadrin::SquareColour::Red
                           : quadrin::SquareColour::Black;
}

void Form11::sm_Click() {
  sm->setChecked(!sm->Checked());
  ColourSquares();
}

void Form11::DrawRow(int first) {
  for (int i = first; i < first + kSide; ++i) DrawCell(i);
}

void Form11::RedrawAllRows() {
  for (int row = 0; row < kSide; ++row) DrawRow(row * kSide);
}

void Form11::RedrawChanged() {
  for (int i = 0; i < kCells; ++i)
    if (changedFlag[i]) DrawCell(i);
}

void Form11::rot_MouseDown(int Index, int Button, int /*Shift*/, float /*X*/, float /*Y*/) {
  if (!boardTakesInput() || Index < 0 || Index >= quadrin::kSquares) return;
  BusyScope busy(*this, false);
  changedFlag.fill(0);
  const int c = quadrin::SquareCorner(Index);
  const quadrin::Turn turn = quadrin::TurnFor(squareColour(Index), Button);
  if (turn == quadrin::Turn::None) return;
  quadrin::TurnGroup(Board, doneFlag, c, turn);
  for (int i : {c, c + 1, c + kSide, c + kSide + 1}) changedFlag[i] = kTrue;
  cash = Pay(cash, 1);
  RedrawChanged();
  CheckConnected();
}

void Form11::afterGroupSound() { shell::PauseSeconds(1); }

void Form11::showHelp() {
  if (!helpPanel_) return;
  helpPanel_->setVisible(true);
  helpPanel_->ZOrder(0);
  Picture1->setEnabled(false);
}

void Form11::hideHelp() {
  if (!helpPanel_) return;
  helpPanel_->setVisible(false);
  // Back to the state the game is in: a board not yet started, won or out of money stays
  // closed, and a turn still running enables it when it ends.
  Picture1->setEnabled(started() && !gameOver() && !moveRunning());
}

}  // namespace connect
