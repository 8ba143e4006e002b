#include <gtest/gtest.h>

#include "rotation.h"

using namespace shell;
using rt::RGB;

TEST(Rotation, ThreeByFourGivesASevenSquareAndAngleZeroIsUnchanged) {
  rt::Surface src(3, 4, rt::kBlack);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 3; ++x) src.setPixel(x, y, RGB(10 + x, 20 + y, 0));
  rt::Surface dst(20, 20, rt::kWhite);
  RotatePicture(dst, 10, 10, src, rt::kMagenta, 0, 1);
  // side = round(sqrt(9 + 16) + 2) = 7, origin (10 - 3.5) rounded to even = 6.
  int changedLeft = 20, changedRight = -1, changedTop = 20, changedBottom = -1;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x)
      if (dst.pixel(x, y) != rt::kWhite) {
        changedLeft = std::min(changedLeft, x);
        changedRight = std::max(changedRight, x);
        changedTop = std::min(changedTop, y);
        changedBottom = std::max(changedBottom, y);
      }
  EXPECT_EQ(changedRight - changedLeft + 1, 3);
  EXPECT_EQ(changedBottom - changedTop + 1, 4);
  EXPECT_GE(changedLeft, 6);
  EXPECT_LE(changedRight, 12);
  EXPECT_EQ(dst.pixel(changedLeft, changedTop), RGB(10, 20, 0));
  EXPECT_EQ(dst.pixel(changedRight, changedBottom), RGB(12, 23, 0));
  EXPECT_EQ(dst.pixel(5, 5), rt::kWhite);  // outside the square: untouched
}

TEST(Rotation, QuarterTurnPutsTheTopRowIntoTheRightColumn) {
  rt::Surface src(4, 4, rt::kBlack);
  for (int x = 0; x < 4; ++x) src.setPixel(x, 0, RGB(200, 0, x));  // top row marked
  rt::Surface dst(16, 16, rt::kWhite);
  RotatePicture(dst, 8, 8, src, rt::kMagenta, 90, 1);
  int rightmost = -1;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      if (dst.pixel(x, y) != rt::kWhite) rightmost = std::max(rightmost, x);
  for (int y = 0; y < 16; ++y) {
    rt::Color c = dst.pixel(rightmost, y);
    if (c == rt::kWhite) continue;
    EXPECT_EQ(c & 0xFF, 200u) << "row " << y;  // every pixel of the right column was in the top row
  }
  // Clockwise: the top row's left end is at the top of the right column.
  int firstY = -1, lastY = -1;
  for (int y = 0; y < 16; ++y)
    if (dst.pixel(rightmost, y) != rt::kWhite) {
      if (firstY < 0) firstY = y;
      lastY = y;
    }
  EXPECT_EQ(dst.pixel(rightmost, firstY), RGB(200, 0, 0));
  EXPECT_EQ(dst.pixel(rightmost, lastY), RGB(200, 0, 3));
}

TEST(Rotation, MagentaIsLeftOutOnlyWithTransparency) {
  rt::Surface src(2, 2, rt::kMagenta);
  src.setPixel(0, 0, rt::kBlue);
  rt::Surface a(10, 10, rt::kGreen), b(10, 10, rt::kGreen);
  RotatePicture(a, 5, 5, src, rt::kMagenta, 0, 1);
  RotatePicture(b, 5, 5, src, rt::kMagenta, 0, 0);
  int magentaA = 0, magentaB = 0, blue = 0;
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) {
      magentaA += a.pixel(x, y) == rt::kMagenta;
      magentaB += b.pixel(x, y) == rt::kMagenta;
      blue += a.pixel(x, y) == rt::kBlue;
    }
  EXPECT_EQ(magentaA, 0);
  EXPECT_EQ(magentaB, 3);
  EXPECT_EQ(blue, 1);
}
