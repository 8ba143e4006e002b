#pragma once
// Glimbo: bring the two pictures of each kind side by side with the edge and inner arrows; every
// arrow wears out after a chosen number of uses.
#include "arrow_window.h"
#include "glimbo_rules.h"

namespace arrows {

class Form8 : public ArrowWindow {
 public:
  explicit Form8(const shell::GameEntry& entry);

  // The arrow pictures this window holds for the other arrow-shift games (46..53 inner arrows,
  // 55..58 black edge arrows up, right, down, left, 59..62 the normal ones).
  static rt::PicHandle ArrowPictures(int index);

  glimbo::Cells cellKind{}, cellUses{};
  int16_t useLimit = glimbo::kDefaultUseLimit;
  glimbo::Counters upUses{}, rightUses{}, downUses{}, leftUses{};
  int32_t removedCount = 0;

  void abb_Click(int Index);
  void slika_Click(int Index);

 protected:
  void addOptionMenus() override;
  void buildTemplate() override;
  void loadPictures() override;
  void startState() override;
  void dealPieces() override;
  rt::PicHandle edgeArrowPicture(Shift side, int index) const override;
  void shiftBoard(Shift dir, int line) override;
  void countMove(Shift dir, int index) override;
  void afterCheck(Shift dir, int index) override;
  void RedrawCell(int cell) override;
  void CheckGroups() override;

 private:
  glimbo::Counters& usesOf(Shift side);
  const glimbo::Counters& usesOf(Shift side) const { return const_cast<Form8*>(this)->usesOf(side); }
  rt::MenuItem* abbItem(int i) { return ab->find("abb", i); }
};

}  // namespace arrows
