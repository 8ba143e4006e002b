// Every game that keeps a best-score file lives through a file that is empty, short, long,
// binary, a folder, or a write that the kernel stops halfway, and never loses a best that was on
// disk.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <memory>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "hiscore.h"
#include "os_faults.h"
#include "pack_fixture.h"
#include "random_play.h"
#include "rt/files.h"
#include "rt/random.h"
#include "score_panel.h"

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

// A window with a score panel for a game the table lacks stops the program and names the row to
// add, instead of reading through a null row.
TEST(ScorePanelDeathTest, AGameWithoutItsRowStopsNamingTheRow) {
  EXPECT_DEATH(parts::ScorePanel("Lobbo"), "\"Lobbo\" has no row in kHiscoreGames \\(shell/hiscore.cpp\\)");
}

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
  // What players meet most, each made for real in a documents folder of its own, and the sentence
  // they read. Root passes over modes, so as root folder and file are the user nobody's, and the
  // pack saves as nobody in a child.
  const bool root = geteuid() == 0;
  auto make = [root](const QString& path, bool folder, mode_t mode) {
    ASSERT_TRUE(folder ? QDir().mkdir(path) : QFile(path).open(QIODevice::WriteOnly)) << path.toStdString();
    if (root) {
      ASSERT_EQ(chown(path.toLocal8Bit().constData(), osf::kNobody, osf::kNobody), 0);
    }
    ASSERT_EQ(chmod(path.toLocal8Bit().constData(), mode), 0);
  };
  // A second process that holds the file's own lock for as long as the save runs.
  auto lockHolder = [](const QString& path) {
    osf::Signal holds;
    auto holder = std::make_unique<osf::Child>([&] {
      const int fd = ::open(path.toLocal8Bit().constData(), O_RDONLY | O_CLOEXEC);
      if (fd < 0 || flock(fd, LOCK_EX) != 0) osf::Exit(1);
      holds.send();
      for (;;) pause();
    });
    EXPECT_TRUE(holds.receive());
    return holder;
  };
  struct Situation {
    const char* what;
    // Makes it in `home`, the documents folder; a process it starts lasts as long as the save.
    std::function<std::unique_ptr<osf::Child>(const QString& home)> made;
    std::string why;
    bool watchesOpens = false;  // its process needs fanotify (root): without it, skipped
  };
  const QString file = "/Morvelware/Kippel_hsc_A.nrz";
  const Situation situations[] = {
      {"a home that takes no new folder",
       [](const QString& home) {
         chmod(home.toLocal8Bit().constData(), 0555);
         return nullptr;
       },
       "The folder does not exist and could not be made."},
      {"a folder they cannot write",
       [&](const QString& home) {
         make(home + "/Morvelware", true, 0555);
         return nullptr;
       },
       "There is no permission to write there."},
      {"a file they cannot read",
       [&](const QString& home) {
         make(home + "/Morvelware", true, 0755);
         make(home + file, false, 0200);
         return nullptr;
       },
       "The file is there but cannot be read, so it was left as it is."},
      {"a file locked past the wait",
       [&](const QString& home) {
         make(home + "/Morvelware", true, 0755);
         make(home + file, false, 0644);
         chmod((home + "/Morvelware").toLocal8Bit().constData(), 0555);  // saved in place, under that lock
         return lockHolder(home + file);
       },
       "Another program kept the file locked."},
      {"a file replaced at every look",
       [&](const QString& home) {
         make(home + "/Morvelware", true, 0755);
         make(home + file, false, 0644);
         return osf::ReplacerAtEveryOpen((home + file).toStdString(), "0\r\n");
       },
       "Another program kept replacing the file.", true},
      {"a file where the folder should be",
       [&](const QString& home) {
         make(home + "/Morvelware", false, 0644);
         return nullptr;
       },
       "A file stands in the folder's place."},
      {"a folder where the file should be",
       [&](const QString& home) {
         make(home + "/Morvelware", true, 0755);
         make(home + file, true, 0755);
         return nullptr;
       },
       "A folder stands in the file's place."},
  };
  ASSERT_EQ(chmod(dir_.path().toLocal8Bit().constData(), 0755), 0);
  int n = 0;
  for (const Situation& s : situations) {
    SCOPED_TRACE(s.what);
    const QString home = dir_.path() + "/" + QString::number(++n);
    ASSERT_NO_FATAL_FAILURE(make(home, true, 0755));
    const std::unique_ptr<osf::Child> other = s.made(home);
    if (s.watchesOpens && !other) {
      std::printf("%s: skipped, opens cannot be watched here\n", s.what);
      continue;
    }
    const std::string folder = home.toStdString() + "/Morvelware/";
    const osf::Ended child = osf::InChild([&] {
      if (root && !osf::BecomeNobody()) osf::Exit(1);
      mdi_.DataFolder = folder;
      rt::Form& kippel = *openGame("Kippel");
      control<rt::Label>(kippel, "Label4").setCaption("7");
      takeLog();
      click(control(kippel, "Command1"));
      std::vector<std::string> told;
      for (const std::string& entry : takeLog())
        if (entry.rfind("msgbox ", 0) == 0) told.push_back(entry);
      EXPECT_EQ(told, std::vector<std::string>{"msgbox VantixPack: Your best score could not be saved in the folder\n" +
                                               folder + "\n\n" + s.why});
      EXPECT_EQ(control<rt::Label>(kippel, "Label8").Caption(), "7");  // the best stays shown for the game
    });
    EXPECT_TRUE(child.ok()) << child.text();
    for (const QString& folderMade : {home, home + "/Morvelware"}) chmod(folderMade.toLocal8Bit().constData(), 0755);
  }
}
