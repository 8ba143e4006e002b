#pragma once
// Drawing surfaces with the platform's raster operations, done per byte on 32-bit pixels.
#include <cstdint>
#include <vector>

#include <QImage>

#include "rt/color.h"
#include "rt/picture.h"

namespace rt {

// Ternary raster operation codes as the drawing calls take them.
enum Rop : uint32_t {
  SRCCOPY = 0x00CC0020,
  SRCPAINT = 0x00EE0086,
  SRCAND = 0x008800C6,
  SRCINVERT = 0x00660046,
  SRCERASE = 0x00440328,
  NOTSRCCOPY = 0x00330008,
  NOTSRCERASE = 0x001100A6,
  MERGEPAINT = 0x00BB0226,
  DSTINVERT = 0x00550009,
  BLACKNESS = 0x00000042,
  WHITENESS = 0x00FF0062,
};

class Surface {
 public:
  Surface() = default;
  Surface(int w, int h, Color fill = kWhite);
  explicit Surface(const QImage& img);  // copies img as opaque RGB32

  int width() const { return img_.width(); }
  int height() const { return img_.height(); }
  bool isNull() const { return img_.isNull(); }
  QImage& image() { return img_; }
  const QImage& image() const { return img_; }

  void resize(int w, int h, Color fill);  // keeps the old content at the top left
  void fill(Color c);
  void fillRect(int x, int y, int w, int h, Color c);
  Color pixel(int x, int y) const;       // &HBBGGRR; 0xFFFFFFFF outside
  void setPixel(int x, int y, Color c);

  // Block transfer of w x h pixels from src (sx, sy) to (x, y), clipped to both surfaces.
  void bitBlt(int x, int y, int w, int h, const Surface& src, int sx, int sy, uint32_t rop);
  // Stretch with nearest pixels; a negative dw or dh mirrors the picture.
  void stretchBlt(int x, int y, int dw, int dh, const Surface& src, int sx, int sy, int sw, int sh,
                  uint32_t rop);
  // Draws a picture honouring its transparent pixels (the plain "Picture" and "PaintPicture" draw).
  void drawPicture(const Picture& pic, int x, int y, int w = -1, int h = -1);
  void drawPicture(const Picture& pic, int x, int y, int w, int h, int sx, int sy, int sw, int sh,
                   uint32_t rop);

 private:
  QImage img_;  // Format_RGB32
};

// One pixel of a raster operation: d destination, s source (each one byte).
uint8_t ropByte(uint32_t rop, uint8_t d, uint8_t s);

// A 24-bit bottom-up pixel array (rows of blue, green, red padded to 4 bytes).
struct Dib24 {
  int width = 0, height = 0;
  std::vector<uint8_t> bytes;
  int stride() const { return ((width * 3) + 3) & ~3; }
  uint8_t* row(int r) { return bytes.data() + static_cast<size_t>(r) * stride(); }
  const uint8_t* row(int r) const { return bytes.data() + static_cast<size_t>(r) * stride(); }

  static Dib24 fromSurface(const Surface& s, int x, int y, int w, int h);  // outside -> black
  static Dib24 fromImage(const QImage& img);
  void toSurface(Surface& s, int x, int y) const;  // clipped
};

}  // namespace rt
