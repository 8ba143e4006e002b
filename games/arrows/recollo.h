#pragma once
// Recollo: the memory game. Turn up two (or three) cards per attempt to find equal ones; one-way
// arrows on the board shift their line, two-way arrows show their line's cards for a moment, and
// after every miss the red arrow shifts its line by itself.
#include <array>

#include "cell_grid.h"
#include "game_window.h"
#include "recollo_rules.h"
#include "rt/control.h"

namespace arrows {

class Form7 : public shell::GameWindow {
 public:
  explicit Form7(const shell::GameEntry& entry);

  recollo::Game game;

  rt::PictureBox* Picture1 = nullptr;
  parts::CellGrid<> slika;
  rt::ControlArray<rt::Label> broj;
  rt::MenuItem *opcije = nullptr, *pc = nullptr;

  void slika_Click(int Index);
  void broj_Click(int Index) { slika_Click(Index); }
  void pieces_Click(int Index);
  int matchSize() const;
  bool gameOver() const override { return game.won; }

 protected:
  void Form_Load() override;

  void DealBoard();
  void RedrawBoard();
  void RedrawRow(int first);
  void RedrawColumn(int column);
  void ShiftLine(int cell);
  void PickRedArrow();

 private:
  void RedrawCell(int cell);
  void showNumber(int cell);
  void fireArrow(int cell, recollo::Click click);
  void settleAttempt(int matchSize);
  // The pictures of a card kind and of an arrow kind; none for a kind the deal never makes.
  rt::PicHandle cardPicture(int kind) const;
  rt::PicHandle arrowPicture(int kind, bool red) const;

  std::array<rt::PicHandle, 45> ikona;
  std::array<rt::PicHandle, 12> pom;
};

}  // namespace arrows
