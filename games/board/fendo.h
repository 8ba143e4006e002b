#pragma once
// Fendo: Blue and Yellow take one stick a turn on an octagonal board of 76 fields; whoever closes
// a field owns it and moves again. Yellow is a second human or the computer.
#include <array>

#include "fendo_rules.h"
#include "game_window.h"
#include "rt/control.h"

namespace board {

class Form19 : public shell::GameWindow {
 public:
  explicit Form19(const shell::GameEntry& entry);

  fendo::Game game;

  rt::PictureBox* Picture1 = nullptr;  // the board panel
  rt::ControlArray<rt::PictureBox> slika;  // sticks 0..219, posts 220..305
  rt::ImageBox* Image2 = nullptr;          // the player to move
  rt::Label *Label2 = nullptr, *Label3 = nullptr;
  rt::ControlArray<rt::Label> bodi;
  std::array<rt::PicHandle, 3> ikona;  // Blue's icon, Yellow's icon, the board's paper
  rt::MenuItem* op = nullptr;

  void slika_MouseDown(int Index, int Button, int Shift, float X, float Y);
  void oki_Click(int Index);
  void wg_Click(int Index);
  void Command2_Click() { Continue_Click(); }
  void PlayComputerTurn();

 protected:
  void Form_Load() override;
  void startPlay() override;

 private:
  void BuildOctagon();
  void placeStick(int n, int left, int top, int width, int height);
  void drawSticks();
  void paintOwner(const fendo::Field& f, int player);
  void showScore(int player);
  bool computerOpponent() const;
};

}  // namespace board
