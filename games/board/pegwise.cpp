#include "pegwise.h"

#include "pegwise_rules.h"
#include "rt/color.h"
#include "rt/numbers.h"
#include "rt/random.h"

namespace board {

namespace {
constexpr rt::Color kUnscored = 0x808000;  // the board's colour: an unscored circle does not show
const char* const kRules =
    " Reveal the 4 digit number, from 1 to 6 values each. The count of black and white circles is the count "
    "of revealed digits. The count of black circles is the count of ordered digits. The goal is 4 black "
    "circles.";
int px(double twips) { return rt::twi(twips); }
}  // namespace

VPK_GAME_WINDOW(Form20);

Form20::Form20(const shell::GameEntry& entry) : GameWindow(entry, 2895, 2865) {}

void Form20::Form_Load() {
  addPlayMenu();
  addHomePageMenu();

  Shape2 = &add<rt::Shape>("Shape2");  // the board background
  Shape2->ShapeType = 4;
  Shape2->BackStyle = 1;
  Shape2->setBackColor(kUnscored);
  Shape2->Move(px(120), px(120), px(1815), px(2640));
  Shape1 = &add<rt::Shape>("Shape1");  // behind the code box
  Shape1->ShapeType = 2;
  Shape1->BackStyle = 1;
  Shape1->setBackColor(rt::kYellow);
  Shape1->Move(px(2040), px(2100), px(735), px(495));

  const rt::Font comic{"Comic Sans MS", 9.75, true, false, false};
  Text1.init(this, "Text1");
  for (int i = 0; i < pegwise::kRows; ++i) {
    rt::TextBox& t = Text1.create(i);
    t.setFont(comic);
    t.MaxLength = pegwise::kDigits;
    t.Move(px(240), px(240 + 300 * i), px(555), px(285));
  }
  Text1.bind([this](rt::TextBox& t, int i) { t.KeyPress = [this, i](int& key) { Text1_KeyPress(i, key); }; });
  Text2 = &add<rt::TextBox>("Text2");
  Text2->setFont(comic);
  Text2->MaxLength = pegwise::kDigits;
  Text2->Locked = true;
  Text2->Move(px(2200), px(2220), px(495), px(255));

  Krug.init(this, "Krug");
  rt::Shape& first = Krug.create(0);
  first.ShapeType = 2;
  first.BackStyle = 1;
  first.Move(0, 0, px(220), px(220));

  Frame1 = &add<rt::FrameBox>("Frame1");
  Frame1->Move(px(120), px(600), px(2655), px(2115));
  Label2 = &add<rt::Label>("Label2", Frame1);
  Label2->WordWrap = true;
  Label2->setFont({"Comic Sans MS", 9, false, false, false});
  Label2->Move(8, 10, Frame1->Width() - 16, Frame1->Height() - 18);

  Command1 = &addButton("Command1", "OK", {px(2040), px(240), px(735), px(375)}, [this] { Command1_Click(); });

  rt::Randomize();
  for (int i = 1; i < 4 * pegwise::kRows; ++i) {
    Krug.Load(i);
    Krug(i).ZOrder(0);
  }
  for (int i = 0; i < 4 * pegwise::kRows; ++i) Krug(i).setVisible(false);
  for (int r = 0; r < pegwise::kRows; ++r)
    for (int c = 0; c < 4; ++c) Krug(4 * r + c).Move(px(870 + 240 * c), px(265 + 300 * r));
  Label2->setCaption(kRules);
  Shape1->setVisible(false);
  Shape2->setVisible(false);
  Frame1->setVisible(true);
  for (int i = 0; i < pegwise::kRows; ++i) Text1(i).setVisible(false);
  Text2->setVisible(false);

  exposeScalar("GuessRow", GuessRow, {{0, pegwise::kRows - 1}});
  exposeState("SecretCode", {[this] {
                               std::vector<long long> v;
                               for (char ch : SecretCode) v.push_back(ch - '0');
                               return v;
                             },
                             [this](size_t i, long long d) {
                               if (i < SecretCode.size()) SecretCode[i] = static_cast<char>('0' + d);
                             },
                             true, [](size_t) { return rt::Spans{{1, 6}}; }});
}

void Form20::Command1_Click() {
  if (Text2->Text() == "????") {
    ScoreRow();
    return;
  }
  NewGame();
  Text1(0).SetFocus();
  for (int i = 0; i < 4 * pegwise::kRows; ++i) {
    Krug(i).setVisible(true);
    Krug(i).setBackColor(kUnscored);
  }
}

void Form20::Text1_KeyPress(int Index, int& KeyAscii) {
  if (!pegwise::RowTakesKey(KeyAscii)) KeyAscii = 0;
}

void Form20::NewGame() {
  Frame1->setVisible(false);
  Text2->setVisible(true);
  GuessRow = 0;
  Shape1->setVisible(true);
  Shape2->setVisible(true);
  SecretCode = pegwise::DrawCode([](int k) { return rt::RandomInt(k); });
  Text2->setText("????");
  for (int i = 0; i < pegwise::kRows; ++i) {
    Text1(i).setText("");
    Text1(i).setVisible(false);
    Text1(i).setEnabled(true);
  }
  Text1(0).setVisible(true);
}

void Form20::ScoreRow() {
  rt::TextBox& row = Text1(GuessRow);
  row.SetFocus();
  const std::string guess = row.Text();
  if (guess.size() < pegwise::kDigits) return;
  const std::string result = pegwise::Score(SecretCode, guess);
  for (int i = 0; i < pegwise::kDigits && i < static_cast<int>(result.size()); ++i)
    Krug(4 * GuessRow + i).setBackColor(result[i] == 'X' ? rt::kBlack : rt::kWhite);
  row.setEnabled(false);
  if (GuessRow != pegwise::kRows - 1 && result != "XXXX") {
    ++GuessRow;
    Text1(GuessRow).setVisible(true);
    Text1(GuessRow).SetFocus();
  } else {
    Text2->setText(SecretCode);  // won, or the eighth row scored
  }
}

}  // namespace board
