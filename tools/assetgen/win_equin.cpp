// The own pictures of the Equin window (Form26): a white knight on an orange ground and a black
// knight on a light yellow ground, 32 x 32 and opaque.
#include <QPainter>
#include <QPainterPath>

#include "generator.h"
#include "glyphs.h"
#include "raster.h"

namespace assetgen {

namespace {

QImage knight(const QColor& ground, const QColor& rim, const QColor& fill, const QColor& line)
{
    QImage img = opaqueImage(32, 32, ground);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(rim, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 31, 31));
    // The solid knight glyph, centred on its own bounds.
    QPainterPath shape = dejavuGlyphPath(0x265E, 30);
    const QRectF box = shape.boundingRect();
    shape.translate(16 - box.center().x(), 16.5 - box.center().y());
    p.setPen(QPen(line, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(shape);
    return img;
}

std::vector<Picture> equinPictures()
{
    return {{"pictures/Form26/konj1.png",
             knight(QColor(240, 150, 40), QColor(200, 110, 20), QColor(255, 255, 255), QColor(60, 40, 20))},
            {"pictures/Form26/konj2.png",
             knight(QColor(255, 244, 176), QColor(220, 200, 120), QColor(24, 24, 28), QColor(24, 24, 28))}};
}

const bool kEquin = registerWindowPictures("Form26", equinPictures);

}  // namespace

}  // namespace assetgen
