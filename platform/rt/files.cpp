#include "rt/files.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include <QDir>
#include <QFileInfo>

#include "rt/host.h"

namespace rt {

namespace {

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

// The lock file names the file it locks; a lock counts only while that name still stands for the
// very file this process has open and locked (same device, same inode).
bool holdsName(int fd, const std::string& name) {
  struct stat held, named;
  return fstat(fd, &held) == 0 && stat(name.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
         held.st_ino == named.st_ino;
}

// A new file beside `base` ("<base>.<tag>"), opened for writing; -1 with errno when the folder takes
// none. O_EXCL, so that it never opens what someone else made.
int createBeside(const std::string& base, std::string& made, mode_t mode) {
  static unsigned counter = 0;
  for (int tries = 0; tries < 100; ++tries) {
    char tag[48];
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    std::snprintf(tag, sizeof tag, ".%x%x%llx", static_cast<unsigned>(getpid()), ++counter,
                  static_cast<unsigned long long>(ticks) & 0xffffffu);
    made = base + tag;
    const int fd = ::open(made.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY, mode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

// Two packs saving one file take turns through flock() on "<file>.lock". The kernel drops the
// lock whenever its holder ends, killed included, so a pack that dies mid-save leaves at most an
// unlocked file, which the next save takes and removes. (QLockFile was not used: it judges a
// leftover lock by process id and age, and a reused id keeps it "alive" for its whole stale time.)
// A lock held longer than kLockWait means a pack frozen mid-save: the waiting save takes the lock
// over by putting a new lock file in its place. The frozen save, when it goes on, finds that it
// has lost the lock before it replaces the file (lost()) and starts again from a fresh read, so it
// never puts back lines as it read them before.
// When there is no lock to be had (the folder takes no new file, or something that is no plain
// file stands at the lock's name, such as a pipe) the save goes on without one.
class SaveLock {
 public:
  explicit SaveLock(const std::string& file) : path_(file + ".lock") {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + kLockWait;
    for (;;) {
      // Non-blocking: the open of a pipe at that name would wait for a writer for ever.
      const int fd = ::open(path_.c_str(), O_RDONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY, 0600);
      if (fd < 0) {
        if (errno == EINTR) continue;
        return;  // no lock file can be made or opened here: the save goes on unlocked
      }
      struct stat st;
      if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return;  // not a lock file: saved unlocked
      }
      int failure = 0;
      if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
        // The holder before us removes the file as it lets go: a lock counts only on the file
        // that the name still stands for.
        if (holdsName(fd, path_)) {
          fd_ = fd;
          return;
        }
      } else {
        failure = errno;
      }
      ::close(fd);
      if (failure != 0 && failure != EWOULDBLOCK && failure != EINTR) return;  // no locks here: unlocked
      if (Clock::now() >= deadline) {
        takeOver();
        return;
      }
      // A wait on another process, not a timed effect: it must not pump, the save is one step.
      if (failure == EWOULDBLOCK) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  }
  ~SaveLock() {
    if (fd_ < 0) return;
    // Still ours: whoever opened this file retries on the next one. Taken over: the name is the
    // new holder's and stays.
    if (holdsName(fd_, path_)) ::unlink(path_.c_str());
    ::close(fd_);
  }
  SaveLock(const SaveLock&) = delete;
  SaveLock& operator=(const SaveLock&) = delete;

  // True when this save held the lock and another pack has taken it over since.
  bool lost() const { return fd_ >= 0 && !holdsName(fd_, path_); }

 private:
  // A new, locked lock file renamed over the frozen holder's.
  void takeOver() {
    std::string made;
    const int fd = createBeside(path_, made, 0600);
    if (fd < 0) return;  // unlocked
    if (flock(fd, LOCK_EX | LOCK_NB) == 0 && ::rename(made.c_str(), path_.c_str()) == 0 && holdsName(fd, path_)) {
      fd_ = fd;
      return;
    }
    ::unlink(made.c_str());
    ::close(fd);
  }

  static constexpr std::chrono::seconds kLockWait{3};
  std::string path_;
  int fd_ = -1;
};

// write() until all of `n` bytes are at `at`; false on any failure (EFBIG, ENOSPC, EIO ...).
bool writeAt(int fd, const char* p, size_t n, off_t at) {
  while (n > 0) {
    const ssize_t w = ::pwrite(fd, p, n, at);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) return false;
    p += w;
    n -= static_cast<size_t>(w);
    at += w;
  }
  return true;
}

enum class Written { kDone, kFailed, kLockLost };

// The folder that holds `path`.
std::string folderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Overwrites the file where it stands, for a folder that takes no new file. Whatever can fail
// without touching the old bytes goes first: the bytes beyond the old length are written before
// the old bytes are overwritten, and are cut off again when that fails (a full disk, a file-size
// limit). Overwriting bytes the file already has needs no new space; should it fail all the
// same, the old bytes are written back.
Written writeInPlace(const std::string& path, const std::string& bytes, const std::function<bool()>& lockLost) {
  const int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY);
  if (fd < 0) return Written::kFailed;
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return Written::kFailed;
  }
  const off_t oldSize = st.st_size;
  // The old bytes that the new text will cover, to put back should that fail.
  std::string old(std::min(bytes.size(), static_cast<size_t>(oldSize)), '\0');
  size_t got = 0;
  while (got < old.size()) {
    const ssize_t r = ::pread(fd, old.data() + got, old.size() - got, static_cast<off_t>(got));
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) break;
    got += static_cast<size_t>(r);
  }
  if (got < old.size() || lockLost()) {
    ::close(fd);
    return got < old.size() ? Written::kFailed : Written::kLockLost;
  }
  bool ok = true;
  if (bytes.size() > old.size() &&
      !writeAt(fd, bytes.data() + old.size(), bytes.size() - old.size(), static_cast<off_t>(old.size()))) {
    (void)!ftruncate(fd, oldSize);
    ok = false;
  }
  if (ok && (!writeAt(fd, bytes.data(), old.size(), 0) ||
             (bytes.size() < static_cast<size_t>(oldSize) && ftruncate(fd, static_cast<off_t>(bytes.size())) != 0))) {
    writeAt(fd, old.data(), old.size(), 0);
    (void)!ftruncate(fd, oldSize);
    ok = false;
  }
  if (fsync(fd) != 0) ok = false;
  if (::close(fd) != 0) ok = false;
  return ok ? Written::kDone : Written::kFailed;
}

// Replaces the file with `bytes`: a new file beside it, written, flushed to the disk and closed,
// then renamed over the old one. The old file is replaced only when every step worked, so a full
// disk, a file-size limit or a failing disk leaves it byte for byte. `lockLost` is asked just
// before the file is touched.
Written writeFile(const std::string& path, const std::string& bytes, const std::function<bool()>& lockLost) {
  struct stat old;
  const bool hadOld = ::stat(path.c_str(), &old) == 0;
  std::string temp;
  const int fd = createBeside(path, temp, 0666);
  if (fd < 0) {
    // The folder takes no new file, but the file itself may be writable.
    if ((errno == EACCES || errno == EPERM) && hadOld) return writeInPlace(path, bytes, lockLost);
    return Written::kFailed;
  }
  if (hadOld) (void)fchmod(fd, old.st_mode & 07777);  // the new file keeps the old one's permissions
  bool ok = writeAt(fd, bytes.data(), bytes.size(), 0) && fsync(fd) == 0;
  if (::close(fd) != 0) ok = false;
  if (!ok) {
    ::unlink(temp.c_str());
    return Written::kFailed;
  }
  if (lockLost()) {
    ::unlink(temp.c_str());
    return Written::kLockLost;
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    ::unlink(temp.c_str());
    return Written::kFailed;
  }
  // The rename itself reaches the disk with the folder.
  const int dir = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    (void)fsync(dir);
    ::close(dir);
  }
  return Written::kDone;
}

std::string joinLines(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines) {
    out += l;
    out += "\r\n";
  }
  return out;
}

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
  if (writeFile(path, joinLines(lines), [] { return false; }) != Written::kDone) return false;
  host().note("file", path);
  return true;
}

bool updateLines(const std::string& path, size_t maxLines, const std::function<bool(FileLines&)>& change) {
  // A save whose lock was taken over reads the file again and makes its change again; each
  // retry means it stalled past the lock's wait once more, so a few are plenty.
  for (int attempt = 0; attempt < 5; ++attempt) {
    SaveLock lock(path);
    FileLines file = readLines(path, maxLines);
    const bool readable = file.state != FileLines::State::kUnreadable;
    if (!change(file) || !readable) return false;
    switch (writeFile(path, joinLines(file.lines), [&lock] { return lock.lost(); })) {
      case Written::kDone:
        host().note("file", path);
        return true;
      case Written::kFailed:
        return false;
      case Written::kLockLost:
        break;
    }
  }
  return false;
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
