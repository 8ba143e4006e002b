#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "os_faults.h"
#include "pack_fixture.h"
#include "hiscore.h"
#include "rt/files.h"
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
  HiscoreFile klevo(*FindHiscoreGame("Klevo"));
  klevo.LoadHiscore(*best_, 0);
  EXPECT_EQ(bytes("Klevo_hsc.nrz"), QByteArray("1\r\n1\r\n1\r\n"));
  EXPECT_EQ(best_->Caption(), "1");
  HiscoreFile gemmet(*FindHiscoreGame("Gemmet"));
  gemmet.LoadHiscore(*best_, 11);
  EXPECT_EQ(bytes("Gemmet_hsc.nrz").count("0\r\n"), 12);
  EXPECT_EQ(best_->Caption(), "0");
}

TEST_F(HiscoreTest, EqualScoreBeepsAndHigherReplacesOneLine) {
  write("Arrik_hsc.nrz", QByteArray("5\r\n").repeated(21));
  HiscoreFile arrik(*FindHiscoreGame("Arrik"));
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
  HiscoreFile klevo(*FindHiscoreGame("Klevo"));
  klevo.LoadHiscore(*best_, 2);
  score_->setCaption(" 4 H");
  klevo.SaveScore(*best_, *score_, 2);
  EXPECT_EQ(best_->Caption(), "4");
  EXPECT_EQ(bytes("Klevo_hsc.nrz"), QByteArray("1\r\n1\r\n4\r\n"));
  HiscoreFile kippel(*FindHiscoreGame("Kippel"));
  kippel.LoadHiscore(*best_, 0);
  score_->setCaption("120");
  kippel.SaveScore(*best_, *score_, 0);
  EXPECT_EQ(best_->Caption(), "120");
}

TEST_F(HiscoreTest, ShortLongAndGarbledFiles) {
  write("Gemmet_hsc.nrz", "7\r\nabc\r\n");
  HiscoreFile gemmet(*FindHiscoreGame("Gemmet"));
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
  HiscoreFile kippel(*FindHiscoreGame("Kippel"));
  kippel.LoadHiscore(*best_, 0);
  EXPECT_EQ(best_->Caption(), "3");
  score_->setCaption("4");
  kippel.SaveScore(*best_, *score_, 0);
  EXPECT_EQ(bytes("Kippel_hsc_A.nrz"), QByteArray("4\r\n"));  // extra lines dropped
}

TEST_F(HiscoreTest, UnwritableFolderAndAFolderInPlaceOfTheFile) {
  mdi_.DataFolder = dir_.path().toStdString() + "/missing/deeper/";
  HiscoreFile tumo(*FindHiscoreGame("Tumo"));
  tumo.LoadHiscore(*best_, 0);
  EXPECT_EQ(best_->Caption(), "");  // nothing could be read: the entry stays empty
  score_->setCaption("3");
  tumo.SaveScore(*best_, *score_, 0);
  EXPECT_EQ(best_->Caption(), "3");  // the label keeps the new best

  mdi_.DataFolder = dir_.path().toStdString() + "/";
  QDir(dir_.path()).mkdir("Holmo_hsc.nrz");
  HiscoreFile holmo(*FindHiscoreGame("Holmo"));
  holmo.LoadHiscore(*best_, 1);
  score_->setCaption("2");
  holmo.SaveScore(*best_, *score_, 1);
  EXPECT_TRUE(QFileInfo(dir_.filePath("Holmo_hsc.nrz")).isDir());
}

TEST_F(HiscoreTest, AFailedSaveIsToldAgainOnlyAfterASaveOfItsFileWorked) {
  const QString later = dir_.filePath("later");
  // Named relative to the working folder, as a documents folder given so may be: the box names it
  // as a person would type it.
  mdi_.DataFolder = "./" + QDir::current().relativeFilePath(later).toStdString() + "/";
  HiscoreFile tumo(*FindHiscoreGame("Tumo"));
  tumo.LoadHiscore(*best_, 0);
  auto told = [&](const char* score) {
    score_->setCaption(score);
    vt::vhost().takeLog();
    tumo.SaveScore(*best_, *score_, 0);
    std::vector<std::string> boxes;
    for (const std::string& entry : vt::vhost().takeLog())
      if (entry.rfind("msgbox ", 0) == 0) boxes.push_back(entry);
    return boxes;
  };
  EXPECT_EQ(told("3"), std::vector<std::string>{"msgbox VantixPack: Your best score could not be saved in the folder\n" +
                                                later.toStdString() + "/\n\nThe folder does not exist and could not be made."});
  EXPECT_TRUE(told("4").empty());
  ASSERT_TRUE(QDir().mkdir(later));
  EXPECT_TRUE(told("5").empty());
  EXPECT_EQ(QFile(later + "/Tumo_hsc.nrz").size(), 7);  // "5", and two lines it never read
  ASSERT_TRUE(QDir(later).removeRecursively());
  EXPECT_EQ(told("6").size(), 1u);
}

