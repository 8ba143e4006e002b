#include "removal_window.h"

#include "pack_fn.h"
#include "mdi_form.h"
#include "rt/color.h"
#include "rt/numbers.h"
#include "rt/random.h"

namespace removal {

namespace {
// Window design, pixels.
constexpr int kFormWidth = 535, kFormHeight = 362;
constexpr int kBoardLeft = 8, kBoardTop = 8;
constexpr int kBoardInner = (kSide - 1) * RemovalWindow::kPitch + RemovalWindow::kCellSize;  // 342
constexpr int kPanelLeft = 366, kPanelWidth = 161;
}  // namespace

RemovalWindow::RemovalWindow(const shell::GameEntry& entry, const char* hiscoreGame, int16_t emptyCode)
    : shell::GameWindow(entry, kFormWidth * rt::kTwipsPerPixel,
                        kFormHeight * rt::kTwipsPerPixel),
      scores_(hiscoreGame),
      empty_(emptyCode) {}

void RemovalWindow::Form_Load() {
  addPlayMenu();
  addOptionsMenu();
  addHelpMenu();
  addHomePageMenu();

  // The window's own copies of the pictures it draws.
  Uzorak[7] = picture("Uzorak", 7);
  Uzorak[8] = picture("Uzorak", 8);
  Uzorak[10] = picture("Uzorak", 10);
  Uzorak[11] = picture("Picture2");
  Uzorak[12] = picture("Picture3");
  Uzorak[13] = picture("Picture4");
  Uzorak[14] = picture("animals", 5);
  loadKindPictures();
  MouseIcon = ownPicture("pointer");

  layOut();
  buildHelpPanel(HelpPanelLayout{.left = kBoardLeft - 2, .top = kBoardTop - 2}, helpText());
  board_ = Podloga;
  beepWhenBusy_ = true;

  exposeArray("Board", Board, [this] { return boardValues(); });
  exposeArray("fallRow", fallRow, {{0, kSide - 1}});
  exposeArray("fallFlag", fallFlag, {{kFlagged, 0}});
  exposeScalar("Score", score, {{0, rt::kMostCount}});
  exposeGameState();
  redrawState = [this] { redrawAll(); };

  rt::Randomize();
  Label8->setCaption("0");
  setMousePointer(rt::kCustomPointer);
  StartGame();
}

void RemovalWindow::layOut() {
  Podloga = &add<rt::PictureBox>("Podloga");
  Podloga->Move(kBoardLeft, kBoardTop, kBoardInner + 4, kBoardInner + 4);
  Podloga->setBackColor(rt::RGB(128, 128, 128));
  Picture1 = &add<rt::PictureBox>("Picture1", Podloga);
  Picture1->setBorderStyle(0);
  Picture1->Move(0, 0, kBoardInner, kBoardInner);
  Picture1->setBackColor(rt::RGB(128, 128, 128));

  Element.build(*this, "Element", Picture1,
                {.pitchX = kPitch, .pitchY = kPitch, .cellWidth = kCellSize, .cellHeight = kCellSize},
                [this](rt::PictureBox& cell, int i) { bindCell(cell, i); });

  auto button = [this](const char* name, const char* tip, const char* pic, int left, void (RemovalWindow::*fn)()) {
    rt::PictureBox& b = add<rt::PictureBox>(name);
    b.setBorderStyle(0);
    b.Move(left, kBoardTop + 144, 40, 32);
    b.setPicture(picture(pic));
    b.ToolTipText = tip;
    b.Click = [this, fn] { (this->*fn)(); };
    return &b;
  };
  Picture6 = button("Picture6", "Flip vertical", "Tumo.Picture6", kPanelLeft + 4, &RemovalWindow::Picture6_Click);
  Picture7 = button("Picture7", "Rotate left", "Picture7", kPanelLeft + 60, &RemovalWindow::Picture7_Click);
  Picture8 = button("Picture8", "Rotate right", "Picture8", kPanelLeft + 117, &RemovalWindow::Picture8_Click);
  // The transforms must not run while a move changes the board.
  sideControls_ = {Picture6, Picture7, Picture8};

  lova = &add<rt::PictureBox>("lova");
  lova->setBorderStyle(0);
  lova->Move(kPanelLeft, kBoardTop, kPanelWidth, 88);
  lova->setPicture(picture("lova"));
  const TextStyle style{{"Tahoma", 11, true, false, false}, rt::RGB(0, 0, 128)};
  auto label = [&](const char* name, const char* caption, int left, int top, int width) {
    return &addText(name, caption, {left, top, width}, style, lova);
  };
  Label2 = label("Label2", "Score:", 10, 16, 76);
  Label4 = label("Label4", "0", 88, 16, 68);
  Label7 = label("Label7", "Hiscore:", 10, 50, 76);
  Label8 = label("Label8", "0", 88, 50, 68);

  Command1 = &addButton("Command1", "Save score", {kPanelLeft + (kPanelWidth - 100) / 2, kBoardTop + 100, 100},
                        [this] { Command1_Click(); });
  scores_.attach(*Label4, *Label8);
}

void RemovalWindow::StartGame() {
  score = 0;
  Label4->setCaption("0");
  LoadHiscore();
  Podloga->setEnabled(false);
  Board.fill(empty_);
  RefillBoard();  // enables Podloga when it ends
}

void RemovalWindow::DrawCell(int cell) {
  if (keepsPicture(Board[cell])) return;
  Element.show(cell, pictureOf(Board[cell]));
}

void RemovalWindow::redrawAll() {
  for (int i = 0; i < kCells; ++i) DrawCell(i);
  showScore();
}

void RemovalWindow::showScore() { scores_.showScore(score); }

void RemovalWindow::FallStep() {
  grid::FallStep(Board, cellFlag, fallRow, fallFlag, kSide, empty_, [this](int cell) { DrawCell(cell); });
}

void RemovalWindow::FallAndRefill() {
  fallRow.fill(kSide - 1);
  while (grid::FindFallingColumns(fallRow, fallFlag, kSide, kSide, [this](int cell) { return takeGap(cell); }))
    shell::TimedStep(50, [this] { FallStep(); });
  RefillBoard();
}

void RemovalWindow::SettleAfterTransform() {
  for (int i = 0; i < kCells; ++i) DrawCell(i);
  afterTransformRedraw();
  FallAndRefill();
}

void RemovalWindow::transform(void (*permute)(Cells&)) {
  if (!boardTakesInput()) return;  // not under the help panel, not in the middle of a move
  BusyScope busy(*this);
  beforeTransform();
  cellFlag.fill(0);
  permute(Board);
  SettleAfterTransform();
}

void RemovalWindow::Picture6_Click() { transform([](Cells& b) { grid::FlipVertical(b, kSide); }); }
void RemovalWindow::Picture7_Click() { transform([](Cells& b) { grid::RotateLeft(b, kSide); }); }
void RemovalWindow::Picture8_Click() { transform([](Cells& b) { grid::RotateRight(b, kSide); }); }

void RemovalWindow::LoadHiscore() { scores_.load(hiscoreIndex()); }

void RemovalWindow::SaveScore() { scores_.save(hiscoreIndex()); }

}  // namespace removal
