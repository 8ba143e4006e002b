// vpk-save-child: one save of the pack's file code in a process of its own, for tests that start
// it with fork+exec (so that a fault shim can be loaded into it, or it can run as another user).
//   set PATH N K VALUE [stall]   updateLines: a file of N lines ("0" where missing), line K set to
//                                VALUE; with "stall" it stops itself (SIGSTOP) the first time it
//                                has read the file under the lock, as a pack frozen mid-save
//   create PATH N VALUE          updateLines that makes a missing file of N lines of VALUE and
//                                leaves one that exists, as a game that opens with no file
//   write PATH LINE...           writeLinesAtomic
// Exit code 0 when the file was saved, 3 when another save kept it locked, 4 when another program
// kept replacing it, 1 for any other failure, 2 when the words are wrong. "set" and "create" print
// how often their change ran ("changes 1": the file was read once, under the lock).
#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "rt/files.h"

int main(int argc, char** argv) {
  const std::vector<std::string> a(argv + 1, argv + argc);
  rt::SaveResult saved;
  int changes = 0;
  if (a.size() >= 5 && a[0] == "set") {
    const size_t n = std::strtoul(a[2].c_str(), nullptr, 10), k = std::strtoul(a[3].c_str(), nullptr, 10);
    bool stall = a.size() > 5 && a[5] == "stall";
    saved = rt::updateLines(a[1], n, [&](rt::FileLines& f) {
      ++changes;
      if (stall) {
        stall = false;
        raise(SIGSTOP);
      }
      f.lines.resize(n, "0");
      f.lines.at(k) = a[4];
      return true;
    });
  } else if (a.size() == 4 && a[0] == "create") {
    const size_t n = std::strtoul(a[2].c_str(), nullptr, 10);
    saved = rt::updateLines(a[1], n, [&](rt::FileLines& f) {
      ++changes;
      if (f.state != rt::FileLines::State::kMissing) return false;
      f.lines.assign(n, a[3]);
      return true;
    });
  } else if (a.size() >= 2 && a[0] == "write") {
    saved = rt::writeLinesAtomic(a[1], std::vector<std::string>(a.begin() + 2, a.end()));
  } else {
    std::fprintf(stderr,
                 "usage: vpk-save-child set PATH N K VALUE [stall] | create PATH N VALUE | write PATH LINE...\n");
    return 2;
  }
  if (a[0] != "write") std::printf("changes %d\n", changes);
  using Outcome = rt::SaveResult::Outcome;
  return saved ? 0 : saved.outcome == Outcome::kLocked ? 3 : saved.outcome == Outcome::kReplaced ? 4 : 1;
}
