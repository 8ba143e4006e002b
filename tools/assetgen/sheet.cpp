// Contact sheet: every theme picture at 4:1 beside its set name and caption,
// for looking the motifs over.
#include "generator.h"
#include "glyphs.h"

#include <QFont>
#include <QPainter>

#include <algorithm>

namespace assetgen {

QImage makeThemeSheet(const std::vector<Theme>& themes)
{
    constexpr int kScale = 4;
    constexpr int kCell = 32 * kScale;
    constexpr int kGap = 10;
    constexpr int kLabelWidth = 190;
    constexpr int kIndexHeight = 18;
    size_t columns = 0;
    for (const Theme& t : themes)
        columns = std::max(columns, t.pictures.size());
    const int rowHeight = kCell + kIndexHeight + kGap;
    const int width = kLabelWidth + int(columns) * (kCell + kGap) + kGap;
    const int height = int(themes.size()) * rowHeight + kGap;

    QImage sheet(width, height, QImage::Format_RGB32);
    sheet.fill(QColor(250, 250, 250));
    QPainter p(&sheet);
    QFont nameFont(labelFamily());
    nameFont.setPixelSize(20);
    nameFont.setBold(true);
    QFont smallFont(labelFamily());
    smallFont.setPixelSize(14);

    for (size_t row = 0; row < themes.size(); ++row) {
        const Theme& theme = themes[row];
        const int top = kGap + int(row) * rowHeight;
        p.setPen(QColor(20, 20, 20));
        p.setFont(nameFont);
        p.drawText(QRect(kGap, top + kCell / 2 - 30, kLabelWidth - kGap, 28),
                   Qt::AlignLeft | Qt::AlignVCenter, theme.set);
        p.setFont(smallFont);
        p.setPen(QColor(90, 90, 90));
        p.drawText(QRect(kGap, top + kCell / 2 + 2, kLabelWidth - kGap, 22),
                   Qt::AlignLeft | Qt::AlignVCenter, "\"" + theme.caption + "\"");
        for (size_t i = 0; i < theme.pictures.size(); ++i) {
            const int left = kLabelWidth + int(i) * (kCell + kGap);
            // Nearest-pixel enlargement shows the pictures as the games will.
            p.drawImage(QRect(left, top, kCell, kCell), theme.pictures[i]);
            p.drawText(QRect(left, top + kCell, kCell, kIndexHeight), Qt::AlignCenter,
                       QString::number(i));
        }
    }
    return sheet;
}

}  // namespace assetgen
