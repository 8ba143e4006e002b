// Smylo's own pictures (Form18): the smiley, the red cross and the yellow and blue number coins,
// 20 x 20 each.
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "generator.h"
#include "glyphs.h"
#include "raster.h"

#include <cmath>

namespace assetgen {

namespace {

QImage coin(const QColor& light, const QColor& dark, const QColor& ink, int number)
{
    QImage img = opaqueImage(20, 20, QColor(250, 248, 240));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(QPointF(7, 6), 13);
    g.setColorAt(0.0, light);
    g.setColorAt(1.0, dark);
    p.setBrush(g);
    p.setPen(QPen(dark.darker(140), 1));
    p.drawEllipse(QRectF(0.5, 0.5, 19, 19));
    // The digits as outlines of the font file, whole pixels from the edge: text drawn through the
    // system's font settings (hinting, a font of the same name) differed from machine to machine.
    QPainterPath digits = dejavuTextPath(QString::number(number), number >= 10 ? 10 : 12, true);
    const QRectF box = digits.boundingRect();
    digits.translate(std::round(10 - box.center().x()), std::round(10 - box.center().y()));
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPath(digits);
    return img;
}

QImage smiley()
{
    QImage img = opaqueImage(20, 20, QColor(250, 248, 240));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(QPointF(7, 6), 14);
    g.setColorAt(0.0, QColor(255, 236, 120));
    g.setColorAt(1.0, QColor(236, 170, 20));
    p.setBrush(g);
    p.setPen(QPen(QColor(150, 96, 0), 1));
    p.drawEllipse(QRectF(0.5, 0.5, 19, 19));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 24, 0));
    p.drawEllipse(QPointF(6.5, 7.5), 1.6, 2.1);
    p.drawEllipse(QPointF(13.5, 7.5), 1.6, 2.1);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(40, 24, 0), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(5, 6, 10, 9), 200 * 16, 140 * 16);
    return img;
}

QImage cross()
{
    QImage img = opaqueImage(20, 20, QColor(250, 248, 240));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(210, 24, 24), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4, 4), QPointF(16, 16));
    p.drawLine(QPointF(16, 4), QPointF(4, 16));
    return img;
}

std::vector<Picture> smyloPictures()
{
    std::vector<Picture> out{{"pictures/Form18/smiley.png", smiley()}, {"pictures/Form18/cross.png", cross()}};
    for (int i = 0; i < 5; ++i)
        out.push_back({QString("pictures/Form18/yellow%1.png").arg(i),
                       coin(QColor(255, 246, 170), QColor(214, 168, 40), QColor(90, 56, 0), i)});
    for (int i = 0; i < 16; ++i)
        out.push_back({QString("pictures/Form18/blue%1.png").arg(i),
                       coin(QColor(150, 196, 255), QColor(30, 76, 170), QColor(255, 255, 255), i)});
    return out;
}

const bool kSmylo = registerWindowPictures("Form18", smyloPictures);

}  // namespace

}  // namespace assetgen
