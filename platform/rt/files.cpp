#include "rt/files.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <thread>

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include "rt/host.h"

namespace rt {

namespace {

long long g_failAfter = -1;
bool g_failReads = false;
std::optional<std::string> g_accountHome;

// Cuts bytes into lines as they arrive, in chunks of any size; a line past kLongestLine keeps its
// start and the rest of it is skipped, so the lines after it are still found.
class LineSplitter {
 public:
  LineSplitter(std::vector<std::string>& out, size_t maxLines) : out_(out), max_(maxLines) {}
  bool full() const { return out_.size() >= max_; }
  void feed(const char* p, const char* end) {
    while (p < end && !full()) {
      if (afterCr_) {
        afterCr_ = false;
        if (*p == '\n') {
          ++p;
          continue;
        }
      }
      const char* stop = std::find_if(p, end, [](char c) { return c == '\r' || c == '\n'; });
      if (stop > p) {
        open_ = true;
        const size_t room = kLongestLine - std::min(kLongestLine, cur_.size());
        cur_.append(p, std::min(room, static_cast<size_t>(stop - p)));
      }
      if (stop == end) return;
      afterCr_ = *stop == '\r';
      out_.push_back(std::move(cur_));
      cur_.clear();
      open_ = false;
      p = stop + 1;
    }
  }
  void finish() {
    if (open_ && !full()) out_.push_back(std::move(cur_));
  }

 private:
  std::vector<std::string>& out_;
  size_t max_;
  std::string cur_;
  bool open_ = false;    // cur_ has begun (a last line needs no line end)
  bool afterCr_ = false;  // an LF next belongs to the CR before it
};

// Two packs saving one file take turns through flock() on "<file>.lock". The kernel drops the
// lock whenever its holder ends, killed included, so a pack that dies mid-save leaves at most an
// unlocked file, which the next save takes and removes. (QLockFile was not used: it judges a
// leftover lock by process id and age, and a reused id keeps it "alive" for its whole stale time.)
// A lock held longer than kLockWait means a pack frozen mid-save; the save then goes on without
// the lock rather than be lost.
class SaveLock {
 public:
  explicit SaveLock(const std::string& file) : path_(file + ".lock") {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + kLockWait;
    for (;;) {
      fd_ = ::open(path_.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY, 0600);
      if (fd_ < 0) return;  // the folder takes no file: the save's own write fails as well
      int failure = 0;
      if (flock(fd_, LOCK_EX | LOCK_NB) == 0) {
        // The holder before us removes the file as it lets go: a lock counts only on the file
        // that the name still stands for.
        struct stat held, named;
        if (fstat(fd_, &held) == 0 && stat(path_.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
            held.st_ino == named.st_ino)
          return;
      } else {
        failure = errno;
      }
      ::close(fd_);
      fd_ = -1;
      if ((failure != 0 && failure != EWOULDBLOCK && failure != EINTR) || Clock::now() >= deadline) return;
      // A wait on another process, not a timed effect: it must not pump, the save is one step.
      if (failure == EWOULDBLOCK) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  }
  ~SaveLock() {
    if (fd_ < 0) return;
    ::unlink(path_.c_str());  // still held: whoever opened this file retries on the next one
    ::close(fd_);
  }
  SaveLock(const SaveLock&) = delete;
  SaveLock& operator=(const SaveLock&) = delete;

 private:
  static constexpr std::chrono::seconds kLockWait{3};
  std::string path_;
  int fd_ = -1;
};

// `dir` and `name` joined by one slash ("/" and "x" give "/x").
std::string joinPath(std::string dir, const std::string& name) {
  while (!dir.empty() && dir.back() == '/') dir.pop_back();
  return dir + "/" + name;
}

std::string accountHome() {
  if (g_accountHome) return *g_accountHome;
  std::vector<char> buf(16384);
  passwd pw{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &pw, buf.data(), buf.size(), &found) != 0 || !found || !found->pw_dir) return {};
  return found->pw_dir;
}

// As desktop programs find it: $HOME, else the account's home.
std::string homeFolder() {
  const char* env = std::getenv("HOME");
  if (env && *env) return env;
  return accountHome();
}

// The documents folder that the XDG user-dirs file names, else "Documents" in the home.
std::string xdgDocuments(const std::string& home) {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  const std::string dirs = config && config[0] == '/' ? joinPath(config, "user-dirs.dirs")
                                                      : joinPath(joinPath(home, ".config"), "user-dirs.dirs");
  const std::string key = "XDG_DOCUMENTS_DIR=";
  for (std::string line : readLines(dirs, 1000).lines) {
    line.erase(0, line.find_first_not_of(" \t"));
    if (line.compare(0, key.size(), key) != 0) continue;
    std::string value = line.substr(key.size());
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.pop_back();
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    if (value.compare(0, 5, "$HOME") == 0) value = home + value.substr(5);
    if (!value.empty() && value[0] == '/') return value;
  }
  return joinPath(home, "Documents");
}

}  // namespace

void failWritesAfterForTests(long long bytes) { g_failAfter = bytes; }
void failReadsForTests(bool on) { g_failReads = on; }
void accountHomeForTests(const std::optional<std::string>& home) { g_accountHome = home; }

FileLines readLines(const std::string& path, size_t maxLines) {
  FileLines r;
  // Non-blocking, so that a pipe in the file's place cannot hang the pack.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    r.state = errno == ENOENT || errno == ENOTDIR ? FileLines::State::kMissing : FileLines::State::kUnreadable;
    return r;
  }
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || g_failReads) {
    ::close(fd);
    r.state = FileLines::State::kUnreadable;
    return r;
  }
  LineSplitter split(r.lines, maxLines);
  std::vector<char> buf(1 << 16);
  while (!split.full()) {
    const ssize_t n = ::read(fd, buf.data(), buf.size());
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      r.lines.clear();
      r.state = FileLines::State::kUnreadable;
      return r;
    }
    split.feed(buf.data(), buf.data() + n);
  }
  split.finish();
  ::close(fd);
  r.state = FileLines::State::kRead;
  return r;
}

