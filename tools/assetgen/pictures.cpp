// The library's pictures beside the themes: effect pictures, helper objects,
// buttons, panels and backgrounds, marks, arrows and portholes; and the
// frame's background, icon and the button skin.
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

constexpr double kPi = 3.14159265358979323846;

const QColor kWhite(255, 255, 255);
const QColor kHelperEdge(196, 212, 234);

QString ucs4(const char32_t* text)
{
    return QString::fromUcs4(text);
}

// ---------------------------------------------------------------- effect and helper pictures

QImage plainTile(const QColor& centre, const QColor& edge)
{
    QImage tile = opaqueImage(32, 32, edge);
    QPainter p(&tile);
    QRadialGradient ground(QPointF(16, 14), 24);
    ground.setColorAt(0.0, centre);
    ground.setColorAt(0.55, mix(centre, edge, 0.45));
    ground.setColorAt(1.0, edge);
    p.fillRect(tile.rect(), ground);
    return tile;
}

// A heavy weight dropping onto the cell: the ladder's hit.
QImage fallingWeight()
{
    QImage tile = plainTile(kWhite, QColor(214, 220, 228));
    QPainter p(&tile);
    p.setRenderHint(QPainter::Antialiasing);
    // Motion streaks above it.
    p.setPen(QPen(QColor(150, 160, 175), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(7, 1.5), QPointF(7, 8));
    p.drawLine(QPointF(25, 1.5), QPointF(25, 8));
    p.drawLine(QPointF(11, 0.5), QPointF(11, 4));
    p.drawLine(QPointF(21, 0.5), QPointF(21, 4));
    // Handle.
    p.setPen(QPen(QColor(40, 40, 44), 2.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(16, 9.5), 4.2, 3.6);
    // Body.
    QPainterPath body;
    body.moveTo(9.5, 12.5);
    body.lineTo(22.5, 12.5);
    body.lineTo(29.5, 29.5);
    body.lineTo(2.5, 29.5);
    body.closeSubpath();
    QLinearGradient metal(QPointF(4, 12), QPointF(28, 30));
    metal.setColorAt(0.0, QColor(120, 124, 132));
    metal.setColorAt(0.45, QColor(72, 75, 82));
    metal.setColorAt(1.0, QColor(30, 31, 36));
    p.setPen(QPen(QColor(15, 15, 18), 1.2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(metal);
    p.drawPath(body);
    QPainterPath label = dejavuTextPath(QStringLiteral("10t"), 10.5, true);
    const QRectF box = label.boundingRect();
    label.translate(16.0 - box.center().x(), 26.0 - box.bottom());
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(245, 245, 245));
    p.drawPath(label);
    return tile;
}

// A wooden ladder lying across the cell (rails horizontal) or standing in it.
QImage ladder(bool horizontal)
{
    QImage tile = plainTile(kWhite, kHelperEdge);
    QPainter p(&tile);
    p.setRenderHint(QPainter::Antialiasing);
    if (!horizontal) {
        // The standing ladder is the lying one turned a quarter.
        p.translate(32, 0);
        p.rotate(90);
    }
    const QColor outline(74, 42, 16);
    const QColor rung(196, 140, 72);
    const QColor rail(150, 96, 44);
    p.setPen(QPen(outline, 1.0));
    p.setBrush(rung);
    for (int i = 0; i < 4; ++i) {
        const double x = 5.0 + i * 6.6;
        p.drawRect(QRectF(x, 9.5, 3.2, 13.0));
    }
    QLinearGradient wood(QPointF(0, 6), QPointF(0, 11));
    wood.setColorAt(0.0, rung);
    wood.setColorAt(1.0, rail);
    p.setBrush(wood);
    p.drawRoundedRect(QRectF(1.5, 5.5, 29, 5), 1.5, 1.5);
    QLinearGradient wood2(QPointF(0, 21), QPointF(0, 26));
    wood2.setColorAt(0.0, rung);
    wood2.setColorAt(1.0, rail);
    p.setBrush(wood2);
    p.drawRoundedRect(QRectF(1.5, 21.5, 29, 5), 1.5, 1.5);
    return tile;
}

// ---------------------------------------------------------------- 40 x 32 buttons

QImage rotateButton(bool clockwise)
{
    QImage img = opaqueImage(40, 32, QColor(220, 226, 234));
    QPainter p(&img);
    buttonFace(p, 40, 32);
    const QPointF c(20, 16.5);
    const QPainterPath arrow = clockwise ? circularArrow(c, 8.5, 120, -285, 3.6)
                                         : circularArrow(c, 8.5, 60, 285, 3.6);
    drawArrowShape(p, arrow);
    return img;
}

// ---------------------------------------------------------------- panels and backgrounds

QImage cashPanel()
{
    QImage img = opaqueImage(161, 88, kWhite);
    QPainter p(&img);
    QLinearGradient g(QPointF(0, 0), QPointF(60, 88));
    g.setColorAt(0.0, QColor(236, 247, 255));
    g.setColorAt(1.0, QColor(156, 204, 244));
    p.fillRect(img.rect(), g);
    return img;
}

QImage brickWall()
{
    constexpr int kSize = 130, kBrickW = 26, kBrickH = 13;
    QImage img = opaqueImage(kSize, kSize, QColor(150, 166, 190));
    Rng rng(0xB41C5);
    std::vector<QColor> brickColours;
    for (int i = 0; i < (kSize / kBrickH) * (kSize / kBrickW + 1); ++i) {
        const double v = rng.range(-1, 1);
        brickColours.push_back(QColor(clampByte(46 + 10 * v), clampByte(84 + 14 * v), clampByte(160 + 18 * v)));
    }
    for (int y = 0; y < kSize; ++y) {
        const int row = y / kBrickH, yIn = y % kBrickH;
        const int shift = (row % 2) ? kBrickW / 2 : 0;
        for (int x = 0; x < kSize; ++x) {
            const int xs = (x + shift) % kSize;
            const int col = xs / kBrickW, xIn = xs % kBrickW;
            QColor c;
            if (yIn >= kBrickH - 2 || xIn >= kBrickW - 2) {
                c = QColor(156, 170, 192);  // mortar
                if (yIn == kBrickH - 2 || xIn == kBrickW - 2)
                    c = QColor(118, 132, 156);  // its shadowed edge
            } else {
                c = brickColours[size_t(row * (kSize / kBrickW + 1) + col)];
                // Light on the top and left edges of each brick, shade at the bottom.
                if (yIn == 0 || xIn == 0)
                    c = mix(c, kWhite, 0.28);
                else if (yIn == kBrickH - 3)
                    c = mix(c, QColor(0, 0, 0), 0.25);
                const double grain = valueNoise(x * 0.5, y * 0.5, 77, 65);
                c = c.lighter(100 + int(std::lround(grain * 6)));
            }
            img.setPixel(x, y, c.rgb());
        }
    }
    return img;
}

// Crumpled cream paper: irregular flat facets, each tilted its own way to the
// light, with soft creases where they meet. Kept light so black text reads on it.
QImage crumpledPaper()
{
    constexpr int kSize = 350;
    struct Facet {
        QPointF site;
        double shade, gx, gy;
    };
    Rng rng(0xC4EA5E);
    std::vector<Facet> facets;
    for (int i = 0; i < 60; ++i)
        facets.push_back({QPointF(rng.range(-20, kSize + 20), rng.range(-20, kSize + 20)), rng.range(-6, 6),
                          rng.range(-0.12, 0.12), rng.range(-0.12, 0.12)});
    // A few long folds across the sheet.
    struct Fold {
        double nx, ny, d, strength;
    };
    std::vector<Fold> folds;
    for (int i = 0; i < 6; ++i) {
        const double angle = rng.range(0, kPi);
        const double px = rng.range(40, kSize - 40), py = rng.range(40, kSize - 40);
        folds.push_back({std::cos(angle), std::sin(angle), std::cos(angle) * px + std::sin(angle) * py,
                         rng.range(2.0, 4.0)});
    }
    const QColor base(246, 238, 214);
    QImage img = opaqueImage(kSize, kSize, base);
    for (int y = 0; y < kSize; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < kSize; ++x) {
            // Warped coordinates make the facet borders wander like real folds.
            const double wx = x + 14.0 * fractalNoise(x / 70.0, y / 70.0, 17, 2);
            const double wy = y + 14.0 * fractalNoise(x / 70.0, y / 70.0, 29, 2);
            size_t nearest = 0;
            double d1 = 1e18, d2 = 1e18;
            for (size_t i = 0; i < facets.size(); ++i) {
                const double dx = wx - facets[i].site.x(), dy = wy - facets[i].site.y();
                const double d = dx * dx + dy * dy;
                if (d < d1) {
                    d2 = d1;
                    d1 = d;
                    nearest = i;
                } else if (d < d2) {
                    d2 = d;
                }
            }
            const Facet& f = facets[nearest];
            double shade = f.shade + f.gx * (wx - f.site.x()) + f.gy * (wy - f.site.y());
            const double edge = std::sqrt(d2) - std::sqrt(d1);  // distance to the fold, roughly doubled
            shade -= 2.0 * std::exp(-edge / 2.0);
            for (const Fold& fold : folds) {
                const double sd = fold.nx * x + fold.ny * y - fold.d;
                shade += fold.strength * std::tanh(sd / 1.5) * std::exp(-std::abs(sd) / 25.0);
            }
            shade += 3.0 * fractalNoise(x / 40.0, y / 40.0, 4242, 2);
            const double dx = (x - kSize / 2.0) / (kSize / 2.0), dy = (y - kSize / 2.0) / (kSize / 2.0);
            shade -= 4.0 * (dx * dx + dy * dy);
            shade = std::clamp(shade, -14.0, 9.0);
            row[x] = qRgb(clampByte(base.red() + shade), clampByte(base.green() + shade),
                          clampByte(base.blue() + shade * 1.15));
        }
    }
    return img;
}

// An abstract teal swirl spiralling out from the middle.
QImage tealSwirl()
{
    constexpr int kSize = 390;
    const QColor deep(8, 62, 70), mid(24, 128, 132), light(120, 208, 196);
    QImage img = opaqueImage(kSize, kSize, deep);
    const double cx = kSize * 0.5, cy = kSize * 0.5;
    for (int y = 0; y < kSize; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < kSize; ++x) {
            const double dx = x - cx, dy = y - cy;
            const double r = std::sqrt(dx * dx + dy * dy);
            const double theta = std::atan2(dy, dx);
            const double wobble = 0.6 * fractalNoise(x / 90.0, y / 90.0, 911, 2);
            // The arms fade out towards the eye so the middle stays smooth.
            const double arms = std::min(1.0, r / 70.0);
            const double phase = 3.0 * theta + r * 0.045 + wobble;
            const double v = (std::sin(phase) * arms) * 0.5 + 0.5;
            const double band = std::pow(std::sin(phase + 0.9) * 0.5 + 0.5, 6.0) * arms;
            QColor c = mix(deep, mid, v);
            c = mix(c, light, band * 0.75);
            // Darker towards the corners, lighter in the eye of the swirl.
            const double falloff = std::min(1.0, r / (kSize * 0.72));
            c = mix(c, deep, falloff * 0.35);
            c = mix(c, light, std::max(0.0, 1.0 - r / 60.0) * 0.4);
            row[x] = c.rgb();
        }
    }
    return img;
}

// ---------------------------------------------------------------- marks

QImage redCross()
{
    QImage img = transparentImage(32, 32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath lines;
    lines.moveTo(6.5, 6.5);
    lines.lineTo(25.5, 25.5);
    lines.moveTo(25.5, 6.5);
    lines.lineTo(6.5, 25.5);
    QPainterPathStroker stroker;
    stroker.setWidth(5.5);
    stroker.setCapStyle(Qt::SquareCap);
    const QPainterPath cross = stroker.createStroke(lines).simplified();
    p.setPen(QPen(QColor(110, 0, 0), 1.3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(QColor(228, 16, 16));
    p.drawPath(cross);
    return img;
}

QImage darkRedRing()
{
    QImage img = transparentImage(32, 32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(128, 0, 0), 3.4));
    p.drawEllipse(QPointF(16, 16), 13.2, 13.2);
    p.setPen(QPen(QColor(190, 40, 40), 1.0));
    p.drawEllipse(QPointF(16, 16), 13.2, 13.2);
    return img;
}

// ---------------------------------------------------------------- arrows

enum class Dir { Up, Right, Down, Left };

// Pixel-art arrows in the flat colours of small palette pictures, on an olive ground.
struct ArrowStyle {
    QRgb fill;
    QRgb fillLit;     // the half towards the top-left
    QRgb edgeLit;     // edge pixels facing top or left
    QRgb edgeShaded;  // edge pixels facing bottom or right
};

const QRgb kOlive = qRgb(128, 128, 0);

QImage pixelArrow(int across, int along, Dir dir, const ArrowStyle& style)
{
    // The arrow pointing up in an across x along box, in continuous coordinates.
    const double cx = across / 2.0;
    const double headBase = along * 0.47;
    const double headHalf = across / 2.0 - 1.0;
    const double shaftHalf = across * 0.19;
    const QPolygonF up({QPointF(cx, 1.0), QPointF(cx + headHalf, headBase), QPointF(cx + shaftHalf, headBase),
                        QPointF(cx + shaftHalf, along - 1.5), QPointF(cx - shaftHalf, along - 1.5),
                        QPointF(cx - shaftHalf, headBase), QPointF(cx - headHalf, headBase)});
    const bool vertical = dir == Dir::Up || dir == Dir::Down;
    const int w = vertical ? across : along, h = vertical ? along : across;
    QPolygonF poly;
    for (const QPointF& q : up) {
        switch (dir) {
        case Dir::Up: poly << q; break;
        case Dir::Down: poly << QPointF(q.x(), along - q.y()); break;
        case Dir::Left: poly << QPointF(q.y(), q.x()); break;
        case Dir::Right: poly << QPointF(along - q.y(), q.x()); break;
        }
    }
    auto inside = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < w && y < h && poly.containsPoint(QPointF(x + 0.5, y + 0.5), Qt::OddEvenFill);
    };
    QImage img = opaqueImage(w, h, QColor(kOlive));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (!inside(x, y))
                continue;
            const bool lit = !inside(x, y - 1) || !inside(x - 1, y);
            const bool shaded = !inside(x, y + 1) || !inside(x + 1, y);
            QRgb c;
            if (shaded)
                c = style.edgeShaded;
            else if (lit)
                c = style.edgeLit;
            else {
                const bool litHalf = vertical ? (x + 0.5 < w / 2.0) : (y + 0.5 < h / 2.0);
                c = litHalf ? style.fillLit : style.fill;
            }
            img.setPixel(x, y, c);
        }
    }
    return img;
}

