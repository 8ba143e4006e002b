#pragma once
// Holmo: clicking a picture turns it upside down; each next click falls in the row or the column
// of the last one. A click on another kind ends the run, and a run of two or more goes. Removing
// the portholes frees the next click; the lifebelt destroys every picture left.
#include <array>

#include "holmo_rules.h"
#include "porthole_window.h"

namespace removal {

class Form12 : public PortholeWindow {
 public:
  explicit Form12(const shell::GameEntry& entry);

  // Handlers.
  void Element_Click(int Index);
  void Picture9_Click();  // remove the portholes
  void Picture5_Click();  // the lifebelt
  void tezina_Click(int Index) override;
  void Command1_Click() { SaveScore(); }

  // Procedures.
  void CheckRun(int c);
  void ClearMarkedAndPrice();
  void ShowCurrentAndPortholes();
  void StartNewGame();
  void NewBoard();
  void FillBoard();

  // State.
  holmo::Board Board{};
  holmo::Flags flipped{};
  holmo::Flags removeMark{};
  int16_t currentKind = holmo::kEmpty;
  int16_t lastRow = 0, lastCol = 0;
  int32_t skillFactor = 2;
  int16_t clearBonus = 0;
  int32_t lifebeltPrice = 0;

  rt::PictureBox *h1 = nullptr, *h2 = nullptr, *v1 = nullptr, *v2 = nullptr;  // the row and column bars
  rt::PictureBox* Picture2 = nullptr;  // the teal panel
  rt::PictureBox* Picture3 = nullptr;  // the title
  rt::PictureBox* Picture9 = nullptr;  // the current kind; removes the portholes
  rt::PictureBox* Picture5 = nullptr;  // the lifebelt
  rt::Label *Label1 = nullptr, *Label9 = nullptr, *Label10 = nullptr, *pomoc4 = nullptr;
  rt::Label* Label11 = nullptr;  // the best of the checked skill
  rt::Label* Label12 = nullptr;  // " Hiscore:"
  shell::ctrl_SkinableButton* Command1 = nullptr;

 protected:
  void Form_Load() override;

 private:
  void layOut();
  void redrawAll();
  void drawUpsideDown(int cell);
  void showPrice(bool wholeBoard);
  void setBars(bool visible);
  // The picture of a cell code; none for a code the window has no picture of.
  rt::PicHandle kindPicture(int code) const;

  std::array<rt::PicHandle, 21> Uzorak{};
};

}  // namespace removal