// ---- bests that must never be lost

namespace {
QStringList filesIn(const QTemporaryDir& dir) { return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System); }

struct NoReads {
  NoReads() { rt::failReadsForTests(true); }
  ~NoReads() { rt::failReadsForTests(false); }
};
}  // namespace

TEST_F(HiscoreTest, AFileThatCannotBeReadIsNeverReplaced) {
  write("Klevo_hsc.nrz", "5\r\n5\r\n5\r\n");
  {
    NoReads unreadable;  // as a file only its owner may write but nobody may read
    HiscoreFile klevo(*FindHiscoreGame("Klevo"));
    klevo.LoadHiscore(*best_, 1);
    EXPECT_EQ(best_->Caption(), "");  // nothing read
    score_->setCaption(" 77 M");
    klevo.SaveScore(*best_, *score_, 1);
    EXPECT_EQ(best_->Caption(), "77");  // the new best shows, as after a failed write
    EXPECT_EQ(klevo.entries()[1], std::optional<std::string>("77"));
  }
  EXPECT_EQ(bytes("Klevo_hsc.nrz"), QByteArray("5\r\n5\r\n5\r\n"));
  EXPECT_EQ(filesIn(dir_), QStringList{"Klevo_hsc.nrz"});  // nothing made beside it either

  // A named pipe in the file's place: neither read (no hang) nor replaced by a file.
  ASSERT_EQ(mkfifo(dir_.filePath("Tumo_hsc.nrz").toLocal8Bit().constData(), 0600), 0);
  HiscoreFile tumo(*FindHiscoreGame("Tumo"));
  tumo.LoadHiscore(*best_, 0);
  EXPECT_EQ(best_->Caption(), "");
  score_->setCaption("3");
  tumo.SaveScore(*best_, *score_, 0);
  EXPECT_EQ(best_->Caption(), "3");
  EXPECT_FALSE(QFileInfo(dir_.filePath("Tumo_hsc.nrz")).isFile());
  EXPECT_EQ(filesIn(dir_).size(), 2);
}

TEST_F(HiscoreTest, TwoPacksAtOnceKeepEachOthersBests) {
  // Two Gemmet windows of two packs: each read the file when it opened.
  rt::Form formB("B", 3000, 3000);
  rt::Label& bestB = formB.add<rt::Label>("Label8");
  rt::Label& scoreB = formB.add<rt::Label>("Label4");
  HiscoreFile a(*FindHiscoreGame("Gemmet")), b(*FindHiscoreGame("Gemmet"));
  a.LoadHiscore(*best_, 3);
  b.LoadHiscore(bestB, 7);
  scoreB.setCaption("500");
  b.SaveScore(bestB, scoreB, 7);
  b.LoadHiscore(bestB, 3);  // B changes its options: line 3 still shows 0
  score_->setCaption("77");
  a.SaveScore(*best_, *score_, 3);
  QByteArray expected;
  for (int k = 0; k < 12; ++k) expected += k == 3 ? "77\r\n" : k == 7 ? "500\r\n" : "0\r\n";
  EXPECT_EQ(bytes("Gemmet_hsc.nrz"), expected);

  // B beats the 0 it shows but not the 77 that A has saved since: the file keeps 77 and B shows
  // the best that stands.
  scoreB.setCaption("40");
  vt::vhost().takeLog();
  b.SaveScore(bestB, scoreB, 3);
  EXPECT_EQ(bytes("Gemmet_hsc.nrz"), expected);
  EXPECT_EQ(bestB.Caption(), "77");
  EXPECT_EQ(b.entries()[3], std::optional<std::string>("77"));
  // An equal score still beeps against the best shown.
  scoreB.setCaption("77");
  b.SaveScore(bestB, scoreB, 3);
  EXPECT_EQ(vt::vhost().takeLog(), std::vector<std::string>{"beep"});

  // A file that another pack cut short gets its missing lines from the window's table.
  write("Gemmet_hsc.nrz", "1\r\n2\r\n");
  score_->setCaption("90");
  a.SaveScore(*best_, *score_, 3);
  QByteArray shortened = "1\r\n2\r\n0\r\n90\r\n";
  for (int k = 4; k < 12; ++k) shortened += k == 7 ? "500\r\n" : "0\r\n";
  EXPECT_EQ(bytes("Gemmet_hsc.nrz"), shortened);
}

