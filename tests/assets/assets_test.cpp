// The embedded pictures and sounds: present at their sizes and formats, with
// the transparency, mask and tiling the drawing code relies on.
#include <gtest/gtest.h>

#include <QColor>
#include <QFile>
#include <QImage>
#include <QRect>
#include <QString>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

struct Expected {
    QString path;
    int width;
    int height;
    bool transparent;
};

std::vector<Expected> libraryPictures()
{
    std::vector<Expected> out;
    auto add = [&](const QString& rel, int w, int h, bool transparent = false) {
        out.push_back({":/pictures/" + rel + ".png", w, h, transparent});
    };
    for (const char* set : {"cartoon", "animals", "comics", "creatures", "Komp", "likovi", "hrana", "Glazba",
                            "sport", "transport"}) {
        const int last = QString(set) == "sport" ? 6 : 5;
        for (int i = 0; i <= last; ++i)
            add(QString("%1/%2").arg(set).arg(i), 32, 32);
    }
    for (int i = 7; i <= 10; ++i)
        add(QString("Uzorak/%1").arg(i), 32, 32);
    for (const char* single : {"Picture2", "Picture3", "Picture4", "Picture5"})
        add(single, 32, 32);
    add("Picture7", 40, 32);
    add("Picture8", 40, 32);
    add("Tumo.Picture6", 40, 32);
    add("lova", 161, 88);
    add("kosta", 130, 130);
    add("Picture13", 350, 350);
    add("Faunix.Picture", 390, 390);
    add("Brenx.ikona/51", 32, 32, true);
    add("Brenx.ikona/52", 32, 32, true);
    for (int i = 46; i <= 53; ++i)
        add(QString("Glimbo.ikona/%1").arg(i), 32, 32);
    for (int i = 55; i <= 62; ++i) {
        const bool vertical = (i - 55) % 2 == 0;  // up, right, down, left, ...
        add(QString("Glimbo.ikona/%1").arg(i), vertical ? 23 : 26, vertical ? 26 : 23);
    }
    add("Holmo.otvorg/0", 30, 20, true);
    add("Holmo.otvorh/0", 20, 30, true);
    add("Rookwell.figure", 191, 64);
    add("CtrlPanel.m_ppic", 191, 64);
    add("frame/background", 540, 480);
    add("frame/icon", 32, 32, true);
    add("button_skin", 144, 24);
    return out;
}

QImage load(const QString& rel)
{
    return QImage(":/pictures/" + rel + ".png").convertToFormat(QImage::Format_ARGB32);
}

TEST(AssetPictures, EveryLibraryPictureIsEmbeddedAtItsSize)
{
    for (const Expected& e : libraryPictures()) {
        SCOPED_TRACE(e.path.toStdString());
        const QImage img(e.path);
        ASSERT_FALSE(img.isNull());
        EXPECT_EQ(img.width(), e.width);
        EXPECT_EQ(img.height(), e.height);
        EXPECT_EQ(img.hasAlphaChannel(), e.transparent);
    }
    EXPECT_FALSE(QFile::exists(":/pictures/Glimbo.ikona/54.png"));
}

TEST(AssetPictures, MarksAndPortholesAreClearAroundTheirShape)
{
    for (const char* rel : {"Brenx.ikona/51", "Brenx.ikona/52", "Holmo.otvorg/0", "Holmo.otvorh/0"}) {
        SCOPED_TRACE(rel);
        const QImage img = load(rel);
        const int r = img.width() - 1, b = img.height() - 1;
        for (const auto& [x, y] : std::array<std::pair<int, int>, 4>{{{0, 0}, {r, 0}, {0, b}, {r, b}}})
            EXPECT_EQ(qAlpha(img.pixel(x, y)), 0);
    }
    const QImage cross = load("Brenx.ikona/51");
    const QRgb middle = cross.pixel(16, 16);
    EXPECT_EQ(qAlpha(middle), 255);
    EXPECT_GT(qRed(middle), 150);
    EXPECT_LT(qGreen(middle), 80);
    // The ring is hollow: clear in the middle, dark red on its circle.
    const QImage ring = load("Brenx.ikona/52");
    EXPECT_EQ(qAlpha(ring.pixel(16, 16)), 0);
    const QRgb onRing = ring.pixel(16, 3);
    EXPECT_EQ(qAlpha(onRing), 255);
    EXPECT_GT(qRed(onRing), 2 * qGreen(onRing));
    EXPECT_EQ(qAlpha(load("Holmo.otvorg/0").pixel(15, 10)), 255);
    EXPECT_EQ(qAlpha(load("Holmo.otvorh/0").pixel(10, 15)), 255);
}

