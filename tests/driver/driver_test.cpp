#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <memory>
#include <stdexcept>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTimer>

#include "driver.h"
#include "game_window.h"
#include "mdi_form.h"
#include "os_faults.h"
#include "pack_fixture.h"
#include "startup.h"
#include "rt/form.h"
#include "rt/dispatch.h"

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
  EXPECT_EQ(d_.run("open " + std::to_string(game("Stakk 3D"))), R"({"ok":true})");
  std::string dump = d_.run("dump");
  EXPECT_NE(dump.find(R"("caption":"Vantix Pack v3.47  by Morvel Vukran - Stakk 3D")"), std::string::npos);
  EXPECT_NE(dump.find(R"("game":)" + std::to_string(game("Stakk 3D"))), std::string::npos);
  EXPECT_NE(dump.find(R"({"name":"igrica","index":)" + std::to_string(game("Velk Chess")) + R"(,"caption":"Velk Chess")"),
            std::string::npos);
  std::string log = d_.run("log");
  EXPECT_NE(log.find("caption Vantix Pack v3.47  by Morvel Vukran - Stakk 3D"), std::string::npos);
  EXPECT_EQ(d_.run("log"), R"({"ok":true,"log":[]})");
}

TEST_F(DriverTest, MenusClicksAndErrors) {
  d_.run("open " + std::to_string(game("Stakk 3D")));
  EXPECT_EQ(d_.run("menu hpg"), R"({"ok":true})");
  EXPECT_NE(d_.run("log").find("url https://"), std::string::npos);
  EXPECT_NE(d_.run("click nothing(3)").find(R"("ok":false)"), std::string::npos);
  EXPECT_NE(d_.run("frobnicate").find("unknown command"), std::string::npos);
  EXPECT_NE(d_.run("set NoSuchArray 1 2").find("no state"), std::string::npos);
  EXPECT_NE(d_.run("file ../../etc/passwd").find("outside"), std::string::npos);
  EXPECT_EQ(d_.run("wait 250"), R"({"ok":true})");
  EXPECT_NEAR(vt::vhost().nowMs(), 250, 1);
}

TEST_F(DriverTest, ShotSavesTheFrame) {
  d_.run("open " + std::to_string(game("Stakk 3D")));
  std::string file = dir_.filePath("shot.png").toStdString();
  EXPECT_EQ(d_.run("shot " + file), R"({"ok":true})");
  QImage img(QString::fromStdString(file));
  EXPECT_EQ(img.width(), 540);
  EXPECT_GT(img.height(), 452);
}

TEST_F(DriverTest, DragsBetweenTwoPointsOfOneControl) {
  d_.run("open " + std::to_string(game("Velk Chess")));
  // e2 to e4 on the chess board: square centres lie 19 + 32 * (n - 1) + 16 from its corner.
  EXPECT_EQ(d_.run("drag Surface 163 227 163 163"), R"({"ok":true})");
  const std::string dump = d_.run("dump");
  EXPECT_NE(dump.find(R"("MoveList":[5254,)"), std::string::npos) << dump;
  EXPECT_NE(d_.run("drag nothing 1 2 3 4").find(R"("ok":false)"), std::string::npos);
}

namespace {
// A window that records what reaches it, for the success paths of the input commands.
class ProbeForm : public rt::Form {
 public:
  ProbeForm() : rt::Form("Probe", 3000, 3000) {}
  std::vector<std::string> got;
  void Form_Load() override {
    auto& a = add<rt::PictureBox>("A");
    a.Move(0, 0, 40, 40);
    a.setDragMode(1);
    auto& b = add<rt::PictureBox>("B", nullptr, 3);
    b.Move(100, 0, 40, 40);
    a.MouseDown = [this](int button, int shift, float, float) { got.push_back("down " + std::to_string(button) + " " + std::to_string(shift)); };
    a.MouseUp = [this](int button, int, float, float) { got.push_back("up " + std::to_string(button)); };
    b.Click = [this] {
      got.push_back("click B");
      vt::vhost().note("probe", "waiting");
      shell::WaitMs(100);  // an input scheduled with "after" runs in here
      got.push_back("waited");
    };
    b.DragDrop = [this](rt::Control* src, float, float) { got.push_back("drop " + (src ? src->Name() : "?")); };
    KeyPreview = true;
    Form_KeyDown = [this](int& code, int shift) { got.push_back("key " + std::to_string(code)); };
  }
};
}  // namespace

