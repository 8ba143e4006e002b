#pragma once
#include <QFont>

#include "rt/control.h"

class QPainter;

namespace rt {

QFont toQFont(const Font& f);  // maps the windows' font names onto the fonts this system has
void paintControl(QPainter& p, const Control& c, int x, int y);  // x, y: its top left in the painter

// A label's text is drawn in its own font, made smaller until the whole text fits the label.
QFont LabelTextFont(const Label& lb);  // the font it is drawn in
QRect LabelTextRect(const Label& lb);  // what it covers, in the label's own coordinates

}  // namespace rt
