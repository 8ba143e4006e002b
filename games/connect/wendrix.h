#pragma once
// Wendrix: pictures slide one cell at a time into the black field; any grey field can be made
// the black field. Every slide and every recolouring costs 1$.
#include "connect_window.h"

namespace connect {

class Form4 : public ConnectWindow {
 public:
  explicit Form4(const shell::GameEntry& entry);

  Cells blackFlag{};

  void slika_MouseDown(int Index, int Button, int Shift, float X, float Y);
  void DrawCell(int i) override;

 protected:
  void bindCell(rt::PictureBox& cell, int index) override;
  void clearFlags() override;
  void afterDeal() override;
  void exposeGameState() override;
};

}  // namespace connect
