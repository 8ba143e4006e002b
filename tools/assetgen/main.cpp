// vpk-assetgen: writes every picture and sound that the pack embeds.
//
//   vpk-assetgen [--sheet FILE] [OUTPUT_FOLDER]
//
// OUTPUT_FOLDER receives pictures/, sounds/ and NOTICE; --sheet writes a contact
// sheet of the theme pictures. The output is the same on every run.
#include "generator.h"
#include "glyphs.h"
#include "raster.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>

namespace {

const char* const kNotice =
    "Pictures and sounds of VantixPack\n"
    "==================================\n"
    "\n"
    "Every file under pictures/ and sounds/ is made by the project's own generator,\n"
    "tools/assetgen (run `make assets`). The sounds are synthesized by it; the\n"
    "pictures are drawn by it with Qt's QPainter, in part from the glyphs of two\n"
    "fonts of Debian:\n"
    "\n"
    "- The theme pictures (pictures/<theme>/*.png), the effect pictures\n"
    "  (pictures/Uzorak/*.png, but for the falling weight of 10.png), the bomb\n"
    "  and heart helper pictures (pictures/Picture2.png, pictures/Picture5.png),\n"
    "  the die of Klevo's random image button (pictures/Form1/Picture12.png) and\n"
    "  the motifs of Lobbo's blocks other than the letters\n"
    "  (pictures/Form23/block7.png to block14.png) are\n"
    "  rendered from Noto Color Emoji (Debian package fonts-noto-color-emoji),\n"
    "  Copyright 2013-2017 Google Inc., licensed under the SIL Open Font License,\n"
    "  Version 1.1 (https://openfontlicense.org). The pictures are documents made\n"
    "  with the font, not the font itself; the font is not part of VantixPack.\n"
    "\n"
    "- The chess pieces (pictures/Rookwell.figure.png and its mask\n"
    "  pictures/CtrlPanel.m_ppic.png) are rendered from the chess glyphs of\n"
    "  DejaVu Sans (Debian package fonts-dejavu-core), Copyright (c) 2003 by\n"
    "  Bitstream, Inc. (Bitstream Vera licence) with changes by the DejaVu\n"
    "  authors in the public domain.\n";

bool writeIfChanged(const QString& path, const QByteArray& bytes)
{
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == bytes)
        return true;
    existing.close();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "vpk-assetgen: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

int usage()
{
    std::fprintf(stderr, "usage: vpk-assetgen [--sheet FILE] [OUTPUT_FOLDER]\n");
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    // Always offscreen: a display's font settings must not change the output.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QString outDir, sheetFile;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == "--sheet" && i + 1 < args.size())
            sheetFile = args[++i];
        else if (!args[i].startsWith("-") && outDir.isEmpty())
            outDir = args[i];
        else
            return usage();
    }
    if (outDir.isEmpty() && sheetFile.isEmpty())
        return usage();

    assetgen::loadFonts();
    const std::vector<assetgen::Theme> themes = assetgen::makeThemes();

    bool ok = true;
    int written = 0;
    if (!outDir.isEmpty()) {
        const QDir root(outDir);
        auto put = [&](const QString& rel, const QByteArray& bytes) {
            ok = writeIfChanged(root.filePath(rel), bytes) && ok;
            ++written;
        };
        for (const assetgen::Theme& theme : themes)
            for (size_t i = 0; i < theme.pictures.size(); ++i)
                put(QString("pictures/%1/%2.png").arg(theme.set).arg(i),
                    assetgen::encodePng(theme.pictures[i]));
        for (auto maker : {assetgen::makeLibraryPictures, assetgen::makeChessPictures,
                           assetgen::makeFramePictures,
                           assetgen::makeWindowPictures})
            for (const assetgen::Picture& picture : maker())
                put(picture.path, assetgen::encodePng(picture.image));
        for (const assetgen::Sound& sound : assetgen::makeSounds())
            put(sound.path, sound.bytes);
        put("NOTICE", QByteArray(kNotice));
        std::printf("vpk-assetgen: %d files in %s\n", written, qPrintable(root.absolutePath()));
    }
    if (!sheetFile.isEmpty()) {
        ok = writeIfChanged(sheetFile, assetgen::encodePng(assetgen::makeThemeSheet(themes))) && ok;
        std::printf("vpk-assetgen: contact sheet %s\n", qPrintable(sheetFile));
    }
    return ok ? 0 : 1;
}
