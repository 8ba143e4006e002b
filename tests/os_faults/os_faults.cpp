#include "os_faults.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
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

Child::~Child() {
  if (pid_ <= 0 || reaped_) return;
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
}

Ended Child::wait() {
  Ended e;
  if (pid_ <= 0 || reaped_) return e;
  int status = 0;
  while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
  }
  reaped_ = true;
  if (WIFEXITED(status)) e.code = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) e.signal = WTERMSIG(status);
  return e;
}

Ended InChild(const std::function<void()>& body, unsigned seconds) { return Child(body, seconds).wait(); }

void LimitFileSize(off_t bytes) {
  signal(SIGXFSZ, SIG_IGN);
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

bool BecomeNobody() {
  return setgroups(0, nullptr) == 0 && setgid(kNobody) == 0 && setuid(kNobody) == 0 && geteuid() == kNobody;
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
