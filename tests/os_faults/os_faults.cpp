#include "os_faults.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <sys/fanotify.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include <gtest/gtest.h>

namespace osf {

std::string Ended::text() const {
  if (signal == SIGALRM) return "ran out of time (a call hung)";
  if (signal) return "ended by signal " + std::to_string(signal);
  return "exit code " + std::to_string(code);
}

void Exit(int code) {
  std::fflush(stdout);
  std::fflush(stderr);
  _exit(code);
}

Child::Child(const std::function<void()>& body, unsigned seconds) {
  std::fflush(nullptr);  // nothing buffered here is printed twice by the child
  pid_ = fork();
  if (pid_ != 0) return;
  alarm(seconds);
  body();
  Exit(::testing::Test::HasFailure() ? 1 : 0);
}

namespace {
Ended endedBy(int status) {
  Ended e;
  if (WIFEXITED(status)) e.code = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) e.signal = WTERMSIG(status);
  return e;
}
}  // namespace

Child::~Child() {
  if (pid_ <= 0 || reaped_) return;
  ::kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
}

Ended Child::wait() {
  if (pid_ <= 0 || reaped_) return ended_;
  int status = 0;
  while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
  }
  reaped_ = true;
  return ended_ = endedBy(status);
}

bool Child::waitStopped() {
  if (pid_ <= 0 || reaped_) return false;
  int status = 0;
  while (waitpid(pid_, &status, WUNTRACED) < 0 && errno == EINTR) {
  }
  if (WIFSTOPPED(status)) return true;
  reaped_ = true;
  ended_ = endedBy(status);
  return false;
}

void Child::resume() {
  if (pid_ > 0 && !reaped_) ::kill(pid_, SIGCONT);
}

void Child::kill() {
  if (pid_ > 0 && !reaped_) ::kill(pid_, SIGKILL);
}

Ended InChild(const std::function<void()>& body, unsigned seconds) { return Child(body, seconds).wait(); }

void KillAfter(int64_t ns) {
  prctl(PR_SET_TIMERSLACK, 1UL);  // on time, not up to 50 us late
  sigevent event{};
  event.sigev_notify = SIGEV_SIGNAL;
  event.sigev_signo = SIGKILL;
  timer_t timer;
  itimerspec when{};
  when.it_value.tv_sec = ns / 1000000000;
  when.it_value.tv_nsec = ns % 1000000000;
  if (timer_create(CLOCK_MONOTONIC, &event, &timer) != 0 || timer_settime(timer, 0, &when, nullptr) != 0) {
    std::perror("timer");
    Exit(1);
  }
}

void LimitFileSize(off_t bytes, SizeSignal sizeSignal) {
  signal(SIGXFSZ, sizeSignal == SizeSignal::kIgnored ? SIG_IGN : SIG_DFL);
  rlimit lim{};
  getrlimit(RLIMIT_FSIZE, &lim);
  lim.rlim_cur = static_cast<rlim_t>(bytes);
  setrlimit(RLIMIT_FSIZE, &lim);
}

bool MountSmallDisk(const std::string& dir, int kib) {
  if (geteuid() != 0 || unshare(CLONE_NEWNS) != 0) return false;
  // The mount stays in this child's own view of the file systems.
  if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return false;
  const std::string size = "size=" + std::to_string(kib) + "k";
  return mount("tmpfs", dir.c_str(), "tmpfs", 0, size.c_str()) == 0;
}

bool FillDisk(const std::string& dir, const std::string& name) {
  const std::string path = dir + "/" + name;
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  // Whole pages while they fit, then single bytes: the last one ends the space.
  const std::vector<char> page(4096, 'f');
  for (size_t chunk : {page.size(), size_t{1}}) {
    for (;;) {
      const ssize_t w = write(fd, page.data(), chunk);
      if (w > 0) continue;
      if (w < 0 && errno == EINTR) continue;
      if (w < 0 && errno != ENOSPC) {
        close(fd);
        return false;
      }
      break;
    }
  }
  return close(fd) == 0;
}

