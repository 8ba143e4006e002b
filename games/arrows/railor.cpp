#include "railor.h"

#include "glimbo.h"
#include "pack_fn.h"
#include "picture_library.h"
#include "rt/random.h"

namespace arrows {

using namespace railor;

VPK_GAME_WINDOW(Form15);

namespace {
ArrowWindow::Design RailorDesign() {
  ArrowWindow::Design d;
  d.back = rt::RGB(255, 224, 192);
  d.gameOverBack = d.back;
  d.rightArrowGap = 37;
  d.rightArrowTop = 46;
  d.help.textTop = 136;
  d.help.buttonLeft = 277;
  d.help.buttonTop = 312;
  d.helpText =
      "  Welcome to Railor, freeware programmed by Morvel Vukran in 2007. Your goal is to connect all the same "
      "images attached horizontally or vertically.\r"
      "External arrow shifts the row or column in direction it points. You can use the arrows infinitely.\r"
      "  Good luck. Have a fun.";
  return d;
}
}  // namespace

Form15::Form15(const shell::GameEntry& entry) : ArrowWindow(entry, RailorDesign()) {}

void Form15::addOptionMenus() {
  rt::MenuItem& images = addOptions("Images to collect");
  for (int i = 0; i < static_cast<int>(kGroupSizes.size()); ++i) {
    rt::MenuItem& item = images.add("sp", std::to_string(kGroupSizes[i]), i);
    item.ClickIndexed = [this](int Index) { sp_Click(Index); };
  }
  ab->find("sp", kDefaultItem)->setChecked(true);
}

void Form15::loadPictures() {
  for (int k = 0; k < 50; ++k) ikona[k] = shell::PictureLibrary::instance().kind(k / 5, k % 5);
  for (int k = 55; k <= 58; ++k) ikona[k] = Form8::ArrowPictures(k);
}

void Form15::startState() {
  groupSize = kGroupSizes[kDefaultItem];
  // Kinds 1..K, K = 100 / N copies of each, N the chosen group size.
  exposeArray("Board", cellKind, [this] { return rt::Spans{{1, kCells / groupSize}}; });
  exposeArray("cellState", cellState, {{kCollected, kPresent}});
  exposeScalar("groupSize", groupSize, rt::spansOf(kGroupSizes));
  exposeScalar("moveCount", moveCount, {{0, rt::kMostCount}});
  exposeScalar("removedCount", removedCount, {{0, kCells}});
}

void Form15::sp_Click(int Index) {
  if (Index < 0 || Index >= static_cast<int>(kGroupSizes.size())) return;
  for (int i = 0; i < static_cast<int>(kGroupSizes.size()); ++i) ab->find("sp", i)->setChecked(i == Index);
  groupSize = kGroupSizes[Index];
  DealBoard();
}

void Form15::dealPieces() {
  removedCount = 0;
  cellState.fill(kPresent);
  cellKind = Deal(groupSize, [](int k) { return rt::RandomInt(k); });
  moveCount = 0;
}

rt::PicHandle Form15::edgeArrowPicture(Shift side, int) const {
  static constexpr int kBlack[] = {58, 56, 55, 57};  // left, right, up, down
  return ikona[kBlack[static_cast<int>(side)]];
}

void Form15::shiftBoard(Shift dir, int line) { arrows::ShiftLine({cellKind, cellState}, kSide, dir, line); }

void Form15::RedrawCell(int cell) {
  if (cell < 0 || cell >= kCells) return;
  const int16_t k = cellKind[cell];
  const bool shows = cellState[cell] != kCollected && k >= 1 && k <= 50;
  slika.show(cell, shows ? ikona[k - 1] : nullptr);
}

void Form15::CheckGroups() {
  DisableBoard();
  for (int k = 0; k < kCells; ++k) {
    const std::vector<int> group = CollectableGroup(cellKind, cellState, k, groupSize);
    if (group.empty()) continue;
    for (int j : group) {
      cellState[j] = kCollected;
      ++removedCount;
    }
    RemovalEffect(group);
    for (int j : group) RedrawCell(j);
  }
  if (removedCount >= kCells) {
    GameOver(moveCount);
    return;
  }
  EnableBoard();
}

}  // namespace arrows
