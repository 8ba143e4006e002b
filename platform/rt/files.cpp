#include "rt/files.h"

#include <dirent.h>
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
#include <cstring>
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

// The state letter and the start time (clock ticks after boot) of process `who` ("self" or an
// id), from /proc; false, with errno, when it cannot be read.
bool readStat(const std::string& who, char& state, unsigned long long& start) {
  const std::string name = "/proc/" + who + "/stat";
  const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  char buf[1024];
  ssize_t n;
  while ((n = ::read(fd, buf, sizeof buf - 1)) < 0 && errno == EINTR) {
  }
  const int readError = errno;
  ::close(fd);
  if (n <= 0) {
    errno = n == 0 ? ESRCH : readError;  // a process that ended while it was read has no text
    return false;
  }
  buf[n] = '\0';
  // "pid (name) state ppid ...": the name may hold blanks and ')', the fields after it do not.
  // The start time is the 20th field after the state.
  const char* p = std::strrchr(buf, ')');
  errno = EINVAL;
  return p && std::sscanf(p + 1, " %c %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %llu",
                          &state, &start) == 2;
}

// Whether the process that a tag names still runs. Its start time tells it from a later process
// that the system has given the same id since.
enum class Owner { kRunning, kGone, kUnknown };

Owner processState(pid_t pid, unsigned long long start) {
  char state = 0;
  unsigned long long started = 0;
  if (!readStat(std::to_string(pid), state, started))
    return errno == ENOENT || errno == ESRCH ? Owner::kGone : Owner::kUnknown;
  if (state == 'Z' || state == 'X') return Owner::kGone;  // ended, not yet reaped
  return started == start ? Owner::kRunning : Owner::kGone;
}

// This process's start time, 0 when there is no /proc to ask (read again in a forked child).
unsigned long long ownStart() {
  static pid_t pid = 0;
  static unsigned long long start = 0;
  if (pid != getpid()) {
    pid = getpid();
    char state = 0;
    if (!readStat("self", state, start)) start = 0;
  }
  return start;
}

// The tag of a new file beside the one it will replace: "save-<pid>-<start>-<n>", whose it is,
// so that a later save can tell a file that a killed pack left from one that is being written.
constexpr char kTagStart[] = "save-";

// The owner named by a tag, when `tag` is one exactly (plain decimal numbers, nothing else).
std::optional<std::pair<pid_t, unsigned long long>> ownerOf(const std::string& tag) {
  const size_t n = sizeof kTagStart - 1;
  if (tag.compare(0, n, kTagStart) != 0) return std::nullopt;
  unsigned long long parts[3];
  size_t at = n;
  for (int i = 0; i < 3; ++i) {
    const size_t end = i < 2 ? tag.find('-', at) : tag.size();
    if (end == std::string::npos || end == at || end - at > 19) return std::nullopt;
    parts[i] = 0;
    for (size_t k = at; k < end; ++k) {
      if (tag[k] < '0' || tag[k] > '9') return std::nullopt;
      parts[i] = parts[i] * 10 + static_cast<unsigned>(tag[k] - '0');
    }
    at = end + 1;
  }
  if (parts[0] == 0 || parts[0] > static_cast<unsigned long long>(std::numeric_limits<pid_t>::max()) || parts[1] == 0)
    return std::nullopt;
  return std::make_pair(static_cast<pid_t>(parts[0]), parts[1]);
}

