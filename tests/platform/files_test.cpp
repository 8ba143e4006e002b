#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <limits>
#include <random>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "os_faults.h"
#include "rt/files.h"
#include "save_helpers.h"

using namespace rt;
using saves::bytesOf;
using saves::entriesOf;
using saves::setLine;

TEST(FilesTest, LinesEndWithCrLfAndReadBackAnySplit) {
  QTemporaryDir dir;
  std::string p = dir.filePath("a.nrz").toStdString();
  ASSERT_TRUE(writeLinesAtomic(p, {"1", "22"}));
  QFile f(QString::fromStdString(p));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), QByteArray("1\r\n22\r\n"));
  f.close();
  EXPECT_EQ(readLines(p).lines, (std::vector<std::string>{"1", "22"}));

  QFile g(dir.filePath("b"));
  ASSERT_TRUE(g.open(QIODevice::WriteOnly));
  g.write("a\rb\nc\r\n\r\nd");
  g.close();
  EXPECT_EQ(readLines(dir.filePath("b").toStdString()).lines,
            (std::vector<std::string>{"a", "b", "c", "", "d"}));
  EXPECT_EQ(readLines(dir.filePath("b").toStdString(), 3).lines, (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(readLines(dir.filePath("missing").toStdString()).state, FileLines::State::kMissing);
}

TEST(FilesTest, FailedWriteLeavesTheOldFile) {
  QTemporaryDir dir;
  std::string p = dir.filePath("x").toStdString();
  ASSERT_TRUE(writeLinesAtomic(p, {"5"}));
  // A folder where the file's folder should be: the write fails, nothing is lost.
  EXPECT_FALSE(writeLinesAtomic(dir.filePath("x/y").toStdString(), {"1"}));
  EXPECT_EQ(readLines(p).lines, std::vector<std::string>{"5"});
  QDir(dir.path()).mkdir("sub");
  EXPECT_FALSE(writeLinesAtomic(dir.filePath("sub").toStdString(), {"1"}));
  EXPECT_TRUE(isDirectory(dir.filePath("sub").toStdString()));
}

TEST(FilesTest, AFileThatIsThereButCannotBeReadIsNeverReplaced) {
  QTemporaryDir dir;
  const std::string folder = dir.filePath("folder").toStdString(), pipe = dir.filePath("pipe").toStdString();
  const std::string locked = dir.filePath("locked").toStdString();
  ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  ASSERT_TRUE(writeLinesAtomic(locked, {"5", "5"}));
  int asked = 0;
  auto change = [&](FileLines& f) {
    ++asked;
    f.lines = {"77"};
    return true;
  };
  for (const std::string& p : {folder, pipe}) {
    EXPECT_EQ(readLines(p).state, FileLines::State::kUnreadable) << p;
    EXPECT_FALSE(updateLines(p, 3, change)) << p;
  }
  // A file that only its owner may write, in a folder the owner may write. Root reads it anyway,
  // so as root folder and file are the user nobody's, who saves in a child.
  const bool root = geteuid() == 0;
  if (root) {
    ASSERT_EQ(chown(dir.path().toLocal8Bit().constData(), osf::kNobody, osf::kNobody), 0);
    ASSERT_EQ(chown(locked.c_str(), osf::kNobody, osf::kNobody), 0);
  }
  ASSERT_EQ(chmod(locked.c_str(), 0200), 0);
  const osf::Ended owner = osf::InChild([&] {
    if (root && !osf::BecomeNobody()) osf::Exit(1);
    EXPECT_EQ(readLines(locked).state, FileLines::State::kUnreadable);
    EXPECT_FALSE(updateLines(locked, 3, change));
    EXPECT_EQ(asked, 3);
  });
  EXPECT_TRUE(owner.ok()) << owner.text();
  failReadsForTests(true);
  EXPECT_EQ(readLines(locked).state, FileLines::State::kUnreadable);
  EXPECT_EQ(readLines(dir.filePath("missing").toStdString()).state, FileLines::State::kMissing);
  EXPECT_FALSE(updateLines(locked, 3, change));
  failReadsForTests(false);
  EXPECT_EQ(asked, 3);  // the caller still hears of it, to show what it could not save
  EXPECT_TRUE(isDirectory(folder));
  EXPECT_FALSE(QFileInfo(QString::fromStdString(pipe)).isFile());
  chmod(locked.c_str(), 0600);
  EXPECT_EQ(readLines(locked).lines, (std::vector<std::string>{"5", "5"}));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System).size(), 3);
}

