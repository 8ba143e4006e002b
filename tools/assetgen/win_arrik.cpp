// Arrik's own pictures (window Form14): the four round arrow buttons that show the direction of
// the action, and the window's mouse pointer.
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

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
    QImage img = transparentImage(32, 32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    auto stroke = [&](const QColor& colour, double width) {
        p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(16, 16), 6.5, 6.5);
        p.drawLine(QPointF(16, 3), QPointF(16, 11));
        p.drawLine(QPointF(16, 21), QPointF(16, 29));
        p.drawLine(QPointF(3, 16), QPointF(11, 16));
        p.drawLine(QPointF(21, 16), QPointF(29, 16));
    };
    stroke(QColor(255, 255, 255), 4.0);
    stroke(QColor(16, 64, 170), 1.8);
    return img;
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
