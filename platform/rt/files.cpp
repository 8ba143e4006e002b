#include "rt/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
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

// The pid, state letter and start time (clock ticks after boot, as this process's time namespace
// counts them) of process `who` ("self" or an id), from /proc; false, with errno, when it cannot
// be read.
struct ProcStat {
  long pid = 0;
  char state = 0;
  unsigned long long start = 0;
};

bool readStat(const std::string& who, ProcStat& out) {
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
  return p && std::sscanf(buf, "%ld", &out.pid) == 1 &&
         std::sscanf(p + 1, " %c %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %llu",
                     &out.state, &out.start) == 2;
}

// Whether the process that a tag names still runs. Its start time tells it from a later process
// that the system has given the same id since.
enum class Owner { kRunning, kGone, kUnknown };

Owner processState(pid_t pid, unsigned long long start) {
  ProcStat st;
  if (!readStat(std::to_string(pid), st)) return errno == ENOENT || errno == ESRCH ? Owner::kGone : Owner::kUnknown;
  if (st.state == 'Z' || st.state == 'X') return Owner::kGone;  // ended, not yet reaped
  return st.start == start ? Owner::kRunning : Owner::kGone;
}

// Who this process is, as a tag names it. Process ids mean something only in their PID namespace
// and start times only in their time namespace, so a tag names both; a pack in a sandbox of its
// own cannot be judged by its id from outside. All 0 when /proc cannot tell (none, or one mounted
// for another PID namespace). Read again in a forked child.
struct Self {
  unsigned long long start = 0, pidSpace = 0, timeSpace = 0;
  bool known() const { return start != 0 && pidSpace != 0; }
};

const Self& self() {
  static pid_t pid = 0;
  static Self me;
  if (pid != getpid()) {
    pid = getpid();
    me = {};
    ProcStat st;
    struct stat pidNs, timeNs;
    if (readStat("self", st) && st.pid == pid && ::stat("/proc/self/ns/pid", &pidNs) == 0) {
      me.start = st.start;
      me.pidSpace = pidNs.st_ino;
      me.timeSpace = ::stat("/proc/self/ns/time", &timeNs) == 0 ? timeNs.st_ino : 1;  // 1: no time namespaces
    }
  }
  return me;
}

// The tag of a new file beside the one it will replace, "save-<pid>-<start>-<pid ns>-<time ns>-<n>":
// whose it is, so that a later save can tell a file that a killed pack left from one that is being
// written.
constexpr char kTagStart[] = "save-";

struct Tag {
  pid_t pid = 0;
  Self owner;  // all 0 in the older "save-<pid>-<start>-<n>", which names no namespace
};

// The owner named by a tag, when `tag` is one exactly (plain decimal numbers, nothing else).
std::optional<Tag> ownerOf(const std::string& tag) {
  const size_t n = sizeof kTagStart - 1;
  if (tag.compare(0, n, kTagStart) != 0) return std::nullopt;
  std::vector<unsigned long long> parts;
  for (size_t at = n; at <= tag.size();) {
    const size_t end = std::min(tag.find('-', at), tag.size());
    if (end == at || end - at > 19 || parts.size() == 5) return std::nullopt;
    unsigned long long v = 0;
    for (size_t k = at; k < end; ++k) {
      if (tag[k] < '0' || tag[k] > '9') return std::nullopt;
      v = v * 10 + static_cast<unsigned>(tag[k] - '0');
    }
    parts.push_back(v);
    at = end + 1;
  }
  if ((parts.size() != 3 && parts.size() != 5) || parts[0] == 0 ||
      parts[0] > static_cast<unsigned long long>(std::numeric_limits<pid_t>::max()))
    return std::nullopt;
  Tag t;
  t.pid = static_cast<pid_t>(parts[0]);
  if (parts.size() == 5) t.owner = {parts[1], parts[2], parts[3]};
  return t;
}

