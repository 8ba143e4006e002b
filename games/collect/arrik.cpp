#include "arrik.h"

#include "pack_fn.h"
#include "rt/host.h"
#include "rt/random.h"

namespace collect {

using namespace arrik;

VPK_GAME_WINDOW(Form14);

namespace {
const Design kArrik{.hiscoreGame = "Arrik",
                    .sizes = {2, 4, 5, 10, 20, 25, 50},
                    .defaultSize = 1,
                    .skills = {"Easy (1 new image)", "Medium (2 new images)", "Hard (3 new images)"},
                    .perStepBase = 1,
                    .dragVariant = false,
                    .fixedKinds = 0,
                    .mirrorWidth = 32,
                    .mirrorHeight = 32,
                    .panelTop = 8,
                    .heightPx = 364};
}  // namespace

Form14::Form14(const shell::GameEntry& entry) : CollectWindow(entry, kArrik) {}

std::string Form14::helpText() const {
  return "  Welcome to Arrik, freeware programmed by Morvel Vukran in 2006. Your goal is to connect all the same "
         "images attached horizontally or vertically.\r"
         "Mouse click on an image applies 'action on click' in direction an arrow points. You can do action "
         "'move' by moving only to an empty field. Apply an action as much as you can then click on an arrow "
         "thus changing an action and generating the new images.\r"
         "You can use helpful objects such as a bomb, ladders and a heart thus decreasing your amount of money. "
         "The quality of playing is measured by the images collected. You can define the number of the same "
         "images.\r"
         "  Good luck. Have a fun.";
}

void Form14::loadPictures() {
  CollectWindow::loadPictures();
  actionName = {"move", "swap"};
}

void Form14::bindCell(rt::PictureBox& cell, int index) {
  cell.Click = [this, index] { slika_Click(index); };
}

void Form14::layOutExtras() {
  Frame1 = &add<rt::FrameBox>("Frame1");
  Frame1->setCaption("Action on click");
  Frame1->setFont(rt::Font{"Tahoma", 8.25, false, false, false});
  Frame1->setBackColor(BackColor);
  Frame1->Move(rightColumn_, kosta->Top() + kosta->Height() + 6, 161, 56);

  // The four arrow pictures wait hidden; element 4 shows the one that counts.
  strelice.init(this, "strelice");
  const char* const names[4] = {"arrow_down", "arrow_up", "arrow_left", "arrow_right"};
  for (int i = 0; i <= 4; ++i) {
    rt::PictureBox& a = strelice.create(i, Frame1);
    a.setBorderStyle(0);
    a.setBackColor(BackColor);
    a.Move(20, 22, 25, 25);
    a.setPicture(ownPicture(names[i == 4 ? 3 : i]));
    a.setVisible(i == 4);
  }
  strelice(3).setPicture(strelice(4).Picture());
  strelice(4).ToolTipText = "Changes an action and generates the new images";
  strelice.bind([this](rt::PictureBox& a, int i) { a.Click = [this, i] { strelice_Click(i); }; });
  sideControls_.push_back(&strelice(4));

  Label8 = &addText("Label8", "", {62, 24, 90, 22}, {{"Tahoma", 11, true, false, false}, rt::RGB(0, 0, 128)}, Frame1);
}

void Form14::exposeExtras() {
  exposeScalar("arrowDir", arrowDir, {{0, 3}});  // down, up, left, right
  exposeScalar("action", action, {{0, 1}});      // move, swap
}

void Form14::NewArrow() {
  arrowDir = static_cast<int16_t>(rt::RandomInt(4));
  strelice(4).setPicture(strelice(arrowDir).Picture());
}

int16_t Form14::PickAction() {
  const auto a = static_cast<int16_t>(rt::RandomInt(2));
  Label8->setCaption(actionName[a]);
  return a;
}

void Form14::resetExtras() {
  NewArrow();
  action = PickAction();
  Label8->setCaption("none");
}

void Form14::startExtras() {
  NewArrow();
  action = PickAction();
}

void Form14::ClearMarks() {
  removeMark.fill(false);
  RedrawBoard();
}

void Form14::redrawAll() {
  for (int i = 0; i < kCells; ++i) grid_.show(i, pictureOf(Board[i]));
  strelice(4).setPicture(strelice(arrowDir & 3).Picture());
  Label8->setCaption(actionName[action & 1]);
  showCashAndScore();
}

void Form14::slika_Click(int Index) {
  if (!boardTakesInput()) return;
  BusyScope busy(*this);
  if (helperMode != kNoHelper) {
    UseHelper(Index);
    return;
  }
  if (Board[Index] == kEmpty) return;
  const int t = WrapTarget(Index, arrowDir);
  if (!ActionAllowed(Board, t, action)) {
    shell::PlaySoundNo(10);
    return;
  }
  Exchange(Board, removeMark, Index, t);
  grid_.show(Index, pictureOf(Board[Index]));
  grid_.show(t, pictureOf(Board[t]));
  CheckGroups();
}

void Form14::strelice_Click(int Index) {
  if (Index != 4) return;
  if (Command2->Visible()) {
    rt::host().beep();
    return;
  }
  if (busy()) return;
  BusyScope scope(*this);
  GenerateImages();
  NewArrow();
  action = PickAction();
}

}  // namespace collect
