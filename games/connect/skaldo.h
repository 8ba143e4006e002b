#pragma once
// Skaldo: a picture is dragged with the mouse and dropped onto any grey field. A move costs 1$,
// a move of a completed (white) picture 10$.
#include "connect_window.h"

namespace connect {

class Form5 : public ConnectWindow {
 public:
  explicit Form5(const shell::GameEntry& entry);

  int16_t dragSource = kNone;

  void slika_DragOver(int Index, rt::Control* Source, float X, float Y, int State);
  void slika_DragDrop(int Index, rt::Control* Source, float X, float Y);
  void DrawRow(int start);
  void DrawCell(int i) override;
  void RedrawAllCells() override;
  void NewBoard() override;

 protected:
  void bindCell(rt::PictureBox& cell, int index) override;
  void afterDeal() override;
  void exposeGameState() override;
  void bindBoard() override;

 private:
  void setDragMode(int i);
};

}  // namespace connect
