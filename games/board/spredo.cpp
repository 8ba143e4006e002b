#include "spredo.h"

#include <string>

#include "pack_fn.h"
#include "rt/numbers.h"
#include "rt/random.h"

namespace board {

using namespace spredo;

namespace {
constexpr int kSquareSize = 25;
constexpr int kPitch = kSquareSize + 1;
constexpr int kBoardSize = kPitch * kSide;  // 364

const char* const kHelpText =
    "  Welcome to Spredo, freeware programmed by Morvel Vukran in 2009. Your goal is to populate the squares "
    "with white color as much as you can. Computer controls the black squares. Click on the color nearby "
    "white squares for squares to become white.\r\n"
    "  Good luck. Have a fun.";
}  // namespace

VPK_GAME_WINDOW(form27);

form27::form27(const shell::GameEntry& entry)
    : shell::GameWindow(entry, (kBoardSize + 4) * rt::kTwipsPerPixel, (kBoardSize + 28) * rt::kTwipsPerPixel) {}

void form27::Form_Load() {
  addPlayMenu("ee121243");
  menu("cmbstart", "New Game").Click = [this] { cmbstart_Click(); };
  addHelpMenu("hlp", "Help");
  addHomePageMenu();

  Picture1 = &add<rt::PictureBox>("Picture1");
  Picture1->setBorderStyle(0);
  Picture1->setBackColor(rt::RGB(128, 128, 128));
  Picture1->ScaleModeValue = rt::kPixels;
  Picture1->MouseDown = [this](int button, int shift, float x, float y) { Picture1_MouseDown(button, shift, x, y); };
  board_ = Picture1;

  lblMoveCount = &add<rt::Label>("lblMoveCount");
  lblMoveCount->Move(rt::twi(120), rt::twi(5520), rt::twi(4335), rt::twi(255));

  buildHelpPanel(HelpPanelLayout{.panel = "Picture2", .label = "Label3", .button = "Command5",
                                 .left = rt::twi(360), .top = rt::twi(360), .width = rt::twi(4720),
                                 .height = rt::twi(4730), .textLeft = rt::twi(360), .textTop = rt::twi(1680),
                                 .textWidth = rt::twi(3975), .textHeight = rt::twi(2535),
                                 .buttonLeft = rt::twi(3720), .buttonTop = rt::twi(4230),
                                 .buttonWidth = rt::twi(855)},
                 kHelpText);
  helpPanel_->setBackColor(rt::RGB(192, 192, 192));
  helpPanel_->setPicture(picture("Picture13"));
  helpOk_->Move(helpOk_->Left(), helpOk_->Top(), helpOk_->Width(), rt::twi(345));  // the shared panel's is 24

  rt::Randomize();
  Palette = {rt::Color(0xDD00DD), rt::Color(0xFF0000), rt::Color(0xFFFF00),
             rt::Color(0x00FF00), rt::Color(0x00FFFF), rt::Color(0x0000FF)};

  kockica.init(this, "kockica");
  rt::Shape& first = kockica.create(0, Picture1);
  first.FillStyle = 0;
  first.BorderStyle = 0;
  first.BorderColor = rt::kBlack;
  first.Move(0, 0, kSquareSize, kSquareSize);
  for (int i = 1; i < kSquares; ++i) kockica.Load(i);
  for (int a = 0; a < kSide; ++a)
    for (int b = 0; b < kSide; ++b) {
      rt::Shape& s = kockica(kSide * a + b);
      s.Move(kPitch * a, kPitch * b, kSquareSize, kSquareSize);
      s.setVisible(true);
    }
  Picture1->Move(0, 0, kBoardSize, kBoardSize);

  // The deal's four colours, the player's white and the computer's black (colours 4 and 5 never
  // reach the board).
  exposeArray("Board", Board, {{0, kDealtColours - 1}, {kWhite, kBlack}});
  redrawState = [this] {
    for (int i = 0; i < kSquares; ++i) paintSquare(i);
    showCounts();
  };

  cmbstart_Click();
}

void form27::showHelp() {
  helpPanel_->setVisible(true);
  helpPanel_->ZOrder(0);
}

void form27::hideHelp() {
  helpPanel_->setVisible(false);
  Picture1->Refresh();
}

void form27::cmbstart_Click() {
  resetBoard();
  Picture1->setEnabled(true);
}

// A square as its state says: a colour without a border, or an owned square with its border.
void form27::paintSquare(int i) {
  rt::Shape& s = kockica(i);
  const int16_t v = Board[i];
  s.Tag = std::to_string(v);
  const bool owned = v == kWhite || v == kBlack;
  s.BorderStyle = owned ? 1 : 0;
  s.FillColor = v == kWhite ? rt::kWhite : v == kBlack ? rt::kBlack : Palette[static_cast<size_t>(v) % kColours];
  s.changed();
}

// Owned squares that still show no border are the ones that joined since the last repaint.
void form27::repaintOwned() {
  for (int i = 0; i < kSquares; ++i)
    if ((Board[i] == kWhite || Board[i] == kBlack) && kockica(i).BorderStyle == 0) paintSquare(i);
}

void form27::resetBoard() {
  const int16_t first = Deal(Board, rt::Rnd);
  for (int i = 0; i < kSquares; ++i) paintSquare(i);
  lblMoveCount->setCaption("You: 0   Comp: 0");
  SpreadWhite(first);
}

void form27::showCounts() {
  lblMoveCount->setCaption("You: " + rt::Plain(Count(Board, kWhite)) + "   Comp: " + rt::Plain(Count(Board, kBlack)));
}

void form27::SpreadWhite(int16_t c) {
  const auto tag = [this](int i) { kockica(i).Tag = std::to_string(Board[i]); };
  if (Spread(Board, c, kWhite, tag) > 0) repaintOwned();
  PickComputerColour();
  showCounts();
  if (AllOwned(Board)) Picture1->setEnabled(false);
}

void form27::PickComputerColour() {
  const auto tag = [this](int i) { kockica(i).Tag = std::to_string(Board[i]); };
  if (spredo::PickComputerColour(Board, rt::Rnd, tag) >= 0) repaintOwned();
}

void form27::Picture1_MouseDown(int /*Button*/, int /*Shift*/, float X, float Y) {
  const int column = static_cast<int>(rt::Int(X / (kockica(0).Height() + 1)));
  const int row = static_cast<int>(rt::Int(Y / (kockica(0).Width() + 1)));
  // A point beyond the squares (the panel is a pixel wider than the last column) is no square.
  if (column < 0 || column >= kSide || row < 0 || row >= kSide) return;
  const int16_t v = Board[kSide * column + row];
  if (v >= 0 && v < kColours) SpreadWhite(v);
}

}  // namespace board
