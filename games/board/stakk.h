#pragma once
// Stakk 3D: noughts and crosses in a cube, drawn layer under layer in an oblique view. Green is a
// human; Brown a human or the computer. 3 x 3 x 3 is played for points (a completed line scores,
// turns white and its maker moves again; first to ten), 4 x 4 x 4 for the first four in a line.
#include <array>

#include "game_window.h"
#include "rt/control.h"
#include "stakk_rules.h"

namespace board {

class Form17 : public shell::GameWindow {
 public:
  explicit Form17(const shell::GameEntry& entry);

  stakk::Board Board{};
  int16_t variant = 1;  // 0: 3 x 3 x 3, 1: 4 x 4 x 4
  int16_t turn = 0;     // 0 Green, 1 Brown
  int16_t limit = 10;
  int16_t moveCount = 0;
  std::array<int32_t, 2> score{};

  rt::PictureBox* Picture1 = nullptr;
  rt::FrameBox *Frame1 = nullptr, *Frame2 = nullptr;
  rt::ControlArray<rt::Label> bodovi;
  rt::Label *Label1 = nullptr, *Label2 = nullptr;
  rt::MenuItem* opcije = nullptr;
  std::array<rt::PicHandle, 7> Igracka;  // coins: Green, Brown, white, just placed x 2, scoring x 2
  rt::PicHandle Image1;                  // the grid tile

  void vrsta_Click(int i);
  void opo_Click(int i);
  void op2_Click(int i);
  void pomoc_Click(int i);
  void Command1_Click() { Continue_Click(); }
  void Command2_Click() { hideHelp(); }
  void Picture1_MouseDown(int Button, int Shift, float X, float Y);
  void StakkComputerTurn();
  void ComputerMove4x4(int place);

  bool gameOver() const override;
  // The cell under a point of Picture1 (pixels), or -1.
  int HitCell(float X, float Y) const;

 protected:
  void Form_Load() override;
  void startPlay() override;

 private:
  void NewStakkGame();
  void ShowTurn();
  void DrawCoin(int kind, int cell);
  void paintCoin(int picture, int cell);
  void RedrawCoins();
  void drawEmptyGrid();
  void showScores();
  bool computerBrown() const;
  int side() const { return variant == 0 ? 3 : 4; }
  void paintCoins();  // the grid and every coin as Board holds it
  void check(const char* name, int count, int i);
};

}  // namespace board
