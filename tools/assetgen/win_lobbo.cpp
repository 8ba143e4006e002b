// The own pictures of the Lobbo window (Form23): the fourteen 32 x 32 blocks (letters A to F,
// the joker, the special block, the helpers and the two removal marks) and the title banner.
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include "generator.h"
#include "glyphs.h"
#include "raster.h"

namespace assetgen {

namespace {

// A bevelled tile: light top-left edge, dark bottom-right edge, a vertical gradient face.
QImage tile(const QColor& face)
{
    QImage img = opaqueImage(32, 32, face);
    QPainter p(&img);
    QLinearGradient g(0, 0, 0, 32);
    g.setColorAt(0.0, face.lighter(135));
    g.setColorAt(1.0, face.darker(125));
    p.fillRect(img.rect(), g);
    p.setPen(QPen(face.lighter(170), 2));
    p.drawLine(1, 1, 30, 1);
    p.drawLine(1, 1, 1, 30);
    p.setPen(QPen(face.darker(190), 2));
    p.drawLine(1, 31, 31, 31);
    p.drawLine(31, 1, 31, 31);
    return img;
}

// A letter block: a bold white letter with a dark outline, centred.
QImage letterBlock(QChar letter, const QColor& face)
{
    QImage img = tile(face);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath glyph = dejavuTextPath(QString(letter), 24, true);
    const QRectF box = glyph.boundingRect();
    glyph.translate(16 - box.center().x(), 16 - box.center().y());
    p.setPen(QPen(face.darker(230), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(glyph);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(glyph);
    return img;
}

// An emoji on a tile, fitted into the inner 24 x 24 pixels; `turn` rotates it in quarter turns.
QImage emojiBlock(const QString& emoji, const QColor& face, int turn = 0)
{
    QImage img = tile(face);
    QImage motif = emojiFitted(emoji, 25, 25);
    if (turn) motif = motif.transformed(QTransform().rotate(90 * turn), Qt::SmoothTransformation);
    QPainter p(&img);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QPointF(16 - motif.width() / 2.0, 16 - motif.height() / 2.0), motif);
    return img;
}

// The joker: the joker card on a rainbow face (it matches every colour).
QImage jokerBlock()
{
    QImage img = tile(QColor(120, 120, 120));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QConicalGradient g(16, 16, 90);
    const QColor ring[] = {QColor(230, 60, 60), QColor(240, 170, 40), QColor(70, 170, 70), QColor(50, 130, 220),
                           QColor(150, 80, 200), QColor(230, 60, 60)};
    for (int i = 0; i < 6; ++i) g.setColorAt(i / 5.0, ring[i]);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRect(2, 2, 28, 28);
    const QImage card = emojiFitted(QString::fromUtf8("\U0001F0CF"), 26, 26);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QPointF(16 - card.width() / 2.0, 16 - card.height() / 2.0), card);
    img.setText("Description", "joker");
    return img;
}

// The title: the game's name in letter blocks falling out of line.
QImage banner()
{
    QImage img = transparentImage(200, 56);
    QPainter p(&img);
    const QString name = "LOBBO";
    const QColor faces[] = {QColor(220, 60, 60), QColor(240, 170, 40), QColor(70, 170, 70), QColor(50, 130, 220),
                            QColor(150, 80, 200)};
    const int drop[] = {6, 18, 0, 12, 4};
    for (int i = 0; i < name.size(); ++i) {
        const QImage block = letterBlock(name[i], faces[i]);
        p.drawImage(QRect(4 + 39 * i, drop[i], 34, 34), block);
    }
    return img;
}

std::vector<Picture> lobboPictures()
{
    std::vector<Picture> out;
    const QColor faces[] = {QColor(214, 58, 58), QColor(232, 160, 32), QColor(60, 160, 64), QColor(44, 118, 214),
                            QColor(146, 76, 196), QColor(30, 166, 166)};
    QImage blocks[14];
    for (int k = 0; k < 6; ++k) blocks[k] = letterBlock(QChar('A' + k), faces[k]);
    blocks[6] = jokerBlock();
    blocks[7] = emojiBlock(QString::fromUtf8("\U0001F9F1"), QColor(96, 100, 112));     // brick
    blocks[8] = emojiBlock(QString::fromUtf8("\U0001FA9C"), QColor(236, 226, 196));    // ladder
    blocks[9] = emojiBlock(QString::fromUtf8("\U0001FA9C"), QColor(236, 226, 196), 1); // ladder, lying
    blocks[10] = emojiBlock(QString::fromUtf8("\u2764\uFE0F"), QColor(250, 214, 226)); // heart
    blocks[11] = emojiBlock(QString::fromUtf8("\U0001F4A3"), QColor(236, 226, 196));   // bomb
    blocks[12] = emojiBlock(QString::fromUtf8("\U0001F4A5"), QColor(252, 236, 160));   // explosion
    blocks[13] = emojiBlock(QString::fromUtf8("\u2728"), QColor(255, 250, 220));       // sparkles
    for (int k = 0; k < 14; ++k)
        out.push_back({QString("pictures/Form23/block%1.png").arg(k + 1), blocks[k]});
    out.push_back({"pictures/Form23/banner.png", banner()});
    return out;
}

const bool kLobbo = registerWindowPictures("Form23", lobboPictures);

}  // namespace

}  // namespace assetgen
