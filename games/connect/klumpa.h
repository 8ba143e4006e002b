#pragma once
// Klumpa: on an 8 x 8 board one picture kind at a time is the target, one of its cells marked with
// the red cross. The right button selects a target picture, the left one moves it a step,
// exchanging it with the picture there. Played by moves until every kind forms one group.
#include "connect_window.h"

namespace connect {

class Form13 : public ConnectWindow {
 public:
  explicit Form13(const shell::GameEntry& entry);

  int16_t target = 0;
  int16_t marked = 0;
  int16_t selection = kNone;
  int32_t moves = 0;
  int32_t grouped = 0;

  static constexpr int kMark = 32, kSelectionMark = 33;

  void slika_MouseDown(int Index, int Button, int Shift, float X, float Y);
  void NewTarget();
  void CheckConnected() override;
  void DrawCell(int i) override;
  bool gameOver() const override { return started_ && grouped >= kKlumpaCells; }

 protected:
  void startPlay() override;
  void loadPictures() override;
  rt::PicHandle kindPicture(int16_t kind) const override;
  void bindCell(rt::PictureBox& cell, int index) override;
  void clearFlags() override;
  void exposeGameState() override;

 private:
  void showGroupsLeft(int32_t cellsGrouped);
};

}  // namespace connect