// A strip pixel belongs to a piece exactly when it is not the near-white
// ground (254, 254, 254); the mask is white there and black everywhere else.
TEST(AssetPictures, ChessMaskIsWhiteExactlyOnThePieces)
{
    const QImage strip = load("Rookwell.figure");
    const QImage mask = load("CtrlPanel.m_ppic");
    ASSERT_EQ(strip.size(), mask.size());
    const QRgb ground = qRgb(254, 254, 254);
    std::map<std::pair<int, int>, int> pieceCount;
    std::array<double, 2> rowLightness{0, 0};
    std::array<int, 2> rowPixels{0, 0};
    for (int y = 0; y < strip.height(); ++y) {
        for (int x = 0; x < strip.width(); ++x) {
            const QRgb m = mask.pixel(x, y) & 0xFFFFFF;
            ASSERT_TRUE(m == 0 || m == 0xFFFFFF) << x << "," << y;
            const bool piece = (strip.pixel(x, y) | 0xFF000000) != (ground | 0xFF000000);
            ASSERT_EQ(m == 0xFFFFFF, piece) << x << "," << y;
            if (piece) {
                ++pieceCount[{x / 32, y / 32}];
                rowLightness[size_t(y / 32)] += qGray(strip.pixel(x, y));
                ++rowPixels[size_t(y / 32)];
            }
        }
    }
    auto count = [&](int column, int row) { return pieceCount[std::make_pair(column, row)]; };
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 6; ++column)
            EXPECT_GT(count(column, row), 120) << column << "," << row;
    // Pawns are the smallest pieces, rooks and kings larger.
    for (int row = 0; row < 2; ++row) {
        EXPECT_LT(count(0, row), count(3, row));
        EXPECT_LT(count(0, row), count(5, row));
    }
    // Row 0 holds the white pieces, row 1 the black ones.
    EXPECT_GT(rowLightness[0] / rowPixels[0], rowLightness[1] / rowPixels[1] + 80);
    // The cells keep to their own 32-pixel columns: the borders between them are ground.
    for (int y = 0; y < 64; ++y)
        for (int column = 1; column < 6; ++column)
            EXPECT_EQ(mask.pixel(32 * column, y) & 0xFFFFFF, 0u) << column << "," << y;
}

// The button is drawn from a left cap, copies of a 15-pixel middle slice and a
// right cap; any width only looks right when every slice matches its neighbour.
TEST(AssetPictures, ButtonSkinSlicesTileSeamlessly)
{
    const QImage skin = load("button_skin");
    auto columnsEqual = [&](int a, int b) {
        for (int y = 0; y < skin.height(); ++y)
            if (skin.pixel(a, y) != skin.pixel(b, y))
                return false;
        return true;
    };
    // Normal look: left cap ends at 14, middle slice 15..29, right cap from 55.
    for (int x = 14; x <= 55; ++x)
        EXPECT_TRUE(columnsEqual(x, 15)) << x;
    // Pressed look: left cap 72..86 overlaps the middle slice 83..97, right cap from 128.
    for (int x = 83; x <= 128; ++x)
        EXPECT_TRUE(columnsEqual(x, 83)) << x;
    EXPECT_FALSE(columnsEqual(15, 83));
    // Both looks have a visible edge: the outermost columns differ from the face.
    EXPECT_FALSE(columnsEqual(0, 15));
    EXPECT_FALSE(columnsEqual(70, 15));
    EXPECT_FALSE(columnsEqual(72, 83));
    EXPECT_FALSE(columnsEqual(143, 83));
}

double meanDifference(const QImage& a, const QImage& b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
}

