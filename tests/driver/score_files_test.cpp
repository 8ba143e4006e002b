// Every game that keeps a best-score file lives through a file that is empty, short, long,
// binary, a folder, or a write that the kernel stops halfway, and never loses a best that was on
// disk.
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "hiscore.h"
#include "os_faults.h"
#include "pack_fixture.h"
#include "random_play.h"
#include "rt/files.h"
#include "rt/random.h"

namespace {

struct Kept {
  int game;
  std::string file;
  int lines;
};

// The registered games that keep a file, with the file's name and its number of lines.
std::vector<Kept> GamesWithFiles() {
  std::vector<Kept> out;
  for (int i : shell::RegisteredGames()) {
    const char* caption = shell::GameRegistry[i].caption;
    if (const shell::HiscoreGame* kept = shell::FindHiscoreGame(caption))
      out.push_back({i, kept->fileName, kept->lines});
    else if (std::string(caption) == "Lobbo")
      out.push_back({i, "Lobbo.nrz", 0});
  }
  return out;
}

class ScoreFileTest : public PackTest {
 protected:
  void SetUp() override {
    PackTest::SetUp();
    mdi_.DataFolder = dir_.path().toStdString() + "/";
  }
  QString path(const Kept& k) const { return dir_.path() + "/" + QString::fromStdString(k.file); }
  void put(const Kept& k, const QByteArray& bytes) {
    QFile f(path(k));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
  QByteArray read(const Kept& k) const {
    QFile f(path(k));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  // Opens the game and plays it at random for a while (saves included, when the dice say so).
  // An assertion here (or in put) ends only the helper: callers wrap both in
  // ASSERT_NO_FATAL_FAILURE, so the test ends at the first broken game.
  void play(const Kept& k, uint32_t seed) {
    rt::FixSeed(seed);
    ASSERT_NE(openGame(k.game), nullptr);
    vt::RandomPlayer player(seed, {k.game}, [this, k] {
      reopenPack();
      openGame(k.game);
    });
    for (int step = 0; step < 250; ++step) {
      player.step();
      const std::string wrong = player.check();
      ASSERT_TRUE(wrong.empty()) << k.file << " step " << step << ": " << wrong;
    }
  }
  QTemporaryDir dir_;
};

}  // namespace

TEST_F(ScoreFileTest, BrokenFilesAreLivedWith) {
  QByteArray binary;
  for (int i = 0; i < 600; ++i) binary.append(static_cast<char>((i * 37) % 256));
  QByteArray longFile;
  for (int i = 0; i < 500; ++i) longFile.append("123456789012345678901234567890\r\n");
  const std::vector<QByteArray> contents = {"", "7\r\n", longFile, binary, "\r\r\n\n-5\r\n1e400\r\nnan\r\n"};
  for (const Kept& k : GamesWithFiles()) {
    for (size_t c = 0; c < contents.size(); ++c) {
      SCOPED_TRACE(k.file + " content " + std::to_string(c));
      ASSERT_NO_FATAL_FAILURE(put(k, contents[c]));
      ASSERT_NO_FATAL_FAILURE(play(k, static_cast<uint32_t>(7 + c)));
      shell::ResetGamesForTests();
    }
  }
}

TEST_F(ScoreFileTest, AFolderInPlaceOfTheFileStaysAndNothingBreaks) {
  for (const Kept& k : GamesWithFiles()) {
    SCOPED_TRACE(k.file);
    ASSERT_TRUE(QDir().mkpath(path(k)));
    ASSERT_NO_FATAL_FAILURE(play(k, 3));
    shell::ResetGamesForTests();
    EXPECT_TRUE(QFileInfo(path(k)).isDir());
  }
}

TEST_F(ScoreFileTest, AWriteThatTheKernelStopsHalfwayLosesNoBest) {
  for (const Kept& k : GamesWithFiles()) {
    SCOPED_TRACE(k.file);
    // Low bests, so that every score the dice make would be saved, and each save fails halfway:
    // the pack plays in a child whose file-size limit ends every write after 2 bytes (the
    // shortest save, one digit and its line end, is 3).
    QByteArray bests;
    for (int i = 0; i < std::max(k.lines, 1); ++i) bests.append("1\r\n");
    ASSERT_NO_FATAL_FAILURE(put(k, bests));
    const osf::Ended child = osf::InChild([&] {
      osf::LimitFileSize(2);
      play(k, 11);
    }, 120);
    EXPECT_TRUE(child.ok()) << child.text();
    EXPECT_EQ(read(k), bests);
    for (const QString& name : QDir(dir_.path()).entryList(QDir::Files))
      EXPECT_FALSE(name.startsWith(QString::fromStdString(k.file) + ".")) << "left behind: " << name.toStdString();
  }
}

TEST_F(ScoreFileTest, ASaveThatFailsIsToldWithItsFolderAndWhy) {
  // A player whose home takes no new folder, so the frame made no Morvelware folder there: as the
  // user nobody in a folder of root's (or, not as root, in a folder of mode 555).
  ASSERT_EQ(chmod(dir_.path().toLocal8Bit().constData(), geteuid() == 0 ? 0755 : 0555), 0);
  const std::string folder = dir_.path().toStdString() + "/Morvelware/";
  const std::string told = "msgbox VantixPack: Your best score could not be saved in the folder\n" + folder +
                           "\n\nThe folder does not exist and could not be made.";
  const osf::Ended child = osf::InChild([&] {
    if (geteuid() == 0 && !osf::BecomeNobody()) osf::Exit(1);
    mdi_.DataFolder = folder;
    ASSERT_FALSE(rt::makeDirectory(folder));
    rt::Form& kippel = *openGame("Kippel");
    auto& best = control<rt::Label>(kippel, "Label8");
    auto& score = control<rt::Label>(kippel, "Label4");
    auto& save = control(kippel, "Command1");
    for (const char* points : {"7", "9"}) {
      score.setCaption(points);
      takeLog();
      click(save);
      EXPECT_EQ(best.Caption(), points);  // the best stays shown for the game
      // Told at the first failed save; not again at every save while the folder stays closed.
      EXPECT_EQ(countLog(told), std::string(points) == "7" ? 1 : 0) << points;
    }
    score.setCaption("3");  // no better than the best shown: a beep, and nothing told
    takeLog();
    click(save);
    EXPECT_EQ(takeLog(), std::vector<std::string>{"beep"});
  });
  ASSERT_EQ(chmod(dir_.path().toLocal8Bit().constData(), 0700), 0);
  EXPECT_TRUE(child.ok()) << child.text();
  EXPECT_TRUE(QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}
