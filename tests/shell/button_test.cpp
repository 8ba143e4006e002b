#include "game_window.h"
#include "pack_fixture.h"
#include "rt/dispatch.h"
#include "rt/form.h"
#include "skinnable_button.h"

using namespace shell;

namespace {
// A skin strip whose every column has its own colour, so a face pixel names its source column.
rt::PicHandle columnSkin() {
  QImage img(144, 24, QImage::Format_RGB32);
  for (int x = 0; x < 144; ++x)
    for (int y = 0; y < 24; ++y) img.setPixel(x, y, qRgb(x, 0, 0));
  return rt::makePicture(img);
}
int sourceColumn(ctrl_SkinableButton& b, int faceX) { return b.face().surface().pixel(faceX, 3) & 0xFF; }
}  // namespace

TEST_F(PackTest, ButtonPiecesForAnEightyOnePixelButton) {
  rt::Form f("F", 3000, 3000);
  f.Load();
  auto& b = f.add<ctrl_SkinableButton>("Command1");
  b.Move(0, 0, 81, 30);
  b.skinBox().setPicture(columnSkin());
  b.LoadSkin();
  EXPECT_EQ(b.face().Height(), 24);  // 360 twips whatever the control's height
  EXPECT_EQ(b.face().Width(), 81);
  // Left cap from skin x 0; middle pieces at 15, 30, 45, 60, 75 from x 15; the right cap last,
  // at 65, over the middle pieces, from x 55.
  EXPECT_EQ(sourceColumn(b, 0), 0);
  EXPECT_EQ(sourceColumn(b, 14), 14);
  EXPECT_EQ(sourceColumn(b, 15), 15);
  EXPECT_EQ(sourceColumn(b, 30), 15);
  EXPECT_EQ(sourceColumn(b, 64), 19);
  EXPECT_EQ(sourceColumn(b, 65), 55);
  EXPECT_EQ(sourceColumn(b, 80), 70);
  EXPECT_EQ(b.captionLabel().Top(), 4);
  f.mouseDown(40, 10, 1, 0);
  EXPECT_TRUE(b.pressed());
  EXPECT_EQ(sourceColumn(b, 0), 72);
  EXPECT_EQ(sourceColumn(b, 15), 83);
  EXPECT_EQ(sourceColumn(b, 65), 128);
  EXPECT_EQ(b.captionLabel().Top(), 5);  // one pixel down while pressed
  int clicks = 0;
  b.ClickEvent = [&] {
    ++clicks;
    EXPECT_TRUE(b.pressed());  // the pressed look stays while the handler runs
  };
  f.mouseUp(40, 10, 1, 0);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(b.pressed());
  f.mouseDown(40, 10, 2, 0);
  f.mouseUp(40, 10, 2, 0);
  EXPECT_EQ(clicks, 1);  // the right button does nothing
  EXPECT_FALSE(b.pressed());
  b.setEnabled(false);
  f.mouseDown(40, 10, 1, 0);
  f.mouseUp(40, 10, 1, 0);
  EXPECT_EQ(clicks, 1);
  f.mouseDown(40, 10, 1, 0);
  b.setEnabled(true);  // redraws the normal look, also during a press
  EXPECT_FALSE(b.pressed());
  f.Unload();
}

namespace {
// A window that adds buttons and texts the way the game windows do.
struct ButtonWindow : GameWindow {
  using GameWindow::addButton;
  using GameWindow::addText;
  using GameWindow::GameWindow;
};
}  // namespace

TEST_F(PackTest, AWindowsButtonIsPlacedCaptionedDrawnAndWired) {
  ButtonWindow w(GameRegistry[0]);
  w.Load();
  auto& panel = w.add<rt::PictureBox>("Picture2");
  panel.Move(10, 20, 200, 100);
  int clicks = 0;
  auto& b = w.addButton("Command1", "OK", {30, 40, 81}, [&] { ++clicks; }, &panel);
  EXPECT_EQ(w.find("Command1"), &b);
  EXPECT_EQ(b.Container(), &panel);
  EXPECT_EQ(b.Caption(), "OK");
  EXPECT_EQ(b.captionLabel().Caption(), "OK");
  EXPECT_EQ(b.Left(), 30);
  EXPECT_EQ(b.Top(), 40);
  EXPECT_EQ(b.Width(), 81);
  EXPECT_EQ(b.Height(), 24);
  // The normal look is drawn: the face is as wide as the button, its right cap in place.
  EXPECT_EQ(b.face().Width(), 81);
  EXPECT_EQ(b.face().surface().pixel(65, 3), b.skinBox().surface().pixel(55, 3));
  click(b);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(b.pressed());
  auto& tall = w.addButton("Command2", "Continue", {0, 0, 89, 25}, [] {});
  EXPECT_EQ(tall.Height(), 25);
  EXPECT_EQ(tall.Container(), nullptr);
  w.Unload();
}

TEST_F(PackTest, AWindowsTextShowsThePanelBehindIt) {
  ButtonWindow w(GameRegistry[0]);
  w.Load();
  auto& panel = w.add<rt::PictureBox>("lova");
  panel.Move(10, 20, 161, 88);
  const rt::Font bold{"Tahoma", 11, true, false, false};
  auto& cash = w.addText("Label4", " 0$", {88, 16, 68}, {bold, rt::RGB(0, 0, 128), rt::kRightJustify}, &panel);
  EXPECT_EQ(cash.Container(), &panel);
  EXPECT_EQ(cash.BackStyle, 0);  // no background of its own
  EXPECT_EQ(cash.Alignment, rt::kRightJustify);
  EXPECT_TRUE(cash.font().bold);
  EXPECT_EQ(cash.ForeColor(), rt::RGB(0, 0, 128));
  EXPECT_EQ(cash.Caption(), " 0$");
  EXPECT_EQ(cash.Left(), 88);
  EXPECT_EQ(cash.Height(), 24);
  // Unstyled: the system's text colour, left-justified, on the window.
  auto& plain = w.addText("Label1", "", {0, 0, 100, 20}, {bold});
  EXPECT_EQ(plain.ForeColor(), rt::kWindowText);
  EXPECT_EQ(plain.Alignment, rt::kLeftJustify);
  EXPECT_EQ(plain.Container(), nullptr);
  w.Unload();
}
