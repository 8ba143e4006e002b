#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "os_faults.h"
#include "rt/files.h"

using namespace rt;

namespace {
QByteArray bytesOf(const std::string& path) {
  QFile f(QString::fromStdString(path));
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}
QStringList entriesOf(const std::string& dir) {
  return QDir(QString::fromStdString(dir)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden);
}
// A change that sets line `k` of a file of `n` lines.
std::function<bool(FileLines&)> setLine(size_t n, size_t k, std::string value) {
  return [=](FileLines& f) {
    f.lines.resize(n, "0");
    f.lines[k] = value;
    return true;
  };
}
}  // namespace

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
  chmod(locked.c_str(), 0200);  // only the owner may write; root still reads it
  const bool rootReads = access(locked.c_str(), R_OK) == 0;
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
  if (!rootReads) {
    EXPECT_FALSE(updateLines(locked, 3, change));
  }
  failReadsForTests(true);
  EXPECT_EQ(readLines(locked).state, FileLines::State::kUnreadable);
  EXPECT_EQ(readLines(dir.filePath("missing").toStdString()).state, FileLines::State::kMissing);
  EXPECT_FALSE(updateLines(locked, 3, change));
  failReadsForTests(false);
  EXPECT_EQ(asked, rootReads ? 3 : 4);  // the caller still hears of it, to show what it could not save
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
  QTemporaryDir dir;
  ASSERT_EQ(chmod(dir.path().toLocal8Bit().constData(), 0755), 0);
  const std::string folder = dir.filePath("Morvelware").toStdString(), p = folder + "/Gemmet_hsc.nrz";
  ASSERT_TRUE(makeDirectory(folder));
  ASSERT_TRUE(writeLinesAtomic(p, {"5", "5"}));
  // Root passes over a folder's mode: the save runs as another user, whose own file it is.
  const bool root = geteuid() == 0;
  if (root) {
    ASSERT_EQ(chown(folder.c_str(), osf::kNobody, osf::kNobody), 0);
    ASSERT_EQ(chown(p.c_str(), osf::kNobody, osf::kNobody), 0);
  }
  ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
  const osf::Ended child = osf::InChild([&] {
    if (root) {
      ASSERT_TRUE(osf::BecomeNobody());
    }
    const std::string probe = folder + "/probe";
    ASSERT_LT(open(probe.c_str(), O_WRONLY | O_CREAT, 0644), 0) << "the folder takes new files";
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
  chmod(folder.c_str(), 0755);
  EXPECT_TRUE(child.ok()) << child.text();
  EXPECT_EQ(bytesOf(p), QByteArray("1\r\n"));
  EXPECT_EQ(entriesOf(folder), QStringList{"Gemmet_hsc.nrz"});
}

TEST(FilesTest, ASaveThatStallsPastTheLockWaitKeepsTheLineSavedMeanwhile) {
  QTemporaryDir dir;
  const std::string p = dir.filePath("Gemmet_hsc.nrz").toStdString();
  ASSERT_TRUE(writeLinesAtomic(p, std::vector<std::string>(12, "0")));
  // Pack A reads the file under the lock, then stalls (its pack stopped, its disk slow).
  osf::Signal hasRead, goOn;
  osf::Child a([&] {
    int calls = 0;
    const bool saved = updateLines(p, 12, [&](FileLines& f) {
      if (++calls == 1) {
        hasRead.send();
        goOn.receive();
      }
      return setLine(12, 3, "100")(f);
    });
    osf::Exit(saved ? calls : 100);
  });
  ASSERT_TRUE(hasRead.receive());
  // Pack B waits out the lock, takes it over and saves another line.
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(updateLines(p, 12, setLine(12, 7, "500")));
  const std::chrono::duration<double> waited = std::chrono::steady_clock::now() - start;
  EXPECT_GE(waited.count(), 2.9);
  // A goes on: it finds its lock taken over, reads the file again and sets its line once more.
  goOn.send();
  const osf::Ended ended = a.wait();
  EXPECT_EQ(ended.code, 2) << "A's change ran this often, or: " << ended.text();
  std::vector<std::string> both(12, "0");
  both[3] = "100";
  both[7] = "500";
  EXPECT_EQ(readLines(p).lines, both);
  EXPECT_EQ(entriesOf(dir.path().toStdString()), QStringList{"Gemmet_hsc.nrz"});  // no lock or temporary file left
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
