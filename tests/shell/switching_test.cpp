#include <QDir>
#include <QTemporaryDir>

#include "pack_fixture.h"
#include "game_window.h"
#include "hiscore.h"
#include "rt/dispatch.h"
#include "rt/random.h"

using namespace shell;

TEST_F(PackTest, FirstGameIsUniformOverEveryGame) {
  // Int(Rnd * games): every game gets an equal slice of [0, 1).
  for (int k : {0, 1, kGameCount / 2 - 1, kGameCount - 1}) {
    vt::ScriptedRandom rnd({(k + 0.5f) / static_cast<float>(kGameCount)});
    ResetGamesForTests();
    frame_.setCaption(kBaseCaption);
    mdi_.MDIForm_Initialize();
    inFrame([&] { mdi_.MDIForm_Load(); });
    EXPECT_EQ(mdi_.CurrentGame, k);
    EXPECT_EQ(frame_.Caption(), std::string(kBaseCaption) + " - " + GameRegistry[k].caption);
  }
}

TEST_F(PackTest, DataFolderIsMadeOnlyWhenItHoldsNoFile) {
  QString docs = QDir::tempPath() + "/vpk-docs-test";
  QDir(docs).removeRecursively();
  QDir().mkpath(docs);
  vt::vhost().setDocuments(docs.toStdString());
  inFrame([&] { mdi_.MDIForm_Load(); });
  EXPECT_EQ(mdi_.DataFolder, docs.toStdString() + "/Morvelware/");
  EXPECT_TRUE(QDir(docs + "/Morvelware").exists());
  vt::vhost().setDocuments("");
  mdi_.DataFolder.clear();
  inFrame([&] { mdi_.MDIForm_Load(); });
  EXPECT_EQ(mdi_.DataFolder, "");
  QDir(docs).removeRecursively();
}

TEST_F(PackTest, NoDocumentsFolderMeansBareNamesInTheCurrentFolder) {
  QTemporaryDir docs;
  vt::vhost().setDocuments(docs.path().toStdString() + "/");
  inFrame([&] { mdi_.MDIForm_Load(); });
  EXPECT_EQ(mdi_.DataFolder, docs.path().toStdString() + "/Morvelware/");

  vt::vhost().setDocuments("");
  inFrame([&] { mdi_.MDIForm_Load(); });
  ASSERT_EQ(mdi_.DataFolder, "");
  const QString before = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(docs.path()));
  rt::Form form("F", 3000, 3000);
  HiscoreFile klevo(*FindHiscoreGame("Klevo"));
  klevo.LoadHiscore(form.add<rt::Label>("Label8"), 0);
  QDir::setCurrent(before);
  EXPECT_TRUE(QFileInfo(docs.filePath("Klevo_hsc.nrz")).isFile());
  vt::vhost().setDocuments(QDir::homePath().toStdString());
}

TEST_F(PackTest, CaptionAfterASwitchAndPlayMenuContents) {
  inFrame([] { OpenGame(GameIndexOf("Stakk 3D")); });
  EXPECT_EQ(frame_.Caption(), "Vantix Pack v3.47  by Morvel Vukran - Stakk 3D");
  rt::Form* w = open();
  ASSERT_NE(w, nullptr);
  for (int i = 0; i < kGameCount; ++i) {
    rt::MenuItem* item = w->findMenu("igrica", i);
    ASSERT_NE(item, nullptr) << i;
    EXPECT_EQ(item->Caption(), GameRegistry[i].caption);
  }
  EXPECT_EQ(w->findMenu("igrica", kGameCount), nullptr);
  // Choosing from "Play" switches: one window, the new caption.
  const int chess = GameIndexOf("Velk Chess");
  rt::dispatch(w, [w, chess] { w->findMenu("igrica", chess)->fireClick(); });
  EXPECT_EQ(frame_.Caption(), "Vantix Pack v3.47  by Morvel Vukran - Velk Chess");
  EXPECT_EQ(mdi_.CurrentGame, chess);
  EXPECT_EQ(frame_.forms().size(), 1u);
}

TEST_F(PackTest, PlayOnTheOpenGameStartsItAfresh) {
  const int kippel = GameIndexOf("Kippel");
  inFrame([kippel] { OpenGame(kippel); });
  std::weak_ptr<rt::Form> first = GameInstance(kippel);
  rt::Form* w = open();
  rt::dispatch(w, [w, kippel] { w->findMenu("igrica", kippel)->fireClick(); });
  auto second = GameInstance(kippel);
  EXPECT_TRUE(first.expired());  // the old object is gone once its handler returned
  EXPECT_TRUE(second->isLoaded());
  EXPECT_EQ(open(), second.get());
}

TEST_F(PackTest, OpenGameOutsideTheRegistryOpensNothingButRecordsTheIndex) {
  constexpr int kBeyond = kGameCount + 10;
  inFrame([] { OpenGame(kBeyond); });
  EXPECT_EQ(mdi_.CurrentGame, kBeyond);
  EXPECT_EQ(open(), nullptr);
  EXPECT_EQ(frame_.Caption(), kBaseCaption);
}

TEST_F(PackTest, GameWindowIsCentredWithTheFrameOffsets) {
  rt::Form small("S", 6000, 4500);
  inFrame([&] { PrepareGameForm(small); });
  EXPECT_DOUBLE_EQ(small.Left, (8265 - 6000) / 2.0 - 80);
  EXPECT_DOUBLE_EQ(small.Top, (7680 - 4500) / 2.0 - 450);
  rt::Form big("B", 9000, 9000);
  inFrame([&] { PrepareGameForm(big); });
  EXPECT_DOUBLE_EQ(big.Left, -447.5);
  EXPECT_DOUBLE_EQ(big.Top, -1110);
  small.Unload();
  big.Unload();
}

TEST_F(PackTest, ResizeReopensTheGameWithoutReloadingIt) {
  inFrame([] { OpenGame(GameIndexOf("Wendrix")); });
  rt::Form* w = open();
  frame_.setCaption("something else");
  inFrame([&] { mdi_.MDIForm_Resize(); });
  EXPECT_EQ(open(), w);
  EXPECT_EQ(frame_.Caption(), std::string(kBaseCaption) + " - Wendrix");
  // A resize arriving while OpenGame runs does not open the game inside itself.
  mdi_.openingGame = true;
  frame_.setCaption("x");
  inFrame([&] { mdi_.MDIForm_Activate(); });
  EXPECT_EQ(frame_.Caption(), "x");
  mdi_.openingGame = false;
}

TEST_F(PackTest, HomePageOpensTheAddress) {
  inFrame([] { OpenGame(GameIndexOf("Klevo")); });
  rt::Form* w = open();
  vt::vhost().takeLog();
  rt::dispatch(w, [w] { w->findMenu("hpg")->fireClick(); });
  auto log = vt::vhost().takeLog();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0], std::string("url ") + kHomepage);
}
