#include <gtest/gtest.h>
#include <QPainter>
#include <QCoreApplication>

#include "rt/form.h"
#include "rt/frame.h"
#include "rt/frame_window.h"

using namespace rt;

namespace {
PicHandle solid(int w, int h, QColor c, PictureRef ref = {}) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(c);
  return makePicture(img, ref);
}
}  // namespace

TEST(PictureBoxTest, PictureBackColourAndClsEraseDrawings) {
  Form f("F", 3000, 3000);
  auto& pb = f.add<PictureBox>("pb");
  pb.setBorderStyle(0);
  pb.Move(0, 0, 10, 10);
  pb.setBackColor(kWhite);
  pb.PSet(5, 5, kRed);
  EXPECT_EQ(pb.surface().pixel(5, 5), kRed);
  pb.Cls();
  EXPECT_EQ(pb.surface().pixel(5, 5), kWhite);

  pb.PSet(5, 5, kRed);
  auto pic = solid(4, 4, QColor(0, 0, 255));
  pb.setPicture(pic);
  EXPECT_EQ(pb.surface().pixel(5, 5), kWhite);  // outside the picture: back colour again
  EXPECT_EQ(pb.surface().pixel(1, 1), kBlue);

  pb.PSet(8, 8, kRed);
  pb.setBackColor(kGreen);
  EXPECT_EQ(pb.surface().pixel(8, 8), kGreen);
  EXPECT_EQ(pb.surface().pixel(1, 1), kBlue);  // the picture stays on the new colour
}

TEST(PictureBoxTest, PicturesAreComparedByIdentity) {
  Form f("F", 3000, 3000);
  auto& a = f.add<PictureBox>("a");
  auto& b = f.add<PictureBox>("b");
  auto p1 = solid(2, 2, Qt::red, {"cartoon", 1});
  auto p2 = solid(2, 2, Qt::red, {"cartoon", 1});
  a.setPicture(p1);
  b.setPicture(p1);
  EXPECT_EQ(a.Picture(), b.Picture());
  b.setPicture(p2);
  EXPECT_NE(a.Picture(), b.Picture());  // same pixels, another picture
  EXPECT_EQ(a.Picture()->ref().text(), "cartoon(1)");
  auto snap = a.Image();
  EXPECT_NE(snap, a.Picture());
}

TEST(PictureBoxTest, BorderShrinksTheClientArea) {
  Form f("F", 3000, 3000);
  auto& pb = f.add<PictureBox>("pb");
  pb.Move(0, 0, 40, 30);
  EXPECT_EQ(pb.surface().width(), 36);
  pb.setBorderStyle(0);
  EXPECT_EQ(pb.surface().width(), 40);
}

TEST(ControlsTest, OwnVisibleAndEnabledInsideHiddenOrDisabledParents) {
  Form f("F", 3000, 3000);
  auto& board = f.add<PictureBox>("board");
  auto& cell = f.add<ImageBox>("cell", &board);
  board.setVisible(false);
  board.setEnabled(false);
  EXPECT_TRUE(cell.Visible());
  EXPECT_TRUE(cell.Enabled());
  EXPECT_FALSE(cell.effectivelyVisible());
  EXPECT_FALSE(cell.effectivelyEnabled());
  cell.setContainer(nullptr);
  EXPECT_TRUE(cell.effectivelyVisible());
}

TEST(ControlsTest, ControlArrayLoadsHiddenCopiesOnce) {
  Form f("F", 3000, 3000);
  ControlArray<Label> labels(&f, "lbl");
  auto& first = labels.create(0);
  first.setCaption("x");
  first.Move(5, 6, 7, 8);
  int clicks = 0;
  labels.bind([&](Label& l, int i) { l.Click = [&clicks, i] { clicks += i; }; });
  EXPECT_TRUE(labels.Load(3));
  EXPECT_FALSE(labels.Load(3));
  EXPECT_FALSE(labels(3).Visible());
  EXPECT_EQ(labels(3).Caption(), "x");
  EXPECT_EQ(labels(3).Left(), 5);
  labels(3).Click();
  EXPECT_EQ(clicks, 3);
  EXPECT_EQ(f.find("lbl", 3), &labels(3));
  labels.Unload(3);
  EXPECT_EQ(f.find("lbl", 3), nullptr);
  EXPECT_EQ(labels.UBound(), 0);
}

