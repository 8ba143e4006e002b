// The asset generator's picture and sound makers.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>

#include <vector>

namespace assetgen {

// One generated picture; `path` is relative to the output folder ("pictures/cartoon/0.png").
struct Picture {
    QString path;
    QImage image;
};

// One file of the output folder; `path` is relative to it. A sound is one such file.
struct File {
    QString path;
    QByteArray bytes;
};
using Sound = File;

// A theme: its set name, its menu caption and its pictures (0..5, sport 0..6).
struct Theme {
    QString set;
    QString caption;
    std::vector<QImage> pictures;
};

std::vector<Theme> makeThemes();
std::vector<Picture> makeLibraryPictures();   // effect, helper, panels, marks, arrows, portholes
std::vector<Picture> makeChessPictures();     // the piece strip and its mask
std::vector<Picture> makeFramePictures();     // frame background, icon, button skin
std::vector<Sound> makeSounds();

// Pictures of one game window (its own buttons, cells, pointers, banners). Each window's
// maker lives in its own win_<game>.cpp and registers itself with a static initialiser;
// paths are "pictures/<window>/<name>.png".
using PictureMaker = std::vector<Picture> (*)();
bool registerWindowPictures(const char* window, PictureMaker maker);
std::vector<Picture> makeWindowPictures();  // every registered window, in name order

// A 32 x 32 opaque tile: the emoji on a round gradient from `centre` to `edge`.
QImage motifTile(const QString& emoji, const QColor& centre, const QColor& edge);

// Every file the generator writes: the themes' and every other picture as PNG, the sounds and
// NOTICE, in a fixed order.
std::vector<File> makeAssetFiles(const std::vector<Theme>& themes);

// The contact sheet of all theme pictures at 4:1 with their set names.
QImage makeThemeSheet(const std::vector<Theme>& themes);

}  // namespace assetgen
