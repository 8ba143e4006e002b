#pragma once
// The window that Tumo and Holmo share: a panel (`Podloga`) over the whole window holding the
// 10 x 10 board box with its cells, a porthole above every column and beside every row, and the
// cash panel with cash, score and the best score of the checked skill; the Skill menu with its
// three items and a help panel that lies over the board while the board stays where it is.
#include <cstdint>
#include <string>

#include "cell_grid.h"
#include "game_window.h"
#include "removal_window_rules.h"
#include "rt/control.h"
#include "rt/menu.h"
#include "score_panel.h"

namespace removal {

class PortholeWindow : public shell::GameWindow {
 public:
  static constexpr int kPitch = 34;
  static constexpr int kCellSize = 36;

  rt::PictureBox* Podloga = nullptr;
  rt::PictureBox* Picture1 = nullptr;  // the board box
  parts::CellGrid<> Element;
  rt::ControlArray<rt::ImageBox> otvorg, otvorh;  // above column i, beside row i
  rt::PictureBox* lova = nullptr;
  rt::Label *Label2 = nullptr, *Label4 = nullptr, *Label7 = nullptr, *Label8 = nullptr;
  rt::Label* bestCaption = nullptr;  // " Hiscore:"
  rt::Label* bestLabel = nullptr;
  rt::MenuItem* vjestina = nullptr;

  int16_t skill = 2;  // 0 Easy, 2 Medium, 4 Hard
  int32_t money = 0, score = 0;

  virtual void tezina_Click(int Index) = 0;

 protected:
  PortholeWindow(const shell::GameEntry& entry, int widthTwips, int heightTwips, const char* hiscoreGame);

  // Menus: Play, Skill, Help, HomePage.
  void addMenus();
  // Podloga over the whole window, the board box at `boardTop` (pixels) and its cells.
  void buildBoard(rt::Color back, int boardTop);
  // The twenty portholes on Podloga: column i's at (topLeft + 34 i, 0), row i's at
  // (rightLeft, rightTop + 34 i), pixels; all hidden.
  void buildPortholes(int topLeft, int rightLeft, int rightTop, const char* topTip = "",
                      const char* rightTip = "");
  void hidePortholes();
  // The cash panel at (left, top) with its labels; the best label's design names.
  void buildCashPanel(int left, int top, const char* captionName, const char* bestName);

  void checkSkill(int Index);  // the check mark moves to tezina(Index)
  int skillLine() const;       // the best-score line of the checked skill
  void LoadHiscore() { scores_.load(skillLine()); }
  void SaveScore() { scores_.save(skillLine()); }
  void showCash();   // Label4 and Label8 in the leading-blank forms

  // The panel lies over the board; the board stays and takes no input meanwhile.
  void showHelp() override;
  void hideHelp() override;

  parts::ScorePanel scores_;
};

}  // namespace removal
