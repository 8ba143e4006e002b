// The connect games' help panels: the whole text is drawn at its label's own font, none of it
// under "OK"; Wendrix, Skaldo, Twirno and Klumpa write it in the other games' help font as large
// as their label allows.
#include "connect_window.h"
#include "pack_fixture.h"
#include "rt/render.h"

namespace {

class ConnectHelpPanel : public PackTest {
 protected:
  connect::ConnectWindow& openHelp(std::string_view game) {
    connect::ConnectWindow& w = openAs<connect::ConnectWindow>(game);
    chooseMenu("pomoc");
    return w;
  }
};

// Brenx's and Quadrin's panels differ from the others'.
constexpr std::string_view kChosenFont[] = {"Wendrix", "Skaldo", "Twirno", "Klumpa"};
constexpr std::string_view kOtherPanels[] = {"Brenx", "Quadrin"};

int askedPixels(const rt::Label& label) { return rt::toQFont(label.font()).pixelSize(); }

// The text is drawn at its label's own size (not shrunk to fit) and ends above "OK".
::testing::AssertionResult drawnWholeAboveOk(const rt::Label& label, const rt::Control& ok) {
  const int drawn = rt::LabelTextFont(label).pixelSize();
  if (drawn != askedPixels(label))
    return ::testing::AssertionFailure() << "shrunk from " << askedPixels(label) << " to " << drawn << " pixels";
  const int bottom = label.Top() + rt::LabelTextRect(label).bottom() + 1;
  if (bottom > ok.Top()) return ::testing::AssertionFailure() << "text reaches " << bottom << ", OK at " << ok.Top();
  return ::testing::AssertionSuccess();
}

}  // namespace

TEST_F(ConnectHelpPanel, WholeTextIsDrawnAtItsFontAboveOkInsideThePanel) {
  std::vector<std::string_view> games(std::begin(kChosenFont), std::end(kChosenFont));
  games.insert(games.end(), std::begin(kOtherPanels), std::end(kOtherPanels));
  for (std::string_view game : games) {
    connect::ConnectWindow& w = openHelp(game);
    SCOPED_TRACE(w.name);
    ASSERT_TRUE(w.Picture2->Visible());
    EXPECT_TRUE(drawnWholeAboveOk(*w.Label1, *w.Command1));
    const QRect text = rt::LabelTextRect(*w.Label1);
    EXPECT_GE(text.left(), 0);
    EXPECT_LE(text.right(), w.Label1->Width());
    EXPECT_LE(w.Label1->Left() + w.Label1->Width(), w.Picture2->Width());
    EXPECT_LE(w.Command1->Left() + w.Command1->Width(), w.Picture2->Width());
    EXPECT_LE(w.Command1->Top() + w.Command1->Height(), w.Picture2->Height());
  }
}

TEST_F(ConnectHelpPanel, TextIsInTheHelpFontAsLargeAsTheLabelAllows) {
  for (std::string_view game : kChosenFont) {
    connect::ConnectWindow& w = openHelp(game);
    SCOPED_TRACE(w.name);
    rt::Label& label = *w.Label1;
    const rt::Font font = label.font();
    EXPECT_EQ(font.name, "Tahoma");
    EXPECT_FALSE(font.bold || font.italic || font.underline);
    ASSERT_TRUE(drawnWholeAboveOk(label, *w.Command1));
    // One pixel larger no longer fits.
    rt::Font larger = font;
    larger.size += 0.75;
    label.setFont(larger);
    ASSERT_EQ(askedPixels(label), rt::toQFont(font).pixelSize() + 1);
    EXPECT_FALSE(drawnWholeAboveOk(label, *w.Command1));
  }
}
