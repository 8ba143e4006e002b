#include "porthole_window.h"

#include "picture_library.h"
#include "rt/numbers.h"

namespace removal {

namespace {
constexpr rt::Color kCashInk = rt::RGB(0, 0, 128);
}

PortholeWindow::PortholeWindow(const shell::GameEntry& entry, int widthTwips, int heightTwips,
                               const char* hiscoreGame)
    : shell::GameWindow(entry, widthTwips, heightTwips), scores_(hiscoreGame) {}

void PortholeWindow::addMenus() {
  addPlayMenu();
  vjestina = &menu("vjestina", "Skill");
  vjestina->add("tezina", "Easy", 0);
  vjestina->add("tezina", "Medium", 2).setChecked(true);
  vjestina->add("tezina", "Hard", 4);
  for (auto& item : vjestina->items()) item->ClickIndexed = [this](int i) { tezina_Click(i); };
  addHelpMenu();
  addHomePageMenu();
}

void PortholeWindow::buildBoard(rt::Color back, int boardTop) {
  BackColor = back;
  Podloga = &add<rt::PictureBox>("Podloga");
  Podloga->setBorderStyle(0);
  Podloga->setBackColor(back);
  Podloga->Move(0, 0, pixelWidth(), pixelHeight());
  board_ = Podloga;
  beepWhenBusy_ = true;

  constexpr int kBox = (kSide - 1) * kPitch + kCellSize + 2;  // 344: 5160 twips
  Picture1 = &add<rt::PictureBox>("Picture1", Podloga);
  Picture1->setBorderStyle(0);
  Picture1->setBackColor(back);
  Picture1->Move(0, boardTop, kBox, kBox);
  Element.build(*this, "Element", Picture1,
                {.cols = kSide, .rows = kSide, .pitchX = kPitch, .pitchY = kPitch, .cellWidth = kCellSize,
                 .cellHeight = kCellSize, .border = 1, .back = rt::RGB(128, 128, 128)});
}

void PortholeWindow::buildPortholes(int topLeft, int rightLeft, int rightTop, const char* topTip,
                                    const char* rightTip) {
  auto build = [&](rt::ControlArray<rt::ImageBox>& a, const char* name, const char* set, int w, int h,
                   const char* tip, int x0, int y0, int dx, int dy) {
    a.init(this, name);
    rt::ImageBox& first = a.create(0, Podloga);
    first.setPicture(picture(set, 0));
    first.ToolTipText = tip;
    for (int i = 1; i < kSide; ++i) a.Load(i);
    for (int i = 0; i < kSide; ++i) {
      a(i).Move(x0 + dx * i, y0 + dy * i, w, h);
      a(i).setVisible(false);
    }
  };
  build(otvorg, "otvorg", "Holmo.otvorg", 30, 20, topTip, topLeft, 0, kPitch, 0);
  build(otvorh, "otvorh", "Holmo.otvorh", 20, 30, rightTip, rightLeft, rightTop, 0, kPitch);
}

void PortholeWindow::hidePortholes() {
  for (int i = 0; i < kSide; ++i) {
    otvorg(i).setVisible(false);
    otvorh(i).setVisible(false);
  }
}

void PortholeWindow::buildCashPanel(int left, int top, const char* captionName, const char* bestName) {
  lova = &add<rt::PictureBox>("lova", Podloga);
  lova->setBorderStyle(0);
  lova->Move(left, top, 161, 73);
  lova->setPicture(picture("lova"));
  const TextStyle style{{"Tahoma", 9.75, true, false, false}, kCashInk};
  auto label = [&](const char* name, const std::string& caption, int x, int y, int w) {
    return &addText(name, caption, {x, y, w, 25}, style, lova);
  };
  Label2 = label("Label2", "Cash:", rt::twi(120), 0, 48);
  Label4 = label("Label4", " 0$", rt::twi(840), 0, 100);
  Label7 = label("Label7", "Score:", rt::twi(120), rt::twi(420), 48);
  Label8 = label("Label8", " 0", rt::twi(840), rt::twi(360), 100);
  bestCaption = label(captionName, " Hiscore:", rt::twi(-32), rt::twi(710), 66);
  bestLabel = label(bestName, "0", rt::twi(960), rt::twi(675), 90);
  scores_.attach(*Label8, *bestLabel);
}

void PortholeWindow::checkSkill(int Index) {
  for (auto& item : vjestina->items()) item->setChecked(item->Index() == Index);
}

int PortholeWindow::skillLine() const {
  int line = 0;
  if (rt::MenuItem* m = findMenu("tezina", 2); m && m->Checked()) line = 1;
  if (rt::MenuItem* m = findMenu("tezina", 4); m && m->Checked()) line = 2;
  return line;
}

void PortholeWindow::showCash() {
  Label4->setCaption(rt::BlankMoney(money));
  Label8->setCaption(rt::Blank(score));
}

void PortholeWindow::showHelp() {
  if (!helpPanel_) return;
  helpPanel_->setVisible(true);
  helpPanel_->ZOrder(0);
}

void PortholeWindow::hideHelp() {
  if (helpPanel_) helpPanel_->setVisible(false);
}

}  // namespace removal
