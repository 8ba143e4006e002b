#include "brenx.h"

#include <utility>

#include "pack_fn.h"
#include "picture_library.h"
#include "rt/host.h"
#include "rt/numbers.h"
#include "rt/random.h"

namespace connect {

VPK_GAME_WINDOW(Form10);

using namespace brenx;

namespace {
constexpr int kPanelLeft = 364, kPanelWidth = 161;
constexpr int kButtonLeft = kPanelLeft + (kPanelWidth - 100) / 2;

ConnectDesign BrenxDesign() {
  ConnectDesign d;
  d.name = "Brenx";
  d.sizes = {4, 5, 10};
  d.priceInCaptions = false;
  d.defaultSize = 5;
  d.kindBase = 1;
  d.continueLeft = kButtonLeft;
  d.continueTop = 206;
  d.placeHelp(14, 14, 295, 262, 121, 284);
  d.help.font = {"Tahoma", 8.25, false, false, false};
  d.helpText =
      "  Welcome to Brenx, freeware programmed by Morvel Vukran in 2005. Your goal is to connect all the same "
      "images attached horizontally or vertically.\r"
      "Select an image by right mouse button. Move it by left mouse button. A blocking image has a red cross. You "
      "can not move an image over a blocking image nor a blocking image.\r"
      "   Every time you move an image you lose 1$. If you collect the images the new images are generated, and "
      "each collected image rewards you with 2$. The quality of playing is measured by the images collected. You "
      "can define the number of the images to collect.\r"
      "  Good luck. Have a fun.";
  return d;
}
}  // namespace

Form10::Form10(const shell::GameEntry& entry) : ConnectWindow(entry, BrenxDesign(), 535, 364) {}

void Form10::loadPictures() {
  // Kinds 1..25: the first five sets of the library order, numbered from 1.
  ikona.assign(kRing + 1, nullptr);
  for (int k = 1; k <= kMaxKinds; ++k) ikona[k] = shell::PictureLibrary::instance().kindPicture(k, 1);
  ikona[kMark] = picture("Brenx.ikona", kMark);
  ikona[kRing] = picture("Brenx.ikona", kRing);
  Uzorak8 = picture("Uzorak", 8);
}

void Form10::bindCell(rt::PictureBox& cell, int index) {
  cell.MouseDown = [this, index](int button, int shift, float x, float y) { slika_MouseDown(index, button, shift, x, y); };
}

void Form10::bindBoard() {
  const TextStyle style{{"Tahoma", 11, true, false, false}, rt::RGB(0, 0, 128)};
  auto panel = [&](const char* name, int top, int height) {
    rt::PictureBox& p = add<rt::PictureBox>(name);
    p.setBorderStyle(0);
    p.Move(kPanelLeft, top, kPanelWidth, height);
    p.setPicture(picture("lova"));
    return &p;
  };
  auto label = [&](rt::PictureBox* in, const char* name, const char* caption, int left, int top, int width) {
    return &addText(name, caption, {left, top, width}, style, in);
  };
  lova = panel("lova", 10, 88);
  Label11 = label(lova, "Label11", "Score:", 10, 16, 76);
  Label3 = label(lova, "Label3", "0000000000000000", 88, 16, 68);
  Label9 = label(lova, "Label9", "Hiscore:", 10, 50, 76);
  Label7 = label(lova, "Label7", "0000000000000000", 88, 50, 68);
  Picture5 = panel("Picture5", 106, 52);
  Label8 = label(Picture5, "Label8", "Cash:", 10, 14, 76);
  Label4 = label(Picture5, "Label4", "0000000000000000", 88, 14, 68);

  Command3 = &addButton("Command3", "Save score", {kButtonLeft, 172, 100}, [this] { Command3_Click(); });
  hiscore_.attach(*Label3, *Label7);
}

void Form10::exposeGameState() {
  // A flag per kind of the group size; entry 0 (empty) and those past the kinds stay clear.
  exposeArray("blockingFlag", blockingFlag, [this](size_t kind) {
    return kind >= 1 && kind <= static_cast<size_t>(cellCount() / groupSize) ? flagValues() : rt::Spans{{0, 0}};
  });
  exposeCells("collectedFlag", collectedFlag, flagValues);
  exposeScalar("selectedCell", selectedCell, {{0, kCells - 1}, {kNoCell, kNoCell}});
  exposeScalar("score", score, {{0, rt::kMostCount}});
}

int Form10::sizeLine() const {
  for (size_t i = 0; i < sp.size(); ++i)
    if (sp[i]->Checked()) return static_cast<int>(i);
  return 0;
}

void Form10::LoadHiscore() { hiscore_.load(sizeLine()); }
void Form10::SaveScore() { hiscore_.save(sizeLine()); }

void Form10::showCashAndScore() {
  Label4->setCaption(rt::Plain(cash) + "$");
  Label3->setCaption(rt::Plain(score));
}

void Form10::NewBoard() {
  selectedCell = kNoCell;
  previousSelection = kNoCell;
  cash = StartCash(groupSize);
  score = 0;
  showCashAndScore();
  Picture1->setEnabled(false);
  collectedCount = 0;
  enableOptions(true);
  hideHelp();
  Board.fill(kEmpty);
  ClearCollectedFlags();
  Command2->setVisible(true);
  LoadHiscore();
}

void Form10::startPlay() {
  selectedCell = kNoCell;
  enableOptions(false);
  started_ = true;
  BusyScope busy(*this, false);
  ChooseBlockingKinds();
  reblockPending = 0;
  Refill();
  if (reblockPending) ChooseBlockingKinds();
  for (int i = 0; i < kCells; ++i) slika(i).setBackColor(kWhite);
}

void Form10::ChooseBlockingKinds() {
  brenx::ChooseBlockingKinds(blockingFlag, groupSize, rt::Rnd);
  RedrawAllCells();
}

void Form10::DrawCell(int i) {
  if (i < 0 || i >= kCells) return;
  if (collectedFlag[i]) Board[i] = kEmpty;
  const int16_t k = Board[i];
  const rt::PicHandle want = k == kEmpty             ? nullptr
                             : IsBlocking(blockingFlag, k) ? ikona[kMark]
                             : k > 0 && k <= kMaxKinds     ? ikona[k]
                                                           : nullptr;
  if (i == ringCell_ || i == selectedCell) {
    slika(i).setPicture(want);  // wipes the painted ring
    ringCell_ = -1;
  } else {
    slika.show(i, want);
  }
  if (i == selectedCell) {
    slika(i).PaintPicture(ikona[kRing], 0, 0);
    ringCell_ = i;
  }
}

void Form10::clearSelection() {
  const int old = selectedCell;
  selectedCell = kNoCell;
  // A collected cell shows the collected picture already; any other loses its ring now.
  if (old >= 0 && old < kCells && !collectedFlag[old]) DrawCell(old);
}

void Form10::slika_MouseDown(int Index, int Button, int Shift, float /*X*/, float /*Y*/) {
  if (!boardTakesInput() || Index < 0 || Index >= kCells) return;
  if (cash < 1) {
    rt::host().beep();
    return;
  }
  if (Button == 2) {
    if (IsBlocking(blockingFlag, Board[Index])) {
      rt::host().beep();
      return;
    }
    previousSelection = selectedCell;
    selectedCell = static_cast<int16_t>(Index);
    if (previousSelection != kNoCell) DrawCell(previousSelection);
    DrawCell(Index);
    return;
  }
  if (Button != 1) return;
  if (CheckMove(Board, blockingFlag, selectedCell, Index, Shift) != MoveCheck::Ok) {
    rt::host().beep();
    return;
  }
  BusyScope busy(*this, false);
  const int from = selectedCell;
  std::swap(Board[Index], Board[from]);
  std::swap(collectedFlag[Index], collectedFlag[from]);
  selectedCell = static_cast<int16_t>(Index);
  DrawCell(from);
  DrawCell(Index);
  cash -= 1;
  Label4->setCaption(rt::Plain(cash) + "$");
  reblockPending = 0;
  CollectGroups();
  if (reblockPending) ChooseBlockingKinds();
}

bool Form10::collectOnce() {
  collectedFlag.fill(0);
  bool anything = false;
  for (int i = 0; i < kCells; ++i) {
    const std::vector<int> group = CollectableGroup(Board, blockingFlag, collectedFlag, i, groupSize);
    if (group.empty()) continue;
    collectedCount = 0;
    for (int c : group) {
      collectedFlag[c] = kTrue;
      Board[c] = kEmpty;
      slika(c).setPicture(Uzorak8);
      ++collectedCount;
    }
    cash += 2 * collectedCount;
    score += collectedCount;
    showCashAndScore();
    shell::PlaySoundNo(1);
    shell::PauseSeconds(1);
    clearSelection();
    anything = true;
  }
  return anything;
}

void Form10::CollectGroups() {
  BusyScope busy(*this, false);
  // Each refill may complete new groups: collect and refill until a scan finds none. A refill
  // closes the whole window, "Save score" too, until the chain ends; a collection's pause does not.
  const bool saveOpen = Command3->Enabled();
  while (collectOnce()) {
    reblockPending = -1;
    Command3->setEnabled(false);
    fillEmptyCells();
  }
  RedrawAllCells();
  Command3->setEnabled(saveOpen);
}

void Form10::Refill() {
  BusyScope busy(*this, false);
  Command3->setEnabled(false);
  fillEmptyCells();
  CollectGroups();
  ClearCollectedFlags();
  Command3->setEnabled(true);
}

void Form10::fillEmptyCells() {
  ClearCollectedFlags();
  newCells = RefillEmpty(Board, groupSize, rt::Rnd);
  newCellCount = static_cast<int16_t>(newCells.size());
  blinkFrame = 0;
  if (newCellCount < kCells) {
    animating = kTrue;
    while (animating) shell::TimedStep(150, [this] { BlinkStep(); });
  } else {
    RedrawAllCells();
  }
}

void Form10::ClearCollectedFlags() {
  collectedFlag.fill(0);
  RedrawAllCells();
}

void Form10::BlinkStep() {
  for (const NewCell& n : newCells) {
    const rt::PicHandle& pic = ikona[n.kind];
    if (blinkFrame % 2 == 0)
      slika(n.cell).setPicture(pic);
    else
      slika(n.cell).PaintPicture(pic, 0, 32, 32, -32);  // upside down
  }
  if (++blinkFrame >= 7) animating = 0;
}

}  // namespace connect
