#pragma once
// Lobbo: pieces of one to three blocks fall into a well seven columns wide; steer them with the
// mouse or the arrow keys, cycle their blocks, and remove lines of three matching blocks for
// money. The game ends when the stack reaches the fourth row; the result enters the table of
// the five top players kept in "Lobbo.nrz".
#include <array>
#include <functional>
#include <string>

#include "game_window.h"
#include "lobbo_rules.h"
#include "rt/control.h"
#include "rt/menu.h"

namespace falling {

class Form23 : public shell::GameWindow {
 public:
  explicit Form23(const shell::GameEntry& entry);

  // The well, the pieces and the state of play (open to the tests and the driver).
  lobbo::Well Board{};
  lobbo::Marks fallMark{};
  lobbo::Mask BlockMask{};
  lobbo::Piece piece, next;
  lobbo::Fall fall;
  int16_t keyFlags = 0, upHeld = 0;
  int16_t level = 1, startLevel = 1;
  int32_t money = 0;
  bool stopPlay = false, gameEnded = false;
  int16_t effectSound = -1;

  rt::PictureBox* Picture1 = nullptr;  // the well
  rt::ControlArray<rt::PictureBox> Dio;  // the falling blocks
  rt::PictureBox* Picture7 = nullptr;  // the next piece
  rt::PictureBox* Picture6 = nullptr;  // decoration
  rt::Label *lova = nullptr, *levime = nullptr, *lev = nullptr, *Label1 = nullptr, *Label2 = nullptr;
  rt::FrameBox* Frame5 = nullptr;
  rt::ControlArray<rt::Label> topime, topcash;
  rt::TextBox* ime = nullptr;
  shell::ctrl_SkinableButton* Command1 = nullptr;
  rt::MenuItem *o2 = nullptr, *ua = nullptr, *o21 = nullptr, *o22 = nullptr;

  void Command1_Click();
  void o21_Click();
  void o221_Click(int Index);
  void ua_Click();
  void Picture1_MouseDown(int Button, int Shift, float X, float Y);
  void Form_KeyDown(int& KeyCode, int Shift);
  void Form_KeyUp(int& KeyCode, int Shift);

  std::string topPlayersPath() const;
  bool playing() const { return playing_; }

 protected:
  void Form_Load() override;
  void Form_Unload() override { stopPlay = true; }

 private:
  void layOut();
  void exposeGameState();
  void ResetWell();
  void DrawNext();
  void ShowNext();
  void ShowPiece();
  void CyclePiece();
  void PlayLoop();
  bool FallPiece();
  void PlaceDio();
  void ResolveLanding(bool single, int x, int y);
  void DrawWell();
  void PlayLobboSound(int n);
  void showMoney();
  void LoadTopPlayers();
  // Writes the file's table, with `enter` applied to it when given, and shows it; without `enter`
  // only a missing file is written. `enter` answers whether the result entered the table: a result
  // that did not leaves a file that holds the table as it is.
  void SaveTopPlayers(const std::function<bool(lobbo::TopPlayers&)>& enter);
  void AddTopPlayer();
  lobbo::TopPlayers table() const;
  void showTable(const lobbo::TopPlayers& t);

  std::array<rt::PicHandle, lobbo::kBlockPictures> slika;
  std::string dataFolder_;
  bool playing_ = false;
};

}  // namespace falling
