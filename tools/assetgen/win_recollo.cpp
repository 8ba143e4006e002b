// The own pictures of the Recollo window (Form7): the four one-way arrows (white and chequered,
// dark outline, olive ground), the two two-way arrows (yellow on salmon) and the card back.
#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include "generator.h"
#include "raster.h"

namespace assetgen {

namespace {

// An arrow pointing right across a 32 x 32 cell, turned by `degrees` about the centre.
QPainterPath oneWayShape(double degrees)
{
    QPainterPath path;
    path.moveTo(4, 12);
    path.lineTo(17, 12);
    path.lineTo(17, 5);
    path.lineTo(28, 16);
    path.lineTo(17, 27);
    path.lineTo(17, 20);
    path.lineTo(4, 20);
    path.closeSubpath();
    QTransform t;
    t.translate(16, 16);
    t.rotate(degrees);
    t.translate(-16, -16);
    return t.map(path);
}

QPainterPath twoWayShape(bool vertical)
{
    QPainterPath path;
    path.moveTo(2, 16);
    path.lineTo(11, 6);
    path.lineTo(11, 12);
    path.lineTo(21, 12);
    path.lineTo(21, 6);
    path.lineTo(30, 16);
    path.lineTo(21, 26);
    path.lineTo(21, 20);
    path.lineTo(11, 20);
    path.lineTo(11, 26);
    path.closeSubpath();
    if (!vertical)
        return path;
    QTransform t;
    t.translate(16, 16);
    t.rotate(90);
    t.translate(-16, -16);
    return t.map(path);
}

QImage oneWay(double degrees)
{
    QImage img = opaqueImage(32, 32, QColor(128, 128, 0));
    // White and light grey two-pixel checks inside the arrow.
    QImage checks = opaqueImage(32, 32, QColor(255, 255, 255));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (((x / 2) + (y / 2)) % 2)
                checks.setPixel(x, y, qRgb(208, 208, 208));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath shape = oneWayShape(degrees);
    p.setClipPath(shape);
    p.drawImage(0, 0, checks);
    p.setClipping(false);
    p.setPen(QPen(QColor(40, 40, 24), 1.4, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
    return img;
}

QImage twoWay(bool vertical)
{
    QImage img = opaqueImage(32, 32, QColor(250, 160, 130));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(150, 80, 40), 1.2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(QColor(255, 230, 40));
    p.drawPath(twoWayShape(vertical));
    return img;
}

QImage cardBack()
{
    QImage img = opaqueImage(32, 32, QColor(150, 150, 150));
    QPainter p(&img);
    p.setPen(QColor(215, 215, 215));
    p.drawLine(0, 0, 31, 0);
    p.drawLine(0, 0, 0, 31);
    p.setPen(QColor(190, 190, 190));
    p.drawLine(1, 1, 30, 1);
    p.drawLine(1, 1, 1, 30);
    return img;
}

std::vector<Picture> recolloPictures()
{
    return {{"pictures/Form7/left.png", oneWay(180)},      {"pictures/Form7/right.png", oneWay(0)},
            {"pictures/Form7/up.png", oneWay(270)},        {"pictures/Form7/down.png", oneWay(90)},
            {"pictures/Form7/row.png", twoWay(false)},     {"pictures/Form7/column.png", twoWay(true)},
            {"pictures/Form7/back.png", cardBack()}};
}

const bool kRecollo = registerWindowPictures("Form7", recolloPictures);

}  // namespace

}  // namespace assetgen
