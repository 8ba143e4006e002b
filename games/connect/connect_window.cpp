#include "connect_window.h"

#include <cmath>

#include "pack_fn.h"
#include "picture_library.h"
#include "rt/numbers.h"
#include "rt/random.h"

namespace connect {

void ConnectDesign::placeHelp(int labelLeft, int labelTop, int labelWidth, int labelHeight, int okLeft, int okTop) {
  help.textLeft = labelLeft;
  help.textTop = labelTop;
  help.textWidth = labelWidth;
  help.textHeight = labelHeight;
  help.buttonLeft = okLeft;
  help.buttonTop = okTop;
}

ConnectWindow::ConnectWindow(const shell::GameEntry& entry, Design design, int widthPixels, int heightPixels)
    : shell::GameWindow(entry, widthPixels * rt::kTwipsPerPixel, heightPixels * rt::kTwipsPerPixel),
      design_(std::move(design)) {
  groupSize = static_cast<int16_t>(design_.defaultSize);
}

void ConnectWindow::Form_Load() {
  addPlayMenu();
  opcije = &menu("opcije", "Options");
  options_ = opcije;
  nu = &opcije->add("nu", "Images to collect");
  for (size_t i = 0; i < design_.sizes.size(); ++i) {
    std::string caption = std::to_string(design_.sizes[i]);
    if (design_.priceInCaptions && i < design_.cash.size()) caption += " (" + std::to_string(design_.cash[i]) + "$)";
    rt::MenuItem& item = nu->add("sp", caption, static_cast<int>(i));
    item.setChecked(design_.sizes[i] == design_.defaultSize);
    item.ClickIndexed = [this](int Index) { sp_Click(Index); };
    sp.push_back(&item);
  }
  addOptions(*opcije);
  addHelpMenu();
  addHomePageMenu();

  loadPictures();
  layOut();
  bindBoard();
  rt::Randomize();
  for (size_t i = 0; i < design_.cash.size(); ++i) CashTable[design_.sizes[i]] = static_cast<int16_t>(design_.cash[i]);
  name = design_.name;

  exposeCells("Board", Board, [this] { return boardValues(); });
  exposeCells("doneFlag", doneFlag, flagValues);
  exposeScalar("cash", cash, {{0, rt::kMostCount}});
  // Counted by the checks and dealt from the menu: what the board shows follows from them.
  exposeReadOnly("completedCells", completedCells);
  exposeReadOnly("groupSize", groupSize);
  exposeGameState();
  redrawState = [this] { RedrawAllCells(); };

  NewBoard();
}

void ConnectWindow::layOut() {
  Picture1 = &add<rt::PictureBox>("Picture1");
  Picture1->Move(design_.boardLeft, design_.boardTop, design_.boardSize, design_.boardSize);
  Picture1->setBackColor(kGrey);
  slika.build(*this, "slika", Picture1, design_.cells, [this](rt::PictureBox& c, int i) { bindCell(c, i); });
  board_ = Picture1;

  Command2 = &addButton(
      "Command2", "Continue",
      {design_.continueLeft >= 0 ? design_.continueLeft : design_.boardLeft + (design_.boardSize - 100) / 2,
       design_.continueTop >= 0 ? design_.continueTop : design_.boardTop + design_.boardSize + 8, 100},
      [this] { Command2_Click(); });
  continue_ = Command2;

  buildHelpPanel(design_.help, design_.helpText);
  Picture2 = helpPanel_;
  Label1 = helpLabel_;
  Command1 = helpOk_;
}

void ConnectWindow::loadPictures() {
  ikona.assign(kDoneMark + 1, nullptr);
  for (int k = 1; k <= 49; ++k) ikona[k] = shell::PictureLibrary::instance().kindPicture(k, 1);
  ikona[kDoneMark] = picture("Brenx.ikona", 51);
}

rt::PicHandle ConnectWindow::kindPicture(int16_t kind) const {
  if (design_.greyFields && kind == 0) return nullptr;
  return kind >= 0 && kind < kDoneMark && kind < static_cast<int>(ikona.size()) ? ikona[kind] : nullptr;
}

rt::Spans ConnectWindow::boardValues() const {
  return {{design_.kindBase, design_.kindBase + cellCount() / groupSize - 1}};
}

rt::Spans ConnectWindow::flagValues() { return {{kTrue, 0}}; }

void ConnectWindow::exposeCells(const std::string& stateName, Cells& cells, std::function<rt::Spans()> values) {
  exposeState(stateName, {[this, &cells] { return std::vector<long long>(cells.begin(), cells.begin() + cellCount()); },
                          [this, &cells](size_t i, long long v) {
                            if (i < static_cast<size_t>(cellCount())) cells[i] = static_cast<int16_t>(v);
                          },
                          true, [values = std::move(values)](size_t) { return values(); }});
}

void ConnectWindow::enableOptions(bool enabled) { nu->setEnabled(enabled); }

void ConnectWindow::clearFlags() { doneFlag.fill(0); }

void ConnectWindow::sp_Click(int Index) {
  if (Index < 0 || Index >= static_cast<int>(sp.size())) return;
  for (rt::MenuItem* item : sp) item->setChecked(false);
  sp[Index]->setChecked(true);
  groupSize = static_cast<int16_t>(design_.sizes[Index]);
  NewBoard();
}

void ConnectWindow::NewBoard() {
  Picture1->setEnabled(false);
  shell::SetGameCaption(name);
  completedCells = 0;
  enableOptions(true);
  hideHelp();

  clearFlags();
  const int cells = cellCount();
  Deal(std::span<int16_t>(Board.data(), cells), groupSize, design_.kindBase, rt::Rnd);
  for (int i = 0; i < cells; ++i) {
    rt::PictureBox& c = slika(i);
    c.setPicture(kindPicture(Board[i]));
    c.setBorderStyle(1);
    c.setBackColor(design_.cells.back);
  }
  afterDeal();
  if (design_.whitenEachGroup) RedrawAllCells();
  Command2->setVisible(true);
}

void ConnectWindow::startPlay() {
  cash = CashTable[groupSize];
  enableOptions(false);
  started_ = true;
  BusyScope busy(*this, false);  // enables the board at the end unless the game is over
  CheckConnected();
}

std::string ConnectWindow::statusText() const { return "            Cash:" + rt::Plain(cash) + "$"; }

void ConnectWindow::showStatus() { shell::SetGameCaption(name + statusText()); }

void ConnectWindow::paintMark(int i, const rt::PicHandle& mark) {
  if (mark) slika(i).PaintPicture(mark, 0, 0);
}

void ConnectWindow::CheckConnected() {
  showStatus();
  const int skip = design_.greyFields ? 0 : kNoKind;
  const auto groups = CompletedGroups(std::span<const int16_t>(Board.data(), cellCount()),
                                      std::span<const int16_t>(doneFlag.data(), cellCount()), groupSize, shape(), skip);
  for (const std::vector<int>& g : groups) {
    for (int i : g) {
      doneFlag[i] = kTrue;
      paintMark(i, ikona[kDoneMark]);
      ++completedCells;
    }
    shell::PlaySoundNo(1);
    afterGroupSound();
    if (design_.whitenEachGroup)
      for (int i : g) DrawCell(i);
  }
  if (!design_.whitenEachGroup && !groups.empty()) RedrawAllCells();
  if (won()) shell::PlaySoundNo(8);
  // The board is enabled again by the move's busy scope unless the game is over.
}

void ConnectWindow::DrawCell(int i) {
  slika.show(i, kindPicture(Board[i]));
  if (slika(i).BackColor() != design_.cells.back && !doneFlag[i]) slika(i).setBackColor(design_.cells.back);
  if (doneFlag[i]) {
    slika.show(i, nullptr);
    if (slika(i).BackColor() != kWhite) slika(i).setBackColor(kWhite);
  }
}

void ConnectWindow::RedrawAllCells() {
  for (int i = 0; i < cellCount(); ++i) DrawCell(i);
}

}  // namespace connect
