#pragma once
// Kippel: click a group of three or more equal pictures to remove it; jokers join any group,
// bombs and ladders clear their surroundings, a group clicked on a gem scores fifty.
#include "kippel_rules.h"
#include "removal_window.h"

namespace removal {

class Form9 : public RemovalWindow {
 public:
  explicit Form9(const shell::GameEntry& entry);
  removal::Cells& removeFlag = cellFlag;

  void Element_Click(int Index);

 protected:
  void loadKindPictures() override;
  std::string helpText() const override;
  void bindCell(rt::PictureBox& cell, int index) override;
  rt::PicHandle pictureOf(int16_t code) const override;
  bool takeGap(int cell) override { return removeFlag[cell] == kippel::kFlagged; }
  void RefillBoard() override;
  void afterTransformRedraw() override;
  void exposeGameState() override;
  // Pictures 0..4, the joker, empty; the helpers and the gem (effects are only painted).
  rt::Spans boardValues() const override { return {{0, kippel::kEmpty}, {kippel::kBomb, kippel::kGem}}; }

  void ClearMarked();
};

}  // namespace removal
