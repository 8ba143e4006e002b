#pragma once
// Gemmet: select a picture, click a neighbour to swap the two; groups of the chosen size are
// removed, a swap that leaves the first picture alone is undone.
#include "gemmet_rules.h"
#include "removal_window.h"
#include "rt/menu.h"

namespace removal {

class Form21 : public RemovalWindow {
 public:
  explicit Form21(const shell::GameEntry& entry);
  removal::Cells& groupFlag = cellFlag;
  int16_t few = 3;    // the least group that is removed, 2..5
  int16_t skill = 1;  // 0 easy, 1 medium, 2 hard
  int16_t selection = gemmet::kNoSelection;
  rt::MenuItem* opcions = nullptr;

  void Element_MouseDown(int Index, int Button, int Shift, float X, float Y);
  void imc_Click(int Index);
  void Skill_Click(int Index);

 protected:
  void loadKindPictures() override;
  void addOptionsMenu() override;
  std::string helpText() const override;
  void bindCell(rt::PictureBox& cell, int index) override;
  rt::PicHandle pictureOf(int16_t code) const override;
  // A cell marked for removal keeps showing whatever it shows until the fall closes its gap.
  bool keepsPicture(int16_t code) const override { return code == gemmet::kRemoving; }
  bool takeGap(int cell) override;
  void RefillBoard() override;
  int hiscoreIndex() const override { return gemmet::HiscoreLine(skill, few); }
  void beforeTransform() override;
  void exposeGameState() override;
  // Empty, a kind the refill draws for the chosen group size and skill, or a picture being
  // removed.
  rt::Spans boardValues() const override {
    return {{gemmet::kNoPicture, gemmet::KindCount(few, skill)}, {gemmet::kRemoving, gemmet::kRemoving}};
  }
  void redrawAll() override;

  void PaintCell(int cell);
  int MeasureGroup(int cell);
  void MarkGroupRemoved();

  std::array<rt::PicHandle, 52> ikona;  // 1..50 the kinds, 51 the selection marker

 private:
  void optionChosen(const char* group, int Index);
};

}  // namespace removal
