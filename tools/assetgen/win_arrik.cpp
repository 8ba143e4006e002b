// Arrik's own pictures (window Form14): the four round arrow buttons that show the direction of
// the action, and the window's mouse pointer.
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>

#include "generator.h"
#include "raster.h"

namespace assetgen {

namespace {

// A round blue button, 25 x 25, with a white arrow; `deg` is the arrow's direction on screen.
QImage roundArrow(double deg)
{
    QImage img = transparentImage(25, 25);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(QPointF(10, 9), 15);
    g.setColorAt(0.0, QColor(120, 180, 255));
    g.setColorAt(1.0, QColor(16, 64, 170));
    p.setPen(QPen(QColor(10, 36, 110), 1.0));
    p.setBrush(g);
    p.drawEllipse(QPointF(12.5, 12.5), 11.8, 11.8);
    QPainterPath arrow;  // pointing right, centred on the origin
    arrow.moveTo(7.5, 0);
    arrow.lineTo(0.5, -6.5);
    arrow.lineTo(0.5, -2.6);
    arrow.lineTo(-7, -2.6);
    arrow.lineTo(-7, 2.6);
    arrow.lineTo(0.5, 2.6);
    arrow.lineTo(0.5, 6.5);
    arrow.closeSubpath();
    p.translate(12.5, 12.5);
    p.rotate(-deg);
    p.setPen(QPen(QColor(8, 30, 90), 0.8));
    p.setBrush(QColor(255, 255, 255));
    p.drawPath(arrow);
    return img;
}

// The pointer: a small blue cross in a ring, its hot spot in the middle.
QImage pointer()
{
    QPainterPath shape;
    shape.addEllipse(QPointF(16, 16), 6.5, 6.5);
    for (auto [x1, y1, x2, y2] : {std::array<double, 4>{16, 3, 16, 11}, {16, 21, 16, 29}, {3, 16, 11, 16}, {21, 16, 29, 16}}) {
        shape.moveTo(x1, y1);
        shape.lineTo(x2, y2);
    }
    return haloPointer(shape, QColor(16, 64, 170));
}

std::vector<Picture> arrikPictures()
{
    return {{"pictures/Form14/arrow_down.png", roundArrow(-90)},
            {"pictures/Form14/arrow_up.png", roundArrow(90)},
            {"pictures/Form14/arrow_left.png", roundArrow(180)},
            {"pictures/Form14/arrow_right.png", roundArrow(0)},
            {"pictures/Form14/pointer.png", pointer()}};
}

const bool kArrik = registerWindowPictures("Form14", arrikPictures);

}  // namespace

}  // namespace assetgen
