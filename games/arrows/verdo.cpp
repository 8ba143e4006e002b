#include "verdo.h"

#include <cmath>

#include "glimbo.h"
#include "pack_fn.h"
#include "rt/numbers.h"
#include "rt/random.h"

namespace arrows {

using namespace verdo;

VPK_GAME_WINDOW(Form25);

namespace {
// The client area is the background picture's size.
constexpr int kWindowSide = 390;
constexpr int kPitch = 32;

ArrowWindow::Design VerdoDesign() {
  ArrowWindow::Design d;
  d.width = d.height = kWindowSide;
  d.container = "Picture1";
  d.containerLeft = 24;
  d.containerTop = 16;
  d.containerSize = 326;
  d.cellSize = kPitch;
  d.cellPitch = kPitch;
  d.cellOffset = 1;
  d.cellBorder = 0;
  d.gameOverLeft = 111;
  d.gameOverTop = 144;
  d.gameOverBack = rt::RGB(255, 224, 192);
  d.continueLeft = 152;
  d.continueTop = 181;
  d.help.left = d.help.top = 32;
  d.help.width = d.help.height = 326;
  d.help.textTop = 120;
  d.help.textWidth = 293;
  d.help.buttonLeft = 259;
  d.help.buttonTop = 293;
  d.helpText =
      "  Welcome to Verdo, freeware programmed by Morvel Vukran in 2008. Your goal is to replace all the blue "
      "squares with green squares, in images marked with red cross.\r"
      "External arrow shifts the row or column in direction it points. You can use the arrows infinitely.\r"
      "  Good luck. Have a fun.";
  d.helpHidesBoard = true;
  return d;
}

constexpr int kBlue = 0, kGreen = 1;
}  // namespace

Form25::Form25(const shell::GameEntry& entry) : ArrowWindow(entry, VerdoDesign()) {}

void Form25::addOptionMenus() {
  opcije = &menu("opcije", "Options");
  options_ = opcije;
  edadad = &opcije->add("edadad", "Dimensions to solve");
  for (int i = 0; i <= kMaxSize - kMinSize; ++i) {
    const std::string n = std::to_string(i + kMinSize);
    rt::MenuItem& item = edadad->add("spic", n + "x" + n, i);
    item.ClickIndexed = [this](int Index) { spic_Click(Index); };
  }
  edadad->find("spic", kDefaultSize - kMinSize)->setChecked(true);
  ab = &opcije->add("ab", "Skill");
  static const char* const kSkills[] = {"Easy", "Medium", "Hard"};
  for (int i = 0; i < 3; ++i) {
    rt::MenuItem& item = ab->add("sp", kSkills[i], i);
    item.ClickIndexed = [this](int Index) { sp_Click(Index); };
  }
  ab->find("sp", kMedium)->setChecked(true);
}

void Form25::buildTemplate() {
  Picture = picture("Faunix.Picture");
  boardSize = kDefaultSize;
  ArrowWindow::buildTemplate();
  boardBox->setBackColor(rt::RGB(128, 128, 128));
  boardBox->Move(33, 33, boardBox->Width(), boardBox->Height());
}

void Form25::loadPictures() {
  ikona[kBlue] = ownPicture("blue");
  ikona[kGreen] = ownPicture("green");
  for (int k = 55; k <= 58; ++k) ikona[k] = Form8::ArrowPictures(k);
}

void Form25::startState() {
  // A cell of the board holds a square or none and a cross or none; the entries past the board
  // of the dealt size hold neither.
  const auto onBoard = [this](size_t i) { return i < static_cast<size_t>(boardSize * boardSize); };
  exposeArray("cellSquare", cellSquare, [onBoard](size_t i) {
    return onBoard(i) ? rt::Spans{{kNoSquare, kNoSquare}, {kSquare, kSquare}} : rt::Spans{{kNoSquare, kNoSquare}};
  });
  exposeArray("cellCross", cellCross,
              [onBoard](size_t i) { return onBoard(i) ? rt::Spans{{kNoCross, kCross}} : rt::Spans{{kNoCross, kNoCross}}; });
  // The deal lays the board out for its size and puts as many squares as crosses: both change
  // only with a new deal, from the menus.
  exposeReadOnly("boardSize", boardSize);
  exposeReadOnly("targetCount", targetCount);
  exposeScalar("moveCount", moveCount, {{0, rt::kMostCount}});
}

void Form25::sp_Click(int Index) {
  for (int i = 0; i < 3; ++i) ab->find("sp", i)->setChecked(i == Index);
  DealBoard();
}

void Form25::spic_Click(int Index) {
  if (Index < 0 || Index > kMaxSize - kMinSize) return;
  for (int i = 0; i <= kMaxSize - kMinSize; ++i) edadad->find("spic", i)->setChecked(i == Index);
  boardSize = static_cast<int16_t>(Index + kMinSize);
  DealBoard();
}

void Form25::DealBoard() {
  const int n = boardSize;
  Picture5->setVisible(false);
  DisableBoard();
  over_ = false;
  int skill = kMedium;
  for (int i = 0; i < 3; ++i)
    if (ab->find("sp", i)->Checked()) {
      skill = i;
      break;
    }
  targetCount = static_cast<int16_t>(TargetCount(n, skill));
  ab->setEnabled(true);
  boardBox->setVisible(true);
  helpPanel_->setVisible(false);
  for (int i = 0; i < kMaxCells; ++i) slika(i).setVisible(false);
  const Deal deal = verdo::DealBoard(n, targetCount, [](int k) { return rt::RandomInt(k); });
  cellSquare = deal.square;
  cellCross = deal.cross;
  moveCount = 0;
  for (int i = 0; i < 10; ++i)
    for (Shift side : {Shift::Left, Shift::Right, Shift::Up, Shift::Down}) arrowsOf(side)(i).setVisible(false);

  const int side = kPitch * n + 5;
  const int left = static_cast<int>(std::floor((Width() / rt::kTwipsPerPixel - kPitch * n - 6) / 2.0));
  const int top = static_cast<int>(std::floor((Height() / rt::kTwipsPerPixel - kPitch * n - 6) / 2.0));
  boardBox->Move(left, top, side, side);
  for (int i = 0; i < n; ++i) {
    placeEdgeArrow(Shift::Up, i, left + 5 + kPitch * i, top - 33);
    placeEdgeArrow(Shift::Right, i, left + side + 3, top + 4 + kPitch * i);
    placeEdgeArrow(Shift::Down, i, left + 5 + kPitch * i, top + side + 3);
    placeEdgeArrow(Shift::Left, i, left - 33, top + 4 + kPitch * i);
    for (int j = 0; j < n; ++j) {
      rt::PictureBox& cell = slika(n * i + j);
      cell.Move(kPitch * j + 1, kPitch * i + 1, kPitch, kPitch);
      cell.setVisible(true);
    }
  }
  RedrawBoard();
  Command2->setVisible(true);
  boardBox->setEnabled(true);
}

rt::PicHandle Form25::edgeArrowPicture(Shift side, int) const {
  static constexpr int kBlack[] = {58, 56, 55, 57};  // left, right, up, down
  return ikona[kBlack[static_cast<int>(side)]];
}

void Form25::shiftBoard(Shift dir, int line) { arrows::ShiftLine(cellSquare, boardSize, dir, line); }

void Form25::RedrawCell(int cell) {
  if (cell < 0 || cell >= boardSize * boardSize) return;
  rt::PictureBox& c = slika(cell);
  switch (CellLook(cellSquare[cell], cellCross[cell])) {
    case Look::BlueSquare: slika.show(cell, ikona[kBlue]); break;
    case Look::GreenSquare: slika.show(cell, ikona[kGreen]); break;
    case Look::Cross:
      c.setBackColor(rt::RGB(255, 255, 255));
      slika.show(cell, ikona[kMark]);
      break;
    case Look::Empty:
      c.setPicture(nullptr);
      c.setBackColor(rt::RGB(192, 192, 192));
      break;
  }
}

void Form25::CheckSolved() {
  DisableBoard();
  if (CoveredCrosses(cellSquare, cellCross, boardSize) < targetCount) {
    EnableBoard();
    return;
  }
  GameOver(moveCount);
}

}  // namespace arrows
