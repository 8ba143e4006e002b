#include "tumo.h"

#include "pack_fn.h"
#include "rt/numbers.h"
#include "rt/random.h"

namespace removal {

using namespace tumo;

namespace {
constexpr rt::Color kBackColour = rt::RGB(204, 218, 236);
constexpr rt::Color kPriceInk = rt::RGB(255, 246, 200);
constexpr int kBoardTop = 18;    // 272 twips
constexpr int kRight = 371;      // 5565 twips: the right-hand column

const char* const kHelpText =
    "  Welcome to Tumo,\r"
    "Tumo is freeware, written by Morvel Vukran in 2004. "
    "Your goal is to remove images attached horizontally or vertically. You can use helpful objects such as "
    "a bomb, ladders and a heart thus decreasing your amount of money. Put an image or a helpful object "
    "through an open porthole. The more images you have the better player you are.\r"
    "  Good luck. Have a fun.";
}  // namespace

VPK_GAME_WINDOW(Form3);

Form3::Form3(const shell::GameEntry& entry) : PortholeWindow(entry, 8040, 5640, "Tumo") {}

// ------------------------------------------------------------------------------------- load

void Form3::Form_Load() {
  addMenus();
  MouseIcon = ownPicture("pointer");
  layOut();

  // The window's copies of the pictures it draws, by cell code.
  for (int i = 0; i <= 4; ++i) {
    Uzorak[i] = picture("cartoon", i);
    Uzorak[15 + i] = picture("creatures", i);
  }
  Uzorak[kJoker] = picture("cartoon", 5);
  Uzorak[kEmpty] = ownPicture("Uzorak6");
  for (int i = kBombHit; i <= kLadderHit; ++i) Uzorak[i] = picture("Uzorak", i);
  for (int mode = kBomb; mode <= kHeart; ++mode) Uzorak[kHelperBase + mode] = button[mode + 1]->Picture();

  rt::Randomize();
  LoadHiscore();
  buildHelpPanel(HelpPanelLayout{.left = 0,
                                 .top = rt::twi(280),
                                 .width = rt::twi(5145),
                                 .height = rt::twi(5145),
                                 .textLeft = rt::twi(240),
                                 .textTop = rt::twi(1560),
                                 .textWidth = rt::twi(4575),
                                 .textHeight = rt::twi(2295),
                                 .buttonLeft = rt::twi(4140),
                                 .buttonTop = rt::twi(4650),
                                 .buttonWidth = 60},
                 kHelpText);
  skill = 2;

  // Pieces are the ten kinds and the joker; a cell is a piece, empty or, while it drops, a helper.
  const rt::Spans pieces{{0, kJoker}, {15, 19}};
  const long long flying = kHelperBase;
  exposeArray("Board", Board, {{0, kEmpty}, {flying + kBomb, flying + kHeart}, {15, 19}});
  exposeArray("removeMark", removeMark, {{kFlagged, 0}});
  exposeArray("helperPrice", helperPrice, {{0, rt::kMostCount}});
  exposeScalar("nextKind", nextKind, pieces);
  exposeScalar("helperMode", helperMode, {{kNoHelper, kHeart}});
  exposeScalar("money", money, {{0, rt::kMostCount}});
  exposeScalar("score", score, {{0, rt::kMostCount}});
  exposeScalar("skill", skill, {{0, 0}, {2, 2}, {4, 4}});
  exposeScalar("priceStep", priceStep, {{1, 3}});
  exposeScalar("fallRow", fallRow, {{0, kSide - 1}});
  exposeScalar("fallCol", fallCol, {{0, kSide - 1}});
  redrawState = [this] { redrawAll(); };

  ChooseNextPiece();
  setMousePointer(rt::kCustomPointer);
  StartNewGame();
}

void Form3::layOut() {
  buildBoard(kBackColour, kBoardTop);
  buildPortholes(rt::twi(60), rt::twi(5130), rt::twi(330));
  for (int i = 0; i < kSide; ++i) {
    otvorg(i).Click = [this, i] { otvorg_Click(i); };
    otvorh(i).Click = [this, i] { otvorh_Click(i); };
  }
  buildCashPanel(kRight, rt::twi(840), "Label5", "Label6");
  Label5 = bestCaption;
  Label6 = bestLabel;

  Picture9 = &add<rt::PictureBox>("Picture9", Podloga);
  Picture9->Move(rt::twi(5685), rt::twi(2040), 36, 36);
  Picture9->setBackColor(rt::RGB(128, 128, 128));
  Picture9->ToolTipText = "Next";

  Command3 = &addButton("Command3", "Save score", {rt::twi(6525), rt::twi(2039), rt::twi(1335), 25},
                        [this] { Command3_Click(); });

  // Board turns in one row.
  struct Turn {
    int number, left;
    const char* tip;
    rt::PicHandle pic;
    void (Form3::*click)();
  };
  const Turn turns[] = {
      {8, kRight, "Rotate right", picture("Picture8"), &Form3::Picture8_Click},
      {7, rt::twi(6165), "Rotate left", picture("Picture7"), &Form3::Picture7_Click},
      {6, rt::twi(6765), "Flip vertical", picture("Tumo.Picture6"), &Form3::Picture6_Click},
      {14, rt::twi(7365), "Flip horizontal", ownPicture("Picture14"), &Form3::Picture14_Click},
  };
  for (const Turn& t : turns) {
    rt::PictureBox& b = add<rt::PictureBox>("Picture" + std::to_string(t.number), Podloga);
    b.setBorderStyle(0);
    b.setBackColor(kBackColour);
    b.Move(t.left, rt::twi(3000), 40, 32);
    b.setPicture(t.pic);
    b.ToolTipText = t.tip;
    b.Click = [this, fn = t.click] { (this->*fn)(); };
    button[t.number] = &b;
  }

  // The shop: the helpers down the left, their prices on the brick panel beside them.
  kosta = &add<rt::PictureBox>("kosta", Podloga);
  kosta->setBorderStyle(0);
  kosta->Move(rt::twi(6045), rt::twi(3510), rt::twi(1935), rt::twi(2055));
  kosta->setPicture(picture("kosta"));
  const char* tips[4] = {"Bomb", "Horizontal ladder", "Vertical ladder", "Heart"};
  void (Form3::*clicks[4])() = {&Form3::Picture2_Click, &Form3::Picture3_Click, &Form3::Picture4_Click,
                                &Form3::Picture5_Click};
  for (int item = 0; item < 4; ++item) {
    const std::string name = "Picture" + std::to_string(item + 2);
    rt::PictureBox& b = add<rt::PictureBox>(name, Podloga);
    b.setBorderStyle(0);
    b.Move(kRight, rt::twi(3480 + 480 * item), 32, 32);
    b.setPicture(picture(name));
    b.ToolTipText = tips[item];
    b.Click = [this, fn = clicks[item]] { (this->*fn)(); };
    button[item + 2] = &b;
    pomoc[item + 1] = &addText("pomoc" + std::to_string(item + 1), "", {8, 6 + 32 * item, rt::twi(1635), 25},
                               {{"Tahoma", 9.75, true, false, false}, kPriceInk}, kosta);
  }
}

void Form3::redrawAll() {
  for (int i = 0; i < kCells; ++i) DrawCell(i);
  showCash();
  for (int item = 0; item < 4; ++item) pomoc[item + 1]->setCaption(rt::BlankMoney(helperPrice[item]));
  if (nextKind >= 0 && nextKind < static_cast<int>(Uzorak.size())) Picture9->setPicture(Uzorak[nextKind]);
}

// --------------------------------------------------------------------------- game and skill

void Form3::StartNewGame() {
  helperMode = kNoHelper;
  money = 0;
  score = 0;
  helperPrice = kStartPrices;
  priceStep = PriceStep(skill);
  Label4->setCaption(" 0$");
  Label8->setCaption(" 0");
  for (int item = 1; item <= 3; ++item) pomoc[item]->setCaption(" 0$");
  pomoc[4]->setCaption(" 5$");
  vjestina->setEnabled(true);
  ClearBoard();
}

void Form3::ClearBoard() {
  for (int i = 0; i < kCells; ++i) {
    Element(i).Move((i % kSide) * kPitch, (i / kSide) * kPitch, kCellSize, kCellSize);
    Element(i).setBorderStyle(1);
    Element(i).setBackColor(rt::RGB(128, 128, 128));
    Element.show(i, Uzorak[kEmpty]);
    Board[i] = kEmpty;
  }
  for (int i = 0; i < kCells; ++i) Element(i).setVisible(true);
}

void Form3::tezina_Click(int Index) {
  skill = static_cast<int16_t>(Index);
  priceStep = PriceStep(Index);
  checkSkill(Index);
  ChooseNextPiece();
  LoadHiscore();
}

void Form3::ChooseNextPiece() {
  nextKind = NextKind(rt::RandomInt(11));
  Picture9->setPicture(Uzorak[nextKind]);
  hidePortholes();
  const Portholes open = OpenPortholes(skill, [](int k) { return rt::RandomInt(k); });
  for (int i = 0; i < kSide; ++i) {
    if (open.top[i]) otvorg(i).setVisible(true);
    if (open.right[i]) otvorh(i).setVisible(true);
  }
}

// --------------------------------------------------------------------------------- the drop

void Form3::DrawCell(int i) {
  const int16_t code = Board[i];
  Element.show(i, code >= 0 && code < static_cast<int>(Uzorak.size()) ? Uzorak[code] : nullptr);
}

void Form3::StepDown() {
  const int t = fallRow * kSide + fallCol;
  if (t < kSide || Board[t] != kEmpty) return;
  Board[t] = Board[t - kSide];
  DrawCell(t);
  Board[t - kSide] = kEmpty;
  DrawCell(t - kSide);
}

void Form3::StepLeft() {
  const int t = fallRow * kSide + fallCol;
  if (fallCol >= kSide - 1 || Board[t] != kEmpty) return;
  Board[t] = Board[t + 1];
  DrawCell(t);
  Board[t + 1] = kEmpty;
  DrawCell(t + 1);
}

void Form3::Drop(bool fromTop, int index) {
  if (!boardTakesInput()) return;
  BusyScope busy(*this);
  const DropPath path = PathOf(Board, fromTop, index);
  if (path.entry < 0) return;  // the entry cell is taken: nothing happens

  const bool helper = helperMode >= kBomb && helperMode <= kHeart;
  Board[path.entry] = helper ? static_cast<int16_t>(kHelperBase + helperMode) : nextKind;
  DrawCell(path.entry);
  if (fromTop)
    fallCol = static_cast<int16_t>(index);
  else
    fallRow = static_cast<int16_t>(index);
  shell::PlaySoundNo(9);
  for (int t : path.steps) {
    if (fromTop)
      fallRow = static_cast<int16_t>(t / kSide);
    else
      fallCol = static_cast<int16_t>(t % kSide);
    shell::TimedStep(50, [&] { fromTop ? StepDown() : StepLeft(); });
  }

  const int landing = path.landing;
  if (IsPiece(Board[landing])) {
    LandPiece(landing);
    ChooseNextPiece();
  } else if (path.blocking >= 0) {
    LandPiece(path.blocking);
    removeMark[landing] = kFlagged;
  } else {
    // A helper that hit nothing leaves; earlier marks must not take pictures a turn moved there.
    removeMark.fill(0);
    removeMark[landing] = kFlagged;
    helperMode = kNoHelper;
    shell::PauseSeconds(1);
  }
  ClearMarkedCells();
}

void Form3::LandPiece(int c) {
  if (Board[c] == kEmpty) return;
  vjestina->setEnabled(false);
  removeMark.fill(0);

  if (helperMode < kBomb || helperMode > kHeart) {
    const int removed = MarkLandingGroup(Board, removeMark, c, [this](int cell) {
      Element.show(cell, Uzorak[kRemoved]);
      money += 1;
      score += 1;
    });
    if (removed == 0) return;  // no match: the piece stays where it landed
    shell::PlaySoundNo(1);
    showCash();
    ClearMarkedCells();
    return;
  }

  const int mode = helperMode;
  for (int cell : HelperCells(Board, mode, c)) {
    removeMark[cell] = kFlagged;
    if (Board[cell] != kEmpty) Element.show(cell, Uzorak[HelperEffect(mode)]);
  }
  shell::PlaySoundNo(HelperSound(mode));
  ClearMarkedCells();
  helperMode = kNoHelper;
}

void Form3::ClearMarkedCells() {
  for (int i = 0; i < kCells; ++i) {
    if (removeMark[i] != kFlagged) continue;
    Board[i] = kEmpty;
    DrawCell(i);
  }
}

// ------------------------------------------------------------------------- shop and turns

void Form3::BuyHelper(int mode) {
  if (!boardTakesInput()) return;
  BusyScope busy(*this);
  const int item = mode - 1;
  if (helperPrice[item] > money) return;  // too dear: nothing happens
  helperMode = static_cast<int16_t>(mode);
  money -= helperPrice[item];
  Label4->setCaption(rt::BlankMoney(money));
  helperPrice[item] = RaisedPrice(item, helperPrice[item], priceStep);
  pomoc[mode]->setCaption(rt::BlankMoney(helperPrice[item]));
  shell::PlaySoundNo(7);
}

void Form3::TurnTheBoard(int turn) {
  if (!boardTakesInput()) return;
  BusyScope busy(*this);
  if (priceStep > money) return;
  money -= priceStep;
  Label4->setCaption(rt::BlankMoney(money));
  tumo::TurnBoard(Board, turn);
  RedrawAfterTurn();
}

void Form3::RedrawAfterTurn() {
  for (int i = 0; i < kCells; ++i) DrawCell(i);
  shell::PlaySoundNo(6);
}

}  // namespace removal
