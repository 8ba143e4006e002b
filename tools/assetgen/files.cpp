// Every file of the output folder, as the generator writes it and as the test compares it.
#include "generator.h"
#include "raster.h"

namespace assetgen {

namespace {

const char* const kNotice =
    "Pictures and sounds of VantixPack\n"
    "==================================\n"
    "\n"
    "Every file under pictures/ and sounds/ is made by the project's own generator,\n"
    "tools/assetgen (run `make assets`). The sounds are synthesized by it; the\n"
    "pictures are drawn by it with Qt's QPainter, in part from the glyphs of the\n"
    "fonts of two Debian packages:\n"
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
    "  pictures/CtrlPanel.m_ppic.png) and Equin's knights (pictures/Form26/)\n"
    "  are rendered from the chess glyphs of DejaVu Sans, and every text the\n"
    "  pictures show (the titles, the labels of buttons and of the falling\n"
    "  weight, Smylo's numbers, Lobbo's letters, Holmo's question mark) from\n"
    "  DejaVu Sans Bold (Debian package fonts-dejavu-core), Copyright (c) 2003 by\n"
    "  Bitstream, Inc. (Bitstream Vera licence) with changes by the DejaVu\n"
    "  authors in the public domain.\n";

}  // namespace

std::vector<File> makeAssetFiles(const std::vector<Theme>& themes)
{
    std::vector<File> out;
    for (const Theme& theme : themes)
        for (size_t i = 0; i < theme.pictures.size(); ++i)
            out.push_back({QString("pictures/%1/%2.png").arg(theme.set).arg(i), encodePng(theme.pictures[i])});
    for (auto maker : {makeLibraryPictures, makeChessPictures, makeFramePictures, makeWindowPictures})
        for (const Picture& picture : maker())
            out.push_back({picture.path, encodePng(picture.image)});
    for (Sound& sound : makeSounds())
        out.push_back({sound.path, std::move(sound.bytes)});
    out.push_back({QStringLiteral("NOTICE"), QByteArray(kNotice)});
    return out;
}

}  // namespace assetgen
