#pragma once
// Brenx: select a picture with the right button and move it one step with the left; groups of
// at least n equal pictures are collected for 2$ and a point each and new pictures blink in.
// Blocking kinds (red crosses) cannot be moved or moved onto. Every move costs 1$.
#include <vector>

#include "brenx_rules.h"
#include "connect_window.h"
#include "score_panel.h"

namespace connect {

class Form10 : public ConnectWindow {
 public:
  explicit Form10(const shell::GameEntry& entry);

  // State, open to the tests and the driver (cash is the window's `cash`).
  brenx::KindFlags blockingFlag{};
  Cells collectedFlag{};
  int16_t selectedCell = brenx::kNoCell;
  int16_t previousSelection = brenx::kNoCell;
  int32_t score = 0;
  int16_t collectedCount = 0;
  int16_t newCellCount = 0;
  std::vector<brenx::NewCell> newCells;  // the running refill's cells and kinds, in order
  int16_t blinkFrame = 0;
  int16_t animating = 0;
  int16_t reblockPending = 0;

  rt::PicHandle Uzorak8;  // the collected-cell picture
  rt::PictureBox *lova = nullptr, *Picture5 = nullptr;
  rt::Label *Label11 = nullptr, *Label3 = nullptr, *Label9 = nullptr, *Label7 = nullptr, *Label8 = nullptr,
            *Label4 = nullptr;
  shell::ctrl_SkinableButton* Command3 = nullptr;  // "Save score"

  void slika_MouseDown(int Index, int Button, int Shift, float X, float Y);
  void Command3_Click() { SaveScore(); }
  void NewBoard() override;
  void DrawCell(int i) override;
  void ChooseBlockingKinds();
  void CollectGroups();
  void Refill();
  void ClearCollectedFlags();
  void BlinkStep();
  void LoadHiscore();
  void SaveScore();

  static constexpr int kMark = 51, kRing = 52;
  // There is no end: with no cash every press beeps, and the board stays open.
  bool gameOver() const override { return false; }

 protected:
  void startPlay() override;
  void loadPictures() override;
  void bindCell(rt::PictureBox& cell, int index) override;
  void bindBoard() override;
  void exposeGameState() override;
  rt::Spans boardValues() const override { return {{brenx::kEmpty, cellCount() / groupSize}}; }

 private:
  bool collectOnce();     // one scan: every group of at least n collected, paid and sounded
  void fillEmptyCells();  // the refill's draws, then the blink (none on an empty board)
  void clearSelection();
  void showCashAndScore();
  int sizeLine() const;   // the position of the checked "Images to collect" item
  parts::ScorePanel hiscore_{"Brenx"};
  int ringCell_ = -1;     // the cell the selection ring is painted on
};

}  // namespace connect
