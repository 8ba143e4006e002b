#pragma once
// Quadrin: every cell holds a picture; pressing one of the 81 small squares between the cells
// turns the four cells around it by a quarter. Each turn costs 1$ of the 500$ start money.
#include "connect_window.h"
#include "quadrin_rules.h"

namespace connect {

class Form11 : public ConnectWindow {
 public:
  explicit Form11(const shell::GameEntry& entry);

  Cells changedFlag{};
  rt::ControlArray<rt::PictureBox> rot;  // the small squares; a square's colour is its back colour
  rt::MenuItem* sm = nullptr;            // "All the small squares are black"

  void rot_MouseDown(int Index, int Button, int Shift, float X, float Y);
  void sm_Click();
  void NewBoard() override;

  void ColourSquares();
  void DrawRow(int first);
  void RedrawAllRows();
  void RedrawChanged();
  quadrin::SquareColour squareColour(int s) const;

  static constexpr rt::Color kSquareBlue = 0xFF0000, kSquareRed = 0xC0;

 protected:
  void bindCell(rt::PictureBox& cell, int index) override;
  void loadPictures() override;
  void addOptions(rt::MenuItem& opcije) override;
  void enableOptions(bool enabled) override;
  void bindBoard() override;
  void afterGroupSound() override;
  void exposeGameState() override;
  // The short help: the board stays in sight but takes no input while the panel is shown.
  void showHelp() override;
  void hideHelp() override;
};

}  // namespace connect
