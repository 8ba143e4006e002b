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

  continue_ = &add<shell::ctrl_SkinableButton>("Command2");
  continue_->LoadSkin();
  continue_->Refresh();
  rt::Randomize();

  ikona[0] = ownPicture("blue");
  ikona[1] = ownPicture("yellow");
  ikona[2] = picture("Picture13");
  Score = {0, 0};
  PlayerToMove = 0;

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
  continue_->Move(92, 124, 89, 25);
  continue_->setCaption("Continue");
  continue_->ClickEvent = [this] { Command2_Click(); };
  continue_->setVisible(true);
  continue_->ZOrder(0);

  exposeScalar("PlayerToMove", PlayerToMove);
  exposeArray("Score", Score);
  exposeState("Sticks", {[this] {
                           const Sticks s = StickState();
                           std::vector<long long> v(s.begin(), s.end());
                           for (int n = 0; n < kSticks; ++n)
                             if (slika(n).BackColor() == kRed) v[n] = 1;  // the last move
                           return v;
                         },
                         [this](size_t n, long long v) {
                           if (n >= static_cast<size_t>(kSticks) || !slika(static_cast<int>(n)).Visible()) return;
                           slika(static_cast<int>(n)).setBackColor(v == 0 ? kGrey : v == 1 ? kRed : rt::kBlack);
                         },
                         true});
  redrawState = [this] {
    showScore(0);
    showScore(1);
    Image2->setPicture(ikona[PlayerToMove & 1]);
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
    for (int n : {h, v}) {
      slika(n).setBackColor(st.outline ? rt::kBlack : kGrey);
      slika(n).setVisible(true);
    }
  }
}

bool Form19::computerOpponent() const { return op->find("oki", 1)->Checked(); }

void Form19::oki_Click(int Index) {
  for (int i = 0; i < 2; ++i) op->find("oki", i)->setChecked(i == Index);
}

void Form19::wg_Click(int Index) {
  for (int i = 0; i < 3; ++i) op->find("wg", i)->setChecked(i == Index);
}

void Form19::startPlay() {
  if (op->find("wg", 0)->Checked())
    PlayerToMove = 0;
  else if (op->find("wg", 1)->Checked())
    PlayerToMove = 1;
  else
    PlayerToMove = static_cast<int16_t>(rt::RandomInt(2));
  Image2->setPicture(ikona[PlayerToMove]);
  Image2->setVisible(true);
  if (computerOpponent() && PlayerToMove == 1) PlayComputerTurn();
  Picture1->setEnabled(true);
}

bool Form19::isTaken(int n) const {
  const rt::Color c = slika(n).BackColor();
  return c == rt::kBlack || c == kRed;
}

Sticks Form19::StickState() const {
  Sticks s;
  for (int n = 0; n < kSticks; ++n) s[n] = !slika(n).Visible() ? kAbsent : isTaken(n) ? kTaken : kFree;
  return s;
}

void Form19::paintOwner(const Field& f, int player) {
  Picture1->PaintPicture(ikona[player], kPitch * f.column + 5, kPitch * f.row + 5);
}

void Form19::showScore(int player) { bodi(player).setCaption(rt::Plain(Score[player])); }

void Form19::slika_MouseDown(int Index, int /*Button*/, int /*Shift*/, float /*X*/, float /*Y*/) {
  if (!boardTakesInput()) return;
  if (isTaken(Index)) {  // the posts are black too
    rt::host().beep();
    return;
  }
  BusyScope busy(*this, false);
  for (int n = 0; n < kSticks; ++n)
    if (slika(n).BackColor() == kRed) slika(n).setBackColor(rt::kBlack);
  slika(Index).setBackColor(rt::kBlack);
  if (!computerOpponent()) slika(Index).setBackColor(kRed);

  std::array<Field, 2> fields{};
  const int closed = ClosingCount(StickState(), Index, &fields);
  for (int i = 0; i < closed; ++i) paintOwner(fields[i], PlayerToMove);
  Score[PlayerToMove] = static_cast<int16_t>(Score[PlayerToMove] + closed);
  showScore(PlayerToMove);
  if (closed == 0) PlayerToMove = static_cast<int16_t>(1 - PlayerToMove);
  Image2->setPicture(ikona[PlayerToMove]);
  if (PlayerToMove == 1 && computerOpponent()) PlayComputerTurn();
}

void Form19::PlayComputerTurn() {
  Sticks state = StickState();
  for (const Take& t : CollectClosing(state)) {
    for (int i = 0; i < t.closed; ++i) paintOwner(t.fields[i], 1);
    Score[1] = static_cast<int16_t>(Score[1] + t.closed);
    slika(t.stick).setBackColor(rt::kBlack);
  }
  showScore(1);
  ChooseSafeStick();
  PlayerToMove = 0;
  Image2->setPicture(ikona[0]);
}

void Form19::ChooseSafeStick() {
  const int n = fendo::ChooseSafeStick(StickState(), [] { return static_cast<double>(rt::Rnd()); });
  if (n >= 0) slika(n).setBackColor(kRed);
}

}  // namespace board
