#pragma once
// Spredo: the player (white, from the top-left square) and the computer (black, from the
// bottom-right one) spread over a 14 x 14 board of colours; naming a colour takes every square
// of it that touches the mover's area. Each player move is answered by one computer move.
#include <array>

#include "game_window.h"
#include "rt/control.h"
#include "spredo_rules.h"

namespace board {

class form27 : public shell::GameWindow {
 public:
  explicit form27(const shell::GameEntry& entry);

  // The squares' state (also each square's Tag): colours 0..5, 6 the player's, 7 the computer's.
  spredo::Board Board{};
  std::array<rt::Color, spredo::kColours> Palette{};

  rt::PictureBox* Picture1 = nullptr;
  rt::ControlArray<rt::Shape> kockica;
  rt::Label* lblMoveCount = nullptr;

  void resetBoard();
  void cmbstart_Click();
  void Picture1_MouseDown(int Button, int Shift, float X, float Y);
  void SpreadWhite(int16_t c);
  void PickComputerColour();

 protected:
  void Form_Load() override;
  void showHelp() override;
  void hideHelp() override;

 private:
  void paintSquare(int i);
  void repaintOwned();
  void showCounts();
};

}  // namespace board
