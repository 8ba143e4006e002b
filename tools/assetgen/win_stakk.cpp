// Stakk 3D's own pictures: the grid tile of one cell in the oblique view and the seven coins.
#include "generator.h"
#include "raster.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>
#include <QRadialGradient>

namespace assetgen {

namespace {

// One cell of a layer: a parallelogram 32 pixels wide whose bottom edge lies 23 pixels to the
// left of its top edge, 12 pixels lower (the next depth row starts there).
QImage tile()
{
    QImage img = transparentImage(56, 13);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QPolygonF cell({QPointF(23.5, 0.5), QPointF(55.5, 0.5), QPointF(32.5, 12.5), QPointF(0.5, 12.5)});
    QLinearGradient fill(QPointF(0, 0), QPointF(0, 13));
    fill.setColorAt(0.0, QColor(214, 226, 240));
    fill.setColorAt(1.0, QColor(178, 196, 222));
    p.setBrush(fill);
    p.setPen(QPen(QColor(60, 80, 120), 1.0));
    p.drawPolygon(cell);
    return img;
}

// A flat coin seen from above at an angle: a rim below and a shaded face.
QImage coin(const QColor& face, const QColor& ring = QColor(), bool star = false)
{
    QImage img = transparentImage(19, 12);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(face.darker(190));
    p.drawEllipse(QRectF(0.5, 2.0, 18.0, 9.5));  // the edge of the coin
    QRadialGradient shade(QPointF(6.5, 3.0), 11.0);
    shade.setColorAt(0.0, face.lighter(160));
    shade.setColorAt(0.6, face);
    shade.setColorAt(1.0, face.darker(130));
    p.setBrush(shade);
    p.setPen(QPen(face.darker(220), 0.8));
    p.drawEllipse(QRectF(0.5, 0.5, 18.0, 9.0));
    if (ring.isValid()) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(ring, 1.6));
        p.drawEllipse(QRectF(3.0, 2.0, 13.0, 6.0));
    }
    if (star) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 250, 200));
        p.drawEllipse(QRectF(7.0, 3.3, 5.0, 3.0));
    }
    return img;
}

std::vector<Picture> stakkPictures()
{
    const QColor green(40, 160, 60), brown(150, 95, 45), white(246, 246, 246);
    const QColor placed(230, 40, 40), scoring(255, 215, 0);
    return {
        {QStringLiteral("pictures/Form17/tile.png"), tile()},
        {QStringLiteral("pictures/Form17/coin0.png"), coin(green)},
        {QStringLiteral("pictures/Form17/coin1.png"), coin(brown)},
        {QStringLiteral("pictures/Form17/coin2.png"), coin(white)},
        {QStringLiteral("pictures/Form17/coin3.png"), coin(green, placed)},
        {QStringLiteral("pictures/Form17/coin4.png"), coin(brown, placed)},
        {QStringLiteral("pictures/Form17/coin5.png"), coin(green, scoring, true)},
        {QStringLiteral("pictures/Form17/coin6.png"), coin(brown, scoring, true)},
    };
}

const bool kRegistered = registerWindowPictures("Form17", stakkPictures);

}  // namespace

}  // namespace assetgen