// A new file beside `base` ("<base>.<tag>"), opened for writing; -1 with errno when the folder takes
// none. O_EXCL, so that it never opens what someone else made.
int createBeside(const std::string& base, std::string& made, mode_t mode) {
  static unsigned counter = 0;
  const Self& me = self();
  for (int tries = 0; tries < 100; ++tries) {
    made = base + "." + kTagStart + std::to_string(getpid()) + "-" + std::to_string(me.start) + "-" +
           std::to_string(me.pidSpace) + "-" + std::to_string(me.timeSpace) + "-" + std::to_string(++counter);
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

// No save lasts this long: a new file older than this was left by a save that is gone, whoever
// and wherever its owner was.
constexpr std::chrono::hours kLeftoverAge{1};

// Removes the new files beside `path` (and beside its lock file) that saves no longer running
// left: a pack killed before its rename. Only plain files of this user, whose tag names a process
// of this PID and time namespace that is gone, or that are older than any save; whatever else
// stands there stays. Called under the save lock.
void removeLeftovers(const std::string& path) {
  const Self& me = self();
  const size_t slash = path.rfind('/');
  const std::string prefix = (slash == std::string::npos ? path : path.substr(slash + 1)) + ".";
  DIR* dir = ::opendir(folderOf(path).c_str());
  if (!dir) return;
  const auto now = std::chrono::system_clock::now();
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.compare(0, prefix.size(), prefix) != 0) continue;
    std::string text = name.substr(prefix.size());
    if (text.compare(0, 5, "lock.") == 0) text.erase(0, 5);
    const auto tag = ownerOf(text);
    if (!tag) continue;
    struct stat st;
    if (fstatat(dirfd(dir), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode) ||
        st.st_uid != geteuid())
      continue;
    const auto written = std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(std::chrono::seconds(st.st_mtim.tv_sec) +
                                                                         std::chrono::nanoseconds(st.st_mtim.tv_nsec)));
    const bool ours = me.known() && tag->owner.pidSpace == me.pidSpace && tag->owner.timeSpace == me.timeSpace;
    if (now - written > kLeftoverAge || (ours && processState(tag->pid, tag->owner.start) == Owner::kGone))
      (void)unlinkat(dirfd(dir), name.c_str(), 0);
  }
  ::closedir(dir);
}

// fsync, where a file system that has no sync at all (EINVAL, ENOTSUP, ENOSYS) counts as synced:
// there is nothing to wait for. A real failure (EIO, ENOSPC) answers false, with errno.
bool synced(int fd) {
  for (;;) {
    if (fsync(fd) == 0) return true;
    if (errno == EINTR) continue;
    return errno == EINVAL || errno == ENOTSUP || errno == EOPNOTSUPP || errno == ENOSYS;
  }
}

using Clock = std::chrono::steady_clock;

// How long a save waits for another one to let go of the file.
constexpr std::chrono::seconds kLockWait{3};
// Between two looks at a lock that another process holds, or at a file that another process
// keeps replacing: the save waits on others, it must not spin against them.
constexpr std::chrono::milliseconds kLookAgain{2};

// flock(LOCK_EX) on `fd`, tried until `deadline` (at least once): 0 when held, else the errno
// (EWOULDBLOCK: another save still held it at the deadline).
int lockBy(int fd, Clock::time_point deadline) {
  for (;;) {
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) return 0;
    const int failure = errno;
    if (failure == EINTR) continue;
    if (failure != EWOULDBLOCK || Clock::now() >= deadline) return failure;
    // A wait on another process, not a timed effect: it must not pump, the save is one step.
    std::this_thread::sleep_for(kLookAgain);
  }
}

// Two packs saving one file take turns through flock() on "<file>.lock". The kernel drops the
// lock whenever its holder ends, killed included, so a pack that dies mid-save leaves at most an
// unlocked file, which the next save takes and removes. (QLockFile was not used: it judges a
// leftover lock by process id and age, and a reused id keeps it "alive" for its whole stale time.)
// A lock held past the deadline means a pack frozen mid-save: the waiting save takes the lock
// over by putting a new lock file in its place. The frozen save, when it goes on, finds that it
// has lost the lock before it replaces the file (lost()) and starts again from a fresh read, so it
// never puts back lines as it read them before. Never, but for one spot: lost() is asked just
// before the rename; a save frozen for longer than kLockWait right after that question still puts
// back the lines it read. (A save in place asks before its write and again after it; see FileLock
// for what it can still lose.)
// When there is no lock file to be had (the folder takes no new file, or something that is no
// plain file stands at the lock's name, such as a pipe) only the lock on the file itself is held.
class SaveLock {
 public:
  SaveLock(const std::string& file, Clock::time_point deadline) : path_(file + ".lock") {
    for (;;) {
      // Non-blocking: the open of a pipe at that name would wait for a writer for ever.
      const int fd = ::open(path_.c_str(), O_RDONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY, 0600);
      if (fd < 0) {
        if (errno == EINTR) continue;
        return;  // no lock file can be made or opened here
      }
      struct stat st;
      if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return;  // not a lock file
      }
      // One try at a time, so that a lock file that its holder removes meanwhile is let go at once.
      const int failure = lockBy(fd, Clock::now());
      // The holder before us removes the file as it lets go: a lock counts only on the file that
      // the name still stands for.
      if (failure == 0 && holdsName(fd, path_)) {
        fd_ = fd;
        return;
      }
      ::close(fd);
      if (failure != 0 && failure != EWOULDBLOCK) return;  // no locks here
      if (Clock::now() >= deadline) {
        takeOver();
        return;
      }
      if (failure == EWOULDBLOCK) std::this_thread::sleep_for(kLookAgain);
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
    if (fd < 0) return;
    if (flock(fd, LOCK_EX | LOCK_NB) == 0 && ::rename(made.c_str(), path_.c_str()) == 0 && holdsName(fd, path_)) {
      fd_ = fd;
      return;
    }
    ::unlink(made.c_str());
    ::close(fd);
  }

