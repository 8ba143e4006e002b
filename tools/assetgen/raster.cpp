#include "raster.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <cmath>

#include <QBuffer>
#include <QImageWriter>

#include <algorithm>
#include <cmath>

namespace assetgen {

uint64_t Rng::next()
{
    // splitmix64
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Rng::uniform()
{
    return double(next() >> 11) * (1.0 / 9007199254740992.0);
}

namespace {

double latticeValue(int ix, int iy, uint32_t seed)
{
    uint32_t h = uint32_t(ix) * 374761393u + uint32_t(iy) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return double(h & 0xFFFFFF) / double(0x800000) - 1.0;
}

double smooth(double t) { return t * t * (3.0 - 2.0 * t); }

int wrap(int v, int period)
{
    if (period <= 0)
        return v;
    v %= period;
    return v < 0 ? v + period : v;
}

}  // namespace

double valueNoise(double x, double y, uint32_t seed, int period)
{
    const double fx = std::floor(x), fy = std::floor(y);
    const int x0 = int(fx), y0 = int(fy);
    const double tx = smooth(x - fx), ty = smooth(y - fy);
    const double a = latticeValue(wrap(x0, period), wrap(y0, period), seed);
    const double b = latticeValue(wrap(x0 + 1, period), wrap(y0, period), seed);
    const double c = latticeValue(wrap(x0, period), wrap(y0 + 1, period), seed);
    const double d = latticeValue(wrap(x0 + 1, period), wrap(y0 + 1, period), seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

double fractalNoise(double x, double y, uint32_t seed, int octaves, int period)
{
    double sum = 0, amp = 1, norm = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * valueNoise(x, y, seed + uint32_t(o) * 101u, period);
        norm += amp;
        amp *= 0.5;
        x *= 2;
        y *= 2;
        if (period > 0)
            period *= 2;
    }
    return sum / norm;
}

int clampByte(double v)
{
    return std::clamp(int(std::lround(v)), 0, 255);
}

QColor mix(const QColor& a, const QColor& b, double t)
{
    return QColor(clampByte(a.red() + (b.red() - a.red()) * t),
                  clampByte(a.green() + (b.green() - a.green()) * t),
                  clampByte(a.blue() + (b.blue() - a.blue()) * t));
}

QRgb mixRgb(QRgb a, QRgb b, double t)
{
    return qRgb(clampByte(qRed(a) + (qRed(b) - qRed(a)) * t),
                clampByte(qGreen(a) + (qGreen(b) - qGreen(a)) * t),
                clampByte(qBlue(a) + (qBlue(b) - qBlue(a)) * t));
}

QImage opaqueImage(int w, int h, const QColor& fill)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(fill);
    return img;
}

QImage haloPointer(const QPainterPath& shape, const QColor& ink, const PointerStyle& s)
{
    QImage img = transparentImage(32, 32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const Qt::PenJoinStyle join = s.roundJoin ? Qt::RoundJoin : Qt::BevelJoin;
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, s.haloAlpha), s.halo, Qt::SolidLine, Qt::RoundCap, join));
    p.drawPath(shape);
    p.setPen(QPen(ink, s.ink, Qt::SolidLine, Qt::RoundCap, join));
    p.drawPath(shape);
    if (s.dot > 0) {
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawEllipse(QPointF(16, 16), s.dot, s.dot);
    }
    return img;
}

QImage transparentImage(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

QImage unpremultiplied(const QImage& image)
{
    if (image.format() == QImage::Format_ARGB32)
        return image;
    const QImage pm = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage out(pm.size(), QImage::Format_ARGB32);
    for (int y = 0; y < pm.height(); ++y) {
        const QRgb* from = reinterpret_cast<const QRgb*>(pm.constScanLine(y));
        QRgb* to = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < pm.width(); ++x) {
            const int a = qAlpha(from[x]);
            const auto channel = [a](int c) { return std::min(255, (c * 255 + a / 2) / a); };
            to[x] = a == 0     ? 0u
                    : a == 255 ? from[x]
                               : qRgba(channel(qRed(from[x])), channel(qGreen(from[x])), channel(qBlue(from[x])), a);
        }
    }
    out.setDotsPerMeterX(image.dotsPerMeterX());
    out.setDotsPerMeterY(image.dotsPerMeterY());
    for (const QString& key : image.textKeys())
        out.setText(key, image.text(key));
    return out;
}

