#pragma once
// Whitlo: turn every cell white, starting from the target with the red cross and going on with
// cells of the target's kind that touch a white cell.
#include "solitaire_window.h"
#include "whitlo_rules.h"

namespace board {

class Form22 : public SolitaireWindow {
 public:
  explicit Form22(const shell::GameEntry& entry);

  Cells WhiteCells{};
  int16_t TargetCell = kNoCell;

  void slika_MouseDown(int Index, int Button, int Shift, float X, float Y) override;
  void DrawCell(int index);
  void DrawAllCells();

 protected:
  void loadPictures() override;
  std::string helpText() const override;
  void exposeGameState() override;
  rt::Spans boardValues() const override { return {{1, BoardSize}}; }
  void dealGame() override;
  void drawDealtCells() override { DrawAllCells(); }
  void afterDeal() override { NewTarget(); }
  rt::Color cellBack(int, int) const override { return rt::kWhite; }
  bool goalReached() const override { return whitlo::AllWhite(WhiteCells, BoardSize); }
  void redrawAll() override;

 private:
  void NewTarget();
  std::array<rt::PicHandle, 51> ikona{};
};

}  // namespace board