  std::string path_;
  int fd_ = -1;
};

// flock() on the file itself, for as long as the save runs: where no lock file can be made (a
// folder that takes no new file) it is the only thing that keeps two saves in place apart, and
// every save takes it, so that one that replaces the file waits for one that writes in it. It is
// not taken over: a save in place that cannot have it in time fails; a save that replaces the
// file goes on without it (its rename cannot tear a file, and the lock file is its own). A file
// that is replaced each time the save has locked it, up to the end of the wait, ends any save: the
// lines it would read are gone by the time it could write. A save in place frozen past that wait
// then writes into the file that was replaced: it looks again after its write and, when the name
// stands for another file, saves again in that one. What it cannot see is a save that read the
// file before its write and renames only after that second look: the lines of the save in place
// are lost then, though it answered saved.
class FileLock {
 public:
  FileLock(const std::string& path, Clock::time_point deadline) : path_(path) {
    for (;;) {
      int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY);
      writable_ = fd >= 0;
      if (fd < 0 && (errno == EACCES || errno == EPERM || errno == EROFS))  // still lockable to read
        fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY);
      if (fd < 0) {
        if (errno == EINTR) continue;
        error_ = errno;  // ENOENT: nothing to lock yet; the file is made by a rename
        return;
      }
      struct stat st;
      if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        error_ = EINVAL;
        ::close(fd);
        return;
      }
      error_ = lockBy(fd, deadline);
      if (error_ == 0 && holdsName(fd, path_)) {
        fd_ = fd;
        return;
      }
      ::close(fd);
      if (error_ != 0) return;
      // Replaced while this save waited: the lock is on the file that stands there now. A program
      // that replaces it over and over would keep the save looking for ever: the wait bounds it.
      if (Clock::now() >= deadline) {
        replaced_ = true;
        return;
      }
      std::this_thread::sleep_for(kLookAgain);
    }
  }
  ~FileLock() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  // The descriptor to write through in place, -1 when the lock is not held or the file is
  // read-only to this process; errno-like reason in error() then.
  int writer() const { return fd_ >= 0 && writable_ ? fd_ : -1; }
  int error() const { return fd_ >= 0 && !writable_ ? EACCES : error_; }
  // True when the file was replaced since it was locked.
  bool lost() const { return fd_ >= 0 && !holdsName(fd_, path_); }
  // True when the file had been replaced each time it was locked, until the wait was over: nothing
  // is held.
  bool keptReplaced() const { return replaced_; }

 private:
  std::string path_;
  int fd_ = -1;
  bool writable_ = false;
  bool replaced_ = false;
  int error_ = 0;
};

// A file-size limit makes the kernel end the process with SIGXFSZ at the write that passes it;
// ignored, the write fails with EFBIG and the save takes its way back like any failed write.
class FileSizeSignalIgnored {
 public:
  FileSizeSignalIgnored() {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    saved_ = sigaction(SIGXFSZ, &ignore, &old_) == 0;
  }
  ~FileSizeSignalIgnored() {
    if (saved_) sigaction(SIGXFSZ, &old_, nullptr);
  }
  FileSizeSignalIgnored(const FileSizeSignalIgnored&) = delete;
  FileSizeSignalIgnored& operator=(const FileSizeSignalIgnored&) = delete;

 private:
  struct sigaction old_ {};
  bool saved_ = false;
};

