#include "rotation.h"

#include <cmath>

#include "rt/numbers.h"

namespace shell {

void RotatePicture(rt::Surface& dest, int32_t centreX, int32_t centreY, const rt::Surface& src,
                   rt::Color transparentColour, double angle, uint8_t transparency) {
  const uint8_t red = transparentColour & 255;
  const uint8_t green = static_cast<uint8_t>((transparentColour & 0xFF00) / 256);
  const uint8_t blue = static_cast<uint8_t>((transparentColour & 0xFF0000) / 65536);
  const int w = src.width(), h = src.height();
  if (src.isNull() || w <= 0 || h <= 0) return;
  const int side = rt::CLng(std::sqrt(static_cast<double>(w) * w + static_cast<double>(h) * h) + 2);
  const int ox = rt::CLng(centreX - side / 2.0), oy = rt::CLng(centreY - side / 2.0);

  // The destination square under the picture is the background of the turned picture.
  rt::Dib24 square = rt::Dib24::fromSurface(dest, ox, oy, side, side);
  const rt::Dib24 source = rt::Dib24::fromImage(src.image());

  const double cs = std::cos(angle * 0.0174532925199433);
  const double sn = std::sin(angle * 0.0174532925199433);
  const double half = side / 2.0;
  const bool skipTransparent = transparency & 1;
  for (int r = 0; r < side; ++r) {
    uint8_t* out = square.row(r);
    const double dy = r - half;
    for (int k = 0; k < side; ++k) {
      const double dx = k - half;
      const double sx = dx * cs + w / 2.0 - dy * sn;
      const double sy = dx * sn + h / 2.0 + dy * cs;
      const int ix = static_cast<int>(std::floor(sx + 0.5));
      const int iy = static_cast<int>(std::floor(sy + 0.5));
      if (ix < 0 || ix >= w || iy < 0 || iy >= h) continue;
      const uint8_t* px = source.row(iy) + ix * 3;
      if (skipTransparent && px[0] == blue && px[1] == green && px[2] == red) continue;
      out[k * 3] = px[0];
      out[k * 3 + 1] = px[1];
      out[k * 3 + 2] = px[2];
    }
  }
  square.toSurface(dest, ox, oy);
}

}  // namespace shell
