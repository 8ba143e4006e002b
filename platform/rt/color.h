#pragma once
// Colours are stored as the windows store them: &H00BBGGRR (red in the low byte).
// System colours (&H8000xxxx) name a theme colour.
#include <cstdint>

#include <QColor>

namespace rt {

using Color = uint32_t;

constexpr Color RGB(int r, int g, int b) {
  return static_cast<Color>((r & 255) | ((g & 255) << 8) | ((b & 255) << 16));
}
constexpr Color kBlack = 0x000000, kWhite = 0xFFFFFF, kRed = 0x0000FF, kBlue = 0xFF0000,
                kGreen = 0x00FF00, kYellow = 0x00FFFF, kMagenta = 0xFF00FF;
constexpr Color kButtonFace = 0x8000000F, kWindowText = 0x80000012, kAppWorkspace = 0x8000000C,
                kWindowBackground = 0x80000005, kGrayText = 0x80000011;

QColor toQColor(Color c);

}  // namespace rt