TEST_F(HiscoreTest, AVeryLongLineHidesNothing) {
  const QByteArray longLine(2 << 20, 'x');  // counts as 0
  write("Arrik_hsc.nrz", longLine + "\r\n" + QByteArray("5\r\n").repeated(20) + "extra\r\n");
  HiscoreFile arrik(*FindHiscoreGame("Arrik"));
  arrik.LoadHiscore(*best_, 9);
  EXPECT_EQ(best_->Caption(), "5");
  score_->setCaption("6");
  arrik.SaveScore(*best_, *score_, 9);
  // Every other line stands as it was, the long one whole; the extra line is dropped.
  EXPECT_EQ(bytes("Arrik_hsc.nrz"),
            longLine + "\r\n" + QByteArray("5\r\n").repeated(8) + "6\r\n" + QByteArray("5\r\n").repeated(11));
  arrik.LoadHiscore(*best_, 0);
  score_->setCaption("1");
  arrik.SaveScore(*best_, *score_, 0);
  EXPECT_EQ(best_->Caption(), "1");
  EXPECT_EQ(bytes("Arrik_hsc.nrz").size(), 21 * 3);
}

// ---- a second pack in a process of its own

namespace {
// Takes the lock beside `data` as a pack saving that file does, says "L" on `ready`, and on a
// byte from `go` writes `content` into the data file through a temporary file, then ends (which
// releases the lock). With `whenOpened` it needs no byte: it goes on as soon as another process
// opens the lock file (inotify), as a save does after its unlocked read. Only plain system calls
// run in the child.
pid_t StartLockHolder(const std::string& data, const QByteArray& content, int& go, int& ready,
                      bool whenOpened = false) {
  int goPipe[2], readyPipe[2];
  if (pipe(goPipe) != 0 || pipe(readyPipe) != 0) return -1;
  const std::string lock = data + ".lock", temp = data + ".other";
  const pid_t pid = fork();
  if (pid == 0) {
    close(goPipe[1]);
    close(readyPipe[0]);
    const int fd = open(lock.c_str(), O_RDWR | O_CREAT, 0644);
    if (fd < 0 || flock(fd, LOCK_EX) != 0) _exit(2);
    const int watch = whenOpened ? inotify_init1(IN_CLOEXEC) : -1;
    if (whenOpened && (watch < 0 || inotify_add_watch(watch, lock.c_str(), IN_OPEN) < 0)) _exit(6);
    if (::write(readyPipe[1], "L", 1) != 1) _exit(3);
    char c;
    alignas(inotify_event) char event[sizeof(inotify_event) + NAME_MAX + 1];
    if (whenOpened ? read(watch, event, sizeof event) <= 0 : read(goPipe[0], &c, 1) != 1) _exit(0);
    const int out = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out < 0 || ::write(out, content.constData(), content.size()) != content.size()) _exit(4);
    close(out);
    if (rename(temp.c_str(), data.c_str()) != 0) _exit(5);
    _exit(0);
  }
  close(goPipe[0]);
  close(readyPipe[1]);
  go = goPipe[1];
  ready = readyPipe[0];
  return pid;
}
}  // namespace

TEST_F(HiscoreTest, ASaveWaitsForAnotherPackThatHoldsTheLock) {
  HiscoreFile gemmet(*FindHiscoreGame("Gemmet"));
  gemmet.LoadHiscore(*best_, 9);
  QByteArray other;
  for (int k = 0; k < 12; ++k) other += k == 4 ? "500\r\n" : "0\r\n";
  int go = -1, ready = -1;
  const pid_t pid = StartLockHolder(dir_.filePath("Gemmet_hsc.nrz").toStdString(), other, go, ready);
  ASSERT_GT(pid, 0);
  char c = 0;
  ASSERT_EQ(read(ready, &c, 1), 1);  // the other pack is in the middle of its save
  ASSERT_EQ(::write(go, "g", 1), 1);
  score_->setCaption("77");
  gemmet.SaveScore(*best_, *score_, 9);  // waits for the other save, then reads what it wrote
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  close(go);
  close(ready);
  QByteArray expected;
  for (int k = 0; k < 12; ++k) expected += k == 4 ? "500\r\n" : k == 9 ? "77\r\n" : "0\r\n";
  EXPECT_EQ(bytes("Gemmet_hsc.nrz"), expected);
}

TEST_F(HiscoreTest, AFileMadeByAnotherPackWhileAGameOpensIsReadNotReplaced) {
  // The game finds no file; before it has the lock to make one, another pack saves its best.
  QByteArray other;
  for (int k = 0; k < 12; ++k) other += k == 9 ? "40\r\n" : "0\r\n";
  int go = -1, ready = -1;
  const pid_t pid = StartLockHolder(dir_.filePath("Gemmet_hsc.nrz").toStdString(), other, go, ready, true);
  ASSERT_GT(pid, 0);
  char c = 0;
  ASSERT_EQ(read(ready, &c, 1), 1);
  HiscoreFile gemmet(*FindHiscoreGame("Gemmet"));
  gemmet.LoadHiscore(*best_, 9);
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  close(go);
  close(ready);
  EXPECT_EQ(bytes("Gemmet_hsc.nrz"), other);
  EXPECT_EQ(best_->Caption(), "40");
}

