#include "solitaire_window.h"

#include "pack_fn.h"
#include "rt/numbers.h"
#include "rt/random.h"

namespace board {

namespace {
const char* const kSizeCaptions[] = {"4x4", "5x5", "6x6", "7x7", "8x8", "9x9", "10x10"};
}  // namespace

SolitaireDesign DragGameDesign(const char* name, int16_t defaultSize, double labelTopPt, int dealCount) {
  SolitaireDesign d;
  d.widthTwips = 5850;
  d.heightTwips = 5835;
  d.defaultSize = defaultSize;
  d.name = name;
  d.captionBlanks = 10;
  d.dealCount = dealCount;
  d.dragInput = true;
  d.pauseAfterWin = true;
  d.helpLeft = d.helpTop = 32;
  d.helpSize = 324;
  d.okLeftPt = 191;
  d.okTopPt = 217;
  d.labelTopPt = labelTopPt;
  d.labelHeightPt = 165;
  d.continueTop = 176;
  return d;
}

SolitaireWindow::SolitaireWindow(const shell::GameEntry& entry, const SolitaireDesign& design)
    : shell::GameWindow(entry, design.widthTwips, design.heightTwips), design_(design) {}

void SolitaireWindow::Form_Load() {
  addPlayMenu();
  opcije = &menu("opcije", "Options");
  nu = &opcije->add("nu", "Dimensions to solve");
  for (int i = 0; i <= kMaxSize - kMinSize; ++i) {
    rt::MenuItem& item = nu->add("sp", kSizeCaptions[i], i);
    item.setChecked(i + kMinSize == design_.defaultSize);
    item.ClickIndexed = [this](int Index) { sp_Click(Index); };
  }
  addGameMenus();
  addHelpMenu();
  addHomePageMenu();

  Picture = picture("Faunix.Picture");
  layOut();
  loadPictures();
  rt::Randomize();
  BoardSize = design_.defaultSize;
  GameName = design_.name;
  buildHelpPanel(HelpPanelLayout{.panel = "Picture2",
                                 .label = "Label1",
                                 .button = "Command1",
                                 .left = design_.helpLeft,
                                 .top = design_.helpTop,
                                 .width = design_.helpSize,
                                 .height = design_.helpSize,
                                 .textLeft = static_cast<int>(rt::pt(10)),
                                 .textTop = static_cast<int>(rt::pt(design_.labelTopPt)),
                                 .textWidth = static_cast<int>(rt::pt(220)),
                                 .textHeight = static_cast<int>(rt::pt(design_.labelHeightPt)),
                                 .buttonLeft = static_cast<int>(rt::pt(design_.okLeftPt)),
                                 .buttonTop = static_cast<int>(rt::pt(design_.okTopPt)),
                                 .buttonWidth = 56,
                                 .font = rt::Font{"Tahoma", 8.25, false, false, false}},
                 helpText());
  board_ = Picture1;
  continue_ = Command2;
  options_ = opcije;

  exposeArray("Board", Board, [this](size_t i) {
    return i < static_cast<size_t>(cells()) ? boardValues() : rt::Spans{{offBoard(), offBoard()}};
  });
  // The cells are laid out for the size the deal had: a new size is dealt from the menu.
  exposeReadOnly("BoardSize", BoardSize);
  exposeScalar("MoveCount", MoveCount, {{0, design_.mostMoves}});
  if (design_.dragInput)
    exposeScalar("SourceCell", SourceCell, [this] { return rt::Spans{{0, cells() - 1}, {kNoCell, kNoCell}}; });
  exposeGameState();
  redrawState = [this] { redrawAll(); };

  NewBoard();
}

void SolitaireWindow::layOut() {
  Picture1 = &add<rt::PictureBox>("Picture1");
  Picture1->Appearance = 0;  // a flat one-pixel border: the cells' outer borders lie under it
  Picture1->setBorderStyle(1);
  Picture1->setBackColor(rt::RGB(128, 128, 128));
  Picture1->setEnabled(false);
  Picture1->DragDrop = [this](rt::Control*, float, float) { forgetSource(); };
  Form_DragDrop = [this](rt::Control*, float, float) { forgetSource(); };

  slika.build(*this, "slika", Picture1,
              {.cols = kMaxSize, .rows = kMaxSize, .pitchX = kPitch, .pitchY = kPitch, .cellWidth = kCellSize,
               .cellHeight = kCellSize, .left = -1, .top = -1, .border = 1, .visible = false},
              [this](rt::PictureBox& c, int i) {
                if (design_.dragInput) {
                  c.DragOver = [this, i](rt::Control* src, float x, float y, int state) {
                    slika_DragOver(i, src, x, y, state);
                  };
                  c.DragDrop = [this, i](rt::Control* src, float x, float y) { slika_DragDrop(i, src, x, y); };
                } else {
                  c.MouseDown = [this, i](int button, int shift, float x, float y) {
                    slika_MouseDown(i, button, shift, x, y);
                  };
                }
              });

  Command2 = &addButton("Command2", "Continue", {design_.continueLeft, design_.continueTop, 89, 25},
                        [this] { Command2_Click(); });
}

void SolitaireWindow::placeBoard() {
  const int n = BoardSize;
  const double w = Width() / 15.0, h = Height() / 15.0;
  Picture1->Move(rt::CInt((w - kPitch * n - 4) / 2), rt::CInt((h - kPitch * n - 4) / 2), kPitch * n + 3,
                 kPitch * n + 3);
}

void SolitaireWindow::placeByWidth() {
  const int n = BoardSize;
  const int at = rt::CInt((Width() / 15.0 - kPitch * n) / 2 - 3);
  Picture1->Move(at, at, kPitch * n + 3, kPitch * n + 3);
}

void SolitaireWindow::NewBoard() {
  if (design_.dragInput) {
    Picture1->setEnabled(false);
    nu->setEnabled(true);
  }
  shell::SetGameCaption(GameName);
  for (auto& [i, cell] : slika.array().items()) cell->setVisible(false);
  Picture1->setVisible(true);
  helpPanel_->setVisible(false);
  if (design_.dealCount) MoveCount = *design_.dealCount;
  won_ = false;

  dealGame();

  placeBoard();
  const int n = BoardSize;
  slika.arrange(n, n);
  for (int i = 0; i < n * n; ++i) slika(i).setBackColor(cellBack(i / n, i % n));
  drawDealtCells();

  afterDeal();
  if (design_.dragInput) {
    SourceCell = kNoCell;
    Command2->setVisible(true);
    if (design_.dealCount == -1) CountMove();
    Picture1->setEnabled(false);
  }
}

std::string SolitaireWindow::movesCaption() const {
  return GameName + std::string(static_cast<size_t>(design_.captionBlanks), ' ') + "Moves:" + rt::Plain(MoveCount);
}

void SolitaireWindow::CountMove() {
  ++MoveCount;
  shell::SetGameCaption(movesCaption());
  if (!goalReached()) return;
  won_ = true;
  shell::PlaySoundNo(8);
  if (design_.pauseAfterWin) shell::PauseSeconds(2);
  afterWin();
}

void SolitaireWindow::startPlay() {
  nu->setEnabled(false);
  if (!design_.dealCount) {
    MoveCount = 0;
    shell::SetGameCaption(movesCaption());
  }
  // A deal that is already solved keeps its board closed.
  if (!won_) Picture1->setEnabled(true);
}

void SolitaireWindow::sp_Click(int Index) {
  for (const auto& item : nu->items()) item->setChecked(item->Index() == Index);
  BoardSize = static_cast<int16_t>(Index + kMinSize);
  NewBoard();
}

void SolitaireWindow::slika_DragOver(int Index, rt::Control* Source, float, float, int State) {
  if (State != rt::kDragEnter) return;
  // Every drag starts over the pressed cell: whatever an earlier drag left is forgotten.
  if (Source == &slika(Index)) SourceCell = kNoCell;
  if (SourceCell == kNoCell && canPickUp(Index)) SourceCell = static_cast<int16_t>(Index);
}

void SolitaireWindow::slika_DragDrop(int Index, rt::Control*, float, float) {
  if (SourceCell == kNoCell) return;
  const int source = SourceCell;
  SourceCell = kNoCell;
  if (Index == source || !boardTakesInput()) return;
  dropMove(source, Index);
}

void SolitaireWindow::setCellDragMode(int cell, bool draggable) { slika(cell).setDragMode(draggable ? 1 : 0); }

int16_t SolitaireWindow::randomInt(int k) const { return static_cast<int16_t>(RandomInt(rnd(), k)); }

Random SolitaireWindow::rnd() const { return rt::Rnd; }

}  // namespace board
