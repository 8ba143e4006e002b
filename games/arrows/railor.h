#pragma once
// Railor: shift rows and columns until all N copies of a kind form one group, which is then
// collected; the arrows never wear out.
#include "arrow_window.h"
#include "railor_rules.h"

namespace arrows {

class Form15 : public ArrowWindow {
 public:
  explicit Form15(const shell::GameEntry& entry);

  railor::Cells cellKind{}, cellState{};
  int16_t groupSize = railor::kGroupSizes[railor::kDefaultItem];
  int32_t moveCount = 0;
  int32_t removedCount = 0;

  void sp_Click(int Index);

 protected:
  void addOptionMenus() override;
  void loadPictures() override;
  void startState() override;
  void dealPieces() override;
  rt::PicHandle edgeArrowPicture(Shift side, int index) const override;
  void shiftBoard(Shift dir, int line) override;
  void countMove(Shift, int) override { ++moveCount; }
  void RedrawCell(int cell) override;
  void CheckGroups() override;
};

}  // namespace arrows
