// The own pictures of the Kippel (Form9) and Gemmet (Form21) windows: Kippel's empty cell and the
// two windows' mouse pointers. A pointer's hot spot is its centre.
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>

#include "generator.h"
#include "raster.h"

namespace assetgen {

namespace {

// An empty cell: a recessed slate tile, darker than any picture, so gaps read as holes.
QImage blankCell()
{
    QImage img = opaqueImage(32, 32, QColor(96, 100, 108));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(QPointF(16, 16), 22);
    g.setColorAt(0.0, QColor(122, 127, 136));
    g.setColorAt(1.0, QColor(84, 88, 96));
    p.fillRect(img.rect(), g);
    p.setPen(QPen(QColor(60, 63, 70), 1));
    p.drawLine(0, 0, 31, 0);
    p.drawLine(0, 0, 0, 31);
    p.setPen(QPen(QColor(150, 154, 162), 1));
    p.drawLine(1, 31, 31, 31);
    p.drawLine(31, 1, 31, 31);
    return img;
}

// A sight with a white halo, readable on light and dark pictures alike.
void halo(QPainter& p, const QPainterPath& shape, const QColor& ink, double width)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 230), width + 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(shape);
    p.setPen(QPen(ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(shape);
}

QImage ringPointer(const QColor& ink)
{
    QImage img = transparentImage(32, 32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addEllipse(QPointF(16, 16), 8, 8);
    for (auto [x1, y1, x2, y2] : {std::array<double, 4>{16, 2.5, 16, 10}, {16, 22, 16, 29.5},
                                  {2.5, 16, 10, 16}, {22, 16, 29.5, 16}}) {
        shape.moveTo(x1, y1);
        shape.lineTo(x2, y2);
    }
    halo(p, shape, ink, 2.0);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawEllipse(QPointF(16, 16), 1.6, 1.6);
    return img;
}

QImage diamondPointer(const QColor& ink, const QColor& facet)
{
    QImage img = transparentImage(32, 32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath diamond;
    diamond.moveTo(16, 4);
    diamond.lineTo(28, 16);
    diamond.lineTo(16, 28);
    diamond.lineTo(4, 16);
    diamond.closeSubpath();
    QPainterPath inner;
    inner.moveTo(16, 10);
    inner.lineTo(22, 16);
    inner.lineTo(16, 22);
    inner.lineTo(10, 16);
    inner.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(facet.red(), facet.green(), facet.blue(), 110));
    p.drawPath(inner);
    halo(p, diamond, ink, 2.0);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawEllipse(QPointF(16, 16), 1.6, 1.6);
    return img;
}

std::vector<Picture> kippelPictures()
{
    return {{"pictures/Form9/blank.png", blankCell()},
            {"pictures/Form9/pointer.png", ringPointer(QColor(18, 46, 132))}};
}

std::vector<Picture> gemmetPictures()
{
    return {{"pictures/Form21/pointer.png", diamondPointer(QColor(128, 16, 40), QColor(220, 60, 110))}};
}

const bool kKippel = registerWindowPictures("Form9", kippelPictures);
const bool kGemmet = registerWindowPictures("Form21", gemmetPictures);

}  // namespace

}  // namespace assetgen
