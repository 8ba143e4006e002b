// vpk-driver-fuzz: random commands into the driver, each round in a child process, counting the
// rounds that end any other way than by running out of commands (an abort, a signal, a sanitizer
// report, a hang). The commands come from what the shown window offers: its controls, menus and
// state, with values at, beyond and far beyond the ends of what each state takes.
//   vpk-driver-fuzz [--rounds N] [--commands M] [--seed S] [--seconds T] [--show 1]
// (--show 1 prints every command and its answer.)
// A round begins with "seed" and "open" and so plays the same again from the driver: a failed
// round's commands are kept as fuzz-<seed>.txt (`vpk-driver < fuzz-<seed>.txt`). Prints every
// failed round with its last commands, then
//   rounds N, commands C, aborts A, hangs H
// and ends non-zero when A + H > 0.
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <deque>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "driver.h"
#include "mdi_form.h"
#include "pack_fn.h"
#include "rt/control.h"
#include "rt/form.h"
#include "rt/frame.h"
#include "rt/menu.h"
#include "startup.h"
#include "tool_session.h"
#include "virtual_host.h"

namespace {

// Words joined by blanks, the empty ones left out.
std::string words(std::initializer_list<std::string> list) {
  std::string out;
  for (const std::string& w : list) {
    if (w.empty()) continue;
    if (!out.empty()) out.push_back(' ');
    out.append(w);
  }
  return out;
}
std::string num(long long v) { return std::to_string(v); }

class Commands {
 public:
  explicit Commands(uint32_t seed) : rnd_(seed) {}

  std::string next() {
    rt::Form* f = rt::frame().activeForm();
    const int what = pick(100);
    if (what < 22 && f) return set(*f);
    if (what < 50 && f) return click(*f);
    if (what < 58 && f) return drag(*f);
    if (what < 68 && f) return menu(*f);
    if (what < 75)
      return words({"key", num(pick(4) ? kKeys[pick(std::size(kKeys))] : pick(300) - 20), pick(4) ? "" : "up",
                    pick(4) ? "" : num(pick(9))});
    if (what < 80) return words({"wait", num(pick(3) ? pick(300) : pick(4000))});
    if (what < 87) return words({"after", num(pick(2500)), next()});
    if (what < 91) return words({"open", num(pick(20) ? pick(shell::kGameCount) : pick(400) - 50)});
    if (what < 94) return pick(2) ? "dump" : "log";
    if (what < 95) return "seed " + std::to_string(rnd_());
    if (what < 96) return "file " + std::string(pick(2) ? "Lobbo.nrz" : "Kippel_hsc_A.nrz");
    return junk();
  }

 private:
  static constexpr int kKeys[] = {37, 38, 39, 40, 8, 13, 27, 32, 49, 50, 51, 52, 53, 54, 66, 69, 70, 77, 83};

  int pick(size_t n) { return n == 0 ? 0 : static_cast<int>(rnd_() % n); }

  // A value for a state entry: mostly at or next to the ends of what it takes, sometimes
  // anywhere in a 16- or 32-bit range, or no number at all.
  std::string value(const rt::Spans& spans) {
    const int how = pick(10);
    if (!spans.empty() && how < 7) {
      const rt::Span& s = spans[pick(spans.size())];
      switch (pick(5)) {
        case 0: return std::to_string(s.lo);
        case 1: return std::to_string(s.hi);
        case 2: return std::to_string(s.lo - 1);
        case 3: return std::to_string(s.hi + 1);
        default: return std::to_string(s.lo + static_cast<long long>(rnd_() % static_cast<unsigned long long>(s.hi - s.lo + 1)));
      }
    }
    if (how < 8) return std::to_string(static_cast<int16_t>(rnd_()));
    if (how < 9) return std::to_string(static_cast<int32_t>(rnd_()));
    return pick(2) ? "99999999999999999999" : "x1";
  }

  std::string set(const rt::Form& f) {
    const auto& state = f.state();
    if (state.empty()) return "dump";
    auto it = state.begin();
    std::advance(it, pick(state.size()));
    const auto& [name, var] = *it;
    const size_t size = var.isArray ? var.get().size() : 1;
    std::string out = words({"set", name});
    for (int n = 1 + (pick(4) == 0 ? pick(4) : 0); n > 0; --n) {
      const size_t index = pick(10) ? static_cast<size_t>(pick(size)) : size + pick(3);
      out = words({out, num(static_cast<long long>(index)),
                   value(var.values && index < size ? var.values(index) : rt::Spans{})});
    }
    return out;
  }

  std::string control(const rt::Form& f) {
    const auto controls = f.controls();
    if (controls.empty()) return "Nothing";
    const rt::Control* c = controls[pick(controls.size())];
    return c->Index() >= 0 ? c->Name() + "(" + num(c->Index()) + ")" : c->Name();
  }