// The games are about telling kinds apart: no two motifs of the pack may look alike.
TEST(AssetPictures, ThemeMotifsAreClearlyDifferent)
{
    std::vector<std::pair<QString, QImage>> all;
    for (const char* set : {"cartoon", "animals", "comics", "creatures", "Komp", "likovi", "hrana", "Glazba",
                            "sport", "transport"})
        for (int i = 0; i <= 5; ++i) {
            const QString rel = QString("%1/%2").arg(set).arg(i);
            all.push_back({rel, load(rel)});
        }
    for (size_t i = 0; i < all.size(); ++i)
        for (size_t j = i + 1; j < all.size(); ++j)
            EXPECT_GT(meanDifference(all[i].second, all[j].second), 12.0)
                << all[i].first.toStdString() << " vs " << all[j].first.toStdString();
}

// What the generator drew, as it names it in the picture ("Description").
std::string motifOf(const QString& rel)
{
    return QImage(":/pictures/" + rel + ".png").text("Description").toStdString();
}

// Help texts name some pictures; each must show what its text calls it: Flippa's "ducks or
// bunnies" are cartoon 0 and 1, the jokers of Kippel, Tumo and Holmo are cartoon 5, Kippel's
// gem is animals 5, and Lobbo's rules name a joker beside the letter blocks.
TEST(AssetPictures, PicturesNamedByHelpTextsShowWhatTheyAreCalled)
{
    EXPECT_EQ(motifOf("cartoon/0"), "duck");
    EXPECT_EQ(motifOf("cartoon/1"), "bunny");
    EXPECT_EQ(motifOf("cartoon/5"), "joker");
    EXPECT_EQ(motifOf("animals/5"), "gem");
    EXPECT_EQ(motifOf("Form23/block7"), "joker");
}

// The mixing games show the themes side by side, so a motif may stand in one theme only
// (two rabbits in two themes would be two kinds that look alike).
TEST(AssetPictures, EveryThemeMotifIsNamedOnceInThePack)
{
    std::map<std::string, std::string> seen;
    for (const char* set : {"cartoon", "animals", "comics", "creatures", "Komp", "likovi", "hrana", "Glazba",
                            "sport", "transport"}) {
        const int last = QString(set) == "sport" ? 6 : 5;
        for (int i = 0; i <= last; ++i) {
            const QString rel = QString("%1/%2").arg(set).arg(i);
            const std::string motif = motifOf(rel);
            EXPECT_FALSE(motif.empty()) << rel.toStdString();
            const auto [it, fresh] = seen.emplace(motif, rel.toStdString());
            EXPECT_TRUE(fresh || motif.empty()) << rel.toStdString() << " repeats " << it->second << " (" << motif << ")";
        }
    }
}

// Glimbo's inner arrows (46..49, which Recollo also shows as its red arrow) are red and magenta
// edged in navy, their black forms (50..53) black edged in white, all on the olive ground.
TEST(AssetPictures, InnerArrowsKeepTheirColours)
{
    const QRgb olive = qRgb(128, 128, 0);
    const std::map<QRgb, int> coloured{{qRgb(255, 0, 0), 0}, {qRgb(255, 0, 255), 0}, {qRgb(0, 0, 128), 0}, {olive, 0}};
    const std::map<QRgb, int> black{{qRgb(0, 0, 0), 0}, {qRgb(255, 255, 255), 0}, {olive, 0}};
    for (int i = 46; i <= 53; ++i) {
        SCOPED_TRACE(i);
        std::map<QRgb, int> counts = i < 50 ? coloured : black;
        const QImage arrow = load(QString("Glimbo.ikona/%1").arg(i)).convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < arrow.height(); ++y)
            for (int x = 0; x < arrow.width(); ++x) {
                auto it = counts.find(arrow.pixel(x, y) | 0xff000000u);
                ASSERT_NE(it, counts.end()) << "a colour of its own at " << x << "," << y;
                ++it->second;
            }
        for (const auto& [colour, n] : counts) EXPECT_GT(n, 20) << std::hex << colour;
    }
}

// ---------------------------------------------------------------- what the pictures show

