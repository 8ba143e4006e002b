// vpk-assetgen: writes every picture and sound that the pack embeds.
//
//   vpk-assetgen [--sheet FILE] [OUTPUT_FOLDER]
//
// OUTPUT_FOLDER receives pictures/, sounds/ and NOTICE; --sheet writes a contact
// sheet of the theme pictures. The output is the same on every run and every machine
// (tests/assets compares it with assets/).
#include "generator.h"
#include "glyphs.h"
#include "raster.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>

namespace {

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
        for (const assetgen::File& file : assetgen::makeAssetFiles(themes)) {
            ok = writeIfChanged(root.filePath(file.path), file.bytes) && ok;
            ++written;
        }
        std::printf("vpk-assetgen: %d files in %s\n", written, qPrintable(root.absolutePath()));
    }
    if (!sheetFile.isEmpty()) {
        ok = writeIfChanged(sheetFile, assetgen::encodePng(assetgen::makeThemeSheet(themes))) && ok;
        std::printf("vpk-assetgen: contact sheet %s\n", qPrintable(sheetFile));
    }
    return ok ? 0 : 1;
}
