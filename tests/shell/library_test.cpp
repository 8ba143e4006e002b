#include <gtest/gtest.h>

#include "picture_library.h"

using shell::PictureLibrary;

TEST(PictureLibraryTest, EverySetAndIndexExistsAtItsStatedSize) {
  const auto& lib = PictureLibrary::instance();
  for (const auto& s : shell::LibrarySets) {
    const int first = s.first < 0 ? -1 : s.first, last = s.first < 0 ? -1 : s.last;
    for (int i = first; i <= last; ++i) {
      bool missing = std::find(s.missing.begin(), s.missing.end(), i) != s.missing.end();
      auto p = lib.get(s.name, i);
      if (missing) {
        EXPECT_EQ(p, nullptr) << s.name << " " << i;
        continue;
      }
      ASSERT_NE(p, nullptr) << s.name << " " << i;
      EXPECT_EQ(p->ref().set, s.name);
      EXPECT_EQ(p->ref().index, i);
      if (s.width) {
        EXPECT_EQ(p->width(), s.width) << s.name << " " << i;
        EXPECT_EQ(p->height(), s.height) << s.name << " " << i;
      }
    }
  }
  EXPECT_EQ(lib.get("Glimbo.ikona", 54), nullptr);
  EXPECT_EQ(lib.get("Glimbo.ikona", 55)->width(), 23);  // up arrow 23 x 26
  EXPECT_EQ(lib.get("Glimbo.ikona", 56)->width(), 26);  // right arrow 26 x 23
  EXPECT_EQ(lib.get("cartoon", 6), nullptr);
  EXPECT_NE(lib.get("sport", 6), nullptr);
}

TEST(PictureLibraryTest, KindsAreNumberedInLibraryOrderNotMenuOrder) {
  const auto& lib = PictureLibrary::instance();
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(lib.kindPicture(6 + i, 1), lib.get("likovi", i));
    EXPECT_EQ(lib.kindPicture(16 + i, 1), lib.get("creatures", i));
    EXPECT_EQ(lib.kindPicture(45 + i, 0), lib.get("transport", i));
  }
  EXPECT_EQ(lib.kindPicture(1, 1), lib.get("cartoon", 0));
  EXPECT_EQ(lib.kindPicture(50, 1), lib.get("transport", 4));
  EXPECT_EQ(lib.kindPicture(51, 1), nullptr);  // picture 5 of a theme is never a kind
  EXPECT_EQ(lib.kindPicture(0, 1), nullptr);
}

TEST(PictureLibraryTest, TransparentPicturesKeepTheirTransparentPixels) {
  const auto& lib = PictureLibrary::instance();
  for (auto [set, index] : std::vector<std::pair<std::string, int>>{
           {"Brenx.ikona", 51}, {"Brenx.ikona", 52}, {"Holmo.otvorg", 0}, {"Holmo.otvorh", 0}}) {
    auto p = lib.get(set, index);
    ASSERT_NE(p, nullptr);
    ASSERT_TRUE(p->hasAlpha()) << set;
    EXPECT_EQ(qAlpha(p->image().pixel(0, 0)), 0) << set;
  }
  EXPECT_FALSE(lib.get("lova")->hasAlpha());
}

TEST(PictureLibraryTest, MaskIsWhiteExactlyWhereItsSpriteIs) {
  const auto& lib = PictureLibrary::instance();
  auto strip = lib.get("Rookwell.figure"), mask = lib.get("CtrlPanel.m_ppic");
  ASSERT_TRUE(strip && mask);
  const QRgb ground = strip->image().pixel(0, 0);
  int pieces = 0;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 191; ++x) {
      bool piece = strip->image().pixel(x, y) != ground;
      QRgb m = mask->image().pixel(x, y) & 0xFFFFFF;
      EXPECT_EQ(m, piece ? 0xFFFFFFu : 0u) << x << "," << y;
      pieces += piece;
      if (::testing::Test::HasFailure()) return;
    }
  EXPECT_GT(pieces, 12 * 100);
}
