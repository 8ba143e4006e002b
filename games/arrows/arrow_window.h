#pragma once
// The window that Glimbo, Railor and Verdo share: a board of picture cells in a container, forty
// arrows around it (ten a side) that shift a whole row or column by one cell with wrap-around,
// the "GAME OVER" panel with the move count, the help panel and the "Continue" start button
// that locks the options.
#include <array>
#include <string>
#include <vector>

#include "arrow_rules.h"
#include "cell_grid.h"
#include "game_window.h"
#include "rt/control.h"

namespace arrows {

class ArrowWindow : public shell::GameWindow {
 public:
  // The design of one window, in pixels.
  struct Design {
    int width = 424, height = 425;  // client area
    rt::Color back = rt::kButtonFace;
    std::string container = "Picture3";
    int containerLeft = 33, containerTop = 33, containerSize = 358;
    int cellSize = 30, cellPitch = 34, cellOffset = 6, cellBorder = 1;
    int rightArrowGap = 36, rightArrowTop = 45;  // shdesno: container width + gap, 34i + top
    int gameOverLeft = 128, gameOverTop = 144;
    rt::Color gameOverBack = rt::kButtonFace;
    int continueLeft = 167, continueTop = 201;
    // The help panel over the board: the same panel, text style and "OK" in every arrow window;
    // each game sets the places.
    HelpPanelLayout help{.panel = "Picture2", .label = "Label1", .button = "Command1", .left = 40, .top = 40,
                         .width = 343, .height = 343, .textLeft = 13, .textWidth = 313, .textHeight = 160,
                         .buttonWidth = 57, .font = {"MS Sans Serif", 8.25, true, false, false}};
    std::string helpText;
    bool helpHidesBoard = false;
  };

  // Controls, open to the tests and the driver.
  rt::PictureBox* boardBox = nullptr;  // the board container (Picture3 or Picture1)
  parts::CellGrid<> slika;
  rt::ControlArray<rt::PictureBox> shgore, shdesno, shdolje, shlijevo;
  rt::PictureBox* Picture5 = nullptr;  // the game-over panel
  rt::Label *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr;
  shell::ctrl_SkinableButton* Command2 = nullptr;  // "Continue"
  rt::MenuItem *opcije = nullptr, *ab = nullptr;

  void shgore_Click(int Index) { ArrowMove(Shift::Up, Index); }
  void shdesno_Click(int Index) { ArrowMove(Shift::Right, Index); }
  void shdolje_Click(int Index) { ArrowMove(Shift::Down, Index); }
  void shlijevo_Click(int Index) { ArrowMove(Shift::Left, Index); }
  void Command2_Click() { Continue_Click(); }

  bool gameOver() const override { return over_; }
  rt::ControlArray<rt::PictureBox>& arrowsOf(Shift side);

 protected:
  ArrowWindow(const shell::GameEntry& entry, const Design& design);

  // The load every arrow window follows: the menus with the game's options, the shared controls,
  // the game's pictures, the help panel, the game's start state, the first deal.
  void Form_Load() override;
  virtual void addOptionMenus() = 0;  // between "Play" and "Help"
  virtual void buildTemplate();       // the shared controls; a game may add to them
  virtual void loadPictures() = 0;    // into ikona
  virtual void startState() = 0;      // start values and the named state, after the seeding
  rt::MenuItem& addOptions(const std::string& caption);  // "Options" > ab

  void EnableBoard();
  void DisableBoard();

  // The deal frame of the 10 x 10 games: panel hidden, board disabled, `dealPieces`, the redraw,
  // every arrow and cell placed and shown, "Continue" shown.
  virtual void DealBoard();
  virtual void dealPieces() {}
  virtual rt::PicHandle edgeArrowPicture(Shift side, int index) const = 0;

  // One arrow use: the shift, the redraw of the line, the game's bookkeeping, the check.
  void ArrowMove(Shift dir, int index);
  virtual void shiftBoard(Shift dir, int line) = 0;
  virtual void countMove(Shift /*dir*/, int /*index*/) {}
  virtual void afterCheck(Shift /*dir*/, int /*index*/) {}

  virtual int dim() const { return 10; }
  void RedrawRow(int first);
  void RedrawColumn(int column);
  void RedrawBoard();
  virtual void RedrawCell(int cell) = 0;

  // The check after every move and at the start; ends enabled or with GameOver.
  virtual void CheckGroups() = 0;
  // The red cross over every cell of `cells`, sound 1 and a one-second pause.
  void RemovalEffect(const std::vector<int>& cells);
  void GameOver(int moves);

  void startPlay() override;  // "Continue": options locked, the first check
  void showHelp() override;
  void hideHelp() override;
  void Command5_Click() override { hideHelp(); }

  void placeEdgeArrow(Shift side, int index, int left, int top);

  Design design_;
  std::vector<rt::PicHandle> ikona;  // the window's picture store
  static constexpr int kMark = 54;
  bool over_ = false;

 private:
  void buildArrows();
  void buildGameOverPanel();
};

}  // namespace arrows
