#include "rt/color.h"

namespace rt {

QColor toQColor(Color c) {
  if (c & 0x80000000u) {
    switch (c & 0xFF) {
      case 0x05: return QColor(255, 255, 255);   // window
      case 0x08: return QColor(0, 0, 0);         // window text
      case 0x0C: return QColor(171, 171, 171);   // application workspace
      case 0x0F: return QColor(240, 240, 240);   // button face
      case 0x10: return QColor(160, 160, 160);   // button shadow
      case 0x11: return QColor(109, 109, 109);   // grey text
      case 0x12: return QColor(0, 0, 0);         // button text
      case 0x14: return QColor(255, 255, 255);   // button highlight
      default: return QColor(240, 240, 240);
    }
  }
  return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

}  // namespace rt
