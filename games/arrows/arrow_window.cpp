#include "arrow_window.h"

#include "pack_fn.h"
#include "rt/numbers.h"
#include "rt/random.h"

namespace arrows {

ArrowWindow::ArrowWindow(const shell::GameEntry& entry, const Design& design)
    : shell::GameWindow(entry, design.width * rt::kTwipsPerPixel, design.height * rt::kTwipsPerPixel),
      design_(design) {}

void ArrowWindow::Form_Load() {
  addPlayMenu();
  addOptionMenus();
  addHelpMenu();
  addHomePageMenu();

  buildTemplate();
  loadPictures();
  buildHelpPanel(design_.help, design_.helpText);

  rt::Randomize();
  startState();
  redrawState = [this] { RedrawBoard(); };
  DealBoard();
}

rt::MenuItem& ArrowWindow::addOptions(const std::string& caption) {
  opcije = &menu("opcije", "Options");
  options_ = opcije;
  ab = &opcije->add("ab", caption);
  return *ab;
}

void ArrowWindow::buildTemplate() {
  BackColor = design_.back;
  ikona.assign(63, nullptr);
  ikona[kMark] = picture("Brenx.ikona", 51);

  boardBox = &add<rt::PictureBox>(design_.container);
  boardBox->setBackColor(rt::RGB(192, 192, 192));
  boardBox->Move(design_.containerLeft, design_.containerTop, design_.containerSize, design_.containerSize);
  board_ = boardBox;
  slika.build(*this, "slika", boardBox,
              {.cols = 10, .rows = 10, .pitchX = design_.cellPitch, .pitchY = design_.cellPitch,
               .cellWidth = design_.cellSize, .cellHeight = design_.cellSize, .left = design_.cellOffset,
               .top = design_.cellOffset, .border = design_.cellBorder, .back = rt::RGB(128, 128, 128)});
  buildArrows();

  Command2 = &addButton("Command2", "Continue", {design_.continueLeft, design_.continueTop, 89},
                        [this] { Command2_Click(); });
  continue_ = Command2;

  buildGameOverPanel();
}

void ArrowWindow::buildArrows() {
  for (Shift side : {Shift::Up, Shift::Right, Shift::Down, Shift::Left}) {
    static const char* const kNames[] = {"shlijevo", "shdesno", "shgore", "shdolje"};
    rt::ControlArray<rt::PictureBox>& a = arrowsOf(side);
    a.init(this, kNames[static_cast<int>(side)]);
    rt::PictureBox& first = a.create(0);
    first.setBackColor(rt::RGB(128, 128, 0));
    first.setVisible(false);
    for (int i = 1; i < 10; ++i) a.Load(i);
    a.bind([this, side](rt::PictureBox& c, int i) { c.Click = [this, side, i] { ArrowMove(side, i); }; });
  }
}

void ArrowWindow::buildGameOverPanel() {
  Picture5 = &add<rt::PictureBox>("Picture5");
  Picture5->setBackColor(design_.gameOverBack);
  Picture5->Move(design_.gameOverLeft, design_.gameOverTop, 169, 81);
  Picture5->setVisible(false);
  Label2 = &addText("Label2", "GAME OVER", {32, 16, 113, 25},
                    {.font = {"Comic Sans MS", 12, true, false, false}, .align = rt::kCenter}, Picture5);
  const TextStyle small{.font = {"MS Sans Serif", 9.75, true, false, false}};
  Label3 = &addText("Label3", "Moves:", {24, 40, 49, 17}, small, Picture5);
  Label4 = &addText("Label4", "", {80, 40, 65, 17}, small, Picture5);
}

rt::ControlArray<rt::PictureBox>& ArrowWindow::arrowsOf(Shift side) {
  switch (side) {
    case Shift::Up: return shgore;
    case Shift::Right: return shdesno;
    case Shift::Down: return shdolje;
    default: return shlijevo;
  }
}

void ArrowWindow::EnableBoard() {
  for (int i = 0; i < 100; ++i) slika(i).setEnabled(true);
  for (int i = 0; i < 10; ++i)
    for (auto* a : {&shlijevo, &shdesno, &shgore, &shdolje}) (*a)(i).setEnabled(true);
}

void ArrowWindow::DisableBoard() {
  for (int i = 0; i < 100; ++i) slika(i).setEnabled(false);
  for (int i = 0; i < 10; ++i)
    for (auto* a : {&shlijevo, &shdesno, &shgore, &shdolje}) (*a)(i).setEnabled(false);
}

void ArrowWindow::placeEdgeArrow(Shift side, int index, int left, int top) {
  rt::PictureBox& a = arrowsOf(side)(index);
  a.setPicture(edgeArrowPicture(side, index));
  if (IsRowShift(side))
    a.Move(left, top, 30, 27);
  else
    a.Move(left, top, 27, 30);
  a.setVisible(true);
}

void ArrowWindow::DealBoard() {
  Picture5->setVisible(false);
  DisableBoard();
  over_ = false;
  ab->setEnabled(true);
  helpPanel_->setVisible(false);
  dealPieces();
  RedrawBoard();
  const int size = boardBox->Height();
  for (int i = 0; i < 10; ++i) {
    placeEdgeArrow(Shift::Up, i, 34 * i + 47, 0);
    placeEdgeArrow(Shift::Right, i, boardBox->Width() + design_.rightArrowGap, 34 * i + design_.rightArrowTop);
    placeEdgeArrow(Shift::Down, i, 34 * i + 47, size + 37);
    placeEdgeArrow(Shift::Left, i, 0, 34 * i + 46);
    for (int j = 0; j < 10; ++j) slika(10 * i + j).setVisible(true);
  }
  Command2->setVisible(true);
  boardBox->setEnabled(true);
}

void ArrowWindow::ArrowMove(Shift dir, int index) {
  if (over_ || index < 0 || index >= dim()) return;
  DisableBoard();
  shiftBoard(dir, index);
  if (IsRowShift(dir))
    RedrawRow(dim() * index);
  else
    RedrawColumn(index);
  countMove(dir, index);
  CheckGroups();
  afterCheck(dir, index);
}

void ArrowWindow::RedrawRow(int first) {
  for (int k = 0; k < dim(); ++k) RedrawCell(first + k);
}

void ArrowWindow::RedrawColumn(int column) {
  for (int k = 0; k < dim(); ++k) RedrawCell(column + dim() * k);
}

void ArrowWindow::RedrawBoard() {
  for (int r = 0; r < dim(); ++r) RedrawRow(dim() * r);
}

void ArrowWindow::RemovalEffect(const std::vector<int>& cells) {
  for (int k : cells) slika(k).PaintPicture(ikona[kMark], 0, 0);
  shell::PlaySoundNo(1);
  shell::PauseSeconds(1);
}

void ArrowWindow::GameOver(int moves) {
  over_ = true;
  Label4->setCaption(rt::Plain(moves));
  shell::PlaySoundNo(8);
  Picture5->setVisible(true);
  Picture5->ZOrder(0);
}

void ArrowWindow::startPlay() {
  ab->setEnabled(false);
  CheckGroups();
  // A board the first check already finished stays disabled.
  if (!over_) EnableBoard();
}

void ArrowWindow::showHelp() {
  if (design_.helpHidesBoard) {
    GameWindow::showHelp();
    return;
  }
  helpPanel_->setVisible(true);
  helpPanel_->ZOrder(0);
}

void ArrowWindow::hideHelp() {
  if (design_.helpHidesBoard) {
    GameWindow::hideHelp();
    return;
  }
  helpPanel_->setVisible(false);
}

}  // namespace arrows