std::vector<Picture> glimboArrows()
{
    const QRgb navy = qRgb(0, 0, 128), white = qRgb(255, 255, 255), black = qRgb(0, 0, 0);
    const ArrowStyle inner{qRgb(255, 0, 0), qRgb(255, 0, 255), navy, navy};  // red, magenta towards the light
    const ArrowStyle innerBlack{black, black, white, white};
    const ArrowStyle edge{qRgb(192, 192, 192), qRgb(192, 192, 192), white, navy};
    const ArrowStyle edgeBlack{black, black, white, white};
    std::vector<Picture> out;
    auto put = [&](int index, const QImage& img) {
        out.push_back({QString("pictures/Glimbo.ikona/%1.png").arg(index), img});
    };
    // Inner arrows stand on a whole 32 x 32 cell.
    auto innerCell = [](Dir dir, const ArrowStyle& style) {
        const QImage arrow = pixelArrow(24, 28, dir, style);
        QImage cell = opaqueImage(32, 32, QColor(kOlive));
        QPainter p(&cell);
        p.drawImage((32 - arrow.width()) / 2, (32 - arrow.height()) / 2, arrow);
        return cell;
    };
    const Dir innerOrder[] = {Dir::Down, Dir::Left, Dir::Up, Dir::Right};
    for (int i = 0; i < 4; ++i)
        put(46 + i, innerCell(innerOrder[i], inner));
    for (int i = 0; i < 4; ++i)
        put(50 + i, innerCell(innerOrder[i], innerBlack));
    const Dir edgeOrder[] = {Dir::Up, Dir::Right, Dir::Down, Dir::Left};
    for (int i = 0; i < 4; ++i) {
        put(55 + i, pixelArrow(23, 26, edgeOrder[i], edgeBlack));
        put(59 + i, pixelArrow(23, 26, edgeOrder[i], edge));
    }
    return out;
}

