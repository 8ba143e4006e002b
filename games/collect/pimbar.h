#pragma once
// Pimbar: an image is dragged to an empty cell along a clean path of empty cells; the shortest
// path is drawn with arrows while the image is dragged. New images fall after a move unless the
// moved image was collected.
#include <array>
#include <string>

#include "collect_window.h"
#include "pimbar_rules.h"

namespace collect {

class Form2 : public CollectWindow {
 public:
  explicit Form2(const shell::GameEntry& entry);

  int16_t dragTarget = 0;
  pimbar::Distances pathDist{};
  std::array<rt::PicHandle, 4> strelice{};  // the path arrows: down, up, left, right

  void slika_DragOver(int Index, rt::Control* Source, int State);
  void slika_DragDrop(int Index, rt::Control* Source);

 protected:
  std::string helpText() const override;
  void loadPictures() override;
  void bindCell(rt::PictureBox& cell, int index) override;
  void tidyCells() override { RefreshCells(); }
  void refreshEmptyCell(int cell) override;
  void exposeExtras() override;

  void RefreshCells();
  void FindPath();
};

}  // namespace collect
