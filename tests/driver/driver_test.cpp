#include <QImage>
#include <QTemporaryDir>

#include "driver.h"
#include "pack_fixture.h"
#include "startup.h"

namespace {
class DriverTest : public PackTest {
 protected:
  void SetUp() override {
    PackTest::SetUp();
    vt::vhost().setDocuments(dir_.path().toStdString());
    shell::StartPack(false);
  }
  QTemporaryDir dir_;
  drv::Driver d_;
};
}  // namespace

TEST_F(DriverTest, OpensGamesAndDumpsTheWindow) {
  EXPECT_EQ(d_.run("seed 7"), R"({"ok":true})");
  EXPECT_EQ(d_.run("open 23"), R"({"ok":true})");
  std::string dump = d_.run("dump");
  EXPECT_NE(dump.find(R"("caption":"Vantix Pack v3.47  by Morvel Vukran - Stakk 3D")"), std::string::npos);
  EXPECT_NE(dump.find(R"("game":23)"), std::string::npos);
  EXPECT_NE(dump.find(R"({"name":"igrica","index":29,"caption":"Velk Chess")"), std::string::npos);
  std::string log = d_.run("log");
  EXPECT_NE(log.find("caption Vantix Pack v3.47  by Morvel Vukran - Stakk 3D"), std::string::npos);
  EXPECT_EQ(d_.run("log"), R"({"ok":true,"log":[]})");
}

TEST_F(DriverTest, MenusClicksAndErrors) {
  d_.run("open 23");
  EXPECT_EQ(d_.run("menu hpg"), R"({"ok":true})");
  EXPECT_NE(d_.run("log").find("url https://"), std::string::npos);
  EXPECT_NE(d_.run("click nothing(3)").find(R"("ok":false)"), std::string::npos);
  EXPECT_NE(d_.run("frobnicate").find("unknown command"), std::string::npos);
  EXPECT_NE(d_.run("set Board 1 2").find("no state"), std::string::npos);
  EXPECT_NE(d_.run("file ../../etc/passwd").find("outside"), std::string::npos);
  EXPECT_EQ(d_.run("wait 250"), R"({"ok":true})");
  EXPECT_NEAR(vt::vhost().nowMs(), 250, 1);
}

TEST_F(DriverTest, ShotSavesTheFrame) {
  d_.run("open 23");
  std::string file = dir_.filePath("shot.png").toStdString();
  EXPECT_EQ(d_.run("shot " + file), R"({"ok":true})");
  QImage img(QString::fromStdString(file));
  EXPECT_EQ(img.width(), 540);
  EXPECT_GT(img.height(), 452);
}

TEST_F(DriverTest, DragsBetweenTwoPointsOfOneControl) {
  d_.run("open 29");
  // e2 to e4 on the chess board: square centres lie 19 + 32 * (n - 1) + 16 from its corner.
  EXPECT_EQ(d_.run("drag Surface 163 227 163 163"), R"({"ok":true})");
  const std::string dump = d_.run("dump");
  EXPECT_NE(dump.find(R"("MoveList":[5254,)"), std::string::npos) << dump;
  EXPECT_NE(d_.run("drag nothing 1 2 3 4").find(R"("ok":false)"), std::string::npos);
}
