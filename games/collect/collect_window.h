#pragma once
// The window the collecting games share: a 10 x 10 board on which every step drops new images
// that blink, groups of at least N equal pictures collected for cash and score, the shop of
// four helpful objects, skill and group size options locked by "Continue", and the best score
// per skill and group size. Each game adds its move rule and its few differences.
#include <array>
#include <string>

#include "cell_grid.h"
#include "collect_rules.h"
#include "game_window.h"
#include "rt/control.h"
#include "rt/menu.h"
#include "score_panel.h"

namespace collect {

constexpr int16_t kNoSource = 255;

// What a game sets in the shared design.
struct Design {
  const char* hiscoreGame;
  Sizes sizes;                           // the "Images to collect" values, in menu order
  int defaultSize;                       // menu position checked at start
  std::array<const char*, 3> skills;     // "Skill" captions
  int perStepBase;                       // images per step = skill + this
  bool dragVariant;                      // the board is played by drag and drop
  int fixedKinds;                        // 0: 100 / N kinds
  int mirrorWidth, mirrorHeight;         // the blink's mirrored frame, pixels
  int panelTop;                          // the cash panel's top in the right column
  int heightPx;                          // the window's height
};

class CollectWindow : public shell::GameWindow {
 public:
  // State, open to the tests and the driver.
  Cells Board{};
  Marks removeMark{}, helperMark{};
  std::array<int16_t, 4> newCell{}, newKind{};
  int16_t genCount = 0;
  int16_t blinkFrame = 0;
  bool animating = false;
  int16_t helperMode = kNoHelper;
  int16_t newPerStep = 2;
  int16_t groupSize = 4;
  PerSize cash{}, score{};
  Prices helperPrice = kNewGamePrices;
  int32_t gained = 0;

  rt::PictureBox& slika(int i) { return grid_(i); }
  // The picture of a cell's value (none for a value no kind has).
  rt::PicHandle pictureOf(int v) const { return v >= 0 && v < static_cast<int>(ikona.size()) ? ikona[v] : nullptr; }
  std::array<rt::PicHandle, 52> ikona{};  // by kind: 0 none, the kinds, 51 the mark
  std::array<rt::PicHandle, 11> Uzorak{};  // 7..10 the effect pictures

  rt::PictureBox* Picture1 = nullptr;  // the board container
  rt::PictureBox *lova = nullptr, *kosta = nullptr;
  rt::PictureBox *Picture11 = nullptr, *Picture9 = nullptr, *Picture4 = nullptr, *Picture5 = nullptr;
  std::array<rt::Label*, 5> pomoc{};  // 1..4: the prices
  rt::Label *Label2 = nullptr, *Label4 = nullptr, *Label5 = nullptr, *Label3 = nullptr, *Label6 = nullptr,
            *Label7 = nullptr;
  shell::ctrl_SkinableButton *Command2 = nullptr, *Command3 = nullptr;
  rt::MenuItem *opcije = nullptr, *Skill = nullptr, *nu = nullptr;

  // Handlers.
  void Command2_Click() { Continue_Click(); }
  void Command3_Click() { SaveScore(); }
  void Skillg_Click(int Index);
  void sp_Click(int Index);
  void Picture11_Click() { BuyHelper(kBomb); }
  void Picture9_Click() { BuyHelper(kRowLadder); }
  void Picture4_Click() { BuyHelper(kColumnLadder); }
  void Picture5_Click() { BuyHelper(kHeart); }

  bool gameOver() const override { return Command2 && Command2->Visible(); }  // not started yet
  int sizeIndex() const { return sizeIndex_; }
  int skillIndex() const { return skill_; }
  int16_t dragSourceCell() const { return dragSource; }

 protected:
  CollectWindow(const shell::GameEntry& entry, const Design& design);

  void Form_Load() override;
  void startPlay() override;

  // What each game adds.
  virtual std::string helpText() const = 0;
  virtual shell::GameWindow::HelpPanelLayout helpLayout() const;
  virtual void loadPictures();                         // ikona, the window's own pictures
  virtual void layOutExtras() {}                       // controls beyond the shared design
  virtual void bindCell(rt::PictureBox& cell, int index) = 0;
  virtual void resetExtras() {}                        // first step of ResetGame
  virtual void startExtras() {}                        // at "Continue", before the first step
  virtual void tidyCells() = 0;                        // Arrik's ClearMarks, the others' RefreshCells
  virtual void refreshEmptyCell(int cell) = 0;         // RedrawRow's refresh of an empty cell
  virtual void exposeExtras() {}
  virtual int typeOf(int16_t kind) const { return kind; }  // what a group compares

  // Procedures.
  void ResetGame();
  void GenerateImages();
  void BlinkStep();
  void CheckGroups();
  void RedrawRow(int first);
  void RedrawBoard();
  void ClearHelperCells();
  void UseHelper(int cell);
  void BuyHelper(int mode);
  void LoadHiscore();
  void SaveScore();
  void showCashAndScore();
  int kindCount() const;
  bool boardEmpty() const { return EmptyCount(Board) == kCells; }
  virtual void redrawAll();

  // Drag and drop games: a drag remembers its source cell until it ends; a drag that ended
  // without a drop (the drag manager forgets it) must not leave the cell remembered.
  int16_t dragSource = kNoSource;
  void forgetStaleSource(const rt::Control* source);
  // What every drop on a cell does first: forget a stale source, refuse while the board is busy,
  // aim a bought helper at the cell. True when the drop is left to the game's own move.
  bool dropReachesMove(int cell, const rt::Control* source);

  const Design design_;
  parts::CellGrid<> grid_;
  parts::ScorePanel scores_;
  std::array<rt::MenuItem*, 3> Skillg{};
  std::array<rt::MenuItem*, kSizeCount> sp{};
  int rightColumn_ = 0;

 private:
  void layOut();
  int skill_ = 1;
  int sizeIndex_ = 0;
};

}  // namespace collect
