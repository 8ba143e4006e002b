#include "stakk.h"

#include "pack_fn.h"
#include "rt/host.h"
#include "rt/numbers.h"
#include "rt/random.h"

namespace board {

using namespace stakk;

namespace {
constexpr int kBoardWidth = 250, kBoardHeight = 256;
constexpr int kPanelLeft = kBoardWidth + 12, kPanelWidth = 130;
constexpr int kFormWidth = kPanelLeft + kPanelWidth + 8, kFormHeight = kBoardHeight + 8;

const char* const kHelp3 =
    "      Stakk 3D 3x3x3\r"
    "   Welcome to freeware Stakk 3D, by Morvel Vukran, \r"
    "Connect 3 coins horizontally, vertically or diagonally. When connected they become white, you score one "
    "additional point and you have one more turn. You can populate an empty field or field with white coin.\r"
    "A winner is who first reaches the limit of 10 points.\r"
    "     Good luck. Have a fun.";
const char* const kHelp4 =
    "      Stakk 3D 4x4x4\r"
    "   Welcome to freeware Stakk 3D, by Morvel Vukran, \r"
    "an advanced variant of noughts and crosses, played against the computer or a human. "
    "Connect 4 coins horizontally, vertically or diagonally. When connected you win.\r"
    "     Good luck. Have a fun.";

int coordA(int cell) { return cell % 4; }
int coordB(int cell) { return cell / 4 % 4; }
int coordC(int cell) { return cell / 16; }
}  // namespace

VPK_GAME_WINDOW(Form17);

Form17::Form17(const shell::GameEntry& entry)
    : shell::GameWindow(entry, kFormWidth * rt::kTwipsPerPixel, kFormHeight * rt::kTwipsPerPixel) {}

void Form17::check(const char* name, int count, int i) {
  for (int k = 0; k < count; ++k) opcije->find(name, k)->setChecked(k == i);
}

void Form17::Form_Load() {
  addPlayMenu();
  opcije = &menu("opcije", "Options");
  rt::MenuItem& kind = opcije->add("izvr", "Type of game");
  kind.add("vrsta", "Stakk 3D 3x3x3", 0);
  kind.add("vrsta", "Stakk 3D 4x4x4", 1).setChecked(true);
  for (auto& item : kind.items()) item->ClickIndexed = [this](int i) { vrsta_Click(i); };
  rt::MenuItem& brown = opcije->add("www", "Brown player");
  brown.add("opo", "Human", 0);
  brown.add("opo", "Computer", 1).setChecked(true);
  for (auto& item : brown.items()) item->ClickIndexed = [this](int i) { opo_Click(i); };
  rt::MenuItem& first = opcije->add("o2", "Who goes first");
  first.add("op2", "Green", 0);
  first.add("op2", "Brown", 1);
  first.add("op2", "Random", 2).setChecked(true);
  for (auto& item : first.items()) item->ClickIndexed = [this](int i) { op2_Click(i); };
  options_ = opcije;
  rt::MenuItem& help = menu("po", "Help");
  help.add("pomoc", "Stakk 3x3x3 help", 0);
  help.add("pomoc", "Stakk 4x4x4 help", 1);
  for (auto& item : help.items()) item->ClickIndexed = [this](int i) { pomoc_Click(i); };
  addHomePageMenu();

  BackColor = rt::RGB(236, 228, 212);
  Image1 = ownPicture("tile");
  for (int i = 0; i < 7; ++i) Igracka[i] = ownPicture("coin" + std::to_string(i));

  Picture1 = &add<rt::PictureBox>("Picture1");
  Picture1->setBorderStyle(0);
  Picture1->setBackColor(rt::RGB(250, 246, 236));
  Picture1->ScaleModeValue = rt::kPixels;
  Picture1->Move(4, 4, kBoardWidth, kBoardHeight);
  Picture1->MouseDown = [this](int button, int shift, float x, float y) { Picture1_MouseDown(button, shift, x, y); };
  board_ = Picture1;

  const rt::Font font{"Tahoma", 10, true, false, false};
  auto frame = [&](const char* name, const char* caption, int top, rt::Color colour, int index) {
    rt::FrameBox& f = add<rt::FrameBox>(name);
    f.setCaption(caption);
    f.setFont(font);
    f.setForeColor(colour);
    f.setBackColor(BackColor);
    f.Move(kPanelLeft, top, kPanelWidth, 48);
    rt::Label& l = bodovi.create(index, &f);
    l.BackStyle = 0;
    l.Alignment = rt::kCenter;
    l.setFont(rt::Font{"Tahoma", 14, true, false, false});
    l.setForeColor(colour);
    l.Move(8, 18, kPanelWidth - 16, 24);
    l.setCaption("0");
    return &f;
  };
  bodovi.init(this, "bodovi");
  Frame1 = frame("Frame1", "Green", 8, rt::RGB(30, 120, 40), 0);
  Frame2 = frame("Frame2", "Brown", 64, rt::RGB(130, 80, 30), 1);

  Label1 = &addText("Label1", "", {kPanelLeft, 124, kPanelWidth, 20}, {font});
  Label2 = &addText("Label2", "", {kPanelLeft, 148, kPanelWidth, 18}, {{"Tahoma", 9, false, false, false}});

  continue_ = &addButton("Command1", "Continue", {kPanelLeft + (kPanelWidth - 89) / 2, 184, 89, 25},
                         [this] { Command1_Click(); });

  buildHelpPanel(HelpPanelLayout{.panel = "Picture2", .label = "Label3", .button = "Command2",
                                 .left = 4, .top = 4, .width = kBoardWidth, .height = kBoardHeight,
                                 .textLeft = 14, .textTop = 14, .textWidth = kBoardWidth - 28,
                                 .textHeight = kBoardHeight - 60, .buttonLeft = (kBoardWidth - 81) / 2,
                                 .buttonTop = kBoardHeight - 38},
                 kHelp4);

  // White coins stand only in the 3 x 3 x 3 cube, which leaves the cells of the fourth column,
  // row and layer empty; the view is drawn for the variant chosen from the menu, which starts a
  // new game. Moves are counted in the 4 x 4 x 4 cube, where a four wins without a score; in
  // the 3 x 3 x 3 cube a score counts lines, no more than the cube has.
  exposeArray("Board", Board, [this](size_t i) {
    if (variant == 1) return rt::Spans{{kEmpty, kBrown}};
    const bool inCube = i % 4 < 3 && i / 4 % 4 < 3 && i / 16 < 3;
    return inCube ? rt::Spans{{kEmpty, kWhite}} : rt::Spans{{kEmpty, kEmpty}};
  });
  exposeReadOnly("variant", variant);
  exposeScalar("turn", turn, {{0, 1}});
  exposeScalar("moveCount", moveCount, [this] { return rt::Spans{{0, variant == 1 ? kCells : 0}}; });
  exposeArray("score", score, [this] { return rt::Spans{{0, variant == 1 ? 0 : static_cast<long long>(Lines(side()).size())}}; });
  redrawState = [this] {
    paintCoins();
    showScores();
  };

  rt::Randomize();
  variant = 1;
  NewStakkGame();
}

void Form17::NewStakkGame() {
  Label2->setCaption(variant == 1 ? "Up to 1" : "Up to 10");
  moveCount = 0;
  Picture1->setEnabled(false);
  hideHelp();
  Label1->setCaption("");
  Board.fill(kEmpty);
  score = {0, 0};
  showScores();
  drawEmptyGrid();
  continue_->setVisible(true);
  opcije->setEnabled(true);
}

bool Form17::computerBrown() const { return opcije->find("opo", 1)->Checked(); }

bool Form17::gameOver() const { return Label1->Caption() == " Game over" || Label1->Caption() == " Nobody won"; }

void Form17::vrsta_Click(int i) {
  check("vrsta", 2, i);
  variant = static_cast<int16_t>(i);
  NewStakkGame();
}
void Form17::opo_Click(int i) { check("opo", 2, i); }
void Form17::op2_Click(int i) { check("op2", 3, i); }

void Form17::pomoc_Click(int i) {
  helpLabel_->setCaption(i == 0 ? kHelp3 : kHelp4);
  showHelp();
}

void Form17::startPlay() {
  limit = 10;
  if (opcije->find("op2", 0)->Checked())
    turn = 0;
  else if (opcije->find("op2", 1)->Checked())
    turn = 1;
  else
    turn = static_cast<int16_t>(rt::RandomInt(2));
  ShowTurn();
  if (turn == 1 && computerBrown()) StakkComputerTurn();
  if (!gameOver()) Picture1->setEnabled(true);
}

void Form17::ShowTurn() { Label1->setCaption(turn == 1 ? "Brown's turn" : "Green's turn"); }

void Form17::showScores() {
  for (int p = 0; p < 2; ++p) bodovi(p).setCaption(rt::Plain(score[p]));
}

// ---------------------------------------------------------------------------- the view

void Form17::drawEmptyGrid() {
  Picture1->Cls();
  const int v = variant;
  for (int c = 0; c < side(); ++c)
    for (int a = 0; a < side(); ++a)
      for (int b = 0; b < side(); ++b)
        Picture1->PaintPicture(Image1, 91 - 7 * v + 32 * a - 23 * b, 15 + 12 * b + (46 + 12 * v) * c + 45 * (1 - v));
}

void Form17::paintCoin(int picture, int cell) {
  const int v = variant, a = coordA(cell), b = coordB(cell), c = coordC(cell);
  Picture1->PaintPicture(Igracka[picture], 110 - 7 * v + 32 * a - 24 * b,
                         15 + 12 * b + (46 + 12 * v) * c + 45 * (1 - v));
}

void Form17::DrawCoin(int kind, int cell) { paintCoin(kind == 2 ? turn + 5 : turn + 3, cell); }

void Form17::RedrawCoins() {
  for (auto& v : Board)
    if (v == kWhite) v = kEmpty;
  paintCoins();
}

void Form17::paintCoins() {
  drawEmptyGrid();
  for (int cell = 0; cell < kCells; ++cell)
    if (Board[cell] >= 0 && Board[cell] <= 6) paintCoin(Board[cell], cell);
}

int Form17::HitCell(float X, float Y) const {
  const int v = variant;
  for (int c = 0; c < side(); ++c) {
    const int r = (46 + 12 * v) * c + 45 * (1 - v);
    for (int b = 0; b < side(); ++b) {
      if (!(Y > 15 + 12 * b + r && Y < 26 + 12 * b + r)) continue;
      for (int a = 0; a < side(); ++a)
        if (X > 2 * (59 - Y + r) + 30 * a + 30 - 7 * v && X < 2 * (56 - Y + r) + 35 + 30 * a + 30 - 7 * v)
          return Cell(a, b, c);
    }
  }
  return -1;
}

// ---------------------------------------------------------------------------- moves

void Form17::Picture1_MouseDown(int /*Button*/, int /*Shift*/, float X, float Y) {
  if (!boardTakesInput()) return;
  BusyScope busy(*this, false);
  RedrawCoins();
  const int cell = HitCell(X, Y);
  if (cell >= 0) {
    if (Board[cell] != kEmpty) {
      rt::host().beep();
    } else {
      Board[cell] = turn;
      if (variant == 1) {
        DrawCoin(turn, cell);
        ++moveCount;
        turn = static_cast<int16_t>(1 - turn);
      } else {
        std::vector<int> whitened;
        const int n = CountLines(Board, turn, &whitened);
        for (int w : whitened) paintCoin(kWhite, w);
        DrawCoin(n >= 1 ? 2 : turn, cell);
        score[turn] += n;
        showScores();
        if (n == 0) turn = static_cast<int16_t>(1 - turn);
        ShowTurn();
      }
    }
  }
  if (variant == 0 && score[0] >= limit) {
    Label1->setCaption(" Game over");
    return;
  }
  if (turn == 1 && computerBrown()) StakkComputerTurn();
  if (variant == 0 && score[1] >= limit) {
    Label1->setCaption(" Game over");
    return;
  }
  if (variant == 1 && !computerBrown() && cell >= 0) ComputerMove4x4(0);
}

void Form17::StakkComputerTurn() {
  RedrawCoins();
  if (variant == 1) {
    if (computerBrown()) ComputerMove4x4(1);
    return;
  }
  int brown = score[1];
  turn = 1;
  for (const Placement& p : ComputerTurn3(Board, brown, rt::Rnd)) {
    for (int w : p.whitened) paintCoin(kWhite, w);
    DrawCoin(p.scoring ? 2 : 1, p.cell);
  }
  score[1] = brown;
  showScores();
  turn = 0;
  ShowTurn();
}

void Form17::ComputerMove4x4(int place) {
  // The real position first: a four of either colour ends the game, a dead board draws it.
  auto settled = [this] {
    for (int p : {kGreen, kBrown})
      if (HasFour(Board, p)) {
        Label1->setCaption(" Game over");
        bodovi(p).setCaption("1");
        return true;
      }
    if (Drawn(Board)) {
      Label1->setCaption(" Nobody won");
      return true;
    }
    return false;
  };
  if (settled()) return;
  if (place == 1 && computerBrown()) {
    const int cell = ChooseMove4(Board, moveCount, rt::Rnd);
    Board[cell] = kBrown;
    DrawCoin(1, cell);
    turn = static_cast<int16_t>(1 - turn);
    ++moveCount;
    if (settled()) return;
  }
  ShowTurn();
}

}  // namespace board
