#pragma once
// The window the connect games share: a board of picture cells in Picture1 dealt so that every
// kind occurs exactly n times, the "Images to collect" menu with its prices, "Continue" that sets
// the cash and locks the options, the check that marks groups of exactly n joined copies (done
// mark, sound, white cells), the status in the frame caption and the won and lost ends.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "cell_grid.h"
#include "connect_rules.h"
#include "game_window.h"
#include "rt/control.h"
#include "rt/menu.h"

namespace connect {

// What each connect game gives the shared window: its name, board, group sizes with their
// start money, kinds and help panel.
struct ConnectDesign {
  const char* name = "";
  int cols = kSide, rows = kSide;
  parts::GridLayout cells{.cols = kSide, .rows = kSide, .pitchX = 34, .pitchY = 34, .cellWidth = 36,
                          .cellHeight = 36, .left = -1, .top = -1, .border = 1, .back = 0x808080};
  int boardLeft = 10, boardTop = 10, boardSize = 344;  // Picture1, pixels
  int continueLeft = -1, continueTop = -1;             // "Continue"; -1: centred under the board
  std::vector<int> sizes{2, 4, 5, 10, 20, 25, 50};     // the "Images to collect" items
  std::vector<int> cash;                               // start money per item; empty: none
  bool priceInCaptions = true;                         // "5 (1200$)" rather than "5"
  int defaultSize = 5;
  int16_t kindBase = 0;     // the first kind dealt
  bool greyFields = true;   // kind 0 is the grey fields: no picture, never in a group
  bool whitenEachGroup = true;  // a completed group is drawn white at once (else the board after the scan)
  // The help panel over the board: each game places its text and "OK" inside it.
  shell::GameWindow::HelpPanelLayout help{.panel = "Picture2", .label = "Label1", .button = "Command1",
                                          .left = 10, .top = 10, .width = 323, .height = 322};
  std::string helpText;

  // Places the help text and "OK" inside the panel, in pixels.
  void placeHelp(int labelLeft, int labelTop, int labelWidth, int labelHeight, int okLeft, int okTop);
};

class ConnectWindow : public shell::GameWindow {
 public:
  // State, open to the tests and the driver. Klumpa uses the first 64 cells.
  Cells Board{};
  Cells doneFlag{};
  int32_t cash = 0;
  std::array<int16_t, 51> CashTable{};
  int16_t completedCells = 0;
  int16_t groupSize = 5;
  std::string name;

  rt::PictureBox* Picture1 = nullptr;
  parts::CellGrid<> slika;
  std::vector<rt::PicHandle> ikona;
  rt::PictureBox* Picture2 = nullptr;  // the help panel
  rt::Label* Label1 = nullptr;
  shell::ctrl_SkinableButton* Command1 = nullptr;  // "OK"
  shell::ctrl_SkinableButton* Command2 = nullptr;  // "Continue"
  rt::MenuItem* opcije = nullptr;
  rt::MenuItem* nu = nullptr;
  std::vector<rt::MenuItem*> sp;

  void Command2_Click() { Continue_Click(); }
  void sp_Click(int Index);
  virtual void NewBoard();
  virtual void CheckConnected();
  virtual void DrawCell(int i);
  virtual void RedrawAllCells();

  int cellCount() const { return design_.cols * design_.rows; }
  Shape shape() const { return {design_.cols, design_.rows}; }
  // Cells to complete for a win: the grey fields never join a group.
  virtual int targetCells() const { return design_.greyFields ? cellCount() - groupSize : cellCount(); }
  bool won() const { return completedCells >= targetCells(); }
  bool started() const { return started_; }
  // After "Continue": won, or the cash is spent.
  bool gameOver() const override { return started_ && (won() || cash <= 0); }

  static constexpr int kDoneMark = 50;  // ikona(50) in the 10 x 10 games
  static constexpr rt::Color kGrey = 0x808080, kWhite = 0xFFFFFF, kBlackColour = 0x000000;

 protected:
  using Design = ConnectDesign;
  ConnectWindow(const shell::GameEntry& entry, Design design, int widthPixels, int heightPixels);

  void Form_Load() override;
  // "Continue": the cash, the options locked, the first check; the board enabled unless the
  // game is already won or lost.
  void startPlay() override;

  // What each game adds to the shared design.
  virtual void loadPictures();  // ikona: kinds 1..49 from the library, 50 the done mark
  virtual rt::PicHandle kindPicture(int16_t kind) const;
  virtual void bindCell(rt::PictureBox& cell, int index) = 0;
  virtual void addOptions(rt::MenuItem& /*opcije*/) {}
  virtual void enableOptions(bool enabled);  // the items "Continue" locks
  virtual void clearFlags();                 // NewBoard: the game's own flags
  virtual void afterDeal() {}                // NewBoard: after the cells are laid out
  virtual void afterGroupSound() {}
  virtual void exposeGameState() {}
  virtual void bindBoard() {}                // after the controls are laid out
  virtual std::string statusText() const;    // the frame caption after the name
  void showStatus();
  // The done mark painted over a cell's picture.
  void paintMark(int i, const rt::PicHandle& mark);
  // A state array of cellCount() entries for the driver.
  void exposeCells(const std::string& stateName, Cells& cells, std::function<rt::Spans()> values);
  virtual rt::Spans boardValues() const;  // the kinds of the chosen group size
  static rt::Spans flagValues();          // a flag: true (-1) or false

  const Design& design() const { return design_; }
  bool started_ = false;

 private:
  void layOut();
  Design design_;
};

}  // namespace connect