TEST(MenuTest, ArrayItemsLoadAfterTheLastAndMarksAreOwn) {
  Form f("F", 3000, 3000);
  auto& play = f.menu("eee1134", "Play");
  auto& first = play.add("igrica", "", 0);
  play.add("other", "Other");
  int chosen = -1;
  first.ClickIndexed = [&](int i) { chosen = i; };
  ASSERT_NE(play.loadItem("igrica", 1), nullptr);
  EXPECT_EQ(play.loadItem("igrica", 1), nullptr);
  EXPECT_EQ(play.items()[1]->Name(), "igrica");
  EXPECT_EQ(play.items()[2]->Name(), "other");
  f.findMenu("igrica", 1)->fireClick();
  EXPECT_EQ(chosen, 1);

  auto& opt = f.menu("opcije", "Options");
  auto& item = opt.add("sp", "Small");
  item.Click = [] {};
  item.fireClick();
  EXPECT_FALSE(item.Checked());  // a click never sets a mark by itself
  item.setChecked(true);
  item.fireClick();
  EXPECT_TRUE(item.Checked());
}

TEST(ControlsTest, LabelInADisabledContainerKeepsItsColour) {
  Form f("F", 1500, 600);
  f.BackColor = kWhite;
  auto& panel = f.add<PictureBox>("panel");
  panel.setBorderStyle(0);
  panel.Move(0, 0, 100, 40);
  panel.setBackColor(kWhite);
  auto& label = f.add<Label>("label", &panel);
  label.Move(0, 0, 100, 40);
  label.BackStyle = 0;
  label.setForeColor(kRed);
  label.setCaption("WWWW");
  auto redPixels = [&f] {
    QImage img(100, 40, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    f.paint(p);
    p.end();
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) {
        QColor c = img.pixelColor(x, y);
        n += c.red() > 200 && c.green() < 60 && c.blue() < 60;
      }
    return n;
  };
  const int shown = redPixels();
  ASSERT_GT(shown, 20);
  panel.setEnabled(false);
  EXPECT_EQ(redPixels(), shown);
  panel.setEnabled(true);
  label.setEnabled(false);
  EXPECT_EQ(redPixels(), 0);
}

TEST(RenderTest, ARepaintOfPartOfTheClientDrawsWhatAFullRenderDraws) {
  Frame fr;
  Form f("F", 3000, 3000);
  f.PartialRepaint = true;
  fr.attach(&f);
  f.Show();
  auto& well = f.add<PictureBox>("well");
  well.Move(10, 10, 60, 60);
  well.setBackColor(kBlue);
  auto& block = f.add<PictureBox>("block", &well);
  block.setBorderStyle(0);
  block.Move(20, -8, 20, 20);  // partly above its container
  block.setPicture(solid(20, 20, Qt::red));
  auto& text = f.add<Label>("text");
  text.Move(50, 40, 80, 20);
  text.setCaption("Level: 1");
  const QImage full = fr.renderClient();
  for (QRect area : {QRect(0, 0, 540, 452), QRect(30, 10, 20, 20), QRect(60, 45, 7, 7), QRect(12, 12, 3, 3)}) {
    QImage part(full.size(), QImage::Format_RGB32);
    part.fill(Qt::magenta);
    QPainter p(&part);
    p.setClipRect(area);
    fr.paintClient(p);
    p.end();
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x)
        ASSERT_EQ(part.pixel(x, y), full.pixel(x, y)) << x << "," << y << " in " << area.x() << "," << area.y();
  }
  fr.detach(&f);
}

TEST(RenderTest, TheFirstGamePaintWaitsForAGameWindowToShow) {
  Frame fr;
  setFrame(&fr);
  int calls = 0;
  fr.firstGamePaint = [&calls] { ++calls; };
  fr.show();
  auto settle = [] {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
  };
  settle();
  EXPECT_EQ(calls, 0);  // the frame painted, but no game shows yet
  Form f("F", 3000, 3000);
  fr.attach(&f);
  f.Load();
  f.Show();
  fr.window()->repaint();
  settle();
  EXPECT_EQ(calls, 1);
  fr.window()->repaint();
  settle();
  EXPECT_EQ(calls, 1);  // once
  fr.detach(&f);
  setFrame(nullptr);
}
