// Access to the two fonts the generator draws from: Noto Color Emoji for the
// motifs and DejaVu Sans for the chess pieces and the contact sheet's labels.
#pragma once

#include <QImage>
#include <QPainterPath>
#include <QString>

namespace assetgen {

// Loads both fonts from their Debian paths; exits with a message when one is missing.
void loadFonts();

QString labelFamily();

// The emoji `text` (one emoji, possibly with a variation selector) in colour,
// cropped to its visible pixels, at the font's native bitmap size.
QImage emojiImage(const QString& text);

// The emoji fitted into a box of w x h pixels (aspect kept, smooth scaling),
// on a transparent ground.
QImage emojiFitted(const QString& text, int w, int h);

// The outline of one DejaVu Sans glyph at the given pixel size, origin on the baseline.
QPainterPath dejavuGlyphPath(char32_t codepoint, double pixelSize);

// A line of DejaVu Sans text as an outline (unhinted, so the same everywhere),
// starting at the origin on the baseline.
QPainterPath dejavuTextPath(const QString& text, double pixelSize, bool bold = false);

}  // namespace assetgen