// The word a description of a picture uses for a pixel's colour.
std::string colourName(QRgb pixel)
{
    const QColor c = QColor::fromRgb(pixel);
    const int h = c.hsvHue(), s = c.hsvSaturation(), v = c.value();
    if (v < 60)
        return "black";
    if (s >= 15 && s < 70 && v > 200 && h >= 30 && h < 70)
        return "cream";
    if (s < 40)
        return v > 200 ? "white" : "grey";
    if (h < 12 || h >= 340)
        return "red";
    if (h < 45)
        return s > 180 && v > 200 ? "orange" : "brown";
    if (h < 70)
        return "yellow";
    if (h < 160)
        return "green";
    if (h < 200)
        return "teal";
    return h < 260 ? "blue" : "magenta";
}

// How many of a picture's visible pixels each colour has.
std::map<std::string, int> colourCounts(const QImage& img)
{
    std::map<std::string, int> counts;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(img.pixel(x, y)) >= 128)
                ++counts[colourName(img.pixel(x, y))];
    return counts;
}

std::string mostOf(const std::map<std::string, int>& counts)
{
    const auto most = std::max_element(counts.begin(), counts.end(),
                                       [](const auto& a, const auto& b) { return a.second < b.second; });
    return most == counts.end() ? "" : most->first;
}

// What the pictures' descriptions say of their colours: the colour most of the picture shows, and
// a second one it must show (a ring, a piece on its ground) or must not show.
TEST(AssetPictures, PicturesShowTheColoursTheirDescriptionsName)
{
    struct Shows {
        QString picture;
        std::string most;
        std::string also = "";
        int atLeast = 0;  // pixels of `also`; 0: none at all
    };
    std::vector<Shows> table = {
        {"lova", "blue"},                 // a light blue gradient
        {"kosta", "blue"},                // a blue brick wall
        {"Picture13", "cream"},           // crumpled cream paper
        {"Faunix.Picture", "teal"},       // an abstract teal swirl
        {"Holmo.otvorg/0", "grey"},       // a grey tube, from above
        {"Holmo.otvorh/0", "grey"},       // and from the side
        {"Brenx.ikona/51", "red"},        // a red cross
        {"Brenx.ikona/52", "red"},        // a dark red ring
        {"Form26/konj1", "orange", "white", 100},  // a white knight on an orange ground
        {"Form26/konj2", "yellow", "black", 100},  // a black knight on a light yellow ground
        // Stakk 3D: Green, Brown and white coins; just placed (a red ring), and scoring (yellow).
        {"Form17/coin0", "green", "red"},
        {"Form17/coin1", "brown", "red"},
        {"Form17/coin2", "white", "red"},
        {"Form17/coin3", "green", "red", 20},
        {"Form17/coin4", "brown", "red", 20},
        {"Form17/coin5", "green", "yellow", 20},
        {"Form17/coin6", "brown", "yellow", 20},
    };
    for (int i = 0; i <= 2; ++i)
        table.push_back({QString("Form17/coin%1").arg(i), i == 0 ? "green" : i == 1 ? "brown" : "white", "yellow"});
    for (int i = 0; i <= 4; ++i)
        table.push_back({QString("Form18/yellow%1").arg(i), "yellow"});  // Smylo's yellow coins
    for (int i = 0; i <= 15; ++i)
        table.push_back({QString("Form18/blue%1").arg(i), "blue"});      // and its blue ones
    for (const Shows& row : table) {
        SCOPED_TRACE(row.picture.toStdString());
        const std::map<std::string, int> counts = colourCounts(load(row.picture));
        EXPECT_EQ(mostOf(counts), row.most);
        if (row.also.empty())
            continue;
        const int also = counts.count(row.also) ? counts.at(row.also) : 0;
        if (row.atLeast > 0)
            EXPECT_GE(also, row.atLeast) << row.also;
        else
            EXPECT_EQ(also, 0) << row.also;
    }
}

enum class Points { Up, Right, Down, Left };

