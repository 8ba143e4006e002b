#pragma once
// The window the grid solitaires share (Whitlo, Flippa, Faunix, Pairn, Equin): an n x n board of
// picture cells (n from 4 to 10, chosen in "Options") at a 34-pixel pitch, the help panel, the
// "Continue" button that locks the options, and the move count in the frame caption. The game
// ends when the board reaches its goal: sound 8 and a board that takes no more input.
#include <array>
#include <optional>
#include <string>

#include "cell_grid.h"
#include "game_window.h"
#include "rt/menu.h"
#include "solitaire_rules.h"

namespace board {

// What differs between the members of the design.
struct SolitaireDesign {
  int widthTwips = 5835, heightTwips = 5685;
  int16_t defaultSize = 10;
  const char* name = "";
  int captionBlanks = 12;            // blanks between the name and "Moves:"
  std::optional<int> dealCount;      // MoveCount set by a deal (none: "Continue" resets it)
  bool dragInput = false;            // cells are dragged onto cells (else clicked)
  bool pauseAfterWin = false;        // two seconds after the win sound
  // Help panel: panel in pixels, text and button in points.
  int helpLeft = 35, helpTop = 32, helpSize = 318;
  double okLeftPt = 188, okTopPt = 214;
  double labelTopPt = 52, labelHeightPt = 180;
  int continueLeft = 151, continueTop = 178;
  long long mostMoves = rt::kMostCount;  // Flippa counts in 16 bits
};

// Faunix, Pairn and Equin: a wider window, the count set by the deal, cells dragged onto cells,
// ten blanks before "Moves:" and a pause after the win.
constexpr int kDealCountsOnce = -1;  // the deal counts once: a fresh board shows 0
constexpr int kDealShowsName = 0;    // a deal shows the name alone
SolitaireDesign DragGameDesign(const char* name, int16_t defaultSize, double labelTopPt, int dealCount);

class SolitaireWindow : public shell::GameWindow {
 public:
  // State, open to the tests and the driver.
  int16_t BoardSize = 10;
  std::string GameName;
  int32_t MoveCount = 0;
  Cells Board{};
  int16_t SourceCell = kNoCell;  // the drag games' recorded drag source

  rt::PictureBox* Picture1 = nullptr;  // the board container
  parts::CellGrid<> slika;
  shell::ctrl_SkinableButton* Command2 = nullptr;  // "Continue"
  rt::MenuItem* opcije = nullptr;
  rt::MenuItem* nu = nullptr;

  bool gameOver() const override { return won_; }
  int cells() const { return BoardSize * BoardSize; }

  // Handlers of the design.
  void Command2_Click() { Continue_Click(); }
  void Command1_Click() { hideHelp(); }
  void sp_Click(int Index);
  virtual void slika_MouseDown(int /*Index*/, int /*Button*/, int /*Shift*/, float /*X*/, float /*Y*/) {}
  void slika_DragOver(int Index, rt::Control* Source, float X, float Y, int State);
  void slika_DragDrop(int Index, rt::Control* Source, float X, float Y);

  // Procedures of the design.
  void NewBoard();
  virtual void CountMove();

  static constexpr int kPitch = 34, kCellSize = 36;
  static constexpr int16_t kOutside = -1;  // a Board entry beyond the n x n cells (but Pairn's)

 protected:
  SolitaireWindow(const shell::GameEntry& entry, const SolitaireDesign& design);
  void Form_Load() override;
  void Command5_Click() override { Command1_Click(); }
  void startPlay() override;

  // What each game adds.
  virtual void loadPictures() = 0;          // its picture store from the library
  virtual std::string helpText() const = 0;
  virtual void addGameMenus() {}            // after "Options"
  virtual void exposeGameState() {}
  virtual rt::Spans boardValues() const = 0;      // what a cell of the n x n board holds
  virtual int16_t offBoard() const { return kOutside; }  // what every entry beyond it holds
  virtual void dealGame() = 0;              // resets the game arrays and deals
  virtual void drawDealtCells() = 0;        // after the cells are laid out
  virtual void afterDeal() {}               // Whitlo's target
  virtual rt::Color cellBack(int row, int column) const = 0;
  virtual bool goalReached() const = 0;
  virtual void afterWin() {}                // after the win sound (and pause)
  virtual void placeBoard();                // Picture1's place and size for the current n
  virtual void redrawAll() { drawDealtCells(); }
  // The drag games: which cell may be picked up and the move of a drop on another cell.
  virtual bool canPickUp(int /*cell*/) const { return true; }
  virtual void dropMove(int /*source*/, int /*target*/) {}

  void placeByWidth();  // Pairn and Equin: by the window's width alone, both ways
  std::string movesCaption() const;
  void setCellDragMode(int cell, bool draggable);
  int16_t randomInt(int k) const;
  Random rnd() const;

  const SolitaireDesign design_;
  bool won_ = false;

 private:
  void layOut();
  void forgetSource() { SourceCell = kNoCell; }
};

}  // namespace board
