#pragma once
// Klevo's window: a 10 x 10 board over a hidden background picture, the shop of helpers, the
// board turns, the random image, "Level Down", ten picture themes and the best level per skill.
#include <array>
#include <cstdint>
#include <memory>

#include "game_window.h"
#include "cell_grid.h"
#include "score_panel.h"
#include "klevo_rules.h"
#include "rt/control.h"
#include "rt/menu.h"

namespace removal {

class Form1 : public shell::GameWindow {
 public:
  explicit Form1(const shell::GameEntry& entry);

  // Handlers.
  void Element_Click(int Index);
  void Picture2_Click() { BuyHelper(klevo::kShopBomb); }
  void Picture3_Click() { BuyHelper(klevo::kShopRowLadder); }
  void Picture4_Click() { BuyHelper(klevo::kShopColumnLadder); }
  void Picture5_Click() { BuyHelper(klevo::kShopHeart); }
  void Picture6_Click() { TurnTheBoard(klevo::kTurnHalf); }
  void Picture7_Click() { TurnTheBoard(klevo::kTurnLeft); }
  void Picture8_Click() { TurnTheBoard(klevo::kTurnRight); }
  void Picture12_Click();
  void Command3_Click();  // "Level Down"
  void Command6_Click();  // "Save the best level"
  void images_Click(int Index);
  void tezina_Click(int Index);
  void halp_Click() { showHelp(); }

  // Procedures.
  void DrawCell(int index);
  void ClearMarkedCells();
  void FallMarked();
  void FallStep();
  void CloseColumns();
  void ShiftColumnsLeft(int column);
  void DealLevel();
  void StartNewGame();
  void ApplyTheme(int t);
  void ShowBackground();
  void AnimateRotation(int mode);
  void SettleAfterRotation();
  void LoadHiscore();
  void SaveScore();

  // State (all of it lives with the window).
  klevo::Board Board{};
  klevo::Marks removeMark{};
  klevo::ColumnRows fallStartRow{};
  klevo::ColumnRows columnFalling{};
  int16_t helperMode = 0;
  int32_t money = 0;
  int32_t level = 1;
  klevo::Prices helperPrice = klevo::kNewGamePrices;
  int16_t skill = 2;
  int16_t theme = 0;
  bool helpOpen() const { return helpShown(); }

 protected:
  void Form_Load() override;
  void showHelp() override;
  void hideHelp() override;

 private:
  void BuyHelper(int item);
  void TurnTheBoard(int mode);
  void ShowPrices(bool newGame);
  void ShowLevel();
  int hiscoreLine() const;
  void redrawAll();

  rt::PictureBox* Podloga = nullptr;  // the board container
  rt::PictureBox* Picture1 = nullptr;
  parts::CellGrid<> Element;
  std::array<rt::PictureBox*, 13> shopPicture{};  // Picture2..Picture8 and Picture12 by number
  rt::PictureBox* lova = nullptr;  // the cash panel
  rt::PictureBox* kosta = nullptr;  // the shop panel
  rt::PictureBox* Picture11 = nullptr;
  rt::PictureBox* PicSource = nullptr;
  rt::PictureBox* rotirka = nullptr;  // the turning board
  std::array<rt::Label*, 5> priceLabel{};  // the shop's prices, controls pomoc1..pomoc4
  rt::Label *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr,
            *Label8 = nullptr, *Label9 = nullptr;
  shell::ctrl_SkinableButton *Command3 = nullptr, *Command6 = nullptr;
  rt::MenuItem* opcije = nullptr;  // the theme menu
  rt::MenuItem* vjestina = nullptr;  // the skill menu (items tezina)

  std::array<rt::PicHandle, 11> Uzorak{};  // 0..5 the theme, 6 blank, 7..10 effects
  parts::ScorePanel bestLevel_{"Klevo"};  // the level is the score
};

}  // namespace removal
