#include "driver.h"

#include <fcntl.h>
#include <pthread.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "game_window.h"
#include "json.h"
#include "mdi_form.h"
#include "pack_fn.h"
#include "rt/dispatch.h"
#include "rt/form.h"
#include "rt/frame.h"
#include "rt/keys.h"
#include "rt/numbers.h"
#include "rt/random.h"
#include "virtual_host.h"

namespace drv {

namespace {

std::string error(const std::string& msg) { return Obj().boolean("ok", false).str("error", msg).text(); }
std::string ok() { return Obj().boolean("ok", true).text(); }

// A whole decimal number in [lo, hi]; nothing for any other text.
std::optional<long long> number(std::string_view s, long long lo, long long hi) {
  long long v = 0;
  const char* end = s.data() + s.size();
  const auto [p, ec] = std::from_chars(s.data(), end, v);
  if (ec != std::errc() || p != end || v < lo || v > hi) return std::nullopt;
  return v;
}

// An index of a state array: digits only, up to the largest size_t.
std::optional<size_t> sizeNumber(const std::string& s) {
  size_t v = 0;
  const char* end = s.data() + s.size();
  const auto [p, ec] = std::from_chars(s.data(), end, v);
  if (ec != std::errc() || p != end) return std::nullopt;
  return v;
}

// Words are parted by the blanks a stream skips.
bool isBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

void skipBlanks(std::string_view& rest) {
  while (!rest.empty() && isBlank(rest.front())) rest.remove_prefix(1);
}

// The next word of `rest`, which then begins after it; empty at the end.
std::string_view nextWord(std::string_view& rest) {
  skipBlanks(rest);
  size_t end = 0;
  while (end < rest.size() && !isBlank(rest[end])) ++end;
  const std::string_view word = rest.substr(0, end);
  rest.remove_prefix(end);
  return word;
}

// A command as its errors and its step name it: without the blanks around it.
std::string nameOf(std::string_view line) {
  line = line.substr(0, line.find_last_not_of(" \t\r") + 1);
  const size_t start = line.find_first_not_of(" \t");
  return start == std::string_view::npos ? std::string() : std::string(line.substr(start));
}

// Commands given with "after" run inside each other's waits, each some frames of the stack
// deeper. One is run only while this much of the thread's stack is left, room for any command and
// the handler it runs: the whole pack, chess search included, plays in 256 KiB under the
// sanitizers.
constexpr uintptr_t kStackReserve = 512 * 1024;

// AddressSanitizer clears the stack a throw leaves only within 64 MiB of its top; deeper, its
// checks fail later. Under it no more than this is counted, whatever the limit.
#if defined(__SANITIZE_ADDRESS__)
#define VPK_ADDRESS_SANITIZER
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VPK_ADDRESS_SANITIZER
#endif
#endif
#ifdef VPK_ADDRESS_SANITIZER
constexpr uintptr_t kStackMost = uintptr_t{56} << 20;
#else
constexpr uintptr_t kStackMost = std::numeric_limits<uintptr_t>::max();
#endif

// The lowest address the calling thread's stack may grow to, at most kStackMost below its top.
// Without /proc the system does not tell the main thread's: then the size limit is counted from
// `top`, or 8 MiB where there is none.
uintptr_t stackFloor(uintptr_t top) {
  pthread_attr_t attr;
  void* low = nullptr;
  size_t size = 0;
  if (pthread_getattr_np(pthread_self(), &attr) == 0) {
    const bool known = pthread_attr_getstack(&attr, &low, &size) == 0;
    pthread_attr_destroy(&attr);
    if (known) return reinterpret_cast<uintptr_t>(low) + size - std::min<uintptr_t>(size, kStackMost);
  }
  rlimit limit{};
  const uintptr_t most = std::min(getrlimit(RLIMIT_STACK, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY
                                      ? static_cast<uintptr_t>(limit.rlim_cur)
                                      : uintptr_t{8} << 20,
                                  kStackMost);
  return top > most ? top - most : 0;
}

uintptr_t stackHere() { return reinterpret_cast<uintptr_t>(__builtin_frame_address(0)); }

constexpr long long kIntMin = std::numeric_limits<int>::min(), kIntMax = std::numeric_limits<int>::max();
// Mouse buttons and shift keys are bits: left 1, right 2, middle 4; Shift 1, Ctrl 2, Alt 4.
constexpr long long kBits = 7;
// Key codes of the platform: one byte.
constexpr long long kLastKeyCode = 255;

// A point `dx`, `dy` from a control's corner in window pixels; nothing when it lies beyond an int.
std::optional<std::pair<int, int>> pointIn(const rt::Control& c, long long dx, long long dy) {
  int ox, oy;
  c.clientOrigin(ox, oy);
  const long long x = static_cast<long long>(ox) - c.borderWidth() + dx, y = static_cast<long long>(oy) - c.borderWidth() + dy;
  if (x < kIntMin || x > kIntMax || y < kIntMin || y > kIntMax) return std::nullopt;
  return std::pair<int, int>(static_cast<int>(x), static_cast<int>(y));
}

// "slika(12)" -> ("slika", 12); "Command1" -> ("Command1", -1). An index that is no control
// index (negative, too large, not a number) fails.
bool parseName(const std::string& s, std::string& name, int& index) {
  index = -1;
  auto p = s.find('(');
  if (p == std::string::npos) {
    name = s;
    return !name.empty();
  }
  if (s.back() != ')') return false;
  name = s.substr(0, p);
  const std::string num = s.substr(p + 1, s.size() - p - 2);
  if (num.empty() || !std::all_of(num.begin(), num.end(), ::isdigit)) return false;
  const auto v = number(num, 0, std::numeric_limits<int>::max());
  if (!v) return false;
  index = static_cast<int>(*v);
  return !name.empty();
}

// "4..10", "0..98, 255".
std::string spansText(const rt::Spans& spans) {
  std::string out;
  for (const rt::Span& s : spans) {
    if (!out.empty()) out += ", ";
    out += std::to_string(s.lo);
    if (s.hi != s.lo) out += ".." + std::to_string(s.hi);
  }
  return out;
}

std::string colorText(rt::Color c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "&H%X", c);
  return buf;
}

void centreOf(const rt::Control& c, int& x, int& y) {
  int ox, oy;
  c.clientOrigin(ox, oy);
  ox -= c.borderWidth();
  oy -= c.borderWidth();
  x = ox + c.Width() / 2;
  y = oy + c.Height() / 2;
}

std::string menuJson(const rt::MenuItem& m) {
  Obj o;
  o.str("name", m.Name());
  if (m.Index() >= 0) o.num("index", m.Index());
  o.str("caption", m.Caption()).boolean("checked", m.Checked()).boolean("enabled", m.Enabled());
  if (!m.Visible()) o.boolean("visible", false);
  if (!m.Shortcut().empty()) o.str("shortcut", m.Shortcut());
  if (!m.items().empty()) {
    std::vector<std::string> kids;
    for (auto& c : m.items()) kids.push_back(menuJson(*c));
    o.add("items", array(kids));
  }
  return o.text();
}

void advanceTo(double ms) {
  auto& h = vt::vhost();
  const int64_t target = static_cast<int64_t>(ms * vt::VirtualHost::kFrequency / 1000.0);
  while (h.counterNow() < target) h.sleepUntil(target);
}

}  // namespace

Driver::Driver() : stackFloor_(stackFloor(stackHere())) {}

std::string Driver::dump() {
  Obj out;
  out.boolean("ok", true);
  out.str("caption", rt::frame().Caption());
  out.num("game", shell::frameForm().CurrentGame);
  out.num("time_ms", static_cast<long long>(vt::vhost().nowMs()));
  rt::Form* f = rt::frame().activeForm();
  std::vector<std::string> menus;
  for (const rt::MenuItem* m : rt::frame().currentMenus()) menus.push_back(menuJson(*m));
  out.add("menus", array(menus));
  if (!f) return out.text();
  out.str("window", f->Name());
  out.num("pointer", f->MousePointer());
  std::vector<std::string> controls;
  for (rt::Control* c : f->controls()) {
    Obj o;
    o.str("name", c->Name());
    if (c->Index() >= 0) o.num("index", c->Index());
    o.str("kind", c->kind());
    std::string cap = c->captionText();
    if (!cap.empty()) o.str("caption", cap);
    o.boolean("visible", c->Visible()).boolean("enabled", c->Enabled());
    if (auto p = c->currentPicture()) o.str("picture", p->ref().text());
    o.str("back", colorText(c->backColorValue()));
    std::string rect(1, '[');
    for (int v : {c->Left(), c->Top(), c->Width(), c->Height()}) rect.append(std::to_string(v)).push_back(',');
    rect.back() = ']';
    o.add("rect", rect);
    controls.push_back(o.text());
  }
  out.add("controls", array(controls));
  Obj state;
  for (auto& [name, var] : f->state()) {
    auto values = var.get();
    if (var.isArray) {
      std::vector<std::string> items;
      for (long long v : values) items.push_back(std::to_string(v));
      state.add(name, array(items));
    } else {
      state.num(name, values.empty() ? 0 : values[0]);
    }
  }
  out.add("state", state.text());
  return out.text();
}

std::string Driver::run(const std::string& line) { return run(line, nullptr); }

std::string Driver::run(std::string_view line, const std::shared_ptr<const std::string>& text) {
  // A command given with "after" runs inside a wait of the command that was given before it.
  const bool nested = depth_ > 0;
  ++depth_;
  struct Leave {
    int& depth;
    ~Leave() { --depth; }
  } leave{depth_};
  // Every command is one step of the virtual host: one that pumps or waits without end fails
  // with its name instead of hanging the driver.
  if (!nested) vt::vhost().beginStep(nameOf(line));
  try {
    return command(line, text);
  } catch (const rt::HandlerAbandoned&) {
    throw;  // the handler this nested command runs in was closed: it ends there
  } catch (const vt::WatchdogError& e) {
    if (nested) throw;  // the command it runs inside answers it
    return error(e.what() + openAfresh(nameOf(line)));
  } catch (const std::exception& e) {
    const std::string name = nameOf(line);
    return error(name + ": " + e.what() + openAfresh(name));
  } catch (...) {
    const std::string name = nameOf(line);
    return error(name + ": an exception that is no std::exception" + openAfresh(name));
  }
}

// A handler cut short leaves its window part-way through a move, in a state no game was made
// for: the shown game opens afresh through the switching protocol of the "Play" list. One cut
// short in the middle of a switch of games leaves none shown: the game it was opening (loaded,
// not shown yet) opens afresh, or, when it had not begun to load, the frame's game.
std::string Driver::openAfresh(const std::string& name) {
  rt::Form* shown = rt::frame().activeForm();
  auto* w = dynamic_cast<shell::GameWindow*>(shown);
  if (rt::frame().closed() || (shown && !w)) return {};
  for (int i = 0; !w && i < shell::kGameCount; ++i) {
    auto* opening = dynamic_cast<shell::GameWindow*>(shell::GameInstance(i).get());
    if (opening && (opening->isLoaded() || opening->isLoading())) w = opening;
  }
  const int game = w ? w->gameIndex() : shell::frameForm().CurrentGame;
  if (game < 0 || game >= shell::kGameCount) return {};
  const std::string caption = shell::GameRegistry[game].caption;
  if (depth_ == 1) vt::vhost().beginStep("opening " + caption + " afresh after " + name);
  try {
    if (w) {
      auto keep = shell::HoldWindow(w);
      // The shared protocol, not the window's own entry: a guard there reads flags that the cut
      // left set (the chess window refuses while its load or search looks busy, and none runs).
      rt::dispatch(w, [w, game] { w->shell::GameWindow::igrica_Click(game); });
    } else {
      rt::dispatch(nullptr, [game] { shell::OpenGame(static_cast<int16_t>(game)); });
    }
  } catch (const rt::HandlerAbandoned&) {
    throw;
  } catch (...) {
    return "; " + caption + " could not be opened afresh";
  }
  // Said only of a game that is shown and takes input now.
  const rt::Form* now = rt::frame().activeForm();
  if (!now || now != shell::GameInstance(game).get()) return "; " + caption + " could not be opened afresh";
  return "; " + caption + " opened afresh";
}

// after MS COMMAND: the command runs at that virtual time inside the next wait; its answer goes
// to the log. Not "log": the log it took would go back into the log, quoted once more each time.
std::string Driver::after(std::string_view rest, const std::shared_ptr<const std::string>& text) {
  const std::string_view msWord = nextWord(rest);
  skipBlanks(rest);
  const auto ms = rest.empty() ? std::nullopt : number(msWord, 0, kIntMax);
  if (!ms) return error("after MS COMMAND: MS 0 to " + std::to_string(kIntMax));
  std::string_view first = rest;
  if (nextWord(first) == "log") return error("after MS COMMAND: log cannot be given with after");
  // The rest of the line is kept once and read only as far as each command needs: a line of
  // many nested "after"s is neither copied nor parsed again at each of them.
  const auto held = text ? text : std::make_shared<const std::string>(rest);
  const size_t at = text ? static_cast<size_t>(rest.data() - text->data()) : 0;
  vt::vhost().after(static_cast<double>(*ms), [this, held, at] {
    const std::string_view line = std::string_view(*held).substr(at);
    std::string answer;
    if (stackHere() > stackFloor_ + kStackReserve)
      vt::vhost().runWithOwnPumps([&] { answer = run(line, held); });
    else
      answer = error(nameOf(line) + ": not run inside the waits of " + std::to_string(depth_) +
                     " commands, with little stack left");
    vt::vhost().note("after", answer);
  });
  return ok();
}

std::string Driver::command(std::string_view line, const std::shared_ptr<const std::string>& text) {
  std::string_view rest = line;
  const std::string_view cmdWord = nextWord(rest);
  if (cmdWord.empty() || cmdWord[0] == '#') return "";
  if (cmdWord == "after") return after(rest, text);
  const std::string cmd(cmdWord);
  std::vector<std::string> args;
  for (std::string_view a = nextWord(rest); !a.empty(); a = nextWord(rest)) args.emplace_back(a);
  // Argument `i` as a number in [lo, hi], `def` when it is not given; nothing when it is given
  // but is no such number.
  auto arg = [&](size_t i, long long def, long long lo, long long hi) -> std::optional<long long> {
    if (i >= args.size()) return def;
    return number(args[i], lo, hi);
  };
  rt::Form* f = rt::frame().activeForm();

  if (cmd == "seed") {
    const auto n = arg(0, 1, 0, std::numeric_limits<uint32_t>::max());
    if (!n) return error("seed N: 0 to 4294967295");
    rt::FixSeed(static_cast<uint32_t>(*n));
    return ok();
  }
  if (cmd == "open") {
    // As a player: through the shown window's "Play" list; with no window shown, as the frame
    // opens its first game. 255 is "no game" and opens nothing.
    const auto n = args.empty() ? std::optional<long long>(255) : number(args[0], 0, 255);
    if (!n || (*n >= shell::kGameCount && *n != 255)) return error("no game " + (args.empty() ? "" : args[0]));
    const auto index = static_cast<int16_t>(*n);
    if (!f) {
      rt::dispatch(nullptr, [index] { shell::OpenGame(index); });
      return ok();
    }
    rt::MenuItem* item = f->findMenu("igrica", index);
    if (!item) return error("no game " + std::to_string(index) + " in the Play list");
    if (!item->effectivelyEnabled()) return error("the Play list is disabled");
    auto keep = shell::HoldWindow(f);
    rt::dispatch(f, [item] { item->fireClick(); });
    return ok();
  }
  if (cmd == "wait") {
    // Longer waits would trip the host's watchdog for a wait that never ends.
    const auto limit = static_cast<long long>(vt::vhost().watchdogMs());
    const auto ms = args.empty() ? std::nullopt : number(args[0], 0, limit);
    if (!ms) return error("wait MS: 0 to " + std::to_string(limit));
    advanceTo(vt::vhost().nowMs() + static_cast<double>(*ms));
    return ok();
  }
  if (cmd == "log") {
    std::vector<std::string> items;
    for (auto& l : vt::vhost().takeLog()) items.push_back(quote(l));
    return Obj().boolean("ok", true).add("log", array(items)).text();
  }
  if (cmd == "dump") return dump();
  if (cmd == "shot") {
    if (args.empty()) return error("shot needs a file");
    if (!rt::frame().renderFrame().save(QString::fromStdString(args[0]))) return error("cannot write");
    return ok();
  }
  if (cmd == "file") {
    if (args.empty()) return error("file needs a name");
    if (args[0].find("..") != std::string::npos) return error("outside the data folder");
    // Opened without blocking and read only when it is a plain file: the open of a pipe would
    // wait for a writer for ever.
    const std::string path = shell::frameForm().DataFolder + args[0];
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return error("no such file");
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      ::close(fd);
      return error("not a plain file");
    }
    // Its first MiB; one byte more tells that it holds more.
    constexpr size_t kMost = size_t{1} << 20;
    std::string text;
    std::vector<char> buf(1 << 16);
    while (text.size() <= kMost) {
      const ssize_t n = ::read(fd, buf.data(), std::min(buf.size(), kMost + 1 - text.size()));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      text.append(buf.data(), static_cast<size_t>(n));
    }
    ::close(fd);
    const bool cut = text.size() > kMost;
    if (cut) text.resize(kMost);
    Obj out;
    out.boolean("ok", true).str("text", text);
    if (cut) out.boolean("cut", true);
    return out.text();
  }
  if (!f) return error("no window is open");
  // Input may switch games and unload this window; it stays alive until the command ends.
  auto keep = shell::HoldWindow(f);
  if (cmd == "menu") {
    std::string name;
    int index;
    if (args.empty() || !parseName(args[0], name, index)) return error("menu needs a name (and an index 0 or more)");
    rt::MenuItem* item = f->findMenu(name, index);
    if (!item) return error("no menu " + args[0]);
    if (!item->effectivelyEnabled()) return error("menu " + args[0] + " is disabled");
    rt::dispatch(f, [item] { item->fireClick(); });
    return ok();
  }
  if (cmd == "click" || cmd == "down" || cmd == "up") {
    std::string name;
    int index;
    if (args.empty() || !parseName(args[0], name, index)) return error(cmd + " needs a control (and an index 0 or more)");
    rt::Control* c = f->find(name, index);
    if (!c) return error("no control " + args[0]);
    const auto button = arg(1, 1, 0, kBits), shift = arg(2, 0, 0, kBits);
    if (!button || !shift) return error(cmd + " NAME [BUTTON] [SHIFT] [X Y]: BUTTON and SHIFT 0 to 7");
    if (args.size() == 4) return error(cmd + " NAME BUTTON SHIFT X Y: X and Y go together");
    int x, y;
    centreOf(*c, x, y);
    if (args.size() >= 5) {
      const auto dx = number(args[3], kIntMin, kIntMax), dy = number(args[4], kIntMin, kIntMax);
      const auto at = dx && dy ? pointIn(*c, *dx, *dy) : std::nullopt;
      if (!at) return error(cmd + ": X and Y must be whole numbers within the window's reach");
      std::tie(x, y) = *at;
    }
    const int b = static_cast<int>(*button), s = static_cast<int>(*shift);
    if (cmd != "up") f->mouseDown(x, y, b, s);
    if (cmd != "down" && f->isLoaded()) f->mouseUp(x, y, b, s);
    return ok();
  }
  if (cmd == "drag" && args.size() == 5) {
    // drag NAME X1 Y1 X2 Y2: from one point of a control to another (pixels inside it).
    std::string name;
    int index;
    if (!parseName(args[0], name, index)) return error("drag needs a control");
    rt::Control* c = f->find(name, index);
    if (!c) return error("no control " + args[0]);
    std::optional<long long> d[4];
    for (int i = 0; i < 4; ++i) d[i] = number(args[1 + i], kIntMin, kIntMax);
    const auto from = d[0] && d[1] ? pointIn(*c, *d[0], *d[1]) : std::nullopt;
    const auto to = d[2] && d[3] ? pointIn(*c, *d[2], *d[3]) : std::nullopt;
    if (!from || !to) return error("drag NAME X1 Y1 X2 Y2: whole numbers within the window's reach");
    const auto [x1, y1] = *from;
    const auto [x2, y2] = *to;
    f->mouseDown(x1, y1, 1, 0);
    const auto mid = [](int a, int b) { return static_cast<int>((static_cast<long long>(a) + b) / 2); };
    if (f->isLoaded()) f->mouseMove(mid(x1, x2), mid(y1, y2), 1, 0);
    if (f->isLoaded()) f->mouseMove(x2, y2, 1, 0);
    if (f->isLoaded()) f->mouseUp(x2, y2, 1, 0);
    return ok();
  }
  if (cmd == "drag") {
    std::string a, b;
    int ia, ib;
    if (args.size() < 2 || !parseName(args[0], a, ia) || !parseName(args[1], b, ib)) return error("drag needs two controls");
    rt::Control* src = f->find(a, ia);
    rt::Control* dst = f->find(b, ib);
    if (!src || !dst) return error("no such control");
    int x1, y1, x2, y2;
    centreOf(*src, x1, y1);
    centreOf(*dst, x2, y2);
    f->mouseDown(x1, y1, 1, 0);
    if (f->isLoaded()) f->mouseMove(x2, y2, 1, 0);
    if (f->isLoaded()) f->mouseUp(x2, y2, 1, 0);
    return ok();
  }
  if (cmd == "key") {
    const bool up = args.size() > 1 && args[1] == "up";
    const auto codeArg = args.empty() ? std::nullopt : number(args[0], 0, kLastKeyCode);
    const auto shiftArg = arg(up ? 2 : 1, 0, 0, kBits);
    if (!codeArg || !shiftArg) return error("key CODE [up] [SHIFT]: CODE 0 to 255, SHIFT 0 to 7");
    const int code = static_cast<int>(*codeArg), shift = static_cast<int>(*shiftArg);
    if (!up) {
      rt::frame().clientKey(0, code, shift, rt::KeyAscii(code, shift));
    } else {
      rt::frame().clientKey(1, code, shift, 0);
    }
    return ok();
  }
  if (cmd == "set") {
    if (args.size() < 3 || (args.size() - 1) % 2) return error("set NAME I V [I V ...]");
    auto it = f->state().find(args[0]);
    if (it == f->state().end()) return error("no state " + args[0]);
    const rt::StateVar& var = it->second;
    if (!var.set) return error("set " + args[0] + ": " + args[0] + " cannot be set, only read");
    // Every pair is checked before any is written: a refused command changes nothing.
    const size_t size = var.isArray ? var.get().size() : 1;
    std::vector<std::pair<size_t, long long>> writes;
    for (size_t i = 1; i + 1 < args.size(); i += 2) {
      const auto index = sizeNumber(args[i]);
      if (!index || *index >= size)
        return error("set " + args[0] + ": index " + args[i] + " is beyond its " + std::to_string(size) + " values");
      const auto value = number(args[i + 1], std::numeric_limits<long long>::min(), std::numeric_limits<long long>::max());
      if (!value) return error("set " + args[0] + ": " + args[i + 1] + " is not a whole number");
      if (!var.fits(*index, *value)) {
        const rt::Spans spans = var.values(*index);
        const std::string what = var.isArray ? "entry " + args[i] : args[0];
        if (spans.empty()) return error("set " + args[0] + ": " + what + " takes no value");
        return error("set " + args[0] + ": " + args[i + 1] + " is not one of the values of " + what + " (" +
                     spansText(spans) + ")");
      }
      writes.emplace_back(*index, *value);
    }
    for (const auto& [index, value] : writes) var.set(index, value);
    if (f->redrawState) rt::dispatch(f, f->redrawState);
    return ok();
  }
  return error("unknown command " + firstChars(cmd, 80));
}

}  // namespace drv
