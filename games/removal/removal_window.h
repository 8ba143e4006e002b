#pragma once
// The window that Kippel and Gemmet share: a 10 x 10 board of picture cells at a 34-pixel pitch,
// three buttons that flip or rotate the whole board, the fall and refill after a removal, the
// score with the best score of the game's file and "Save score", and the help panel.
#include <array>
#include <memory>
#include <string>

#include "game_window.h"
#include "cell_grid.h"
#include "score_panel.h"
#include "removal_window_rules.h"
#include "rt/control.h"

namespace removal {

class RemovalWindow : public shell::GameWindow {
 public:
  // State, open to the tests and the driver.
  Cells Board{};
  Cells cellFlag{};  // one flag per cell: Kippel's removeFlag, Gemmet's groupFlag
  Columns fallRow{}, fallFlag{};
  int32_t score = 0;

  rt::PictureBox* Podloga = nullptr;  // the board container
  rt::PictureBox* Picture1 = nullptr;
  parts::CellGrid<> Element;
  rt::PictureBox *Picture6 = nullptr, *Picture7 = nullptr, *Picture8 = nullptr;
  rt::PictureBox* lova = nullptr;  // the score panel
  rt::Label *Label2 = nullptr, *Label4 = nullptr, *Label7 = nullptr, *Label8 = nullptr;
  shell::ctrl_SkinableButton* Command1 = nullptr;

  // The three transforms: free, silent, allowed whenever their buttons take clicks.
  void Picture6_Click();  // flip vertical
  void Picture7_Click();  // rotate left
  void Picture8_Click();  // rotate right
  void Command1_Click() { SaveScore(); }

  static constexpr int kPitch = 34;
  static constexpr int kCellSize = 36;

 protected:
  RemovalWindow(const shell::GameEntry& entry, const char* hiscoreGame, int16_t emptyCode);

  void Form_Load() override;

  // What each game adds to the shared design.
  virtual void loadKindPictures() = 0;
  virtual void addOptionsMenu() {}
  virtual std::string helpText() const = 0;
  virtual void bindCell(rt::PictureBox& cell, int index) = 0;
  virtual rt::PicHandle pictureOf(int16_t code) const = 0;
  virtual bool keepsPicture(int16_t /*code*/) const { return false; }  // DrawCell leaves such a cell as it is
  virtual bool takeGap(int cell) = 0;  // the fall's test for a removed cell
  virtual void RefillBoard() = 0;
  virtual int hiscoreIndex() const { return 0; }
  virtual void beforeTransform() {}
  virtual void afterTransformRedraw() {}  // between the redraw and the fall
  virtual void exposeGameState() {}
  virtual rt::Spans boardValues() const = 0;  // the codes a cell of Board holds, as the game stands
  virtual void redrawAll();

  void StartGame();
  void DrawCell(int cell);
  void FallStep();
  void FallAndRefill();
  void SettleAfterTransform();
  void LoadHiscore();
  void SaveScore();
  void showScore();

  std::array<rt::PicHandle, 15> Uzorak;  // the window's copies of the kind and effect pictures

 private:
  void transform(void (*permute)(Cells&));
  void layOut();

  parts::ScorePanel scores_;
  int16_t empty_;
};

}  // namespace removal
