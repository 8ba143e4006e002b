#pragma once
// Verdo: shift the squares along rows and columns until every red cross lies under one; the
// crosses never move. Boards of 4 x 4 to 10 x 10, three skills.
#include "arrow_window.h"
#include "verdo_rules.h"

namespace arrows {

class Form25 : public ArrowWindow {
 public:
  explicit Form25(const shell::GameEntry& entry);

  int16_t boardSize = verdo::kDefaultSize;
  int16_t targetCount = 0;
  verdo::Cells cellSquare{}, cellCross{};
  int32_t moveCount = 0;
  rt::MenuItem* edadad = nullptr;

  void sp_Click(int Index);
  void spic_Click(int Index);

 protected:
  void addOptionMenus() override;
  void buildTemplate() override;
  void loadPictures() override;
  void startState() override;
  void DealBoard() override;
  rt::PicHandle edgeArrowPicture(Shift side, int index) const override;
  void shiftBoard(Shift dir, int line) override;
  void countMove(Shift, int) override { ++moveCount; }
  int dim() const override { return boardSize; }
  void RedrawCell(int cell) override;
  void CheckGroups() override { CheckSolved(); }
  void CheckSolved();
};

}  // namespace arrows