namespace {
// Ends this process as `status` says its child ended.
[[noreturn]] void EndAs(int status) {
  if (WIFSIGNALED(status)) {
    signal(WTERMSIG(status), SIG_DFL);
    raise(WTERMSIG(status));
  }
  Exit(WIFEXITED(status) ? WEXITSTATUS(status) : 1);
}

bool readByte(int fd) {
  char c;
  ssize_t n;
  while ((n = read(fd, &c, 1)) < 0 && errno == EINTR) {
  }
  return n == 1;
}

void writeByte(int fd) {
  const char c = 's';
  while (write(fd, &c, 1) < 0 && errno == EINTR) {
  }
}
}  // namespace

bool EnterOwnSpace(Space space) {
  if (geteuid() != 0) return false;
  if (space == Space::kPid) {
    // A /proc of the new namespace is mounted in a mount namespace of its own.
    if (unshare(CLONE_NEWPID | CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
      return false;
  } else {
    if (unshare(CLONE_NEWTIME) != 0) return false;
    // Only before the namespace's first process starts; start times then read an hour later.
    const int fd = open("/proc/self/timens_offsets", O_WRONLY | O_CLOEXEC);
    const char offsets[] = "boottime 3600 0\n";
    const bool set = fd >= 0 && write(fd, offsets, sizeof offsets - 1) == static_cast<ssize_t>(sizeof offsets - 1);
    if (fd >= 0) close(fd);
    if (!set) return false;
  }
  // The first process inside relays: the first process of a PID namespace cannot stop itself, so
  // the sandboxed one is its child. It tells this one of each stop over `stopped`, and this one
  // stops, for the test to see; the test's SIGCONT comes back in over `goOn`.
  int stopped[2], goOn[2];
  if (pipe2(stopped, O_CLOEXEC) != 0 || pipe2(goOn, O_CLOEXEC) != 0) return false;
  const pid_t relay = fork();
  if (relay < 0) return false;
  if (relay == 0) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);  // a test that kills the child ends the sandbox with it
    if (space == Space::kPid && mount("proc", "/proc", "proc", MS_NOSUID | MS_NODEV | MS_NOEXEC, nullptr) != 0)
      Exit(kCannot);
    const pid_t inside = fork();
    if (inside < 0) Exit(1);
    if (inside == 0) {
      prctl(PR_SET_PDEATHSIG, SIGKILL);
      for (int fd : {stopped[0], stopped[1], goOn[0], goOn[1]}) close(fd);
      return true;
    }
    int status = 0;
    for (;;) {
      if (waitpid(inside, &status, WUNTRACED) < 0) {
        if (errno == EINTR) continue;
        Exit(1);
      }
      if (!WIFSTOPPED(status)) EndAs(status);
      writeByte(stopped[1]);
      if (!readByte(goOn[0])) Exit(1);
      ::kill(inside, SIGCONT);
    }
  }
  close(stopped[1]);
  close(goOn[0]);
  while (readByte(stopped[0])) {  // until the relay ends
    raise(SIGSTOP);
    writeByte(goOn[1]);
  }
  int status = 0;
  while (waitpid(relay, &status, 0) < 0 && errno == EINTR) {
  }
  EndAs(status);
}

bool BecomeNobody() {
  return setgroups(0, nullptr) == 0 && setgid(kNobody) == 0 && setuid(kNobody) == 0 && geteuid() == kNobody;
}

