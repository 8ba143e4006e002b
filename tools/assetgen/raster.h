// Small drawing helpers shared by the picture makers.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QString>

#include <cstdint>

namespace assetgen {

// A fixed-seed generator: every run of the generator draws the same numbers.
class Rng {
public:
    explicit Rng(uint64_t seed) : state_(seed) {}
    uint64_t next();
    double uniform();                       // [0, 1)
    double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    int below(int n) { return int(next() % uint64_t(n)); }

private:
    uint64_t state_;
};

// Smooth lattice noise in [-1, 1], tileable with the given period (in lattice cells).
double valueNoise(double x, double y, uint32_t seed, int period = 0);
// Sum of octaves of valueNoise, roughly in [-1, 1].
double fractalNoise(double x, double y, uint32_t seed, int octaves, int period = 0);

QColor mix(const QColor& a, const QColor& b, double t);
QRgb mixRgb(QRgb a, QRgb b, double t);
int clampByte(double v);

QImage opaqueImage(int w, int h, const QColor& fill);       // RGB32
QImage transparentImage(int w, int h);                     // ARGB32 premultiplied, all clear

// The picture with straight alpha, divided exactly. Qt's own conversion divides with the
// processor's approximate reciprocal where it can, which left edge pixels one level apart
// from one machine to another.
QImage unpremultiplied(const QImage& image);

// Encodes a picture as PNG bytes: opaque pictures without an alpha channel,
// transparent ones with it, the 1-bit mask as a 1-bit picture.
QByteArray encodePng(const QImage& image);

// Scales `source` to fit inside w x h keeping its aspect ratio (smooth).
QImage fitInto(const QImage& source, int w, int h);
// Crops to the bounding box of pixels with alpha above `threshold`.
QImage cropToAlpha(const QImage& source, int threshold = 0);

// The point at `deg` degrees (counterclockwise from three o'clock, as on screen) on a circle.
QPointF onCircle(const QPointF& c, double r, double deg);
// The face of the 40 x 32 buttons (turns, flips), so that every such button looks alike.
void buttonFace(QPainter& p, int w, int h);
// Fills an arrow shape in the buttons' blue.
void drawArrowShape(QPainter& p, const QPainterPath& shape);
// A 40 x 32 flip button: the button face with a double arrow through its middle, each tip
// `halfLength` from the centre, up and down (Qt::Vertical) or side to side.
QImage flipButton(Qt::Orientation orientation, double halfLength);
// A window's mouse pointer, 32 x 32 with its hot spot in the middle: `shape` stroked in `ink`
// over a light halo (readable on dark and light pictures), with a dot at the hot spot.
struct PointerStyle {
    double ink = 1.8, halo = 4.0;  // stroke widths
    int haloAlpha = 255;
    double dot = 0;                // radius of the dot at the centre, 0 for none
    bool roundJoin = false;
};
QImage haloPointer(const QPainterPath& shape, const QColor& ink, const PointerStyle& style = {});
// An arc of a circle ending in an arrow head that points along the sweep.
QPainterPath circularArrow(const QPointF& c, double r, double startDeg, double sweepDeg, double width);

}  // namespace assetgen
