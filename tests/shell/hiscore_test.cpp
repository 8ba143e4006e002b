#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "pack_fixture.h"
#include "hiscore.h"
#include "rt/form.h"

using namespace shell;

namespace {
class HiscoreTest : public PackTest {
 protected:
  void SetUp() override {
    PackTest::SetUp();
    mdi_.DataFolder = dir_.path().toStdString() + "/";
    form_ = std::make_unique<rt::Form>("F", 3000, 3000);
    best_ = &form_->add<rt::Label>("Label8");
    score_ = &form_->add<rt::Label>("Label4");
  }
  QByteArray bytes(const char* name) {
    QFile f(dir_.filePath(name));
    f.open(QIODevice::ReadOnly);
    return f.readAll();
  }
  void write(const char* name, const QByteArray& b) {
    QFile f(dir_.filePath(name));
    f.open(QIODevice::WriteOnly);
    f.write(b);
  }
  QTemporaryDir dir_;
  std::unique_ptr<rt::Form> form_;
  rt::Label* best_;
  rt::Label* score_;
};
}  // namespace

TEST_F(HiscoreTest, FirstStartCreatesTheDefaultLines) {
  HiscoreFile klevo(*FindHiscoreSpec("Klevo"));
  klevo.LoadHiscore(*best_, 0);
  EXPECT_EQ(bytes("Klevo_hsc.nrz"), QByteArray("1\r\n1\r\n1\r\n"));
  EXPECT_EQ(best_->Caption(), "1");
  HiscoreFile gemmet(*FindHiscoreSpec("Gemmet"));
  gemmet.LoadHiscore(*best_, 11);
  EXPECT_EQ(bytes("Gemmet_hsc.nrz").count("0\r\n"), 12);
  EXPECT_EQ(best_->Caption(), "0");
}

TEST_F(HiscoreTest, EqualScoreBeepsAndHigherReplacesOneLine) {
  write("Arrik_hsc.nrz", QByteArray("5\r\n").repeated(21));
  HiscoreFile arrik(*FindHiscoreSpec("Arrik"));
  arrik.LoadHiscore(*best_, 9);  // skill 1, third size
  score_->setCaption("5");
  vt::vhost().takeLog();
  arrik.SaveScore(*best_, *score_, 9);
  auto log = vt::vhost().takeLog();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0], "beep");
  EXPECT_EQ(bytes("Arrik_hsc.nrz"), QByteArray("5\r\n").repeated(21));
  score_->setCaption("6");
  arrik.SaveScore(*best_, *score_, 9);
  QByteArray expected = QByteArray("5\r\n").repeated(9) + "6\r\n" + QByteArray("5\r\n").repeated(11);
  EXPECT_EQ(bytes("Arrik_hsc.nrz"), expected);
  EXPECT_EQ(best_->Caption(), "6");
}

TEST_F(HiscoreTest, KlevoKeepsTheNumberAloneAndOthersCopyTheCaption) {
  HiscoreFile klevo(*FindHiscoreSpec("Klevo"));
  klevo.LoadHiscore(*best_, 2);
  score_->setCaption(" 4 H");
  klevo.SaveScore(*best_, *score_, 2);
  EXPECT_EQ(best_->Caption(), "4");
  EXPECT_EQ(bytes("Klevo_hsc.nrz"), QByteArray("1\r\n1\r\n4\r\n"));
  HiscoreFile kippel(*FindHiscoreSpec("Kippel"));
  kippel.LoadHiscore(*best_, 0);
  score_->setCaption("120");
  kippel.SaveScore(*best_, *score_, 0);
  EXPECT_EQ(best_->Caption(), "120");
}

TEST_F(HiscoreTest, ShortLongAndGarbledFiles) {
  write("Gemmet_hsc.nrz", "7\r\nabc\r\n");
  HiscoreFile gemmet(*FindHiscoreSpec("Gemmet"));
  gemmet.LoadHiscore(*best_, 1);
  EXPECT_EQ(best_->Caption(), "abc");  // shown unchanged
  score_->setCaption("1");
  gemmet.SaveScore(*best_, *score_, 1);  // "abc" counts as 0
  EXPECT_EQ(best_->Caption(), "1");
  // The missing lines were never read: they are written empty.
  EXPECT_EQ(bytes("Gemmet_hsc.nrz"), QByteArray("7\r\n1\r\n") + QByteArray("\r\n").repeated(10));
  gemmet.LoadHiscore(*best_, 5);
  EXPECT_EQ(best_->Caption(), "0");  // empty shows 0 in this game

  write("Kippel_hsc_A.nrz", "3\r\n99\r\n98\r\n");
  HiscoreFile kippel(*FindHiscoreSpec("Kippel"));
  kippel.LoadHiscore(*best_, 0);
  EXPECT_EQ(best_->Caption(), "3");
  score_->setCaption("4");
  kippel.SaveScore(*best_, *score_, 0);
  EXPECT_EQ(bytes("Kippel_hsc_A.nrz"), QByteArray("4\r\n"));  // extra lines dropped
}

TEST_F(HiscoreTest, UnwritableFolderAndAFolderInPlaceOfTheFile) {
  mdi_.DataFolder = dir_.path().toStdString() + "/missing/deeper/";
  HiscoreFile tumo(*FindHiscoreSpec("Tumo"));
  tumo.LoadHiscore(*best_, 0);
  EXPECT_EQ(best_->Caption(), "");  // nothing could be read: the entry stays empty
  score_->setCaption("3");
  tumo.SaveScore(*best_, *score_, 0);
  EXPECT_EQ(best_->Caption(), "3");  // the label keeps the new best

  mdi_.DataFolder = dir_.path().toStdString() + "/";
  QDir(dir_.path()).mkdir("Holmo_hsc.nrz");
  HiscoreFile holmo(*FindHiscoreSpec("Holmo"));
  holmo.LoadHiscore(*best_, 1);
  score_->setCaption("2");
  holmo.SaveScore(*best_, *score_, 1);
  EXPECT_TRUE(QFileInfo(dir_.filePath("Holmo_hsc.nrz")).isDir());
}
