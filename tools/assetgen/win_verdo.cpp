// The own pictures of the Verdo window (Form25): the blue and the green square. Each is a
// diagonal gradient from white at the lower left to its colour at the upper right, with a black
// outline on the edge and a second one two pixels inside it.
#include <QPainter>

#include "generator.h"
#include "raster.h"

namespace assetgen {

namespace {

QImage square(const QColor& corner)
{
    QImage img = opaqueImage(32, 32, corner);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            // 0 at the lower left corner, 1 at the upper right.
            const double t = (x + (31 - y)) / 62.0;
            img.setPixel(x, y, mix(QColor(255, 255, 255), corner, t).rgb());
        }
    QPainter p(&img);
    p.setPen(QColor(0, 0, 0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, 31, 31);
    p.drawRect(3, 3, 25, 25);
    return img;
}

std::vector<Picture> verdoPictures()
{
    return {{"pictures/Form25/blue.png", square(QColor(32, 101, 240))},
            {"pictures/Form25/green.png", square(QColor(75, 173, 32))}};
}

const bool kVerdo = registerWindowPictures("Form25", verdoPictures);

}  // namespace

}  // namespace assetgen
