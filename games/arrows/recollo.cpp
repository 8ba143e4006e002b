#include "recollo.h"

#include "glimbo.h"
#include "pack_fn.h"
#include "picture_library.h"
#include "rt/dispatch.h"
#include "rt/numbers.h"
#include "rt/random.h"

namespace arrows {

using namespace recollo;

VPK_GAME_WINDOW(Form7);

namespace {
constexpr int kSideLength = 343;  // the cells' extent
constexpr int kBack = 6, kMarkPicture = 7;

constexpr const char* kHelp =
    "  Welcome to Recollo, freeware programmed by Morvel Vukran in 2003. This is an unusual and challenging "
    "memory game.\r"
    "Your goal is to connect the same images. One-way arrow shifts the row or column in direction it points. "
    "The key is to often use two-way arrows. Two-way arrow reveals in a few seconds the row or column it "
    "points. Shifting the two-way arrows is useful. If you miss the images the red confusing arrow activates "
    "and the other arrow becomes red.\r"
    "  Good luck. Have a fun.";

std::string NumberText(int n) {
  std::string s = n < 10 ? std::string(1, '0') : std::string();
  return s.append(std::to_string(n));
}
}  // namespace

Form7::Form7(const shell::GameEntry& entry)
    : shell::GameWindow(entry, kSideLength * rt::kTwipsPerPixel, kSideLength * rt::kTwipsPerPixel) {}

void Form7::Form_Load() {
  addPlayMenu();
  opcije = &menu("opcije", "Options");
  pc = &opcije->add("pc", "Images");
  static const char* const kItems[] = {"Two same images", "Three same images"};
  for (int i = 0; i < 2; ++i) {
    rt::MenuItem& item = pc->add("pieces", kItems[i], i);
    item.ClickIndexed = [this](int Index) { pieces_Click(Index); };
  }
  pc->find("pieces", 0)->setChecked(true);
  addHelpMenu();
  addHomePageMenu();

  static const char* const kOwn[] = {"left", "right", "up", "down", "row", "column", "back"};
  for (int i = 0; i <= kBack; ++i) pom[i] = ownPicture(kOwn[i]);
  pom[kMarkPicture] = picture("Brenx.ikona", 51);
  pom[8] = Form8::ArrowPictures(47);
  pom[9] = Form8::ArrowPictures(49);
  pom[10] = Form8::ArrowPictures(48);
  pom[11] = Form8::ArrowPictures(46);
  for (int k = 0; k < 45; ++k) ikona[k] = shell::PictureLibrary::instance().kind(k / 5, k % 5);

  Picture1 = &add<rt::PictureBox>("Picture1");
  Picture1->setBorderStyle(0);
  Picture1->setBackColor(rt::RGB(128, 128, 128));
  Picture1->Move(0, 0, 345, 345);
  board_ = Picture1;
  slika.build(*this, "slika", Picture1,
              {.cols = kSide, .rows = kSide, .pitchX = 34, .pitchY = 34, .cellWidth = 36, .cellHeight = 36,
               .left = 1, .top = 1, .border = 1, .back = rt::RGB(128, 128, 128)},
              [this](rt::PictureBox& c, int i) { c.Click = [this, i] { slika_Click(i); }; });
  broj.init(this, "broj");
  for (int k = 0; k < kCells; ++k) {
    rt::Label& l = broj.create(k, &slika(k));
    l.BackStyle = 0;
    l.Alignment = rt::kCenter;
    l.setFont({"MS Sans Serif", 9.75, true, false, false});
    l.setForeColor(rt::RGB(255, 255, 255));
    l.Click = [this, k] { broj_Click(k); };
  }

  buildHelpPanel({.panel = "Picture2", .label = "Label1", .button = "Command1", .left = 0, .top = 0,
                  .width = 345, .height = 345, .textLeft = 13, .textTop = 103, .textWidth = 313,
                  .textHeight = 160, .buttonLeft = 277, .buttonTop = 311, .buttonWidth = 57,
                  .font = {"MS Sans Serif", 8.25, true, false, false}},
                 kHelp);

  rt::Randomize();
  recollo::Board& board = game.board;
  // Cards 0..44 and arrows 45..50 (free only while dealing); the numbers read 00..99; picks and
  // the red arrow are cells; fewer cards are up than an attempt takes.
  exposeArray("Board", board.kind, {{0, kRevealColumn}});
  exposeArray("cellFixed", board.fixed, {{kFixed, 0}});
  exposeArray("cellNumber", board.number, {{0, kCells - 1}});
  exposeArray("picks", game.picks, {{0, kCells - 1}});
  exposeScalar("redArrowCell", board.redArrow, {{0, kCells - 1}});
  exposeScalar("pickCount", game.pickCount, [this] { return rt::Spans{{0, matchSize() - 1}}; });
  exposeScalar("foundCount", game.foundCount, [this] { return rt::Spans{{0, SetsToFind(matchSize())}}; });
  redrawState = [this] {
    ShowNumbersOfCoveredCards(game.board);
    RedrawBoard();
  };
  DealBoard();
}

int Form7::matchSize() const { return pc->find("pieces", 0)->Checked() ? 2 : 3; }

void Form7::pieces_Click(int Index) {
  for (int i = 0; i < 2; ++i) pc->find("pieces", i)->setChecked(i == Index);
  DealBoard();
}

void Form7::DealBoard() {
  // No click may reach the board while the deal redraws it.
  BusyScope busy(*this, false);
  Picture1->setVisible(true);
  helpPanel_->setVisible(false);
  for (int k = 0; k < kCells; ++k) {
    slika(k).setPicture(pom[kBack]);
    broj(k).Move(rt::twi(124), rt::twi(120), rt::twi(255), rt::twi(255));
  }
  Redeal(game, matchSize(), [](int k) { return rt::RandomInt(k); });
  for (int k = 0; k < kCells; ++k) broj(k).setCaption(NumberText(game.board.number[k]));
  PickRedArrow();
  RedrawBoard();
}

void Form7::PickRedArrow() {
  const int before = game.board.redArrow;
  if (!recollo::PickRedArrow(game.board, rt::RandomInt(8) + 1)) return;
  if (before >= 0 && before < kCells) slika(before).setPicture(arrowPicture(game.board.kind[before], false));
  const int red = game.board.redArrow;
  slika(red).setPicture(arrowPicture(game.board.kind[red], true));
}

rt::PicHandle Form7::cardPicture(int kind) const {
  return kind >= 0 && kind < static_cast<int>(ikona.size()) ? ikona[kind] : nullptr;
}

rt::PicHandle Form7::arrowPicture(int kind, bool red) const {
  // Red pictures exist for the one-way arrows only.
  if (kind < kArrowLeft || kind > (red ? kArrowDown : kRevealColumn)) return nullptr;
  return pom[kind - kArrowLeft + (red ? 8 : 0)];
}

void Form7::showNumber(int cell) { broj(cell).setVisible(game.board.numberShown[cell] != 0); }

void Form7::RedrawCell(int k) {
  const recollo::Board& board = game.board;
  const int16_t kind = board.kind[k];
  if (!IsDealt(kind)) return;
  if (!board.fixed[k]) broj(k).setCaption(NumberText(board.number[k]));
  showNumber(k);
  if (!board.fixed[k]) {
    slika(k).setPicture(pom[kBack]);
  } else if (kind >= kArrowLeft) {
    slika(k).setPicture(arrowPicture(kind, k == board.redArrow && IsOneWay(kind)));
  } else {
    slika(k).setPicture(cardPicture(kind));
    slika(k).PaintPicture(pom[kMarkPicture], 0, 0);
  }
  rt::DoEvents();
}

void Form7::RedrawRow(int first) {
  for (int k = first; k < first + kSide; ++k) RedrawCell(k);
}

void Form7::RedrawColumn(int column) {
  for (int r = 0; r < kSide; ++r) RedrawCell(column + kSide * r);
}

void Form7::RedrawBoard() {
  for (int r = 0; r < kSide; ++r) RedrawRow(kSide * r);
}

void Form7::ShiftLine(int cell) {
  const std::optional<recollo::LineShift> s = recollo::ShiftLine(game.board, cell);
  if (!s) return;
  for (int k = 0; k < kCells; ++k) broj(k).setCaption(NumberText(game.board.number[k]));
  if (arrows::IsRowShift(s->dir))
    RedrawRow(kSide * s->line);
  else
    RedrawColumn(s->line);
}

void Form7::fireArrow(int cell, Click click) {
  slika(cell).setPicture(arrowPicture(game.board.kind[cell], false));
  rt::DoEvents();
  if (click == Click::Shift) {
    ShiftLine(cell);
    PickRedArrow();
    return;
  }
  const Revealed shown = Reveal(game.board, cell);
  for (int k : shown.cells) {
    slika(k).setPicture(cardPicture(game.board.kind[k]));
    showNumber(k);
  }
  shell::PauseSeconds(3);
  Cover(game.board, shown);
  if (shown.row)
    RedrawRow(kSide * shown.line);
  else
    RedrawColumn(shown.line);
}

void Form7::settleAttempt(int g) {
  shell::PauseSeconds(1);
  const Attempt result = Settle(game, g);
  const std::vector<int> picked = Picked(game, g);
  if (result == Attempt::Missed) {
    for (int k : picked) {
      showNumber(k);
      slika(k).setPicture(pom[kBack]);
    }
    ShiftLine(game.board.redArrow);
    PickRedArrow();
    return;
  }
  for (int k : picked) slika(k).PaintPicture(pom[kMarkPicture], 0, 0);
  shell::PlaySoundNo(1);
  if (result == Attempt::Won) shell::PlaySoundNo(8);  // the board stays disabled
}

void Form7::slika_Click(int Index) {
  if (Index < 0 || Index >= kCells || !boardTakesInput()) return;
  BusyScope busy(*this, false);
  if (pc->Enabled()) {
    pc->setEnabled(false);
    opcije->setEnabled(false);
  }
  const int g = matchSize();
  const Click click = ClickCell(game, Index, g);
  if (click == Click::Refused) return;
  showNumber(Index);
  switch (click) {
    case Click::Held:
      return;
    case Click::Reveal:
    case Click::Shift:
      fireArrow(Index, click);
      return;
    default:
      break;
  }
  slika(Index).setPicture(cardPicture(game.board.kind[Index]));
  rt::DoEvents();
  if (click == Click::Complete) settleAttempt(g);
}

}  // namespace arrows
