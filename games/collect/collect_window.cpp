#include "collect_window.h"

#include "pack_fn.h"
#include "picture_library.h"
#include "rt/color.h"
#include "rt/host.h"
#include "rt/numbers.h"
#include "rt/random.h"

namespace collect {

namespace {
// Window design, pixels.
constexpr int kWidth = 527;
constexpr int kBoardLeft = 8, kBoardTop = 8;
constexpr int kPitch = 34, kCellSize = 36;
constexpr int kBoardSide = (kSide - 1) * kPitch + kCellSize - 2;  // 340: the cells start at -1
constexpr int kPanelWidth = 161;
constexpr rt::Color kGrey = rt::RGB(128, 128, 128);
constexpr rt::Color kWindowColour = rt::RGB(200, 212, 230);
constexpr rt::Color kLabelColour = rt::RGB(0, 0, 128);
constexpr rt::Color kPriceColour = rt::RGB(255, 246, 200);
}  // namespace

CollectWindow::CollectWindow(const shell::GameEntry& entry, const Design& design)
    : shell::GameWindow(entry, kWidth * rt::kTwipsPerPixel, design.heightPx * rt::kTwipsPerPixel),
      design_(design),
      scores_(design.hiscoreGame) {}

shell::GameWindow::HelpPanelLayout CollectWindow::helpLayout() const {
  return HelpPanelLayout{.panel = "Picture2",
                         .label = "Label1",
                         .button = "Command1",
                         .left = kBoardLeft - 1,
                         .top = kBoardTop - 1,
                         .width = 342,
                         .height = 342,
                         .textLeft = 16,
                         .textTop = 16,
                         .textWidth = 310,
                         .textHeight = 276,
                         .buttonLeft = 130,
                         .buttonTop = 302,
                         .buttonWidth = 81};
}

void CollectWindow::loadPictures() {
  auto& library = shell::PictureLibrary::instance();
  for (int k = 1; k <= 50; ++k) ikona[k] = library.kindPicture(k, 1);
  ikona[51] = library.get("Brenx.ikona", 51);
}

void CollectWindow::Form_Load() {
  BackColor = kWindowColour;
  addPlayMenu();
  opcije = &menu("opcije", "Options");
  Skill = &opcije->add("Skill", "Skill");
  for (int i = 0; i < 3; ++i) {
    Skillg[i] = &Skill->add("Skillg", design_.skills[i], i);
    Skillg[i]->ClickIndexed = [this](int Index) { Skillg_Click(Index); };
  }
  nu = &opcije->add("nu", "Images to collect");
  for (int i = 0; i < kSizeCount; ++i) {
    sp[i] = &nu->add("sp", std::to_string(design_.sizes[i]), i);
    sp[i]->ClickIndexed = [this](int Index) { sp_Click(Index); };
  }
  options_ = opcije;
  addHelpMenu();
  addHomePageMenu();

  // The window's copies of its pictures.
  for (int i = 7; i <= 10; ++i) Uzorak[i] = picture("Uzorak", i);
  loadPictures();
  MouseIcon = ownPicture("pointer");

  layOut();
  layOutExtras();
  buildHelpPanel(helpLayout(), helpText());
  board_ = Picture1;

  exposeArray("Board", Board, [this] { return rt::Spans{{kEmpty, kindCount()}}; });
  exposeReadOnlyArray("removeMark", removeMark);  // marks a collected group until the next redraw
  exposeArray("helperMark", helperMark, {{0, 1}});
  // Kept per group size, indexed by the size: the entries of no size the game offers stay 0. A
  // purchase never spends more than there is.
  const auto perSize = [this](size_t n) {
    const bool offered = std::find(design_.sizes.begin(), design_.sizes.end(), static_cast<int>(n)) != design_.sizes.end();
    return offered ? rt::Spans{{0, rt::kMostCount}} : rt::Spans{{0, 0}};
  };
  exposeArray("cash", cash, perSize);
  exposeArray("score", score, perSize);
  exposeArray("helperPrice", helperPrice, {{0, rt::kMostCount}});
  // The images of the last step, a cell and a kind of the group size each (0 and empty where no
  // step has dropped one yet); a step drops no more than the skill's count, so the entries past
  // it stay 0.
  const auto ofStep = [this](size_t i) { return static_cast<int>(i) < newPerStep; };
  exposeArray("newCell", newCell, [ofStep](size_t i) { return ofStep(i) ? rt::Spans{{0, kCells - 1}} : rt::Spans{{0, 0}}; });
  exposeArray("newKind", newKind,
              [this, ofStep](size_t i) { return ofStep(i) ? rt::Spans{{kEmpty, kindCount()}} : rt::Spans{{0, 0}}; });
  exposeScalar("genCount", genCount, [this] { return rt::Spans{{0, newPerStep}}; });
  exposeScalar("helperMode", helperMode, {{kNoHelper, kHeart}});
  exposeScalar("newPerStep", newPerStep, {{design_.perStepBase, design_.perStepBase + 2}});
  exposeScalar("groupSize", groupSize, rt::spansOf(design_.sizes));
  exposeExtras();
  redrawState = [this] { redrawAll(); };

  skill_ = 1;
  Skillg[skill_]->setChecked(true);
  newPerStep = static_cast<int16_t>(skill_ + design_.perStepBase);
  sizeIndex_ = design_.defaultSize;
  sp[sizeIndex_]->setChecked(true);
  groupSize = design_.sizes[sizeIndex_];
  rt::Randomize();
  setMousePointer(rt::kCustomPointer);
  ResetGame();
}

void CollectWindow::layOut() {
  Picture1 = &add<rt::PictureBox>("Picture1");
  Picture1->setBorderStyle(0);
  Picture1->Move(kBoardLeft, kBoardTop, kBoardSide, kBoardSide);
  Picture1->setBackColor(kGrey);
  grid_.build(*this, "slika", Picture1,
              {.cols = kSide, .rows = kSide, .pitchX = kPitch, .pitchY = kPitch, .cellWidth = kCellSize,
               .cellHeight = kCellSize, .left = -1, .top = -1, .border = 1, .back = kGrey},
              [this](rt::PictureBox& c, int i) { bindCell(c, i); });

  rightColumn_ = kBoardLeft + kBoardSide + 10;
  const int x = rightColumn_;
  int y = design_.panelTop;

  // The cash panel.
  lova = &add<rt::PictureBox>("lova");
  lova->setBorderStyle(0);
  lova->Move(x, y, kPanelWidth, 88);
  lova->setPicture(picture("lova"));
  const TextStyle style{{"Tahoma", 10, true, false, false}, kLabelColour};
  auto label = [&](const char* name, const char* caption, int left, int top, int width) {
    return &addText(name, caption, {left, top, width, 22}, style, lova);
  };
  Label2 = label("Label2", "Cash:", 8, 9, 78);
  Label4 = label("Label4", "", 86, 9, 72);
  Label5 = label("Label5", " Score:", 4, 35, 82);
  Label3 = label("Label3", "", 86, 35, 72);
  Label6 = label("Label6", " Hiscore:", 4, 61, 82);
  Label7 = label("Label7", "", 86, 61, 72);
  scores_.attach(*Label3, *Label7);
  y += 94;

  // The shop: the helpful objects lying on the brick panel, their prices below them.
  kosta = &add<rt::PictureBox>("kosta");
  kosta->setBorderStyle(0);
  kosta->Move(x + (kPanelWidth - 130) / 2, y, 130, 130);
  kosta->setPicture(picture("kosta"));
  struct Item {
    const char* name;
    const char* tip;
    const char* libraryPicture;
    rt::PictureBox** control;
    void (CollectWindow::*click)();
  };
  const Item items[4] = {
      {"Picture11", "Bomb", "Picture2", &Picture11, &CollectWindow::Picture11_Click},
      {"Picture9", "Horizontal ladder", "Picture3", &Picture9, &CollectWindow::Picture9_Click},
      {"Picture4", "Vertical ladder", "Picture4", &Picture4, &CollectWindow::Picture4_Click},
      {"Picture5", "Heart", "Picture5", &Picture5, &CollectWindow::Picture5_Click},
  };
  const int itemX[2] = {17, 81}, itemY[2] = {8, 70};
  for (int i = 0; i < 4; ++i) {
    rt::PictureBox& p = add<rt::PictureBox>(items[i].name, kosta);
    p.setBorderStyle(0);
    p.Move(itemX[i % 2], itemY[i / 2], 32, 32);
    p.setPicture(picture(items[i].libraryPicture));
    p.ToolTipText = items[i].tip;
    p.Click = [this, fn = items[i].click] { (this->*fn)(); };
    *items[i].control = &p;
    sideControls_.push_back(&p);
    pomoc[i + 1] = &addText("pomoc" + std::to_string(i + 1), "", {itemX[i % 2] - 14, itemY[i / 2] + 35, 60, 18},
                            {{"Tahoma", 9, true, false, false}, kPriceColour, rt::kCenter}, kosta);
  }

  // The two buttons at the foot of the right column.
  Command2 = &addButton("Command2", "Continue", {x + (kPanelWidth - 110) / 2, design_.heightPx - 62, 110},
                        [this] { Command2_Click(); });
  Command3 = &addButton("Command3", "Save score", {x + (kPanelWidth - 110) / 2, design_.heightPx - 32, 110},
                        [this] { Command3_Click(); });
  continue_ = Command2;
  sideControls_.push_back(Command3);
}

int CollectWindow::kindCount() const { return design_.fixedKinds ? design_.fixedKinds : kCells / groupSize; }

// ------------------------------------------------------------------------------ options and start

void CollectWindow::Skillg_Click(int Index) {
  for (rt::MenuItem* m : Skillg) m->setChecked(false);
  Skillg[Index]->setChecked(true);
  skill_ = Index;
  newPerStep = static_cast<int16_t>(Index + design_.perStepBase);
  ResetGame();
}

void CollectWindow::sp_Click(int Index) {
  for (rt::MenuItem* m : sp) m->setChecked(false);
  sp[Index]->setChecked(true);
  sizeIndex_ = Index;
  groupSize = design_.sizes[Index];
  ResetGame();
}

void CollectWindow::ResetGame() {
  resetExtras();
  for (int16_t n : design_.sizes) cash[n] = score[n] = 0;
  Label4->setCaption(rt::Money(cash[groupSize]));
  Label3->setCaption(rt::Plain(score[groupSize]));
  Picture1->setEnabled(false);
  for (rt::PictureBox* p : {Picture11, Picture9, Picture4, Picture5}) p->setEnabled(false);
  helperPrice = kNewGamePrices;
  for (int i = 1; i <= 4; ++i) pomoc[i]->setCaption(rt::BlankMoney(helperPrice[i - 1]));
  gained = 0;
  helperMode = kNoHelper;  // a helper bought in an earlier game is gone
  nu->setEnabled(true);
  Skill->setEnabled(true);
  Picture1->setVisible(true);
  helpPanel_->setVisible(false);
  Board.fill(kEmpty);
  tidyCells();
  Command2->setVisible(true);
  LoadHiscore();
}

void CollectWindow::startPlay() {
  BusyScope busy(*this);
  nu->setEnabled(false);
  Skill->setEnabled(false);
  startExtras();
  GenerateImages();
}

// ------------------------------------------------------------------------------------- a step

void CollectWindow::GenerateImages() {
  BusyScope busy(*this);
  tidyCells();
  const std::vector<NewImage> placed = PlaceNewImages(Board, newPerStep, kindCount(), rt::Rnd);
  genCount = static_cast<int16_t>(placed.size());
  for (size_t k = 0; k < placed.size(); ++k) {
    newCell[k] = static_cast<int16_t>(placed[k].cell);
    newKind[k] = placed[k].kind;
    if (design_.dragVariant) slika(placed[k].cell).setDragMode(1);
  }
  blinkFrame = 0;
  animating = true;
  while (animating) shell::TimedStep(150, [this] { BlinkStep(); });
  CheckGroups();
  tidyCells();
}

void CollectWindow::BlinkStep() {
  for (int k = 0; k < genCount; ++k) {
    rt::PictureBox& cell = slika(newCell[k]);
    const rt::PicHandle pic = pictureOf(newKind[k]);
    if (blinkFrame % 2 == 0) {
      cell.setPicture(pic);  // also wipes the mirrored drawing
    } else {
      // Upside down: drawn from the cell's foot upwards.
      cell.PaintPicture(pic, 0, 31, design_.mirrorWidth, -design_.mirrorHeight, 0, 0, 32, 32);
      cell.Refresh();
    }
  }
  if (++blinkFrame == 7) animating = false;
}

void CollectWindow::CheckGroups() {
  removeMark.fill(false);
  for (const std::vector<int>& group : FindGroups(Board, groupSize, [this](int16_t k) { return typeOf(k); })) {
    gained = 0;
    for (int c : group) {
      removeMark[c] = true;
      slika(c).setPicture(Uzorak[8]);
      ++gained;
    }
    cash[groupSize] += gained;
    score[groupSize] += gained;
    Label3->setCaption(rt::Plain(score[groupSize]));
    Label4->setCaption(rt::Money(cash[groupSize]));
    shell::PlaySoundNo(1);
    shell::PauseSeconds(1);
    if (design_.dragVariant)
      for (int c : group) slika(c).setPicture(ikona[0]);
  }
  RedrawBoard();
}

void CollectWindow::RedrawRow(int first) {
  for (int c = first; c < first + kSide; ++c) {
    if (removeMark[c]) Board[c] = kEmpty;
    if (Board[c] == kEmpty) refreshEmptyCell(c);
  }
}

void CollectWindow::RedrawBoard() {
  for (int row = 0; row < kSide; ++row) RedrawRow(row * kSide);
}

// ------------------------------------------------------------------------------ helpful objects

void CollectWindow::BuyHelper(int mode) {
  if (busy()) return;
  BusyScope scope(*this);
  if (!CanBuy(helperPrice, mode, cash[groupSize])) return;
  helperMode = static_cast<int16_t>(mode);
  cash[groupSize] -= helperPrice[mode - 1];
  Label4->setCaption(rt::BlankMoney(cash[groupSize]));
  helperPrice[mode - 1] = NextPrice(mode, helperPrice[mode - 1], newPerStep);
  pomoc[mode]->setCaption(rt::BlankMoney(helperPrice[mode - 1]));
  shell::PlaySoundNo(7);
}

void CollectWindow::UseHelper(int cell) {
  BusyScope busy(*this);
  helperMark = HelperMarks(Board, helperMode, cell);
  const int effect = helperMode == kBomb ? 7 : helperMode == kHeart ? 9 : 10;
  for (int c = 0; c < kCells; ++c)
    if (helperMark[c] && Board[c] != kEmpty) slika(c).setPicture(Uzorak[effect]);
  shell::PlaySoundNo(helperMode == kBomb ? 2 : helperMode == kHeart ? 5 : 3);
  ClearHelperCells();
  helperMode = kNoHelper;
  dragSource = kNoSource;
  GenerateImages();
}

void CollectWindow::ClearHelperCells() {
  for (int c = 0; c < kCells; ++c)
    if (helperMark[c]) Board[c] = kEmpty;
  RedrawBoard();
}

// ------------------------------------------------------------------------------ best scores

void CollectWindow::LoadHiscore() { scores_.load(HiscoreLine(skill_, sizeIndex_)); }

void CollectWindow::SaveScore() { scores_.save(HiscoreLine(skill_, sizeIndex_)); }

void CollectWindow::showCashAndScore() {
  Label4->setCaption(rt::Money(cash[groupSize]));
  Label3->setCaption(rt::Plain(score[groupSize]));
}

void CollectWindow::redrawAll() {
  tidyCells();
  showCashAndScore();
}

bool CollectWindow::dropReachesMove(int cell, const rt::Control* source) {
  forgetStaleSource(source);
  if (dragSource == kNoSource) return false;
  if (!boardTakesInput()) {
    dragSource = kNoSource;
    return false;
  }
  if (helperMode != kNoHelper) {
    BusyScope busy(*this);
    dragSource = kNoSource;
    UseHelper(cell);
    return false;
  }
  return true;
}

void CollectWindow::forgetStaleSource(const rt::Control* source) {
  if (dragSource == kNoSource) return;
  if (dragSource < 0 || dragSource >= kCells || source != &slika(dragSource)) dragSource = kNoSource;
}

}  // namespace collect
