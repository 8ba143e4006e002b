#include "twirno.h"

#include "pack_fn.h"
#include "picture_library.h"
#include "rt/host.h"

namespace connect {

VPK_GAME_WINDOW(Form16);

namespace {
ConnectDesign TwirnoDesign() {
  ConnectDesign d;
  d.name = "Twirno";
  d.cash = {1000, 1000, 1000, 1000, 1000, 1000, 1000};
  d.defaultSize = 4;
  d.kindBase = 1;
  d.greyFields = false;
  d.placeHelp(10, 62, 220, 165, 192, 217);
  d.help.font = {"Tahoma", 6, false, false, false};  // the largest that keeps the text above "OK"
  d.helpText =
      "  Welcome to Twirno, freeware programmed by Morvel Vukran in 2007. Your goal is to connect all the same "
      "images attached horizontally or vertically.\r"
      "You can rotate the adjacent images, to the left or to the right, with left or right mouse button.\r"
      "   Every time you rotate the images you lose 1$. If you click on a white field you lose more money "
      "depending on a chosen skill. If you lose all the money the game is over. The quality of playing is "
      "measured by the remaining money. You can define the number of the same images.\r"
      "  Good luck. Have a fun.";
  return d;
}
}  // namespace

Form16::Form16(const shell::GameEntry& entry) : ConnectWindow(entry, TwirnoDesign(), 364, 396) {}

void Form16::loadPictures() {
  ikona.assign(kDoneMark + 1, nullptr);
  for (int k = 0; k < 50; ++k) ikona[k] = shell::PictureLibrary::instance().kindPicture(k, 0);
  ikona[kDoneMark] = picture("Brenx.ikona", 51);
}

rt::PicHandle Form16::kindPicture(int16_t kind) const {
  return kind >= 1 && kind <= 50 ? ikona[kind - 1] : nullptr;
}

void Form16::bindCell(rt::PictureBox& cell, int index) {
  cell.MouseDown = [this, index](int button, int shift, float x, float y) { slika_MouseDown(index, button, shift, x, y); };
}

void Form16::addOptions(rt::MenuItem& menu) {
  ki = &menu.add("ki", "Skill");
  const char* captions[] = {"Easy (you lose 2$)", "Medium (you lose 3$)", "Hard (you lose 4$)"};
  for (int i = 0; i < 3; ++i) {
    rt::MenuItem& item = ki->add("vjestina", captions[i], i);
    item.setChecked(i == skill);
    item.ClickIndexed = [this](int Index) { vjestina_Click(Index); };
    vjestina.push_back(&item);
  }
}

void Form16::enableOptions(bool enabled) {
  ConnectWindow::enableOptions(enabled);
  ki->setEnabled(enabled);
}

void Form16::exposeGameState() { exposeScalar("skill", skill, {{0, 2}}); }

void Form16::vjestina_Click(int Index) {
  if (Index < 0 || Index > 2) return;
  for (rt::MenuItem* item : vjestina) item->setChecked(false);
  vjestina[Index]->setChecked(true);
  skill = static_cast<int16_t>(Index);
}

void Form16::afterGroupSound() { shell::PauseSeconds(1); }

void Form16::slika_MouseDown(int Index, int Button, int /*Shift*/, float /*X*/, float /*Y*/) {
  if (!boardTakesInput()) return;
  if (IsBorderCell(Index) || cash < 1) {
    rt::host().beep();
    return;
  }
  BusyScope busy(*this, false);
  if (Button == 1 || Button == 2) {
    TurnRing(Board, doneFlag, Index, Button == 2);
    cash = Pay(cash, TwirnoCost(doneFlag[Index] != 0, skill));
    for (int i = Index - 11; i <= Index + 11; ++i) DrawCell(i);
  }
  CheckConnected();
}

}  // namespace connect
