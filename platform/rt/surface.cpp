#include "rt/surface.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include <QPainter>

namespace rt {

namespace {
inline QRgb toRgb(Color c) {
  QColor q = toQColor(c);
  return qRgb(q.red(), q.green(), q.blue());
}
}  // namespace

uint8_t ropByte(uint32_t rop, uint8_t d, uint8_t s) {
  const uint32_t code = (rop >> 16) & 0xFF;  // no brush: the pattern bit is 0
  uint8_t out = 0;
  if (code & 1) out |= static_cast<uint8_t>(~s & ~d);
  if (code & 2) out |= static_cast<uint8_t>(~s & d);
  if (code & 4) out |= static_cast<uint8_t>(s & ~d);
  if (code & 8) out |= static_cast<uint8_t>(s & d);
  return out;
}

Surface::Surface(int w, int h, Color fillColor)
    : img_(std::max(w, 0), std::max(h, 0), QImage::Format_RGB32) {
  img_.fill(toRgb(fillColor));
}

Surface::Surface(const QImage& img) {
  if (img.hasAlphaChannel()) {
    // Transparent pixels become their (premultiplied) colour: what a block copy sees.
    img_ = img.convertToFormat(QImage::Format_ARGB32_Premultiplied).convertToFormat(QImage::Format_RGB32);
  } else {
    img_ = img.convertToFormat(QImage::Format_RGB32);
  }
}

void Surface::resize(int w, int h, Color fillColor) {
  w = std::max(w, 0);
  h = std::max(h, 0);
  if (w == width() && h == height()) return;
  QImage next(w, h, QImage::Format_RGB32);
  next.fill(toRgb(fillColor));
  if (!img_.isNull() && w > 0 && h > 0) {
    QPainter p(&next);
    p.drawImage(0, 0, img_);
  }
  img_ = std::move(next);
}

void Surface::fill(Color c) {
  if (!img_.isNull()) img_.fill(toRgb(c));
}

void Surface::fillRect(int x, int y, int w, int h, Color c) {
  QRect r = QRect(x, y, w, h).intersected(img_.rect());
  if (r.isEmpty()) return;
  QRgb v = toRgb(c);
  for (int yy = r.top(); yy <= r.bottom(); ++yy) {
    auto* line = reinterpret_cast<QRgb*>(img_.scanLine(yy));
    std::fill(line + r.left(), line + r.right() + 1, v);
  }
}

Color Surface::pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width() || y >= height()) return 0xFFFFFFFFu;
  QRgb v = reinterpret_cast<const QRgb*>(img_.constScanLine(y))[x];
  return RGB(qRed(v), qGreen(v), qBlue(v));
}

void Surface::setPixel(int x, int y, Color c) {
  if (x < 0 || y < 0 || x >= width() || y >= height()) return;
  reinterpret_cast<QRgb*>(img_.scanLine(y))[x] = toRgb(c);
}

static inline QRgb ropPixel(uint32_t rop, QRgb d, QRgb s) {
  if (rop == SRCCOPY) return s | 0xFF000000u;
  return qRgb(ropByte(rop, qRed(d), qRed(s)), ropByte(rop, qGreen(d), qGreen(s)),
              ropByte(rop, qBlue(d), qBlue(s)));
}

void Surface::bitBlt(int x, int y, int w, int h, const Surface& src, int sx, int sy, uint32_t rop) {
  if (img_.isNull() || src.img_.isNull() || w <= 0 || h <= 0) return;
  // Clip against the destination, then the source, moving both origins together.
  if (x < 0) { sx -= x; w += x; x = 0; }
  if (y < 0) { sy -= y; h += y; y = 0; }
  if (sx < 0) { x -= sx; w += sx; sx = 0; }
  if (sy < 0) { y -= sy; h += sy; sy = 0; }
  w = std::min({w, width() - x, src.width() - sx});
  h = std::min({h, height() - y, src.height() - sy});
  if (w <= 0 || h <= 0) return;
  // A copy onto itself with overlapping areas must read the old pixels.
  const Surface* from = &src;
  Surface tmp;
  if (&src == this) {
    tmp = src;
    tmp.img_.detach();
    from = &tmp;
  }
  for (int r = 0; r < h; ++r) {
    auto* dl = reinterpret_cast<QRgb*>(img_.scanLine(y + r)) + x;
    auto* sl = reinterpret_cast<const QRgb*>(from->img_.constScanLine(sy + r)) + sx;
    for (int c = 0; c < w; ++c) dl[c] = ropPixel(rop, dl[c], sl[c]);
  }
}