// ---------------------------------------------------------------- portholes

// The round mouth of a grey tube in a w x h box, lit from the top left.
QImage porthole(int w, int h)
{
    QImage img = transparentImage(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF outer(0.8, 0.8, w - 1.6, h - 1.6);
    QLinearGradient rim(outer.topLeft(), outer.bottomRight());
    rim.setColorAt(0.0, QColor(236, 238, 242));
    rim.setColorAt(0.5, QColor(168, 172, 180));
    rim.setColorAt(1.0, QColor(96, 100, 108));
    p.setPen(QPen(QColor(58, 60, 66), 1.1));
    p.setBrush(rim);
    p.drawEllipse(outer);
    const double inset = std::min(w, h) * 0.22;
    const QRectF hole = outer.adjusted(inset, inset, -inset, -inset);
    QLinearGradient depth(hole.topLeft(), hole.bottomRight());
    depth.setColorAt(0.0, QColor(12, 12, 16));
    depth.setColorAt(1.0, QColor(84, 88, 96));
    p.setPen(QPen(QColor(40, 42, 46), 0.8));
    p.setBrush(depth);
    p.drawEllipse(hole);
    return img;
}

// ---------------------------------------------------------------- frame

QImage frameBackground()
{
    constexpr int kW = 540, kH = 480, kTile = 36;
    QImage tile = opaqueImage(kTile, kTile, QColor(74, 98, 128));
    {
        QPainter p(&tile);
        p.setRenderHint(QPainter::Antialiasing);
        // A quiet lattice of diamonds, one shade apart from the ground.
        QPainterPath diamond;
        diamond.moveTo(kTile / 2.0, 3);
        diamond.lineTo(kTile - 3, kTile / 2.0);
        diamond.lineTo(kTile / 2.0, kTile - 3);
        diamond.lineTo(3, kTile / 2.0);
        diamond.closeSubpath();
        p.setPen(QPen(QColor(88, 114, 146), 1.2));
        p.setBrush(QColor(80, 105, 136));
        p.drawPath(diamond);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(96, 122, 154));
        for (const QPointF& c : {QPointF(0, 0), QPointF(kTile, 0), QPointF(0, kTile), QPointF(kTile, kTile)})
            p.drawEllipse(c, 2.2, 2.2);
    }
    QImage img = opaqueImage(kW, kH, QColor(74, 98, 128));
    QPainter p(&img);
    for (int y = 0; y < kH; y += kTile)
        for (int x = 0; x < kW; x += kTile)
            p.drawImage(x, y, tile);
    return img;
}

