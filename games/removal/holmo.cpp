#include "holmo.h"

#include <limits>

#include "pack_fn.h"
#include "rt/host.h"
#include "rt/numbers.h"
#include "rt/random.h"

namespace removal {

using namespace holmo;

namespace {
constexpr rt::Color kBackColour = rt::RGB(206, 222, 226);
constexpr rt::Color kPanelColour = rt::RGB(0, 128, 128);  // &H808000
constexpr rt::Color kBarColour = rt::RGB(236, 92, 24);
constexpr rt::Color kPanelInk = rt::RGB(255, 255, 255);
constexpr rt::Color kPriceInk = rt::RGB(255, 236, 140);
constexpr int kBoardTop = 16;  // 240 twips

const char* const kHelpText =
    "    Welcome to Holmo,\r"
    "Holmo is freeware, written by Morvel Vukran in 2004. "
    "Click any image to start the game, the image will turn upside down. Click the same image anywhere in "
    "else in a row or column with an open porthole icon in the margin and you'll open up new portholes. If "
    "there are no portholes you can choose an image anywhere. Your goal is to remove subsequent images "
    "turned upside down. Keep your useful jokers. If you click on the picture showing the next, you can "
    "remove the portholes and you will lose some money. A lifebelt destroys all images. A lifebelt cost "
    "depends on the count of remaining images and a skill. The key is to clean the images as much as "
    "possible and then to use a lifebelt. The more images you have the better player you are.\r"
    "  Good luck. Have a fun.";

rt::Font bold() { return rt::Font{"Tahoma", 9.75, true, false, false}; }
}  // namespace

VPK_GAME_WINDOW(Form12);

Form12::Form12(const shell::GameEntry& entry) : PortholeWindow(entry, 8040, 5520, "Holmo") {}

// ------------------------------------------------------------------------------------- load

void Form12::Form_Load() {
  addMenus();
  MouseIcon = ownPicture("pointer");
  layOut();
  setBars(false);
  LoadHiscore();

  // The window's copies of the pictures it draws, by cell code (6 has none).
  for (int i = 0; i <= 4; ++i) {
    Uzorak[i] = picture("cartoon", i);
    Uzorak[15 + i] = picture("creatures", i);
  }
  Uzorak[kJoker] = picture("cartoon", 5);
  Uzorak[kRemoved] = picture("Uzorak", 8);
  Uzorak[kLifebeltHit] = picture("comics", 5);
  Uzorak[kNoKind] = ownPicture("Uzorak20");

  rt::Randomize();
  buildHelpPanel(HelpPanelLayout{.left = 0,
                                 .top = kBoardTop,
                                 .width = rt::twi(5175),
                                 .height = rt::twi(5160),
                                 .textLeft = rt::twi(240),
                                 .textTop = rt::twi(840),
                                 .textWidth = rt::twi(4575),
                                 .textHeight = rt::twi(3600),
                                 .buttonLeft = 132,
                                 .buttonTop = 306,
                                 .buttonWidth = 81},
                 kHelpText);
  skill = 2;
  skillFactor = 2;

  // Nine kinds and the joker, or empty (which as the current kind is none). The spare cell after
  // the board is never filled: it keeps the 0 it starts with.
  const rt::Spans codes{{0, kEmpty}, {15, 18}};
  exposeArray("Board", Board, [codes](size_t i) { return i < kCells ? codes : rt::Spans{{0, 0}}; });
  exposeArray("flipped", flipped, {{kFlagged, 0}});
  exposeArray("removeMark", removeMark, {{kFlagged, 0}});
  exposeScalar("currentKind", currentKind, codes);
  exposeScalar("lastRow", lastRow, {{0, kSide - 1}});
  exposeScalar("lastCol", lastCol, {{0, kSide - 1}});
  exposeScalar("money", money, {{0, rt::kMostCount}});
  exposeScalar("score", score, {{0, rt::kMostCount}});
  exposeScalar("skill", skill, {{0, 0}, {2, 2}, {4, 4}});
  exposeScalar("skillFactor", skillFactor, {{1, 3}});
  // A 16-bit count that rises by the skill factor (at most 3) at every cleared board: room is
  // left for a thousand boards more before the 16-bit end.
  exposeScalar("clearBonus", clearBonus, {{0, std::numeric_limits<int16_t>::max() - 1000 * 3}});
  exposeScalar("lifebeltPrice", lifebeltPrice, {{0, rt::kMostCount}});
  redrawState = [this] { redrawAll(); };

  setMousePointer(rt::kCustomPointer);
  StartNewGame();
}

void Form12::layOut() {
  buildBoard(kBackColour, kBoardTop);
  Element.array().bind([this](rt::PictureBox& cell, int i) { cell.Click = [this, i] { Element_Click(i); }; });
  buildPortholes(rt::twi(75), rt::twi(5100), rt::twi(300), "Vertical open portal", "Horizontal open portal");

  // The bars that frame the row and the column of the last click, over the board.
  auto bar = [this](const char* name, int left, int top, int width, int height) {
    rt::PictureBox& b = add<rt::PictureBox>(name, Podloga);
    b.setBorderStyle(0);
    b.setBackColor(kBarColour);
    b.Move(left, top, width, height);
    return &b;
  };
  h1 = bar("h1", 0, kBoardTop, rt::twi(5130), rt::twi(75));
  h2 = bar("h2", 0, rt::twi(840), rt::twi(5130), rt::twi(75));
  v1 = bar("v1", rt::twi(4200), kBoardTop, rt::twi(75), rt::twi(5130));
  v2 = bar("v2", rt::twi(3360), kBoardTop, rt::twi(75), rt::twi(5130));

  Picture3 = &add<rt::PictureBox>("Picture3", Podloga);
  Picture3->setBorderStyle(0);
  Picture3->Move(rt::twi(5520), 0, 161, rt::twi(820));
  Picture3->setPicture(ownPicture("Picture3"));
  buildCashPanel(rt::twi(5520), rt::twi(830), "Label12", "Label11");
  Label12 = bestCaption;
  Label11 = bestLabel;

  // The teal panel: the current kind that removes the portholes, the lifebelt and their prices.
  Picture2 = &add<rt::PictureBox>("Picture2", Podloga);
  Picture2->setBorderStyle(0);
  Picture2->setBackColor(kPanelColour);
  Picture2->Move(rt::twi(5520), rt::twi(1920), rt::twi(2432), rt::twi(3480));
  for (const char* name : {"Shape1", "Shape2"}) {
    rt::Shape& s = add<rt::Shape>(name, Picture2);
    s.BorderColor = rt::RGB(200, 236, 236);
    s.BorderWidth = 2;
    s.Move(rt::twi(165), name[5] == '1' ? rt::twi(1080) : rt::twi(2220), rt::twi(2040), rt::twi(975));
  }
  auto label = [this](const char* name, const std::string& caption, int left, int top, int width, rt::Color ink) {
    return &addText(name, caption, {left, top, width, 18}, {bold(), ink}, Picture2);
  };
  Label1 = label("Label1", "Next:", rt::twi(630) - 8, rt::twi(1305), 44, kPanelInk);
  Label10 = label("Label10", "2$", rt::twi(600) - 8, rt::twi(1575), 44, kPriceInk);
  Label9 = label("Label9", "", rt::twi(1080), rt::twi(2460), 86, kPanelInk);
  pomoc4 = label("pomoc4", "", rt::twi(960), rt::twi(2655) + 4, 92, kPriceInk);

  Picture9 = &add<rt::PictureBox>("Picture9", Picture2);
  Picture9->Move(rt::twi(1200), rt::twi(1306), 36, 36);
  Picture9->setBackColor(rt::RGB(128, 128, 128));
  Picture9->ToolTipText = "Removes the portholes";
  Picture9->Click = [this] { Picture9_Click(); };
  Picture5 = &add<rt::PictureBox>("Picture5", Picture2);
  Picture5->Move(rt::twi(480), rt::twi(2460), 36, 36);
  Picture5->setPicture(ownPicture("Picture5"));
  Picture5->ToolTipText = "Lifebelt destroys all images";
  Picture5->Click = [this] { Picture5_Click(); };

  Command1 = &addButton("Command1", "Save score", {rt::twi(6500), rt::twi(2025), rt::twi(1335), 25},
                        [this] { Command1_Click(); });
}

rt::PicHandle Form12::kindPicture(int code) const {
  return code >= 0 && code < static_cast<int>(Uzorak.size()) ? Uzorak[code] : nullptr;
}

void Form12::setBars(bool visible) {
  for (rt::PictureBox* b : {h1, h2, v1, v2}) b->setVisible(visible);
}

void Form12::redrawAll() {
  for (int i = 0; i < kCells; ++i) {
    const int16_t code = Board[i];
    Element(i).setPicture(code == kEmpty ? nullptr : kindPicture(code));
    if (flipped[i] == kFlagged) drawUpsideDown(i);
  }
  showCash();
  Label10->setCaption(rt::Plain(skillFactor) + "$");
  pomoc4->setCaption(rt::BlankMoney(lifebeltPrice));
  ShowCurrentAndPortholes();
}

// --------------------------------------------------------------------------- game and skill

void Form12::StartNewGame() {
  clearBonus = 0;
  NewBoard();
  money = 0;
  score = 0;
  vjestina->setEnabled(true);
  Label4->setCaption(" 0$");
  Label8->setCaption(" 0");
}

void Form12::showPrice(bool wholeBoard) {
  const int32_t per = PricePerPicture(skillFactor, clearBonus);
  if (wholeBoard) {
    lifebeltPrice = 100 * per;
    Label9->setCaption("100 x" + rt::Blank(per) + "$=");
  } else {
    const int remaining = RemainingPictures(Board);
    lifebeltPrice = LifebeltPrice(remaining, skillFactor, clearBonus);
    Label9->setCaption(rt::Blank(remaining) + " x" + rt::Blank(per) + "$=");
  }
  pomoc4->setCaption(rt::BlankMoney(lifebeltPrice));
}

void Form12::NewBoard() {
  currentKind = kEmpty;
  skillFactor = SkillFactor(skill);
  showPrice(true);
  ShowCurrentAndPortholes();
  FillBoard();
}

void Form12::FillBoard() {
  for (int i = 0; i < kCells; ++i) {
    Element(i).Move((i % kSide) * kPitch, (i / kSide) * kPitch, kCellSize, kCellSize);
    Element(i).setBorderStyle(1);
    Element(i).setBackColor(rt::RGB(128, 128, 128));
    const int16_t k = DealKind(rt::RandomInt(10));
    Element.show(i, Uzorak[k]);
    Board[i] = k;
  }
  for (int i = 0; i < kCells; ++i) {
    flipped[i] = 0;
    Element(i).setVisible(true);
  }
}

void Form12::tezina_Click(int Index) {
  skill = static_cast<int16_t>(Index);
  skillFactor = SkillFactor(Index);
  Label10->setCaption(rt::Plain(skillFactor) + "$");
  checkSkill(Index);
  ShowCurrentAndPortholes();
  showPrice(true);
  LoadHiscore();
}

// ------------------------------------------------------------------------------ the clicks

void Form12::drawUpsideDown(int cell) {
  // Mirrored top to bottom into the cell's own image: from y 465 up to -15 twips.
  Element(cell).PaintPicture(kindPicture(Board[cell]), rt::twi(0), rt::twi(465), rt::twi(480), rt::twi(-480));
  Element(cell).Refresh();
}

void Form12::Element_Click(int Index) {
  if (!boardTakesInput()) return;
  BusyScope busy(*this);
  if (Board[Index] == kEmpty) return;
  if ((Board[Index] == kJoker && currentKind == kEmpty) || !Accepts(currentKind, lastRow, lastCol, Index)) {
    rt::host().beep();
    return;
  }
  lastRow = static_cast<int16_t>(Index / kSide);
  lastCol = static_cast<int16_t>(Index % kSide);
  if (!h1->Visible()) setBars(true);

  if (flipped[Index] == kFlagged) {
    Element(Index).setPicture(kindPicture(Board[Index]));
    flipped[Index] = 0;
  } else {
    drawUpsideDown(Index);
    flipped[Index] = kFlagged;
  }

  // Bars in twips from the board box: rows and columns are 510 twips apart.
  const int boxTop = Picture1->Top() * rt::kTwipsPerPixel, boxLeft = Picture1->Left() * rt::kTwipsPerPixel;
  h1->setLeft(rt::twi(32));
  h1->setTop(rt::twi(boxTop + lastRow * 510));
  h2->setLeft(rt::twi(32));
  h2->setTop(rt::twi(boxTop + lastRow * 510 + 510));
  v1->setLeft(rt::twi(boxLeft + lastCol * 510 + 30));
  v2->setLeft(rt::twi(boxLeft + lastCol * 510 + 525));

  CheckRun(Index);
  if (Board[Index] != kJoker) currentKind = Board[Index];
  ShowCurrentAndPortholes();
}

void Form12::CheckRun(int c) {
  vjestina->setEnabled(false);
  setMousePointer(rt::kHourglass);
  removeMark.fill(0);
  const RunCheck run = holmo::CheckRun(Board, flipped, currentKind, c);
  for (int k : run.removed) {
    removeMark[k] = kFlagged;
    Element(k).setPicture(Uzorak[kRemoved]);  // also over an upside-down drawing
    money += 1;
    score += 1;
  }
  for (int k : run.turnedBack) {
    Element(k).setPicture(kindPicture(Board[k]));
    flipped[k] = 0;
  }
  if (run.removed.empty()) return;
  shell::PlaySoundNo(1);
  showCash();
  ClearMarkedAndPrice();
}

void Form12::ClearMarkedAndPrice() {
  for (int k = 0; k < kCells; ++k) {
    if (removeMark[k] != kFlagged) continue;
    Board[k] = kEmpty;
    flipped[k] = 0;
    Element(k).setPicture(nullptr);
  }
  showPrice(false);
  if (RemainingPictures(Board) == 0) {
    clearBonus = static_cast<int16_t>(clearBonus + skillFactor);
    NewBoard();
  }
}

void Form12::ShowCurrentAndPortholes() {
  Picture9->setPicture(currentKind == kEmpty ? Uzorak[kNoKind] : kindPicture(currentKind));
  hidePortholes();
  if (currentKind != kEmpty && lastRow >= 0 && lastRow < kSide && lastCol >= 0 && lastCol < kSide) {
    otvorg(lastCol).setVisible(true);
    otvorh(lastRow).setVisible(true);
  }
}

// ------------------------------------------------------------------------ the paid actions

void Form12::Picture9_Click() {
  if (!boardTakesInput()) return;
  BusyScope busy(*this);
  if (currentKind == kEmpty || skillFactor > money) {
    rt::host().beep();
    return;
  }
  money -= skillFactor;
  Label4->setCaption(rt::BlankMoney(money));
  shell::PlaySoundNo(7);
  CheckRun(kNoCell);
  currentKind = kEmpty;
  ShowCurrentAndPortholes();
  setBars(false);
}

void Form12::Picture5_Click() {
  if (!boardTakesInput()) return;
  BusyScope busy(*this);
  if (lifebeltPrice > money) {
    rt::host().beep();
    return;
  }
  money -= lifebeltPrice;
  Label4->setCaption(rt::BlankMoney(money));
  for (int k = 0; k < kCells; ++k) {
    if (Board[k] == kEmpty) continue;
    removeMark[k] = kFlagged;
    Element(k).setPicture(Uzorak[kLifebeltHit]);
  }
  shell::PlaySoundNo(3);
  ClearMarkedAndPrice();
}

}  // namespace removal
