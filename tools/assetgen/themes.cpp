// The ten picture themes: six 32 x 32 motifs each (sport seven), rendered from
// the colour emoji font on a soft ground of the theme's own tint, so that the
// themes stay apart when a game mixes them. Each picture carries the name of its
// motif (PNG text "Description"), so that what a help text calls a picture can
// be checked against what it shows.
#include "generator.h"
#include "glyphs.h"
#include "raster.h"

#include <QPainter>
#include <QRadialGradient>


namespace assetgen {

namespace {

struct Motif {
    const char32_t* emoji;
    const char* name;
};

struct ThemeSheet {
    const char* set;
    const char* caption;
    QColor tint;
    std::vector<Motif> motifs;
};

// Within a theme every motif differs in colour and shape, and no motif appears
// in two themes: the mixing games show them side by side. Some pictures are
// named by help texts: `cartoon` 0 and 1 are Flippa's ducks and bunnies,
// picture 5 of `cartoon` doubles as the joker of the removal games, picture 5
// of `animals` as Kippel's gem and picture 5 of `comics` as Holmo's lifebelt
// effect.
const std::vector<ThemeSheet>& themeSheets()
{
    static const std::vector<ThemeSheet> sheets = {
        {"cartoon", "Cartoon", QColor(255, 236, 170),
         {{U"\U0001F986", "duck"},
          {U"\U0001F430", "bunny"},
          {U"\U0001F340", "four leaf clover"},
          {U"\U0001F9F8", "teddy bear"},
          {U"\U0001F52E", "crystal ball"},
          {U"\U0001F0CF", "joker"}}},
        {"animals", "Animals", QColor(196, 236, 180),
         {{U"\U0001F438", "frog"},
          {U"\U0001F437", "pig"},
          {U"\U0001F981", "lion"},
          {U"\U0001F43C", "panda"},
          {U"\U0001F419", "octopus"},
          {U"\U0001F48E", "gem"}}},
        {"comics", "Comics", QColor(190, 208, 255),
         {{U"\U0001F916", "robot"},
          {U"\U0001F920", "cowboy"},
          {U"\U0001F47B", "ghost"},
          {U"\U0001F921", "clown"},
          {U"\U0001F977", "ninja"},
          {U"\U0001F9B8", "superhero"}}},
        {"creatures", "Monsters", QColor(222, 198, 244),
         {{U"\U0001F432", "dragon face"},
          {U"\U0001F479", "ogre"},
          {U"\U0001F984", "unicorn"},
          {U"\U0001F47E", "space monster"},
          {U"\U0001F9DE", "genie"},
          {U"\U0001F480", "skull"}}},
        {"Komp", "Computers", QColor(186, 232, 238),
         {{U"\U0001F4BB", "laptop"},
          {U"\U0001F579\uFE0F", "joystick"},
          {U"\U0001F5B1\uFE0F", "mouse"},
          {U"\U0001F4BE", "floppy disk"},
          {U"\U0001F4C0", "DVD"},
          {U"\U0001F4F1", "mobile phone"}}},
        {"likovi", "Cartoon faces", QColor(255, 204, 220),
         {{U"\U0001F600", "grinning face"},
          {U"\U0001F621", "pouting face"},
          {U"\U0001F976", "cold face"},
          {U"\U0001F922", "nauseated face"},
          {U"\U0001F608", "smiling devil"},
          {U"\U0001F60E", "face with sunglasses"}}},
        {"hrana", "Food", QColor(255, 220, 186),
         {{U"\U0001F34E", "apple"},
          {U"\U0001F34C", "banana"},
          {U"\U0001F347", "grapes"},
          {U"\U0001F966", "broccoli"},
          {U"\U0001F955", "carrot"},
          {U"\U0001F369", "doughnut"}}},
        {"Glazba", "Music", QColor(226, 218, 200),
         {{U"\U0001F3B8", "guitar"},
          {U"\U0001F3B9", "piano keys"},
          {U"\U0001F3BA", "trumpet"},
          {U"\U0001F941", "drum"},
          {U"\U0001F3A4", "microphone"},
          {U"\U0001F3B5", "musical note"}}},
        {"sport", "Sport", QColor(192, 236, 214),
         {{U"\u26BD", "football"},
          {U"\U0001F3C0", "basketball"},
          {U"\U0001F3BE", "tennis ball"},
          {U"\U0001F3B1", "pool ball"},
          {U"\U0001F3C8", "american football"},
          {U"\U0001F94A", "boxing glove"},
          {U"\u26BE", "baseball"}}},
        {"transport", "Transportation", QColor(206, 216, 228),
         {{U"\U0001F697", "car"},
          {U"\U0001F68C", "bus"},
          {U"\u2708\uFE0F", "aeroplane"},
          {U"\U0001F6A2", "ship"},
          {U"\U0001F682", "locomotive"},
          {U"\U0001F6B2", "bicycle"}}},
    };
    return sheets;
}

}  // namespace

std::vector<Theme> makeThemes()
{
    std::vector<Theme> themes;
    for (const ThemeSheet& t : themeSheets()) {
        Theme theme{QString::fromLatin1(t.set), QString::fromLatin1(t.caption), {}};
        for (const Motif& motif : t.motifs) {
            QImage tile = motifTile(QString::fromUcs4(motif.emoji), QColor(255, 255, 255), t.tint);
            tile.setText("Description", QString::fromLatin1(motif.name));
            theme.pictures.push_back(std::move(tile));
        }
        themes.push_back(std::move(theme));
    }
    return themes;
}


QImage motifTile(const QString& emoji, const QColor& centre, const QColor& edge)
{
    QImage tile = opaqueImage(32, 32, edge);
    QPainter p(&tile);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient ground(QPointF(16, 14), 24);
    ground.setColorAt(0.0, centre);
    ground.setColorAt(0.55, mix(centre, edge, 0.45));
    ground.setColorAt(1.0, edge);
    p.fillRect(tile.rect(), ground);

    const QImage motif = emojiFitted(emoji, 28, 28);
    // A faint shadow keeps pale motifs apart from a light ground.
    QImage shadow = motif;
    {
        QPainter sp(&shadow);
        sp.setCompositionMode(QPainter::CompositionMode_SourceIn);
        sp.fillRect(shadow.rect(), QColor(0, 0, 0, 70));
    }
    p.drawImage(3, 3, shadow);
    p.drawImage(2, 2, motif);
    return tile;
}

}  // namespace assetgen
