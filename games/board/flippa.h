#pragma once
// Flippa: a click turns the neighbours of a cell one step through upright and upside-down looks
// of two pictures; the board is solved when every cell shows the same picture.
#include "flippa_rules.h"
#include "solitaire_window.h"

namespace board {

class Form24 : public SolitaireWindow {
 public:
  explicit Form24(const shell::GameEntry& entry);

  Cells UpsideDown{};
  int16_t FlipVariant = flippa::kCross;
  rt::MenuItem* uoieufio = nullptr;  // "Variant"

  void slika_MouseDown(int Index, int Button, int Shift, float X, float Y) override;
  void ria_Click(int Index);
  void DrawCell(int index);
  void DrawAllCells();

 protected:
  void loadPictures() override;
  std::string helpText() const override;
  void addGameMenus() override;
  void exposeGameState() override;
  rt::Spans boardValues() const override { return {{1, 2}}; }
  void dealGame() override;
  void drawDealtCells() override { DrawAllCells(); }
  rt::Color cellBack(int, int) const override { return rt::RGB(128, 128, 128); }
  bool goalReached() const override { return flippa::Solved(Board, BoardSize); }
  void afterWin() override;

 private:
  std::array<rt::PicHandle, 3> ikona{};
};

}  // namespace board
