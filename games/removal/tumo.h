#pragma once
// Tumo: pieces enter the empty board through open portholes above the columns and beside the
// rows and run across it until something stops them; a piece landing by its kind or a joker
// takes its whole group away. Helpers from the shop take the next piece's place; the board can
// be turned for money.
#include <array>

#include "porthole_window.h"
#include "tumo_rules.h"

namespace removal {

class Form3 : public PortholeWindow {
 public:
  explicit Form3(const shell::GameEntry& entry);

  // Handlers.
  void otvorg_Click(int Index) { Drop(true, Index); }
  void otvorh_Click(int Index) { Drop(false, Index); }
  void Picture2_Click() { BuyHelper(tumo::kBomb); }
  void Picture3_Click() { BuyHelper(tumo::kRowLadder); }
  void Picture4_Click() { BuyHelper(tumo::kColumnLadder); }
  void Picture5_Click() { BuyHelper(tumo::kHeart); }
  void Picture6_Click() { TurnTheBoard(tumo::kFlipVertical); }
  void Picture14_Click() { TurnTheBoard(tumo::kFlipHorizontal); }
  void Picture7_Click() { TurnTheBoard(tumo::kRotateLeft); }
  void Picture8_Click() { TurnTheBoard(tumo::kRotateRight); }
  void tezina_Click(int Index) override;
  void Command3_Click() { SaveScore(); }

  // Procedures.
  void ChooseNextPiece();
  void DrawCell(int i);
  void StepDown();
  void StepLeft();
  void LandPiece(int c);
  void ClearMarkedCells();
  void RedrawAfterTurn();
  void StartNewGame();
  void ClearBoard();

  // State.
  tumo::Board Board{};
  tumo::Marks removeMark{};
  int16_t nextKind = 0;
  int16_t helperMode = tumo::kNoHelper;
  int16_t fallRow = 0, fallCol = 0;
  tumo::Prices helperPrice = tumo::kStartPrices;
  int32_t priceStep = 2;

  rt::PictureBox* Picture9 = nullptr;  // the next piece
  rt::PictureBox* kosta = nullptr;
  std::array<rt::PictureBox*, 15> button{};  // Picture2..Picture8 and Picture14 by number
  std::array<rt::Label*, 5> pomoc{};         // 1..4: the helpers' prices
  rt::Label* Label5 = nullptr;               // " Hiscore:"
  rt::Label* Label6 = nullptr;               // the best of the checked skill
  shell::ctrl_SkinableButton* Command3 = nullptr;

 protected:
  void Form_Load() override;

 private:
  void Drop(bool fromTop, int index);
  void BuyHelper(int mode);
  void TurnTheBoard(int turn);
  void layOut();
  void redrawAll();

  std::array<rt::PicHandle, 20> Uzorak{};
};

}  // namespace removal