TEST(FilesTest, ALongLineHidesNothingAfterIt) {
  QTemporaryDir dir;
  const std::string p = dir.filePath("long").toStdString();
  const std::string two(2 << 20, '7');
  ASSERT_TRUE(writeLinesAtomic(p, {two, "a", "b"}));
  EXPECT_EQ(readLines(p).lines, (std::vector<std::string>{two, "a", "b"}));  // kept whole
  // Past any sane length a line is kept cut, and the lines after it are still there; CR and LF
  // split across the read's chunks make one line end.
  const std::string huge(kLongestLine + 100000, 'x');
  QFile f(QString::fromStdString(p));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(huge.data(), static_cast<qint64>(huge.size()));
  f.write("\r\nc\r\n");
  f.close();
  const FileLines read = readLines(p);
  ASSERT_EQ(read.lines.size(), 2u);
  EXPECT_EQ(read.lines[0], std::string(kLongestLine, 'x'));
  EXPECT_EQ(read.lines[1], "c");
  for (size_t at : {size_t{65535}, size_t{65536}}) {
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(std::string(at, 'y').c_str());
    f.write("\r\nz");
    f.close();
    EXPECT_EQ(readLines(p).lines, (std::vector<std::string>{std::string(at, 'y'), "z"})) << at;
  }
}

TEST(FilesTest, FolderHelpers) {
  QTemporaryDir dir;
  std::string sub = dir.filePath("M").toStdString();
  EXPECT_FALSE(hasNormalFiles(sub));
  EXPECT_TRUE(makeDirectory(sub + "/"));
  EXPECT_FALSE(makeDirectory(sub));  // exists
  EXPECT_FALSE(hasNormalFiles(sub));
  QDir(QString::fromStdString(sub)).mkdir("only-a-folder");
  EXPECT_FALSE(hasNormalFiles(sub));
  writeLinesAtomic(sub + "/f", {"1"});
  EXPECT_TRUE(hasNormalFiles(sub));
}

