// The chess window's own pictures: the square mark of its hidden panel (laid on a square with
// AND, so its white inside leaves the square as it is) and the five toolbar buttons.
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <vector>

#include "generator.h"
#include "raster.h"

namespace assetgen {

namespace {

QImage squareMark()
{
    QImage img = opaqueImage(32, 32, QColor(255, 255, 255));
    QPainter p(&img);
    p.fillRect(0, 0, 32, 3, Qt::black);
    p.fillRect(0, 29, 32, 3, Qt::black);
    p.fillRect(0, 0, 3, 32, Qt::black);
    p.fillRect(29, 0, 3, 32, Qt::black);
    p.setPen(QColor(128, 128, 128));
    p.drawRect(3, 3, 25, 25);
    return img;
}

const QColor kInk(34, 52, 104);

QPolygonF triangle(double tipX, double baseX)
{
    return QPolygonF({QPointF(baseX, 3.0), QPointF(tipX, 8.0), QPointF(baseX, 13.0)});
}

QImage toolButton(int which)
{
    QImage img = transparentImage(16, 16);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    switch (which) {
    case 0:  // back to start: bar and two triangles to the left
        p.drawRect(QRectF(2, 3, 2, 10));
        p.drawPolygon(triangle(4, 9));
        p.drawPolygon(triangle(9, 14));
        break;
    case 1:  // back one move
        p.drawPolygon(triangle(4, 11));
        break;
    case 2:  // forward one move
        p.drawPolygon(triangle(12, 5));
        break;
    case 3:  // forward to end: two triangles to the right and a bar
        p.drawPolygon(triangle(7, 2));
        p.drawPolygon(triangle(12, 7));
        p.drawRect(QRectF(12, 3, 2, 10));
        break;
    default: {  // move now: a lightning bolt
        QPainterPath bolt;
        bolt.moveTo(10, 1);
        bolt.lineTo(3.5, 9);
        bolt.lineTo(7.5, 9);
        bolt.lineTo(5.5, 15);
        bolt.lineTo(12.5, 6.5);
        bolt.lineTo(8.5, 6.5);
        bolt.closeSubpath();
        p.setBrush(QColor(250, 196, 40));
        p.setPen(QPen(QColor(120, 70, 10), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(bolt);
        break;
    }
    }
    return img;
}

std::vector<Picture> panelPictures()
{
    return {{"pictures/CtrlPanel/pquad.png", squareMark()}};
}

std::vector<Picture> boardPictures()
{
    std::vector<Picture> out;
    for (int i = 0; i < 5; ++i)
        out.push_back({QString("pictures/FrmBoard/poke%1.png").arg(i), toolButton(i)});
    return out;
}

const bool kPanel = registerWindowPictures("CtrlPanel", panelPictures);
const bool kBoard = registerWindowPictures("FrmBoard", boardPictures);

}  // namespace

}  // namespace assetgen
