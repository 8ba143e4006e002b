// The chess-piece strip and its one-bit mask. Two rows (white, black) of six
// cells (pawn, knight, bishop, rook, queen, king), 32 x 32 but the last 31 wide.
//
// The strip's ground is near-white (254, 254, 254): the chess board draws a
// piece by AND-ing the strip cell onto the board and OR-ing the masked strip,
// which leaves the board as it was wherever the ground lies. A pixel belongs
// to a piece (mask white) exactly when its colour differs from the ground.
#include "generator.h"
#include "glyphs.h"
#include "raster.h"

#include <QPainter>

#include <array>
#include <vector>

namespace assetgen {

namespace {

constexpr int kSuper = 8;  // supersampling factor per axis
const QRgb kGround = qRgb(254, 254, 254);
const QRgb kMarker = qRgb(0, 255, 0);        // not yet classified, at high resolution
const QRgb kWhiteFill = qRgb(250, 245, 228);
const QRgb kWhiteLine = qRgb(28, 26, 24);
const QRgb kBlackFill = qRgb(34, 34, 40);
const QRgb kBlackDetail = qRgb(176, 176, 184);

// Column order of the strip; offsets from U+2654 (white king) / U+265A (black king).
constexpr std::array<int, 6> kGlyphOffset = {5, 4, 3, 2, 1, 0};

// Marks every marker pixel reachable from the border through marker pixels.
std::vector<bool> outsideOf(const QImage& hi)
{
    const int w = hi.width(), h = hi.height();
    std::vector<bool> outside(size_t(w * h), false);
    std::vector<int> stack;
    auto push = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= h)
            return;
        const size_t i = size_t(y * w + x);
        if (outside[i] || hi.pixel(x, y) != kMarker)
            return;
        outside[i] = true;
        stack.push_back(int(i));
    };
    for (int x = 0; x < w; ++x) {
        push(x, 0);
        push(x, h - 1);
    }
    for (int y = 0; y < h; ++y) {
        push(0, y);
        push(w - 1, y);
    }
    while (!stack.empty()) {
        const int i = stack.back();
        stack.pop_back();
        const int x = i % w, y = i / w;
        push(x + 1, y);
        push(x - 1, y);
        push(x, y + 1);
        push(x, y - 1);
    }
    return outside;
}

struct Cell {
    QImage sprite;  // RGB32, cellW x 32
    QImage mask;    // true where the piece is
};

Cell renderPiece(int column, bool black, double pixelSize, int cellW)
{
    const char32_t code = (black ? 0x265A : 0x2654) + char32_t(kGlyphOffset[size_t(column)]);
    QPainterPath path = dejavuGlyphPath(code, pixelSize * kSuper);
    const QRectF box = path.boundingRect();
    // Centred across the cell; every piece stands on the same line near the bottom.
    path.translate(cellW * kSuper / 2.0 - box.center().x(), 30.5 * kSuper - box.bottom());

    QImage hi(cellW * kSuper, 32 * kSuper, QImage::Format_RGB32);
    hi.fill(kMarker);
    {
        QPainter p(&hi);
        p.setPen(black ? QPen(QColor(kBlackFill), 0.35 * kSuper) : QPen(QColor(kWhiteLine), 0.45 * kSuper));
        p.setBrush(QColor(black ? kBlackFill : kWhiteLine));
        p.drawPath(path);
    }
    const std::vector<bool> outside = outsideOf(hi);
    // Enclosed ground is the piece's body (white pieces) or its light details (black ones).
    for (int y = 0; y < hi.height(); ++y)
        for (int x = 0; x < hi.width(); ++x)
            if (!outside[size_t(y * hi.width() + x)] && hi.pixel(x, y) == kMarker)
                hi.setPixel(x, y, black ? kBlackDetail : kWhiteFill);

    Cell cell{QImage(cellW, 32, QImage::Format_RGB32), QImage(cellW, 32, QImage::Format_RGB32)};
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < cellW; ++x) {
            int count = 0, r = 0, g = 0, b = 0;
            for (int sy = 0; sy < kSuper; ++sy) {
                for (int sx = 0; sx < kSuper; ++sx) {
                    const int hx = x * kSuper + sx, hy = y * kSuper + sy;
                    if (outside[size_t(hy * hi.width() + hx)])
                        continue;
                    const QRgb c = hi.pixel(hx, hy);
                    ++count;
                    r += qRed(c);
                    g += qGreen(c);
                    b += qBlue(c);
                }
            }
            // A pixel is the piece's when at least half of it is covered: hard
            // silhouette edges, smooth detail inside.
            const bool piece = 2 * count >= kSuper * kSuper;
            cell.sprite.setPixel(x, y, piece ? qRgb(r / count, g / count, b / count) : kGround);
            cell.mask.setPixel(x, y, piece ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
        }
    }
    return cell;
}

}  // namespace

std::vector<Picture> makeChessPictures()
{
    // One size for all glyphs, so that the king is the tallest piece and fills the cell.
    const QRectF kingBox = dejavuGlyphPath(0x265A, 100.0).boundingRect();
    const double pixelSize = 100.0 * 28.0 / kingBox.height();

    QImage strip(191, 64, QImage::Format_RGB32);
    strip.fill(kGround);
    QImage mask(191, 64, QImage::Format_Mono);
    mask.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    mask.fill(0);
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 6; ++column) {
            const int cellW = column == 5 ? 31 : 32;
            const Cell cell = renderPiece(column, row == 1, pixelSize, cellW);
            for (int y = 0; y < 32; ++y) {
                for (int x = 0; x < cellW; ++x) {
                    strip.setPixel(column * 32 + x, row * 32 + y, cell.sprite.pixel(x, y));
                    mask.setPixel(column * 32 + x, row * 32 + y, qRed(cell.mask.pixel(x, y)) ? 1 : 0);
                }
            }
        }
    }
    return {{"pictures/Rookwell.figure.png", strip}, {"pictures/CtrlPanel.m_ppic.png", mask}};
}

}  // namespace assetgen
