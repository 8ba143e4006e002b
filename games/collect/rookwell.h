#pragma once
// Rookwell: chess pieces on a chessboard-coloured board, dragged by their chess steps (nothing
// blocks the way); a piece captures one of the other colour; groups are formed by piece type.
#include <array>
#include <string>

#include "collect_window.h"
#include "rookwell_rules.h"

namespace collect {

class Form28 : public CollectWindow {
 public:
  explicit Form28(const shell::GameEntry& entry);

  std::array<int16_t, 11> pieceType{};
  rt::PictureBox* figure = nullptr;  // the sprite strip (hidden)
  rt::PictureBox* buffek = nullptr;  // where a sprite is cut; then holds the mask strip (hidden)
  rt::PictureBox* Picture7 = nullptr;  // the title banner

  void slika_DragOver(int Index, rt::Control* Source, int State);
  void slika_DragDrop(int Index, rt::Control* Source);
  void ComposePiece(rt::PictureBox& cell, int kind);

 protected:
  std::string helpText() const override;
  HelpPanelLayout helpLayout() const override;
  void loadPictures() override;
  void layOutExtras() override;
  void bindCell(rt::PictureBox& cell, int index) override;
  void tidyCells() override { RefreshCells(); }
  void refreshEmptyCell(int cell) override;
  void exposeExtras() override;
  int typeOf(int16_t kind) const override { return kind >= 0 && kind <= 10 ? pieceType[kind] : 0; }

  void RefreshCells();
};

}  // namespace collect
