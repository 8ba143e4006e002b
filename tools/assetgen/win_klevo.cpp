// Klevo's own pictures: the "Rotate 180 degrees" and random image buttons, the blank cell,
// the window's mouse pointer and the title.
#include <array>

#include "generator.h"
#include "glyphs.h"
#include "raster.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPathStroker>
#include <QRadialGradient>

#include <cmath>

namespace assetgen {

namespace {



// A half turn: the arrow sweeps over the top from left to right and comes down, "180" below.
QImage halfTurnButton()
{
    QImage img = opaqueImage(40, 32, QColor(220, 226, 234));
    QPainter p(&img);
    buttonFace(p, 40, 32);
    drawArrowShape(p, circularArrow(QPointF(20, 15), 9.0, 190, -165, 3.4));
    QPainterPath label = dejavuTextPath(QStringLiteral("180"), 8.0, true);
    const QRectF box = label.boundingRect();
    label.translate(20.0 - box.center().x(), 29.0 - box.bottom());
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(10, 40, 100));
    p.drawPath(label);
    return img;
}

// A die on the same face: a picture drawn at random.
QImage randomImageButton()
{
    QImage img = opaqueImage(40, 32, QColor(220, 226, 234));
    QPainter p(&img);
    buttonFace(p, 40, 32);
    const QImage die = emojiFitted(QString::fromUcs4(U"\U0001F3B2"), 26, 26);
    p.drawImage(QPointF(20 - die.width() / 2.0, 16 - die.height() / 2.0), die);
    return img;
}

// A cell picture that no kind shows: a plain light tile.
QImage blankCell()
{
    QImage tile = opaqueImage(32, 32, QColor(214, 222, 234));
    QPainter p(&tile);
    QRadialGradient ground(QPointF(16, 14), 24);
    ground.setColorAt(0.0, QColor(250, 251, 253));
    ground.setColorAt(1.0, QColor(214, 222, 234));
    p.fillRect(tile.rect(), ground);
    return tile;
}

// The window's pointer: a ring with a cross, its hot spot in the middle (where the frame puts it).
QImage pointer()
{
    QPainterPath shape;
    shape.addEllipse(QPointF(16, 16), 7.5, 7.5);
    for (auto [x1, y1, x2, y2] : {std::array<double, 4>{16, 2, 16, 10}, {16, 22, 16, 30}, {2, 16, 10, 16}, {22, 16, 30, 16}}) {
        shape.moveTo(x1, y1);
        shape.lineTo(x2, y2);
    }
    return haloPointer(shape, QColor(200, 30, 40), {.dot = 1.6});
}

// The title: "Klevo" in the colours of the first theme's tiles, on the window's colour.
QImage title()
{
    QImage img = opaqueImage(161, 50, QColor(206, 218, 236));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QString word = QStringLiteral("Klevo");
    const QColor colours[] = {QColor(222, 60, 48), QColor(240, 150, 30), QColor(60, 160, 70), QColor(40, 110, 210),
                              QColor(150, 70, 190)};
    std::vector<QPainterPath> letters;
    double width = 0;
    for (const QChar ch : word) {
        QPainterPath path = dejavuTextPath(QString(ch), 42.0, true);
        width += path.boundingRect().width() + 2.0;
        letters.push_back(path);
    }
    double x = (161.0 - width + 2.0) / 2.0;
    for (size_t i = 0; i < letters.size(); ++i) {
        QPainterPath path = letters[i];
        const QRectF box = path.boundingRect();
        path.translate(x - box.left(), 41.0);
        x += box.width() + 2.0;
        QPainterPath shadow = path.translated(1.5, 1.5);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 50, 80, 110));
        p.drawPath(shadow);
        QLinearGradient fill(QPointF(0, 12), QPointF(0, 42));
        fill.setColorAt(0.0, colours[i].lighter(140));
        fill.setColorAt(1.0, colours[i].darker(115));
        p.setPen(QPen(colours[i].darker(190), 1.2));
        p.setBrush(fill);
        p.drawPath(path);
    }
    return img;
}

std::vector<Picture> klevoPictures()
{
    return {
        {QStringLiteral("pictures/Form1/Picture6.png"), halfTurnButton()},
        {QStringLiteral("pictures/Form1/Picture12.png"), randomImageButton()},
        {QStringLiteral("pictures/Form1/Uzorak6.png"), blankCell()},
        {QStringLiteral("pictures/Form1/pointer.png"), pointer()},
        {QStringLiteral("pictures/Form1/Picture11.png"), title()},
    };
}

const bool kRegistered = registerWindowPictures("Form1", klevoPictures);

}  // namespace

}  // namespace assetgen
