#pragma once
// Twirno: a click turns the eight cells around the clicked one a step, the right button
// clockwise, the left counter-clockwise. A turn costs 1$, round a white cell more by the skill.
#include "connect_window.h"

namespace connect {

class Form16 : public ConnectWindow {
 public:
  explicit Form16(const shell::GameEntry& entry);

  int16_t skill = 1;
  rt::MenuItem* ki = nullptr;
  std::vector<rt::MenuItem*> vjestina;

  void slika_MouseDown(int Index, int Button, int Shift, float X, float Y);
  void vjestina_Click(int Index);

 protected:
  void loadPictures() override;
  rt::PicHandle kindPicture(int16_t kind) const override;
  void bindCell(rt::PictureBox& cell, int index) override;
  void addOptions(rt::MenuItem& opcije) override;
  void enableOptions(bool enabled) override;
  void afterGroupSound() override;
  void exposeGameState() override;
};

}  // namespace connect