// Where an arrow points: the end of the arrow (pixels other than `ground`) that is narrower than
// the other, its tip against the shaft's end.
std::optional<Points> pointing(const QImage& img, QRgb ground)
{
    auto isArrow = [&](int x, int y) { return (img.pixel(x, y) | 0xff000000u) != (ground | 0xff000000u); };
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (isArrow(x, y))
                box |= QRect(x, y, 1, 1);
    auto across = [&](bool row, int at) {
        int n = 0;
        for (int i = row ? box.left() : box.top(); i <= (row ? box.right() : box.bottom()); ++i)
            n += row ? isArrow(i, at) : isArrow(at, i);
        return n;
    };
    if (box.isEmpty())
        return std::nullopt;
    const int top = across(true, box.top()), bottom = across(true, box.bottom());
    const int left = across(false, box.left()), right = across(false, box.right());
    if (std::abs(top - bottom) > std::abs(left - right) + 2)
        return top < bottom ? Points::Up : Points::Down;
    if (std::abs(left - right) > std::abs(top - bottom) + 2)
        return left < right ? Points::Left : Points::Right;
    return std::nullopt;
}

// Glimbo's arrows: which way each index points, and its colours. The inner ones are red with the
// half towards the light (left, or top) magenta, edged in navy.
TEST(AssetPictures, GlimboArrowsPointAndAreColouredAsListed)
{
    const QRgb olive = qRgb(128, 128, 0), navy = qRgb(0, 0, 128), white = qRgb(255, 255, 255);
    const QRgb red = qRgb(255, 0, 0), magenta = qRgb(255, 0, 255), black = qRgb(0, 0, 0);
    const QRgb silver = qRgb(192, 192, 192);
    const std::set<QRgb> inner{olive, red, magenta, navy}, blackForm{olive, black, white},
        light{olive, silver, white, navy};
    const Points order[] = {Points::Down, Points::Left, Points::Up, Points::Right};
    const Points edgeOrder[] = {Points::Up, Points::Right, Points::Down, Points::Left};
    struct Arrow {
        int index;
        Points points;
        const std::set<QRgb>& colours;
    };
    std::vector<Arrow> arrows;
    for (int i = 0; i < 4; ++i) {
        arrows.push_back({46 + i, order[i], inner});
        arrows.push_back({50 + i, order[i], blackForm});
        arrows.push_back({55 + i, edgeOrder[i], blackForm});
        arrows.push_back({59 + i, edgeOrder[i], light});
    }
    for (const Arrow& arrow : arrows) {
        SCOPED_TRACE(arrow.index);
        const QImage img = load(QString("Glimbo.ikona/%1").arg(arrow.index));
        EXPECT_EQ(pointing(img, olive), arrow.points);
        std::set<QRgb> seen;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QRgb c = img.pixel(x, y) | 0xff000000u;
                seen.insert(c);
                if (&arrow.colours != &inner || (c != red && c != magenta))
                    continue;
                const bool vertical = arrow.points == Points::Up || arrow.points == Points::Down;
                const bool towardsLight = vertical ? 2 * x + 1 < img.width() : 2 * y + 1 < img.height();
                EXPECT_EQ(c == magenta, towardsLight) << "at " << x << "," << y;
            }
        EXPECT_EQ(seen, arrow.colours);
    }
}

// Tumo's "Flip vertical" (the library's) and "Flip horizontal" (its own): a double arrow along
// the way each flips.
TEST(AssetPictures, FlipButtonsShowTheirWay)
{
    auto arrowBox = [](const QImage& img) {
        QRect box;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (QColor::fromRgb(img.pixel(x, y)).hsvSaturation() > 120)  // the blue arrow, not the face
                    box |= QRect(x, y, 1, 1);
        return box;
    };
    const QRect vertical = arrowBox(load("Tumo.Picture6"));
    const QRect horizontal = arrowBox(load("Form3/Picture14"));
    EXPECT_GT(vertical.height(), vertical.width() + 6);
    EXPECT_GT(horizontal.width(), horizontal.height() + 6);
}

// ---------------------------------------------------------------- sounds

struct Wav {
    int formatTag = 0, channels = 0, rate = 0, byteRate = 0, blockAlign = 0, bits = 0;
    QByteArray fmt, data;
    std::optional<uint32_t> factSamples;
};

