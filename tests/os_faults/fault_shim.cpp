// Loaded with LD_PRELOAD into a child process that a test starts, never into a test itself: it
// stands between the program and the C library's calls of a save, where the kernel cannot be made
// to fail on purpose or to stop at one exact point.
//   VPK_FSYNC_ERRNO=n   every fsync and fdatasync fails with errno n (EIO: a failing disk; EINVAL:
//                       a file system that has no sync)
//   VPK_FSYNC_TIMES=n   only the first n of them fail (EINTR once: a signal came in)
//   VPK_CLOSE_ERRNO=n   every close of a plain file closes it and answers errno n, as a network
//                       file system may
//   VPK_STOP=when:call:n[,...]   the process stops itself (SIGSTOP) "before" or "after" the n-th
//                       call of flock, pwrite, fsync, ftruncate or rename, for the test to kill it
//                       there or let it go on; "n+" stops at the n-th call and at every one after
// Only these headers: the ones that declare the calls themselves would clash with these
// definitions.
#include <dlfcn.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

enum Call { kFlock, kPwrite, kFsync, kFtruncate, kRename, kCalls };
const char* const kNames[kCalls] = {"flock", "pwrite", "fsync", "ftruncate", "rename"};

struct Stop {
  bool after;
  int call;
  int nth;
  bool onward;  // every call from the n-th on
};

Stop g_stops[16];
int g_stopCount = -1;  // -1: VPK_STOP not read yet
int g_seen[kCalls];

void readStops() {
  g_stopCount = 0;
  const char* item = std::getenv("VPK_STOP");
  while (item && *item && g_stopCount < 16) {
    const char* end = std::strchr(item, ',');
    if (!end) end = item + std::strlen(item);
    Stop s{};
    s.after = std::strncmp(item, "after:", 6) == 0;
    const char* name = std::strchr(item, ':');
    const char* count = name ? std::strchr(name + 1, ':') : nullptr;
    if (name && count && count < end) {
      for (int c = 0; c < kCalls; ++c)
        if (static_cast<size_t>(count - name - 1) == std::strlen(kNames[c]) &&
            std::strncmp(name + 1, kNames[c], count - name - 1) == 0) {
          s.call = c;
          s.nth = std::atoi(count + 1);
          const char* plus = std::strchr(count + 1, '+');
          s.onward = plus && plus < end;
          g_stops[g_stopCount++] = s;
        }
    }
    item = *end ? end + 1 : end;
  }
}

void stopIfAsked(int call, bool after) {
  if (g_stopCount < 0) readStops();
  for (int i = 0; i < g_stopCount; ++i)
    if (g_stops[i].call == call && g_stops[i].after == after &&
        (g_stops[i].nth == g_seen[call] || (g_stops[i].onward && g_stops[i].nth < g_seen[call])))
      raise(SIGSTOP);
}

int errnoFrom(const char* name) {
  const char* e = std::getenv(name);
  return e && *e ? std::atoi(e) : 0;
}

// The C library's own `name`, called between the stops asked for before and after it.
template <typename R, typename... A>
R around(int call, const char* name, A... args) {
  ++g_seen[call];
  stopIfAsked(call, false);
  R r;
  const int failing = errnoFrom("VPK_FSYNC_TIMES");
  if (call == kFsync && errnoFrom("VPK_FSYNC_ERRNO") && (failing == 0 || g_seen[call] <= failing)) {
    errno = errnoFrom("VPK_FSYNC_ERRNO");
    r = -1;
  } else {
    r = reinterpret_cast<R (*)(A...)>(dlsym(RTLD_NEXT, name))(args...);
  }
  const int saved = errno;
  stopIfAsked(call, true);
  errno = saved;
  return r;
}

}  // namespace

extern "C" {
int flock(int fd, int op) { return around<int>(kFlock, "flock", fd, op); }
ssize_t pwrite(int fd, const void* p, size_t n, off_t at) {
  return around<ssize_t>(kPwrite, "pwrite", fd, p, n, at);
}
ssize_t pwrite64(int fd, const void* p, size_t n, off_t at) {
  return around<ssize_t>(kPwrite, "pwrite64", fd, p, n, at);
}
int fsync(int fd) { return around<int>(kFsync, "fsync", fd); }
int fdatasync(int fd) { return around<int>(kFsync, "fdatasync", fd); }
int ftruncate(int fd, off_t size) { return around<int>(kFtruncate, "ftruncate", fd, size); }
int ftruncate64(int fd, off_t size) { return around<int>(kFtruncate, "ftruncate64", fd, size); }
int rename(const char* from, const char* to) { return around<int>(kRename, "rename", from, to); }
int close(int fd) {
  struct stat st;
  const bool plain = errnoFrom("VPK_CLOSE_ERRNO") && fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  const int r = reinterpret_cast<int (*)(int)>(dlsym(RTLD_NEXT, "close"))(fd);
  if (!plain || r != 0) return r;
  errno = errnoFrom("VPK_CLOSE_ERRNO");
  return -1;
}
}
