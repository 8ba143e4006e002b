#pragma once
// Equin: the black knight eats white knights, white knights jump onto empty cells, until the
// black knight is alone.
#include "equin_rules.h"
#include "solitaire_window.h"

namespace board {

class Form26 : public SolitaireWindow {
 public:
  explicit Form26(const shell::GameEntry& entry);

 protected:
  void loadPictures() override;
  std::string helpText() const override;
  void dealGame() override { equin::Deal(Board, BoardSize, rnd()); }
  rt::Spans boardValues() const override { return {{equin::kWhiteKnight, equin::kEmpty}}; }
  void drawDealtCells() override;
  rt::Color cellBack(int, int) const override { return rt::RGB(128, 128, 128); }
  bool goalReached() const override { return equin::Won(Board, BoardSize); }
  void placeBoard() override;
  bool canPickUp(int cell) const override { return Board[cell] != equin::kEmpty; }
  void dropMove(int source, int target) override;

 private:
  void drawCell(int i);
  std::array<rt::PicHandle, 3> konj{};
};

}  // namespace board
