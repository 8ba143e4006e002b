#pragma once
// Smylo: find thirty smileys hidden on a 15 x 15 grid with few reveals. Blue coins count the
// smileys of each row and column, yellow coins the smileys beside a revealed cell; the right
// button paints a red cross as a note.
#include <array>
#include <cstdint>

#include "game_window.h"
#include "rt/control.h"
#include "smylo_rules.h"

namespace board {

class Form18 : public shell::GameWindow {
 public:
  explicit Form18(const shell::GameEntry& entry);

  void Picture1_MouseDown(int Button, int Shift, float X, float Y);
  void sk_Click(int Index);
  void NewBoard();
  void MarkCross(int x, int y);

  smylo::Board Board{};
  std::array<int16_t, smylo::kCells + 1> Revealed{};
  int16_t MovesBudget = 15;
  int16_t FoundCount = 0;
  int16_t ClickCount = 0;

  rt::PictureBox* Picture1 = nullptr;  // the board, drawn into
  rt::PictureBox* ikona = nullptr;     // the smiley picture
  rt::Label *Label2 = nullptr, *ml = nullptr, *sl = nullptr, *pokreti = nullptr;  // moves left, found, reveals
  rt::MenuItem* skeg = nullptr;  // "Skill"

 protected:
  void Form_Load() override;

 private:
  int movesLeft() const;
  void paintCell(int x, int y, const rt::PicHandle& pic);
  rt::PicHandle cross_;
  std::array<rt::PicHandle, 5> zuti_;    // yellow coins 0..4
  std::array<rt::PicHandle, 16> plavi_;  // blue coins 0..15
};

}  // namespace board