void Surface::stretchBlt(int x, int y, int dw, int dh, const Surface& src, int sx, int sy, int sw,
                         int sh, uint32_t rop) {
  if (img_.isNull() || src.img_.isNull() || dw == 0 || dh == 0 || sw == 0 || sh == 0) return;
  if (dw == sw && dh == sh && dw > 0 && dh > 0) {
    bitBlt(x, y, dw, dh, src, sx, sy, rop);
    return;
  }
  const Surface* from = &src;
  Surface tmp;
  if (&src == this) {
    tmp = src;
    tmp.img_.detach();
    from = &tmp;
  }
  // A negative size mirrors: the picture covers x+dw .. x-1, its first column at x-1.
  const int adw = std::abs(dw), adh = std::abs(dh);
  const bool flipX = (dw < 0) != (sw < 0), flipY = (dh < 0) != (sh < 0);
  const int left = dw < 0 ? x + dw : x, top = dh < 0 ? y + dh : y;
  const int asw = std::abs(sw), ash = std::abs(sh);
  const int sLeft = sw < 0 ? sx + sw : sx, sTop = sh < 0 ? sy + sh : sy;
  for (int r = 0; r < adh; ++r) {
    int yy = top + r;
    if (yy < 0 || yy >= height()) continue;
    int srcRow = static_cast<int>((static_cast<int64_t>(r) * ash) / adh);
    if (flipY) srcRow = ash - 1 - srcRow;
    srcRow += sTop;
    if (srcRow < 0 || srcRow >= from->height()) continue;
    auto* dl = reinterpret_cast<QRgb*>(img_.scanLine(yy));
    auto* sl = reinterpret_cast<const QRgb*>(from->img_.constScanLine(srcRow));
    for (int c = 0; c < adw; ++c) {
      int xx = left + c;
      if (xx < 0 || xx >= width()) continue;
      int srcCol = static_cast<int>((static_cast<int64_t>(c) * asw) / adw);
      if (flipX) srcCol = asw - 1 - srcCol;
      srcCol += sLeft;
      if (srcCol < 0 || srcCol >= from->width()) continue;
      dl[xx] = ropPixel(rop, dl[xx], sl[srcCol]);
    }
  }
}

void Surface::drawPicture(const Picture& pic, int x, int y, int w, int h) {
  if (img_.isNull()) return;
  if (w < 0) w = pic.width();
  if (h < 0) h = pic.height();
  QPainter p(&img_);
  if (w == pic.width() && h == pic.height()) {
    p.drawImage(x, y, pic.image());
  } else {
    p.drawImage(QRect(x, y, w, h), pic.image());
  }
}

void Surface::drawPicture(const Picture& pic, int x, int y, int w, int h, int sx, int sy, int sw,
                          int sh, uint32_t rop) {
  if (rop == SRCCOPY && pic.hasAlpha() && w > 0 && h > 0 && sw > 0 && sh > 0) {
    QPainter p(&img_);
    p.drawImage(QRect(x, y, w, h), pic.image(), QRect(sx, sy, sw, sh));
    return;
  }
  Surface s(pic.image());
  stretchBlt(x, y, w, h, s, sx, sy, sw, sh, rop);
}

Dib24 Dib24::fromImage(const QImage& src) {
  QImage img = src.convertToFormat(QImage::Format_RGB32);
  Dib24 d;
  d.width = img.width();
  d.height = img.height();
  d.bytes.assign(static_cast<size_t>(d.stride()) * d.height, 0);
  for (int r = 0; r < d.height; ++r) {
    const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(d.height - 1 - r));
    uint8_t* out = d.row(r);
    for (int c = 0; c < d.width; ++c) {
      out[c * 3] = static_cast<uint8_t>(qBlue(line[c]));
      out[c * 3 + 1] = static_cast<uint8_t>(qGreen(line[c]));
      out[c * 3 + 2] = static_cast<uint8_t>(qRed(line[c]));
    }
  }
  return d;
}

Dib24 Dib24::fromSurface(const Surface& s, int x, int y, int w, int h) {
  Dib24 d;
  d.width = std::max(w, 0);
  d.height = std::max(h, 0);
  d.bytes.assign(static_cast<size_t>(d.stride()) * d.height, 0);
  for (int r = 0; r < d.height; ++r) {
    int sy = y + (d.height - 1 - r);
    if (sy < 0 || sy >= s.height()) continue;
    const auto* line = reinterpret_cast<const QRgb*>(s.image().constScanLine(sy));
    uint8_t* out = d.row(r);
    for (int c = 0; c < d.width; ++c) {
      int sx = x + c;
      if (sx < 0 || sx >= s.width()) continue;
      out[c * 3] = static_cast<uint8_t>(qBlue(line[sx]));
      out[c * 3 + 1] = static_cast<uint8_t>(qGreen(line[sx]));
      out[c * 3 + 2] = static_cast<uint8_t>(qRed(line[sx]));
    }
  }
  return d;
}

void Dib24::toSurface(Surface& s, int x, int y) const {
  for (int r = 0; r < height; ++r) {
    int dy = y + (height - 1 - r);
    if (dy < 0 || dy >= s.height()) continue;
    auto* line = reinterpret_cast<QRgb*>(s.image().scanLine(dy));
    const uint8_t* in = row(r);
    for (int c = 0; c < width; ++c) {
      int dx = x + c;
      if (dx < 0 || dx >= s.width()) continue;
      line[dx] = qRgb(in[c * 3 + 2], in[c * 3 + 1], in[c * 3]);
    }
  }
}

}  // namespace rt