TEST_F(DriverTest, InputCommandsReachTheControls) {
  auto probe = std::make_shared<ProbeForm>();
  probe->Load();
  probe->Show();
  EXPECT_EQ(d_.run("down A 2 1"), R"({"ok":true})");
  EXPECT_EQ(d_.run("up A 2"), R"({"ok":true})");
  EXPECT_EQ(d_.run("drag A B(3)"), R"({"ok":true})");
  EXPECT_EQ(d_.run("key 38"), R"({"ok":true})");
  EXPECT_EQ(d_.run("after 40 key 39"), R"({"ok":true})");
  EXPECT_EQ(d_.run("click B(3)"), R"({"ok":true})");
  EXPECT_EQ(probe->got, (std::vector<std::string>{"down 2 1", "up 2", "drop A", "key 38", "click B",
                                                   "key 39", "waited"}));
  const std::string log = d_.run("log");
  EXPECT_NE(log.find(R"(after {\"ok\":true})"), std::string::npos) << log;
  probe->Unload();
  rt::retireForm(std::move(probe));
}

TEST_F(DriverTest, FilesOfTheDataFolderAndPlayThroughTheMenu) {
  d_.run("open " + std::to_string(game("Kippel")));  // it creates its best-score file
  const std::string file = d_.run("file Kippel_hsc_A.nrz");
  EXPECT_EQ(file, R"({"ok":true,"text":"0\r\n"})");
  EXPECT_NE(d_.run("file nothing.nrz").find("no such file"), std::string::npos);
  // Its first MiB, and whether there was more.
  for (const qsizetype size : {1 << 20, (1 << 20) + 1}) {
    QFile big(dir_.filePath("Morvelware/big"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    big.write(QByteArray(size, 'x'));
    big.close();
    EXPECT_EQ(d_.run("file big"), R"({"ok":true,"text":")" + std::string(1 << 20, 'x') +
                                      (size > (1 << 20) ? R"(","cut":true})" : R"("})"));
  }
  // "open" goes through the shown window's "Play" list, so the frame and the window agree.
  EXPECT_EQ(d_.run("open " + std::to_string(game("Gemmet"))), R"({"ok":true})");
  EXPECT_NE(d_.run("dump").find(R"("window":"Form21")"), std::string::npos);
  EXPECT_NE(d_.run("open " + std::to_string(shell::kGameCount + 1)).find("no game"), std::string::npos);
}

