#pragma once
#include <QFont>

#include "rt/control.h"

class QPainter;

namespace rt {

QFont toQFont(const Font& f);  // maps the windows' font names onto the fonts this system has
void paintControl(QPainter& p, const Control& c, int x, int y);  // x, y: its top left in the painter

}  // namespace rt
