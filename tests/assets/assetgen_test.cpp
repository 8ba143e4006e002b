// The asset generator draws every file of assets/ again, here, on this machine: each picture
// must equal the committed one pixel for pixel (with the text it carries), each sound and
// NOTICE byte for byte, and assets/ holds nothing the generator no longer makes. No tolerance:
// the output does not depend on the machine, so a difference is a change of the generator
// without `make assets`, or pictures changed by hand.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>

#include "generator.h"
#include "glyphs.h"

namespace {

const QString kAssets = QStringLiteral(VPK_SOURCE_DIR "/assets/");

const std::vector<assetgen::File>& generated()
{
    // Drawn once for the whole program; the fonts come from their Debian files (make test
    // installs the emoji font).
    static const std::vector<assetgen::File> files = [] {
        assetgen::loadFonts();
        return assetgen::makeAssetFiles(assetgen::makeThemes());
    }();
    return files;
}

// What tells the two pictures apart, or "" when they are the same picture.
std::string pictureDifference(const QImage& made, const QImage& committed)
{
    if (made.isNull() || committed.isNull())
        return committed.isNull() ? "the committed file is no picture" : "the generator's bytes are no picture";
    if (made.size() != committed.size())
        return "size " + std::to_string(made.width()) + "x" + std::to_string(made.height()) + ", committed " +
               std::to_string(committed.width()) + "x" + std::to_string(committed.height());
    if (made.format() != committed.format())  // opaque, transparent or 1-bit, as decoded
        return "format " + std::to_string(made.format()) + ", committed " + std::to_string(committed.format());
    for (const QString& key : made.textKeys() + committed.textKeys())
        if (made.text(key) != committed.text(key))
            return "text " + key.toStdString() + ": \"" + made.text(key).toStdString() + "\", committed \"" +
                   committed.text(key).toStdString() + "\"";
    const QImage a = made.convertToFormat(QImage::Format_ARGB32);
    const QImage b = committed.convertToFormat(QImage::Format_ARGB32);
    int count = 0, largest = 0;
    std::string first;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (p == q)
                continue;
            if (count++ == 0)
                first = " first at " + std::to_string(x) + "," + std::to_string(y);
            for (int shift : {0, 8, 16, 24})
                largest = std::max(largest, std::abs(int((p >> shift) & 0xff) - int((q >> shift) & 0xff)));
        }
    if (count == 0)
        return "";
    return std::to_string(count) + (count == 1 ? " pixel differs" : " pixels differ") + " by up to " +
           std::to_string(largest) + " levels," + first;
}

TEST(AssetGenerator, DrawsEveryCommittedFileAgain)
{
    ASSERT_GT(generated().size(), 200u);
    for (const assetgen::File& file : generated()) {
        QFile committed(kAssets + file.path);
        if (!committed.open(QIODevice::ReadOnly)) {
            ADD_FAILURE() << file.path.toStdString() << ": not committed (run make assets)";
            continue;
        }
        const QByteArray bytes = committed.readAll();
        if (bytes == file.bytes)
            continue;
        // PNG bytes may differ with the compressor's version; the pixels may not.
        const std::string difference = file.path.endsWith(".png")
                                           ? pictureDifference(QImage::fromData(file.bytes, "png"),
                                                               QImage::fromData(bytes, "png"))
                                           : "bytes differ";
        EXPECT_EQ(difference, "") << file.path.toStdString() << " (run make assets)";
    }
}

TEST(AssetGenerator, AssetsHoldOnlyWhatItMakes)
{
    std::set<QString> made;
    for (const assetgen::File& file : generated())
        EXPECT_TRUE(made.insert(file.path).second) << "made twice: " << file.path.toStdString();
    EXPECT_TRUE(made.count("NOTICE"));
    for (const char* folder : {"pictures", "sounds"}) {
        QDirIterator it(kAssets + folder, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString rel = it.next().mid(kAssets.size());
            EXPECT_TRUE(made.count(rel)) << rel.toStdString() << " is committed but no longer made";
        }
    }
}

// A user's font settings (full hinting, the autohinter, a subpixel order, no antialiasing) change
// no picture: the generator draws text as outlines of the font files, unhinted, and finds the
// emoji font by its file. Run as another process, which reads the settings from the file given.
TEST(AssetGenerator, FontSettingsOfTheSystemChangeNoPicture)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile settings(dir.filePath("fonts.conf"));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write(R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <include>/etc/fonts/fonts.conf</include>
  <match target="font">
    <edit name="hinting" mode="assign"><bool>true</bool></edit>
    <edit name="hintstyle" mode="assign"><const>hintfull</const></edit>
    <edit name="autohint" mode="assign"><bool>true</bool></edit>
    <edit name="rgba" mode="assign"><const>bgr</const></edit>
    <edit name="antialias" mode="assign"><bool>false</bool></edit>
  </match>
</fontconfig>
)");
    settings.close();
    QProcess generator;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("FONTCONFIG_FILE", settings.fileName());
    generator.setProcessEnvironment(env);
    generator.setProcessChannelMode(QProcess::ForwardedChannels);
    generator.start(VPK_ASSETGEN, {dir.filePath("out")});
    ASSERT_TRUE(generator.waitForFinished(120000));
    ASSERT_EQ(generator.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(generator.exitCode(), 0);
    for (const assetgen::File& file : generated()) {
        QFile made(dir.filePath("out/" + file.path));
        EXPECT_TRUE(made.open(QIODevice::ReadOnly) && made.readAll() == file.bytes) << file.path.toStdString();
    }
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