namespace {
bool isError(const std::string& out) { return out.rfind(R"({"ok":false,"error":")", 0) == 0; }
// Qt's decoder turns every invalid sequence into U+FFFD, so only valid UTF-8 comes back unchanged.
bool validUtf8(const std::string& s) { return QString::fromUtf8(s).toUtf8().toStdString() == s; }
}  // namespace

TEST_F(DriverTest, BadNumbersAreAnsweredAndTheDriverGoesOn) {
  const std::string kippel = std::to_string(game("Kippel")), wendrix = std::to_string(game("Wendrix"));
  const std::string isKippel = R"("game":)" + kippel + ",";
  d_.run("open " + kippel);
  const double before = vt::vhost().nowMs();
  // Past the last row, and Kippel's number plus 65536 (cut to 16 bits, it would open Kippel).
  const std::string pastTheLast = "open " + std::to_string(shell::kGameCount);
  const std::string wrapsToKippel = "open " + std::to_string(65536 + game("Kippel"));
  const std::vector<std::string> bad = {"click slika(99999999999)", "menu igrica(99999999999)",
                                       "down Element(2147483648)", "click Element(-1)", "wait 600001", "wait -5",
                                       "wait 1e3", "wait many", "open 99999", "open -1", "open 2147483648",
                                       wrapsToKippel, pastTheLast, "open " + kippel + "x"};
  for (const std::string& cmd : bad) {
    EXPECT_TRUE(isError(d_.run(cmd))) << cmd;
    // Still the same game, still answering.
    EXPECT_NE(d_.run("dump").find(isKippel), std::string::npos) << "after " << cmd;
  }
  EXPECT_EQ(vt::vhost().nowMs(), before);
  EXPECT_TRUE(isError(d_.run("open 255")));  // no such row in the Play list: nothing opens
  EXPECT_NE(d_.run("dump").find(isKippel), std::string::npos);
  EXPECT_EQ(d_.run("wait 600000"), R"({"ok":true})");
  EXPECT_EQ(d_.run("click Element(99)"), R"({"ok":true})");
  EXPECT_EQ(d_.run("menu igrica(" + wendrix + ")"), R"({"ok":true})");
  EXPECT_NE(d_.run("dump").find(R"("game":)" + wendrix + ","), std::string::npos);
}

TEST_F(DriverTest, NumbersThatDoNotFitWhatTheySetAreRefused) {
  // Gemmet: a Board of empty, fifty pictures or a picture being removed; a Score short of the
  // 32-bit end; a selection on the board or none.
  ASSERT_EQ(d_.run("open " + std::to_string(game("Gemmet"))), R"({"ok":true})");
  const auto board0 = [this] { return state("Board").at(0); };
  const long long before = board0();
  for (const char* cmd : {"set Board 0 99999999999999999999", "set Board 18446744073709551615 5",
                          "set Board 18446744073709551616 5", "set Board 100 5", "set Board -1 5", "set Board 0 -70000",
                          "set Board 0 32768", "set Board 0 abc", "set Board 0 5x", "set Board 0 5 1 70000",
                          "set Board 0 -1", "set Board 0 51", "set Board 0 254", "set Board 0 256",
                          "set Score 0 4294967297", "set Score 0 2147483648", "set Score 0 1000000000",
                          "set Score 0 -1", "set Score 1 5", "set selection 0 100", "set selection 0 -1",
                          "seed 4294967296", "seed -1", "seed x", "key 256", "key -1", "key 38 8", "key 38 up 8",
                          "key 99999999999", "click Command1 2147483648", "click Command1 8", "click Command1 1 8",
                          "click Command1 1 0 2147483648 0", "down Picture1 1 0 2147483647 0", "up Picture1 1 0 5",
                          "drag Picture1 0 0 2147483647 0", "drag Picture1 0 0 x 0", "after 2147483648 key 38",
                          "after -1 key 38"}) {
    EXPECT_TRUE(isError(d_.run(cmd))) << cmd;
    EXPECT_EQ(board0(), before) << "after " << cmd;  // nothing half-written either
  }
  EXPECT_EQ(state("Score").at(0), 0);
  // What fits is taken, to the ends of each range.
  EXPECT_EQ(d_.run("set Board 0 0 99 255"), R"({"ok":true})");
  EXPECT_EQ(state("Board").at(0), 0);
  EXPECT_EQ(state("Board").at(99), 255);
  EXPECT_EQ(d_.run("set Score 0 999999999"), R"({"ok":true})");
  EXPECT_EQ(state("Score").at(0), 999999999);
  EXPECT_EQ(d_.run("set selection 0 255"), R"({"ok":true})");
  for (const char* cmd : {"seed 4294967295", "key 255", "key 38 up 7", "click Command5 1 7", "click Picture1 1 0 -5 -5"})
    EXPECT_EQ(d_.run(cmd), R"({"ok":true})") << cmd;
}

TEST_F(DriverTest, APipeInTheDataFolderHangsNothing) {
  // A pipe at a file's name and at the name of its lock: opening Kippel makes its file, and the
  // driver's "file" answers at once. In a child that an alarm ends, so a hang fails fast.
  const std::string data = shell::frameForm().DataFolder;
  ASSERT_EQ(mkfifo((data + "Kippel_hsc_A.nrz.lock").c_str(), 0600), 0);
  ASSERT_EQ(mkfifo((data + "pipe").c_str(), 0600), 0);
  const osf::Ended child = osf::InChild([&] {
    EXPECT_EQ(d_.run("open " + std::to_string(game("Kippel"))), R"({"ok":true})");
    EXPECT_EQ(d_.run("file Kippel_hsc_A.nrz"), R"({"ok":true,"text":"0\r\n"})");
    EXPECT_TRUE(isError(d_.run("file Kippel_hsc_A.nrz.lock")));
    EXPECT_TRUE(isError(d_.run("file pipe")));
    EXPECT_TRUE(isError(d_.run("file .")));
  }, 5);
  EXPECT_TRUE(child.ok()) << child.text();
}

TEST_F(DriverTest, AFullDiskOrAFileSizeLimitKeepsEveryBest) {
  // Gemmet's twelve bests; a new best of 999999 for the options in force (skill 1, groups of 3:
  // line 5) cannot be written.
  const std::string data = shell::frameForm().DataFolder;
  const QString file = QString::fromStdString(data) + "Gemmet_hsc.nrz";
  QByteArray twelve;
  for (int k = 0; k < 12; ++k) twelve += QByteArray::number(100 + k) + "\r\n";
  const auto put = [&] {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(twelve);
  };
  const auto bytes = [&] {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  };
  const auto saveBest = [&] {
    EXPECT_EQ(d_.run("open " + std::to_string(game("Gemmet"))), R"({"ok":true})");
    EXPECT_EQ(d_.run("set Score 0 999999"), R"({"ok":true})");
    EXPECT_EQ(d_.run("click Command1.pic_Button"), R"({"ok":true})");
    EXPECT_NE(d_.run("dump").find(R"({"name":"Label8","kind":"Label","caption":"999999")"), std::string::npos);
    EXPECT_EQ(bytes(), twelve);
  };
  put();
  const osf::Ended limited = osf::InChild([&] {
    osf::LimitFileSize(twelve.size());
    saveBest();
  });
  EXPECT_TRUE(limited.ok()) << limited.text();
  EXPECT_EQ(bytes(), twelve);
  if (geteuid() != 0) GTEST_SKIP() << "mounting a small tmpfs needs root";
  const osf::Ended full = osf::InChild([&] {
    if (!osf::MountSmallDisk(data, 64)) osf::Exit(osf::kCannot);
    put();
    ASSERT_TRUE(osf::FillDisk(data));
    saveBest();
  });
  if (full.code == osf::kCannot) GTEST_SKIP() << "no tmpfs could be mounted here";
  EXPECT_TRUE(full.ok()) << full.text();
}

TEST_F(DriverTest, EveryLineIsValidUtf8) {
  // Lobbo shows the names of its file as they are, bytes of another encoding included.
  const QString folder = dir_.filePath("Morvelware");
  QDir().mkpath(folder);
  QFile f(folder + "/Lobbo.nrz");
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("Jos\xe9\r\n5$\r\n\xc0\xaf\xed\xa0\x80\xf5\r\n4$\r\nR\xc3\xa9ka \xe2\x82\xac \xf0\x9f\x98\x80\r\n3$\r\n"
          "cut \xe2\x82\r\n2$\r\n\x80\xbf\r\n1$\r\n");
  f.close();
  ASSERT_EQ(d_.run("open " + std::to_string(game("Lobbo"))), R"({"ok":true})");
  for (const char* cmd : {"dump", "file Lobbo.nrz", "log"}) {
    const std::string out = d_.run(cmd);
    EXPECT_TRUE(validUtf8(out)) << cmd;
    EXPECT_EQ(out.find("\\u00"), std::string::npos) << cmd;
  }
  const std::string dump = d_.run("dump");
  EXPECT_NE(dump.find(R"("caption":"Jos\ufffd")"), std::string::npos) << dump;
  // One replacement for each byte that starts no valid sequence; valid text passes unchanged.
  EXPECT_NE(dump.find(R"("caption":"\ufffd\ufffd\ufffd\ufffd\ufffd\ufffd")"), std::string::npos);
  EXPECT_NE(dump.find("\"caption\":\"R\xc3\xa9ka \xe2\x82\xac \xf0\x9f\x98\x80\""), std::string::npos);
  EXPECT_NE(dump.find(R"("caption":"cut \ufffd\ufffd")"), std::string::npos);
  EXPECT_NE(dump.find(R"("caption":"\ufffd\ufffd")"), std::string::npos);
}

namespace {
// The pack's frame with no game window, as before the first game opens.
class DriverNoWindowTest : public PackTest {
 protected:
  drv::Driver d_;
};
}  // namespace

TEST_F(DriverNoWindowTest, OpenTakesOnlyAGameOr255) {
  const int kippel = game("Kippel");
  const std::vector<std::string> bad = {"open 99999", "open -1", "open 2147483648",
                                       "open " + std::to_string(65536 + kippel),
                                       "open " + std::to_string(shell::kGameCount)};
  for (const std::string& cmd : bad) EXPECT_TRUE(isError(d_.run(cmd))) << cmd;
  EXPECT_EQ(d_.run("open 255"), R"({"ok":true})");
  EXPECT_EQ(rt::frame().activeForm(), nullptr);
  EXPECT_EQ(d_.run("open " + std::to_string(kippel)), R"({"ok":true})");
  EXPECT_NE(d_.run("dump").find(R"("game":)" + std::to_string(kippel) + ","), std::string::npos);
}

TEST_F(DriverTest, ACommandInsideLobbosFallAnswersAndTheFallGoesOn) {
  // A wait given in the middle of a fall: the fall's clock then stood a rounding error short of
  // its next frame. In a child that an alarm ends, so a hang fails fast.
  const osf::Ended child = osf::InChild([&] {
    EXPECT_EQ(d_.run("open " + std::to_string(game("Lobbo"))), R"({"ok":true})");
    EXPECT_EQ(d_.run("after 100 wait 5"), R"({"ok":true})");
    EXPECT_EQ(d_.run("click Command1.pic_Button"), R"({"ok":true})");  // a whole game
    const std::string dump = d_.run("dump");
    EXPECT_NE(dump.find(R"("gameEnded":1)"), std::string::npos) << dump;
    EXPECT_NE(d_.run("log").find(R"(after {\"ok\":true})"), std::string::npos);
  }, 20);
  EXPECT_TRUE(child.ok()) << child.text();
}

namespace {
size_t count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++n;
  return n;
}
}  // namespace