// A new file beside `base` ("<base>.<tag>"), opened for writing; -1 with errno when the folder takes
// none. O_EXCL, so that it never opens what someone else made.
int createBeside(const std::string& base, std::string& made, mode_t mode) {
  static unsigned counter = 0;
  for (int tries = 0; tries < 100; ++tries) {
    made = base + "." + kTagStart + std::to_string(getpid()) + "-" + std::to_string(ownStart()) + "-" +
           std::to_string(++counter);
    const int fd = ::open(made.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY, mode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

// The folder that holds `path`.
std::string folderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Removes the new files beside `path` (and beside its lock file) that saves of processes no
// longer running left: a pack killed before its rename. Only plain files of this user whose tag
// names a process that is gone; whatever else stands there stays. Called under the save lock.
void removeLeftovers(const std::string& path) {
  if (ownStart() == 0) return;  // no /proc: the living cannot be told from the gone
  const size_t slash = path.rfind('/');
  const std::string prefix = (slash == std::string::npos ? path : path.substr(slash + 1)) + ".";
  DIR* dir = ::opendir(folderOf(path).c_str());
  if (!dir) return;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.compare(0, prefix.size(), prefix) != 0) continue;
    std::string tag = name.substr(prefix.size());
    if (tag.compare(0, 5, "lock.") == 0) tag.erase(0, 5);
    const auto owner = ownerOf(tag);
    if (!owner || processState(owner->first, owner->second) != Owner::kGone) continue;
    struct stat st;
    if (fstatat(dirfd(dir), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode) ||
        st.st_uid != geteuid())
      continue;
    (void)unlinkat(dirfd(dir), name.c_str(), 0);
  }
  ::closedir(dir);
}

// fsync, where a file system that has no sync at all (EINVAL, ENOTSUP, ENOSYS) counts as synced:
// there is nothing to wait for. A real failure (EIO, ENOSPC) answers false.
bool synced(int fd) {
  for (;;) {
    if (fsync(fd) == 0) return true;
    if (errno == EINTR) continue;
    return errno == EINVAL || errno == ENOTSUP || errno == EOPNOTSUPP || errno == ENOSYS;
  }
}

// Two packs saving one file take turns through flock() on "<file>.lock". The kernel drops the
// lock whenever its holder ends, killed included, so a pack that dies mid-save leaves at most an
// unlocked file, which the next save takes and removes. (QLockFile was not used: it judges a
// leftover lock by process id and age, and a reused id keeps it "alive" for its whole stale time.)
// A lock held longer than kLockWait means a pack frozen mid-save: the waiting save takes the lock
// over by putting a new lock file in its place. The frozen save, when it goes on, finds that it
// has lost the lock before it replaces the file (lost()) and starts again from a fresh read, so it
// never puts back lines as it read them before. Never, but for one spot: lost() is asked just
// before the rename (or the write in place); a save frozen for longer than kLockWait right after
// that question still puts back the lines it read.
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

  bool held() const { return fd_ >= 0; }
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

// pwrite() until all of `n` bytes are at `at`; false on any failure (EFBIG, ENOSPC, EIO ...).
// `done` counts the bytes that reached the file, also when it fails.
bool writeAt(int fd, const char* p, size_t n, off_t at, size_t* done = nullptr) {
  size_t count = 0;
  while (count < n) {
    const ssize_t w = ::pwrite(fd, p + count, n - count, at + static_cast<off_t>(count));
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) break;
    count += static_cast<size_t>(w);
  }
  if (done) *done = count;
  return count == n;
}

enum class Written { kDone, kFailed, kLockLost };

// Overwrites the file where it stands, for a folder that takes no new file. Everything from the
// first byte that changes to the end of the new text goes in one write: the kernel lets a kill in
// only between pages, so a file of a page or less reads as its old text or its new one, never a
// mix. A shorter text is cut to its length only after that: the old bytes still after it
// meanwhile follow its last line end, so a reader of its lines never takes them. When the write
// or the sync fails (a full disk, a file-size limit, a failing disk) the old bytes are written
// back over what was written and what grew is cut off again.
Written writeInPlace(const std::string& path, const std::string& bytes, const std::function<bool()>& lockLost) {
  const int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY);
  if (fd < 0) return Written::kFailed;
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return Written::kFailed;
  }
  const size_t oldSize = static_cast<size_t>(st.st_size);
  // The old bytes that the new text will cover: what it changes, and what to put back.
  std::string old(std::min(bytes.size(), oldSize), '\0');
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
  const size_t from = static_cast<size_t>(std::mismatch(old.begin(), old.end(), bytes.begin()).first - old.begin());
  size_t done = 0;
  if (from < bytes.size() &&
      !(writeAt(fd, bytes.data() + from, bytes.size() - from, static_cast<off_t>(from), &done) && synced(fd))) {
    const size_t overwritten = std::min(done, old.size() - from);
    writeAt(fd, old.data() + from, overwritten, static_cast<off_t>(from));
    if (from + done > oldSize) (void)!ftruncate(fd, static_cast<off_t>(oldSize));
    (void)synced(fd);
    ::close(fd);
    return Written::kFailed;
  }
  // The new lines are on the disk; what is cut now are old bytes that no reader of them takes.
  if (bytes.size() < oldSize && ftruncate(fd, static_cast<off_t>(bytes.size())) == 0) (void)synced(fd);
  ::close(fd);  // after a good sync, close has nothing left to report
  return Written::kDone;
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
  bool ok = writeAt(fd, bytes.data(), bytes.size(), 0) && synced(fd);
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
    if (lock.held()) removeLeftovers(path);
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