  std::string click(const rt::Form& f) {
    static const char* const kinds[] = {"click", "click", "click", "down", "up"};
    const std::string out = words({kinds[pick(std::size(kinds))], control(f)});
    if (pick(3) == 0) return words({out, num(pick(4) ? 2 : pick(9)), num(pick(3) ? 0 : pick(9))});
    if (pick(6) == 0) return words({out, "1 0", num(pick(60) - 10), num(pick(60) - 10)});
    return out;
  }

  std::string drag(const rt::Form& f) {
    if (pick(5) == 0)
      return words({"drag", control(f), num(pick(40)), num(pick(40)), num(pick(400) - 100), num(pick(400) - 100)});
    return words({"drag", control(f), control(f)});
  }

  std::string menu(const rt::Form& f) {
    std::vector<const rt::MenuItem*> items;
    std::deque<const rt::MenuItem*> todo;
    for (const auto& m : f.menus()) todo.push_back(m.get());
    while (!todo.empty()) {
      const rt::MenuItem* m = todo.front();
      todo.pop_front();
      if (m->Name() != "hpg") items.push_back(m);
      for (const auto& c : m->items()) todo.push_back(c.get());
    }
    if (items.empty()) return "dump";
    const rt::MenuItem* m = items[pick(items.size())];
    return words({"menu", m->Index() >= 0 ? m->Name() + "(" + num(m->Index()) + ")" : m->Name()});
  }

  std::string junk() {
    static const char* const lines[] = {"", "#", "set", "click", "drag a", "after", "after 5", "menu",
                                        "open", "wait", "frobnicate 1 2", "set Board", "set Board 0",
                                        "key", "click ()", "click a(", "click a(-1)"};
    return lines[pick(std::size(lines))];
  }

  std::mt19937 rnd_;
};

}  // namespace

int main(int argc, char** argv) {
  const long rounds = vt::argValue(argc, argv, "--rounds", 40);
  const long perRound = vt::argValue(argc, argv, "--commands", 500);
  const long seed = vt::argValue(argc, argv, "--seed", 1);
  const unsigned seconds = static_cast<unsigned>(vt::argValue(argc, argv, "--seconds", 600));
  const bool show = vt::argValue(argc, argv, "--show", 0) != 0;
  vt::ToolSession session(argc, argv, static_cast<uint32_t>(seed));
  shell::PackFrame pack;
  shell::StartPack(false);
  vt::vhost().takeLog();
  const std::string trail = session.folder() + "/commands";

  long aborts = 0, hangs = 0;
  for (long r = 0; r < rounds; ++r) {
    const uint32_t roundSeed = static_cast<uint32_t>(seed * 100003 + r);
    std::fflush(stdout);
    const pid_t pid = fork();
    if (pid == 0) {
      // Each command is written down before it runs: an abort leaves the last one on record.
      alarm(seconds);
      std::ofstream out(trail, std::ios::trunc);
      drv::Driver driver;
      Commands commands(roundSeed);
      for (long n = 0; n < perRound && !pack.frame.closed(); ++n) {
        const std::string line = n == 0   ? "seed " + num(roundSeed)
                                 : n == 1 ? "open " + num(roundSeed % shell::kGameCount)
                                          : commands.next();
        out << line << std::endl;
        const std::string answer = driver.run(line);
        if (show) std::printf("%s -> %.160s\n", line.c_str(), answer.c_str());
        vt::vhost().takeLog();
      }
      std::fflush(stdout);  // _exit flushes nothing, and a pipe's buffer still holds the last lines
      _exit(0);
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) continue;
    const bool hung = WIFSIGNALED(status) && WTERMSIG(status) == SIGALRM;
    ++(hung ? hangs : aborts);
    std::printf("round %ld (seed %u) %s", r, roundSeed, hung ? "hung" : "ended");
    if (WIFSIGNALED(status)) std::printf(" by signal %d", WTERMSIG(status));
    else std::printf(" with status %d", WEXITSTATUS(status));
    const std::string kept = "fuzz-" + num(roundSeed) + ".txt";
    std::ifstream in(trail);
    std::ofstream keep(kept, std::ios::trunc);
    std::deque<std::string> last;
    for (std::string line; std::getline(in, line);) {
      keep << line << '\n';
      last.push_back(line);
      if (last.size() > 8) last.pop_front();
    }
    std::printf("; its commands are in %s, the last of them:\n", kept.c_str());
    for (const auto& line : last) std::printf("  %s\n", line.c_str());
  }
  std::printf("rounds %ld, commands %ld, aborts %ld, hangs %ld\n", rounds, rounds * perRound, aborts, hangs);
  return aborts + hangs ? 1 : 0;
}
