// Lobbo's window on the virtual host: the pace of the fall, steering, landing, game over, the
// top-players file and closing the window in the middle of a fall.
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>

#include "lobbo.h"
#include "os_faults.h"
#include "pack_fixture.h"
#include "rt/dispatch.h"
#include "rt/files.h"
#include "rt/frame_window.h"
#include "rt/random.h"

using falling::Form23;
using namespace lobbo;

namespace {

constexpr int kLobbo = shell::GameIndexOf("Lobbo"), kKippel = shell::GameIndexOf("Kippel");

// Draws for a single plain block of kind 1..7.
std::vector<float> single(int kind) { return {0.0f, (kind - 0.5f) / 7, 0.9f}; }
// Draws for a piece of three blocks.
std::vector<float> triple(int a, int b, int c) {
  return {0.99f, (a - 0.5f) / 7, 0.0f, (b - 0.5f) / 7, 0.0f, (c - 0.5f) / 7, 0.0f};
}
std::vector<float> join(std::initializer_list<std::vector<float>> parts) {
  std::vector<float> out;
  for (auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

}  // namespace

class LobboWindow : public PackTest {
 protected:
  void SetUp() override {
    PackTest::SetUp();
    mdi_.DataFolder = dir_.path().toStdString() + "/";
    w = &openAs<Form23>("Lobbo");
    takeLog();
  }
  std::string path() const { return dir_.path().toStdString() + "/Lobbo.nrz"; }
  QByteArray file() const {
    QFile f(QString::fromStdString(path()));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  void writeFile(const QByteArray& bytes) {
    QFile f(QString::fromStdString(path()));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
  // Runs `check` every 5 ms of virtual time from now until it returns true.
  void poll(std::function<bool()> check) {
    auto step = std::make_shared<std::function<void()>>();
    *step = [this, check, step] {
      if (!check()) vt::vhost().after(5, *step);
    };
    vt::vhost().after(5, *step);
  }
  // Chooses another game from the window's "Play" list, as the user would mid-fall.
  static void switchGame(Form23* from) {
    rt::dispatch(from, [from] { from->findMenu("igrica", kKippel)->fireClick(); });
  }
  void start() { click(*w->Command1); }
  // "Play" > Lobbo: a fresh window that reads the file again.
  void reopen() {
    inFrame([this] { w->igrica_Click(kLobbo); });
    w = &shownAs<Form23>();
  }

  QTemporaryDir dir_;
  Form23* w = nullptr;
};

TEST_F(LobboWindow, APieceFallsOneRowInTheLevelsTime) {
  for (int level : {1, 6, 10}) {
    SCOPED_TRACE(level);
    w = &openAs<Form23>("Lobbo");
    chooseMenu("o221", level - 1);
    vt::ScriptedRandom rnd(join({single(1), single(2), single(3)}));
    const double rowMs = 32 * PixelMicros(level) / 1000.0;
    const double t0 = vt::vhost().nowMs();
    std::vector<std::pair<double, int>> seen;  // first virtual time each row was reached
    poll([&] {
      if (seen.empty() || seen.back().second != w->fall.pieceY)
        seen.push_back({vt::vhost().nowMs() - t0, w->fall.pieceY});
      if (w->fall.pieceY == 11) {
        switchGame(w);
        return true;
      }
      return false;
    });
    start();
    ASSERT_GE(seen.size(), 10u);
    // Row r (from -1) is reached (r + 1) rows after the start, within a frame of the fall.
    for (auto [ms, row] : seen) {
      if (row < 0) continue;
      EXPECT_NEAR(ms, (row + 1) * rowMs, 12.0) << "row " << row;
    }
    EXPECT_NEAR((seen.back().first - seen[2].first) / (seen.back().second - seen[2].second), rowMs, rowMs * 0.02);
  }
}

TEST_F(LobboWindow, AGameSleepsOnlyToTimesStillAhead) {
  // On a clock that moves only in sleeps, a sleep to a time already reached is the loop that
  // never ends; the fall compares the very counts it sleeps to, so a game has none. A handler
  // that waits 5 ms inside the fall (as the driver's "after 100 wait 5") moves its frames to
  // times whose microseconds read a rounding error short (1000999.9999999999 for 1001000).
  for (int level : {1, 4, 10}) {
    SCOPED_TRACE(level);
    const int sleeps = vt::vhost().sleeps(), late = vt::vhost().lateSleeps();
    chooseMenu("o221", level - 1);
    vt::vhost().after(100, [] { vt::vhost().sleepUntil(vt::vhost().counterNow() + vt::VirtualHost::kFrequency / 200); });
    start();  // to the end of the game
    EXPECT_TRUE(w->gameEnded);
    EXPECT_GT(vt::vhost().sleeps() - sleeps, 500);
    EXPECT_EQ(vt::vhost().lateSleeps() - late, 0);
    reopen();
  }
}

TEST_F(LobboWindow, APieceThatCannotEnterTheWellStillTakesItsTick) {
  // A block written in the top row over an empty column 4, where no game puts one: every piece
  // lands on it at its first tick, above the well, and is lost, so the game never ends. Each
  // piece still takes its tick (pumping), and a game chosen from "Play" ends it. In a child that
  // an alarm ends, so that a loop that never pumps fails fast.
  const osf::Ended child = osf::InChild([&] {
    w->Board[At(4, 0)] = 1;
    auto keep = shell::HoldWindow(w);
    vt::vhost().after(300, [&] { switchGame(w); });
    start();
    EXPECT_NEAR(vt::vhost().nowMs(), 300, 10);
    EXPECT_NE(open(), w);
    EXPECT_FALSE(w->gameEnded);
  }, 10);
  EXPECT_TRUE(child.ok()) << child.text();
}

TEST_F(LobboWindow, ArrowKeysSteerAndCycleWithAutoRepeat) {
  chooseMenu("ua");
  auto keep = shell::HoldWindow(w);
  vt::ScriptedRandom rnd(join({triple(1, 2, 3), single(4), single(5)}));
  int columnHeld = 0;
  std::array<int16_t, 3> cycled{};
  vt::vhost().after(20, [&] { w->keyDown(37, 0); });  // held: slides one column per row to the wall
  vt::vhost().after(900, [&] {
    columnHeld = w->fall.pieceX;
    w->keyUp(37, 0);
  });
  vt::vhost().after(1000, [&] {
    // Up held with three auto-repeats: four cycles of A, B, C.
    for (int i = 0; i < 4; ++i) w->keyDown(38, 0);
    cycled = w->piece.kinds;
    w->keyUp(38, 0);
    w->keyDown(39, 0);  // no cycle once up is released
  });
  vt::vhost().after(1250, [&] { w->keyUp(39, 0); });
  vt::vhost().after(1500, [&] { switchGame(w); });
  start();
  EXPECT_EQ(columnHeld, 1);
  EXPECT_EQ(cycled, (std::array<int16_t, 3>{3, 1, 2}));
  EXPECT_EQ(w->piece.kinds, (std::array<int16_t, 3>{3, 1, 2}));
  EXPECT_EQ(w->fall.pieceX, 2);  // right held across one row start: one slide
  EXPECT_EQ(w->fall.pixelX, 32);
  EXPECT_FALSE(w->isLoaded());
}

TEST_F(LobboWindow, MouseSteersAndTheRightButtonCycles) {
  auto keep = shell::HoldWindow(w);
  vt::ScriptedRandom rnd(join({triple(1, 2, 3), single(4), single(5)}));
  std::array<int16_t, 3> afterRight{};
  int16_t picked = 0;
  vt::vhost().after(20, [&] {
    clickAt(*w->Picture1, 6 * 32 + 10, 300);  // column 7
    picked = w->fall.targetColumn;
    clickAt(*w->Picture1, 10, 300, 2);
    afterRight = w->piece.kinds;
  });
  poll([&] {
    if (w->fall.pieceX != 7 || w->fall.slideStep != 0) return false;
    switchGame(w);
    return true;
  });
  start();
  EXPECT_EQ(picked, 7);
  EXPECT_EQ(afterRight, (std::array<int16_t, 3>{3, 1, 2}));
  EXPECT_EQ(w->Dio(0).Picture()->ref().text(), "Form23.block3");
}

TEST_F(LobboWindow, ALineFoundAfterACollapseIsPaidSilently) {
  const char* rows[] = {"...B...", ".A.A...", ".CDB...", ".EFB..."};  // rows 9..12
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 7; ++c) {
      const char ch = rows[r][c];
      w->Board[At(c + 1, 9 + r)] = static_cast<int16_t>(ch == '.' ? 0 : ch - 'A' + 1);
    }
  auto keep = shell::HoldWindow(w);
  vt::ScriptedRandom rnd(join({single(1), single(6), single(6)}));
  vt::vhost().after(20, [&] { clickAt(*w->Picture1, 2 * 32 + 10, 300); });  // column 3
  poll([&] {
    if (w->money < 6 || w->Board[At(4, 12)] != 0) return false;
    switchGame(w);
    return true;
  });
  start();
  const std::vector<std::string> log = takeLog();
  EXPECT_EQ(std::count(log.begin(), log.end(), "sound 1"), 1);
  EXPECT_EQ(std::count(log.begin(), log.end(), "wait 5"), 4 * 32);  // four collapses of 32 steps
  EXPECT_EQ(w->money, 6);
  EXPECT_EQ(w->lova->Caption(), "6$");
  for (int c = 1; c <= 7; ++c) EXPECT_EQ(w->Board[At(c, 10)], 0) << c;
  EXPECT_EQ(w->Board[At(2, 11)], 3);
  EXPECT_EQ(w->Board[At(3, 12)], 6);
}

TEST_F(LobboWindow, GameOverEntersTheTableAndWritesTheFile) {
  // Column 4 stands nine high (rows 4..12) with no line in it; the next block reaches row 3.
  writeFile("Ann\r\n300$\r\nBob\r\n100$\r\nCid\r\n50$\r\nDee\r\n7$\r\nEve\r\n0$\r\n");
  reopen();
  EXPECT_EQ(w->topime(1).Caption(), "Bob");
  for (int r = 4; r <= 12; ++r) w->Board[At(4, r)] = static_cast<int16_t>(1 + r % 2);
  w->ime->setText("Zo\r\ne");
  w->money = 50;  // enters at rank 3, above the old 50
  w->redrawState();
  vt::ScriptedRandom rnd(join({single(3), single(4)}));
  start();
  const std::vector<std::string> log = takeLog();
  EXPECT_NE(std::find(log.begin(), log.end(), "sound 4"), log.end());
  EXPECT_TRUE(w->gameEnded);
  EXPECT_FALSE(w->Command1->Visible());
  EXPECT_FALSE(w->ime->Enabled());
  EXPECT_EQ(file(), QByteArray("Ann\r\n300$\r\nBob\r\n100$\r\nZoe\r\n50$\r\nCid\r\n50$\r\nDee\r\n7$\r\n"));
  EXPECT_EQ(w->topime(2).Caption(), "Zoe");
  EXPECT_EQ(w->topcash(2).Caption(), "50$");

  // "Play" > Lobbo starts afresh with the saved table.
  reopen();
  EXPECT_TRUE(w->Command1->Visible());
  EXPECT_TRUE(w->ime->Enabled());
  EXPECT_EQ(w->topime(2).Caption(), "Zoe");
  EXPECT_EQ(w->lova->Caption(), "0$");
}

TEST_F(LobboWindow, ANameTypedWithAnEmojiIsSavedAsUtf8) {
  for (int r = 4; r <= 12; ++r) w->Board[At(4, r)] = static_cast<int16_t>(1 + r % 2);
  w->ime->setText("");
  click(*w->ime);
  ASSERT_EQ(w->focus(), w->ime);
  // Keys as the window system gives them: an emoji is one key whose text is a surrogate pair,
  // a flag is two characters from one key.
  rt::FrameWindow* fw = rt::frame().window();
  const QString smile = QString::fromUtf8("\xF0\x9F\x98\x80");
  const QString flag = QString::fromUtf8("\xF0\x9F\x87\xAD\xF0\x9F\x87\xB7");
  ASSERT_EQ(smile.size(), 2);
  for (const auto& [key, text] : std::vector<std::pair<int, QString>>{
           {Qt::Key_Z, "Z"}, {Qt::Key_O, "o"}, {0, smile}, {0, flag}, {Qt::Key_Eacute, QString::fromUtf8("\xC3\xA9")}}) {
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(fw, &down);
    QCoreApplication::sendEvent(fw, &up);
  }
  const std::string name = "Zo\xF0\x9F\x98\x80\xF0\x9F\x87\xAD\xF0\x9F\x87\xB7\xC3\xA9";
  EXPECT_EQ(w->ime->Text(), name);
  vt::ScriptedRandom rnd(join({single(3), single(4)}));
  start();
  ASSERT_TRUE(w->gameEnded);
  EXPECT_EQ(w->topime(0).Caption(), name);
  EXPECT_TRUE(file().startsWith(QByteArray::fromStdString(name + "\r\n0$\r\nMorvel\r\n"))) << file().toStdString();
}

TEST_F(LobboWindow, MissingAndShortFiles) {
  // Missing: the load writes the design table.
  EXPECT_EQ(file(), QByteArray("Morvel\r\n0$\r\nMorvel\r\n0$\r\nMorvel\r\n0$\r\nMorvel\r\n0$\r\nMorvel\r\n0$\r\n"));
  // Short: the lines there are read, the rest keep their design captions.
  writeFile("Ann\n12$\nBob");
  reopen();
  EXPECT_EQ(w->topime(0).Caption(), "Ann");
  EXPECT_EQ(w->topcash(0).Caption(), "12$");
  EXPECT_EQ(w->topime(1).Caption(), "Bob");
  EXPECT_EQ(w->topcash(1).Caption(), "0$");
  EXPECT_EQ(w->topime(4).Caption(), "Morvel");
  EXPECT_EQ(file(), QByteArray("Ann\n12$\nBob"));  // read, not rewritten
}

TEST_F(LobboWindow, ClosingMidFallTouchesNothingAfterwards) {
  for (int r = 4; r <= 12; ++r) w->Board[At(4, r)] = static_cast<int16_t>(1 + r % 2);
  vt::ScriptedRandom rnd(join({single(3), single(4)}));
  const QByteArray before = file();
  auto keep = shell::HoldWindow(w);
  bool closedDuringFall = false;
  vt::vhost().after(200, [&] {
    closedDuringFall = w->playing();
    switchGame(w);
  });
  start();
  EXPECT_TRUE(closedDuringFall);
  EXPECT_FALSE(w->isLoaded());
  EXPECT_FALSE(w->gameEnded);
  EXPECT_FALSE(w->Command1->Visible());  // no reset of the well
  EXPECT_EQ(w->Board[At(4, 4)], 1);
  const std::vector<std::string> log = takeLog();
  for (const std::string& entry : log)
    EXPECT_TRUE(entry.rfind("sound", 0) != 0 && entry.find("Lobbo") == std::string::npos) << entry;
  EXPECT_EQ(file(), before);
  EXPECT_EQ(rt::frame().activeForm()->Name(), "Form9");
}

TEST_F(LobboWindow, OptionsLockDuringPlayAndHideNextKeepsDrawing) {
  chooseMenu("o221", 4);
  EXPECT_EQ(w->startLevel, 5);
  chooseMenu("o21");
  EXPECT_FALSE(w->Picture7->Visible());
  vt::ScriptedRandom rnd(join({single(2), triple(4, 5, 6)}));
  bool locked = false;
  vt::vhost().after(50, [&] {
    locked = !w->o22->Enabled() && !w->ua->Enabled() && !w->ime->Enabled() && w->o21->Enabled();
    EXPECT_EQ(w->next.kinds, (std::array<int16_t, 3>{4, 5, 6}));
    EXPECT_EQ(w->lev->Caption(), "5");
    switchGame(w);
  });
  start();
  EXPECT_TRUE(locked);
}

TEST_F(LobboWindow, TheWindowMakesItsDataFolderAgainWhenItHasGone) {
  const std::string folder = dir_.path().toStdString() + "/Morvelware/";
  mdi_.DataFolder = folder;  // the folder the frame made at the start, deleted since
  reopen();
  EXPECT_TRUE(QFile::exists(QString::fromStdString(folder + "Lobbo.nrz")));
  EXPECT_EQ(w->topPlayersPath(), folder + "Lobbo.nrz");
}

TEST_F(LobboWindow, DriverWrittenStateStaysInsideThePieceAndTheWell) {
  // A piece of one to three blocks, pixels inside the well, walls and floor that stay so.
  const auto& vars = w->state();
  for (const char* length : {"pieceLength", "nextLength"})
    for (long long off : {-3, -1, 3, 7}) EXPECT_FALSE(vars.at(length).fits(0, off)) << length << " " << off;
  for (long long off : {-1, 193, 2000}) EXPECT_FALSE(vars.at("pixelX").fits(0, off)) << off;
  for (long long off : {-97, 385, 20000}) EXPECT_FALSE(vars.at("pixelY").fits(0, off)) << off;
  const rt::StateVar& well = vars.at("Board");
  EXPECT_FALSE(well.fits(At(0, 5), kEmpty));
  EXPECT_FALSE(well.fits(At(8, 5), kEmpty));
  EXPECT_FALSE(well.fits(At(3, kFloorRow), 1));
  EXPECT_TRUE(well.fits(At(3, kFloorRow), kWall));
  EXPECT_TRUE(well.fits(At(7, 1), kLineMark));
  EXPECT_TRUE(well.fits(At(7, 0), kSpecialBlock));
  EXPECT_FALSE(well.fits(At(7, 0), kSpecialBlock + 1));  // no mark in the top row: none removes it

  auto keep = shell::HoldWindow(w);
  vt::ScriptedRandom rnd(join({single(1), single(2), single(3), single(4)}));
  std::vector<long long> lengths;
  int16_t secondPiece = 0;
  vt::vhost().after(20, [&] {
    setState("pieceLength", "2");
    setState("nextLength", "0");
    lengths = state("pieceLength");
    lengths.push_back(state("nextLength").at(0));
    clickAt(*w->Picture1, 10, 300, 2);  // cycles three blocks now
    setState("pieceKinds", "3 3 3");
    setState("pieceLength", "0");
    setState("pixelX", "192");  // column 7 on the last row: lands at once
    setState("pixelY", "384");
  });
  poll([&] {
    if (w->fall.pixelY < 0 || w->fall.pixelY > 64 || w->fall.pixelX != 96) return false;
    secondPiece = w->piece.kinds[0];
    switchGame(w);
    return true;
  });
  start();
  EXPECT_EQ(lengths, (std::vector<long long>{2, 0}));
  EXPECT_EQ(secondPiece, 2);  // the game went on with the next piece
  for (int r = 0; r <= kLastRow; ++r)
    for (int c = 1; c <= 7; ++c) EXPECT_EQ(w->Board[At(c, r)], c == 7 && r == kLastRow ? 3 : 0) << c << "," << r;
}

// ---- the top players are never lost

namespace {
const QByteArray kFive = "Ann\r\n300$\r\nBob\r\n100$\r\nCid\r\n50$\r\nDee\r\n7$\r\nEve\r\n0$\r\n";
}  // namespace

class LobboFile : public LobboWindow {
 protected:
  void TearDown() override {
    rt::failReadsForTests(false);
    LobboWindow::TearDown();
  }
  // The next block ends the game with `cash` money for the player `name`.
  void gameOverWith(int cash, const std::string& name) {
    for (int r = 4; r <= 12; ++r) w->Board[At(4, r)] = static_cast<int16_t>(1 + r % 2);
    w->ime->setText(name);
    w->money = cash;
    w->redrawState();
    vt::ScriptedRandom rnd(join({single(3), single(4)}));
    start();
    ASSERT_TRUE(w->gameEnded);
  }
};

TEST_F(LobboFile, AFileThatCannotBeReadKeepsItsFivePlayers) {
  writeFile(kFive);
  rt::failReadsForTests(true);
  reopen();
  EXPECT_EQ(w->topime(0).Caption(), "Morvel");  // nothing read
  gameOverWith(60, "Zoe");
  EXPECT_EQ(w->topime(0).Caption(), "Zoe");  // shown, as after a failed write
  EXPECT_EQ(w->topcash(0).Caption(), "60$");
  EXPECT_EQ(file(), kFive);
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"Lobbo.nrz"});
}

TEST_F(LobboFile, TheResultEntersTheTableAsItStandsInTheFile) {
  writeFile(kFive);
  reopen();
  // Another pack ends a game meanwhile and writes its table.
  writeFile("Max\r\n900$\r\nAnn\r\n300$\r\nBob\r\n100$\r\nCid\r\n50$\r\nDee\r\n7$\r\n");
  gameOverWith(120, "Zoe");
  EXPECT_EQ(file(), QByteArray("Max\r\n900$\r\nAnn\r\n300$\r\nZoe\r\n120$\r\nBob\r\n100$\r\nCid\r\n50$\r\n"));
  EXPECT_EQ(w->topime(0).Caption(), "Max");
  EXPECT_EQ(w->topime(2).Caption(), "Zoe");
  EXPECT_EQ(w->topcash(4).Caption(), "50$");

  // A result below all five enters nowhere: the file is neither written nor, where it is
  // read-only, told of. As the user nobody where root would pass over the modes, in a folder that
  // takes no new file either.
  const QByteArray table = file();
  const std::string folder = dir_.path().toStdString();
  const bool root = geteuid() == 0;
  ASSERT_EQ(chmod(folder.c_str(), root ? 0755 : 0555), 0);
  ASSERT_EQ(chmod(path().c_str(), 0444), 0);
  struct stat before {};
  ASSERT_EQ(stat(path().c_str(), &before), 0);
  const osf::Ended low = osf::InChild([&] {
    if (root && !osf::BecomeNobody()) osf::Exit(1);
    ASSERT_NO_FATAL_FAILURE(reopen());
    takeLog();
    ASSERT_NO_FATAL_FAILURE(gameOverWith(20, "Low"));
    for (const std::string& entry : takeLog()) EXPECT_NE(entry.rfind("msgbox", 0), 0u) << entry;
    EXPECT_EQ(w->topcash(4).Caption(), "50$");
  });
  chmod(folder.c_str(), 0700);
  EXPECT_TRUE(low.ok()) << low.text();
  struct stat after {};
  ASSERT_EQ(stat(path().c_str(), &after), 0);
  EXPECT_EQ(file(), table);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
  EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
}

TEST_F(LobboFile, AOneMegabyteNameKeepsTheOtherFourPlayers) {
  const QByteArray longName(1 << 20, 'N');
  writeFile(longName + "\r\n300$\r\nBob\r\n100$\r\nCid\r\n50$\r\nDee\r\n7$\r\nEve\r\n0$\r\n");
  reopen();
  EXPECT_EQ(w->topime(1).Caption(), "Bob");
  EXPECT_EQ(w->topcash(4).Caption(), "0$");
  gameOverWith(60, "Zoe");
  EXPECT_EQ(file(), longName + "\r\n300$\r\nBob\r\n100$\r\nZoe\r\n60$\r\nCid\r\n50$\r\nDee\r\n7$\r\n");
}

TEST_F(LobboFile, AFullDiskOrAFileSizeLimitKeepsTheFivePlayersAndSaysSo) {
  // The game over's save fails at the OS: in a child whose writes the kernel stops at the file's
  // size (its signal as it comes, which would end a pack that did not ignore it), and (as root)
  // on a 64 KiB tmpfs filled to the last byte. The player is told why, once.
  const auto gameOverKeepsTheFile = [this](const std::string& why) {
    ASSERT_NO_FATAL_FAILURE(reopen());
    ASSERT_EQ(w->topime(0).Caption(), "Ann");
    takeLog();
    ASSERT_NO_FATAL_FAILURE(gameOverWith(400, "Zoe"));
    EXPECT_EQ(w->topime(0).Caption(), "Zoe");  // shown, as after any failed write
    EXPECT_EQ(file(), kFive);
    EXPECT_EQ(countLog("msgbox VantixPack: The top players could not be saved in the folder\n" + dir_.path().toStdString() +
                       "/\n\n" + why),
              1);
    ASSERT_NO_FATAL_FAILURE(gameOverWith(500, "Zoe"));
    EXPECT_EQ(countLog("msgbox VantixPack: The top players could not be saved in the folder\n" + dir_.path().toStdString() +
                       "/\n\n" + why),
              1);  // not again while saves of the file keep failing
  };
  writeFile(kFive);
  const osf::Ended limited = osf::InChild([&] {
    osf::LimitFileSize(kFive.size(), osf::SizeSignal::kKills);
    gameOverKeepsTheFile("The file would pass the file-size limit.");
  });
  EXPECT_TRUE(limited.ok()) << limited.text();
  EXPECT_EQ(file(), kFive);
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"Lobbo.nrz"});
  if (geteuid() != 0) GTEST_SKIP() << "mounting a small tmpfs needs root";
  const osf::Ended full = osf::InChild([&] {
    if (!osf::MountSmallDisk(dir_.path().toStdString(), 64)) osf::Exit(osf::kCannot);
    writeFile(kFive);
    ASSERT_TRUE(osf::FillDisk(dir_.path().toStdString()));
    gameOverKeepsTheFile("The disk is full.");
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), (QStringList{"filler", "Lobbo.nrz"}));
  });
  if (full.code == osf::kCannot) GTEST_SKIP() << "no tmpfs could be mounted here";
  EXPECT_TRUE(full.ok()) << full.text();
}