int le16(const QByteArray& b, int at)
{
    return int16_t(uint16_t(uint8_t(b[at])) | uint16_t(uint8_t(b[at + 1]) << 8));
}

uint32_t le32(const QByteArray& b, int at)
{
    return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 | uint32_t(uint8_t(b[at + 2])) << 16 |
           uint32_t(uint8_t(b[at + 3])) << 24;
}

std::optional<Wav> parseWav(const QByteArray& bytes)
{
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return std::nullopt;
    if (le32(bytes, 4) + 8 != uint32_t(bytes.size()))
        return std::nullopt;
    Wav w;
    int at = 12;
    while (at + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(at, 4);
        const uint32_t size = le32(bytes, at + 4);
        if (size > uint32_t(bytes.size() - at - 8))
            return std::nullopt;
        const QByteArray body = bytes.mid(at + 8, int(size));
        if (id == "fmt ")
            w.fmt = body;
        else if (id == "data")
            w.data = body;
        else if (id == "fact" && size >= 4)
            w.factSamples = le32(body, 0);
        at += 8 + int(size) + int(size % 2);
    }
    if (w.fmt.size() < 16 || w.data.isEmpty())
        return std::nullopt;
    w.formatTag = uint16_t(le16(w.fmt, 0));
    w.channels = le16(w.fmt, 2);
    w.rate = int(le32(w.fmt, 4));
    w.byteRate = int(le32(w.fmt, 8));
    w.blockAlign = le16(w.fmt, 12);
    w.bits = le16(w.fmt, 14);
    return w;
}

// Decodes Microsoft ADPCM (mono) as a player does; an empty result means a malformed block.
std::vector<int> decodeMsAdpcm(const Wav& w, const std::vector<std::array<int, 2>>& coefficients)
{
    static constexpr std::array<int, 16> adaptation = {230, 230, 230, 230, 307, 409, 512, 614,
                                                       768, 614, 512, 409, 307, 230, 230, 230};
    std::vector<int> out;
    for (int block = 0; block + w.blockAlign <= w.data.size(); block += w.blockAlign) {
        const int predictor = uint8_t(w.data[block]);
        if (predictor >= int(coefficients.size()))
            return {};
        int delta = le16(w.data, block + 1);
        int s1 = le16(w.data, block + 3), s2 = le16(w.data, block + 5);
        if (delta < 16)
            return {};
        out.push_back(s2);
        out.push_back(s1);
        for (int i = block + 7; i < block + w.blockAlign; ++i) {
            for (int nibble : {uint8_t(w.data[i]) >> 4, uint8_t(w.data[i]) & 0x0F}) {
                const auto [c1, c2] = coefficients[size_t(predictor)];
                const int predicted = (s1 * c1 + s2 * c2) >> 8;
                const int signedNibble = nibble >= 8 ? nibble - 16 : nibble;
                const int value = std::clamp(predicted + signedNibble * delta, -32768, 32767);
                delta = std::max(16, (adaptation[size_t(nibble)] * delta) >> 8);
                s2 = s1;
                s1 = value;
                out.push_back(value);
            }
        }
    }
    return out;
}

struct Clip {
    int number, formatTag, rate, bits;
    double seconds;
};

const std::array<Clip, 10> kClips = {{{1, 1, 22050, 16, 0.23},
                                      {2, 2, 8000, 4, 1.56},
                                      {3, 1, 8000, 8, 0.98},
                                      {4, 1, 14925, 8, 1.12},
                                      {5, 1, 11025, 8, 0.78},
                                      {6, 1, 11025, 8, 0.10},
                                      {7, 1, 11025, 8, 0.16},
                                      {8, 1, 11025, 8, 2.91},
                                      {9, 1, 22050, 8, 0.15},
                                      {10, 1, 22050, 8, 0.50}}};

Wav loadClip(int number)
{
    QFile file(QString(":/sounds/sound%1.wav").arg(number));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const std::optional<Wav> wav = parseWav(file.readAll());
    EXPECT_TRUE(wav.has_value());
    return wav.value_or(Wav{});
}