namespace {
// Sets or unsets an environment variable for one scope and puts the old value back.
class EnvScope {
 public:
  EnvScope(const char* name, const char* value) : name_(name) {
    if (const char* old = getenv(name)) old_ = old;
    value ? setenv(name, value, 1) : unsetenv(name);
  }
  ~EnvScope() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

struct AccountHome {
  explicit AccountHome(const std::string& home) { accountHomeForTests(home); }
  ~AccountHome() { accountHomeForTests(std::nullopt); }
};
}  // namespace

TEST(FilesTest, WithNoHomeTheAccountsHomeIsUsed) {
  QTemporaryDir account;
  const std::string home = account.path().toStdString();
  EnvScope noConfig("XDG_CONFIG_HOME", nullptr);
  {
    AccountHome fromPasswd(home);
    for (const char* value : {static_cast<const char*>(nullptr), ""}) {
      EnvScope noHome("HOME", value);
      EXPECT_EQ(systemDocumentsFolder(), home);  // no Documents in it: the home itself
      ASSERT_TRUE(QDir().mkpath(account.filePath("Documents")));
      EXPECT_EQ(systemDocumentsFolder(), home + "/Documents");
      ASSERT_TRUE(QDir(account.filePath("Documents")).removeRecursively());
    }
    // The user's own documents folder, named in the home's user-dirs file.
    EnvScope noHome("HOME", nullptr);
    ASSERT_TRUE(QDir().mkpath(account.filePath(".config")));
    ASSERT_TRUE(QDir().mkpath(account.filePath("Papers")));
    QFile dirs(account.filePath(".config/user-dirs.dirs"));
    ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
    dirs.write("# written by the desktop\nXDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n");
    dirs.close();
    EXPECT_EQ(systemDocumentsFolder(), home + "/Papers");
  }
  {
    // No home anywhere: no documents folder, never the root of the file system.
    EnvScope noHome("HOME", nullptr);
    AccountHome none("");
    EXPECT_EQ(systemDocumentsFolder(), "");
    AccountHome gone(home + "/no-such-folder");
    EXPECT_EQ(systemDocumentsFolder(), "");
  }
  {
    // The real password database.
    EnvScope noHome("HOME", nullptr);
    const passwd* pw = getpwuid(getuid());
    if (!pw || !pw->pw_dir || !QFileInfo(pw->pw_dir).isDir() || std::string(pw->pw_dir) == "/") GTEST_SKIP();
    EXPECT_EQ(systemDocumentsFolder().rfind(pw->pw_dir, 0), 0u) << systemDocumentsFolder();
  }
}

// ---- where the disk, the folder, another pack or the lock's name fails a save

TEST(FilesTest, AWriteStoppedByTheFileSizeLimitLeavesTheOldFile) {
  QTemporaryDir dir;
  const std::string p = dir.filePath("Gemmet_hsc.nrz").toStdString();
  ASSERT_TRUE(writeLinesAtomic(p, std::vector<std::string>(12, "0")));
  const QByteArray before = bytesOf(p);
  // The kernel ends every write past the old file's size (EFBIG), as a full disk would.
  const osf::Ended child = osf::InChild([&] {
    osf::LimitFileSize(before.size());
    EXPECT_FALSE(writeLinesAtomic(p, std::vector<std::string>(12, "999999")));
    EXPECT_FALSE(updateLines(p, 12, setLine(12, 0, "999999")));
  });
  EXPECT_TRUE(child.ok()) << child.text();
  EXPECT_EQ(bytesOf(p), before);
  EXPECT_EQ(entriesOf(dir.path().toStdString()), QStringList{"Gemmet_hsc.nrz"});  // nothing left beside it
}

TEST(FilesTest, AFullDiskLeavesTheOldFile) {
  if (geteuid() != 0) GTEST_SKIP() << "mounting a small tmpfs needs root";
  QTemporaryDir dir;
  const std::string disk = dir.path().toStdString(), p = disk + "/Gemmet_hsc.nrz";
  const osf::Ended child = osf::InChild([&] {
    if (!osf::MountSmallDisk(disk, 64)) osf::Exit(osf::kCannot);
    ASSERT_TRUE(writeLinesAtomic(p, std::vector<std::string>(12, "0")));
    const QByteArray before = bytesOf(p);
    ASSERT_TRUE(osf::FillDisk(disk));  // to the last byte
    EXPECT_FALSE(writeLinesAtomic(p, std::vector<std::string>(12, "999999")));
    EXPECT_FALSE(updateLines(p, 12, setLine(12, 0, "999999")));
    EXPECT_EQ(bytesOf(p), before);
    EXPECT_EQ(entriesOf(disk), (QStringList{"filler", "Gemmet_hsc.nrz"}));
  });
  if (child.code == osf::kCannot) GTEST_SKIP() << "no tmpfs could be mounted here";
  EXPECT_TRUE(child.ok()) << child.text();
}

TEST(FilesTest, AFolderThatTakesNoNewFileHasItsFileWrittenInPlace) {
  saves::ClosedFolder folder;
  const std::string p = folder.path("Gemmet_hsc.nrz");
  folder.put("Gemmet_hsc.nrz", "5\r\n5\r\n");
  const osf::Ended child = osf::InChild([&] {
    folder.becomeUser();
    EXPECT_TRUE(updateLines(p, 3, setLine(3, 2, "77")));  // longer than before
    EXPECT_EQ(bytesOf(p), QByteArray("5\r\n5\r\n77\r\n"));
    EXPECT_TRUE(writeLinesAtomic(p, {"1"}));  // shorter: cut to its length
    EXPECT_EQ(bytesOf(p), QByteArray("1\r\n"));
    // A write that the kernel stops keeps the old bytes, whether the new text is longer or as long.
    osf::LimitFileSize(2);
    EXPECT_FALSE(writeLinesAtomic(p, {"123456"}));
    EXPECT_FALSE(writeLinesAtomic(p, {"9"}));
    EXPECT_EQ(bytesOf(p), QByteArray("1\r\n"));
  });
  EXPECT_TRUE(child.ok()) << child.text();
  EXPECT_EQ(bytesOf(p), QByteArray("1\r\n"));
  EXPECT_EQ(entriesOf(folder.folder()), QStringList{"Gemmet_hsc.nrz"});
}

TEST(FilesTest, TwoSavesInPlaceAtOnceKeepBothBests) {
  saves::ClosedFolder folder;
  const std::string name = "Gemmet_hsc.nrz", p = folder.path(name);
  folder.put(name, QByteArray("5\r\n").repeated(12));
  // A has read the file and is about to write 7 on line 1; B saves 123456 on line 0 meanwhile and
  // stops after its first try of a lock, if it tries one.
  osf::Child a([&] {
    folder.becomeUser();
    osf::ExecSaveChild(folder.tools(), {"set", p, "12", "1", "7"}, {"VPK_STOP=before:pwrite:1"});
  });
  ASSERT_TRUE(a.waitStopped());
  osf::Child b([&] {
    folder.becomeUser();
    osf::ExecSaveChild(folder.tools(), {"set", p, "12", "0", "123456"}, {"VPK_STOP=after:flock:1"});
  });
  const bool bWaits = b.waitStopped();
  a.resume();
  EXPECT_TRUE(a.wait().ok());
  if (bWaits) b.resume();
  EXPECT_TRUE(b.wait().ok());
  EXPECT_TRUE(bWaits) << "B wrote while A held the file";
  std::vector<std::string> both(12, "5");
  both[0] = "123456";
  both[1] = "7";
  EXPECT_EQ(readLines(p).lines, both);
  EXPECT_EQ(entriesOf(folder.folder()), QStringList{QString::fromStdString(name)});
}

TEST(FilesTest, AFileSizeLimitFailsTheSaveAndTheProcessGoesOn) {
  // The kernel's SIGXFSZ at its default, which ends a process that does not ignore it, at the
  // write that passes the limit: two bytes past Gemmet's file of twelve zeros.
  const QByteArray zeros = QByteArray("0\r\n").repeated(12);
  saves::ClosedFolder closed;
  QTemporaryDir open;
  for (const bool inPlace : {false, true}) {
    SCOPED_TRACE(inPlace ? "in place" : "renamed");
    const std::string p = inPlace ? closed.path("Gemmet_hsc.nrz") : open.filePath("Gemmet_hsc.nrz").toStdString();
    if (inPlace)
      closed.put("Gemmet_hsc.nrz", zeros);
    else
      saves::put(p, zeros);
    const osf::Ended ended = osf::InChild([&] {
      if (inPlace) closed.becomeUser();
      osf::LimitFileSize(zeros.size() + 2, osf::SizeSignal::kKills);
      osf::ExecSaveChild(inPlace ? closed.tools() : osf::BuiltTools(), {"set", p, "12", "0", "123456"});
    });
    EXPECT_EQ(ended.code, 1) << ended.text();
    EXPECT_EQ(bytesOf(p), zeros);
    EXPECT_EQ(entriesOf(inPlace ? closed.folder() : open.path().toStdString()), QStringList{"Gemmet_hsc.nrz"});
  }
}

TEST(FilesTest, AnInPlaceWriteThatTheKernelStopsPastTheOldEndIsCutBack) {
  saves::ClosedFolder folder;
  const std::string p = folder.path("Gemmet_hsc.nrz");
  folder.put("Gemmet_hsc.nrz", "5\r\n5\r\n");
  // The limit lets the new text grow two bytes past the old end, and no further: the two bytes
  // must go again, or the file gains a third line "77" that nobody saved.
  const osf::Ended child = osf::InChild([&] {
    folder.becomeUser();
    osf::LimitFileSize(8);
    EXPECT_FALSE(writeLinesAtomic(p, {"5", "5", "77"}));
    EXPECT_FALSE(updateLines(p, 3, setLine(3, 2, "77")));
    EXPECT_FALSE(writeLinesAtomic(p, {"1234", "5"}));  // changed from the first byte on
  });
  EXPECT_TRUE(child.ok()) << child.text();
  EXPECT_EQ(bytesOf(p), QByteArray("5\r\n5\r\n"));
}

TEST(FilesTest, APipeAtTheLocksNameNeitherHangsNorStopsTheSave) {
  QTemporaryDir dir;
  const std::string p = dir.filePath("Kippel_hsc_A.nrz").toStdString(), lock = p + ".lock";
  ASSERT_EQ(mkfifo(lock.c_str(), 0600), 0);
  // In a child that an alarm ends after 3 s: an open that waits for the pipe's writer fails fast.
  const osf::Ended child = osf::InChild([&] { EXPECT_TRUE(updateLines(p, 1, setLine(1, 0, "12"))); }, 3);
  EXPECT_TRUE(child.ok()) << child.text();
  EXPECT_EQ(readLines(p).lines, std::vector<std::string>{"12"});
  struct stat st;
  ASSERT_EQ(lstat(lock.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));  // left as it was
}

// ---- a save killed, failed by its disk, or left behind half-way

namespace {
// A file as it stands before an in-place save, and the save: line `k` of the `n` lines a reader
// takes set to `value`.
struct InPlaceCase {
  const char* what;
  QByteArray old;
  size_t n, k;
  std::string value;
};

std::vector<InPlaceCase> InPlaceCases() {
  QByteArray topPlayers;  // two lines more than Lobbo reads
  for (int i = 0; i < 6; ++i) topPlayers += "A rather long player name\r\n" + QByteArray::number(900 - i) + "$\r\n";
  QByteArray longLines;  // 3.6 KiB: still within a page
  for (int i = 0; i < 12; ++i) longLines += QByteArray(300, static_cast<char>('1' + i % 9)) + "\r\n";
  return {
      {"a last line without its line end", QByteArray("0\r\n").repeated(11) + "5", 12, 0, "12"},
      {"eleven lines of twelve", QByteArray("0\r\n").repeated(11), 12, 0, "12"},
      {"a shorter name, two lines more than are read", topPlayers, 10, 2, "Al"},
      {"long lines, one shorter", longLines, 12, 5, "9"},
      {"long lines, one longer", longLines, 12, 5, std::string(400, '8')},
  };
}

// The first line of the `n` a reader takes that reads as neither its old nor its new value
// ("missing" where the file has none), or "" when there is none.
std::string TornLine(const std::vector<std::string>& got, const std::vector<std::string>& old,
                     const std::vector<std::string>& now, size_t n) {
  auto at = [](const std::vector<std::string>& v, size_t k) { return k < v.size() ? v[k] : std::string("(missing)"); };
  for (size_t k = 0; k < n; ++k)
    if (at(got, k) != at(old, k) && at(got, k) != at(now, k))
      return "line " + std::to_string(k) + " reads \"" + at(got, k).substr(0, 40) + "\", was \"" +
             at(old, k).substr(0, 40) + "\", saved \"" + at(now, k).substr(0, 40) + "\"";
  return "";
}
}  // namespace

TEST(FilesTest, AKillAtAnyPointOfAnInPlaceSaveLeavesEveryLineOldOrNew) {
  saves::ClosedFolder folder;
  const std::string name = "Gemmet_hsc.nrz", p = folder.path(name);
  // The save program stops itself at the point, and is killed there (SIGKILL).
  const char* const points[] = {"before:pwrite:1",    "after:pwrite:1", "after:pwrite:2",   "before:fsync:1",
                                "before:ftruncate:1", "after:fsync:1",  "after:ftruncate:1"};
  for (const InPlaceCase& c : InPlaceCases()) {
    for (const char* point : points) {
      SCOPED_TRACE(std::string(c.what) + ", killed " + point);
      folder.put(name, c.old);
      const std::vector<std::string> old = readLines(p, c.n).lines;
      std::vector<std::string> now = old;
      now.resize(c.n, "0");
      now[c.k] = c.value;
      osf::Child child([&] {
        folder.becomeUser();
        osf::ExecSaveChild(folder.tools(), {"set", p, std::to_string(c.n), std::to_string(c.k), c.value},
                           {std::string("VPK_STOP=") + point});
      });
      if (child.waitStopped()) child.kill();
      const osf::Ended ended = child.wait();
      const std::vector<std::string> got = readLines(p, c.n).lines;
      EXPECT_EQ(TornLine(got, old, now, c.n), "");
      if (ended.signal != SIGKILL) {  // the point never came: the save ran to its end
        EXPECT_TRUE(ended.ok()) << ended.text();
        EXPECT_EQ(got, now);
      }
    }
  }
  EXPECT_EQ(entriesOf(folder.folder()), QStringList{QString::fromStdString(name)});
}

TEST(FilesTest, RandomKillsNeverTearAnInPlaceSave) {
  saves::ClosedFolder folder;
  const std::string name = "Gemmet_hsc.nrz", p = folder.path(name);
  const std::vector<InPlaceCase> cases = InPlaceCases();
  // First a few saves run to their end while the test watches the file: the shortest time from
  // the start of a save to a change seen in the file is when it begins to write (T; a test that
  // looks late only sees it later). Then each save is killed by the kernel's own timer, armed by
  // the child as it begins, at a random time from T to 2T: in the middle of the writes, however
  // busy or fast this machine is.
  void* shared = mmap(nullptr, sizeof(std::atomic<int64_t>), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
  ASSERT_NE(shared, MAP_FAILED);
  auto* begun = new (shared) std::atomic<int64_t>(0);  // when the child began to save (steady clock, ns)
  using Clock = std::chrono::steady_clock;
  auto nowNs = [] { return std::chrono::nanoseconds(Clock::now().time_since_epoch()).count(); };
  std::mt19937 random(20240611);
  const int measured = 15, rounds = 300;
  int64_t t = std::numeric_limits<int64_t>::max();
  int torn = 0, killedMidway = 0;
  for (int round = 0; round < measured + rounds; ++round) {
    const InPlaceCase& c = cases[round % cases.size()];
    folder.put(name, c.old);
    const std::vector<std::string> old = readLines(p, c.n).lines;
    std::vector<std::string> now = old;
    now.resize(c.n, "0");
    now[c.k] = c.value;
    struct stat before, seen;
    ASSERT_EQ(stat(p.c_str(), &before), 0);
    begun->store(0);
    const int64_t delay = round < measured ? 0 : t + static_cast<int64_t>(random() % (t + 1));
    osf::Child child([&] {
      folder.becomeUser();
      if (delay > 0) osf::KillAfter(delay);
      begun->store(nowNs());
      writeLinesAtomic(p, now);
    });
    if (round < measured) {
      const Clock::time_point start = Clock::now();
      while (stat(p.c_str(), &seen) == 0 && seen.st_size == before.st_size &&
             seen.st_mtim.tv_sec == before.st_mtim.tv_sec && seen.st_mtim.tv_nsec == before.st_mtim.tv_nsec &&
             Clock::now() - start < std::chrono::seconds(5)) {
      }
      if (begun->load() > 0) t = std::min(t, nowNs() - begun->load());
      EXPECT_TRUE(child.wait().ok());
      EXPECT_EQ(readLines(p, c.n).lines, now);
      ASSERT_TRUE(round + 1 < measured || t < std::numeric_limits<int64_t>::max()) << "no save was seen";
      continue;
    }
    if (child.wait().signal == SIGKILL) ++killedMidway;
    const std::string tear = TornLine(readLines(p, c.n).lines, old, now, c.n);
    if (!tear.empty()) {
      ++torn;
      ADD_FAILURE() << c.what << ": " << tear;
    }
  }
  munmap(shared, sizeof(std::atomic<int64_t>));
  std::printf("random kills: %d of %d in-place saves torn (%d killed before they ended; a save writes %.0f us after "
              "it begins)\n",
              torn, rounds, killedMidway, t / 1000.0);
  EXPECT_EQ(torn, 0);
}

TEST(FilesTest, AFailedSyncKeepsTheOldFileAndAFileSystemWithoutSyncGetsItsSave) {
  // The save program with a shim whose fsync (or close) answers this errno, in a folder that takes
  // new files (a new file renamed over the old) and in one that takes none (written in place).
  struct Fault {
    std::vector<std::string> shim;
    bool renamedSaves, inPlaceSaves;
  };
  const Fault faults[] = {
      {{"VPK_FSYNC_ERRNO=" + std::to_string(EIO)}, false, false},
      {{"VPK_FSYNC_ERRNO=" + std::to_string(ENOSPC)}, false, false},
      // No sync on this file system: nothing to wait for.
      {{"VPK_FSYNC_ERRNO=" + std::to_string(EINVAL)}, true, true},
      {{"VPK_FSYNC_ERRNO=" + std::to_string(EOPNOTSUPP)}, true, true},
      {{"VPK_FSYNC_ERRNO=" + std::to_string(ENOSYS)}, true, true},
      // A signal in the middle of the sync: it is tried again.
      {{"VPK_FSYNC_ERRNO=" + std::to_string(EINTR), "VPK_FSYNC_TIMES=1"}, true, true},
      // After a good sync: the new file is not renamed over the old, or the file holds the new text.
      {{"VPK_CLOSE_ERRNO=" + std::to_string(EIO)}, false, true},
  };
  const QByteArray old = "5\r\n5\r\n5\r\n";
  saves::ClosedFolder closed;
  QTemporaryDir open;
  for (const bool inPlace : {false, true}) {
    const std::string p = inPlace ? closed.path("Tumo_hsc.nrz") : open.filePath("Tumo_hsc.nrz").toStdString();
    for (const Fault& fault : faults) {
      for (const std::vector<std::string>& lines : {std::vector<std::string>{"5", "77", "5"}, {"1"}}) {
        SCOPED_TRACE(std::string(inPlace ? "in place, " : "renamed, ") + fault.shim[0] + ", " +
                     std::to_string(lines.size()) + " lines");
        if (inPlace)
          closed.put("Tumo_hsc.nrz", old);
        else
          saves::put(p, old);
        std::vector<std::string> args{"write", p};
        args.insert(args.end(), lines.begin(), lines.end());
        const osf::Ended ended = osf::InChild([&] {
          if (inPlace) closed.becomeUser();
          osf::ExecSaveChild(inPlace ? closed.tools() : osf::BuiltTools(), args, fault.shim);
        });
        // The answer says what the file holds.
        const bool saves = inPlace ? fault.inPlaceSaves : fault.renamedSaves;
        EXPECT_EQ(ended.code, saves ? 0 : 1) << ended.text();
        QByteArray now;
        for (const auto& l : lines) now += QByteArray::fromStdString(l) + "\r\n";
        EXPECT_EQ(bytesOf(p), saves ? now : old);
        EXPECT_EQ(entriesOf(inPlace ? closed.folder() : open.path().toStdString()), QStringList{"Tumo_hsc.nrz"});
      }
    }
  }
}

namespace {
// Sets a file's time of last change `seconds` into the past.
void Age(const std::string& path, int seconds) {
  timespec times[2];
  clock_gettime(CLOCK_REALTIME, &times[0]);
  times[0].tv_sec -= seconds;
  times[1] = times[0];
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
}
}  // namespace

TEST(FilesTest, ASaveRemovesWhatKilledSavesLeftAndNothingElse) {
  QTemporaryDir dir;
  const std::string folder = dir.path().toStdString(), name = "Gemmet_hsc.nrz", p = folder + "/" + name;
  const QString file = QString::fromStdString(name);
  ASSERT_TRUE(writeLinesAtomic(p, std::vector<std::string>(12, "0")));
  const osf::Tools tools = osf::BuiltTools();
  // A pack killed just before it renames its new file over the old one.
  osf::Child killed([&] { osf::ExecSaveChild(tools, {"set", p, "12", "3", "40"}, {"VPK_STOP=before:rename:1"}); });
  ASSERT_TRUE(killed.waitStopped());
  killed.kill();
  killed.wait();
  // A pack that is still writing its new file (it takes no lock file), stopped before its rename.
  osf::Child writing([&] { osf::ExecSaveChild(tools, {"write", p, "1", "2"}, {"VPK_STOP=before:rename:1"}); });
  ASSERT_TRUE(writing.waitStopped());
  QString left, live;
  for (const QString& e : entriesOf(folder)) {
    if (e.startsWith(file + ".save-" + QString::number(killed.pid()) + "-")) left = e;
    if (e.startsWith(file + ".save-" + QString::number(writing.pid()) + "-")) live = e;
  }
  ASSERT_FALSE(left.isEmpty()) << entriesOf(folder).join(" ").toStdString();
  ASSERT_FALSE(live.isEmpty()) << entriesOf(folder).join(" ").toStdString();
  // pid, start, PID namespace, time namespace, count
  const QStringList deadTag = left.mid(static_cast<int>(name.size()) + 6).split('-');
  const QStringList liveTag = live.mid(static_cast<int>(name.size()) + 6).split('-');
  ASSERT_EQ(deadTag.size(), 5);
  ASSERT_EQ(liveTag.size(), 5);
  auto tag = [](const QStringList& t, int field, qulonglong by) {
    QStringList out = t.mid(0, 4);
    out[field] = QString::number(out[field].toULongLong() + by);
    return out.join('-');
  };
  const QString dead = deadTag.mid(0, 4).join('-');
  const QString reused = tag(liveTag, 1, 1);  // a later process with a live one's id
  const QString otherPids = tag(liveTag, 2, 1), otherTimes = tag(liveTag, 3, 1);  // a sandbox's, not seen from here
  const QString older = deadTag[0] + "-" + deadTag[1];  // the tag of earlier releases, which names no namespace
  auto at = [&](const QString& entry) { return dir.filePath(entry).toStdString(); };
  // What the dead pack's lock takeover left, a process whose id a live one has now, and whatever
  // no save can still be writing after an hour, whoever wrote it.
  const QStringList gone = {left,
                            file + ".lock.save-" + dead + "-2",
                            file + ".save-" + reused + "-1",
                            file + ".save-" + otherPids + "-2",
                            file + ".save-" + older + "-3"};
  const QStringList oldOnes = gone.mid(3);
  // Whatever else only looks like it stays: a live or sandboxed pack's, and what no save makes.
  QStringList stay = {live,
                      file + ".save-" + otherPids + "-1",
                      file + ".save-" + otherTimes + "-1",
                      file + ".save-" + older + "-1",
                      file + ".bak",
                      file + ".save-" + older,
                      file + ".save-" + dead + "-1x",
                      file + ".save-" + dead + "-1-2",
                      file + ".save-" + dead + "-1.old",
                      file + ".save--" + dead + "-1",
                      "Kippel_hsc_A.nrz.save-" + dead + "-1",
                      "x" + file + ".save-" + dead + "-1"};
  for (const QString& e : gone.mid(1) + stay.mid(1)) saves::put(at(e), "1\r\n");
  for (const QString& e : oldOnes) Age(at(e), 3600 + 60);
  Age(at(stay[1]), 3600 - 60);  // not yet an hour
  ASSERT_TRUE(QDir(dir.path()).mkdir(file + ".save-" + dead + "-3"));
  stay << file + ".save-" + dead + "-3";
  ASSERT_EQ(symlink(at(stay[4]).c_str(), at(file + ".save-" + dead + "-4").c_str()), 0);
  stay << file + ".save-" + dead + "-4";
  if (geteuid() == 0) {  // another user's: its pack may yet be running where this one cannot look
    const QString others = file + ".save-" + dead + "-5";
    saves::put(at(others), "1\r\n");
    Age(at(others), 2 * 3600);
    ASSERT_EQ(chown(at(others).c_str(), osf::kNobody, osf::kNobody), 0);
    stay << others;
  }
  QStringList all = gone + stay + QStringList{file, file + ".lock"};
  all.sort();
  // Only a save that holds the lock file clears: with a pipe at the lock's name it goes on without.
  ASSERT_EQ(unlink((p + ".lock").c_str()), 0);  // the lock file the killed pack left
  ASSERT_EQ(mkfifo((p + ".lock").c_str(), 0600), 0);
  EXPECT_TRUE(updateLines(p, 12, setLine(12, 5, "50")));
  EXPECT_EQ(entriesOf(folder), all);
  ASSERT_EQ(unlink((p + ".lock").c_str()), 0);
  EXPECT_TRUE(updateLines(p, 12, setLine(12, 6, "60")));
  QStringList kept = stay + QStringList{file};
  kept.sort();
  EXPECT_EQ(entriesOf(folder), kept);
  EXPECT_EQ(readLines(p).lines, saves::zerosBut(12, {{5, "50"}, {6, "60"}}));
  // The stopped pack goes on and saves what it was writing.
  writing.resume();
  EXPECT_TRUE(writing.wait().ok());
  EXPECT_EQ(readLines(p).lines, (std::vector<std::string>{"1", "2"}));
}

TEST(FilesTest, ASandboxedPacksSaveIsNotTakenForALeftover) {
  if (geteuid() != 0) GTEST_SKIP() << "namespaces need root";
  // A pack in a PID namespace of its own, or in a time namespace, shares the folder. Its id and
  // start time mean something else outside: its new file, written and not yet renamed, stays.
  for (const osf::Space space : {osf::Space::kPid, osf::Space::kTime}) {
    SCOPED_TRACE(space == osf::Space::kPid ? "PID namespace" : "time namespace");
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString(), p = folder + "/Gemmet_hsc.nrz";
    ASSERT_TRUE(writeLinesAtomic(p, std::vector<std::string>(12, "0")));
    osf::Child sandboxed([&] {
      if (!osf::EnterOwnSpace(space)) osf::Exit(osf::kCannot);
      osf::ExecSaveChild(osf::BuiltTools(), {"write", p, "1", "2"}, {"VPK_STOP=before:rename:1"});
    });
    if (!sandboxed.waitStopped()) {
      const osf::Ended ended = sandboxed.wait();
      if (ended.code == osf::kCannot) GTEST_SKIP() << "no namespace could be made here";
      FAIL() << ended.text();
    }
    const QStringList during = entriesOf(folder);
    ASSERT_EQ(during.size(), 2) << during.join(" ").toStdString();
    EXPECT_TRUE(updateLines(p, 12, setLine(12, 5, "50")));
    EXPECT_EQ(entriesOf(folder), during);
    sandboxed.resume();
    EXPECT_TRUE(sandboxed.wait().ok());
    EXPECT_EQ(readLines(p).lines, (std::vector<std::string>{"1", "2"}));
  }
}
