#pragma once
// Faults that the OS makes, for tests where the pack meets it: a write that the kernel stops
// (a file-size limit, a full tmpfs), a folder mode as another user, a second process, a process
// stopped or killed at one exact call, a call that the disk fails (a shim loaded into a child
// program). Each runs in a child process, so that the test process keeps its limits, mounts and
// user.
#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace osf {

// How a child ended.
struct Ended {
  int code = -1;    // its exit code, -1 when a signal ended it
  int signal = 0;   // the signal that ended it (SIGALRM: it ran out of time), 0 none
  bool ok() const { return code == 0; }
  std::string text() const;
};

// The exit code of a child that found it could not make its fault (not root, no mount): skip.
constexpr int kCannot = 77;

// A child process running `body` while this process goes on. The child ends with _exit: 0 when
// `body` returned with no failed expectation, 1 otherwise, or the code `body` gave to Exit. After
// `seconds` an alarm ends it, so that a call that would hang fails fast instead.
class Child {
 public:
  Child(const std::function<void()>& body, unsigned seconds = 20);
  ~Child();  // ends a child still running (SIGKILL) and reaps it
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  pid_t pid() const { return pid_; }
  Ended wait();
  // Waits until the child stops itself (true) or ends (false; wait() then answers how).
  bool waitStopped();
  void resume();  // SIGCONT to a stopped child
  void kill();    // SIGKILL, wherever it is

 private:
  pid_t pid_ = -1;
  bool reaped_ = false;
  Ended ended_;
};

// `body` in a child, waited for.
Ended InChild(const std::function<void()>& body, unsigned seconds = 20);

// In a child: ends it at once with `code` (kCannot to skip).
[[noreturn]] void Exit(int code);

// In a child: a SIGKILL from the kernel's own timer `ns` nanoseconds from now, wherever the child
// is then, however late its parent runs.
void KillAfter(int64_t ns);

// In a child: a write past `bytes` bytes of any file is stopped by the kernel. With kIgnored the
// call fails with EFBIG; with kKills SIGXFSZ keeps its default and ends the process, unless the
// code under test ignores it.
enum class SizeSignal { kIgnored, kKills };
void LimitFileSize(off_t bytes, SizeSignal signal = SizeSignal::kIgnored);

// In a child, as root: a private tmpfs of `kib` KiB mounted on `dir`, seen only by this child.
// False when it cannot be made.
bool MountSmallDisk(const std::string& dir, int kib);

// Fills the file system that holds `dir` to its last byte with a file named `name`.
bool FillDisk(const std::string& dir, const std::string& name = "filler");

// In a child, as root: goes on as the first process of a PID namespace of its own (with a /proc
// of its own), or in a time namespace whose boot clock runs an hour ahead: a pack in a sandbox.
// The child itself stays outside as the sandbox's parent: it stops when the sandboxed process
// stops, passes on a SIGCONT and ends as it ends, so a Child sees it as one process. False when
// the namespace cannot be made.
enum class Space { kPid, kTime };
bool EnterOwnSpace(Space space);

// In a child, as root: becomes the user and group 65534 (nobody), for whom a folder's mode counts.
constexpr uid_t kNobody = 65534;
bool BecomeNobody();

// As root: a process that, each time any process opens `path`, renames a new file holding `bytes`
// over it before that open returns (a permission event of fanotify), so that whoever opened the
// file holds one that its name no longer stands for: a program that replaces the file over and
// over, always just in time. It runs until the Child ends. Null when opens cannot be watched here
// (not root, no fanotify).
std::unique_ptr<Child> ReplacerAtEveryOpen(const std::string& path, const std::string& bytes);

// The save program (tests/os_faults/save_child.cpp) and the fault shim (fault_shim.cpp).
struct Tools {
  std::string saveChild;
  std::string shim;
};
Tools BuiltTools();
// Copies of both in `dir` that any user may run, for a child that becomes another user (the build
// folder may be closed to it).
Tools CopyTools(const std::string& dir);

// In a child: becomes the save program with `args`, and with the fault shim loaded when `shimEnv`
// holds its settings ("VPK_STOP=after:pwrite:1", "VPK_FSYNC_ERRNO=5"); what it prints goes to the
// file `out` when one is named.
[[noreturn]] void ExecSaveChild(const Tools& tools, const std::vector<std::string>& args,
                                const std::vector<std::string>& shimEnv = {}, const std::string& out = "");

// A pipe between two processes: one byte says "go on".
class Signal {
 public:
  Signal();
  ~Signal();
  void send();                              // writes one byte
  bool receive(int timeoutMs = 20000);      // waits for one byte; false when none came in time
 private:
  int fd_[2] = {-1, -1};
};

}  // namespace osf
