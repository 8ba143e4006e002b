#pragma once
// Arrik: a click moves or swaps an image toward the arrow's direction, wrapping at the board's
// edges; the arrow ends the turn: new images fall and a new direction and action are drawn.
#include <array>
#include <string>

#include "arrik_rules.h"
#include "collect_window.h"

namespace collect {

class Form14 : public CollectWindow {
 public:
  explicit Form14(const shell::GameEntry& entry);

  int16_t arrowDir = arrik::kRight;
  int16_t action = arrik::kMove;
  std::array<std::string, 2> actionName;

  rt::FrameBox* Frame1 = nullptr;
  rt::ControlArray<rt::PictureBox> strelice;  // 0..3 hidden arrow pictures, 4 the shown arrow
  rt::Label* Label8 = nullptr;

  void slika_Click(int Index);
  void strelice_Click(int Index);

 protected:
  std::string helpText() const override;
  void loadPictures() override;
  void layOutExtras() override;
  void bindCell(rt::PictureBox& cell, int index) override;
  void resetExtras() override;
  void startExtras() override;
  void tidyCells() override { ClearMarks(); }
  void refreshEmptyCell(int cell) override { grid_.show(cell, ikona[0]); }
  void exposeExtras() override;
  void redrawAll() override;

  void ClearMarks();
  void NewArrow();
  int16_t PickAction();
};

}  // namespace collect
