#include "smylo.h"

#include <algorithm>
#include <cstdio>

#include "rt/color.h"
#include "rt/host.h"
#include "rt/numbers.h"
#include "rt/random.h"

namespace board {

namespace {
const char* const kHelpText =
    "  Welcome to Smylo, freeware programmed by Morvel Vukran in 2004. Your goal is to reveal all the "
    "smileys with less moves.\r"
    "Blue coins contain number of smileys in a row or column. Yellow coins contain number of adjacent "
    "smileys. Every revealed smiley rewards you with one additional move. It is useful to mark, by a right "
    "mouse button, certain cells with red cross.\r"
    "  Good luck. Have a fun.";
constexpr int kCoin = 20;
int points(double p) { return static_cast<int>(rt::pt(p) + 0.5); }
}  // namespace

VPK_GAME_WINDOW(Form18);

Form18::Form18(const shell::GameEntry& entry) : GameWindow(entry, 5955, 6405) {}

void Form18::Form_Load() {
  addPlayMenu();
  skeg = &menu("skeg", "Skill");
  skeg->add("sk", "Normal", 0).setChecked(true);
  skeg->add("sk", "Hard", 1);
  for (auto& item : skeg->items()) item->ClickIndexed = [this](int i) { sk_Click(i); };
  addHelpMenu();
  addHomePageMenu();

  BackColor = rt::RGB(236, 232, 216);
  Picture1 = &add<rt::PictureBox>("Picture1");
  Picture1->ScaleModeValue = rt::kPixels;
  Picture1->setBorderStyle(0);
  Picture1->setBackColor(rt::RGB(250, 248, 240));
  Picture1->Move(8, 8, 381, 381);
  Picture1->MouseDown = [this](int b, int s, float x, float y) { Picture1_MouseDown(b, s, x, y); };
  board_ = Picture1;

  const TextStyle style{{"Tahoma", 9.75, true, false, false}, rt::RGB(24, 40, 96)};
  auto label = [&](const char* name, const char* caption, int left, int width) {
    return &addText(name, caption, {left, 398, width, 20}, style);
  };
  Label2 = label("Label2", "Moves left:", 16, 84);
  ml = label("ml", "15", 100, 40);
  sl = label("sl", "0/30", 174, 60);
  pokreti = label("pokreti", "000", 320, 50);
  ikona = &add<rt::PictureBox>("ikona");  // the smiley, shown beside the found count
  ikona->setPicture(ownPicture("smiley"));
  ikona->Move(146, 396, 24, 24);

  cross_ = ownPicture("cross");
  for (int i = 0; i < 5; ++i) zuti_[i] = ownPicture("yellow" + std::to_string(i));
  for (int i = 0; i < 16; ++i) plavi_[i] = ownPicture("blue" + std::to_string(i));

  // The help panel lies over the board and disables it; its places are in points.
  buildHelpPanel(HelpPanelLayout{.panel = "Picture2",
                                 .label = "Label1",
                                 .button = "Command1",
                                 .left = 70,
                                 .top = 70,
                                 .width = 260,
                                 .height = 260,
                                 .textLeft = points(10),
                                 .textTop = points(30),
                                 .textWidth = points(175),
                                 .textHeight = points(145),
                                 .buttonLeft = points(144),
                                 .buttonTop = points(170),
                                 .buttonWidth = 60,
                                 .shortVariant = true},
                 kHelpText);
  // A plain panel of the window's own: Smylo takes no picture from the library.
  helpPanel_->setBorderStyle(1);
  helpPanel_->setPicture(nullptr);
  helpPanel_->setBackColor(BackColor);

  rt::Randomize();
  MovesBudget = 15;
  // A cell holds the count of its smiley neighbours or a smiley; every reveal is of a new cell.
  // The last entry lies beyond the 15 x 15 cells and stays as the deal leaves it.
  constexpr size_t kGrid = 15 * 15;
  exposeArray("Board", Board, [](size_t i) {
    return i < kGrid ? rt::Spans{{0, 4}, {smylo::kSmiley, smylo::kSmiley}} : rt::Spans{{-1, -1}};
  });
  exposeArray("Revealed", Revealed, [](size_t i) { return i < kGrid ? rt::Spans{{-1, 0}} : rt::Spans{{0, 0}}; });
  exposeScalar("FoundCount", FoundCount, {{0, smylo::kSmileys}});
  exposeScalar("ClickCount", ClickCount, {{0, kGrid}});
  exposeScalar("MovesBudget", MovesBudget, {{10, 10}, {15, 15}});
  NewBoard();
}

int Form18::movesLeft() const { return static_cast<int>(rt::Val(ml->Caption())); }

void Form18::paintCell(int x, int y, const rt::PicHandle& pic) {
  Picture1->PaintPicture(pic, 23 * x + 30, 23 * y + 30, kCoin, kCoin);
}

void Form18::MarkCross(int x, int y) {
  if (Revealed[smylo::Index(x, y)]) return;
  paintCell(x, y, cross_);
}

void Form18::NewBoard() {
  FoundCount = 0;
  ClickCount = 0;
  Revealed.fill(0);
  ml->setCaption(rt::Plain(MovesBudget));
  sl->setCaption("0/30");
  pokreti->setCaption("000");
  hideHelp();
  Picture1->Cls();
  Picture1->setVisible(true);
  const smylo::Tallies t = smylo::Deal(Board, [](int k) { return rt::RandomInt(k); });
  for (int v = 0; v <= 345; v += 23) {
    const rt::Color pen = v == 0 ? rt::kRed : rt::kBlack;
    Picture1->Line(v + 28, 5, v + 28, 373, pen);
    Picture1->Line(5, v + 28, 373, v + 28, pen);
  }
  for (int i = 0; i < smylo::kSide; ++i) {
    Picture1->PaintPicture(plavi_[t.column[i]], 23 * i + 30, 7, kCoin, kCoin);
    Picture1->PaintPicture(plavi_[t.row[i]], 7, 23 * i + 30, kCoin, kCoin);
    if (t.column[i] == 0)
      for (int y = 0; y < smylo::kSide; ++y) MarkCross(i, y);
    if (t.row[i] == 0)
      for (int x = 0; x < smylo::kSide; ++x) MarkCross(x, i);
  }
}

void Form18::Picture1_MouseDown(int Button, int Shift, float X, float Y) {
  int x, y;
  if (!smylo::CellAt(X, Y, x, y)) return;
  const int i = smylo::Index(x, y);
  skeg->setEnabled(false);
  if (Revealed[i] || FoundCount == smylo::kSmileys || movesLeft() == 0) {
    rt::host().beep();
    return;
  }
  if (Button == 2) {
    MarkCross(x, y);
    return;
  }
  const bool smiley = Board[i] == smylo::kSmiley;
  if (smiley) {
    paintCell(x, y, ikona->Picture());
    ++FoundCount;
    sl->setCaption(rt::Plain(FoundCount) + "/30");
  } else {
    paintCell(x, y, zuti_[std::clamp<int>(Board[i], 0, 4)]);
  }
  ml->setCaption(rt::Plain(smylo::MovesAfterReveal(movesLeft(), smiley)));
  Revealed[i] = -1;
  ++ClickCount;
  char count[16];
  std::snprintf(count, sizeof count, "%03d", ClickCount);
  pokreti->setCaption(count);
  if (Board[i] == 0)
    for (auto [cx, cy] : smylo::CrossesAround(x, y)) MarkCross(cx, cy);
}

void Form18::sk_Click(int Index) {
  for (auto& item : skeg->items()) item->setChecked(item->Index() == Index);
  MovesBudget = static_cast<int16_t>(15 - 5 * Index);
  ml->setCaption(rt::Plain(MovesBudget));
}

}  // namespace board