QImage frameIcon()
{
    QImage img = transparentImage(32, 32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient back(QPointF(0, 0), QPointF(32, 32));
    back.setColorAt(0.0, QColor(60, 92, 150));
    back.setColorAt(1.0, QColor(24, 40, 84));
    p.setPen(QPen(QColor(14, 22, 48), 1.0));
    p.setBrush(back);
    p.drawRoundedRect(QRectF(0.5, 0.5, 31, 31), 6, 6);
    const QColor tiles[] = {QColor(232, 52, 48), QColor(250, 200, 40), QColor(60, 180, 80), QColor(70, 150, 240)};
    for (int i = 0; i < 4; ++i) {
        const QRectF r(4.5 + (i % 2) * 12, 4.5 + (i / 2) * 12, 11, 11);
        QLinearGradient g(r.topLeft(), r.bottomRight());
        g.setColorAt(0.0, tiles[i].lighter(140));
        g.setColorAt(1.0, tiles[i].darker(120));
        p.setPen(QPen(tiles[i].darker(200), 1.0));
        p.setBrush(g);
        p.drawRoundedRect(r, 2.5, 2.5);
    }
    return img;
}

// The skin strip: two looks of a rounded button, each drawn so that its left
// cap, a middle slice and its right cap can be laid side by side at any width.
QImage buttonSkin()
{
    QImage img = opaqueImage(144, 24, QColor(222, 222, 222));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    auto look = [&](double left, double width, bool pressed) {
        const QRectF r(left + 0.5, 0.5, width - 1, 23);
        QLinearGradient face(QPointF(0, 0), QPointF(0, 24));
        if (pressed) {
            face.setColorAt(0.0, QColor(168, 186, 212));
            face.setColorAt(0.5, QColor(190, 206, 228));
            face.setColorAt(1.0, QColor(214, 226, 242));
        } else {
            face.setColorAt(0.0, QColor(253, 254, 255));
            face.setColorAt(0.48, QColor(232, 238, 246));
            face.setColorAt(0.52, QColor(220, 228, 240));
            face.setColorAt(1.0, QColor(196, 210, 230));
        }
        p.setPen(QPen(pressed ? QColor(60, 78, 108) : QColor(92, 112, 142), 1.0));
        p.setBrush(face);
        p.drawRoundedRect(r, 4, 4);
        p.setBrush(Qt::NoBrush);
        if (pressed) {
            // Inner shadow along the top: the face is pushed in.
            p.setPen(QPen(QColor(120, 140, 170), 1.0));
            p.drawLine(QPointF(left + 4, 1.5), QPointF(left + width - 4, 1.5));
        } else {
            p.setPen(QPen(QColor(255, 255, 255, 210), 1.0));
            p.drawLine(QPointF(left + 4, 1.5), QPointF(left + width - 4, 1.5));
        }
    };
    // Normal: left cap x 0..14, middle slice x 15..29, right cap x 55..70.
    look(0, 71, false);
    // Pressed: left cap x 72..86, middle slice x 83..97, right cap x 128..143.
    look(72, 72, true);
    return img;
}

}  // namespace

