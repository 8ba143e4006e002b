// Rookwell's own pictures (window Form28): the title banner, the name in large metallic letters
// on a green ground, and the window's mouse pointer.
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "generator.h"
#include "glyphs.h"
#include "raster.h"

namespace assetgen {

namespace {

QImage banner()
{
    QImage img = opaqueImage(158, 63, QColor(24, 110, 52));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient ground(QPointF(79, 24), 95);
    ground.setColorAt(0.0, QColor(52, 158, 84));
    ground.setColorAt(1.0, QColor(14, 78, 36));
    p.fillRect(img.rect(), ground);
    p.setPen(QPen(QColor(8, 50, 22), 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1, 1, 156, 61));

    QPainterPath word = dejavuTextPath(QStringLiteral("Rookwell"), 31.0, true);
    const QRectF box = word.boundingRect();
    const double scale = std::min(1.0, 146.0 / box.width());
    QTransform t;
    t.translate(79 - box.center().x() * scale, 33 - box.center().y() * scale);
    t.scale(scale, scale);
    word = t.map(word);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 30, 10, 140));
    p.drawPath(word.translated(1.6, 1.8));
    const QRectF w = word.boundingRect();
    QLinearGradient metal(QPointF(0, w.top()), QPointF(0, w.bottom()));
    metal.setColorAt(0.0, QColor(250, 250, 252));
    metal.setColorAt(0.45, QColor(176, 182, 192));
    metal.setColorAt(0.55, QColor(118, 124, 136));
    metal.setColorAt(1.0, QColor(220, 224, 232));
    p.setPen(QPen(QColor(40, 44, 52), 1.0));
    p.setBrush(metal);
    p.drawPath(word);
    return img;
}

// The pointer: a dark red ring with a cross, its hot spot in the middle.
QImage pointer()
{
    QPainterPath shape;
    shape.addEllipse(QPointF(16, 16), 7, 7);
    shape.moveTo(16, 5);
    shape.lineTo(16, 27);
    shape.moveTo(5, 16);
    shape.lineTo(27, 16);
    return haloPointer(shape, QColor(120, 20, 30));
}

std::vector<Picture> rookwellPictures()
{
    return {{"pictures/Form28/Picture7.png", banner()}, {"pictures/Form28/pointer.png", pointer()}};
}

const bool kRookwell = registerWindowPictures("Form28", rookwellPictures);

}  // namespace

}  // namespace assetgen