TEST_F(DriverTest, AnswersGrowAtMostWithTheirInput) {
  // A log taken inside a wait would go back into the log, its escapes doubled at each turn.
  for (const char* given : {"after 0 log", "after 0 after 0 log"}) {
    for (int k = 0; k < 20; ++k) {
      EXPECT_LE(d_.run(given).size(), 100u) << given;
      d_.run("wait 1");
    }
    EXPECT_LE(d_.run("log").size(), 20 * 100u) << given;
  }
  // One line of nested "after"s: each answers once in the log, the innermost command too.
  std::string nested;
  for (int k = 0; k < 2000; ++k) nested += "after 0 ";
  EXPECT_EQ(d_.run(nested + "wait 0"), R"({"ok":true})");
  d_.run("wait 1");
  EXPECT_EQ(count(d_.run("log"), R"("after {\"ok\":true}")"), 2000u);
  // An unknown command is named by its first 80 characters, not bytes.
  std::string euros;
  for (int k = 0; k < 100; ++k) euros += "\u20ac";
  for (const auto& [given, named] : {std::pair(std::string(1 << 20, 'x'), std::string(80, 'x')),
                                     std::pair(euros, euros.substr(0, 80 * 3))})
    EXPECT_EQ(d_.run(given + " 1"), R"({"ok":false,"error":"unknown command )" + named + R"(..."})");
}

TEST_F(DriverTest, CommandsDueTogetherRunInsideEachOthersWaitsWhileTheStackLasts) {
  // Recollo's "set" pumps as it redraws, so each one runs the next inside it: here 300 deep, four
  // times in one wait. Together they pump more than one step may, so each needs a count of its own.
  d_.run("seed 1");
  d_.run("open " + std::to_string(game("Recollo")));
  d_.run("log");
  for (int k = 0; k < 1200; ++k) d_.run("after " + std::to_string(10 * (1 + k / 300)) + " set Board 0 45");
  const long pumps = vt::vhost().pumps();
  EXPECT_EQ(d_.run("wait 40"), R"({"ok":true})");
  EXPECT_GT(vt::vhost().pumps() - pumps, vt::VirtualHost::kStepPumps);
  EXPECT_EQ(count(d_.run("log"), R"("after {\"ok\":true}")"), 1200u);
  // 6,000 that each wait: they run while the stack lasts, the rest are refused, and the stack
  // holds, with the stack the test has, with 1 MiB and with none. Then waits that come due each
  // inside the one before and last longer than a step may: where all ran, the step ends in the
  // deepest and is thrown up through all. In a child, so a crash fails only this.
  for (const rlim_t stack : {rlim_t{0}, rlim_t{1} << 20, RLIM_INFINITY}) {
    const osf::Ended child = osf::InChild([&] {
      rlimit limit{};
      ASSERT_EQ(getrlimit(RLIMIT_STACK, &limit), 0);
      if (stack) limit.rlim_cur = std::min(stack, limit.rlim_max);
      ASSERT_EQ(setrlimit(RLIMIT_STACK, &limit), 0);
      drv::Driver d;  // measures the stack it has
      for (int k = 0; k < 6000; ++k) d.run("after 0 wait 1");
      for (int k = 0; k < 7; ++k) d.run("after " + std::to_string(k * 599000) + " wait 599000");
      const std::string waited = d.run("wait 1");
      const std::string log = d.run("log");
      const size_t ran = count(log, R"("after {\"ok\":true}")");
      const size_t refused = count(log, "commands, with little stack left");
      if (refused) {
        EXPECT_EQ(waited, R"({"ok":true})");
        EXPECT_EQ(ran + refused, 6001u);  // the first long wait too; the others never came due
        EXPECT_NE(log.find("wait 1: not run inside the waits of " + std::to_string(ran + 1) + " commands"), std::string::npos);
      } else {
        EXPECT_NE(waited.find("wait 1 did not settle"), std::string::npos) << waited;
      }
      if (stack == rlim_t{1} << 20) {
        EXPECT_GT(refused, 0u);
      }
    }, 20);
    EXPECT_TRUE(child.ok()) << stack << ": " << child.text();
  }
}

namespace {
// A game window whose controls loop for ever or raise exceptions; its registry row is Kippel's.
class FaultyWindow : public shell::GameWindow {
 public:
  FaultyWindow() : shell::GameWindow(shell::GameRegistry[shell::GameIndexOf("Kippel")], 6000, 3000) {}
  void Form_Load() override {
    const std::pair<const char*, std::function<void()>> controls[] = {
        {"Loop", [] {
           for (;;) shell::WaitMs(60'000);
         }},
        {"Pump", [] {
           for (;;) rt::DoEvents();
         }},
        {"Std", [] { throw std::out_of_range("map::at"); }},
        {"Other", [] { throw 42; }},
        {"Wait", [] { shell::WaitMs(100); }},
    };
    int left = 0;
    for (const auto& [name, click] : controls) {
      auto& c = add<rt::PictureBox>(name);
      c.Move(left, 0, 40, 40);
      c.Click = click;
      left += 50;
    }
  }
};

std::string errorOf(const std::string& out) {
  const std::string head = R"({"ok":false,"error":")";
  return out.rfind(head, 0) == 0 ? out.substr(head.size()) : "";
}
}  // namespace

TEST_F(DriverTest, ACommandThatNeverSettlesOrRaisesAnswersAndTheGameOpensAfresh) {
  const std::string kippel = R"("game":)" + std::to_string(game("Kippel")) + ",";
  // Each answers an error naming the command, the game whose handler it cut short opens afresh
  // (its window had stopped part-way) and the next command runs on it. In a child that an alarm
  // ends: a command that never ends, or an exception that ends the driver, fails fast.
  for (const char* command : {"click Loop", "click Pump", "click Std", "click Other"}) {
    const osf::Ended child = osf::InChild([&] {
      auto faulty = std::make_shared<FaultyWindow>();
      faulty->Load();
      faulty->Show();
      const std::string error = errorOf(d_.run(command));
      EXPECT_EQ(error.rfind(command, 0), 0u) << error;
      EXPECT_NE(error.find("Kippel opened afresh"), std::string::npos) << error;
      EXPECT_FALSE(faulty->isLoaded());
      EXPECT_EQ(rt::dispatchDepth(), 0);
      EXPECT_NE(d_.run("dump").find(kippel), std::string::npos);
      EXPECT_EQ(d_.run("click Element(0)"), R"({"ok":true})");
      rt::retireForm(std::move(faulty));
    }, 20);
    EXPECT_TRUE(child.ok()) << command << ": " << child.text();
  }
  // What the answers say.
  const osf::Ended child = osf::InChild([&] {
    auto faulty = std::make_shared<FaultyWindow>();
    faulty->Load();
    faulty->Show();
    EXPECT_NE(d_.run("click Loop").find("did not settle"), std::string::npos);
    rt::retireForm(std::move(faulty));
    faulty = std::make_shared<FaultyWindow>();
    faulty->Load();
    faulty->Show();
    EXPECT_NE(d_.run("click Std").find("click Std: map::at"), std::string::npos);
    rt::retireForm(std::move(faulty));
    faulty = std::make_shared<FaultyWindow>();
    faulty->Load();
    faulty->Show();
    EXPECT_NE(d_.run("click Other").find("no std::exception"), std::string::npos);
    rt::retireForm(std::move(faulty));
  }, 20);
  EXPECT_TRUE(child.ok()) << child.text();
}

TEST_F(DriverTest, ACommandGivenWithAfterThatRaisesEndsOnlyItself) {
  const osf::Ended child = osf::InChild([&] {
    auto faulty = std::make_shared<FaultyWindow>();
    faulty->Load();
    faulty->Show();
    // It runs inside the wait of "click Wait", whose window it opens afresh: that click ends
    // there, and the driver goes on.
    EXPECT_EQ(d_.run("after 50 click Std"), R"({"ok":true})");
    EXPECT_EQ(d_.run("click Wait"), R"({"ok":true})");
    const std::string log = d_.run("log");
    EXPECT_NE(log.find(R"(after {\"ok\":false,\"error\":\"click Std: map::at; Kippel opened afresh\"})"),
              std::string::npos)
        << log;
    EXPECT_FALSE(faulty->isLoaded());
    EXPECT_EQ(rt::dispatchDepth(), 0);
    EXPECT_NE(d_.run("dump").find(R"("window":"Form9")"), std::string::npos);
    rt::retireForm(std::move(faulty));
  }, 20);
  EXPECT_TRUE(child.ok()) << child.text();
}

TEST_F(DriverTest, ACommandGivenWithAfterThatNeverSettlesAnswersForTheCommandItRanInAndAGameOpens) {
  const auto shownIsTheFramesGame = [] {
    const rt::Form* shown = rt::frame().activeForm();
    return shown && shown == shell::GameInstance(shell::frameForm().CurrentGame).get() && rt::dispatchDepth() == 0;
  };
  // A handler that loops, run inside the wait of another: the command given last answers the
  // error and the game opens afresh. In a child that an alarm ends, so a hang fails fast.
  const osf::Ended looping = osf::InChild([&] {
    auto faulty = std::make_shared<FaultyWindow>();
    faulty->Load();
    faulty->Show();
    EXPECT_EQ(d_.run("after 50 click Loop"), R"({"ok":true})");
    const std::string error = errorOf(d_.run("click Wait"));
    EXPECT_EQ(error.rfind("click Wait did not settle", 0), 0u) << error;
    EXPECT_NE(error.find("Kippel opened afresh"), std::string::npos) << error;
    EXPECT_FALSE(faulty->isLoaded());
    EXPECT_TRUE(shownIsTheFramesGame());
    // The host pumps Qt's own events again (the menu bar is rebuilt through them).
    bool pumped = false;
    QTimer::singleShot(0, [&pumped] { pumped = true; });
    EXPECT_EQ(d_.run("wait 10"), R"({"ok":true})");
    EXPECT_TRUE(pumped);
    rt::retireForm(std::move(faulty));
  }, 20);
  EXPECT_TRUE(looping.ok()) << looping.text();
  // A switch of games given with "after", cut short while the new game loads by commands that
  // let more than an hour pass in one step: the game it was opening opens afresh and is shown.
  const osf::Ended switching = osf::InChild([&] {
    const std::string wendrix = std::to_string(game("Wendrix"));
    EXPECT_EQ(d_.run("open " + std::to_string(game("Kippel"))), R"({"ok":true})");
    EXPECT_EQ(d_.run("after 10 open " + wendrix), R"({"ok":true})");
    EXPECT_EQ(d_.run("after 10 wait 600000"), R"({"ok":true})");
    for (int k = 1; k <= 7; ++k) EXPECT_EQ(d_.run("after " + std::to_string(k * 600000) + " wait 600000"), R"({"ok":true})");
    const std::string error = errorOf(d_.run("wait 100"));
    EXPECT_EQ(error.rfind("wait 100 did not settle", 0), 0u) << error;
    EXPECT_NE(error.find("Wendrix opened afresh"), std::string::npos) << error;
    EXPECT_TRUE(shownIsTheFramesGame());
    EXPECT_NE(d_.run("dump").find(R"("game":)" + wendrix + R"(,"time_ms")"), std::string::npos);
    EXPECT_EQ(d_.run("click slika(0)"), R"({"ok":true})");
  }, 20);
  EXPECT_TRUE(switching.ok()) << switching.text();
}

TEST_F(DriverTest, AGameCutShortWhileItOpensOrStartsANewGameIsShownAfreshAndTakesInput) {
  // Every game chosen from "Play" with "after", cut short while it opens by waits that let more
  // than an hour pass in one step: the chess window pumps in its load with its board busy, and
  // its own "Play" entry refuses while it is busy. In a child that an alarm ends.
  const osf::Ended child = osf::InChild([&] {
    const std::string ok = R"({"ok":true})";
    const auto cutShortBy = [&](const std::string& command, const std::string& cut) {
      d_.run("after " + cut + " wait 600000");
      for (int k = 1; k <= 7; ++k) d_.run("after " + std::to_string(k * 600000) + " wait 600000");
      return errorOf(d_.run(command));
    };
    const auto shown = [&](int g) {
      const std::string caption = shell::GameRegistry[g].caption;
      EXPECT_EQ(rt::frame().activeForm(), shell::GameInstance(g).get()) << caption;
      EXPECT_EQ(rt::dispatchDepth(), 0) << caption;
      EXPECT_NE(d_.run("dump").find(R"("game":)" + std::to_string(g) + R"(,"time_ms")"), std::string::npos) << caption;
      EXPECT_EQ(d_.run("menu hpg"), ok) << caption;
      EXPECT_NE(d_.run("log").find("url https://"), std::string::npos) << caption;
    };
    ASSERT_EQ(d_.run("open " + std::to_string(game("Kippel"))), ok);
    for (int g = 0; g < shell::kGameCount; ++g) {
      d_.run("after 10 open " + std::to_string(g));
      const std::string error = cutShortBy("wait 100", "10");
      EXPECT_NE(error.find(std::string("; ") + shell::GameRegistry[g].caption + " opened afresh"), std::string::npos)
          << error;
      shown(g);
    }
    // A new game as Black, cut short while it draws the turned board.
    const int chess = game("Velk Chess");
    EXPECT_NE(cutShortBy("menu SubFileMenu(1)", "0").find("Velk Chess opened afresh"), std::string::npos);
    shown(chess);
    // The fresh board takes a move: e2 to e4, then the computer's reply.
    EXPECT_EQ(d_.run("drag Surface 163 227 163 163"), ok);
    EXPECT_NE(d_.run("dump").find(R"("MoveList":[5254,)"), std::string::npos);
  }, 20);
  EXPECT_TRUE(child.ok()) << child.text();
}