std::unique_ptr<Child> ReplacerAtEveryOpen(const std::string& path, const std::string& bytes) {
  // Watched from here, before the child starts: no open can slip past it.
  const int group = fanotify_init(FAN_CLASS_CONTENT | FAN_CLOEXEC, O_RDONLY | O_CLOEXEC);
  if (group < 0) return nullptr;
  if (fanotify_mark(group, FAN_MARK_ADD, FAN_OPEN_PERM, AT_FDCWD, path.c_str()) != 0) {
    close(group);
    return nullptr;
  }
  auto replacer = std::make_unique<Child>([&] {
    const std::string temp = path + ".other";
    alignas(fanotify_event_metadata) char events[4096];
    for (;;) {
      ssize_t n = read(group, events, sizeof events);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) Exit(1);
      for (auto* e = reinterpret_cast<fanotify_event_metadata*>(events); FAN_EVENT_OK(e, n); e = FAN_EVENT_NEXT(e, n)) {
        // The new file is watched before it takes the name.
        const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0 || write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) || close(fd) != 0 ||
            fanotify_mark(group, FAN_MARK_ADD, FAN_OPEN_PERM, AT_FDCWD, temp.c_str()) != 0 ||
            rename(temp.c_str(), path.c_str()) != 0)
          Exit(1);
        const fanotify_response allow{e->fd, FAN_ALLOW};
        if (write(group, &allow, sizeof allow) != sizeof allow) Exit(1);
        close(e->fd);
      }
    }
  });
  close(group);  // the child's is the only one: opens are let go when it ends
  return replacer;
}

Tools BuiltTools() { return {VPK_SAVE_CHILD, VPK_FAULT_SHIM}; }

Tools CopyTools(const std::string& dir) {
  namespace fs = std::filesystem;
  const Tools built = BuiltTools();
  Tools copies{dir + "/vpk-save-child", dir + "/" + fs::path(built.shim).filename().string()};
  for (const auto& [from, to] : {std::pair{built.saveChild, copies.saveChild}, std::pair{built.shim, copies.shim}}) {
    fs::copy_file(from, to, fs::copy_options::overwrite_existing);
    fs::permissions(to, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec | fs::perms::others_read |
                            fs::perms::others_exec);
  }
  return copies;
}

void ExecSaveChild(const Tools& tools, const std::vector<std::string>& args, const std::vector<std::string>& shimEnv,
                   const std::string& out) {
  if (!out.empty()) {
    const int fd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0 || dup2(fd, STDOUT_FILENO) < 0) Exit(127);
  }
  std::vector<std::string> env;
  std::string asan = "verify_asan_link_order=0";  // the shim comes before a sanitizer's runtime
  for (char** e = environ; *e; ++e) {
    if (std::strncmp(*e, "ASAN_OPTIONS=", 13) == 0)
      asan = std::string(*e + 13) + ":" + asan;
    else if (std::strncmp(*e, "LD_PRELOAD=", 11) != 0 && std::strncmp(*e, "VPK_", 4) != 0)
      env.push_back(*e);
  }
  env.push_back("ASAN_OPTIONS=" + asan);
  if (!shimEnv.empty()) {
    env.push_back("LD_PRELOAD=" + tools.shim);
    env.insert(env.end(), shimEnv.begin(), shimEnv.end());
  }
  std::vector<std::string> argv{tools.saveChild};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<char*> av, ev;
  for (auto& a : argv) av.push_back(a.data());
  for (auto& e : env) ev.push_back(e.data());
  av.push_back(nullptr);
  ev.push_back(nullptr);
  execve(av[0], av.data(), ev.data());
  std::perror(av[0]);
  Exit(127);
}

Signal::Signal() {
  if (pipe2(fd_, O_CLOEXEC) != 0) fd_[0] = fd_[1] = -1;
}

Signal::~Signal() {
  for (int fd : fd_)
    if (fd >= 0) close(fd);
}

void Signal::send() {
  const char c = 'g';
  while (write(fd_[1], &c, 1) < 0 && errno == EINTR) {
  }
}

bool Signal::receive(int timeoutMs) {
  pollfd p{fd_[0], POLLIN, 0};
  int n;
  while ((n = poll(&p, 1, timeoutMs)) < 0 && errno == EINTR) {
  }
  char c = 0;
  return n == 1 && read(fd_[0], &c, 1) == 1;
}

}  // namespace osf
