#include "klevo.h"

#include "mdi_form.h"
#include "pack_fn.h"
#include "picture_library.h"
#include "rotation.h"
#include "rt/dispatch.h"
#include "rt/form.h"
#include "rt/host.h"
#include "rt/numbers.h"
#include "rt/random.h"

namespace removal {

namespace {

constexpr int kCellPitch = 34;   // 510 twips
constexpr int kCellSize = 36;    // 540 twips, single border around a 32 x 32 picture
constexpr int kBoardSide = 344;  // Picture1
constexpr int kRightColumn = 352;
constexpr rt::Color kWindowColour = rt::RGB(206, 218, 236);
constexpr rt::Color kLabelColour = rt::RGB(18, 36, 96);
constexpr rt::Color kPriceColour = rt::RGB(255, 246, 200);

const char* const kHelpText =
    "  Welcome to Klevo,\r"
    "Klevo is freeware, written by Morvel Vukran in 2003. "
    "Remove the images attached horizontally or vertically. "
    "The goal is to clean the level thus revealing the background picture and to collect lots of money. "
    "The higher level the better player you are. "
    "The help (bomb, ladders, heart, rotation,...) you need will decrease your amount of money.\r"
    "  Good luck. Have a fun.";

rt::Font labelFont(double size, bool bold) { return rt::Font{"Tahoma", size, bold, false, false}; }

}  // namespace

VPK_GAME_WINDOW(Form1);

Form1::Form1(const shell::GameEntry& entry) : shell::GameWindow(entry, 7830, 6000) {}

// ------------------------------------------------------------------------------------- load

void Form1::Form_Load() {
  BackColor = kWindowColour;
  MouseIcon = ownPicture("pointer");
  beepWhenBusy_ = true;

  // Menus, left to right.
  addPlayMenu();
  opcije = &menu("opcije", "Images");
  for (int i = 0; i < 10; ++i) opcije->add("images", shell::ThemeMenu[i].second, i);
  opcije->add("images", "-", 10);
  opcije->add("images", "Cyclical", 11).setChecked(true);
  for (auto& item : opcije->items()) item->ClickIndexed = [this](int i) { images_Click(i); };
  vjestina = &menu("vjestina", "Skill");
  vjestina->add("tezina", "Easy", 0);
  vjestina->add("tezina", "Medium", 2).setChecked(true);
  vjestina->add("tezina", "Hard", 4);
  for (auto& item : vjestina->items()) item->ClickIndexed = [this](int i) { tezina_Click(i); };
  menu("halp", "Help").Click = [this] { halp_Click(); };
  addHomePageMenu();

  // The board panel: everything in it is dead while a move is worked.
  Podloga = &add<rt::PictureBox>("Podloga");
  Podloga->setBorderStyle(0);
  Podloga->setBackColor(kWindowColour);
  Podloga->Move(0, 0, pixelWidth(), kBoardSide);
  board_ = Podloga;

  Picture1 = &add<rt::PictureBox>("Picture1", Podloga);
  Picture1->setBorderStyle(0);
  Picture1->Move(0, 0, kBoardSide, kBoardSide);

  // The cash panel with the level, the money and the best level.
  lova = &add<rt::PictureBox>("lova", Podloga);
  lova->setBorderStyle(0);
  lova->Move(kRightColumn, 4, 161, 88);
  lova->setPicture(picture("lova"));
  auto label = [this](const char* name, rt::Control* in, int x, int y, int w, const std::string& caption,
                      int align) {
    return &addText(name, caption, {x, y, w, 20}, {labelFont(9.75, true), kLabelColour, align}, in);
  };
  Label1 = label("Label1", lova, 8, 9, 62, "Level:", rt::kLeftJustify);
  Label3 = label("Label3", lova, 70, 9, 84, "", rt::kLeftJustify);
  Label2 = label("Label2", lova, 8, 35, 62, "Cash:", rt::kLeftJustify);
  Label4 = label("Label4", lova, 70, 35, 84, "", rt::kLeftJustify);
  Label9 = label("Label9", lova, 8, 61, 62, "  Best:", rt::kLeftJustify);
  Label8 = label("Label8", lova, 70, 61, 84, "", rt::kLeftJustify);

  // The shop: the brick panel with the prices, the helpers lying on it.
  kosta = &add<rt::PictureBox>("kosta", Podloga);
  kosta->setBorderStyle(0);
  kosta->Move(kRightColumn + 15, 98, 130, 130);
  kosta->setPicture(picture("kosta"));
  const int helperX[2] = {16, 82}, helperY[2] = {6, 70};
  const char* tips[4] = {"Bomb", "Horizontal ladder", "Vertical ladder", "Heart"};
  for (int item = 0; item < 4; ++item) {
    const int col = item % 2, row = item / 2;
    const std::string name = "Picture" + std::to_string(item + 2);
    rt::PictureBox& p = add<rt::PictureBox>(name, Podloga);
    p.setBorderStyle(0);
    p.Move(kosta->Left() + helperX[col], kosta->Top() + helperY[row], 32, 32);
    p.setPicture(picture(name));
    p.ToolTipText = tips[item];
    shopPicture[item + 2] = &p;
    priceLabel[item + 1] = &addText("pomoc" + std::to_string(item + 1), "",
                                    {helperX[col] - 14, helperY[row] + 36, 60, 18},
                                    {labelFont(9, true), kPriceColour, rt::kCenter}, kosta);
  }
  shopPicture[2]->Click = [this] { Picture2_Click(); };
  shopPicture[3]->Click = [this] { Picture3_Click(); };
  shopPicture[4]->Click = [this] { Picture4_Click(); };
  shopPicture[5]->Click = [this] { Picture5_Click(); };

  // Board turns and the random image.
  struct Button {
    int number;
    const char* tip;
    int x, y;
    rt::PicHandle pic;
  };
  const Button buttons[] = {
      {7, "Rotate left", kRightColumn + 4, 236, picture("Picture7")},
      {6, "Rotate 180 degrees", kRightColumn + 60, 236, ownPicture("Picture6")},
      {8, "Rotate right", kRightColumn + 116, 236, picture("Picture8")},
      {12, "Random  image", kRightColumn + 60, 278, ownPicture("Picture12")},
  };
  for (const Button& b : buttons) {
    rt::PictureBox& p = add<rt::PictureBox>("Picture" + std::to_string(b.number), Podloga);
    p.setBorderStyle(0);
    p.Move(b.x, b.y, 40, 32);
    p.setPicture(b.pic);
    p.ToolTipText = b.tip;
    shopPicture[b.number] = &p;
  }
  shopPicture[6]->Click = [this] { Picture6_Click(); };
  shopPicture[7]->Click = [this] { Picture7_Click(); };
  shopPicture[8]->Click = [this] { Picture8_Click(); };
  shopPicture[12]->Click = [this] { Picture12_Click(); };

  // On the window itself: the title and the two buttons.
  Picture11 = &add<rt::PictureBox>("Picture11");
  Picture11->setBorderStyle(0);
  Picture11->Move(kRightColumn, kBoardSide + 4, 161, 50);
  Picture11->setPicture(ownPicture("Picture11"));
  Command3 = &addButton("Command3", "Level Down", {10, kBoardSide + 16, 126}, [this] { Command3_Click(); });
  Command6 = &addButton("Command6", "Save the best level", {150, kBoardSide + 16, 180}, [this] { Command6_Click(); });

  // The turning board: painted into PicSource, drawn turned on rotirka over the board.
  PicSource = &add<rt::PictureBox>("PicSource");
  PicSource->setBorderStyle(0);
  PicSource->Move(0, 0, 342, 344);
  PicSource->setBackColor(rt::kMagenta);
  rotirka = &add<rt::PictureBox>("rotirka");
  rotirka->setBorderStyle(0);
  rotirka->Move(0, 0, 342, 344);

  buildHelpPanel(HelpPanelLayout{.panel = "Picture13",
                                 .label = "Label7",
                                 .button = "Command5",
                                 .width = 342,
                                 .height = 344,
                                 .textLeft = 16,
                                 .textTop = 18,
                                 .textWidth = 310,
                                 .textHeight = 270,
                                 .buttonLeft = 130,
                                 .buttonTop = 300,
                                 .buttonWidth = 81},
                 "");

  // 1. The buttons' skins: drawn by addButton above.
  // 2. The picture store and the cells.
  auto& library = shell::PictureLibrary::instance();
  Uzorak[6] = ownPicture("Uzorak6");
  for (int i = 7; i <= 10; ++i) Uzorak[i] = library.get("Uzorak", i);
  Element.build(*this, "Element", Picture1,
                {.pitchX = kCellPitch, .pitchY = kCellPitch, .cellWidth = kCellSize, .cellHeight = kCellSize,
                 .back = kWindowColour},
                [this](rt::PictureBox& cell, int i) { cell.Click = [this, i] { Element_Click(i); }; });

  // 3..5.
  rt::Randomize();
  bestLevel_.attach(*Label3, *Label8);
  LoadHiscore();
  helpPanel_->setVisible(false);
  rotirka->setVisible(false);
  PicSource->setVisible(false);
  helpLabel_->setCaption(kHelpText);

  // 6..8.
  ShowBackground();
  skill = 2;
  theme = static_cast<int16_t>(rt::Int(rt::Rnd() * 10.0) - 1);

  setMousePointer(rt::kCustomPointer);

  exposeArray("Board", Board, {{0, kEmpty}});  // five pictures, the wild one, empty
  exposeArray("removeMark", removeMark, {{kFlagged, 0}});
  exposeArray("helperPrice", helperPrice, {{0, rt::kMostCount}});
  exposeArray("fallStartRow", fallStartRow, {{0, kSide - 1}});
  exposeArray("columnFalling", columnFalling, {{kFlagged, 0}});
  exposeScalar("helperMode", helperMode, {{klevo::kNormal, klevo::kHeart}});
  exposeScalar("money", money, {{0, rt::kMostCount}});  // every charge is covered
  // One level more per cleared board: 999,999 lies far beyond any game, and the helpers' prices
  // (up to 999,999,999), which grow by the level at every purchase and Level Down, stay within
  // 32 bits for more than a thousand such steps; a level near the 32-bit end would wrap them.
  exposeScalar("level", level, {{1, 999'999}});
  exposeScalar("skill", skill, {{0, 0}, {2, 2}, {4, 4}});
  exposeScalar("theme", theme, {{0, 9}});
  redrawState = [this] { redrawAll(); };

  // 11.
  StartNewGame();
}

void Form1::redrawAll() {
  // After state was written from outside: labels change only where their number did.
  for (int i = 0; i < klevo::kCells; ++i) DrawCell(i);
  if (rt::Val(Label3->Caption()) != level || Label3->Caption().find(klevo::SkillLetter(skill)) == std::string::npos)
    ShowLevel();
  if (rt::Val(Label4->Caption()) != money) Label4->setCaption(rt::Money(money));
  for (int item = 0; item < 4; ++item)
    if (rt::Val(priceLabel[item + 1]->Caption()) != helperPrice[item])
      priceLabel[item + 1]->setCaption(rt::Money(helperPrice[item]));
}

// ------------------------------------------------------------------------------ game, themes

void Form1::StartNewGame() {
  helperMode = klevo::kNormal;
  money = 0;
  helperPrice = klevo::kNewGamePrices;
  level = 1;
  Label3->setCaption(" 1 " + klevo::SkillLetter(skill));
  Label4->setCaption(" 0$");
  ShowPrices(true);
  vjestina->setEnabled(true);
  DealLevel();
}

void Form1::ShowLevel() { Label3->setCaption(rt::Blank(level) + " " + klevo::SkillLetter(skill)); }

void Form1::ShowPrices(bool newGame) {
  for (int item = 0; item < 4; ++item)
    priceLabel[item + 1]->setCaption(newGame ? rt::BlankMoney(helperPrice[item]) : rt::Money(helperPrice[item]));
}

void Form1::ShowBackground() {
  // The background is stretched a few pixels past the board on every side, then kept as the
  // board's own picture, so that every hidden cell shows its piece of it.
  Picture1->setPicture(picture("Faunix.Picture"));
  Picture1->PaintPicture(picture("Faunix.Picture"), rt::twi(-77), rt::twi(-77),
                         rt::twi(15.0 * Picture1->Width() + 80), rt::twi(15.0 * Picture1->Height() + 80));
  rt::PicHandle painted = Picture1->Image();
  Picture1->setPicture(painted);
  rotirka->setPicture(painted);
  for (int i = 0; i < klevo::kCells; ++i)
    if (Element.exists(i)) DrawCell(i);
}

void Form1::ApplyTheme(int t) {
  if (t >= 0 && t <= 9) {
    auto& library = shell::PictureLibrary::instance();
    for (int k = 0; k <= 5; ++k) Uzorak[k] = library.get(shell::ThemeMenu[t].first, k);
  }
  for (int i = 0; i < klevo::kCells; ++i) {
    const int16_t kind = Board[i];
    if (kind >= 0 && kind <= 5 && Element(i).Picture() != Uzorak[kind]) Element(i).setPicture(Uzorak[kind]);
  }
}

void Form1::images_Click(int Index) {
  for (auto& item : opcije->items()) item->setChecked(item->Index() == Index);
  if (Index >= 0 && Index <= 9) {
    theme = static_cast<int16_t>(Index);
    ApplyTheme(Index);
  }
}

void Form1::tezina_Click(int Index) {
  skill = static_cast<int16_t>(Index);
  for (auto& item : vjestina->items()) item->setChecked(item->Index() == Index);
  ShowLevel();
  LoadHiscore();
}

int Form1::hiscoreLine() const {
  int line = 0;
  if (rt::MenuItem* m = findMenu("tezina", 2); m && m->Checked()) line = 1;
  if (rt::MenuItem* m = findMenu("tezina", 4); m && m->Checked()) line = 2;
  return line;
}

void Form1::LoadHiscore() { bestLevel_.load(hiscoreLine()); }

void Form1::SaveScore() { bestLevel_.save(hiscoreLine()); }

void Form1::Command6_Click() {
  if (busy()) return;  // the level may change under the save while a move runs
  SaveScore();
}

void Form1::showHelp() {
  // Only the panel shows; the board stays under it and takes no input meanwhile.
  helpPanel_->setVisible(true);
  helpPanel_->ZOrder(0);
}

void Form1::hideHelp() { helpPanel_->setVisible(false); }

// --------------------------------------------------------------------------------- the board

void Form1::DrawCell(int index) {
  rt::PictureBox& cell = Element(index);
  const int16_t kind = Board[index];
  if (kind == klevo::kEmpty) {
    cell.setVisible(false);
    return;
  }
  const rt::PicHandle& pic = (kind >= 0 && kind <= 10) ? Uzorak[kind] : Uzorak[6];
  if (cell.Picture() != pic) cell.setPicture(pic);
  cell.setVisible(true);
}

void Form1::Element_Click(int Index) {
  if (helpShown() || Board[Index] == klevo::kEmpty) return;
  BusyScope busy(*this);
  vjestina->setEnabled(false);
  removeMark.fill(0);

  if (helperMode == klevo::kNormal) {
    if (!klevo::CanRemove(Board, Index)) {
      shell::PlaySoundNo(10);
      return;
    }
    klevo::FlagGroup(Board, removeMark, Index, [this, Index](int cell) {
      Element(cell).setPicture(Uzorak[8]);
      money += 1;
      if (cell != Index) rt::DoEvents();
    });
    shell::PlaySoundNo(1);
    Label4->setCaption(rt::Money(money));
    FallMarked();
    CloseColumns();
    return;
  }

  // A bought helper: its cells show the hit and go, without pay.
  static constexpr int kHitPicture[5] = {0, 7, 10, 10, 9};
  static constexpr int16_t kHitSound[5] = {0, 2, 3, 3, 5};
  const int mode = helperMode;
  for (int cell : klevo::HelperCells(Board, mode, Index)) {
    removeMark[cell] = klevo::kFlagged;
    if (Board[cell] != klevo::kEmpty) Element(cell).setPicture(Uzorak[kHitPicture[mode]]);
  }
  // A mode written from outside (the driver) that is no helper flags nothing and sounds nothing.
  if (mode >= klevo::kBomb && mode <= klevo::kHeart) shell::PlaySoundNo(kHitSound[mode]);
  if (mode == klevo::kColumnLadder)
    ClearMarkedCells();
  else
    FallMarked();
  CloseColumns();
  helperMode = klevo::kNormal;
}

void Form1::ClearMarkedCells() {
  for (int cell : klevo::ClearMarked(Board, removeMark)) DrawCell(cell);
}

void Form1::FallMarked() {
  ClearMarkedCells();
  fallStartRow.fill(9);
  while (klevo::FindFalling(removeMark, fallStartRow, columnFalling)) {
    shell::TimedStep(50, [this] { FallStep(); });
  }
}

void Form1::FallStep() {
  for (int cell : klevo::FallStep(Board, removeMark, fallStartRow, columnFalling)) DrawCell(cell);
}

void Form1::CloseColumns() {
  for (int c = 0; c <= 8; ++c) {
    while (klevo::BottomEmpty(Board, c)) {
      if (klevo::FilledColumnRightOf(Board, c)) {
        shell::TimedStep(50, [this, c] { ShiftColumnsLeft(c); });
        continue;
      }
      if (c == 0) {
        // The whole board is empty: the level is cleared.
        level += 1;
        ShowLevel();
        Label4->setCaption(rt::Money(money));
        shell::PlaySoundNo(8);
        DealLevel();
        return;
      }
      break;
    }
  }
}

void Form1::ShiftColumnsLeft(int column) {
  for (int cell : klevo::ShiftColumnsLeft(Board, column)) DrawCell(cell);
}

void Form1::DealLevel() {
  helperMode = klevo::kNormal;
  for (int i = 0; i < klevo::kCells; ++i) {
    const float u1 = rt::Rnd();
    const float u2 = rt::Rnd();
    const int16_t kind = klevo::DealKind(u1, u2);
    rt::PictureBox& cell = Element(i);
    cell.setVisible(true);
    removeMark[i] = 0;
    if (cell.Picture() != Uzorak[kind]) cell.setPicture(Uzorak[kind]);
    Board[i] = kind;
  }
  rt::MenuItem* cyclical = findMenu("images", 11);
  theme = klevo::NextTheme(theme, cyclical && cyclical->Checked());
  ApplyTheme(theme);
}

// ----------------------------------------------------------------- shop, turns, random image

void Form1::BuyHelper(int item) {
  if (helpShown()) return;
  BusyScope busy(*this);
  if (helperPrice[item] <= money) {
    helperMode = static_cast<int16_t>(item + 1);
    money -= helperPrice[item];
    Label4->setCaption(rt::Money(money));
    helperPrice[item] = klevo::RaisedPrice(item, helperPrice[item], level);
    priceLabel[item + 1]->setCaption(rt::Money(helperPrice[item]));
    shell::PlaySoundNo(7);
  }
}

void Form1::TurnTheBoard(int mode) {
  if (helpShown()) return;
  BusyScope busy(*this);  // a refused turn leaves the board usable
  const int32_t price = klevo::TurnPrice(skill);
  if (money < price) return;
  money -= price;
  Label4->setCaption(rt::Money(money));
  removeMark.fill(0);
  AnimateRotation(mode);
  klevo::TurnBoard(Board, mode);
  SettleAfterRotation();
}

void Form1::AnimateRotation(int mode) {
  PicSource->setBackColor(rt::kMagenta);
  for (int i = 0; i < klevo::kCells; ++i) {
    if (Board[i] == klevo::kEmpty) continue;
    const rt::PictureBox& cell = Element(i);
    PicSource->PaintPicture(cell.Picture(), Picture1->borderWidth() + cell.Left() + cell.borderWidth(),
                            Picture1->borderWidth() + cell.Top() + cell.borderWidth());
  }
  for (double angle : klevo::TurnAngles(mode)) {
    shell::TimedStep(100, [this, angle] {
      rotirka->Cls();
      shell::RotatePicture(rotirka->surface(), 172, 172, PicSource->surface(), rt::kMagenta, angle, 1);
      rotirka->changed();
      rotirka->setVisible(true);  // above the board; a help panel opened meanwhile stays above it
      rotirka->Refresh();
    });
  }
  for (int i = 0; i < klevo::kCells; ++i) Element(i).setVisible(false);
  rotirka->setVisible(false);
}

void Form1::SettleAfterRotation() {
  for (int i = 0; i < klevo::kCells; ++i) {
    DrawCell(i);
    if (Board[i] == klevo::kEmpty) removeMark[i] = klevo::kFlagged;
  }
  shell::PlaySoundNo(6);
  FallMarked();
  CloseColumns();
}

void Form1::Picture12_Click() {
  if (helpShown()) return;
  BusyScope busy(*this);
  const int32_t price = klevo::TurnPrice(skill);
  if (money < price) return;
  removeMark.fill(0);
  const int column = klevo::RandomImageColumn(Board, rt::RandomInt(10));
  if (column < 0) return;  // the top row is full: nothing is taken
  money -= price;
  Label4->setCaption(rt::Money(money));
  Board[column] = static_cast<int16_t>(rt::RandomInt(6));
  DrawCell(column);
  for (int cell : klevo::CellsUnderTop(Board, column)) removeMark[cell] = klevo::kFlagged;
  shell::PlaySoundNo(9);
  FallMarked();
  CloseColumns();
}

void Form1::Command3_Click() {
  if (busy()) return;  // a new board in the middle of a fall would be torn up by it
  if (!klevo::LevelDownAllowed(level, money)) {
    rt::host().beep();
    return;
  }
  klevo::LevelDown(level, money, helperPrice);
  ShowLevel();
  Label4->setCaption(rt::Money(money));
  ShowPrices(false);
  DealLevel();
}

}  // namespace removal
