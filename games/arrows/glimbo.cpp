#include "glimbo.h"

#include "pack_fn.h"
#include "picture_library.h"
#include "rt/numbers.h"
#include "rt/random.h"

namespace arrows {

using namespace glimbo;

VPK_GAME_WINDOW(Form8);

namespace {
ArrowWindow::Design GlimboDesign() {
  ArrowWindow::Design d;
  d.back = rt::RGB(192, 255, 255);
  d.gameOverBack = d.back;
  d.rightArrowGap = 36;
  d.rightArrowTop = 45;
  d.help.textTop = 124;
  d.help.buttonLeft = 276;
  d.help.buttonTop = 311;
  d.helpText =
      "  Welcome to Glimbo, freeware programmed by Morvel Vukran in 2003. Your goal is to connect all the same "
      "images attached horizontally or vertically.\r"
      "External or internal arrow shifts the row or column in direction it points. After certain reuse your "
      "arrow becomes black. You can use black arrow only once.\r"
      "  Good luck. Have a fun.";
  return d;
}
}  // namespace

Form8::Form8(const shell::GameEntry& entry) : ArrowWindow(entry, GlimboDesign()) {}

rt::PicHandle Form8::ArrowPictures(int index) { return shell::PictureLibrary::instance().get("Glimbo.ikona", index); }

void Form8::addOptionMenus() {
  rt::MenuItem& skill = addOptions("Skill: arrows disappear after");
  static const char* const kItems[] = {"5 times", "6 times", "7 times", "8 times", "9 times of use"};
  for (int i = 0; i < 5; ++i) {
    rt::MenuItem& item = skill.add("abb", kItems[i], i);
    item.ClickIndexed = [this](int Index) { abb_Click(Index); };
  }
  abbItem(1)->setChecked(true);
}

void Form8::buildTemplate() {
  ArrowWindow::buildTemplate();
  // The inner arrows lie on the cells.
  slika.array().bind([this](rt::PictureBox& c, int i) { c.Click = [this, i] { slika_Click(i); }; });
}

void Form8::loadPictures() {
  for (int k = 0; k < 45; ++k) ikona[k] = shell::PictureLibrary::instance().kind(k / 5, k % 5);
  ikona[45] = picture("transport", 0);
  for (int k = 46; k <= 62; ++k)
    if (k != kMark) ikona[k] = ArrowPictures(k);
}

void Form8::startState() {
  useLimit = kDefaultUseLimit;
  // Kinds: pictures 0..45, inner arrows 46..49 and their black forms 50..53 (free only while
  // dealing). An arrow is used at most useLimit times (5..9); a picture is present or removed.
  const auto uses = [this] { return rt::Spans{{0, useLimit}}; };
  exposeArray("Board", cellKind, {{0, kArrowRight + kBlackOffset}});
  exposeArray("cellUses", cellUses, uses);
  for (const auto& [name, counters] : {std::pair{"upUses", &upUses}, {"rightUses", &rightUses},
                                        {"downUses", &downUses}, {"leftUses", &leftUses}})
    exposeArray(name, *counters, uses);
  exposeScalar("useLimit", useLimit, {{5, 9}});
  exposeScalar("removedCount", removedCount, {{0, kPictures}});
}

void Form8::abb_Click(int Index) {
  for (int i = 0; i < 5; ++i) abbItem(i)->setChecked(i == Index);
  useLimit = static_cast<int16_t>(Index + 5);
}

void Form8::dealPieces() {
  removedCount = 0;
  cellUses.fill(0);
  cellKind = Deal([](int k) { return rt::RandomInt(k); });
  for (auto* c : {&upUses, &rightUses, &downUses, &leftUses}) c->fill(0);
}

rt::PicHandle Form8::edgeArrowPicture(Shift side, int index) const {
  static constexpr int kNormal[] = {62, 60, 59, 61};  // left, right, up, down
  static constexpr int kBlack[] = {58, 56, 55, 57};
  const int uses = usesOf(side)[index];
  const int s = static_cast<int>(side);
  return ikona[EdgeArrowLook(uses, useLimit) == EdgeLook::Normal ? kNormal[s] : kBlack[s]];
}

Counters& Form8::usesOf(Shift side) {
  switch (side) {
    case Shift::Up: return upUses;
    case Shift::Right: return rightUses;
    case Shift::Down: return downUses;
    default: return leftUses;
  }
}

void Form8::shiftBoard(Shift dir, int line) { arrows::ShiftLine({cellKind, cellUses}, kSide, dir, line); }

void Form8::countMove(Shift dir, int index) { usesOf(dir)[index] += 1; }

void Form8::afterCheck(Shift dir, int index) {
  const EdgeLook look = EdgeArrowLook(usesOf(dir)[index], useLimit);
  rt::PictureBox& arrow = arrowsOf(dir)(index);
  if (look != EdgeLook::Normal) arrow.setPicture(edgeArrowPicture(dir, index));
  if (look == EdgeLook::Hidden) arrow.setVisible(false);
}

void Form8::RedrawCell(int cell) {
  if (cell < 0 || cell >= kCells) return;
  const bool shows = cellKind[cell] >= 0 && cellKind[cell] <= 62 && ShowsPicture(cellKind[cell], cellUses[cell], useLimit);
  slika.show(cell, shows ? ikona[cellKind[cell]] : nullptr);
}

void Form8::slika_Click(int Index) {
  if (over_) return;
  const std::optional<LineShift> move = UseInnerArrow(cellKind, cellUses, Index, useLimit);
  if (!move) return;
  DisableBoard();
  shiftBoard(move->dir, move->line);
  if (IsRowShift(move->dir))
    RedrawRow(kSide * move->line);
  else
    RedrawColumn(move->line);
  CheckGroups();
}

void Form8::CheckGroups() {
  DisableBoard();
  const std::vector<int> marked = TouchingPairs(cellKind, cellUses);
  for (int k : marked) {
    cellUses[k] = 1;
    ++removedCount;
  }
  if (!marked.empty()) {
    RemovalEffect(marked);
    for (int k = 0; k < kCells; ++k)
      if (cellUses[k] == 1) RedrawCell(k);  // a removed picture clears, and its mark with it
  }
  if (removedCount >= kPictures) {
    GameOver(MoveCount(cellUses, {upUses, rightUses, downUses, leftUses}, removedCount));
    return;
  }
  EnableBoard();
}

}  // namespace arrows
