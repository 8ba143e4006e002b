#include "fendo.h"

#include "pack_fn.h"
#include "rt/host.h"
#include "rt/numbers.h"
#include "rt/random.h"

namespace board {

using namespace fendo;

namespace {
constexpr int kPitch = 27;
constexpr int kPanel = 347;
constexpr int kFirstPost = kSticks;
constexpr rt::Color kGrey = 0xC0C0C0, kRed = rt::kRed;

const char* const kHelpText =
    "  Welcome to Fendo, freeware programmed by Morvel Vukran in 2004. Your goal is to get more fields than your "
    "opponent (computer or human).\r"
    "If you click on grey stick it becomes black. If you surround a field by the non grey sticks it becomes yours "
    "and you have one more turn.\r"
    "  Good luck. Have a fun.";

rt::Font labelFont() { return rt::Font{"Tahoma", 12, true, false, false}; }
}  // namespace

VPK_GAME_WINDOW(Form19);

Form19::Form19(const shell::GameEntry& entry)
    : shell::GameWindow(entry, kPanel * rt::kTwipsPerPixel, kPanel * rt::kTwipsPerPixel) {}

void Form19::Form_Load() {
  addPlayMenu();
  op = &menu("op", "Options");
  rt::MenuItem& opponent = op->add("a11111", "Your opponent");
  opponent.add("oki", "Human", 0);
  opponent.add("oki", "Computer", 1).setChecked(true);
  for (auto& item : opponent.items()) item->ClickIndexed = [this](int i) { oki_Click(i); };
  rt::MenuItem& first = op->add("p38748", "Who goes first");
  first.add("wg", "Blue player", 0);
  first.add("wg", "Yellow player", 1);
  first.add("wg", "Random", 2).setChecked(true);
  for (auto& item : first.items()) item->ClickIndexed = [this](int i) { wg_Click(i); };
  options_ = op;
  addHelpMenu();
  addHomePageMenu();

  continue_ = &addButton("Command2", "Continue", {92, 124, 89, 25}, [this] { Command2_Click(); });
  rt::Randomize();

  ikona[0] = ownPicture("blue");
  ikona[1] = ownPicture("yellow");
  ikona[2] = picture("Picture13");

  Picture1 = &add<rt::PictureBox>("Picture1");
  Picture1->setBorderStyle(0);
  Picture1->ScaleModeValue = rt::kPixels;
  Picture1->Move(0, 0, kPanel, kPanel);
  Picture1->setPicture(ikona[2]);
  board_ = Picture1;

  auto label = [this](const char* name, int index, int left, int top, int width, int align, const char* caption) {
    rt::Label& l = index < 0 ? add<rt::Label>(name, Picture1) : bodi.create(index, Picture1);
    l.BackStyle = 0;
    l.setFont(labelFont());
    l.setForeColor(rt::RGB(40, 40, 70));
    l.Alignment = align;
    l.Move(left, top, width, 22);
    l.setCaption(caption);
    return &l;
  };
  bodi.init(this, "bodi");
  Label2 = label("Label2", -1, 8, 6, 57, rt::kLeftJustify, "Blue");
  Label3 = label("Label3", -1, 209, 6, 57, rt::kRightJustify, "Yellow");
  label("bodi", 0, 8, 30, 33, rt::kLeftJustify, "0");
  label("bodi", 1, 233, 30, 33, rt::kRightJustify, "0");
  Label2->setForeColor(rt::RGB(20, 60, 190));
  Label3->setForeColor(rt::RGB(170, 120, 0));

  Image2 = &add<rt::ImageBox>("Image2", Picture1);
  Image2->Move(240, 240, 20, 20);
  Image2->setPicture(ikona[0]);

  slika.init(this, "slika");
  rt::PictureBox& s0 = slika.create(0, Picture1);
  s0.setBorderStyle(0);
  s0.setVisible(false);
  for (int i = 1; i < kSticks; ++i) slika.Load(i);
  slika.bind([this](rt::PictureBox& c, int i) {
    c.MouseDown = [this, i](int button, int shift, float x, float y) { slika_MouseDown(i, button, shift, x, y); };
  });

  buildHelpPanel(HelpPanelLayout{.panel = "Picture2", .label = "Label1", .button = "Command1",
                                 .left = 0, .top = 0, .width = 272, .height = 272,
                                 .textLeft = static_cast<int>(rt::pt(10)), .textTop = static_cast<int>(rt::pt(57)),
                                 .textWidth = static_cast<int>(rt::pt(182)),
                                 .textHeight = static_cast<int>(rt::pt(165)),
                                 .buttonLeft = static_cast<int>(rt::pt(155)), .buttonTop = static_cast<int>(rt::pt(181)),
                                 .buttonWidth = 60},
                 kHelpText);

  BuildOctagon();
  Picture1->setEnabled(false);
  continue_->setVisible(true);
  continue_->ZOrder(0);

  exposeScalar("PlayerToMove", game.playerToMove, {{kBlue, kYellow}});
  exposeArray("Score", game.score, {{0, kFields}});
  exposeState("Sticks", {[this] {
                           std::vector<long long> v(game.sticks.begin(), game.sticks.end());
                           for (int n = 0; n < kSticks; ++n)
                             if (game.last[n]) v[n] = 1;
                           return v;
                         },
                         [this](size_t n, long long v) {
                           if (v == kAbsent) return;  // off the octagon, where it stays
                           game.sticks[n] = v == 0 ? kFree : kTaken;
                           game.last[n] = v == 1;
                         },
                         // A stick between two fields is free, taken last or taken; the outline
                         // stays taken and the sticks off the octagon stay off.
                         true, [start = StartSticks()](size_t n) {
                           if (n >= start.size()) return rt::Spans{};
                           if (start[n] == kAbsent) return rt::Spans{{kAbsent, kAbsent}};
                           if (start[n] == kTaken) return rt::Spans{{kTaken, kTaken}};
                           return rt::Spans{{kFree, 1}, {kTaken, kTaken}};
                         }});
  redrawState = [this] {
    drawSticks();
    showScore(0);
    showScore(1);
    Image2->setPicture(ikona[game.playerToMove & 1]);
  };
}

void Form19::placeStick(int n, int left, int top, int width, int height) {
  slika(n).Move(left, top, width, height);
}

void Form19::BuildOctagon() {
  op->setEnabled(true);
  Picture1->setVisible(true);
  helpPanel_->setVisible(false);
  Image2->setVisible(false);
  int post = kFirstPost;
  for (const OctagonStep& st : Octagon()) {
    const int h = HorizontalStick(st.line, st.segment), v = VerticalStick(st.line, st.segment);
    placeStick(h, kPitch * st.segment - 1, kPitch * st.line - 1, kPitch, 5);
    placeStick(v, kPitch * st.line - 1, kPitch * st.segment - 1, 5, 32);
    slika.Load(post);
    slika(post).Move(kPitch * st.segment - 1, kPitch * st.line - 1, 5, 5);
    slika(post).setBackColor(rt::kBlack);
    slika(post).setVisible(true);
    ++post;
    slika(h).setVisible(true);
    slika(v).setVisible(true);
  }
  drawSticks();
}

void Form19::drawSticks() {
  for (int n = 0; n < kSticks; ++n)
    if (game.sticks[n] != kAbsent)
      slika(n).setBackColor(game.sticks[n] == kFree ? kGrey : game.last[n] ? kRed : rt::kBlack);
}

bool Form19::computerOpponent() const { return op->find("oki", 1)->Checked(); }

void Form19::oki_Click(int Index) {
  for (int i = 0; i < 2; ++i) op->find("oki", i)->setChecked(i == Index);
}

void Form19::wg_Click(int Index) {
  for (int i = 0; i < 3; ++i) op->find("wg", i)->setChecked(i == Index);
}

void Form19::startPlay() {
  // "Blue player", "Yellow player", else "Random".
  const int first = op->find("wg", 0)->Checked() ? kBlue : op->find("wg", 1)->Checked() ? kYellow : 2;
  game.playerToMove = FirstPlayer(first, rt::Rnd);
  Image2->setPicture(ikona[game.playerToMove]);
  Image2->setVisible(true);
  if (ComputerToMove(game, computerOpponent())) PlayComputerTurn();
  Picture1->setEnabled(true);
}

void Form19::paintOwner(const Field& f, int player) {
  Picture1->PaintPicture(ikona[player], kPitch * f.column + 5, kPitch * f.row + 5);
}

void Form19::showScore(int player) { bodi(player).setCaption(rt::Plain(game.score[player])); }

void Form19::slika_MouseDown(int Index, int /*Button*/, int /*Shift*/, float /*X*/, float /*Y*/) {
  if (!boardTakesInput()) return;
  if (!CanTake(game, Index)) {  // taken, or a post
    rt::host().beep();
    return;
  }
  BusyScope busy(*this, false);
  const fendo::Move move = *TakeStick(game, Index, !computerOpponent());
  drawSticks();
  for (int i = 0; i < move.closed; ++i) paintOwner(move.fields[i], move.player);
  showScore(move.player);
  Image2->setPicture(ikona[game.playerToMove]);
  if (ComputerToMove(game, computerOpponent())) PlayComputerTurn();
}

void Form19::PlayComputerTurn() {
  const ComputerMoves moves = ComputerTurn(game, rt::Rnd);
  for (const Take& t : moves.takes)
    for (int i = 0; i < t.closed; ++i) paintOwner(t.fields[i], kYellow);
  drawSticks();
  showScore(kYellow);
  Image2->setPicture(ikona[game.playerToMove]);
}

}  // namespace board