TEST_F(HiscoreTest, ALockLeftByAKilledPackBlocksNothing) {
  HiscoreFile kippel(*FindHiscoreGame("Kippel"));
  kippel.LoadHiscore(*best_, 0);
  int go = -1, ready = -1;
  const pid_t pid = StartLockHolder(dir_.filePath("Kippel_hsc_A.nrz").toStdString(), "", go, ready);
  ASSERT_GT(pid, 0);
  char c = 0;
  ASSERT_EQ(read(ready, &c, 1), 1);
  kill(pid, SIGKILL);  // killed in the middle of its save: its lock file stays behind
  ASSERT_EQ(waitpid(pid, nullptr, 0), pid);
  close(go);
  close(ready);
  ASSERT_TRUE(QFileInfo::exists(dir_.filePath("Kippel_hsc_A.nrz.lock")));
  score_->setCaption("12");
  kippel.SaveScore(*best_, *score_, 0);
  EXPECT_EQ(bytes("Kippel_hsc_A.nrz"), QByteArray("12\r\n"));
  EXPECT_EQ(filesIn(dir_), QStringList{"Kippel_hsc_A.nrz"});  // the stale lock is cleared away
}

TEST_F(HiscoreTest, OpeningAGameOrChoosingAnOptionDoesNotWaitForAFrozenSave) {
  QByteArray lines;
  for (int k = 0; k < 12; ++k) lines += k == 9 ? "40\r\n" : "0\r\n";
  write("Gemmet_hsc.nrz", lines);
  // Another pack stopped in the middle of its save, holding the lock.
  int go = -1, ready = -1;
  const pid_t pid = StartLockHolder(dir_.filePath("Gemmet_hsc.nrz").toStdString(), lines, go, ready);
  ASSERT_GT(pid, 0);
  char c = 0;
  ASSERT_EQ(read(ready, &c, 1), 1);
  // A read that waited for the lock would have waited it out and taken it over, putting a lock
  // file of its own in the frozen one's place: the frozen pack still holding its own afterwards
  // shows that nothing waited, however slow this machine.
  const QByteArray lock = dir_.filePath("Gemmet_hsc.nrz.lock").toLocal8Bit();
  struct stat held, after;
  ASSERT_EQ(stat(lock.constData(), &held), 0);
  HiscoreFile gemmet(*FindHiscoreGame("Gemmet"));
  gemmet.LoadHiscore(*best_, 9);  // the game opens
  EXPECT_EQ(best_->Caption(), "40");
  gemmet.LoadHiscore(*best_, 3);  // an option is chosen
  EXPECT_EQ(best_->Caption(), "0");
  EXPECT_TRUE(stat(lock.constData(), &after) == 0 && after.st_ino == held.st_ino)
      << "the frozen pack's lock was taken over";
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
  close(go);
  close(ready);
}

TEST_F(HiscoreTest, AFolderThatTakesNoNewFileStillGetsTheBest) {
  // Morvelware at mode 555, the score file the player's own; root passes over a folder's mode,
  // so the pack runs as another user.
  ASSERT_EQ(chmod(dir_.path().toLocal8Bit().constData(), 0755), 0);
  const std::string folder = dir_.filePath("Morvelware").toStdString(), file = folder + "/Gemmet_hsc.nrz";
  ASSERT_TRUE(QDir(dir_.path()).mkdir("Morvelware"));
  write("Morvelware/Gemmet_hsc.nrz", QByteArray("0\r\n").repeated(12));
  const bool root = geteuid() == 0;
  if (root) {
    ASSERT_EQ(chown(folder.c_str(), osf::kNobody, osf::kNobody), 0);
    ASSERT_EQ(chown(file.c_str(), osf::kNobody, osf::kNobody), 0);
  }
  ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
  mdi_.DataFolder = folder + "/";
  const osf::Ended child = osf::InChild([&] {
    if (root) {
      ASSERT_TRUE(osf::BecomeNobody());
    }
    HiscoreFile gemmet(*FindHiscoreGame("Gemmet"));
    gemmet.LoadHiscore(*best_, 5);
    score_->setCaption("999999");
    gemmet.SaveScore(*best_, *score_, 5);
    EXPECT_EQ(best_->Caption(), "999999");
  });
  chmod(folder.c_str(), 0755);
  EXPECT_TRUE(child.ok()) << child.text();
  QByteArray expected;
  for (int k = 0; k < 12; ++k) expected += k == 5 ? "999999\r\n" : "0\r\n";
  EXPECT_EQ(bytes("Morvelware/Gemmet_hsc.nrz"), expected);
}
