// Fendo's own pictures: the two players' 20 x 20 field icons.
#include "generator.h"
#include "raster.h"

#include <QPainter>
#include <QRadialGradient>

namespace assetgen {

namespace {

// A glossy token in the player's colour with a darker rim and a small star.
QImage playerIcon(const QColor& base)
{
    QImage img = transparentImage(20, 20);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient fill(QPointF(7.5, 6.5), 12.0);
    fill.setColorAt(0.0, base.lighter(170));
    fill.setColorAt(0.55, base);
    fill.setColorAt(1.0, base.darker(150));
    p.setPen(QPen(base.darker(220), 1.2));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(1.0, 1.0, 18.0, 18.0), 4.0, 4.0);
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const double r = i % 2 ? 2.4 : 5.6;
        const double a = -M_PI / 2 + i * M_PI / 5;
        const QPointF pt(10.0 + r * std::cos(a), 10.4 + r * std::sin(a));
        if (i == 0)
            star.moveTo(pt);
        else
            star.lineTo(pt);
    }
    star.closeSubpath();
    p.setPen(QPen(base.darker(200), 0.8));
    p.setBrush(QColor(255, 255, 255, 230));
    p.drawPath(star);
    return img;
}

std::vector<Picture> fendoPictures()
{
    return {
        {QStringLiteral("pictures/Form19/blue.png"), playerIcon(QColor(40, 90, 220))},
        {QStringLiteral("pictures/Form19/yellow.png"), playerIcon(QColor(236, 190, 20))},
    };
}

const bool kRegistered = registerWindowPictures("Form19", fendoPictures);

}  // namespace

}  // namespace assetgen
