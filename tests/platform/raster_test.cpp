#include <gtest/gtest.h>

#include "rt/surface.h"

using namespace rt;

TEST(Raster, ByteOperationsMatchTheirTruthTables) {
  const uint8_t d = 0b11001010, s = 0b10100110;
  EXPECT_EQ(ropByte(SRCCOPY, d, s), s);
  EXPECT_EQ(ropByte(SRCAND, d, s), d & s);
  EXPECT_EQ(ropByte(SRCPAINT, d, s), d | s);
  EXPECT_EQ(ropByte(SRCINVERT, d, s), d ^ s);
  EXPECT_EQ(ropByte(SRCERASE, d, s), static_cast<uint8_t>(s & ~d));
  EXPECT_EQ(ropByte(NOTSRCCOPY, d, s), static_cast<uint8_t>(~s));
  EXPECT_EQ(ropByte(MERGEPAINT, d, s), static_cast<uint8_t>(~s | d));
  EXPECT_EQ(ropByte(DSTINVERT, d, s), static_cast<uint8_t>(~d));
  EXPECT_EQ(ropByte(BLACKNESS, d, s), 0);
  EXPECT_EQ(ropByte(WHITENESS, d, s), 0xFF);
}

TEST(Raster, MaskThenSpriteLeavesTheBackgroundAroundThePiece) {
  // The sprite drawing step: background AND mask-inverse, then OR sprite.
  Surface dst(2, 1, RGB(10, 200, 30));
  Surface andMask(2, 1, kBlack);
  andMask.setPixel(1, 0, kWhite);  // keep the background at x 1
  Surface sprite(2, 1, kBlack);
  sprite.setPixel(0, 0, RGB(255, 0, 0));
  dst.bitBlt(0, 0, 2, 1, andMask, 0, 0, SRCAND);
  dst.bitBlt(0, 0, 2, 1, sprite, 0, 0, SRCPAINT);
  EXPECT_EQ(dst.pixel(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(dst.pixel(1, 0), RGB(10, 200, 30));
}

TEST(Raster, BlitClipsNegativeOriginsOnBothSides) {
  Surface src(4, 4, kBlack);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) src.setPixel(x, y, RGB(x * 10, y * 10, 0));
  Surface dst(4, 4, kWhite);
  dst.bitBlt(-1, -2, 4, 4, src, 0, 0, SRCCOPY);
  EXPECT_EQ(dst.pixel(0, 0), RGB(10, 20, 0));  // source (1, 2) lands at (0, 0)
  EXPECT_EQ(dst.pixel(2, 1), RGB(30, 30, 0));
  EXPECT_EQ(dst.pixel(3, 0), kWhite);          // beyond the source's width
  EXPECT_EQ(dst.pixel(0, 2), kWhite);

  Surface d2(4, 4, kWhite);
  d2.bitBlt(0, 0, 4, 4, src, -2, 1, SRCCOPY);  // source origin left of the picture
  EXPECT_EQ(d2.pixel(0, 0), kWhite);
  EXPECT_EQ(d2.pixel(2, 0), RGB(0, 10, 0));
  EXPECT_EQ(d2.pixel(3, 2), RGB(10, 30, 0));
  EXPECT_EQ(d2.pixel(3, 3), kWhite);           // source row 4 does not exist
}

TEST(Raster, OverlappingCopyOntoItselfReadsTheOldPixels) {
  Surface s(4, 1, kBlack);
  for (int x = 0; x < 4; ++x) s.setPixel(x, 0, RGB(x, 0, 0));
  s.bitBlt(1, 0, 3, 1, s, 0, 0, SRCCOPY);
  EXPECT_EQ(s.pixel(1, 0), RGB(0, 0, 0));
  EXPECT_EQ(s.pixel(2, 0), RGB(1, 0, 0));
  EXPECT_EQ(s.pixel(3, 0), RGB(2, 0, 0));
}

TEST(Raster, NegativeWidthMirrorsRows) {
  Surface src(3, 2, kBlack);
  for (int x = 0; x < 3; ++x) src.setPixel(x, 0, RGB(x + 1, 0, 0));
  for (int x = 0; x < 3; ++x) src.setPixel(x, 1, RGB(0, x + 1, 0));
  Surface dst(6, 4, kWhite);
  dst.stretchBlt(4, 0, -3, 2, src, 0, 0, 3, 2, SRCCOPY);  // covers x 1..3, first column at 3
  EXPECT_EQ(dst.pixel(3, 0), RGB(1, 0, 0));
  EXPECT_EQ(dst.pixel(1, 0), RGB(3, 0, 0));
  EXPECT_EQ(dst.pixel(4, 0), kWhite);
  EXPECT_EQ(dst.pixel(0, 0), kWhite);
  dst.stretchBlt(0, 4, 3, -2, src, 0, 0, 3, 2, SRCCOPY);  // upside down in rows 2..3
  EXPECT_EQ(dst.pixel(0, 3), RGB(1, 0, 0));
  EXPECT_EQ(dst.pixel(0, 2), RGB(0, 1, 0));
}

TEST(Raster, StretchDoublesWithNearestPixels) {
  Surface src(2, 1, kBlack);
  src.setPixel(1, 0, kWhite);
  Surface dst(4, 1, RGB(1, 2, 3));
  dst.stretchBlt(0, 0, 4, 1, src, 0, 0, 2, 1, SRCCOPY);
  EXPECT_EQ(dst.pixel(0, 0), kBlack);
  EXPECT_EQ(dst.pixel(1, 0), kBlack);
  EXPECT_EQ(dst.pixel(2, 0), kWhite);
  EXPECT_EQ(dst.pixel(3, 0), kWhite);
}

TEST(Raster, Dib24RowsAreBottomUpAndPadded) {
  Surface s(3, 2, kBlack);
  s.setPixel(0, 0, RGB(1, 2, 3));  // top-left
  s.setPixel(2, 1, RGB(7, 8, 9));  // bottom-right
  Dib24 d = Dib24::fromSurface(s, 0, 0, 3, 2);
  EXPECT_EQ(d.stride(), 12);
  EXPECT_EQ(d.row(1)[0], 3);  // blue first, top row last
  EXPECT_EQ(d.row(1)[2], 1);
  EXPECT_EQ(d.row(0)[6], 9);
  Surface back(3, 2, kWhite);
  d.toSurface(back, 0, 0);
  EXPECT_EQ(back.pixel(0, 0), RGB(1, 2, 3));
  EXPECT_EQ(back.pixel(2, 1), RGB(7, 8, 9));
  Dib24 outside = Dib24::fromSurface(s, -1, -1, 2, 2);
  EXPECT_EQ(outside.row(1)[0], 0);  // outside the surface reads black
}