bool writeLinesAtomic(const std::string& path, const std::vector<std::string>& lines) {
  QSaveFile f(QString::fromStdString(path));
  if (!f.open(QIODevice::WriteOnly)) return false;
  QByteArray out;
  for (const auto& l : lines) {
    out.append(l.data(), static_cast<qsizetype>(l.size()));
    out.append("\r\n");
  }
  if (g_failAfter >= 0) {
    f.write(out.left(static_cast<qsizetype>(g_failAfter)));
    f.cancelWriting();
    return false;
  }
  if (f.write(out) != out.size()) {
    f.cancelWriting();
    return false;
  }
  if (!f.commit()) return false;
  host().note("file", path);
  return true;
}

bool updateLines(const std::string& path, size_t maxLines, const std::function<bool(FileLines&)>& change) {
  SaveLock lock(path);
  FileLines file = readLines(path, maxLines);
  const bool readable = file.state != FileLines::State::kUnreadable;
  return change(file) && readable && writeLinesAtomic(path, file.lines);
}

bool isDirectory(const std::string& path) { return QFileInfo(QString::fromStdString(path)).isDir(); }

bool hasNormalFiles(const std::string& dir) {
  QDir d(QString::fromStdString(dir));
  if (!d.exists()) return false;
  return !d.entryList(QDir::Files | QDir::NoDotAndDotDot).isEmpty();
}

bool makeDirectory(const std::string& path) {
  QString p = QString::fromStdString(path);
  while (p.endsWith('/') && p.size() > 1) p.chop(1);
  QFileInfo fi(p);
  if (fi.exists()) return false;
  return QDir().mkdir(p);
}

std::string systemDocumentsFolder() {
  const std::string home = homeFolder();
  if (home.empty()) return {};
  const std::string docs = xdgDocuments(home);
  if (isDirectory(docs)) return docs;
  if (isDirectory(home)) return home;
  return {};
}

}  // namespace rt
