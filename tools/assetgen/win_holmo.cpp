// Holmo's own pictures (window Form12): the lifebelt button, the title, the picture of "no current
// kind" and the window's mouse pointer.
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

#include "generator.h"
#include "glyphs.h"
#include "raster.h"

namespace assetgen {

namespace {

// A red and white ring buoy on a pale blue water tile.
QImage lifebelt()
{
    QImage img = opaqueImage(32, 32, QColor(196, 226, 244));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient water(QPointF(16, 16), 24);
    water.setColorAt(0.0, QColor(232, 246, 255));
    water.setColorAt(1.0, QColor(150, 200, 232));
    p.fillRect(img.rect(), water);
    const QPointF c(16, 16);
    const double outer = 13.5, inner = 6.5;
    for (int i = 0; i < 8; ++i) {
        QPainterPath seg;
        seg.arcMoveTo(QRectF(c.x() - outer, c.y() - outer, 2 * outer, 2 * outer), i * 45.0);
        seg.arcTo(QRectF(c.x() - outer, c.y() - outer, 2 * outer, 2 * outer), i * 45.0, 45.0);
        seg.arcTo(QRectF(c.x() - inner, c.y() - inner, 2 * inner, 2 * inner), i * 45.0 + 45.0, -45.0);
        seg.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(i % 2 == 0 ? QColor(222, 40, 36) : QColor(250, 250, 250));
        p.drawPath(seg);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(120, 20, 20), 1.2));
    p.drawEllipse(c, outer, outer);
    p.drawEllipse(c, inner, inner);
    return img;
}

// No current kind: a grey tile with a white question mark.
QImage noKind()
{
    QImage img = opaqueImage(32, 32, QColor(128, 128, 128));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(QPointF(16, 16), 22);
    g.setColorAt(0.0, QColor(168, 170, 176));
    g.setColorAt(1.0, QColor(112, 114, 120));
    p.fillRect(img.rect(), g);
    QPainterPath mark = dejavuTextPath(QStringLiteral("?"), 24.0, true);
    const QRectF box = mark.boundingRect();
    mark.translate(16.0 - box.center().x(), 16.0 - box.center().y());
    p.setPen(QPen(QColor(60, 62, 70), 1.5));
    p.setBrush(QColor(255, 255, 255));
    p.drawPath(mark);
    return img;
}

// The title: "Holmo" with the first o drawn as a porthole opening, on the window's colour.
QImage title()
{
    QImage img = opaqueImage(161, 55, QColor(206, 222, 226));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath word = dejavuTextPath(QStringLiteral("Holmo"), 40.0, true);
    const QRectF box = word.boundingRect();
    word.translate(80.5 - box.center().x(), 27.5 - box.center().y());
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 60, 70, 110));
    p.drawPath(word.translated(1.5, 1.5));
    QLinearGradient fill(QPointF(0, 8), QPointF(0, 48));
    fill.setColorAt(0.0, QColor(40, 170, 170));
    fill.setColorAt(1.0, QColor(0, 96, 104));
    p.setPen(QPen(QColor(0, 60, 66), 1.2));
    p.setBrush(fill);
    p.drawPath(word);
    return img;
}

// A turned arrow over a ring: the window's pointer, its hot spot in the middle.
QImage pointer()
{
    QPainterPath shape;
    shape.addEllipse(QPointF(16, 16), 7, 7);
    shape.moveTo(16, 30);
    shape.lineTo(16, 20);
    shape.moveTo(12, 24);
    shape.lineTo(16, 20);
    shape.lineTo(20, 24);
    return haloPointer(shape, QColor(0, 96, 104), {.halo = 4.2, .haloAlpha = 230, .dot = 1.6, .roundJoin = true});
}

std::vector<Picture> holmoPictures()
{
    return {
        {QStringLiteral("pictures/Form12/Picture5.png"), lifebelt()},
        {QStringLiteral("pictures/Form12/Picture3.png"), title()},
        {QStringLiteral("pictures/Form12/Uzorak20.png"), noKind()},
        {QStringLiteral("pictures/Form12/pointer.png"), pointer()},
    };
}

const bool kRegistered = registerWindowPictures("Form12", holmoPictures);

}  // namespace

}  // namespace assetgen