// pwrite() until all of `n` bytes are at `at`; false, with errno, on any failure (EFBIG, ENOSPC,
// EIO ...). `done` counts the bytes that reached the file, also when it fails.
bool writeAt(int fd, const char* p, size_t n, off_t at, size_t* done = nullptr) {
  size_t count = 0;
  while (count < n) {
    const ssize_t w = ::pwrite(fd, p + count, n - count, at + static_cast<off_t>(count));
    if (w < 0 && errno == EINTR) continue;
    if (w == 0) errno = ENOSPC;
    if (w <= 0) break;
    count += static_cast<size_t>(w);
  }
  if (done) *done = count;
  return count == n;
}

SaveResult saved() { return {SaveResult::Outcome::kSaved, 0}; }
SaveResult failed(SaveResult::Outcome outcome, int error) { return {outcome, error}; }
// Another save replaced the file or took the lock file over: read it again and save again. (No
// errno: a save that ends for good on a lock says EWOULDBLOCK.)
SaveResult lockLostAgain() { return {SaveResult::Outcome::kLocked, 0}; }
// The file kept being replaced under this save, whether it waited for its lock or wrote in it.
SaveResult keptReplaced() { return {SaveResult::Outcome::kReplaced, 0}; }
bool lockLost(const SaveResult& r) { return r.outcome == SaveResult::Outcome::kLocked && r.error == 0; }

// Overwrites the file where it stands through `fd`, which holds the file's own lock, for a folder
// that takes no new file. Everything from the first byte that changes to the end of the new text
// goes in one write: the kernel lets a kill in only between pages, so a file of a page or less
// reads as its old text or its new one, never a mix. A shorter text is cut to its length only
// after that: the old bytes still after it meanwhile follow its last line end, so a reader of its
// lines never takes them. When the write or the sync fails (a full disk, a file-size limit, a
// failing disk) the old bytes are written back over what was written and what grew is cut off
// again. `lockLost` is asked before the write and after it.
SaveResult writeInPlace(int fd, const std::string& bytes, const std::function<bool()>& lockLost) {
  struct stat st;
  if (fstat(fd, &st) != 0) return failed(SaveResult::Outcome::kWriteFailed, errno);
  const size_t oldSize = static_cast<size_t>(st.st_size);
  // The old bytes that the new text will cover: what it changes, and what to put back.
  std::string old(std::min(bytes.size(), oldSize), '\0');
  size_t got = 0;
  while (got < old.size()) {
    const ssize_t r = ::pread(fd, old.data() + got, old.size() - got, static_cast<off_t>(got));
    if (r < 0 && errno == EINTR) continue;
    if (r == 0) errno = EIO;  // it shrank under a lock it holds: something else writes it
    if (r <= 0) return failed(SaveResult::Outcome::kWriteFailed, errno);
    got += static_cast<size_t>(r);
  }
  if (lockLost()) return lockLostAgain();
  const size_t from = static_cast<size_t>(std::mismatch(old.begin(), old.end(), bytes.begin()).first - old.begin());
  size_t done = 0;
  if (from < bytes.size() &&
      !(writeAt(fd, bytes.data() + from, bytes.size() - from, static_cast<off_t>(from), &done) && synced(fd))) {
    const int error = errno;
    const size_t overwritten = std::min(done, old.size() - from);
    writeAt(fd, old.data() + from, overwritten, static_cast<off_t>(from));
    if (from + done > oldSize) (void)!ftruncate(fd, static_cast<off_t>(oldSize));
    (void)synced(fd);
    return failed(SaveResult::Outcome::kWriteFailed, error);
  }
  // The new lines are on the disk; what is cut now are old bytes that no reader of them takes.
  if (bytes.size() < oldSize && ftruncate(fd, static_cast<off_t>(bytes.size())) == 0) (void)synced(fd);
  // Frozen past the wait before or in the write, this save may have been given up on by one that
  // replaced the file meanwhile: the lines then went into a file that no name stands for.
  if (lockLost()) return lockLostAgain();
  return saved();  // a close after a good sync has nothing left to report
}