QByteArray encodePng(const QImage& image)
{
    QImage out;
    if (image.format() == QImage::Format_Mono || image.format() == QImage::Format_MonoLSB)
        out = image.convertToFormat(QImage::Format_Mono);
    else if (image.hasAlphaChannel())
        out = unpremultiplied(image);
    else
        out = image.convertToFormat(QImage::Format_RGB32);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setQuality(0);  // strongest compression
    if (!writer.write(out))
        qFatal("PNG encoding failed: %s", qPrintable(writer.errorString()));
    return bytes;
}

QImage fitInto(const QImage& source, int w, int h)
{
    if (source.isNull())
        return source;
    return source.scaled(w, h, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QImage cropToAlpha(const QImage& source, int threshold)
{
    const QImage img = source.convertToFormat(QImage::Format_ARGB32);
    int x0 = img.width(), y0 = img.height(), x1 = -1, y1 = -1;
    for (int y = 0; y < img.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            if (qAlpha(row[x]) > threshold) {
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y);
            }
        }
    }
    if (x1 < 0)
        return QImage();
    return source.copy(x0, y0, x1 - x0 + 1, y1 - y0 + 1);
}

QPointF onCircle(const QPointF& c, double r, double deg)
{
    const double a = deg * 3.14159265358979323846 / 180.0;
    return QPointF(c.x() + r * std::cos(a), c.y() - r * std::sin(a));
}

// An arc of a circle (angles counterclockwise from three o'clock, as on screen)
// ending in an arrow head that points along the sweep.
QPainterPath circularArrow(const QPointF& c, double r, double startDeg, double sweepDeg, double width)
{
    QPainterPath arc;
    const QRectF box(c.x() - r, c.y() - r, 2 * r, 2 * r);
    arc.arcMoveTo(box, startDeg);
    arc.arcTo(box, startDeg, sweepDeg);
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::FlatCap);
    QPainterPath shape = stroker.createStroke(arc);

    const double end = startDeg + sweepDeg;
    const QPointF tip0 = onCircle(c, r, end);
    const double dir = sweepDeg > 0 ? 1.0 : -1.0;
    const double a = end * 3.14159265358979323846 / 180.0;
    const QPointF tangent(-std::sin(a) * dir, -std::cos(a) * dir);
    const QPointF normal(std::cos(a), -std::sin(a));
    const double half = width * 1.35;
    QPainterPath head;
    head.moveTo(tip0 + tangent * (width * 1.9));
    head.lineTo(tip0 + normal * half - tangent * 0.6);
    head.lineTo(tip0 - normal * half - tangent * 0.6);
    head.closeSubpath();
    return shape.united(head);
}

void buttonFace(QPainter& p, int w, int h)
{
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient face(QPointF(0, 0), QPointF(0, h));
    face.setColorAt(0.0, QColor(252, 253, 255));
    face.setColorAt(0.5, QColor(232, 237, 244));
    face.setColorAt(1.0, QColor(198, 208, 222));
    p.setPen(QPen(QColor(96, 110, 132), 1.0));
    p.setBrush(face);
    p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 4, 4);
    p.setPen(QPen(QColor(255, 255, 255, 200), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(1.5, 1.5, w - 3, h - 3), 3, 3);
}

void drawArrowShape(QPainter& p, const QPainterPath& shape)
{
    QLinearGradient fill(QPointF(0, 4), QPointF(0, 28));
    fill.setColorAt(0.0, QColor(70, 140, 235));
    fill.setColorAt(1.0, QColor(20, 80, 180));
    p.setPen(QPen(QColor(10, 40, 100), 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(shape.simplified());
}

QImage flipButton(Qt::Orientation orientation, double halfLength)
{
    QImage img = opaqueImage(40, 32, QColor(220, 226, 234));
    QPainter p(&img);
    buttonFace(p, 40, 32);
    // The outline along the arrow and across it: heads 8 long and 16 wide, a shaft 4.4 wide.
    const double head = halfLength - 8, wing = 8, shaft = 2.2;
    const QPointF outline[] = {{-halfLength, 0}, {-head, -wing}, {-head, -shaft}, {head, -shaft}, {head, -wing},
                               {halfLength, 0},  {head, wing},   {head, shaft},   {-head, shaft}, {-head, wing}};
    const QPointF centre(20, 16);
    QPainterPath arrow;
    for (const QPointF& q : outline) {
        const QPointF at = centre + (orientation == Qt::Horizontal ? q : QPointF(q.y(), q.x()));
        if (arrow.elementCount() == 0)
            arrow.moveTo(at);
        else
            arrow.lineTo(at);
    }
    arrow.closeSubpath();
    drawArrowShape(p, arrow);
    return img;
}

}  // namespace assetgen