std::vector<Picture> makeLibraryPictures()
{
    std::vector<Picture> out;
    auto put = [&](const QString& path, const QImage& img) { out.push_back({path, img}); };

    put("pictures/Uzorak/7.png", motifTile(ucs4(U"\U0001F525"), QColor(255, 244, 200), QColor(150, 30, 10)));
    put("pictures/Uzorak/8.png", motifTile(ucs4(U"\U0001F4B0"), kWhite, QColor(244, 214, 120)));
    put("pictures/Uzorak/9.png", motifTile(ucs4(U"\U0001F423"), kWhite, QColor(255, 188, 208)));
    put("pictures/Uzorak/10.png", fallingWeight());

    put("pictures/Picture2.png", motifTile(ucs4(U"\U0001F4A3"), kWhite, kHelperEdge));
    put("pictures/Picture3.png", ladder(true));
    put("pictures/Picture4.png", ladder(false));
    put("pictures/Picture5.png", motifTile(ucs4(U"\u2764\uFE0F"), kWhite, kHelperEdge));
    put("pictures/Picture7.png", rotateButton(false));
    put("pictures/Picture8.png", rotateButton(true));
    put("pictures/Tumo.Picture6.png", flipButton(Qt::Vertical, 12.5));

    put("pictures/lova.png", cashPanel());
    put("pictures/kosta.png", brickWall());
    put("pictures/Picture13.png", crumpledPaper());
    put("pictures/Faunix.Picture.png", tealSwirl());

    put("pictures/Brenx.ikona/51.png", redCross());
    put("pictures/Brenx.ikona/52.png", darkRedRing());
    for (Picture& arrow : glimboArrows())
        out.push_back(std::move(arrow));
    put("pictures/Holmo.otvorg/0.png", porthole(30, 20));
    put("pictures/Holmo.otvorh/0.png", porthole(20, 30));
    return out;
}

std::vector<Picture> makeFramePictures()
{
    return {
        {"pictures/frame/background.png", frameBackground()},
        {"pictures/frame/icon.png", frameIcon()},
        {"pictures/button_skin.png", buttonSkin()},
    };
}

}  // namespace assetgen