TEST(AssetSounds, PcmClipsHaveTheirFormatAndLength)
{
    for (const Clip& clip : kClips) {
        if (clip.formatTag != 1)
            continue;
        SCOPED_TRACE(clip.number);
        const Wav w = loadClip(clip.number);
        EXPECT_EQ(w.formatTag, 1);
        EXPECT_EQ(w.channels, 1);
        EXPECT_EQ(w.rate, clip.rate);
        EXPECT_EQ(w.bits, clip.bits);
        EXPECT_EQ(w.blockAlign, clip.bits / 8);
        EXPECT_EQ(w.byteRate, clip.rate * clip.bits / 8);
        const double seconds = double(w.data.size()) / w.blockAlign / w.rate;
        EXPECT_NEAR(seconds, clip.seconds, 0.010);
        // Clips start at rest: the silent value is 128 for unsigned 8-bit, 0 for 16-bit.
        if (clip.bits == 8) {
            EXPECT_NEAR(uint8_t(w.data[0]), 128, 1);
            EXPECT_NEAR(uint8_t(w.data[w.data.size() - 1]), 128, 1);
        } else {
            EXPECT_NEAR(le16(w.data, 0), 0, 64);
        }
        // And they are heard: the loudest sample is well away from rest.
        int peak = 0;
        for (int i = 0; i + w.blockAlign <= w.data.size(); i += w.blockAlign)
            peak = std::max(peak, clip.bits == 8 ? std::abs(int(uint8_t(w.data[i])) - 128) : std::abs(le16(w.data, i)) >> 8);
        EXPECT_GT(peak, 64);
    }
}

TEST(AssetSounds, AdpcmClipIsWellFormedAndDecodes)
{
    const Clip& clip = kClips[1];
    const Wav w = loadClip(clip.number);
    EXPECT_EQ(w.formatTag, 2);
    EXPECT_EQ(w.channels, 1);
    EXPECT_EQ(w.rate, clip.rate);
    EXPECT_EQ(w.bits, 4);
    ASSERT_GE(w.fmt.size(), 22);
    const int extension = le16(w.fmt, 16);
    const int samplesPerBlock = le16(w.fmt, 18);
    const int coefficientCount = le16(w.fmt, 20);
    EXPECT_EQ(extension, 4 + 4 * coefficientCount);
    ASSERT_EQ(w.fmt.size(), 18 + extension);
    EXPECT_EQ(samplesPerBlock, (w.blockAlign - 7) * 2 + 2);
    EXPECT_EQ(w.byteRate, w.rate * w.blockAlign / samplesPerBlock);
    const std::vector<std::array<int, 2>> standard = {{256, 0}, {512, -256}, {0, 0}, {192, 64},
                                                      {240, 0}, {460, -208}, {392, -232}};
    std::vector<std::array<int, 2>> coefficients;
    for (int i = 0; i < coefficientCount; ++i)
        coefficients.push_back({le16(w.fmt, 22 + 4 * i), le16(w.fmt, 24 + 4 * i)});
    EXPECT_EQ(coefficients, standard);

    ASSERT_TRUE(w.factSamples.has_value());
    EXPECT_NEAR(double(*w.factSamples) / w.rate, clip.seconds, 0.010);
    ASSERT_EQ(w.data.size() % w.blockAlign, 0);
    const int blocks = w.data.size() / w.blockAlign;
    EXPECT_EQ(blocks, int((*w.factSamples + samplesPerBlock - 1) / samplesPerBlock));

    const std::vector<int> pcm = decodeMsAdpcm(w, coefficients);
    ASSERT_EQ(int(pcm.size()), blocks * samplesPerBlock);
    // An explosion: loud at first, fading away, silent at its end.
    auto rms = [&](size_t from, size_t count) {
        double sum = 0;
        for (size_t i = from; i < from + count; ++i)
            sum += double(pcm[i]) * pcm[i];
        return std::sqrt(sum / count);
    };
    const size_t n = *w.factSamples;
    EXPECT_GT(rms(0, 2000), 4000);
    EXPECT_GT(rms(0, 2000), 5 * rms(n - 2000, 2000));
    EXPECT_LT(std::abs(pcm[n - 1]), 500);
}

}  // namespace