// Replaces the file with `bytes`: a new file beside it, written, flushed to the disk and closed,
// then renamed over the old one. The old file is replaced only when every step worked, so a full
// disk, a file-size limit or a failing disk leaves it byte for byte. Where the folder takes no
// new file, the file is written in place, only under its own lock. `lockLost` is asked just
// before the file is touched, and in place again after the write.
// `held` is the lock on the file that the caller took before it read it; without one (a write
// that read nothing), it is taken here when the write must go in place.
SaveResult writeFile(const std::string& path, const std::string& bytes, const FileLock* held,
                     const std::function<bool()>& lockLost) {
  const FileSizeSignalIgnored noSignal;
  struct stat old;
  const bool hadOld = ::stat(path.c_str(), &old) == 0;
  std::string temp;
  const int fd = createBeside(path, temp, 0666);
  if (fd < 0) {
    const int error = errno;
    // The folder takes no new file, but the file itself may be writable.
    if ((error == EACCES || error == EPERM) && hadOld) {
      std::optional<FileLock> taken;
      const FileLock& own = held ? *held : taken.emplace(path, Clock::now() + kLockWait);
      if (own.writer() >= 0)
        return writeInPlace(own.writer(), bytes, [&] { return lockLost() || (!held && own.lost()); });
      if (own.keptReplaced()) return keptReplaced();
      if (own.error() == EWOULDBLOCK) return failed(SaveResult::Outcome::kLocked, EWOULDBLOCK);
      return failed(SaveResult::Outcome::kWriteFailed, own.error() == ENOENT ? error : own.error());
    }
    return failed(SaveResult::Outcome::kWriteFailed, error);
  }
  if (hadOld) (void)fchmod(fd, old.st_mode & 07777);  // the new file keeps the old one's permissions
  bool ok = writeAt(fd, bytes.data(), bytes.size(), 0) && synced(fd);
  int error = errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (!ok) {
    ::unlink(temp.c_str());
    return failed(SaveResult::Outcome::kWriteFailed, error);
  }
  if (lockLost()) {
    ::unlink(temp.c_str());
    return lockLostAgain();
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    error = errno;
    ::unlink(temp.c_str());
    return failed(SaveResult::Outcome::kWriteFailed, error);
  }
  // The rename itself reaches the disk with the folder.
  const int dir = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    (void)fsync(dir);
    ::close(dir);
  }
  return saved();
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
  auto unreadable = [&r](int error) {
    r.lines.clear();
    r.state = FileLines::State::kUnreadable;
    r.error = error;
    return r;
  };
  // Non-blocking, so that a pipe in the file's place cannot hang the pack.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return r;  // kMissing
    return unreadable(errno);
  }
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || g_failReads) {
    ::close(fd);
    return unreadable(S_ISDIR(st.st_mode) ? EISDIR : EACCES);
  }
  LineSplitter split(r.lines, maxLines);
  std::vector<char> buf(1 << 16);
  while (!split.full()) {
    const ssize_t n = ::read(fd, buf.data(), buf.size());
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      ::close(fd);
      return unreadable(error);
    }
    split.feed(buf.data(), buf.data() + n);
  }
  split.finish();
  ::close(fd);
  r.state = FileLines::State::kRead;
  return r;
}

SaveResult writeLinesAtomic(const std::string& path, const std::vector<std::string>& lines) {
  // Replaced under its lock while it was written in place: written again in the file that stands.
  for (int attempt = 0; attempt < 5; ++attempt) {
    const SaveResult r = writeFile(path, joinLines(lines), nullptr, [] { return false; });
    if (r) host().note("file", path);
    if (!lockLost(r)) return r;
  }
  return keptReplaced();  // its only retry
}

SaveResult updateLines(const std::string& path, size_t maxLines, const std::function<bool(FileLines&)>& change) {
  // A save whose lock was taken over, or whose file was replaced under its lock, reads the file
  // again and makes its change again; each retry means it stalled past the lock's wait once more,
  // or that another program replaced the file under its lock, so a few are plenty.
  bool replaced = false;  // why the last try was given up: the file replaced, or the lock file taken
  for (int attempt = 0; attempt < 5; ++attempt) {
    // One wait for both locks: a save frozen while it holds them costs the next one kLockWait.
    const Clock::time_point deadline = Clock::now() + kLockWait;
    SaveLock lock(path, deadline);
    const FileLock own(path, deadline);
    // Nothing read is worth writing while the file keeps changing under the save.
    if (own.keptReplaced()) return keptReplaced();
    if (lock.held()) removeLeftovers(path);
    FileLines file = readLines(path, maxLines);
    if (!change(file)) return {SaveResult::Outcome::kDeclined, 0};
    if (file.state == FileLines::State::kUnreadable) return failed(SaveResult::Outcome::kUnreadable, file.error);
    const SaveResult r = writeFile(path, joinLines(file.lines), &own, [&lock, &own, &replaced] {
      replaced = false;
      if (lock.lost()) return true;
      replaced = own.lost();
      return replaced;
    });
    if (r) host().note("file", path);
    if (!lockLost(r)) return r;
  }
  return replaced ? keptReplaced() : failed(SaveResult::Outcome::kLocked, EWOULDBLOCK);
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
