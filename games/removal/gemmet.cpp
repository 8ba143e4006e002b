#include "gemmet.h"

#include <algorithm>
#include <utility>

#include "mdi_form.h"
#include "pack_fn.h"
#include "picture_library.h"
#include "rt/dispatch.h"
#include "rt/host.h"
#include "rt/random.h"

namespace removal {

using namespace gemmet;

VPK_GAME_WINDOW(Form21);

Form21::Form21(const shell::GameEntry& entry) : RemovalWindow(entry, "Gemmet", kNoPicture) {}

void Form21::loadKindPictures() {
  for (int k = 1; k <= 50; ++k) ikona[k] = shell::PictureLibrary::instance().kindPicture(k, 1);
  ikona[51] = picture("Brenx.ikona", 52);
}

void Form21::addOptionsMenu() {
  opcions = &menu("opcions", "Options");
  rt::MenuItem& imtcww = opcions->add("imtcww", "Images to collect");
  for (int i = 0; i < 4; ++i) {
    rt::MenuItem& item = imtcww.add("imc", std::to_string(i + 2), i);
    item.setChecked(i + 2 == few);
    item.ClickIndexed = [this](int Index) { imc_Click(Index); };
  }
  rt::MenuItem& skg = opcions->add("skg", "Skill");
  const char* names[] = {"Easy skill", "Medium skill", "Hard skill"};
  for (int i = 0; i < 3; ++i) {
    rt::MenuItem& item = skg.add("Skill", names[i], i);
    item.setChecked(i == skill);
    item.ClickIndexed = [this](int Index) { Skill_Click(Index); };
  }
}

std::string Form21::helpText() const {
  return "  Welcome to Gemmet,\r"
         " Your goal is to remove at least the 'few' (number of images is defined in options) attached same "
         "images. First you need to select an image with left mouse click. Then click on adjacent image to "
         "swap them. If the first image touches at least a same image it will keep a new position, otherwise "
         "it will return to the previous state (reswap). If the images are already attached you can move any "
         "image to any position to reswap them. The swapped images and the reswapped images are checked for "
         "the removal. You can freely rotate and use flipping in any time. The more images you have the better "
         "player you are.\r"
         "  Good luck. Have a fun.";
}

void Form21::bindCell(rt::PictureBox& cell, int index) {
  cell.MouseDown = [this, index](int button, int shift, float x, float y) {
    Element_MouseDown(index, button, shift, x, y);
  };
}

rt::PicHandle Form21::pictureOf(int16_t code) const {
  if (code == kRemoving) return Uzorak[8];  // for a full redraw by the driver
  return code >= 1 && code <= 50 ? ikona[code] : nullptr;
}

bool Form21::takeGap(int cell) {
  if (Board[cell] != kRemoving) return false;
  Board[cell] = kNoPicture;
  return true;
}

void Form21::exposeGameState() {
  exposeArray("groupFlag", groupFlag, {{removal::kFlagged, 0}});
  exposeScalar("few", few, {{2, 5}});
  exposeScalar("skill", skill, {{0, 2}});
  exposeScalar("selection", selection, {{0, removal::kCells - 1}, {kNoSelection, kNoSelection}});
}

void Form21::redrawAll() {
  for (int i = 0; i < removal::kCells; ++i) PaintCell(i);
  showScore();
}

void Form21::RefillBoard() {
  selection = kNoSelection;
  const int n = KindCount(few, skill);
  for (int i = 0; i < removal::kCells; ++i) {
    if (Board[i] == kNoPicture) Board[i] = RefillKind(rt::Rnd(), n);
    DrawCell(i);
  }
  Podloga->setEnabled(true);
}

void Form21::PaintCell(int cell) {
  if (cell < 0 || cell >= removal::kCells) return;
  Element(cell).setPicture(pictureOf(Board[cell]));
  if (cell == selection) Element(cell).PaintPicture(ikona[51], 0, 0);
}

int Form21::MeasureGroup(int cell) {
  setMousePointer(rt::kHourglass);
  const int count = gemmet::MeasureGroup(Board, groupFlag, cell);
  if (count >= few) {
    for (int i = 0; i < removal::kCells; ++i) {
      if (groupFlag[i] != kFlagged) continue;
      Element(i).setPicture(Uzorak[8]);
      rt::DoEvents();
      ++score;
    }
    showScore();
  }
  setMousePointer(rt::kCustomPointer);
  return count;
}

void Form21::MarkGroupRemoved() { gemmet::MarkGroupRemoved(Board, groupFlag); }

void Form21::beforeTransform() {
  // The refill after the transform drops the selection; its marker goes with it.
  if (selection == kNoSelection) return;
  const int s = selection;
  selection = kNoSelection;
  PaintCell(s);
}

void Form21::Element_MouseDown(int Index, int Button, int Shift, float X, float Y) {
  if (Button != 1) return;
  BusyScope busy(*this, false);  // the measure shows its own busy pointer
  if (opcions->Enabled()) opcions->setEnabled(false);

  if (selection == kNoSelection) {
    selection = static_cast<int16_t>(Index);
    PaintCell(Index);
    return;
  }
  const int s = selection;
  if (!IsSwapNeighbour(s, Index)) {
    selection = kNoSelection;
    PaintCell(s);
    rt::host().beep();
    return;
  }

  std::swap(Board[s], Board[Index]);
  selection = kNoSelection;
  PaintCell(s);
  PaintCell(Index);
  shell::TimedStep(500, {});
  const int c1 = MeasureGroup(Index);
  if (c1 >= few) MarkGroupRemoved();
  const int c2 = MeasureGroup(s);
  if (c2 >= few) MarkGroupRemoved();
  int c3 = 0, c4 = 0;
  if (SwapBack(c1, c2, few)) {
    std::swap(Board[s], Board[Index]);
    PaintCell(s);
    PaintCell(Index);
    shell::frameForm().PerfTimer->StartTimer();
    shell::WaitMs(500);
    c3 = MeasureGroup(s);
    if (c3 >= few) MarkGroupRemoved();
    c4 = MeasureGroup(Index);
    if (c4 >= few) MarkGroupRemoved();
  }

  if (std::max({c1, c2, c3, c4}) >= few) {
    selection = kNoSelection;
    shell::PlaySoundNo(1);
    FallAndRefill();
  } else if (c1 < 2) {
    selection = kNoSelection;
    shell::PlaySoundNo(10);
  }
  PaintCell(Index);
}

void Form21::optionChosen(const char* group, int Index) {
  for (const auto& item : opcions->find(group)->items()) item->setChecked(item->Index() == Index);
}

void Form21::imc_Click(int Index) {
  optionChosen("imtcww", Index);
  few = static_cast<int16_t>(Index + 2);
  Board.fill(kNoPicture);
  RefillBoard();
  LoadHiscore();
}

void Form21::Skill_Click(int Index) {
  optionChosen("skg", Index);
  skill = static_cast<int16_t>(Index);
  Board.fill(kNoPicture);
  RefillBoard();
  LoadHiscore();
}

}  // namespace removal
