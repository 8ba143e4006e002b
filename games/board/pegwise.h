#pragma once
// Pegwise: break a code of four digits 1..6 in eight guesses; black circles for digits in
// place, white circles for right digits elsewhere. One button starts, scores and restarts.
#include <cstdint>
#include <string>

#include "game_window.h"
#include "rt/control.h"

namespace board {

class Form20 : public shell::GameWindow {
 public:
  explicit Form20(const shell::GameEntry& entry);

  void Command1_Click();
  void Text1_KeyPress(int Index, int& KeyAscii);
  void NewGame();

  std::string SecretCode;
  uint8_t GuessRow = 0;

  rt::ControlArray<rt::TextBox> Text1;  // the guess rows
  rt::TextBox* Text2 = nullptr;         // the code box: "????" while a game runs
  rt::ControlArray<rt::Shape> Krug;     // the score circles, four per row
  rt::Shape *Shape1 = nullptr, *Shape2 = nullptr;
  rt::FrameBox* Frame1 = nullptr;  // the rules panel
  rt::Label* Label2 = nullptr;
  shell::ctrl_SkinableButton* Command1 = nullptr;

 protected:
  void Form_Load() override;

 private:
  void ScoreRow();
};

}  // namespace board
