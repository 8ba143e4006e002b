#include "glyphs.h"

#include "raster.h"

#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QPainter>
#include <QRawFont>

#include <cstdio>
#include <cstdlib>

namespace assetgen {

namespace {

const char* const kEmojiFile = "/usr/share/fonts/truetype/noto/NotoColorEmoji.ttf";
const char* const kDejaVuFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const char* const kDejaVuBoldFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

// The colour bitmaps of the emoji font are stored at this size; drawing at it
// avoids any rescaling inside the font engine.
constexpr int kEmojiNativePx = 109;

QString g_emojiFamily;
QString g_labelFamily;

QString addFont(const char* path, const char* package)
{
    if (!QFile::exists(QString::fromLatin1(path))) {
        std::fprintf(stderr, "vpk-assetgen: %s is missing (apt-get install %s)\n", path, package);
        std::exit(2);
    }
    const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(path));
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) {
        std::fprintf(stderr, "vpk-assetgen: cannot load %s\n", path);
        std::exit(2);
    }
    return families.first();
}

QRawFont& emojiRaw()
{
    // Never destroyed: a font engine must not outlive the application object.
    static QRawFont* raw = new QRawFont(QString::fromLatin1(kEmojiFile), kEmojiNativePx);
    return *raw;
}

// Unhinted whatever the system's font settings say: they would move the outlines' points.
QRawFont& dejavuRaw(bool bold = false)
{
    static QRawFont* raw = new QRawFont(QString::fromLatin1(kDejaVuFile), 64, QFont::PreferNoHinting);
    static QRawFont* rawBold = new QRawFont(QString::fromLatin1(kDejaVuBoldFile), 64, QFont::PreferNoHinting);
    return bold ? *rawBold : *raw;
}

}  // namespace

void loadFonts()
{
    g_emojiFamily = addFont(kEmojiFile, "fonts-noto-color-emoji");
    g_labelFamily = addFont(kDejaVuFile, "fonts-dejavu-core");
    if (!emojiRaw().isValid() || !dejavuRaw().isValid() || !dejavuRaw(true).isValid()) {
        std::fprintf(stderr, "vpk-assetgen: cannot open the fonts\n");
        std::exit(2);
    }
    // The emoji are drawn by family name; another font of that name on the system (a newer copy
    // in a home folder) would change every motif.
    QFont emoji(g_emojiFamily);
    emoji.setPixelSize(kEmojiNativePx);
    if (QRawFont::fromFont(emoji).fontTable("head") != emojiRaw().fontTable("head")) {
        std::fprintf(stderr, "vpk-assetgen: another font named %s answers instead of %s\n",
                     qPrintable(g_emojiFamily), kEmojiFile);
        std::exit(2);
    }
}

QString labelFamily()
{
    return g_labelFamily;
}

QImage emojiImage(const QString& text)
{
    const QList<uint> codepoints = text.toUcs4();
    if (codepoints.isEmpty() || !emojiRaw().supportsCharacter(char32_t(codepoints.first()))) {
        std::fprintf(stderr, "vpk-assetgen: the emoji font has no glyph for U+%04X\n",
                     codepoints.isEmpty() ? 0u : codepoints.first());
        std::exit(3);
    }
    QImage canvas = transparentImage(4 * kEmojiNativePx / 2, 4 * kEmojiNativePx / 2);
    {
        QPainter p(&canvas);
        QFont font(g_emojiFamily);
        font.setPixelSize(kEmojiNativePx);
        font.setStyleStrategy(QFont::NoFontMerging);
        p.setFont(font);
        p.drawText(canvas.rect(), Qt::AlignCenter, text);
    }
    QImage cropped = cropToAlpha(canvas, 8);
    if (cropped.isNull()) {
        std::fprintf(stderr, "vpk-assetgen: the emoji U+%04X rendered nothing\n", codepoints.first());
        std::exit(3);
    }
    return cropped;
}

QImage emojiFitted(const QString& text, int w, int h)
{
    const QImage fitted = fitInto(emojiImage(text), w, h);
    QImage out = transparentImage(w, h);
    QPainter p(&out);
    p.drawImage((w - fitted.width()) / 2, (h - fitted.height()) / 2, fitted);
    return out;
}

QPainterPath dejavuGlyphPath(char32_t codepoint, double pixelSize)
{
    QRawFont& raw = dejavuRaw();
    raw.setPixelSize(pixelSize);
    const QList<quint32> glyphs = raw.glyphIndexesForString(QString::fromUcs4(&codepoint, 1));
    if (glyphs.isEmpty() || glyphs.first() == 0) {
        std::fprintf(stderr, "vpk-assetgen: DejaVu Sans has no glyph for U+%04X\n", unsigned(codepoint));
        std::exit(3);
    }
    return raw.pathForGlyph(glyphs.first());
}

QPainterPath dejavuTextPath(const QString& text, double pixelSize, bool bold)
{
    QRawFont& raw = dejavuRaw(bold);
    raw.setPixelSize(pixelSize);
    const QList<quint32> glyphs = raw.glyphIndexesForString(text);
    const QList<QPointF> advances = raw.advancesForGlyphIndexes(glyphs);
    QPainterPath path;
    QPointF pen(0, 0);
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        path.addPath(raw.pathForGlyph(glyphs[i]).translated(pen));
        pen += advances[i];
    }
    return path;
}

}  // namespace assetgen
