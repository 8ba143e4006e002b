// Pimbar's own pictures (window Form2): the path arrows, white on a black disc at a cell's top
// left, and the window's mouse pointer.
#include <QPainter>
#include <QPainterPath>

#include "generator.h"
#include "raster.h"

namespace assetgen {

namespace {

QImage pathArrow(double deg)
{
    QImage img = transparentImage(32, 32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0));
    p.drawEllipse(QPointF(16, 16), 11, 11);
    QPainterPath arrow;  // pointing right
    arrow.moveTo(8, 0);
    arrow.lineTo(0, -7);
    arrow.lineTo(0, -3);
    arrow.lineTo(-8, -3);
    arrow.lineTo(-8, 3);
    arrow.lineTo(0, 3);
    arrow.lineTo(0, 7);
    arrow.closeSubpath();
    p.translate(16, 16);
    p.rotate(-deg);
    p.setBrush(QColor(255, 255, 255));
    p.drawPath(arrow);
    return img;
}

// The pointer: a green ring with a dot, its hot spot in the middle.
QImage pointer()
{
    QPainterPath shape;
    shape.addEllipse(QPointF(16, 16), 8, 8);
    return haloPointer(shape, QColor(20, 120, 50), {.ink = 2.0, .halo = 4.4, .dot = 2});
}

std::vector<Picture> pimbarPictures()
{
    return {{"pictures/Form2/arrow_down.png", pathArrow(-90)},
            {"pictures/Form2/arrow_up.png", pathArrow(90)},
            {"pictures/Form2/arrow_left.png", pathArrow(180)},
            {"pictures/Form2/arrow_right.png", pathArrow(0)},
            {"pictures/Form2/pointer.png", pointer()}};
}

const bool kPimbar = registerWindowPictures("Form2", pimbarPictures);

}  // namespace

}  // namespace assetgen
