#include "klumpa.h"

#include "pack_fn.h"
#include "picture_library.h"
#include "rt/host.h"
#include "rt/numbers.h"
#include "rt/random.h"

namespace connect {

VPK_GAME_WINDOW(Form13);

namespace {
ConnectDesign KlumpaDesign() {
  ConnectDesign d;
  d.name = "Klumpa";
  d.cols = d.rows = kKlumpaSide;
  d.cells = parts::GridLayout{.cols = kKlumpaSide, .rows = kKlumpaSide, .pitchX = 33, .pitchY = 33, .cellWidth = 30,
                              .cellHeight = 30, .left = 1, .top = 1, .border = 1, .back = 0x808080};
  d.boardSize = 273;  // 4095 twips
  d.sizes = {2, 4, 8, 16};
  d.priceInCaptions = false;
  d.defaultSize = 4;
  d.greyFields = false;
  d.placeHelp(10, 30, 185, 155, 155, 181);
  d.help.font = {"Tahoma", 6, false, false, false};  // the largest that keeps the text above "OK"
  d.helpText =
      "  Welcome to Klumpa, freeware programmed by Morvel Vukran in 2004. Your goal is to group all the same images "
      "attached horizontally or vertically.\r"
      "Select an image by a right mouse button and move it by a left mouse button, one horizontal or vertical "
      "position. Kind of target images are marked with red cross. You can move only the target images except the "
      "one marked. If you ungroup any group the target images are changed.\r"
      "   The quality of playing is measured by the moves count. You can define the number of the same images.\r"
      "  Good luck. Have a fun.";
  return d;
}
}  // namespace

Form13::Form13(const shell::GameEntry& entry) : ConnectWindow(entry, KlumpaDesign(), 353, 342) {}

void Form13::loadPictures() {
  ikona.assign(kSelectionMark + 1, nullptr);
  for (int k = 0; k < 32; ++k) ikona[k] = shell::PictureLibrary::instance().kind(k / 4, k % 4);
  ikona[kMark] = picture("Brenx.ikona", 51);
  ikona[kSelectionMark] = picture("Brenx.ikona", 52);
}

rt::PicHandle Form13::kindPicture(int16_t kind) const { return kind >= 0 && kind < kMark ? ikona[kind] : nullptr; }

void Form13::bindCell(rt::PictureBox& cell, int index) {
  cell.MouseDown = [this, index](int button, int shift, float x, float y) { slika_MouseDown(index, button, shift, x, y); };
}

void Form13::exposeGameState() {
  // The target is a kind of the chosen group size; the marked and the selected cell lie on the
  // 8 x 8 board or are none.
  exposeScalar("target", target, [this] { return boardValues(); });
  for (const auto& [name, cell] : {std::pair{"marked", &marked}, {"selection", &selection}})
    exposeScalar(name, *cell, {{0, kKlumpaCells - 1}, {kNone, kNone}});
  exposeScalar("moves", moves, {{0, rt::kMostCount}});
  exposeReadOnly("grouped", grouped);  // counted by the last check
}

void Form13::clearFlags() {
  ConnectWindow::clearFlags();
  grouped = 0;
}

void Form13::DrawCell(int i) {
  slika(i).setPicture(kindPicture(Board[i]));  // always set: wipes the marks painted before
  if (i == marked) paintMark(i, ikona[kMark]);
  if (i == selection) paintMark(i, ikona[kSelectionMark]);
}

void Form13::showGroupsLeft(int32_t cellsGrouped) {
  shell::SetGameCaption(name + "       Groups left:" + rt::Plain((kKlumpaCells - cellsGrouped) / groupSize));
}

void Form13::startPlay() {
  enableOptions(false);
  started_ = true;
  BusyScope busy(*this, false);  // enables the board at the end unless the game is won
  CheckConnected();
  if (gameOver()) return;
  moves = 0;
  selection = kNone;
  showGroupsLeft(0);
  NewTarget();
}

void Form13::NewTarget() {
  selection = kNone;
  if (marked >= 0 && marked < kKlumpaCells) {
    const int old = marked;
    marked = kNone;
    DrawCell(old);
  }
  if (ChooseTarget(std::span<const int16_t>(Board.data(), kKlumpaCells),
                   std::span<const int16_t>(doneFlag.data(), kKlumpaCells), groupSize, target, marked, rt::Rnd))
    DrawCell(marked);
}

void Form13::CheckConnected() {
  grouped = 0;
  doneFlag.fill(0);
  bool markedGrouped = false;
  const std::vector<int16_t> none(kKlumpaCells, 0);
  for (const std::vector<int>& g :
       CompletedGroups(std::span<const int16_t>(Board.data(), kKlumpaCells), none, groupSize, shape())) {
    for (int i : g) {
      doneFlag[i] = kTrue;
      ++grouped;
      markedGrouped = markedGrouped || i == marked;
    }
  }
  showGroupsLeft(grouped);
  if (grouped >= kKlumpaCells) {
    RedrawAllCells();
    shell::PlaySoundNo(8);
    shell::SetGameCaption(name + "       Moves:" + rt::Plain(moves));
    marked = kNone;
    selection = kNone;
    RedrawAllCells();
    return;  // the board stays disabled
  }
  if (markedGrouped) NewTarget();
}

void Form13::slika_MouseDown(int Index, int Button, int /*Shift*/, float /*X*/, float /*Y*/) {
  if (!boardTakesInput()) return;
  if (Button == 2) {
    if (Index == marked || Board[Index] != target) {
      rt::host().beep();
      return;
    }
    const int old = selection;
    selection = static_cast<int16_t>(Index);
    if (old != kNone && old != Index) DrawCell(old);
    DrawCell(Index);
    return;
  }
  if (Button != 1) return;
  const int s = selection;
  if (Index == marked || s == kNone || Board[Index] == target || !KlumpaNeighbours(s, Index)) {
    rt::host().beep();
    return;
  }
  BusyScope busy(*this, false);
  std::swap(Board[s], Board[Index]);
  std::swap(doneFlag[s], doneFlag[Index]);
  selection = static_cast<int16_t>(Index);
  ++moves;
  const bool pushedWasDone = doneFlag[s] != 0;
  CheckConnected();
  if (selection != kNone && pushedWasDone && !doneFlag[s]) NewTarget();
  DrawCell(s);
  DrawCell(Index);
}

}  // namespace connect
