#pragma once
// Faunix: drag pictures onto each other to swap them until every row and every column holds n
// different pictures; a count beside each row and below each column turns red when complete.
#include "faunix_rules.h"
#include "solitaire_window.h"

namespace board {

class Form6 : public SolitaireWindow {
 public:
  explicit Form6(const shell::GameEntry& entry);

  rt::ControlArray<rt::Label> hlab, vlab;  // row and column counts

  void CountMove() override;

 protected:
  void loadPictures() override;
  std::string helpText() const override;
  void dealGame() override;
  rt::Spans boardValues() const override { return {{1, BoardSize}}; }
  void drawDealtCells() override;
  rt::Color cellBack(int, int) const override { return rt::RGB(128, 128, 128); }
  bool goalReached() const override;
  void placeBoard() override;
  void dropMove(int source, int target) override;
  void redrawAll() override;

 private:
  rt::PicHandle kindPicture(int kind) const;
  void showCount(rt::Label& label, int count);
  std::array<rt::PicHandle, 11> ikona{};
  int shownSum_ = 0;
};

}  // namespace board
