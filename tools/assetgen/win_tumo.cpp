// Tumo's own pictures (window Form3): the empty cell, the "Flip horizontal" button and the
// window's mouse pointer.
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "generator.h"
#include "raster.h"

namespace assetgen {

namespace {

// An empty cell: a flat grey hollow, lighter in the middle, so pieces stand out on it.
QImage emptyCell()
{
    QImage img = opaqueImage(32, 32, QColor(150, 152, 158));
    QPainter p(&img);
    QRadialGradient g(QPointF(16, 16), 23);
    g.setColorAt(0.0, QColor(184, 186, 192));
    g.setColorAt(1.0, QColor(138, 140, 146));
    p.fillRect(img.rect(), g);
    return img;
}

// A hand-sized drop: a down arrow into a ring, its hot spot in the middle.
QImage pointer()
{
    QPainterPath shape;
    shape.addEllipse(QPointF(16, 16), 7, 7);
    shape.moveTo(16, 2);
    shape.lineTo(16, 12);
    shape.moveTo(12, 8);
    shape.lineTo(16, 12);
    shape.lineTo(20, 8);
    return haloPointer(shape, QColor(20, 90, 60), {.halo = 4.2, .haloAlpha = 230, .dot = 1.6, .roundJoin = true});
}

std::vector<Picture> tumoPictures()
{
    return {
        {QStringLiteral("pictures/Form3/Uzorak6.png"), emptyCell()},
        {QStringLiteral("pictures/Form3/Picture14.png"), flipButton(Qt::Horizontal, 14)},
        {QStringLiteral("pictures/Form3/pointer.png"), pointer()},
    };
}

const bool kRegistered = registerWindowPictures("Form3", tumoPictures);

}  // namespace

}  // namespace assetgen
